// A backup file the user picks for import. The first input byte chooses the file: 0 takes the
// rest of the input as the whole file; otherwise the rest is laid as patches over a real
// backup whose length is moved by that byte (128 keeps it), so that the checks of size, magic
// and version and everything after a successful import are all reached.
#include "chdb/BackupFile.h"
#include "fuzz/support/DatabaseWalk.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/ImagePatches.h"
#include "tests/support/RecordingMessages.h"
#include "tests/support/TempDir.h"
#include "util/AtomicFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const TempDir scratch;
    const auto path = scratch / "import.ech";
    std::vector<std::uint8_t> file;
    if (data[0] == 0) {
        file.assign(data + 1, data + size);
    } else {
        file = BuildBackupImage(fuzz::DemoDatabase());
        file.resize(static_cast<std::size_t>(static_cast<std::ptrdiff_t>(file.size()) + data[0] - 128));
        fuzz::ApplyPatches(file, data + 1, size - 1);
    }
    FUZZ_CHECK(WriteFileAtomically(path, file.data(), file.size()) == AtomicWriteResult::Ok);

    RecordingMessages messages;
    const std::optional<ChannelDatabase> imported = ReadBackup(path, messages);
    // Exactly one message on failure, none on success.
    FUZZ_CHECK(messages.texts().size() == (imported ? 0u : 1u));
    if (!imported)
        return 0;
    FUZZ_CHECK(BuildBackupImage(*imported) == file);
    fuzz::WalkImported(*imported);
    return 0;
}
