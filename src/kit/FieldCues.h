#pragma once

#include <QColor>
#include <QString>
#include <span>

class QLineEdit;
class QPalette;
class QWidget;

// What a window tells about its controls beyond their text: a tooltip that
// says what a control is, and two cues on the fields.
//
// - Stale: the field's text is shown in a muted colour and its tooltip says
//   that the inputs have changed since it was calculated.
// - Read partly: the number reader does not use the whole text of the field
//   (a typo such as "1,2" or "2m", or no number at all); the field gets a
//   thin warning frame and its tooltip says which number is used.
//
// A field's tooltip is the cues' notices, one a line, above its description.

// One row of a window's tooltip table: a control by its object name.
struct ToolTipEntry {
    const char* name;
    const char* text;  // UTF-8
};

// Gives each named control of `window` its description. A name that no
// control of the window carries is a fault of the table: it is reported
// with qWarning.
void applyToolTips(QWidget* window, std::span<const ToolTipEntry> table);
// A control's description, shown as its tooltip below the cues.
void setDescription(QWidget* control, const QString& text);
QString description(const QWidget* control);

// The notice of a stale field.
QString staleNotice();
void setFieldStale(QLineEdit* field, bool stale);
bool isFieldStale(const QLineEdit* field);

// The notice of a field read partly: "계산에 쓰는 값: 1".
QString readValueNotice(double value);
// From now on the field shows the read-partly cue whenever its text calls for it.
void watchFieldReading(QLineEdit* field);
bool isFieldReadPartly(const QLineEdit* field);

// - Input error: a window that reads its fields whole (ParseWholeNumber)
//   found no number in it; the field gets the same warning frame, and its
//   tooltip says that it is not calculated with.
QString inputErrorNotice();
void setFieldInputError(QLineEdit* field, bool error);
bool isFieldInputError(const QLineEdit* field);

// The colours of the cues, from the colours of the field: the muted text lies
// between its text and its background; the warning frame is an amber that
// stands out against the background, dark on a light one and light on a dark
// one.
QColor mutedTextColor(const QColor& text, const QColor& background);
QColor warningFrameColor(const QPalette& palette);

// For the field itself: brings its text colour in line with its stale cue
// after its palette has changed (for example, a new colour scheme).
void refreshFieldColors(QLineEdit* field);
