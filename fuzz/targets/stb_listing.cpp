// A folder listing from the box: no entry can lead out of the listed folder, and the line
// reader gives back exactly the text it was handed.
#include "filebrowser/ReplyLines.h"
#include "filebrowser/StbListing.h"
#include "fuzz/support/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::Text(data, size);
    std::string joined;
    std::size_t lines = 0;
    replylines::ForEach(text, [&](std::string_view line) {
        FUZZ_CHECK(line.find('\n') == std::string_view::npos);
        joined.append(line).append("\n");
        std::string_view rest = line;
        while (!rest.empty()) {
            const std::size_t before = rest.size();
            const std::string_view field = replylines::TakeField(rest);
            FUZZ_CHECK(field.find(' ') == std::string_view::npos);
            FUZZ_CHECK(rest.size() < before || field.empty());
            if (rest.size() == before)
                break;
        }
        return ++lines < 100000;
    });
    if (lines < 100000)
        FUZZ_CHECK(joined.substr(0, text.size()) == text);

    const auto entries = ParseStbListing(text);
    if (!entries)
        return 0;
    bool filesBegun = false;
    for (const FileEntry& entry : *entries) {
        FUZZ_CHECK(IsPlainName(entry.name));
        FUZZ_CHECK(entry.size >= 0);
        filesBegun = filesBegun || entry.isFile();
        FUZZ_CHECK(!filesBegun || entry.isFile());
    }
    return 0;
}
