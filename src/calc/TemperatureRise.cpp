#include "calc/TemperatureRise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

// Sources of the method and its factors. The TR itself (IEC/TR 60890:2022,
// "A method of temperature-rise verification of low-voltage switchgear and
// controlgear assemblies by calculation") is not public; what is public and
// used here:
// - [AS] AS 60890-2009 (IEC 60890 Ed. 1.0 MOD), clause 4 and 5 as quoted at
//   https://www.56en.cn/as-60890-2009-pdf-free-download.html: the conditions
//   of the method (outlet at least 1.1 × inlet, no more than three horizontal
//   partitions), the data it needs (dimensions, type of installation,
//   openings, partitions, effective power loss).
// - [FIT] the TR's curves as fitted equations (the 2022 edition added
//   equations to its curves) as public descriptions of the method quote
//   them: k and c for closed, ventilated and small enclosures, x, the surface
//   factors b, f and g. We could not check them against the TR's own text.
// - Where neither confirms a value it is marked "not confirmed" beside it.

namespace {

RiseValue none(RiseReason reason) { return {std::nullopt, reason}; }

RiseValue finiteValue(double value) {
    if (!std::isfinite(value)) return none(RiseReason::OutOfRange);
    return {value, RiseReason::None};
}

RiseReason firstReason(std::initializer_list<const RiseValue*> values) {
    for (const RiseValue* v : values) {
        if (!v->applicable()) return v->reason;
    }
    return RiseReason::None;
}

// An input as read: none when the text was not one number, then the check.
template <class Check>
RiseValue input(const std::optional<double>& value, RiseReason invalid, Check valid) {
    if (!value) return none(RiseReason::Unreadable);
    if (!std::isfinite(*value)) return none(RiseReason::OutOfRange);
    if (!valid(*value)) return none(invalid);
    return {*value, RiseReason::None};
}

bool covered(RiseFace face) { return face != RiseFace::Exposed; }

// Absolute zero: no air is colder.
constexpr double kAbsoluteZero = -273.15;

// The temperature distribution factor c of closed enclosures above 1.25 m²,
// c = -0.0017·f² + 0.055·f + c0, with c0 for the TR's installation curves 1
// to 5 [FIT]. A reading of the TR's figure for curve 1 at f = 2.8 gives
// 1.3185 against the fit's 1.3227.
constexpr std::array<double, 5> kClosedC0 = {1.182, 1.164, 1.146, 1.125, 1.087};

// d for 0 to 3 horizontal partitions. The TR gives it as a table for
// enclosures with and without openings. Not confirmed: no public copy of the
// table was found; the values are the ones the calculation sheets of panel
// builders commonly carry. Small enclosures (Ae ≤ 1.25 m²) take the closed
// column as well (not confirmed that the TR applies d to them; using it errs
// on the warm side).
constexpr std::array<double, 4> kPartitionFactorClosed = {1.0, 1.05, 1.15, 1.30};
constexpr std::array<double, 4> kPartitionFactorOpenings = {1.0, 1.05, 1.10, 1.15};
constexpr int kMaxPartitions = 3;  // [AS] clause 4: no more than three

// `value` moved into [low, high], with what was moved.
CurveReading clampArgument(double value, double low, double high) {
    CurveReading r;
    r.belowRange = value < low;
    r.aboveRange = value > high;
    r.argumentUsed = std::clamp(value, low, high);
    return r;
}

}  // namespace

std::optional<RiseFaces> RiseFacesOfInstallation(int installation) {
    // The seven arrangements of the surface-area calculation (TR 60890,
    // table of installation types; ClimateDesign.h gives their formulas).
    // A neighbour on the right where the arrangement has one side covered.
    constexpr RiseFace E = RiseFace::Exposed;
    constexpr RiseFace W = RiseFace::AgainstWall;
    constexpr RiseFace N = RiseFace::AgainstNeighbour;
    switch (installation) {
        case 1:  // single enclosure, detached on all sides
            return RiseFaces{RiseTop::Exposed, E, E, E, E};
        case 2:  // single enclosure for wall-mounting
            return RiseFaces{RiseTop::Exposed, E, W, E, E};
        case 3:  // first or last enclosure, detached
            return RiseFaces{RiseTop::Exposed, E, E, E, N};
        case 4:  // first or last enclosure, wall-mounting
            return RiseFaces{RiseTop::Exposed, E, W, E, N};
        case 5:  // central enclosure, detached
            return RiseFaces{RiseTop::Exposed, E, E, N, N};
        case 6:  // central enclosure, wall-mounting
            return RiseFaces{RiseTop::Exposed, E, W, N, N};
        case 7:  // central enclosure, wall-mounting, top covered
            return RiseFaces{RiseTop::Covered, E, W, N, N};
        default:
            return std::nullopt;
    }
}

