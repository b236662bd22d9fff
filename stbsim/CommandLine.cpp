#include "stbsim/CommandLine.h"

#include <charconv>

namespace {

template <class T> bool ReadNumber(const std::string& text, T& out)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLine line;
    line.options.stateDir = "stbsim-state";
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                line.error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--version") {
            line.version = true;
        } else if (arg == "--quiet" || arg == "-q") {
            line.options.log = nullptr;
        } else if (arg == "--address") {
            if (value(v))
                line.options.address = v;
        } else if (arg == "--port") {
            if (value(v) && !ReadNumber(v, line.options.port))
                line.error = "bad port: " + v;
        } else if (arg == "--state") {
            if (value(v))
                line.options.stateDir = v;
        } else if (arg == "--seed") {
            if (value(v) && !ReadNumber(v, line.options.seed))
                line.error = "bad seed: " + v;
        } else if (arg == "--size") {
            if (value(v)) {
                if (const std::optional<DemoSize> size = ParseDemoSize(v))
                    line.options.size = *size;
                else
                    line.error = "bad size: " + v + " (tiny, small, large or full)";
            }
        } else if (arg == "--fault") {
            if (value(v)) {
                if (std::optional<FaultRule> rule = ParseFaultRule(v))
                    line.faults.push_back(std::move(*rule));
                else
                    line.error = "bad fault: " + v;
            }
        } else {
            line.error = "unknown option: " + arg;
        }
        if (!line.error.empty())
            break;
    }
    return line;
}

const char* HelpText()
{
    return R"(Usage: stbsim [options]

A simulated set-top box: serves the channel tool's whole request vocabulary on TCP port
7777 of one address until stopped (Ctrl+C). It runs no shell and keeps every path inside
the mounted partition's folder.

Options:
  --address A      IPv4 address to bind, and only that one (default 127.0.0.1)
  --port N         TCP port (default 7777; 0 picks a free one)
  --state DIR      state directory (default ./stbsim-state); missing or empty: demo state
  --seed N         seed of the demo state made in an empty DIR (default 1)
  --size S         demo database size: tiny, small, large (default) or full
                   (full = 150 satellites, 1500 transponders, 9999 channels)
  --fault K=MODE   misbehave on request keyword K (repeatable), see below
  --quiet          no log; otherwise one line per request on stderr
  --help           this text
  --version        the version

State directory:
  DIR/db/chdata.dat, chidx.dat, menudata.dat   the channel database; an applied update
                                               replaces them (new file, then rename)
  DIR/disks.conf                               disks and partitions, in report order:
      disk DEVICE CYLINDERS [HEADS SECTORS]    one unit = HEADS*SECTORS*512 bytes
      part DEVICE START END [ID] [boot]        units START..END of the disk above
  DIR/disks/NAME/                              the folder of partition /dev/NAME (or of a
                                               disk without partitions); mounted, it is
                                               /mnt/link_to_pc
  DIR/tmp/                                     uploads while their bytes arrive
  A missing database or disks.conf is filled in from the demo.

Faults (K is a keyword such as SIG_GET_CHDATA, or SIG_COMMAND_START:VERB for one of
df, du, mkdir, rm):
  K=close          close the connection instead of replying (request not carried out)
  K=reply:TEXT     answer TEXT instead (request not carried out)
  K=stall          never answer, until the connection closes or the box stops
  K=short:N        carry it out, send the reply (or data) without its last N bytes, close
  K=split          carry it out, send the reply in two writes with a pause between
  K=hostile        answer a folder listing whose names try to lead out of the folder
                   (../escape, /etc/passwd, a line feed, "." and "..", "|")
  Prefix "once:" to fire only once; prefix "after:" (after "once:") to hit the reply that
  follows an upload's data block (SIG_SET_CHDATA/CHINDEX/MENUDATA, SIG_SET_FILE_START)
  instead of the first one. Examples:
    --fault SIG_GET_CHDATA=short:1000   --fault SIG_SET_FILE_START=once:after:reply:NO
    --fault SIG_COMMAND_START:df=reply:SIG_COMMAND_ERROR
    --fault SIG_GET_DISK_FILE_INFO=hostile
)";
}
