#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QLineEdit;
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
// A field's look on a light grey background (RGB 224, 224, 224).
void setGreyBackground(QLineEdit* field);
// A read-only field on a white background.
void setReadOnlyWhite(QLineEdit* field);
