#pragma once

#include <string>
#include <string_view>

// A word for a command line the box's shell reads: between double quotes, with the four
// characters that stay special there ("\", """, "$", "`") escaped by a backslash.
std::string ShellQuoted(std::string_view word);

// The word as it is when it holds only letters, digits and "/._-+:,=@%" (nothing a shell
// reads specially), else ShellQuoted.
std::string ShellWord(std::string_view word);
