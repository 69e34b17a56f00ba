// fuzz-libs: cc_ui
// fuzz-seeds: tests/data/cool tests/data/fuzz/calc_file
// fuzz-max-len: 140000
//
// The calculation file reader on any bytes. Every value it hands on must be
// finite, in file order, with T3 and T4 only after the FAN2 marker, and a
// model text without line breaks. A file that reads whole must write back,
// the way the main window saves what it opened, to a file that reads to the
// same numbers, shown as the same texts, and to the model text the window
// held.
//
// The longest input holds a model line beyond the longest the reader takes
// (kMaxCoolFileLine) besides the other lines.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "calc/NumberText.h"
#include "files/CoolFile.h"

namespace {

struct Recorder : CoolFileSink {
    bool sawMode = false;
    SelectionMode mode = SelectionMode::Aircon;
    std::vector<std::pair<CoolField, double>> numbers;
    bool sawModel = false;
    QString model;
    std::string_view raw;  // the input, for failure messages

    // The start of the input, printable; made only when a check fails.
    std::string input() const { return escaped(raw.substr(0, 2000)); }

    void applyMode(SelectionMode m) override {
        FUZZ_CHECK(!sawMode && numbers.empty() && !sawModel, input());
        sawMode = true;
        mode = m;
    }
    void applyNumber(CoolField field, double value) override {
        FUZZ_CHECK(std::isfinite(value), input());
        if (field == CoolField::T3 || field == CoolField::T4) {
            FUZZ_CHECK(sawMode && mode == SelectionMode::Fan2, input());
        }
        for (const auto& [seen, v] : numbers) FUZZ_CHECK(seen != field, input());
        if (field == CoolField::ModelCapacity) FUZZ_CHECK(sawModel, input());
        numbers.emplace_back(field, value);
    }
    void applyModelName(const QString& text) override {
        FUZZ_CHECK(!sawModel, input());
        sawModel = true;
        model = text;
    }

    double number(CoolField field) const {
        for (const auto& [f, v] : numbers) {
            if (f == field) return v;
        }
        return 0;
    }
};

// What the main window's model field makes of a text: a QLineEdit holds at
// most 32767 UTF-16 units (its default maxLength, which the window keeps)
// and cuts a longer text there, in the middle of a surrogate pair if need be.
constexpr qsizetype kLineEditMaxLength = 32767;

QString shownInModelField(const QString& text) { return text.left(kLineEditMaxLength); }

// The model text a file written from `shown` reads back as: line breaks
// saved as blanks, blanks around it dropped, and a surrogate half that the
// field's cut left alone saved as "?", as QString::toUtf8 writes it.
QString modelAfterSaving(QString shown) {
    shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
    shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    shown = shown.trimmed();
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i].isHighSurrogate() && i + 1 < shown.size() && shown[i + 1].isLowSurrogate()) {
            ++i;
        } else if (shown[i].isSurrogate()) {
            shown[i] = QLatin1Char('?');
        }
    }
    return shown;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Recorder first;
    first.raw = std::string_view(reinterpret_cast<const char*>(data), size);
    const bool whole = ReadCoolFileData(bytes, first);
    if (!whole || !first.sawMode) return 0;

    // Whole files carry every line of their mode.
    const size_t expected = first.mode == SelectionMode::Fan2 ? 12 : 10;
    FUZZ_CHECK(first.numbers.size() == expected && first.sawModel, first.input());

    CoolFileRecord record;
    record.mode = first.mode;
    record.width = first.number(CoolField::Width);
    record.depth = first.number(CoolField::Depth);
    record.height = first.number(CoolField::Height);
    record.surfaceArea = first.number(CoolField::SurfaceArea);
    record.internalHeat = first.number(CoolField::InternalHeat);
    record.t1 = first.number(CoolField::T1);
    record.t2 = first.number(CoolField::T2);
    record.t3 = first.number(CoolField::T3);
    record.t4 = first.number(CoolField::T4);
    record.uValue = first.number(CoolField::UValue);
    record.coolingPower = first.number(CoolField::CoolingPower);
    record.modelName = shownInModelField(first.model);
    record.modelCapacity = first.number(CoolField::ModelCapacity);

    Recorder second;
    second.raw = first.raw;
    FUZZ_CHECK(ReadCoolFileData(CoolFileBytes(record), second), first.input());
    FUZZ_CHECK(second.sawMode && second.mode == first.mode, first.input());
    FUZZ_CHECK(second.numbers.size() == first.numbers.size(), first.input());
    for (size_t i = 0; i < first.numbers.size(); ++i) {
        const auto& [field, value] = first.numbers[i];
        FUZZ_CHECK(second.numbers[i].first == field, first.input());
        FUZZ_CHECK(NumberText(second.numbers[i].second) == NumberText(value), first.input());
    }
    FUZZ_CHECK(
        !second.model.contains(QLatin1Char('\n')) && !second.model.contains(QLatin1Char('\r')),
        first.input());
    FUZZ_CHECK(second.model == modelAfterSaving(record.modelName), first.input());
    return 0;
}
