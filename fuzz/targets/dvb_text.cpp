// A name as the box stores it, decoded for display.
#include "chdb/DvbText.h"
#include "fuzz/support/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes = fuzz::Text(data, size);
    const std::string text = DecodeDvbText(bytes);
    FUZZ_CHECK(fuzz::IsValidUtf8(text));
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    // The converters are cached between calls: a second decode must not depend on the first.
    FUZZ_CHECK(DecodeDvbText(bytes) == text);

    // Typed text goes back into the name's own table; whatever is encoded decodes unchanged.
    const auto first = static_cast<std::uint8_t>(bytes.empty() ? 0 : bytes[0]);
    const std::uint8_t selector = first < 0x20 ? first : 0;
    if (selector == 0x10)
        return 0; // its table number follows the selector: not a table to type into
    if (const auto encoded = EncodeDvbText(text, selector)) {
        const std::string stored = selector ? std::string(1, char(selector)) + *encoded : *encoded;
        FUZZ_CHECK(DecodeDvbText(stored) == text);
    }
    return 0;
}
