// The calculations and the data layer, run on a table of cases and written
// as text, one line a case. Built for this machine and with MinGW for
// Windows (run under Wine), the two outputs must agree: the Windows build
// computes what this one computes. `--compare A B` compares two outputs.
//
//   cc_selfcheck CASES APP_INI          writes the results to standard output
//   cc_selfcheck --compare A B          exit 0 when A and B agree
//
// A case is a line "function|argument|argument..."; "#" starts a comment.
// A result line is "number<TAB>case<TAB>token<TAB>token...": a token "n:..."
// is a number, compared to 1e-12 relative; any other token is compared
// exactly.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <variant>
#include <vector>

#include "calc/AirconDiagram.h"
#include "calc/ChartGeometry.h"
#include "calc/Fan1Nomogram.h"
#include "calc/Fan2Nomogram.h"
#include "calc/HeatBalance.h"
#include "calc/NumberText.h"
#include "data/Cp949.h"
#include "data/EquipmentHeatTables.h"
#include "data/IniFile.h"
#include "data/InstallPaths.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> split(const std::string& line, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!line.empty() && line.back() == separator) parts.emplace_back();
    return parts;
}

// Numbers of the cases in their exact decimal value, the same on every
// system (no locale, no C library).
double number(const std::string& text) {
    if (text == "inf") return HUGE_VAL;
    if (text == "-inf") return -HUGE_VAL;
    if (text == "nan") return std::nan("");
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw std::runtime_error("not a number in the cases: " + text);
    }
    return value;
}

// The shortest text that reads back to the same double.
std::string n(double value) {
    if (std::isnan(value)) return "n:nan";
    if (std::isinf(value)) return value > 0 ? "n:inf" : "n:-inf";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return "n:" + std::string(buffer, result.ptr);
}

std::string t(const std::string& text) { return "t:" + text; }
std::string t(long long value) { return "t:" + std::to_string(value); }

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string unhex(const std::string& text) {
    std::string out;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
    }
    return out;
}

std::string colour(const RgbColor& c) {
    return "t:rgb(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) +
           ")";
}

SelectionMode mode(const std::string& text) {
    if (text == "Fan1") return SelectionMode::Fan1;
    if (text == "Fan2") return SelectionMode::Fan2;
    return SelectionMode::Aircon;
}

std::string finding(HeatBalanceFinding f) {
    switch (f) {
        case HeatBalanceFinding::AirconOutsideHotter:
            return "outside-hotter";
        case HeatBalanceFinding::AirconOutsideCooler:
            return "outside-cooler";
        case HeatBalanceFinding::SetTemperatureHigh:
            return "set-high";
        case HeatBalanceFinding::TemperaturesEqual:
            return "equal";
    }
    return "?";
}

// A folder of its own under the system's temporary folder, removed again.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : m_path(fs::temp_directory_path() / ("cc-selfcheck-" + name)) {
        std::error_code error;
        fs::remove_all(m_path, error);
        fs::create_directories(m_path);
    }
    ~ScratchFolder() {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    const fs::path& path() const { return m_path; }
    // Creates each entry: a name ending in "/" is a folder, any other a file.
    void make(const std::vector<std::string>& entries) const {
        for (const std::string& entry : entries) {
            const fs::path p = m_path / fs::path(entry).relative_path();
            if (!entry.empty() && entry.back() == '/') {
                fs::create_directories(p);
            } else {
                fs::create_directories(p.parent_path());
                std::ofstream(p) << "x";
            }
        }
    }
    // `p` relative to the folder, with "/" between names.
    std::string relative(const fs::path& p) const {
        const std::string r = p.lexically_normal().lexically_relative(m_path).generic_string();
        return r.empty() ? "." : r;
    }

private:
    fs::path m_path;
};

