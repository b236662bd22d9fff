#include "util/Registry.h"

#include "util/AtomicFile.h"
#include "util/SplitFields.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace {

constexpr std::string_view kHeader = "channeltool registry 1";
constexpr std::uintmax_t kMaxStoreBytes = 1 << 20;
constexpr std::size_t kMaxValueLength = 1023;

struct Entry {
    std::string key;   // root and key path, e.g. HKEY_LOCAL_MACHINE\SOFTWARE\pelon-i
    std::string name;
    std::string value;
};

std::string FullKey(RegRoot root, std::string_view keyPath)
{
    std::string key = root == RegRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
    key += '\\';
    key += keyPath;
    return key;
}

// Key paths and value names compare without regard to ASCII case, as on the platform we mimic.
bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string Escape(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r' || c == '\0') {
            const auto u = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(std::string_view text)
{
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int hi = hex(text[i + 1]);
        const int lo = hex(text[i + 2]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
    }
    return out;
}

// The whole store, or nothing when the file is missing, unreadable or not in our format.
std::vector<Entry> LoadStore()
{
    std::vector<Entry> entries;
    const std::filesystem::path path = RegistryFilePath();
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxStoreBytes)
        return entries;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return entries;
    std::string line;
    if (!std::getline(in, line) || line != kHeader)
        return entries;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        const std::vector<std::string> fields = SplitFields(line, "\t");
        if (fields.size() != 3)
            return {};
        auto key = Unescape(fields[0]);
        auto name = Unescape(fields[1]);
        auto value = Unescape(fields[2]);
        if (!key || !name || !value)
            return {};
        entries.push_back({std::move(*key), std::move(*name), std::move(*value)});
    }
    if (in.bad())
        return {};
    return entries;
}

} // namespace

std::filesystem::path RegistryFilePath()
{
    if (const char* over = std::getenv("CHANNELTOOL_REGISTRY"); over && *over)
        return over;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "channeltool" / "registry";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".config" / "channeltool" /
           "registry";
}

long RegReadString(RegRoot root, std::string_view keyPath, std::string_view valueName,
                   std::string& out)
{
    const std::string key = FullKey(root, keyPath);
    for (const Entry& e : LoadStore()) {
        if (!SameName(e.key, key))
            continue;
        if (!SameName(e.name, valueName))
            continue;
        if (e.value.size() > kMaxValueLength)
            return kRegMoreData;
        // A stored zero ends the text, as it would in the platform's string values.
        out = e.value.substr(0, e.value.find('\0'));
        return kRegSuccess;
    }
    return kRegFileNotFound;
}

long RegWriteString(RegRoot root, std::string_view keyPath, std::string_view valueName,
                    RegType /*type*/, std::string_view text)
{
    const std::string key = FullKey(root, keyPath);
    std::vector<Entry> entries = LoadStore();
    bool replaced = false;
    for (Entry& e : entries) {
        if (SameName(e.key, key) && SameName(e.name, valueName)) {
            e.value = std::string(text);
            replaced = true;
        }
    }
    if (!replaced)
        entries.push_back({key, std::string(valueName), std::string(text)});

    std::ostringstream content;
    content << kHeader << '\n';
    for (const Entry& e : entries)
        content << Escape(e.key) << '\t' << Escape(e.name) << '\t' << Escape(e.value) << '\n';

    const std::filesystem::path path = RegistryFilePath();
    std::error_code ec;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), ec);
    const std::string bytes = content.str();
    if (WriteFileAtomically(path, bytes.data(), bytes.size()) != AtomicWriteResult::Ok)
        return kRegAccessDenied;
    return kRegSuccess;
}