// Surface factor b (TR 60890, table of b; [FIT]): 1.4 an exposed top, 0.7 a
// covered top, 0.9 an exposed side, front or back, 0.5 a face against a wall
// or a neighbour. The floor is not counted.
double SurfaceFactor(RiseTop top) { return top == RiseTop::Exposed ? 1.4 : 0.7; }
double SurfaceFactor(RiseFace face) { return face == RiseFace::Exposed ? 0.9 : 0.5; }

// Which curve of c applies. The TR names it for each arrangement:
// curve 1 a single enclosure detached on all sides; 2 a first or last
// enclosure detached and a single one for wall-mounting; 3 a central one
// detached and a first or last one for wall-mounting; 4 a central one for
// wall-mounting with its top covered; 5 a central one for wall-mounting.
// Not confirmed: no public copy of the TR's legend was found; this is the
// legend as we know it. It follows the number of covered vertical faces,
// which extends it to faces described one by one: none 1, one 2, two 3,
// three or four 5, and 4 when the top is covered as well as three or four.
int InstallationCurve(const RiseFaces& faces) {
    const int vertical = int(covered(faces.front)) + int(covered(faces.back)) +
                         int(covered(faces.left)) + int(covered(faces.right));
    if (faces.top == RiseTop::Covered && vertical >= 3) return 4;
    constexpr std::array<int, 5> byVertical = {1, 2, 3, 5, 5};
    return byVertical[static_cast<std::size_t>(vertical)];
}

bool IsStandardArrangement(const RiseFaces& faces) {
    bool front = covered(faces.front), back = covered(faces.back);
    bool left = covered(faces.left), right = covered(faces.right);
    if (front && !back) std::swap(front, back);
    if (left && !right) std::swap(left, right);
    if (front) return false;  // both front and back covered: none of the seven
    const bool top = faces.top == RiseTop::Covered;
    for (int type = kFirstRiseInstallation; type <= kLastRiseInstallation; ++type) {
        const RiseFaces s = *RiseFacesOfInstallation(type);
        if (covered(s.back) == back && covered(s.left) == left && covered(s.right) == right &&
            (s.top == RiseTop::Covered) == top)
            return true;
    }
    return false;
}

RiseValue EffectiveCoolingSurface(const RiseFaces& faces, double height, double width,
                                  double depth) {
    if (!std::isfinite(height) || !std::isfinite(width) || !std::isfinite(depth))
        return none(RiseReason::OutOfRange);
    if (height <= 0 || width <= 0 || depth <= 0) return none(RiseReason::InvalidDimensions);
    const double top = width * depth;
    const double frontBack = width * height;
    const double side = depth * height;
    // Ae = Σ A0·b
    return finiteValue(top * SurfaceFactor(faces.top) + frontBack * SurfaceFactor(faces.front) +
                       frontBack * SurfaceFactor(faces.back) + side * SurfaceFactor(faces.left) +
                       side * SurfaceFactor(faces.right));
}

// k of a closed enclosure, Ae 1.25 to 12 m²: k = 0.58·Ae^-0.795 [FIT].
CurveReading EnclosureConstantClosed(double ae) {
    CurveReading r = clampArgument(ae, kClosedAeMin, kClosedAeMax);
    r.value = 0.58 * std::pow(r.argumentUsed, -0.795);
    return r;
}

// k of a small closed enclosure, Ae up to 1.25 m²: k = 0.626·Ae^-0.737, and
// 4.0 below 0.08 m² [FIT].
CurveReading EnclosureConstantSmall(double ae) {
    CurveReading r = clampArgument(ae, kSmallAeMin, kSmallEnclosureLimit);
    r.value = r.belowRange ? kSmallKBelowRange : 0.626 * std::pow(r.argumentUsed, -0.737);
    return r;
}

