#pragma once

#include <QSize>
#include <QWidget>
#include <array>

#include "heat/ReferenceTables.h"

class CabinetCoolApp;
class QLabel;
class QPushButton;

// "Heat Produced": six reference tables of typical heat generation of the
// devices inside a control panel, one shown at a time.
class frmHeatProduced : public QWidget {
    Q_OBJECT
public:
    explicit frmHeatProduced(CabinetCoolApp& app);

    static constexpr int kPictures = 6;
    // Picture k (1 to 6) in pixels, shown at its natural size.
    static QSize pictureSize(int k);

    void Form_Load();
    // Button k (1 to 6): shows picture k and hides the others.
    void OptHeatProduced_Click(int k);

    std::array<QPushButton*, kPictures> OptHeatProduced{};  // OptHeatProduced1 ... 6
    std::array<QLabel*, kPictures> Image{};                 // Image1 ... 6

private:
    void buildLayout(QWidget* client);
    // Draws picture k the first time it is shown: the window opens with one
    // picture drawn instead of six.
    void ensurePicture(int k);

    ReferenceTableSet m_tables;

    CabinetCoolApp& m_app;
};
