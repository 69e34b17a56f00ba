#pragma once

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

#include "project/DeviceLibrary.h"

// A project: a job's data and its cabinets, each with everything the windows
// hold of it, as the user typed it. Plain values and Qt Core only: no
// widget, no file access (the windows save the bytes this layer makes).
//
// Texts are kept as typed (a field's text, not a number read from it), so
// that a saved project reopens exactly; the windows read their numbers with
// the program's own reader when they compute.

// One window's inputs: control name (its objectName) to its value, a text
// for a field, a whole number for a list's choice, true or false for a check
// box.
using WindowInputs = QMap<QString, QVariant>;

// One line of a cabinet's device list as typed: member name to text
// ("kind": "device" or "conductor", "description", "count", "in", "pn", ...;
// docs/project-format.md lists them). A member not typed is missing.
using DeviceLineTexts = QMap<QString, QString>;

// What the last calculation of a cabinet gave, for the summary of a project;
// opening a project computes again and marks a difference.
struct CabinetResults {
    bool calculated = false;
    QString requirement;  // the cooling power or W/K, as the result field showed it
    QString unit;         // "W" or "W/K"
    QString model;        // the recommended model
    QString method;       // which calculation gave it
    bool operator==(const CabinetResults&) const = default;
};

struct Cabinet {
    QString tag;  // "+A1", unique in the project
    QString description;
    int count = 1;  // identical units

    // The main window: its mode ("Aircon", "Fan1", "Fan2"), material index,
    // and the text of each field by its name ("txtHeight", ...).
    QString mode = QStringLiteral("Aircon");
    int material = 0;
    QMap<QString, QString> fields;

    WindowInputs heat;  // the component heat window's quantities
    // The climate design's and the temperature-rise verification's own
    // inputs. A value these take from the main window or the dimensions has
    // no entry while it follows its source; an entry is a text typed over it.
    WindowInputs climate;
    WindowInputs rise;
    // The device list: the devices and conductors whose losses make up P,
    // in the order of the list window.
    QList<DeviceLineTexts> devices;

    // Which method governs the cabinet's answer ("main", "climate") and the
    // kind of device that gives it ("aircon", "heat-exchanger", "filter-fan",
    // "heater", "none"); empty for the program's choice.
    QString method;
    QString device;
    // The engineer's own device from the library that answers it, with its
    // units; none for the built-in lists' model.
    LibraryPick libraryDevice;

    CabinetResults results;
    // Members of this cabinet written by a later version, kept as they were.
    QJsonObject unknown;

    bool operator==(const Cabinet&) const = default;
};

struct ProjectInfo {
    QString name, customer, site, author, company, revision, date, note;
    QJsonObject unknown;
    bool operator==(const ProjectInfo&) const = default;
};

struct Project {
    ProjectInfo info;
    QList<Cabinet> cabinets;
    // A copy of each library device the cabinets pick, so the project opens
    // the same without the user's library. Written for the picked ones only.
    QList<LibraryDevice> library;
    QJsonObject unknown;  // top-level members of a later version
    bool operator==(const Project&) const = default;
};

inline constexpr int kProjectFormatVersion = 3;
inline constexpr int kMaxCabinets = 1000;
// The most lines of one cabinet's device list: a large bill of materials
// holds a few hundred; the list window and the report stay quick up to this.
inline constexpr int kMaxDeviceLines = 2000;
inline constexpr qint64 kMaxProjectFileBytes = 16 * 1024 * 1024;
// The longest texts a project holds, in characters (UTF-16 code units): each
// one-line text (the project's name, customer, site, author, company,
// revision and date, a cabinet's tag and description) and the note. Qt lays
// a line out in time that grows with its length, faster than linearly
// without spaces: a note of one line of 10000 characters takes about 10 ms,
// one of a million half a minute; a table cell re-measures its text at every
// change.
inline constexpr int kMaxProjectLineLength = 256;
inline constexpr int kMaxProjectNoteLength = 10000;
inline const QString kProjectFormatName = QStringLiteral("cabinetcool-project");
inline const QString kProjectFileSuffix = QStringLiteral("ccproj");

struct ProjectReading {
    std::optional<Project> project;  // empty when the file cannot be used
    QString error;                   // what is wrong, in Korean, without the file's name
    int version = 0;                 // the file's format version, when it has one
    // A file of a later version that this one could read: shown, not saved
    // over.
    bool readOnly = false;
    // Texts longer than their limit were cut to it: the project is shown,
    // and saved only under a name the user chooses, so that the file keeps
    // them whole.
    bool textsCut = false;
    // What the reader changed so that the project can be used (a text cut,
    // a tag made unique), one line each, in Korean; empty when nothing.
    QStringList changes;
};

// Reads a project file's bytes. Every fault gives a message: empty, cut
// short, not JSON, another shape, a member of the wrong type, a tag used
// twice, too many cabinets, too large. Two tags that differ only in spaces
// at their ends (which every window shows alike) are no fault: the later
// one is made unique. Texts over their limit are cut to it.
ProjectReading ReadProject(const QByteArray& bytes);

// The file for a project: UTF-8 JSON, indented, ending with a line break.
QByteArray ProjectBytes(const Project& project);

// A tag for a new cabinet not yet used in the project: "+A1", "+A2", ...
QString NextCabinetTag(const Project& project);
// `tag` made unique in the project by a number behind it ("+A1 (2)"),
// within kMaxProjectLineLength (the number replaces the end of a tag too
// long for it). Tags are compared without the spaces at their ends, as the
// windows show them.
QString UniqueCabinetTag(const Project& project, const QString& tag);
