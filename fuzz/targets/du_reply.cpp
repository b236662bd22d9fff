// A du reply for the folder named by the input's first line, as the folder expansion reads
// it: every folder it takes lies below that folder, and the command that asks for it reaches
// the box's shell as exactly that folder.
#include "filebrowser/FileEntry.h"
#include "filebrowser/StbDiskUsage.h"
#include "fuzz/support/FuzzCheck.h"
#include "stbsim/ShellWords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::Text(data, size);
    const std::size_t feed = input.find('\n');
    const std::string_view folder = input.substr(0, feed);
    const std::string_view reply = feed == std::string_view::npos ? "" : input.substr(feed + 1);

    if (const auto usage = ParseDiskUsage(reply, folder)) {
        for (const std::string& relative : usage->folders) {
            if (relative.empty())
                continue; // the folder itself
            for (std::size_t start = 0; start <= relative.size();) {
                const std::size_t slash = std::min(relative.find('/', start), relative.size());
                FUZZ_CHECK(IsPlainName(std::string_view(relative).substr(start, slash - start)));
                start = slash + 1;
            }
        }
    }
    const auto words = SplitShellWords(DiskUsageCommand(folder));
    FUZZ_CHECK(words && words->size() == 2 && (*words)[0] == "du" && (*words)[1] == folder);
    return 0;
}
