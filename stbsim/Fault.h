#pragma once

#include <cstddef>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

// A way for the simulated box to misbehave on one request keyword, so that tests reach the
// program's failure paths.
//
// close, reply, stall and hostile replace the request's handling: the box does not carry it
// out. short and split mangle only how the reply travels: the request is carried out.
struct Fault {
    enum class Kind { Close, Reply, Short, Split, Stall, Hostile };

    Kind kind = Kind::Close;
    std::string text;         // Reply: the text sent instead
    std::size_t withheld = 0; // Short: bytes left out at the end of the reply
    bool once = false;        // removed after it fired once
    bool afterData = false;   // uploads: the reply after the data block, not the first one

    static Fault Close();
    static Fault Reply(std::string text);
    static Fault ShortData(std::size_t withheld);
    static Fault Split();
    static Fault Stall();
    // Answers with kHostileListing, whatever was asked.
    static Fault HostileNames();
    Fault Once() const;
    Fault AfterData() const;

    // The mode as written on the command line, e.g. "once:short:1000".
    std::string Describe() const;
};

// A folder listing whose names try to lead the program astray: out of the folder ("../escape",
// "/etc/passwd", "sub/../.."), onto the folder itself or its parent ("." and ".."), across a
// line ("new" + line feed + "line.txt"), or into the parent row of a "|"-joined entry text
// ("0|..|0", "a|b"). One plain file, "plain.txt", is among them.
extern const char* const kHostileListing;

// Parses "KEY=MODE" with
// MODE = [once:][after:](close | reply:TEXT | short:N | split | stall | hostile).
// KEY is a request keyword such as SIG_GET_CHDATA, or SIG_COMMAND_START:VERB for one command
// (df, du, mkdir, rm).
struct FaultRule {
    std::string key;
    Fault fault;
};
std::optional<FaultRule> ParseFaultRule(std::string_view rule);

// The faults in force, shared by all connections.
class FaultTable {
public:
    void Set(const std::string& key, Fault fault);
    void Clear(const std::string& key);
    void ClearAll();
    // The fault for this key and phase, if any; a "once" fault is removed as it is taken.
    std::optional<Fault> Take(const std::string& key, bool afterData);

private:
    static std::string Slot(const std::string& key, bool afterData);

    std::mutex mutex_;
    std::map<std::string, Fault> faults_;
};
