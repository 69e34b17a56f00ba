#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "calc/ClimateDesign.h"
#include "calc/HeatBalance.h"
#include "calc/TemperatureRise.h"
#include "data/EquipmentHeatTables.h"
#include "design/DeviceList.h"
#include "design/HeatValueTable.h"
#include "kit/CalculationTexts.h"
#include "kit/MainWindow.h"
#include "project/Project.h"

// The design of one cabinet, evaluated from what the project keeps of it
// and the equipment tables alone: every result of every method the cabinet
// uses, the answer that governs, and the devices it needs. No window takes
// part: the windows edit a cabinet's inputs and show this evaluation, and
// the reports render it, so a report is a function of the project file.

// ---- inputs that follow another -----------------------------------------
//
// A value the climate design or the temperature-rise verification takes
// from the main window (or the sunlit area from the dimensions) follows its
// source while the cabinet keeps no text of its own for it: the kept map
// has no entry of that name. A text typed over it is kept, and clearing it
// makes the value follow again.

// Where a following value comes from, in the tooltip's words.
struct FollowedValue {
    QString text;    // the value as the window shows it ("2", "1.38")
    QString source;  // "주 화면의 높이 H", "치수에서 (W·D + W·H)" ...
};

// The climate design's inputs that follow the main window or the dimensions.
extern const QStringList kClimateFollowingInputs;  // txtClimH ... txtClimSunArea
// The temperature-rise verification's: H, W, D and P.
extern const QStringList kRiseFollowingInputs;

// The value a following input of the climate design or the rise
// verification has for this cabinet (with the kept typed values of the same
// window, for the sunlit area's dimensions); none for a name that does not
// follow.
std::optional<FollowedValue> climateFollowedValue(const Cabinet& cabinet, const QString& name);
std::optional<FollowedValue> riseFollowedValue(const Cabinet& cabinet, const QString& name);

// The text an input of the window has for this cabinet: the kept one, else
// the followed one, else the window's default.
QString climateInputText(const Cabinet& cabinet, const QString& name);
QString riseInputText(const Cabinet& cabinet, const QString& name);

// The climate design window's defaults for its own inputs, by control name
// (a text, an index or a check), and the defaults' reasons for the window.
const WindowInputs& climateDefaults();
const WindowInputs& riseDefaults();

// ---- governing method and device ----------------------------------------

enum class GoverningMethod { Main, Climate };
// The kind of device that answers the cabinet's need; None: a closed
// enclosure cooled by its walls.
enum class DeviceKind { Aircon, HeatExchanger, FilterFan, Heater, None };

// The cabinet's choice as kept ("" for automatic) and as it resolves: the
// climate design when the cabinet has one, else the main calculation; the
// device of the main window's mode.
GoverningMethod governingMethod(const Cabinet& cabinet);
DeviceKind deviceKind(const Cabinet& cabinet);
// The kept names: "main", "climate"; "aircon", "heat-exchanger",
// "filter-fan", "heater", "none".
QString governingMethodName(GoverningMethod method);
QString deviceKindName(DeviceKind kind);
std::optional<GoverningMethod> governingMethodOfName(const QString& name);
std::optional<DeviceKind> deviceKindOfName(const QString& name);
// On screen and on paper.
QString governingMethodText(GoverningMethod method);  // "기본 계산", "상세 설계"
QString deviceKindText(DeviceKind kind);              // "에어컨", "열교환기", ...

// ---- the evaluation ---------------------------------------------------------

// The model lists beside the main window's tables.
struct DesignTables {
    const EquipmentHeatTables* equipment = nullptr;
    std::vector<ClimateModel> filterFans;
    std::vector<ClimateModel> heaters;
    // The engineer's own devices a cabinet may pick: the project's copies,
    // then the user's library.
    QList<LibraryDevice> library;
};

// An input the design does not calculate with: which, as typed, and why.
struct DesignInputError {
    QString name;     // the control's name ("txtHeight", "txtClimRH")
    QString caption;  // "높이 H"
    QString text;     // as kept
    QString why;      // in plain words, naming the input
};

// The main window's calculation ("계 산") on the kept fields, without a
// message box: what it would write and, in order, what it would say.
struct MainEvaluation {
    HeatBalanceInput input;
    QList<DesignInputError> errors;  // inputs not read whole or out of range
    bool finite = true;
    double area = 0;
    double deltaT = 0;
    std::optional<double> result;   // R; none for equal temperatures in a fan mode
    QString resultText;             // "1275.00", as the result field shows it
    std::optional<int> modelIndex;  // into the mode's model table
    QString modelName;
    double modelCapacity = 0;
    QList<CalculationMessage> messages;
    bool chartOpens = false;
};

// The component heat window's rows of the cabinet that count.
struct HeatRowEvaluation {
    QString component;
    double count = 0;
    double perUnit = 0;   // W
    double subtotal = 0;  // W
};
struct HeatEvaluation {
    QList<HeatRowEvaluation> rows;  // counts other than 0
    double total = 0;               // W
};