std::vector<std::string> run(const std::vector<std::string>& a, const fs::path& iniPath,
                             const EquipmentHeatTables& tables) {
    const std::string& f = a.at(0);
    std::vector<std::string> out;
    auto arg = [&](size_t i) { return number(a.at(i)); };
    if (f == "parse") {
        const double v = ParseNumber(a.at(1));
        out = {n(v), t(NumberText(v))};
    } else if (f == "text") {
        out = {t(NumberText(arg(1)))};
    } else if (f == "format") {
        out = {t(FormatNumber(arg(1), a.at(2)))};
    } else if (f == "area") {
        out = {n(ComputeSurfaceArea(arg(1), arg(2), arg(3)))};
    } else if (f == "balance") {
        HeatBalanceInput in;
        in.mode = mode(a.at(1));
        in.height = arg(2);
        in.width = arg(3);
        in.depth = arg(4);
        in.internalHeat = arg(5);
        in.t1 = arg(6);
        in.t2 = arg(7);
        in.t3 = arg(8);
        in.t4 = arg(9);
        in.uValue = arg(10);
        const HeatBalanceResult r = ComputeHeatBalance(in);
        out = {n(r.area), n(r.deltaT), r.result ? n(*r.result) : t("none"),
               t(r.finite ? "finite" : "overflow")};
        for (HeatBalanceFinding x : r.findings) out.push_back(t(finding(x)));
    } else if (f == "recommend") {
        const double requirement = arg(2);
        out = {t(a.at(1) == "fan" ? RecommendFanModel(requirement, tables.FanModelCapacity)
                                  : RecommendAirconModel(requirement, tables.AirconModelCapacity))};
    } else if (f == "fan1") {
        const Fan1Drawing d = Caldraw(arg(1), arg(2), arg(3));
        for (const Fan1Operation& op : d.operations) {
            if (const auto* line = std::get_if<Fan1Line>(&op)) {
                out.insert(out.end(), {n(line->x1), n(line->y1), n(line->x2), n(line->y2),
                                       colour(line->color)});
            } else {
                const auto& move = std::get<Fan1MarkerMove>(op);
                out.insert(out.end(), {t(move.marker == Fan1Marker::A ? "A" : "B"), n(move.left),
                                       n(move.top)});
            }
        }
        out.push_back(d.resultX ? n(*d.resultX) : t("no-X"));
    } else if (f == "fan2y") {
        const std::optional<Fan2Reading> r = ComputeFan2Y(arg(1), arg(2));
        out = r ? std::vector<std::string>{n(r->y), t(r->bandLine)}
                : std::vector<std::string>{t("none")};
    } else if (f == "fan2sline") {
        out = {n(ComputeSLineX(std::stoi(a.at(1)), arg(2)))};
    } else if (f == "fan2band") {
        const std::optional<Fan2SBand> b = SelectFan2SBand(arg(1), arg(2));
        if (!b) return {t("none")};
        out = {t(b->k), t(b->minimumText), t(b->maximumText)};
        for (int line : b->highlighted) out.push_back(t(line));
    } else if (f == "fan2construction") {
        const Fan2Construction c = ComputeFan2Construction(arg(1), arg(2), arg(3), arg(4));
        out = {t(c.hScroll2), t(c.xA), t(c.yA), t(c.xB), t(c.xC)};
        for (const Fan2Segment& s : c.segments) {
            out.insert(out.end(), {t(s.from.x), t(s.from.y), t(s.to.x), t(s.to.y)});
        }
        out.insert(out.end(), {t(c.markerA.x), t(c.markerA.y), t(c.markerB.x), t(c.markerB.y)});
    } else if (f == "aircon") {
        const AirconDiagram d = CalcAirconDiagram(arg(1), arg(2));
        out = {d.band ? t(*d.band) : t("none"), t(d.highlightedLine),
               d.lineValue ? n(*d.lineValue) : t("none"), n(d.capacity), t(d.markerX)};
    } else if (f == "round") {
        out = {t(RoundChartCoordinate(arg(1))), n(ChartFloat(arg(1)))};
    } else if (f == "ini") {
        out = {t(ReadIniString(a.at(1), a.at(2), iniPath))};
    } else if (f == "initext") {
        // An INI text given inline: "\n" and "\r" stand for the line-end bytes.
        std::string text;
        const std::string& written = a.at(1);
        for (size_t i = 0; i < written.size(); ++i) {
            if (written[i] == '\\' && i + 1 < written.size() &&
                (written[i + 1] == 'n' || written[i + 1] == 'r')) {
                text += written[++i] == 'n' ? '\n' : '\r';
            } else {
                text += written[i];
            }
        }
        out = {t(IniFile(text, IniSelection().key(a.at(2), a.at(3))).value(a.at(2), a.at(3)))};
    } else if (f == "tables") {
        for (const EquipmentSection& section : equipmentSections()) {
            EquipmentHeatTables copy = tables;
            for (double value : section.table(copy)) out.push_back(n(value));
        }
        for (const std::string& name : tables.FanModelName) out.push_back(t(name));
    } else if (f == "cp949-encode") {
        const std::optional<std::string> bytes = Utf8ToCp949(a.at(1));
        out = {bytes ? t(hex(*bytes)) : t("none")};
    } else if (f == "cp949-decode") {
        out = {t(hex(Cp949ToUtf8(unhex(a.at(1)))))};
    } else if (f == "layout") {
        // layout|exe folder|entries...: where the program finds its data.
        ScratchFolder root("layout");
        root.make(std::vector<std::string>(a.begin() + 2, a.end()));
        const InstallPaths p =
            resolveInstallPaths(root.path() / a.at(1), fs::path("..") / "share" / "cabinetcool",
                                root.path() / "config", root.path() / "documents");
        out = {t(p.layout == InstallPaths::Layout::System ? "system" : "portable"),
               t(root.relative(p.dataDir)), t(root.relative(p.configFile()))};
    } else if (f == "calcfolder") {
        // calcfolder|portable or system|entries...: where the file dialogs start.
        ScratchFolder root("calcfolder");
        root.make(std::vector<std::string>(a.begin() + 2, a.end()));
        InstallPaths p;
        p.layout =
            a.at(1) == "system" ? InstallPaths::Layout::System : InstallPaths::Layout::Portable;
        p.dataDir = root.path() / "data";
        p.userConfigDir = root.path() / "config";
        p.userDocumentsDir = root.path() / "documents";
        const fs::path folder = p.calculationFolder();
        out = {t(root.relative(folder)), t(fs::is_directory(folder) ? "exists" : "missing")};
    } else {
        throw std::runtime_error("unknown function in the cases: " + f);
    }
    return out;
}