// k with ventilation openings: k = Ak·ln S - Bk, Ak = 0.0283·ln Ae - 0.1039,
// Bk = 0.1952·ln Ae - 0.7656, S the inlet area 10 to 1000 cm² [FIT]. The
// curves' Ae runs to 14 m² (not confirmed; the family of curves as we know
// it ends there): a larger Ae is read at 14.
CurveReading EnclosureConstantOpenings(double ae, double inletArea) {
    CurveReading r = clampArgument(inletArea, kInletMin, kInletMax);
    const double lnAe = std::log(std::clamp(ae, kSmallEnclosureLimit, kOpeningsAeMax));
    const double ak = 0.0283 * lnAe - 0.1039;
    const double bk = 0.1952 * lnAe - 0.7656;
    r.value = ak * std::log(r.argumentUsed) - bk;
    return r;
}

// c of a closed enclosure above 1.25 m², f from 0.3 to 16 [FIT].
CurveReading DistributionFactorClosed(double f, int curve) {
    CurveReading r = clampArgument(f, kClosedFMin, kClosedFMax);
    const double c0 = kClosedC0[static_cast<std::size_t>(std::clamp(curve, 1, 5) - 1)];
    r.value = -0.0017 * r.argumentUsed * r.argumentUsed + 0.055 * r.argumentUsed + c0;
    return r;
}

// c of a small closed enclosure: 1 + 0.19354·g up to g = 0.8147, then
// 0.93643 + 0.324055·(1 - e^(-1.8827·g + 0.38579)), g up to 3 [FIT]. The two
// pieces meet at 0.8147.
CurveReading DistributionFactorSmall(double g) {
    CurveReading r = clampArgument(g, 0, kSmallGMax);
    const double x = r.argumentUsed;
    r.value =
        x <= 0.8147 ? 1 + 0.19354 * x : 0.93643 + 0.324055 * (1 - std::exp(-1.8827 * x + 0.38579));
    return r;
}

// c with ventilation openings: c = 0.01·(7.6·f + 69)·S^(5.1e-4·f² - 0.0135·f
// + 0.14931), S the inlet area 10 to 1000 cm² [FIT]. The curves' f runs from
// 1.5 to 10 (not confirmed; the family of curves as we know it): f beyond is
// read at the nearer end.
CurveReading DistributionFactorOpenings(double f, double inletArea) {
    CurveReading r = clampArgument(inletArea, kInletMin, kInletMax);
    const double fu = std::clamp(f, kOpeningsFMin, kOpeningsFMax);
    const double exponent = 5.1e-4 * fu * fu - 0.0135 * fu + 0.14931;
    r.value = 0.01 * (7.6 * fu + 69) * std::pow(r.argumentUsed, exponent);
    return r;
}

std::optional<double> PartitionFactor(int partitions, bool openings) {
    if (partitions < 0 || partitions > kMaxPartitions) return std::nullopt;
    const auto i = static_cast<std::size_t>(partitions);
    return openings ? kPartitionFactorOpenings[i] : kPartitionFactorClosed[i];
}

