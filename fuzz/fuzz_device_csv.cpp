// fuzz-libs: cc_design
// fuzz-seeds: tests/data/fuzz/device_csv
// fuzz-max-len: 60000
//
// A bill of materials as CSV on any bytes, read and imported as the device
// list window does with the columns its header names: every row keeps the
// line it starts on, and an import is all rows or none, within the list's
// limit.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "design/DeviceImport.h"
#include "design/DeviceList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CsvTable table = readCsv(bytes);
    const std::string shown = escaped({bytes.constData(), size});
    FUZZ_CHECK(table.rows.size() == table.lineNumbers.size(), shown);
    for (qsizetype i = 1; i < table.lineNumbers.size(); ++i)
        FUZZ_CHECK(table.lineNumbers[i] > table.lineNumbers[i - 1], shown);
    if (!table.error.isEmpty() || table.rows.isEmpty()) return 0;
    const CsvMapping mapping = guessCsvMapping(table.rows.first());
    for (const qsizetype existing : {qsizetype(0), qsizetype(kMaxDeviceLines - 1)}) {
        const CsvImport imported = importCsv(table, mapping, existing);
        FUZZ_CHECK(imported.errors.isEmpty() || imported.lines.isEmpty(), shown);
        FUZZ_CHECK(imported.lines.size() + existing <= kMaxDeviceLines, shown);
    }
    return 0;
}
