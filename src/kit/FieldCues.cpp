#include "kit/FieldCues.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QStringList>
#include <QVariant>

#include "calc/NumberText.h"

namespace {

const char* const kDescription = "ccDescription";
const char* const kStale = "ccStale";
const char* const kReadPartly = "ccReadPartly";
const char* const kReadValue = "ccReadValue";
const char* const kInputError = "ccInputError";
// Set once a field has had a stale cue: only then does it carry a text colour
// of its own that has to follow the colour scheme.
const char* const kOwnTextColor = "ccOwnTextColor";

// In whole 8-bit steps, as the screen shows it.
QColor blend(const QColor& a, const QColor& b, double weightOfA) {
    const auto mix = [weightOfA](int x, int y) {
        return qRound(x * weightOfA + y * (1 - weightOfA));
    };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

// A tooltip shows its lines unbroken: a long description is broken at its
// blanks so that it stays beside the control it describes.
QStringList wrapped(const QString& text, qsizetype width = 48) {
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '))) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

void refreshToolTip(QWidget* control) {
    QStringList lines;
    if (control->property(kStale).toBool()) lines << staleNotice();
    if (control->property(kReadPartly).toBool()) {
        lines << readValueNotice(control->property(kReadValue).toDouble());
    }
    if (control->property(kInputError).toBool()) lines << inputErrorNotice();
    const QString text = description(control);
    if (!text.isEmpty()) lines << wrapped(text);
    control->setToolTip(lines.join(QLatin1Char('\n')));
}

void refreshReading(QLineEdit* field) {
    const std::string text = field->text().toStdString();
    const bool partly = !IsWholeNumber(text);
    const bool was = field->property(kReadPartly).toBool();
    field->setProperty(kReadPartly, partly);
    field->setProperty(kReadValue, ParseNumberPrefix(text).value);
    refreshToolTip(field);
    if (partly != was) field->update();
}

}  // namespace

void applyToolTips(QWidget* window, std::span<const ToolTipEntry> table) {
    for (const ToolTipEntry& entry : table) {
        const QString name = QString::fromLatin1(entry.name);
        QWidget* control =
            window->objectName() == name ? window : window->findChild<QWidget*>(name);
        if (!control) {
            qWarning("tooltip for %s: %s has no such control", qPrintable(window->objectName()),
                     entry.name);
            continue;
        }
        setDescription(control, QString::fromUtf8(entry.text));
    }
}

void setDescription(QWidget* control, const QString& text) {
    control->setProperty(kDescription, text);
    refreshToolTip(control);
}

QString description(const QWidget* control) { return control->property(kDescription).toString(); }

QString staleNotice() { return QStringLiteral("입력이 바뀌었습니다. 계 산을 다시 누르세요."); }

void setFieldStale(QLineEdit* field, bool stale) {
    if (field->property(kStale).toBool() == stale) return;
    field->setProperty(kStale, stale);
    field->setProperty(kOwnTextColor, true);
    refreshFieldColors(field);
    refreshToolTip(field);
}

bool isFieldStale(const QLineEdit* field) { return field->property(kStale).toBool(); }

QString readValueNotice(double value) {
    return QStringLiteral("계산에 쓰는 값: ") + QString::fromStdString(NumberText(value));
}

void watchFieldReading(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textChanged, field, [field]() { refreshReading(field); });
    refreshReading(field);
}

bool isFieldReadPartly(const QLineEdit* field) { return field->property(kReadPartly).toBool(); }

QString inputErrorNotice() {
    return QStringLiteral("숫자 하나로 읽을 수 없어 계산에 쓰지 않습니다.");
}

void setFieldInputError(QLineEdit* field, bool error) {
    if (field->property(kInputError).toBool() == error) return;
    field->setProperty(kInputError, error);
    refreshToolTip(field);
    field->update();
}

bool isFieldInputError(const QLineEdit* field) { return field->property(kInputError).toBool(); }

QColor mutedTextColor(const QColor& text, const QColor& background) {
    // Half way: still readable, plainly not the normal text.
    return blend(text, background, 0.5);
}

QColor warningFrameColor(const QPalette& palette) {
    // Amber drawn a third of the way towards black on a light background and
    // towards white on a dark one. The background decides, not the text
    // colour: some fields have a light background of their own.
    const bool light = palette.color(QPalette::Base).lightnessF() >= 0.5;
    return blend(QColor(255, 140, 0), light ? QColor(Qt::black) : QColor(Qt::white), 0.65);
}

void refreshFieldColors(QLineEdit* field) {
    if (!field->property(kOwnTextColor).toBool()) return;
    const QWidget* parent = field->parentWidget();
    const QPalette inherited = parent ? parent->palette() : QApplication::palette(field);
    const bool stale = isFieldStale(field);
    QPalette palette = field->palette();
    bool changed = false;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QColor text = inherited.color(group, QPalette::Text);
        if (stale) text = mutedTextColor(text, palette.color(group, QPalette::Base));
        if (palette.color(group, QPalette::Text) != text) {
            palette.setColor(group, QPalette::Text, text);
            changed = true;
        }
    }
    // Only on a change: setting the palette calls this again.
    if (changed) field->setPalette(palette);
}
