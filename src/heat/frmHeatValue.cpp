#include "heat/frmHeatValue.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "heat/HeatKeys.h"
#include "kit/CabinetCoolApp.h"
#include "kit/PlatformServices.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

namespace {

// Our own: counts so large that the total left the range of double precision.
// Nothing is written then, so the main window keeps a usable number.
const QString kMsgTotalOutOfRange = QStringLiteral(
    "총 발열량이 계산할 수 있는 범위를 벗어났습니다. 수량을 확인하세요.\n"
    "제어반내 발열량은 바뀌지 않았습니다.");

// The row labels are a size smaller than the captions so that the longest
// ones fit in front of their count fields.
constexpr double kRowLabelPoints = 8.25;

// The frame's line runs through the middle of its caption, so that the rows
// just under the caption stay clear of the line. Painted here: a style sheet
// on the frames would style every row inside them, which makes the window
// slow to open.
class CaptionFrame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()), metrics.height());
        painter.save();
        painter.setClipRegion(QRegion(rect()) - caption.adjusted(-kCaptionGap, 0, kCaptionGap, 0));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(QRect(0, kLineTop, width() - 1, height() - kLineTop - 1));
        painter.restore();
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter, title());
    }

private:
    static constexpr int kCaptionLeft = 8;
    static constexpr int kCaptionGap = 2;
    static constexpr int kLineTop = 8;
};

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

}  // namespace

frmHeatValue::frmHeatValue(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_app(app) {
    setObjectName(QStringLiteral("frmHeatValue"));
    setWindowTitle(QStringLiteral(" [ 종류별 발열량 ]"));
    buildLayout(makeScrollableClient(this, twipsSize(15000, 10515)));
    Form_Load();
    setUpHeatValueKeys(*this, m_app.tables());
}

void frmHeatValue::buildLayout(QWidget* client) {
    const QFont rowFont = uiNumberFont(kRowLabelPoints, false);
    for (const HeatFamilyRows& family : heatFamilies()) {
        auto* frame = new CaptionFrame(qs(family.caption), client);
        frame->setObjectName(QStringLiteral("fra") + qs(family.section));
        frame->setFont(uiFont(9.75, true));
        frame->setGeometry(twipsRect(family.frame.left, family.frame.top, family.frame.width,
                                     family.frame.height));

        std::vector<QLineEdit*>& fields = m_counts[familyIndex(family.family)];
        for (size_t i = 0; i < family.rows.size(); ++i) {
            const int top = family.firstRowTop + kHeatRowPitch * static_cast<int>(i);
            QLabel* label = makeLabel(frame, qs(family.rows[i].label), kHeatLabelLeft, top,
                                      family.fieldLeft - kHeatLabelLeft, kHeatLabelHeight, rowFont);
            label->setObjectName(QStringLiteral("lbl%1_%2").arg(qs(family.section)).arg(i));
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

            QLineEdit* field =
                makeField(frame, QStringLiteral("%1_%2").arg(qs(family.fieldName)).arg(i),
                          family.fieldLeft, top, kHeatFieldWidth, kHeatFieldHeight);
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            field->setText(QStringLiteral("0"));
            label->setBuddy(field);
            fields.push_back(field);
        }
    }

    cmdInitValue = makeButton(client, QStringLiteral("cmdInitValue"), QStringLiteral("초기화"),
                              4200, 9120, 2175, 375);
    cmdCalValue = makeButton(client, QStringLiteral("cmdCalValue"), QStringLiteral("계   산(적용)"),
                             4200, 9600, 2175, 495);
    QLabel* totalLabel = makeLabel(client, QStringLiteral("총 발열량 :"), 6720, 9840, 1095, 255);
    totalLabel->setObjectName(QStringLiteral("lblTotalHeatValue"));
    txtTotalHeatValue =
        makeField(client, QStringLiteral("txtTotalHeatValue"), 7920, 9720, 1335, 375);
    txtTotalHeatValue->setFont(uiNumberFont(9, true));
    txtTotalHeatValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    totalLabel->setBuddy(txtTotalHeatValue);
    cmdExit = makeButton(client, QStringLiteral("cmdExit"), QStringLiteral("Exit"), 9480, 9720,
                         1815, 495);

    // Keyboard order: down each frame in the order of the frames, then the buttons.
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* w) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    };
    for (const HeatFamilyRows& family : heatFamilies()) {
        for (QLineEdit* field : m_counts[familyIndex(family.family)]) chain(field);
    }
    for (QWidget* w : {static_cast<QWidget*>(cmdInitValue), static_cast<QWidget*>(cmdCalValue),
                       static_cast<QWidget*>(txtTotalHeatValue), static_cast<QWidget*>(cmdExit)}) {
        chain(w);
    }

    connect(cmdCalValue, &QPushButton::clicked, this, &frmHeatValue::cmdCalValue_Click);
    connect(cmdInitValue, &QPushButton::clicked, this, &frmHeatValue::cmdInitValue_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmHeatValue::cmdExit_Click);
}

void frmHeatValue::clearSubtotals() { m_subtotals.fill(0.0); }

void frmHeatValue::Form_Load() {
    clearSubtotals();
    m_app.loadIniValues();
}

QLineEdit* frmHeatValue::countField(HeatFamily family, int row) const {
    const std::vector<QLineEdit*>& fields = m_counts[familyIndex(family)];
    if (row < 0 || static_cast<size_t>(row) >= fields.size()) return nullptr;
    return fields[static_cast<size_t>(row)];
}

void frmHeatValue::Sum_Total() {
    HeatCounts counts;
    for (HeatFamily family : heatSumOrder()) {
        for (const QLineEdit* field : m_counts[familyIndex(family)]) {
            counts[familyIndex(family)].push_back(fieldNumber(field));
        }
    }
    const HeatSum sum = sumHeat(counts, m_app.tables());
    m_subtotals = sum.subtotals;

    const QString text = numberText(sum.total);
    if (text.isEmpty()) {
        // The total is not a number that can be written: show no stale total
        // beside the new counts, and leave txtPP and TotalHeatValue as they were.
        txtTotalHeatValue->clear();
        m_app.platform().messageBox(this, kMsgTotalOutOfRange);
        return;
    }
    m_app.tables().TotalHeatValue = sum.total;
    txtTotalHeatValue->setText(text);
    if (MainWindow* main = m_app.mainWindow()) main->setFieldText(CabinetField::InternalHeat, text);
}

void frmHeatValue::cmdCalValue_Click() {
    clearSubtotals();
    Sum_Total();
}

void frmHeatValue::cmdInitValue_Click() {
    clearSubtotals();
    for (HeatFamily family : heatSumOrder()) {
        for (QLineEdit* field : m_counts[familyIndex(family)]) field->setText(QStringLiteral("0"));
    }
    txtTotalHeatValue->setText(QStringLiteral("0"));
}

void frmHeatValue::cmdExit_Click() { m_app.unloadWindow(this); }

QStringList frmHeatValue::countNames() const {
    QStringList names;
    for (const std::vector<QLineEdit*>& fields : m_counts)
        for (const QLineEdit* field : fields) names << field->objectName();
    return names;
}

WindowInputs frmHeatValue::storedInputs() const { return captureControls(this, countNames()); }

void frmHeatValue::applyStoredInputs(const WindowInputs& inputs) {
    // Counts the cabinet has not kept start as at the window's opening.
    for (const std::vector<QLineEdit*>& fields : m_counts)
        for (QLineEdit* field : fields)
            field->setText(inputs.value(field->objectName(), QStringLiteral("0")).toString());
    clearSubtotals();
}
