// The simulated box's reading of command lines and paths: a quoted word always reads back
// as itself, and no parsed path names anything outside the partition.
#include "filebrowser/ShellQuote.h"
#include "fuzz/support/FuzzCheck.h"
#include "stbsim/BoxPath.h"
#include "stbsim/ShellWords.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::Text(data, size);
    if (const auto words = SplitShellWords(input)) {
        std::string again;
        for (const std::string& word : *words)
            again += ShellQuoted(word) + " ";
        FUZZ_CHECK(SplitShellWords(again) == words);
    }

    const auto quoted = SplitShellWords(ShellQuoted(input));
    FUZZ_CHECK(quoted && quoted->size() == 1 && quoted->front() == input);
    const auto plain = SplitShellWords("rm -f " + ShellWord(input));
    FUZZ_CHECK(plain && plain->size() == 3 && plain->back() == input);

    if (const auto path = BoxPath::Parse(input)) {
        const std::filesystem::path root = "/partition";
        const std::filesystem::path host = path->On(root).lexically_normal();
        FUZZ_CHECK(host == root || host.string().starts_with("/partition/"));
        for (const std::string& name : path->names) {
            FUZZ_CHECK(!name.empty() && name != "." && name != "..");
            FUZZ_CHECK(name.find('/') == std::string::npos);
        }
    }
    return 0;
}