RiseResult ComputeTemperatureRise(const RiseInput& in) {
    RiseResult r;
    auto note = [&r](RiseNoteKind kind, double given = 0, double used = 0) {
        r.notes.push_back({kind, given, used});
    };
    auto positive = [](double v) { return v > 0; };
    auto notNegative = [](double v) { return v >= 0; };

    const RiseValue h = input(in.height, RiseReason::InvalidDimensions, positive);
    const RiseValue w = input(in.width, RiseReason::InvalidDimensions, positive);
    const RiseValue dp = input(in.depth, RiseReason::InvalidDimensions, positive);
    if (const RiseReason why = firstReason({&h, &w, &dp}); why != RiseReason::None) {
        r.ae = r.f = r.g = none(why);
    } else {
        r.ae = EffectiveCoolingSurface(in.faces, *h.value, *w.value, *dp.value);
        // f = h^1.35 / Ab, Ab = W·D the base area; g = h / w [FIT].
        r.f = finiteValue(std::pow(*h.value, 1.35) / (*w.value * *dp.value));
        r.g = finiteValue(*h.value / *w.value);
    }
    r.curve = InstallationCurve(in.faces);
    if (!IsStandardArrangement(in.faces)) note(RiseNoteKind::CustomArrangement);

    // Small enclosures have curves for closed ones only: openings are left
    // out of their calculation, and the note says so.
    r.small = r.ae.applicable() && *r.ae.value <= kSmallEnclosureLimit;
    r.openingsUsed = in.openings && !r.small;
    if (in.openings && r.small) note(RiseNoteKind::OpeningsOnSmallEnclosure);

    // x: 0.804 closed, 0.715 with openings [FIT]. With openings it depends on
    // whether Ae is above 1.25 m².
    if (in.openings && !r.ae.applicable()) {
        r.x = none(r.ae.reason);
    } else {
        r.x = {r.openingsUsed ? kExponentOpenings : kExponentClosed, RiseReason::None};
    }

    // The openings, where they count.
    RiseValue inlet{0.0, RiseReason::None};
    if (r.openingsUsed) {
        inlet = input(in.inletArea, RiseReason::InvalidOpeningArea, notNegative);
        const RiseValue outlet = input(in.outletArea, RiseReason::InvalidOpeningArea, notNegative);
        if (inlet.applicable() && !outlet.applicable()) inlet = outlet;
        if (inlet.applicable() && *outlet.value < kOutletToInlet * *inlet.value)
            note(RiseNoteKind::OutletTooSmall, *outlet.value, kOutletToInlet * *inlet.value);
    }
    // The curves' notes only where the curves' values are used.
    const bool overrideK = in.overrideFactors;
    const bool overrideC = in.overrideFactors;
    auto rangeNote = [&](bool show, const CurveReading& reading, double given, RiseNoteKind below,
                         RiseNoteKind above) {
        if (!show) return;
        if (reading.belowRange) note(below, given, reading.argumentUsed);
        if (reading.aboveRange) note(above, given, reading.argumentUsed);
    };

    // k
    if (const RiseReason why = firstReason({&r.ae, &inlet}); why != RiseReason::None) {
        r.kCurve = none(why);
    } else if (r.openingsUsed) {
        const CurveReading k = EnclosureConstantOpenings(*r.ae.value, *inlet.value);
        rangeNote(!overrideK, k, *inlet.value, RiseNoteKind::InletBelowCurve,
                  RiseNoteKind::InletAboveCurve);
        if (!overrideK && *r.ae.value > kOpeningsAeMax)
            note(RiseNoteKind::AeAboveCurve, *r.ae.value, kOpeningsAeMax);
        r.kCurve = finiteValue(k.value);
        if (r.kCurve.applicable() && *r.kCurve.value <= 0) r.kCurve = none(RiseReason::OutOfRange);
    } else {
        const CurveReading k =
            r.small ? EnclosureConstantSmall(*r.ae.value) : EnclosureConstantClosed(*r.ae.value);
        rangeNote(!overrideK, k, *r.ae.value, RiseNoteKind::AeBelowCurve,
                  RiseNoteKind::AeAboveCurve);
        r.kCurve = finiteValue(k.value);
    }

    // c
    const RiseValue& shape = r.small ? r.g : r.f;
    if (const RiseReason why = firstReason({&r.ae, &shape, &inlet}); why != RiseReason::None) {
        r.cCurve = none(why);
    } else if (r.openingsUsed) {
        const CurveReading c = DistributionFactorOpenings(*r.f.value, *inlet.value);
        // The inlet's notes come with k's.
        const double f = *r.f.value;
        if (!overrideC && f < kOpeningsFMin) note(RiseNoteKind::FBelowCurve, f, kOpeningsFMin);
        if (!overrideC && f > kOpeningsFMax) note(RiseNoteKind::FAboveCurve, f, kOpeningsFMax);
        r.cCurve = finiteValue(c.value);
    } else if (r.small) {
        const CurveReading c = DistributionFactorSmall(*r.g.value);
        rangeNote(!overrideC, c, *r.g.value, RiseNoteKind::GAboveCurve, RiseNoteKind::GAboveCurve);
        r.cCurve = finiteValue(c.value);
    } else {
        const CurveReading c = DistributionFactorClosed(*r.f.value, r.curve);
        rangeNote(!overrideC, c, *r.f.value, RiseNoteKind::FBelowCurve, RiseNoteKind::FAboveCurve);
        r.cCurve = finiteValue(c.value);
    }

    // d
    const RiseValue partitions = input(in.partitions, RiseReason::InvalidPartitions,
                                       [](double v) { return v >= 0 && v == std::floor(v); });
    if (!partitions.applicable()) {
        r.dTable = partitions;
    } else if (*partitions.value > kMaxPartitions) {
        r.dTable = none(RiseReason::TooManyPartitions);
        r.withinMethod = false;
    } else if (in.openings && !r.ae.applicable()) {
        r.dTable = none(r.ae.reason);
    } else {
        r.dTable = {*PartitionFactor(static_cast<int>(*partitions.value), r.openingsUsed),
                    RiseReason::None};
    }

    // The engineer's values, where asked for.
    if (in.overrideFactors) {
        note(RiseNoteKind::Overridden);
        r.k = input(in.overrideK, RiseReason::InvalidOverride, positive);
        r.c = input(in.overrideC, RiseReason::InvalidOverride, positive);
        r.d = input(in.overrideD, RiseReason::InvalidOverride, positive);
    } else {
        r.k = r.kCurve;
        r.c = r.cCurve;
        r.d = r.dTable;
    }

    // Δt0.5 = d·k·P^x [FIT]
    const RiseValue power = input(in.power, RiseReason::InvalidPower, positive);
    if (const RiseReason why = firstReason({&r.d, &r.k, &power, &r.x}); why != RiseReason::None) {
        r.dt05 = none(why);
    } else {
        r.dt05 = finiteValue(*r.d.value * *r.k.value * std::pow(*power.value, *r.x.value));
    }
    if (const RiseReason why = firstReason({&r.dt05, &r.c}); why != RiseReason::None) {
        r.dt075 = r.dt10 = none(why);
    } else if (r.small) {
        // Ae ≤ 1.25 m²: Δt0.75 = c·Δt0.5, and the top has the same [FIT].
        r.dt075 = finiteValue(*r.c.value * *r.dt05.value);
        r.dt10 = r.dt075;
    } else {
        // Ae > 1.25 m²: Δt1.0 = c·Δt0.5 [FIT]; three quarters of the height
        // lies half way on the straight characteristic the TR draws between
        // mid-height and the top (not confirmed that the TR reads it so).
        r.dt10 = finiteValue(*r.c.value * *r.dt05.value);
        if (r.dt10.applicable())
            r.dt075 = finiteValue((*r.dt05.value + *r.dt10.value) / 2);
        else
            r.dt075 = r.dt10;
    }

    // Tu + Δt
    const RiseValue ambient = input(in.ambient, RiseReason::InvalidTemperature,
                                    [](double v) { return v >= kAbsoluteZero; });
    auto air = [&ambient](const RiseValue& rise) {
        if (const RiseReason why = firstReason({&ambient, &rise}); why != RiseReason::None)
            return none(why);
        return finiteValue(*ambient.value + *rise.value);
    };
    r.t05 = air(r.dt05);
    r.t075 = air(r.dt075);
    r.t10 = air(r.dt10);

    // The margins to what the devices there allow.
    auto margin = [](const std::optional<double>& permissible, const RiseValue& t) {
        const RiseValue p = input(permissible, RiseReason::InvalidTemperature,
                                  [](double v) { return v >= kAbsoluteZero; });
        if (const RiseReason why = firstReason({&p, &t}); why != RiseReason::None) return none(why);
        return finiteValue(*p.value - *t.value);
    };
    r.marginMid = margin(in.permissibleMid, r.t05);
    r.marginTop = margin(in.permissibleTop, r.t10);
    if (r.marginMid.applicable() && r.marginTop.applicable())
        r.fits = *r.marginMid.value >= 0 && *r.marginTop.value >= 0;

    for (const RiseNote& n : r.notes) {
        if (n.kind != RiseNoteKind::CustomArrangement && n.kind != RiseNoteKind::Overridden)
            r.withinMethod = false;
    }
    return r;
}
