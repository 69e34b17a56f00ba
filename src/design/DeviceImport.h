#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "project/Project.h"

// Where device lines come from besides typing: the library of typical
// devices (the program's own and the user's, both the same JSON format,
// docs/loss-library.md) and a bill of materials as CSV. Bytes in, lines
// or a message naming the line out; no file access, no widget.

// One entry of a library: what it is, its rated current and loss as texts.
struct LossLibraryEntry {
    QString description;
    QString ratedCurrent;  // A; empty for a device without a current
    QString ratedLoss;     // W at the rated current
    QString note;          // where the figures come from
    bool operator==(const LossLibraryEntry&) const = default;
};

struct LossLibraryReading {
    QList<LossLibraryEntry> devices;
    QString error;  // empty when read; else what is wrong, naming the line
};

inline const QString kLossLibraryFormat = QStringLiteral("cabinetcool-loss-library");
inline constexpr int kLossLibraryVersion = 1;
inline constexpr int kMaxLossLibraryEntries = 5000;
inline constexpr qint64 kMaxDeviceFileBytes = 4 * 1024 * 1024;

LossLibraryReading readLossLibrary(const QByteArray& bytes);
QByteArray lossLibraryBytes(const QList<LossLibraryEntry>& devices);
// A new device line from an entry: its texts, count 1.
DeviceLineTexts deviceLineOf(const LossLibraryEntry& device);

// ---- CSV ----------------------------------------------------------------------

struct CsvTable {
    QList<QStringList> rows;
    QList<int> lineNumbers;  // the file's line where each row starts, from 1
    QString error;           // empty when read
};
// Reads CSV of UTF-8 (a byte-order mark is passed over): fields separated
// by the first of ";", tab or "," found in the first line, quoted with '"'
// (doubled inside), blank lines passed over.
CsvTable readCsv(const QByteArray& bytes);

// Which column holds what; -1 for none.
struct CsvMapping {
    int description = -1;
    int count = -1;
    int ratedCurrent = -1;
    int ratedLoss = -1;
};
// The columns a header names: 품목/description/item/name/part/bezeichnung, 수량/count/
// qty/quantity/menge, 정격 전류/in/rated current/current, 손실/loss/pv/pn/
// power loss.
CsvMapping guessCsvMapping(const QStringList& header);

struct CsvImport {
    QList<DeviceLineTexts> lines;
    QStringList errors;  // "5행: ..." per bad row; any makes lines empty
};
// The rows after the header as device lines; a row whose texts the list
// cannot calculate with, or that would take the list beyond
// kMaxDeviceLines with `existing` lines, is an error, and then nothing is
// imported.
CsvImport importCsv(const CsvTable& table, const CsvMapping& mapping, qsizetype existing);
