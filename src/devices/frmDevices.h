#pragma once

#include <QHash>
#include <QList>
#include <QWidget>

#include "design/DeviceList.h"

class CabinetCoolApp;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// "기기 발열 목록": the devices and conductors of the current cabinet with
// their losses at the real load, the sum that becomes P, and each device's
// margin to the air at its mounting height. The window edits the cabinet's
// list (every edit is kept in the project at once) and shows the design
// layer's evaluation of it (evaluateDeviceList), the one the report gives.
class frmDevices : public QWidget {
    Q_OBJECT
public:
    explicit frmDevices(CabinetCoolApp& app);

    // The current cabinet's list afresh.
    void Form_Load();
    // Evaluates the list as it stands and shows the results.
    void recompute();

    void cmdDevAdd_Click();
    void cmdDevAddConductor_Click();
    void cmdDevDuplicate_Click();
    void cmdDevRemove_Click();
    void moveSelected(int step);
    void cmdDevLibrary_Click();
    void cmdDevImport_Click();
    // Lines taken from the library or a CSV file, at the end of the list.
    void appendLines(const QList<DeviceLineTexts>& lines);
    void cmdDevicesApply_Click();
    void cmdDevicesExit_Click();

    const QList<DeviceLineTexts>& lines() const { return m_lines; }
    const DeviceListEvaluation& evaluation() const { return m_eval; }
    int selectedLine() const;

    // The table's columns.
    enum Column {
        ColKind,
        ColDescription,
        ColCount,
        ColIn,
        ColPn,
        ColIb,
        ColHeight,
        ColTmax,
        ColGroup,
        ColFactor,
        ColLoss,
        ColAir,
        ColMargin,
        ColVerdict,
        ColumnCount
    };
    // The member a cell of a line of `kind` edits; empty for a cell shown only.
    static QString memberOf(int column, DeviceLineKind kind);

    QTableWidget* tblDevices;
    QLineEdit *txtDevDescription, *txtDevCount, *txtDevIn, *txtDevPn, *txtDevIb, *txtDevHeight,
        *txtDevTmax, *txtDevGroup;
    QLineEdit *txtCondDescription, *txtCondSection, *txtCondLength, *txtCondCurrent, *txtCondCount,
        *txtCondTemp;
    QComboBox* cboCondClass;
    QGroupBox *fraDevLine, *fraCondLine;
    QPushButton *cmdDevAdd, *cmdDevAddConductor, *cmdDevDuplicate, *cmdDevRemove, *cmdDevUp,
        *cmdDevDown, *cmdDevLibrary, *cmdDevImport, *cmdDevicesApply, *cmdDevicesExit;
    QLineEdit *txtDevicesLoss, *txtConductorsLoss, *txtDevicesTotal;
    QLabel *lblDevVerdict, *lblDevSource, *lblDevStatus;

private:
    void buildLayout(QWidget* client);
    void setUpToolTips();
    void fillTable();
    void fillRow(int row);
    void showSelected();
    void cellEdited(int row, int column);
    void fieldEdited(QLineEdit* field, const QString& member);
    void store();
    void insertLine(int at, DeviceLineTexts line);  // a copy: it may be one of the list's

    CabinetCoolApp& m_app;
    QList<DeviceLineTexts> m_lines;
    DeviceListEvaluation m_eval;
    QHash<QLineEdit*, QString> m_fieldMembers;
    bool m_filling = false;
    bool m_storing = false;
};
