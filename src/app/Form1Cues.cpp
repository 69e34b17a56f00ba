#include "app/Form1Cues.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QRadioButton>

#include "app/Form1.h"
#include "kit/FieldCues.h"

Form1Cues::Form1Cues(Form1& form) : QObject(&form), m_form(form) {
    // Every field the calculation reads a number from.
    for (QLineEdit* field : {form.txtHeight, form.txtWidth, form.txtDepth, form.txtPP, form.txtT1,
                             form.txtT2, form.txtT3, form.txtT4, form.txtUU}) {
        watchFieldReading(field);
        connect(field, &QLineEdit::textEdited, this, [this, field]() { inputChanged(field); });
    }
    // A result typed over by hand is no calculation's result either.
    for (QLineEdit* field : results()) {
        connect(field, &QLineEdit::textEdited, this, [this]() { setStale(true); });
    }
    // These run after the window's own handlers, which have then written
    // the mode's defaults or the material's coefficient.
    for (QAbstractButton* mode : {form.OptBoxAircon, form.OptBoxFan1, form.OptBoxFan2}) {
        connect(mode, &QAbstractButton::toggled, this, [this](bool on) {
            if (on) setStale(false);
        });
    }
    for (QRadioButton* material : form.optSel) {
        connect(material, &QAbstractButton::toggled, this, [this](bool on) {
            if (on) inputChanged(m_form.txtUU);
        });
    }
}

QList<QLineEdit*> Form1Cues::results() const {
    return {m_form.txtPT, m_form.txtKind, m_form.txtCoolValue};
}

void Form1Cues::fieldWritten(CabinetField field) {
    switch (field) {
        case CabinetField::CoolingPower:
        case CabinetField::ModelName:
        case CabinetField::ModelCapacity:
            // Results out of a file: they belong to the file's inputs, which
            // need not be the ones now shown.
            setStale(true);
            return;
        case CabinetField::Height:
            inputChanged(m_form.txtHeight);
            return;
        case CabinetField::Width:
            inputChanged(m_form.txtWidth);
            return;
        case CabinetField::Depth:
            inputChanged(m_form.txtDepth);
            return;
        case CabinetField::InternalHeat:
            inputChanged(m_form.txtPP);
            return;
        case CabinetField::T1:
            inputChanged(m_form.txtT1);
            return;
        case CabinetField::T2:
            inputChanged(m_form.txtT2);
            return;
        case CabinetField::T3:
            inputChanged(m_form.txtT3);
            return;
        case CabinetField::T4:
            inputChanged(m_form.txtT4);
            return;
        case CabinetField::UValue:
            inputChanged(m_form.txtUU);
            return;
        case CabinetField::SurfaceArea:
            return;  // the calculation works it out again
    }
}

void Form1Cues::resultsCalculated() { setStale(false); }

void Form1Cues::inputChanged(const QLineEdit* field) {
    // The internal heat takes no part in mode Fan2, the measured
    // temperatures only there.
    const SelectionMode mode = m_form.selectedMode();
    if (field == m_form.txtPP && mode == SelectionMode::Fan2) return;
    if ((field == m_form.txtT3 || field == m_form.txtT4) && mode != SelectionMode::Fan2) return;
    setStale(true);
}

void Form1Cues::setStale(bool stale) {
    // Nothing shown is nothing stale.
    if (stale) {
        const QList<QLineEdit*> fields = results();
        stale = std::any_of(fields.begin(), fields.end(),
                            [](const QLineEdit* f) { return !f->text().isEmpty(); });
    }
    m_stale = stale;
    for (QLineEdit* field : results()) setFieldStale(field, stale);
}
