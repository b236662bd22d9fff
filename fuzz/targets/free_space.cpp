// A df reply for the device named by the input's first line; the command that asks for it
// must reach the box's shell as exactly that device, whatever its name holds.
#include "filebrowser/StbFreeSpace.h"
#include "fuzz/support/FuzzCheck.h"
#include "stbsim/ShellWords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::Text(data, size);
    const std::size_t feed = input.find('\n');
    const std::string_view device = input.substr(0, feed);
    const std::string_view reply = feed == std::string_view::npos ? "" : input.substr(feed + 1);

    const auto free = ParseFreeSpace(reply, device);
    FUZZ_CHECK(!free || *free >= 0);
    FUZZ_CHECK(!free || *free % 1024 == 0 || *free == INT64_MAX);

    const auto words = SplitShellWords(FreeSpaceCommand(device));
    FUZZ_CHECK(words && words->size() == 2 && (*words)[0] == "df" && (*words)[1] == device);
    return 0;
}
