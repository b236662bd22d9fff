#include "stbsim/ShellWords.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsRefusedUnquoted(char c)
{
    switch (c) {
    case '$':
    case '`':
    case '|':
    case '&':
    case ';':
    case '<':
    case '>':
    case '(':
    case ')':
    case '*':
    case '?':
    case '[':
    case '\n':
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<std::vector<std::string>> SplitShellWords(std::string_view line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c)) {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        if (!inWord && (c == '#' || c == '~'))
            return std::nullopt;
        if (c == '\\') {
            if (i + 1 >= line.size())
                return std::nullopt;
            if (line[i + 1] != '\n') { // backslash-newline joins lines and adds nothing
                word += line[i + 1];
                inWord = true;
            }
            i += 2;
            continue;
        }
        if (c == '\'') {
            const std::size_t close = line.find('\'', i + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            word.append(line.substr(i + 1, close - i - 1));
            inWord = true;
            i = close + 1;
            continue;
        }
        if (c == '"') {
            inWord = true;
            ++i;
            for (;;) {
                if (i >= line.size())
                    return std::nullopt;
                const char d = line[i];
                if (d == '"') {
                    ++i;
                    break;
                }
                if (d == '$' || d == '`')
                    return std::nullopt;
                if (d == '\\' && i + 1 < line.size()) {
                    const char e = line[i + 1];
                    if (e == '$' || e == '`' || e == '"' || e == '\\') {
                        word += e;
                        i += 2;
                        continue;
                    }
                    if (e == '\n') {
                        i += 2;
                        continue;
                    }
                }
                word += d;
                ++i;
            }
            continue;
        }
        if (IsRefusedUnquoted(c))
            return std::nullopt;
        word += c;
        inWord = true;
        ++i;
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}
