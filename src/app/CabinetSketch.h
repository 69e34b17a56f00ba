#pragma once

#include <QWidget>

// The line drawing of a cabinet in the main window: front face with a
// two-leaf door, roof and right side in oblique view, and the three dimension
// arrows. Drawn in twips of the main window's frame.
class CabinetSketch : public QWidget {
    Q_OBJECT
public:
    // The area of the frame the sketch occupies, in twips.
    static constexpr int kLeft = 720, kTop = 1920, kRight = 3240, kBottom = 4320;

    explicit CabinetSketch(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
