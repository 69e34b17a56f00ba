// fuzz-libs: cc_project
// fuzz-seeds: tests/data/fuzz/library
// fuzz-max-len: 200000
//
// The user's library of own devices on any bytes: a file that cannot be
// used says why, and a library read is written to bytes that read back to
// the same devices and write the same.
#include <QByteArray>
#include <cstdint>

#include "FuzzCheck.h"
#include "project/DeviceLibrary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const LibraryReading reading = ReadLibrary(bytes);
    const std::string shown = escaped({bytes.constData(), size});
    if (!reading.devices) {
        FUZZ_CHECK(!reading.error.isEmpty(), shown);
        return 0;
    }
    const QByteArray saved = LibraryBytes(*reading.devices);
    const LibraryReading again = ReadLibrary(saved);
    FUZZ_CHECK(again.devices.has_value(), saved.toStdString());
    FUZZ_CHECK(*again.devices == *reading.devices, saved.toStdString());
    FUZZ_CHECK(LibraryBytes(*again.devices) == saved, saved.toStdString());
    return 0;
}
