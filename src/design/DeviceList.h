#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "project/Project.h"

// The device list of a cabinet: the devices and conductors whose power
// losses at the real load make up P, and the air temperature each device
// sees at its mounting height against what it permits. Evaluated from the
// kept texts alone, as every method of the cabinet design is.

struct MainEvaluation;
struct RiseEvaluation;

enum class DeviceLineKind { Device, Conductor };

// The kept member names of a line.
namespace deviceline {
inline const QString kKind = QStringLiteral("kind");
inline const QString kDescription = QStringLiteral("description");
inline const QString kCount = QStringLiteral("count");
inline const QString kIn = QStringLiteral("in");
inline const QString kPn = QStringLiteral("pn");
inline const QString kIb = QStringLiteral("ib");
inline const QString kHeight = QStringLiteral("height");
inline const QString kTmax = QStringLiteral("tmax");
inline const QString kGroup = QStringLiteral("group");
inline const QString kFactor = QStringLiteral("factor");
inline const QString kSection = QStringLiteral("section");
inline const QString kLength = QStringLiteral("length");
inline const QString kCurrent = QStringLiteral("current");
inline const QString kTemp = QStringLiteral("temp");
inline const QString kClass = QStringLiteral("class");
inline const QString kDevice = QStringLiteral("device");
inline const QString kConductor = QStringLiteral("conductor");
}  // namespace deviceline

// A new line as the list window adds it.
DeviceLineTexts newDeviceLine();
DeviceLineTexts newConductorLine();

// ---- the physics -----------------------------------------------------------

// The assumed loading of a group of main circuits by their number, the rated
// diversity factor of IEC 61439-2 Table 101 (1 for a single circuit).
double ratedDiversityFactor(int circuits);

// The resistance of a copper conductor at 20 °C, Ω/km, of class 2
// (stranded) or 5 (flexible) by IEC 60228 Tables 2 and 3, for a standard
// cross-section in mm²; none for another section or class.
std::optional<double> copperResistance20(double section, int conductorClass);

// R at θ from R at 20 °C: R20 · (1 + α (θ − 20)), α = 0.00393 /K.
double resistanceAt(double r20, double temperature);
inline constexpr double kCopperAlpha = 0.00393;             // /K, IEC 60228 Annex B
inline constexpr double kDefaultConductorTemperature = 70;  // °C, PVC conductor in use
inline constexpr double kMaxLoadToRated = 5;                // Ib / In above this is a typo
// "하부", "중간", "상부" as fractions of the height.
inline constexpr double kHeightLow = 0.25, kHeightMiddle = 0.5, kHeightTop = 0.9;

// ---- the evaluation ----------------------------------------------------------

struct DeviceLineEvaluation {
    DeviceLineKind kind = DeviceLineKind::Device;
    QString description;
    // Members whose text is the fault, and why, in plain words naming the
    // column; a line with faults adds nothing.
    QStringList badMembers;
    QString why;
    bool bad() const { return !badMembers.isEmpty(); }

    double count = 0;
    // A device: In, Pn, Ib as read (Ib is In when not typed); no current: Pn
    // counts as it is.
    std::optional<double> ratedCurrent, loadCurrent;
    double ratedLoss = 0;
    // A conductor.
    double section = 0, length = 0, temperature = 0;
    int conductorClass = 2;
    double r20 = 0;         // Ω/km
    double resistance = 0;  // Ω of one conductor at its temperature
    // The group, its number of circuits and the diversity factor used; a
    // factor the engineer typed over Table 101's.
    QString group;
    int circuits = 1;
    double factor = 1;
    bool factorTyped = false;
    bool factorApplies = false;  // the line has a current to scale
    double loss = 0;             // W

    // Mounting height (fraction of H), where none was typed: the top.
    double height = 1;
    bool heightTyped = false;
    std::optional<double> permitted;  // °C
    std::optional<double> air;        // °C at its height, for every device
    std::optional<double> margin;     // K, permitted − air
    std::optional<bool> fits;
};

enum class DeviceAirSource {
    Rise,  // the rise verification's profile over the height
    Main,  // the main calculation's inside temperature, the same at every height
    None,  // neither gives a temperature
};

struct DeviceListEvaluation {
    QList<DeviceLineEvaluation> lines;
    double devicesLoss = 0;     // W
    double conductorsLoss = 0;  // W
    double total = 0;           // W
    int leftOut = 0;            // lines with faults, adding nothing
    DeviceAirSource source = DeviceAirSource::None;
    QString sourceText;  // where the air temperatures come from, in plain words
    // The line of the smallest margin among those with a permitted
    // temperature, and the cabinet's verdict by it: "적합", "부적합", "—".
    std::optional<int> critical;
    QString verdict = QStringLiteral("—");
    bool answered() const { return critical.has_value(); }
};

// `rise` the cabinet's rise verification, when it keeps one; else the
// margins are against the main calculation's Ti.
DeviceListEvaluation evaluateDeviceList(const QList<DeviceLineTexts>& lines,
                                        const MainEvaluation& main, const RiseEvaluation* rise);

// Column captions of a member for the reasons: "수량", "정격 전류 In", ...
QString deviceMemberCaption(const QString& member, DeviceLineKind kind);
// "2.5" for a loss as the window and the report show it; W.
QString deviceLossText(double watts);
