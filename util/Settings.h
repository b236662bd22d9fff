#pragma once

#include <string>
#include <string_view>

// The program's two stored settings, under SettingsKey() of the local machine.
std::string SettingsKey(); // "SOFTWARE\pelon-i"

inline constexpr int kGridRowsMin = 10;
inline constexpr int kGridRowsMax = 30;
inline constexpr int kGridRowsDefault = 10;

// A stored "GridRowCount" text as a row count: out of range or unreadable gives the default.
int GridRowCountFromText(std::string_view text);
int ReadGridRowCount();
void WriteGridRowCount(int rows);

// Empty when nothing is stored. Write failures are ignored: the address still works for the run.
std::string ReadLastConnectIp();
void WriteLastConnectIp(const std::string& address);
