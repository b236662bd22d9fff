// The settings store as found on disk: whatever it holds, reading gives a value or nothing,
// and a write keeps every other value as it read.
#include "fuzz/support/FuzzCheck.h"
#include "tests/support/TempDir.h"
#include "util/AtomicFile.h"
#include "util/Registry.h"
#include "util/Settings.h"

#include <cstdlib>

namespace {

struct Read {
    long result;
    std::string value;
    bool operator==(const Read&) const = default;
};

Read ReadPlayerFolder()
{
    Read read{0, "unchanged"};
    read.result = RegReadString(RegRoot::LocalMachine, "SOFTWARE\\VideoLAN\\VLC", "InstallDir",
                                read.value);
    return read;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const TempDir scratch;
    static const std::filesystem::path store = scratch / "registry";
    static const bool pointed = ::setenv("CHANNELTOOL_REGISTRY", store.c_str(), 1) == 0;
    FUZZ_CHECK(pointed);
    FUZZ_CHECK(WriteFileAtomically(store, data, size) == AtomicWriteResult::Ok);

    const int rows = ReadGridRowCount();
    FUZZ_CHECK(rows >= kGridRowsMin && rows <= kGridRowsMax);
    FUZZ_CHECK(ReadLastConnectIp().size() <= 1023);
    const Read before = ReadPlayerFolder();
    FUZZ_CHECK(before.result == kRegSuccess || before.value == "unchanged");

    WriteLastConnectIp("127.0.0.1");
    FUZZ_CHECK(ReadLastConnectIp() == "127.0.0.1");
    FUZZ_CHECK(ReadPlayerFolder() == before);
    return 0;
}
