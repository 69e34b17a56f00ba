// fuzz-libs: cc_project
// fuzz-seeds: tests/data/project
// fuzz-max-len: 200000
//
// The project reader on any bytes: it never crashes, and a project it reads
// is saved to bytes that read back to the same project and save the same.
#include <QByteArray>

#include "FuzzCheck.h"
#include "project/Project.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ProjectReading reading = ReadProject(bytes);
    if (!reading.project) {
        FUZZ_CHECK(!reading.error.isEmpty(), escaped({bytes.constData(), size}));
        return 0;
    }
    const QByteArray saved = ProjectBytes(*reading.project);
    const ProjectReading again = ReadProject(saved);
    FUZZ_CHECK(again.project.has_value(), saved.toStdString());
    FUZZ_CHECK(*again.project == *reading.project, saved.toStdString());
    FUZZ_CHECK(ProjectBytes(*again.project) == saved, saved.toStdString());
    return 0;
}
