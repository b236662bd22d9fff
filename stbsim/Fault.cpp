#include "stbsim/Fault.h"

#include <charconv>

Fault Fault::Close()
{
    return Fault{};
}

Fault Fault::Reply(std::string text)
{
    Fault f;
    f.kind = Kind::Reply;
    f.text = std::move(text);
    return f;
}

Fault Fault::ShortData(std::size_t withheld)
{
    Fault f;
    f.kind = Kind::Short;
    f.withheld = withheld;
    return f;
}

Fault Fault::Split()
{
    Fault f;
    f.kind = Kind::Split;
    return f;
}

Fault Fault::Stall()
{
    Fault f;
    f.kind = Kind::Stall;
    return f;
}

Fault Fault::HostileNames()
{
    Fault f;
    f.kind = Kind::Hostile;
    return f;
}

const char* const kHostileListing =
    "total 24\n"
    "drwxr-xr-x    2 root     root           4096 Mar  1 10:00 ../escape\n"
    "-rw-r--r--    1 root     root           1234 Mar  1 10:00 /etc/passwd\n"
    "-rw-r--r--    1 root     root             10 Mar  1 10:00 new\nline.txt\n"
    "drwxr-xr-x    2 root     root           4096 Mar  1 10:00 .\n"
    "drwxr-xr-x    2 root     root           4096 Mar  1 10:00 ..\n"
    "drwxr-xr-x    2 root     root           4096 Mar  1 10:00 sub/../..\n"
    "-rw-r--r--    1 root     root              5 Mar  1 10:00 0|..|0\n"
    "drwxr-xr-x    2 root     root           4096 Mar  1 10:00 a|b\n"
    "-rw-r--r--    1 root     root             42 Mar  1 10:00 plain.txt\n";

Fault Fault::Once() const
{
    Fault f = *this;
    f.once = true;
    return f;
}

Fault Fault::AfterData() const
{
    Fault f = *this;
    f.afterData = true;
    return f;
}

std::string Fault::Describe() const
{
    std::string mode = once ? "once:" : "";
    if (afterData)
        mode += "after:";
    switch (kind) {
    case Kind::Close:
        return mode + "close";
    case Kind::Reply:
        return mode + "reply:" + text;
    case Kind::Short:
        return mode + "short:" + std::to_string(withheld);
    case Kind::Split:
        return mode + "split";
    case Kind::Stall:
        return mode + "stall";
    case Kind::Hostile:
        return mode + "hostile";
    }
    return mode;
}

namespace {

bool TakePrefix(std::string_view& text, std::string_view prefix)
{
    if (!text.starts_with(prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

std::optional<FaultRule> ParseFaultRule(std::string_view rule)
{
    const std::size_t eq = rule.find('=');
    if (eq == std::string_view::npos || eq == 0)
        return std::nullopt;
    FaultRule out;
    out.key = std::string(rule.substr(0, eq));
    std::string_view mode = rule.substr(eq + 1);
    const bool once = TakePrefix(mode, "once:");
    const bool afterData = TakePrefix(mode, "after:");
    if (mode == "close") {
        out.fault = Fault::Close();
    } else if (mode == "split") {
        out.fault = Fault::Split();
    } else if (mode == "stall") {
        out.fault = Fault::Stall();
    } else if (mode == "hostile") {
        out.fault = Fault::HostileNames();
    } else if (TakePrefix(mode, "reply:")) {
        out.fault = Fault::Reply(std::string(mode));
    } else if (TakePrefix(mode, "short:")) {
        std::size_t n = 0;
        const auto [end, ec] = std::from_chars(mode.data(), mode.data() + mode.size(), n);
        if (ec != std::errc() || end != mode.data() + mode.size() || mode.empty())
            return std::nullopt;
        out.fault = Fault::ShortData(n);
    } else {
        return std::nullopt;
    }
    out.fault.once = once;
    out.fault.afterData = afterData;
    return out;
}

std::string FaultTable::Slot(const std::string& key, bool afterData)
{
    return afterData ? key + "#after" : key;
}

void FaultTable::Set(const std::string& key, Fault fault)
{
    std::lock_guard lock(mutex_);
    faults_[Slot(key, fault.afterData)] = std::move(fault);
}

void FaultTable::Clear(const std::string& key)
{
    std::lock_guard lock(mutex_);
    faults_.erase(Slot(key, false));
    faults_.erase(Slot(key, true));
}

void FaultTable::ClearAll()
{
    std::lock_guard lock(mutex_);
    faults_.clear();
}

std::optional<Fault> FaultTable::Take(const std::string& key, bool afterData)
{
    std::lock_guard lock(mutex_);
    const auto found = faults_.find(Slot(key, afterData));
    if (found == faults_.end())
        return std::nullopt;
    Fault fault = found->second;
    if (fault.once)
        faults_.erase(found);
    return fault;
}
