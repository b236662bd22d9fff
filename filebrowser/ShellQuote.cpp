#include "filebrowser/ShellQuote.h"

#include <algorithm>

std::string ShellQuoted(std::string_view word)
{
    std::string quoted = "\"";
    for (char c : word) {
        if (c == '\\' || c == '"' || c == '$' || c == '`')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

std::string ShellWord(std::string_view word)
{
    const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("/._-+:,=@%").find(c) != std::string_view::npos;
    });
    return plain ? std::string(word) : ShellQuoted(word);
}
