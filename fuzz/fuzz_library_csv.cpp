// fuzz-libs: cc_design
// fuzz-seeds: tests/data/fuzz/library_csv
// fuzz-max-len: 60000
//
// The own-device library as CSV on any bytes: rows that do not fit are
// named and nothing is taken, and devices read are exported to a table that
// reads back to the same devices.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "design/LibraryCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LibraryCsvReading reading = readLibraryCsv(bytes);
    const std::string shown = escaped({bytes.constData(), size});
    if (!reading.errors.isEmpty()) {
        FUZZ_CHECK(reading.devices.isEmpty(), shown);
        return 0;
    }
    const QByteArray exported = libraryCsvBytes(reading.devices);
    const LibraryCsvReading again = readLibraryCsv(exported);
    FUZZ_CHECK(again.errors.isEmpty(), exported.toStdString());
    FUZZ_CHECK(again.devices == reading.devices, exported.toStdString());
    return 0;
}
