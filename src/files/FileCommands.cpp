#include "files/FileCommands.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <array>

#include "app/CabinetCoolApp.h"
#include "app/Form1.h"
#include "app/PlatformServices.h"
#include "app/Widgets.h"
#include "files/CoolFile.h"

namespace {

PlatformServices::FileDialog coolFileDialog(const CabinetCoolApp& app, bool save) {
    PlatformServices::FileDialog d;
    // Both dialogs carry the same title.
    d.title = QStringLiteral("Cool file Save");
    d.startFolder = QDir::fromNativeSeparators(
        QString::fromStdU16String(app.paths().calculationFolder().u16string()));
    d.filters = {QStringLiteral("Cool File (*.COL) (*.col)"), QStringLiteral(" ALL File (*.*) (*)")};
    d.confirmOverwrite = save;
    return d;
}

CoolFileRecord recordOf(const Form1& form) {
    CoolFileRecord r;
    r.mode = form.selectedMode();
    r.width = fieldNumber(form.txtWidth);
    r.depth = fieldNumber(form.txtDepth);
    r.height = fieldNumber(form.txtHeight);
    r.surfaceArea = fieldNumber(form.txtSS);
    r.internalHeat = fieldNumber(form.txtPP);
    r.t1 = fieldNumber(form.txtT1);
    r.t2 = fieldNumber(form.txtT2);
    if (r.mode == SelectionMode::Fan2) {
        r.t3 = fieldNumber(form.txtT3);
        r.t4 = fieldNumber(form.txtT4);
    }
    r.uValue = fieldNumber(form.txtUU);
    r.coolingPower = fieldNumber(form.txtPT);
    r.modelName = form.txtKind->text();
    r.modelCapacity = fieldNumber(form.txtCoolValue);
    return r;
}

// Puts each value of a file into the main window the moment it is read, as
// the user would have entered it: the mode and the material through their
// buttons, numbers in their NumberText form.
class MainWindowSink : public CoolFileSink {
public:
    explicit MainWindowSink(Form1& form) : m_form(form) {}

    void applyMode(SelectionMode mode) override { m_form.selectMode(mode); }

    void applyNumber(CoolField field, double value) override {
        if (field == CoolField::UValue) {
            // The coefficient is shown by choosing its material; a value that
            // is no material's leaves both as they are.
            if (const std::optional<int> material = MaterialOfUValue(value)) {
                m_form.selectMaterial(*material);
            }
            return;
        }
        fieldOf(field)->setText(numberText(value));
    }

    void applyModelName(const QString& text) override { m_form.txtKind->setText(text); }

private:
    QLineEdit* fieldOf(CoolField field) const {
        switch (field) {
        case CoolField::Width: return m_form.txtWidth;
        case CoolField::Depth: return m_form.txtDepth;
        case CoolField::Height: return m_form.txtHeight;
        case CoolField::SurfaceArea: return m_form.txtSS;
        case CoolField::InternalHeat: return m_form.txtPP;
        case CoolField::T1: return m_form.txtT1;
        case CoolField::T2: return m_form.txtT2;
        case CoolField::T3: return m_form.txtT3;
        case CoolField::T4: return m_form.txtT4;
        case CoolField::UValue: return m_form.txtUU;
        case CoolField::CoolingPower: return m_form.txtPT;
        case CoolField::ModelCapacity: break;
        }
        return m_form.txtCoolValue;
    }

    Form1& m_form;
};

// The buttons that make no sense on paper, in the order they are hidden and
// shown again.
std::array<QPushButton*, 6> screenOnlyButtons(const Form1& form) {
    return {form.cmdURL, form.cmdExit, form.cmdHelp, form.cmdPrint, form.cmdSaveAs, form.cmdOpen};
}

// Hides the buttons for the print and shows them again however it ends.
class HiddenWhilePrinting {
public:
    explicit HiddenWhilePrinting(Form1& form) : m_buttons(screenOnlyButtons(form)) {
        // The print button itself usually has the focus. Hidden, it would
        // hand it on to the first field, whose selected text would then be
        // printed and stay selected; instead the window keeps no focus while
        // printing and the button gets it back afterwards.
        QWidget* focus = form.focusWidget();
        if (std::find(m_buttons.begin(), m_buttons.end(), focus) != m_buttons.end()) {
            m_focus = focus;
            focus->clearFocus();
        }
        for (QPushButton* b : m_buttons) b->setVisible(false);
    }
    ~HiddenWhilePrinting() {
        for (QPushButton* b : m_buttons) b->setVisible(true);
        if (m_focus) m_focus->setFocus(Qt::OtherFocusReason);
    }
    HiddenWhilePrinting(const HiddenWhilePrinting&) = delete;
    HiddenWhilePrinting& operator=(const HiddenWhilePrinting&) = delete;

private:
    std::array<QPushButton*, 6> m_buttons;
    QPointer<QWidget> m_focus;
};

}  // namespace

void saveCalculationAs(CabinetCoolApp& app) {
    Form1* form = app.mainWindow();
    const QString path = app.platform().saveFileName(form, coolFileDialog(app, true));
    if (path.isEmpty()) return;
    if (!WriteCoolFile(path, recordOf(*form))) {
        // Nothing about the format can fail here: the file could not be
        // created or written (no permission, no room, a folder by that name).
        app.platform().fileWriteErrorBox(form, fileWriteErrorText(path));
    }
}

void openCalculation(CabinetCoolApp& app) {
    Form1* form = app.mainWindow();
    const QString path = app.platform().openFileName(form, coolFileDialog(app, false));
    if (path.isEmpty()) return;
    openCalculationFile(app, path);
}

void openCalculationFile(CabinetCoolApp& app, const QString& path) {
    Form1* form = app.mainWindow();
    MainWindowSink sink(*form);
    if (!ReadCoolFile(path, sink)) app.platform().fileErrorBox(form);
}

QString fileWriteErrorText(const QString& path) {
    return QStringLiteral(
               "파일을 저장할 수 없습니다.\n%1\n\n"
               "이 폴더에 쓸 권한이 있는지, 디스크에 빈 공간이 있는지 확인하고 "
               "다른 폴더를 골라 다시 저장하세요.")
        .arg(QDir::toNativeSeparators(path));
}

void printMainWindow(CabinetCoolApp& app) {
    Form1* form = app.mainWindow();
    const HiddenWhilePrinting hidden(*form);
    // Cancel and failure end like success: the buttons come back, silently.
    app.platform().printWindow(form, form);
}