int writeResults(const char* casesPath, const char* iniPath) {
    std::ifstream cases(fs::u8path(casesPath), std::ios::binary);
    if (!cases) {
        std::cerr << "cc_selfcheck: cannot read " << casesPath << "\n";
        return 2;
    }
    EquipmentHeatTables tables;
    LoadIniValues(tables, fs::u8path(iniPath));
    std::string line;
    int number = 0;
    while (std::getline(cases, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ++number;
        if (line.empty() || line[0] == '#') continue;
        std::string result;
        try {
            for (const std::string& token : run(split(line, '|'), fs::u8path(iniPath), tables)) {
                result += '\t' + token;
            }
        } catch (const std::exception& e) {
            std::cerr << "cc_selfcheck: line " << number << ": " << e.what() << "\n";
            return 2;
        }
        std::cout << number << '\t' << line << result << '\n';
    }
    return 0;
}

bool sameNumber(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const double x = number(a.substr(2));
    const double y = number(b.substr(2));
    if (std::isnan(x) || std::isnan(y) || std::isinf(x) || std::isinf(y)) return false;
    // Relative, and absolute for results of cancellation near zero.
    return std::fabs(x - y) <= 1e-12 * std::max(std::fabs(x), std::fabs(y)) + 1e-12;
}

std::vector<std::string> readLines(const char* path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot read ") + path);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

int compare(const char* pathA, const char* pathB) {
    const std::vector<std::string> a = readLines(pathA);
    const std::vector<std::string> b = readLines(pathB);
    int differences = 0;
    int numbers = 0;
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        const std::string la = i < a.size() ? a[i] : "<missing>";
        const std::string lb = i < b.size() ? b[i] : "<missing>";
        const std::vector<std::string> ta = split(la, '\t');
        const std::vector<std::string> tb = split(lb, '\t');
        bool same = ta.size() == tb.size();
        for (size_t k = 0; same && k < ta.size(); ++k) {
            const bool isNumber = ta[k].rfind("n:", 0) == 0 && tb[k].rfind("n:", 0) == 0;
            numbers += isNumber;
            same = isNumber ? sameNumber(ta[k], tb[k]) : ta[k] == tb[k];
        }
        if (!same) {
            ++differences;
            std::cout << "differs:\n  " << la << "\n  " << lb << "\n";
        }
    }
    std::cout << a.size() << " cases, " << numbers << " numbers compared, " << differences
              << " differ\n";
    return differences == 0 && !a.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::string(argv[1]) == "--compare") return compare(argv[2], argv[3]);
        if (argc == 3) return writeResults(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "cc_selfcheck: " << e.what() << "\n";
        return 2;
    }
    std::cerr << "usage: cc_selfcheck CASES APP_INI | cc_selfcheck --compare A B\n";
    return 2;
}
