// fuzz-libs: cc_design
// fuzz-seeds: assets/devices tests/data/fuzz/loss_library
// fuzz-max-len: 60000
//
// The library of typical device losses (the program's own and the user's
// file) on any bytes: a fault always has its message, a library read is
// written to bytes that read back to the same entries, and every entry
// becomes a device line.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "design/DeviceImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LossLibraryReading reading = readLossLibrary(bytes);
    const std::string shown = escaped({bytes.constData(), size});
    if (!reading.error.isEmpty()) {
        FUZZ_CHECK(reading.devices.isEmpty(), shown);
        return 0;
    }
    const LossLibraryReading again = readLossLibrary(lossLibraryBytes(reading.devices));
    FUZZ_CHECK(again.error.isEmpty(), shown);
    FUZZ_CHECK(again.devices == reading.devices, shown);
    for (const LossLibraryEntry& entry : reading.devices)
        FUZZ_CHECK(!deviceLineOf(entry).isEmpty(), shown);
    return 0;
}
