#include "app/Form1Cues.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>

#include "app/Form1.h"
#include "kit/FieldCues.h"
#include "kit/Widgets.h"

Form1Cues::Form1Cues(Form1& form) : QObject(&form), m_form(form) {
    // Every field the calculation reads a number from. Any change of their
    // text counts, whoever makes it: what matters is the number read.
    for (QLineEdit* field : {form.txtHeight, form.txtWidth, form.txtDepth, form.txtPP, form.txtT1,
                             form.txtT2, form.txtT3, form.txtT4, form.txtUU}) {
        watchFieldReading(field);
        connect(field, &QLineEdit::textChanged, this, &Form1Cues::update);
    }
    // A result typed over by hand is no calculation's result.
    for (QLineEdit* field : results()) {
        connect(field, &QLineEdit::textEdited, this, [this]() {
            m_notCalculated = true;
            update();
        });
    }
    // Results of another mode are another quantity (W against W/K): stale
    // until the next calculation, or until the mode they belong to is back.
    for (QAbstractButton* mode : {form.OptBoxAircon, form.OptBoxFan1, form.OptBoxFan2}) {
        connect(mode, &QAbstractButton::toggled, this, [this](bool on) {
            if (on) update();
        });
    }
    takeAsCurrent();
}

QList<QLineEdit*> Form1Cues::results() const {
    return {m_form.txtPT, m_form.txtKind, m_form.txtCoolValue};
}

QList<const QLineEdit*> Form1Cues::inputsOf(SelectionMode mode) const {
    const Form1& f = m_form;
    // The internal heat takes no part in mode Fan2, the measured
    // temperatures only there.
    if (mode == SelectionMode::Fan2) {
        return {f.txtHeight, f.txtWidth, f.txtDepth, f.txtT1, f.txtT2, f.txtT3, f.txtT4, f.txtUU};
    }
    return {f.txtHeight, f.txtWidth, f.txtDepth, f.txtPP, f.txtT1, f.txtT2, f.txtUU};
}

QList<double> Form1Cues::currentReading() const {
    QList<double> values;
    for (const QLineEdit* field : inputsOf(m_basisMode)) values << fieldNumber(field);
    return values;
}

void Form1Cues::fieldWritten(CabinetField field) {
    switch (field) {
        case CabinetField::CoolingPower:
        case CabinetField::ModelName:
        case CabinetField::ModelCapacity:
            // Results out of a file belong to the file's inputs, which need not
            // be those now shown.
            m_notCalculated = true;
            update();
            return;
        default:
            return;  // an input: its text change has been seen already
    }
}

void Form1Cues::resultsCalculated() { takeAsCurrent(); }

void Form1Cues::takeAsCurrent() {
    m_basisMode = m_form.selectedMode();
    m_notCalculated = false;
    m_basis = currentReading();
    update();
}

void Form1Cues::update() {
    const QList<QLineEdit*> fields = results();
    // Nothing shown is nothing stale.
    const bool shown = std::any_of(fields.begin(), fields.end(),
                                   [](const QLineEdit* f) { return !f->text().isEmpty(); });
    m_stale = shown && (m_notCalculated || m_form.selectedMode() != m_basisMode ||
                        currentReading() != m_basis);
    for (QLineEdit* field : fields) setFieldStale(field, m_stale);
}
