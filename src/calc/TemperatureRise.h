#pragma once

#include <optional>
#include <vector>

// The temperature rise of the air inside an enclosure by the calculation
// method of IEC/TR 60890 (the design verification of IEC 61439-1, 10.10.4.3
// for assemblies up to 1600 A): the effective cooling surface face by face,
// the factors k, c, d and x, the rises at mid-height, three quarters and the
// top, the air temperatures there and the verdict against what the devices
// allow. Pure functions; the temperature rise window reads its fields, calls
// ComputeTemperatureRise and writes the results.

// How a face of the enclosure gives off heat (TR 60890, table of the surface
// factor b).
enum class RiseFace {
    Exposed = 0,           // free in the room
    AgainstWall = 1,       // against a wall of the building
    AgainstNeighbour = 2,  // against a neighbouring enclosure
};
enum class RiseTop {
    Exposed = 0,
    Covered = 1,
};

// The five faces that count; the floor gives off nothing by the method.
struct RiseFaces {
    RiseTop top = RiseTop::Exposed;
    RiseFace front = RiseFace::Exposed;
    RiseFace back = RiseFace::Exposed;
    RiseFace left = RiseFace::Exposed;
    RiseFace right = RiseFace::Exposed;
    bool operator==(const RiseFaces&) const = default;
};

// The faces of the seven arrangements of the surface-area calculation,
// numbered as CabinetInstallation (ClimateDesign.h) numbers them, 1 to 7:
// the same arrangement gives the same Ae here as EffectiveSurfaceArea there.
// None for any other number.
std::optional<RiseFaces> RiseFacesOfInstallation(int installation);
inline constexpr int kFirstRiseInstallation = 1;
inline constexpr int kLastRiseInstallation = 7;

// The surface factor b of a face.
double SurfaceFactor(RiseTop top);
double SurfaceFactor(RiseFace face);

// The installation curve (1 to 5) of the temperature distribution factor c
// for closed enclosures above 1.25 m² that the faces call for.
int InstallationCurve(const RiseFaces& faces);
// True when the faces are one of the seven arrangements (a face against a
// wall and one against a neighbour count alike, as their b does, and the
// arrangement may be mirrored left to right or front to back).
bool IsStandardArrangement(const RiseFaces& faces);

// Why a result is not there. The window turns each into a note.
enum class RiseReason {
    None,
    Unreadable,          // an input it depends on is not one number
    InvalidDimensions,   // a height, width or depth of 0 or less
    InvalidPower,        // P of 0 or less
    InvalidPartitions,   // not a whole number from 0 up
    TooManyPartitions,   // more than three: beyond the method
    InvalidOpeningArea,  // an opening area below 0
    InvalidOverride,     // an engineer's c, d or k of 0 or less
    InvalidTemperature,  // a temperature below absolute zero
    OutOfRange,          // a value beyond what a double holds
};

struct RiseValue {
    std::optional<double> value;
    RiseReason reason = RiseReason::None;
    bool applicable() const { return value.has_value(); }
};

// Where the method was stretched or does not apply. The result is still
// computed (with the curve's nearest end where a value is beyond it) unless
// a reason says otherwise.
enum class RiseNoteKind {
    OutletTooSmall,            // outlet below 1.1 × inlet: beyond the method
    OpeningsOnSmallEnclosure,  // openings with Ae ≤ 1.25 m²: computed as closed
    AeBelowCurve,              // k: Ae below the curve's start (small: k = 4.0)
    AeAboveCurve,              // k: Ae beyond the curve's end
    FBelowCurve,               // c: f below the curve's start
    FAboveCurve,               // c: f beyond the curve's end
    GAboveCurve,               // c: g beyond the curve's end
    InletBelowCurve,           // k, c: inlet area below the curves' start
    InletAboveCurve,           // k, c: inlet area beyond the curves' end
    CustomArrangement,         // the faces are none of the seven arrangements
    Overridden,                // the engineer's c, d and k are used
};
struct RiseNote {
    RiseNoteKind kind;
    double given = 0;  // the value as computed or entered
    double used = 0;   // the value the curve was read at
};

