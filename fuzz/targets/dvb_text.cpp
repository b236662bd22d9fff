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
    return 0;
}
