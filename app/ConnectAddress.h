#pragma once

#include <optional>
#include <string>

class QWidget;

// The address the connect dialog starts with: the current one, else the stored
// "LastConnectIP", else empty.
std::string InitialConnectAddress(const std::string& current);

// Shows the connect dialog pre-filled as above; the entered address, or nothing when the
// user chose "Exit".
std::optional<std::string> AskConnectAddress(const std::string& current, QWidget* parent);

// Makes `address` the current one and stores it as "LastConnectIP"; a failed write is
// ignored, the address still serves this run.
void RememberAddress(std::string& current, const std::string& address);