struct RiseInput {
    // A value of none: the field's text is not one number.
    std::optional<double> height;  // H, m
    std::optional<double> width;   // W, m
    std::optional<double> depth;   // D, m
    RiseFaces faces;
    std::optional<double> partitions;      // horizontal partitions, 0 to 3
    bool openings = false;                 // ventilation openings
    std::optional<double> inletArea;       // cm², used with openings
    std::optional<double> outletArea;      // cm², used with openings
    std::optional<double> power;           // P, effective power loss, W
    std::optional<double> ambient;         // Tu, °C
    std::optional<double> permissibleMid;  // at half the height, °C
    std::optional<double> permissibleTop;  // at the top, °C
    bool overrideFactors = false;          // the engineer's c, d, k instead
    std::optional<double> overrideC;
    std::optional<double> overrideD;
    std::optional<double> overrideK;
};

struct RiseResult {
    RiseValue ae;  // effective cooling surface Σ A0·b, m²
    // Ae ≤ 1.25 m²: the small-enclosure curves, g in place of f.
    bool small = false;
    RiseValue f;                       // h^1.35 / Ab, Ab = W·D (Ae > 1.25 m²)
    RiseValue g;                       // h / w (Ae ≤ 1.25 m²)
    int curve = 1;                     // installation curve of c (closed, Ae > 1.25 m²)
    bool openingsUsed = false;         // the openings' curves apply
    RiseValue x;                       // exponent of P
    RiseValue kCurve, cCurve, dTable;  // as the curves and the table give them
    RiseValue k, c, d;                 // as used: the engineer's when overridden
    RiseValue dt05, dt075, dt10;       // rises at 0.5, 0.75 and 1.0 of the height, K
    RiseValue t05, t075, t10;          // Tu + rise, °C
    RiseValue marginMid, marginTop;    // permissible − air temperature, K
    std::optional<bool> fits;          // both margins at 0 or above
    bool withinMethod = true;          // no note says the method does not apply
    std::vector<RiseNote> notes;
};

RiseResult ComputeTemperatureRise(const RiseInput& input);

// The pieces, for the tests and the window's tooltips.

// Σ A0·b over the top, front, back and sides.
RiseValue EffectiveCoolingSurface(const RiseFaces& faces, double height, double width,
                                  double depth);

// Ae above which the large-enclosure curves apply.
inline constexpr double kSmallEnclosureLimit = 1.25;  // m²
// The exponent x of P.
inline constexpr double kExponentClosed = 0.804;
inline constexpr double kExponentOpenings = 0.715;
// The outlet must be at least this many times the inlet.
inline constexpr double kOutletToInlet = 1.1;

// A factor read off a curve: the value, and whether the argument was moved
// to the curve's nearest end (with the argument used).
struct CurveReading {
    double value = 0;
    bool belowRange = false;
    bool aboveRange = false;
    double argumentUsed = 0;
};
CurveReading EnclosureConstantClosed(double ae);                      // k, Ae > 1.25 m²
CurveReading EnclosureConstantSmall(double ae);                       // k, Ae ≤ 1.25 m²
CurveReading EnclosureConstantOpenings(double ae, double inletArea);  // k; argument: inlet
CurveReading DistributionFactorClosed(double f, int curve);           // c
CurveReading DistributionFactorSmall(double g);                       // c
CurveReading DistributionFactorOpenings(double f, double inletArea);  // c; argument: inlet
// d for 0 to 3 partitions; none outside.
std::optional<double> PartitionFactor(int partitions, bool openings);

// The ranges of the curves.
inline constexpr double kClosedAeMin = 1.25, kClosedAeMax = 12;  // m²
inline constexpr double kSmallAeMin = 0.08;                      // m², k = 4.0 below
inline constexpr double kSmallKBelowRange = 4.0;
inline constexpr double kOpeningsAeMax = 14;  // m²
inline constexpr double kClosedFMin = 0.3, kClosedFMax = 16;
inline constexpr double kOpeningsFMin = 1.5, kOpeningsFMax = 10;
inline constexpr double kSmallGMax = 3;
inline constexpr double kInletMin = 10, kInletMax = 1000;  // cm²
