// The three database images as the box or a user's folder supplies them: the input is laid
// over a real database as patches, then everything the program reads from it is read.
#include "fuzz/support/DatabaseWalk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::WalkImported(fuzz::PatchedDatabase(data, size));
    return 0;
}
