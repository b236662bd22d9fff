#include "filebrowser/StbFreeSpace.h"

#include "filebrowser/ReplyLines.h"
#include "filebrowser/ShellQuote.h"
#include "util/Decimal.h"

using namespace replylines;

std::string FreeSpaceCommand(std::string_view device)
{
    return "df " + ShellWord(device);
}

std::optional<std::int64_t> ParseFreeSpace(std::string_view text, std::string_view device)
{
    std::int64_t freeBytes = 0;
    bool complete = false;
    ForEach(text, [&](std::string_view line) {
        if (line.starts_with(kCommandEnd)) {
            complete = true;
            return false;
        }
        if (!line.starts_with(device) || line.size() <= device.size() || line[device.size()] != ' ')
            return true;
        std::string_view rest = line;
        TakeField(rest); // the device
        TakeField(rest); // total blocks
        TakeField(rest); // used blocks
        freeBytes = SaturatingProduct(ParseDecimal64(TakeField(rest)), 1024);
        return true;
    });
    return complete ? std::optional(freeBytes) : std::nullopt;
}
