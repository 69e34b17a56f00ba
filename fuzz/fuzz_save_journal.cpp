// fuzz-libs: cc_kit
// fuzz-seeds: tests/data/fuzz/save_journal
// fuzz-max-len: 20000
//
// The journal of an unfinished in-place save, which a start-up reads from
// the per-user data folder, on any bytes: a journal it reads holds its two
// contents exactly as long as its header says, and writes back to bytes
// that read to the same journal.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "kit/FileAccess.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<SaveJournal> journal = readSaveJournal(bytes);
    if (!journal) return 0;
    const std::string shown = escaped({bytes.constData(), size});
    FUZZ_CHECK(!journal->target.isEmpty(), shown);
    FUZZ_CHECK(journal->oldBytes.size() == journal->oldSize, shown);
    FUZZ_CHECK(journal->newBytes.size() == journal->newSize, shown);
    const std::optional<SaveJournal> again = readSaveJournal(saveJournalBytes(*journal));
    FUZZ_CHECK(again.has_value(), shown);
    FUZZ_CHECK(again->target == journal->target && again->device == journal->device &&
                   again->inode == journal->inode && again->oldBytes == journal->oldBytes &&
                   again->newBytes == journal->newBytes,
               shown);
    return 0;
}
