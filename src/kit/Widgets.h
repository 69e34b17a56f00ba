#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QPalette;
class QPushButton;
class QWidget;

// Small builders for the fixed layouts of the windows. Positions and sizes are
// in twips, relative to `parent`.

// The Korean user-interface font of the windows.
QFont uiFont(double pointSize = 9, bool bold = true);
// The same with NanumBarunGothic first, for numbers and text beside them:
// its digits are narrower than NanumGothic's, and at small sizes its full
// stop does not look like a comma.
QFont uiNumberFont(double pointSize = 9, bool bold = false);

// A label in the given box.
QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top, int width, int height,
                  bool bold = true, double pointSize = 9);
// A label in the given box, in `font`.
QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top, int width, int height,
                  const QFont& font);
// A label at (left, top), just large enough for its text.
QLabel* makeLabelAt(QWidget* parent, const QString& text, int left, int top, bool bold = true,
                    double pointSize = 9);
// A single-line text box named `name`, in uiNumberFont().
QLineEdit* makeField(QWidget* parent, const QString& name, int left, int top, int width,
                     int height);
// A command button named `name`.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left,
                        int top, int width, int height);
// The number a field holds, read as ParseNumber reads text.
double fieldNumber(const QLineEdit* field);
// A number as the fields show it (NumberText).
QString numberText(double value);
// A field's look on a light grey background (RGB 224, 224, 224), with black
// text in every colour scheme.
void setGreyBackground(QLineEdit* field);
// A read-only field on a white background, with black text.
void setReadOnlyWhite(QLineEdit* field);

// Places `labels` (a field's unit, say), in this order, in the room between
// the control `before` and the control `after` (or the parent's right edge
// when `after` is null), all of them siblings: at their design places where
// the texts fit there, each moved right only as far as it must to keep
// clear of what stands before it. Where that overruns `after`, `before`
// gives up to `beforeMayGive` pixels of its width, and the labels are spread
// evenly over the room, in a plain and then a smaller font only where even
// that does not hold them. Their texts are never cut and touch no control.
// Call again after a text changed: the controls start again from their
// design places.
void fitLabelsBetween(QWidget* before, const QList<QLabel*>& labels, const QWidget* after,
                      int beforeMayGive = 0);

// Whether a field's box holds its whole text. A field made by makeField
// keeps a text it cannot hold whole, shows its start (fieldShownText), and
// its tool tip shows it whole (fieldToolTip) whenever the pointer rests on
// it, as it stands at that moment.
bool fieldShowsWholeText(const QLineEdit* field);
// What a field made by makeField shows of its text while the user is not
// editing it: the whole text where the box holds it, otherwise its start
// followed by "…".
QString fieldShownText(const QLineEdit* field);
// The tip a field made by makeField shows: its whole text when the box cannot
// hold it, followed by the field's own tool tip if it has one; otherwise
// only its own tool tip.
QString fieldToolTip(const QLineEdit* field);

// The colour of a web link's text on a window of `palette`.
QColor linkTextColor(const QPalette& palette);

// A chart's drawing surface: a light ground with dark text on it, in every
// colour scheme, for the chart's fixed line colours.
void setChartSurface(QWidget* surface);
