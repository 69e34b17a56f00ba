#pragma once

#include <QList>
#include <QObject>

#include "kit/MainWindow.h"

class Form1;
class QLineEdit;

// Tells the user whether the main window's results still belong to its
// inputs, and which number each input field is read as.
//
// The results (txtPT, txtKind, txtCoolValue) are stale while a number they
// depend on reads otherwise than when they were calculated: after typing,
// choosing the material, the component heat window writing the internal
// heat, or a file being opened. Results that came from a file, or that the
// user typed over, are stale until the next calculation. So are results of
// another mode after a mode change (a cooling power is no W/K), until that
// mode is chosen again with the same readings. A calculation that writes its
// results makes them current. The program's own writes (a mode's defaults,
// the calculation's area) never make them stale by themselves.
class Form1Cues : public QObject {
    Q_OBJECT
public:
    explicit Form1Cues(Form1& form);

    // A field was written from outside the window, as if the user typed it.
    void fieldWritten(CabinetField field);
    // The calculation has written the results of the current inputs.
    void resultsCalculated();

    bool resultsStale() const { return m_stale; }

private:
    // The inputs that the results of `mode` depend on.
    QList<const QLineEdit*> inputsOf(SelectionMode mode) const;
    QList<double> currentReading() const;
    // The results now belong to the inputs as they read now.
    void takeAsCurrent();
    void update();
    QList<QLineEdit*> results() const;

    Form1& m_form;
    QList<double> m_basis;  // the readings the results belong to, per inputsOf(m_basisMode)
    SelectionMode m_basisMode = SelectionMode::Aircon;
    bool m_notCalculated = false;  // results from a file or typed over
    bool m_stale = false;
};