// What the climate design picks: designation and rating, empty when none.
struct DesignPick {
    QString designation;
    double rating = 0;     // W, W/K, m³/h or W
    bool exceeds = false;  // the largest model falls short
    bool missing = false;  // the configuration has no list for it
    bool picked() const { return !designation.isEmpty(); }
};

struct ClimateEvaluation {
    ClimateDesignInput input;        // an input not read whole is NaN
    QList<DesignInputError> errors;  // inputs not read whole or out of range
    ClimateDesignResult result;
    bool sunlitAreaFollows = true;
    DesignPick aircon, fan, filterFan, heater, condensationHeater;
    // The inside temperature at the humid day's lowest, without a heater,
    // and whether it comes to the dew point of that day's air.
    bool condensation = false;
};

struct RiseEvaluation {
    RiseInput input;
    QList<DesignInputError> errors;  // inputs not read whole
    RiseResult result;
    QString arrangement;     // "1 단독 (독립형)", ... or "사용자 지정"
    QStringList faces;       // top, front, back, left, right as captioned
    QString verdict;         // "적합", "부적합", "—"
    QString summaryVerdict;  // marked when beyond the method
    // A cooling device works in the cabinet: the verification is of the
    // enclosure alone.
    bool enclosureAlone = false;
};

// One device a cabinet needs, for the answer and the bill of devices.
struct DesignDevice {
    DeviceKind kind = DeviceKind::None;
    QString designation;
    double rating = 0;  // W, W/K, m³/h or W as the kind has it
    int units = 1;      // per cabinet
};

// The temperatures a device works at in the cabinet: inside Ti and
// ambient Tu, °C, as the governing method takes them.
struct OperatingPoint {
    double ti = 0;
    double tu = 0;
};

// The library device the cabinet picks, at its operating point.
struct LibraryChoice {
    QString designation;
    QString maker;
    int units = 1;
    double capacity = 0;               // one unit's, at the operating point (W, W/K, m³/h or W)
    double margin = 0;                 // all units' capacity beyond the requirement
    std::optional<OperatingPoint> at;  // for an air-conditioner
};

// The answer that governs the cabinet.
struct GoverningAnswer {
    GoverningMethod method = GoverningMethod::Main;
    DeviceKind kind = DeviceKind::Aircon;
    QString requirement;                   // what is required, its name ("필요 냉각 능력")
    QString unit;                          // "W", "W/K", "m³/h"
    std::optional<double> value;           // how much; none where it cannot be computed
    bool inputError = false;               // the method's inputs cannot be calculated with
    QString why;                           // why no value (in plain words)
    bool notNeeded = false;                // the walls carry the heat: no device
    double wallsCarry = 0;                 // W the walls carry beyond the heat, when not needed
    bool wallsShort = false;               // kind None and the walls do not suffice
    std::optional<DesignDevice> device;    // the model chosen
    std::optional<LibraryChoice> library;  // when the model is the cabinet's library device
    QStringList remarks;
    bool answered() const { return value && (notNeeded || device); }
};

struct CabinetEvaluation {
    MainEvaluation main;
    HeatEvaluation heat;
    std::optional<ClimateEvaluation> climate;        // when the cabinet has a climate design
    std::optional<RiseEvaluation> rise;              // when it has a rise verification
    std::optional<DeviceListEvaluation> deviceList;  // when it keeps a device list
    GoverningAnswer answer;
    // The devices of one cabinet: the governing one and a heater the climate
    // design needs (frost or condensation), each with its units.
    QList<DesignDevice> devices;
};

CabinetEvaluation evaluateCabinet(const Cabinet& cabinet, const DesignTables& tables);

// The pieces, for the windows that show one method.
MainEvaluation evaluateMain(const Cabinet& cabinet, const EquipmentHeatTables& tables);
ClimateEvaluation evaluateClimate(const Cabinet& cabinet, const DesignTables& tables);
RiseEvaluation evaluateRise(const Cabinet& cabinet);

// Why a result of the climate design does not apply, in plain words.
QString climateReasonText(ClimateReason reason);

// The main window's input captions ("높이 H", "반내 허용 온도 T2" by mode).
QString mainFieldCaption(CabinetField field, SelectionMode mode);

// The lowest and highest temperature the design calculates with, °C.
inline constexpr double kDesignMinTemperature = -100;
inline constexpr double kDesignMaxTemperature = 200;

// ---- the bill of devices ---------------------------------------------------

struct BillLine {
    DeviceKind kind = DeviceKind::None;
    QString designation;
    double rating = 0;
    QStringList cabinets;  // tags of the cabinets it serves
    long long units = 0;   // over the project: units per cabinet × its count
};
// One line per model across the project, in the order first met.
QList<BillLine> billOfDevices(const Project& project, const QList<CabinetEvaluation>& evaluations);
// The unit of a kind's rating: "W", "W/K", "m³/h".
QString deviceRatingUnit(DeviceKind kind);

class CabinetCoolApp;
// The program's tables and the configuration's model lists as they are now.
DesignTables loadDesignTables(CabinetCoolApp& app);
