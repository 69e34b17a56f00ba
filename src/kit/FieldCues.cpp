#include "kit/FieldCues.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QSignalBlocker>
#include <QStringList>
#include <QStyle>
#include <QVariant>

#include "calc/NumberText.h"

namespace {

const char* const kDescription = "ccDescription";
const char* const kStale = "ccStale";
const char* const kReadPartly = "ccReadPartly";
const char* const kReadValue = "ccReadValue";
const char* const kNotUsed = "ccNotUsed";
const char* const kFollows = "ccFollows";  // the source, while the field follows it
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
    const QString source = control->property(kFollows).toString();
    if (!source.isEmpty()) lines << wrapped(followsNotice(source));
    if (control->property(kNotUsed).toBool()) {
        if (const auto* field = qobject_cast<const QLineEdit*>(control))
            lines << notUsedNotice(field->text());
    }
    if (control->property(kReadPartly).toBool()) {
        lines << readValueNotice(control->property(kReadValue).toDouble());
    }
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

QString toolTipLines(const QString& text) { return wrapped(text).join(QLatin1Char('\n')); }

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

QString notUsedNotice(const QString& text) {
    if (text.trimmed().isEmpty())
        return QStringLiteral("입력 오류: 칸이 비어 있어 계산에 쓰지 않았습니다.");
    // A long paste is quoted by its start.
    constexpr qsizetype kQuoted = 40;
    const QString quoted = text.size() > kQuoted ? text.left(kQuoted) + QChar(0x2026) : text;
    return QStringLiteral("입력 오류: \"%1\"은(는) 숫자 하나가 아니어서 계산에 쓰지 않았습니다.")
        .arg(quoted);
}

void setFieldNotUsed(QLineEdit* field, bool notUsed) {
    const bool was = field->property(kNotUsed).toBool();
    field->setProperty(kNotUsed, notUsed);
    // The text may have changed under the same cue.
    refreshToolTip(field);
    if (notUsed != was) field->update();
}

bool isFieldNotUsed(const QLineEdit* field) { return field->property(kNotUsed).toBool(); }

namespace {

// 을 after a closed syllable, 를 after an open one, as the source's last
// letter or digit is read aloud (H "에이치", T1 "티일", U "유").
QString objectParticle(const QString& word) {
    for (qsizetype i = word.size() - 1; i >= 0; --i) {
        const QChar c = word.at(i);
        const char16_t u = c.unicode();
        if (u >= 0xAC00 && u <= 0xD7A3)
            return (u - 0xAC00) % 28 ? QStringLiteral("을") : QStringLiteral("를");
        if (c.isDigit())
            return QStringLiteral("0136780").contains(c) ? QStringLiteral("을")
                                                         : QStringLiteral("를");
        if (c.isLetter())
            return QStringLiteral("LMNRlmnr").contains(c) ? QStringLiteral("을")
                                                          : QStringLiteral("를");
    }
    return QStringLiteral("을(를)");
}

}  // namespace

QString followsNotice(const QString& source) {
    return QStringLiteral("%1%2 따릅니다. 값을 입력하면 그 값을 쓰고, 칸을 비우면 다시 따릅니다.")
        .arg(source, objectParticle(source));
}

void setFieldFollows(QLineEdit* field, const QString& source) {
    if (field->property(kFollows).toString() == source) return;
    field->setProperty(kFollows, source);
    field->setProperty(kOwnTextColor, true);
    if (auto* again = field->findChild<QAction*>(field->objectName() + QStringLiteral("Follow")))
        again->setVisible(source.isEmpty());
    QFont font = field->font();
    font.setItalic(!source.isEmpty());
    field->setFont(font);
    refreshFieldColors(field);
    refreshToolTip(field);
}

bool isFieldFollowing(const QLineEdit* field) {
    return !field->property(kFollows).toString().isEmpty();
}

void addFollowAgainButton(QLineEdit* field) {
    QAction* again = field->addAction(field->style()->standardIcon(QStyle::SP_BrowserReload),
                                      QLineEdit::TrailingPosition);
    again->setObjectName(field->objectName() + QStringLiteral("Follow"));
    again->setToolTip(QStringLiteral("입력한 값을 지우고 다시 원래 값을 따릅니다."));
    again->setVisible(!isFieldFollowing(field));
    QObject::connect(again, &QAction::triggered, field, [field]() {
        field->clear();
        const QSignalBlocker quiet(field);
        field->setText(field->placeholderText());
    });
}

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
    const bool following = isFieldFollowing(field);
    QPalette palette = field->palette();
    bool changed = false;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QColor text = inherited.color(group, QPalette::Text);
        if (stale) {
            text = mutedTextColor(text, palette.color(group, QPalette::Base));
        } else if (following) {
            // A value in use, only not typed here: greyer than the text, yet
            // read as easily as a label (contrast above 4.5 in either scheme).
            text = blend(text, palette.color(group, QPalette::Base), 0.65);
        }
        if (palette.color(group, QPalette::Text) != text) {
            palette.setColor(group, QPalette::Text, text);
            changed = true;
        }
    }
    // Only on a change: setting the palette calls this again.
    if (changed) field->setPalette(palette);
}

void setFieldInputError(QLineEdit* field, const QString& why) {
    if (why.isEmpty()) {
        field->setStyleSheet(QString());
        field->setToolTip(description(field));
        return;
    }
    field->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid %1; }")
                             .arg(warningFrameColor(field->palette()).name()));
    field->setToolTip(why + QLatin1Char('\n') + description(field));
}
