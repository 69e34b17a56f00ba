#include "files/CoolFile.h"

#include <QBuffer>
#include <QFile>
#include <cmath>
#include <string>
#include <string_view>

#include "calc/NumberText.h"
#include "files/ModelLineCodec.h"
#include "kit/FileAccess.h"

namespace {

QByteArray numberLine(double value) {
    // Every value here comes from ParseNumber and is finite; should one not
    // be, "0" keeps the file readable where an empty last line would not.
    if (!std::isfinite(value)) return QByteArrayLiteral("0");
    return QByteArray::fromStdString(NumberText(value));
}

QString modelLineText(QString text) {
    // A line break inside the model would shift every later line.
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.trimmed();
}

enum class LineRead { Line, End, TooLong };

// Lines of a device without their line ends (LF, or CR LF), through one
// buffer a little longer than the longest line: a longer line shows as such
// without reading it all, and a file costs one buffer, not one per line.
class LineReader {
public:
    explicit LineReader(QIODevice& device)
        : m_device(device), m_buffer(kMaxCoolFileLine + 4, Qt::Uninitialized) {}

    LineRead next(QByteArray* line) {
        // At most size - 1 bytes: kMaxCoolFileLine and a CR LF, and one more.
        const qint64 read = m_device.readLine(m_buffer.data(), m_buffer.size());
        if (read <= 0) {
            line->clear();
            return LineRead::End;
        }
        *line = QByteArray(m_buffer.constData(), static_cast<qsizetype>(read));
        if (line->endsWith('\n')) {
            line->chop(1);
            if (line->endsWith('\r')) line->chop(1);
        } else if (line->endsWith('\r')) {
            line->chop(1);  // CR LF cut after the CR at the very end of the data
        }
        return line->size() > kMaxCoolFileLine ? LineRead::TooLong : LineRead::Line;
    }

private:
    QIODevice& m_device;
    QByteArray m_buffer;
};

}  // namespace

QString CoolModeMarker(SelectionMode mode) {
    switch (mode) {
        case SelectionMode::Fan1:
            return QStringLiteral("FAN1");
        case SelectionMode::Fan2:
            return QStringLiteral("FAN2");
        case SelectionMode::Aircon:
            break;
    }
    return QStringLiteral("Aircon");
}

QByteArray CoolFileBytes(const CoolFileRecord& r) {
    QByteArray out;
    auto line = [&out](const QByteArray& bytes) {
        out += bytes;
        out += "\r\n";
    };
    line(CoolModeMarker(r.mode).toLatin1());
    for (double v : {r.width, r.depth, r.height, r.surfaceArea, r.internalHeat, r.t1, r.t2}) {
        line(numberLine(v));
    }
    if (r.mode == SelectionMode::Fan2) {
        line(numberLine(r.t3));
        line(numberLine(r.t4));
    }
    line(numberLine(r.uValue));
    line(numberLine(r.coolingPower));
    line(EncodeModelLine(modelLineText(r.modelName)));
    line(numberLine(r.modelCapacity));
    return out;
}

bool WriteCoolFile(const QString& path, const CoolFileRecord& record) {
    // A full disk or a broken medium never leaves the user's old file half
    // overwritten (see replaceFileContents).
    return replaceFileContents(path, CoolFileBytes(record));
}

bool ReadCoolFile(QIODevice& device, CoolFileSink& sink) {
    LineReader lines(device);
    QByteArray line;
    if (lines.next(&line) != LineRead::Line) return false;
    if (line.startsWith("\xEF\xBB\xBF")) line.remove(0, 3);  // editors' UTF-8 mark

    const bool fan2 = line == "FAN2";
    if (line == "Aircon")
        sink.applyMode(SelectionMode::Aircon);
    else if (line == "FAN1")
        sink.applyMode(SelectionMode::Fan1);
    else if (fan2)
        sink.applyMode(SelectionMode::Fan2);

    auto number = [&](CoolField field) {
        if (lines.next(&line) != LineRead::Line) return false;
        sink.applyNumber(field, ParseNumber(std::string_view(line.constData(), line.size())));
        return true;
    };
    for (CoolField f :
         {CoolField::Width, CoolField::Depth, CoolField::Height, CoolField::SurfaceArea,
          CoolField::InternalHeat, CoolField::T1, CoolField::T2}) {
        if (!number(f)) return false;
    }
    if (fan2 && !(number(CoolField::T3) && number(CoolField::T4))) return false;
    if (!number(CoolField::UValue) || !number(CoolField::CoolingPower)) return false;

    if (lines.next(&line) != LineRead::Line) return false;
    sink.applyModelName(DecodeModelLine(line));

    if (lines.next(&line) != LineRead::Line) return false;
    const std::optional<double> capacity = ParseStrictNumber(line);
    if (!capacity) return false;
    sink.applyNumber(CoolField::ModelCapacity, *capacity);
    return true;
}

bool ReadCoolFile(const QString& path, CoolFileSink& sink) {
    QFile file;
    if (!openRegularFile(file, path)) return false;
    return ReadCoolFile(file, sink);
}

bool ReadCoolFileData(const QByteArray& data, CoolFileSink& sink) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return ReadCoolFile(buffer, sink);
}

std::optional<double> ParseStrictNumber(const QByteArray& text) {
    return ParseWholeNumber(std::string_view(text.constData(), static_cast<size_t>(text.size())));
}

std::optional<int> MaterialOfUValue(double uValue) {
    if (uValue == 5.0) return 0;
    if (uValue == 3.7) return 1;
    return std::nullopt;
}
