#pragma once

#include <QObject>

#include "kit/MainWindow.h"

class Form1;
class QLineEdit;

// Tells the user whether the main window's results still belong to its
// inputs, and which number each input field is read as.
//
// The results (txtPT, txtKind, txtCoolValue) turn stale when an input they
// depend on changes by the user's hand: typing, choosing the material, the
// component heat window writing the internal heat, or a file being opened.
// They are current again after a calculation has written them, or after a
// mode change. The program's own writes (a mode's defaults, the
// calculation's area) change nothing.
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
    void inputChanged(const QLineEdit* field);
    void setStale(bool stale);
    QList<QLineEdit*> results() const;

    Form1& m_form;
    bool m_stale = false;
};
