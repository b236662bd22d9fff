#include "app/InfoOptions.h"

#include "util/Version.h"

#include <algorithm>

namespace {

constexpr const char* kHelp = R"(Usage: channeltool [Qt options]

Edits the channel lists of a DVB-S/DVB-S2 satellite set-top box on the local network:
downloads its channel database, shows and edits satellites, transponders, channels and
favourite lists, sends them back, keeps backup files (.ech), copies files to and from the
box's USB storage and starts live streaming in VLC.

Options:
  --help       this text
  --version    the program's version
The toolkit's own options (-platform NAME, -style NAME, -reverse, ...) are accepted too.

Settings are kept in $XDG_CONFIG_HOME/channeltool/registry (~/.config/channeltool/registry);
CHANNELTOOL_REGISTRY names another file. Backups of each box are kept in
$XDG_DATA_HOME/channeltool/backups (~/.local/share/channeltool/backups); CHANNELTOOL_HISTORY
names another folder. Working files live in a private folder under
$XDG_RUNTIME_DIR (else $TMPDIR or /tmp) that is removed at exit; the current folder is only
where the file dialogs start. channeltool-cli does the same work without windows.
)";

} // namespace

std::optional<int> AnswerInfoOption(const std::vector<std::string>& args, std::ostream& out)
{
    auto given = [&](auto... names) {
        return std::any_of(args.begin(), args.end(),
                           [&](const std::string& a) { return ((a == names) || ...); });
    };
    if (given("--help", "-h"))
        out << kHelp;
    else if (given("--version"))
        out << "channeltool " << kProgramVersion << '\n';
    else
        return std::nullopt;
    return 0;
}
