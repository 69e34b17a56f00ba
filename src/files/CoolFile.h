#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "calc/HeatBalance.h"
#include "kit/MainWindow.h"

class QIODevice;

// A calculation file (*.col): one value per line, CR LF line ends, no
// header. Twelve lines, or fourteen in mode FAN2 (T3 and T4 after T2):
//
//   marker (Aircon, FAN1, FAN2), width, depth, height, surface area,
//   internal heat, T1, T2, [T3, T4,] U value, cooling power, model, model capacity
//
// Nothing here knows the windows: the commands fill a record from the main
// window before writing, and a sink applies what the reader finds.

struct CoolFileRecord {
    SelectionMode mode = SelectionMode::Aircon;
    double width = 0;
    double depth = 0;
    double height = 0;
    double surfaceArea = 0;
    double internalHeat = 0;
    double t1 = 0;
    double t2 = 0;
    double t3 = 0;  // written in mode FAN2 only
    double t4 = 0;  // written in mode FAN2 only
    double uValue = 0;
    double coolingPower = 0;
    QString modelName;
    double modelCapacity = 0;
};

// The numeric lines name the main window's fields they belong to; the model
// line comes through applyModelName instead.
using CoolField = CabinetField;

// The marker of a mode as the file writes it.
QString CoolModeMarker(SelectionMode mode);

// The whole file for a record: numbers as NumberText, the model line
// trimmed of blanks, line breaks inside it written as blanks, its text in
// CP949 where CP949 holds it (see EncodeModelLine).
QByteArray CoolFileBytes(const CoolFileRecord& record);

// Creates or replaces `path` with the file for `record` (see
// replaceFileContents): where the folder can be written the new file appears
// whole or not at all, and a failed write leaves an existing file as it was;
// where only the file can be written it is rewritten in place. False on any
// failure.
bool WriteCoolFile(const QString& path, const CoolFileRecord& record);

// Receives the values of a file as the reader finds them, one at a time, in
// file order, so that whatever was read before a failure stays applied.
class CoolFileSink {
public:
    virtual ~CoolFileSink() = default;
    // Line 1 was one of the three markers exactly; any other first line
    // names no mode and is not reported.
    virtual void applyMode(SelectionMode mode) = 0;
    // A numeric line. T3 and T4 come only after the marker FAN2.
    virtual void applyNumber(CoolField field, double value) = 0;
    // The model line, decoded (see DecodeModelLine), otherwise unchanged.
    virtual void applyModelName(const QString& text) = 0;
};

// Reads a calculation file from `device` (open for reading) and hands each
// value to `sink` as soon as it is read. False when the data ends before
// the last line, when a line is longer than any calculation file holds, or
// when the last line is not a number as a whole (see ParseStrictNumber).
// Reads at most the lines the format has; anything after them is ignored.
// Accepts CR LF and LF line ends, and a UTF-8 byte order mark.
bool ReadCoolFile(QIODevice& device, CoolFileSink& sink);
// The same from a file; false also when it cannot be opened or is no
// regular file (a pipe or device would block or never end). The file is
// closed again on every path.
bool ReadCoolFile(const QString& path, CoolFileSink& sink);
// The same from bytes in memory.
bool ReadCoolFileData(const QByteArray& data, CoolFileSink& sink);

// The longest line the reader takes. The model field holds at most 32767
// UTF-16 units, at most three UTF-8 bytes each; every other line is short.
inline constexpr qsizetype kMaxCoolFileLine = 128 * 1024;

// A whole text as one number: blanks and tabs around it, nothing else (see
// ParseWholeNumber). Every number the writer puts in a file reads back,
// the largest double included; beyond that range a value reads as the
// largest double of its sign, as ParseNumber reads it in the other lines.
std::optional<double> ParseStrictNumber(const QByteArray& text);

// The material a coefficient stands for: 0 (steel) for exactly 5, 1 (resin)
// for exactly 3.7, none for any other value.
std::optional<int> MaterialOfUValue(double uValue);
