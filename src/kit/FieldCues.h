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
// - Not used: a window that reads its fields whole (our own windows) found
//   no single number in the field's text; the field gets the same warning
//   frame and its tooltip says what was typed and that it was not used.
//
// - Follows: the field shows a value taken from elsewhere (the main window,
//   the dimensions) until the user types over it; its text is greyer than
//   typed text (less than the stale cue's) and italic, and its tooltip
//   names where the value comes from.
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
// A description broken into lines as the tooltips show it, for a tooltip
// that a window composes itself.
QString toolTipLines(const QString& text);

// The notice of a stale field.
QString staleNotice();
void setFieldStale(QLineEdit* field, bool stale);
bool isFieldStale(const QLineEdit* field);

// The notice of a field read partly: "계산에 쓰는 값: 1".
QString readValueNotice(double value);
// From now on the field shows the read-partly cue whenever its text calls for it.
void watchFieldReading(QLineEdit* field);
bool isFieldReadPartly(const QLineEdit* field);

// The notice of a field whose text was not used: what was typed, and why.
QString notUsedNotice(const QString& text);
// Sets or clears the not-used cue; its notice follows the field's text as
// it stands at each call.
void setFieldNotUsed(QLineEdit* field, bool notUsed);
bool isFieldNotUsed(const QLineEdit* field);

// The notice of a following field: "주 화면의 높이 H를 따릅니다. ...".
QString followsNotice(const QString& source);
// Sets the follows cue with the value's source, or clears it (an empty
// source: the user's own value).
void setFieldFollows(QLineEdit* field, const QString& source);
bool isFieldFollowing(const QLineEdit* field);
// A small button at the end of a field that can follow, shown while the
// user's own value stands there: it empties the field, so that it follows
// again, and shows the followed value (the field's placeholder text, which
// the window keeps). Named after the field: "txtClimHFollow".
void addFollowAgainButton(QLineEdit* field);

// A field whose text was not taken by a window that keeps its value as it
// is typed (the project window, the device library): an amber frame, and
// the reason above its description in the tooltip. Cleared by an empty
// reason.
void setFieldInputError(QLineEdit* field, const QString& why);

// The colours of the cues, from the colours of the field: the muted text lies
// between its text and its background; the warning frame is an amber that
// stands out against the background, dark on a light one and light on a dark
// one.
QColor mutedTextColor(const QColor& text, const QColor& background);
QColor warningFrameColor(const QPalette& palette);

// For the field itself: brings its text colour in line with its stale cue
// after its palette has changed (for example, a new colour scheme).
void refreshFieldColors(QLineEdit* field);
