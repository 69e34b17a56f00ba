// Starts CabinetCool's probe and the bare Qt probe in turn, several times
// each, and prints the medians side by side with their ratios and targets.
//   bench_driver CABINETCOOL_PROBE BARE_PROBE [RUNS]
// The clock starts just before each process is spawned. The figures are
// reported, never judged by the exit status: that is non-zero only when a
// probe could not run.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

int64_t now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

using Values = std::map<std::string, int64_t>;  // "kind name" -> value

// One run of a probe: what it recorded, and the spawn time as "t spawn".
std::optional<Values> runProbe(const std::string& program) {
    int out[2];
    if (pipe(out) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    const int64_t spawned = now();
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (error != 0) {
        close(out[0]);
        std::fprintf(stderr, "bench: cannot start %s\n", program.c_str());
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench: %s failed (status %d)\n", program.c_str(), status);
        return std::nullopt;
    }
    Values values{{"t spawn", spawned}};
    std::istringstream lines(text);
    std::string kind, name;
    int64_t value = 0;
    while (lines >> kind >> name >> value) values[kind + ' ' + name] = value;
    return values;
}

std::optional<double> median(std::vector<double> v) {
    if (v.empty()) return std::nullopt;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

bool has(const Values& v, const std::string& key) { return v.count(key) != 0; }

// One figure of every run of a program, in the unit it is printed in.
using Figure = std::function<std::optional<double>(const Values&)>;

std::optional<double> between(const Values& v, const char* from, const char* to, double scale) {
    if (!has(v, from) || !has(v, to) || v.at(from) < 0 || v.at(to) < 0) return std::nullopt;
    return double(v.at(to) - v.at(from)) / scale;
}

std::vector<double> collect(const std::vector<Values>& runs, Figure figure) {
    std::vector<double> out;
    for (const Values& v : runs) {
        if (auto x = figure(v)) out.push_back(*x);
    }
    return out;
}

std::string format(std::optional<double> value, const char* unit, int decimals = 1) {
    if (!value) return "-";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f%s%s", decimals, *value, *unit ? " " : "", unit);
    return buffer;
}

std::string ratio(std::optional<double> ours, std::optional<double> bare) {
    if (!ours || !bare || *bare <= 0) return "-";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", *ours / *bare);
    return buffer;
}

void row(const std::string& name, const std::string& ours, const std::string& bare,
         const std::string& r, const std::string& target, const std::string& verdict) {
    std::printf("%-42s %14s %12s %7s  %-16s %s\n", name.c_str(), ours.c_str(), bare.c_str(),
                r.c_str(), target.c_str(), verdict.c_str());
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s CABINETCOOL_PROBE BARE_PROBE [RUNS]\n", argv[0]);
        return 2;
    }
    const std::string ours = argv[1];
    const std::string bare = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;

    std::vector<Values> oursRuns, bareRuns;
    // One warm-up run of each fills the page cache and the font caches; it
    // is not counted.
    for (int i = -1; i < runs; ++i) {
        auto b = runProbe(bare);
        auto o = runProbe(ours);
        if (!b || !o) return 1;
        if (i >= 0) {
            bareRuns.push_back(*b);
            oursRuns.push_back(*o);
        }
        if (i >= 0) std::fprintf(stderr, "bench: run %d of %d done\n", i + 1, runs);
    }

    auto both = [&](Figure f) {
        return std::make_pair(median(collect(oursRuns, f)), median(collect(bareRuns, f)));
    };
    const double ms = 1e6;

    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* display = std::getenv("DISPLAY");
    std::printf(
        "\nCabinetCool start-up benchmark: medians of %d runs of each program (after one "
        "warm-up)\n",
        runs);
    std::printf("platform: %s\n", platform && *platform ? platform
                                  : display ? (std::string("xcb on X display ") + display).c_str()
                                            : "default");
    const auto controlsMain = both([](const Values& v) -> std::optional<double> {
        if (!has(v, "controls main")) return std::nullopt;
        return double(v.at("controls main"));
    });
    const auto controlsInfo = both([](const Values& v) -> std::optional<double> {
        if (!has(v, "controls info")) return std::nullopt;
        return double(v.at("controls info"));
    });
    std::printf(
        "controls: main window %s, bare window %s; information window %s, bare %s\n\n",
        format(controlsMain.first, "", 0).c_str(), format(controlsMain.second, "", 0).c_str(),
        format(controlsInfo.first, "", 0).c_str(), format(controlsInfo.second, "", 0).c_str());

    row("figure", "CabinetCool", "bare Qt", "ratio", "target", "");

    const auto startup =
        both([](const Values& v) { return between(v, "t spawn", "t info_shown", 1e6); });
    const bool startupMet =
        startup.first && startup.second && *startup.first <= 1.3 * *startup.second;
    row("start -> information window shown", format(startup.first, "ms"),
        format(startup.second, "ms"), ratio(startup.first, startup.second), "<= 1.30 x bare",
        verdict(startupMet));
    const auto beforeMain =
        both([](const Values& v) { return between(v, "t spawn", "t main", 1e6); });
    row("  of which before main()", format(beforeMain.first, "ms"), format(beforeMain.second, "ms"),
        ratio(beforeMain.first, beforeMain.second), "", "");

    const auto toMain =
        both([](const Values& v) { return between(v, "t info_shown", "t main_shown", 1e6); });
    const bool toMainMet = toMain.first && *toMain.first <= 2060;
    row("information -> main window shown", format(toMain.first, "ms"), format(toMain.second, "ms"),
        ratio(toMain.first, toMain.second), "<= 2060 ms", verdict(toMainMet));
    const auto afterWait =
        both([](const Values& v) { return between(v, "t info_hidden", "t main_shown", 1e6); });
    row("  information closed -> main shown", format(afterWait.first, "ms"),
        format(afterWait.second, "ms"), ratio(afterWait.first, afterWait.second), "", "");

    const auto cpu = both([](const Values& v) -> std::optional<double> {
        const auto wall = between(v, "t info_shown", "t info_hidden", 1);
        const auto used = between(v, "cpu info_shown", "cpu info_hidden", 1);
        if (!wall || !used || *wall <= 0) return std::nullopt;
        return 100.0 * *used / *wall;
    });
    const bool cpuMet = cpu.first && *cpu.first <= 10;
    row("processor during the two seconds", format(cpu.first, "%", 2), format(cpu.second, "%", 2),
        ratio(cpu.first, cpu.second), "<= 10 % of a core", verdict(cpuMet));

    auto rss = [&](const std::string& key) {
        return both([key](const Values& v) -> std::optional<double> {
            if (!has(v, key)) return std::nullopt;
            return double(v.at(key)) / 1024;
        });
    };
    const auto rssMain = rss("rss main");
    const bool rssMet = rssMain.first && rssMain.second && *rssMain.first <= 1.5 * *rssMain.second;
    row("resident memory, main window shown", format(rssMain.first, "MB"),
        format(rssMain.second, "MB"), ratio(rssMain.first, rssMain.second), "<= 1.50 x bare",
        verdict(rssMet));
    const auto rssAll = rss("rss all");
    std::vector<double> openCounts;
    for (const Values& r : oursRuns)
        if (has(r, "windows all")) openCounts.push_back(double(r.at("windows all")));
    row("resident memory, every window open (" + format(median(openCounts), "", 0) + ")",
        format(rssAll.first, "MB"), format(rssAll.second, "MB"), ratio(rssAll.first, rssAll.second),
        "", "");

    // The project reports of 200 and 1000 cabinets give their memory back.
    {
        std::vector<double> before, after;
        for (const Values& r : oursRuns) {
            if (has(r, "rss before_reports")) before.push_back(r.at("rss before_reports") / 1024.0);
            if (has(r, "rss after_reports")) after.push_back(r.at("rss after_reports") / 1024.0);
        }
        const auto b = median(before), a = median(after);
        const bool measured = a && b;
        row("resident memory after the project reports", format(a, "MB"), "-",
            measured ? format(*a / *b, "x", 2) + " before" : "-", "<= 1.20 x before",
            measured ? verdict(*a <= 1.2 * *b) : "");
    }
    std::vector<double> bareOpen;
    for (const Values& r : bareRuns)
        if (has(r, "open secondary") && r.at("open secondary") >= 0)
            bareOpen.push_back(r.at("open secondary") / ms);
    const auto bareOpenMedian = median(bareOpen);
    // The probe's table of secondary windows, in its order.
    std::vector<std::pair<int64_t, std::string>> order;
    for (const auto& [key, value] : oursRuns.front()) {
        if (key.rfind("order ", 0) == 0) order.emplace_back(value, key.substr(6));
    }
    std::sort(order.begin(), order.end());
    for (const auto& [index, name] : order) {
        const std::string key = "open " + name;
        std::vector<double> times;
        int64_t code = 0;
        for (const Values& r : oursRuns) {
            if (!has(r, key)) continue;
            if (r.at(key) >= 0) {
                times.push_back(r.at(key) / ms);
            } else {
                code = r.at(key);
            }
        }
        const auto m = median(times);
        std::string shown = format(m, "ms");
        std::string judged;
        if (!m) {
            shown = code == -1   ? "not built"
                    : code == -2 ? "no button"
                    : code == -3 ? "never shown"
                                 : "-";
        } else {
            // Within twice the bare window of the same run, and 16 ms on a
            // quiet machine.
            const auto worst = *std::max_element(times.begin(), times.end());
            const bool met = *m <= 16 && (!bareOpenMedian || *m <= 2 * *bareOpenMedian);
            judged = std::string(verdict(met)) + " (slowest " + format(worst, "ms") + ")";
        }
        row("open " + name + " from a click", shown, format(bareOpenMedian, "ms"),
            ratio(m, bareOpenMedian), "<= 2 x bare, 16 ms", judged);
    }
    // Windows that calculate as the user types: one key's handling, with
    // the calculation it sets off.
    for (const auto& [key, value] : oursRuns.front()) {
        if (key.rfind("edit ", 0) != 0) continue;
        std::vector<double> times;
        for (const Values& r : oursRuns) {
            if (has(r, key) && r.at(key) >= 0) times.push_back(r.at(key) / ms);
        }
        const auto m = median(times);
        std::string judged;
        if (m) {
            const auto worst = *std::max_element(times.begin(), times.end());
            judged = std::string(verdict(*m <= 2)) + " (slowest " + format(worst, "ms", 2) + ")";
        }
        row("recompute " + key.substr(5) + " after an edit",
            m ? format(m, "ms", 2) : "not measured", "-", "-", "<= 2 ms", judged);
    }
    // The design report, from the click of its button to the file written.
    for (const char* name : {"Aircon", "Fan1", "Fan2", "climate"}) {
        const std::string key = std::string("report ") + name;
        std::vector<double> times;
        bool failed = false;
        for (const Values& r : oursRuns) {
            if (!has(r, key)) continue;
            if (r.at(key) >= 0) {
                times.push_back(r.at(key) / ms);
            } else {
                failed = true;
            }
        }
        const auto m = median(times);
        std::string judged;
        if (m) {
            const auto worst = *std::max_element(times.begin(), times.end());
            judged = std::string(verdict(*m <= 500 && !failed)) + " (slowest " +
                     format(worst, "ms") + ")";
        }
        const std::string label =
            std::string("write the report, ") +
            (std::string(name) == "climate" ? "climate window" : name + std::string(" mode"));
        row(label, failed && !m ? "no file" : format(m, "ms"), "-", "-", "<= 500 ms", judged);
    }
    // Projects: a line-up of 200 cabinets.
    struct ProjectRow {
        const char* key;
        const char* worstKey;
        const char* label;
        double target;
    };
    const ProjectRow projectRows[] = {
        {"project open200", nullptr, "open a project of 200 cabinets, table shown", 200},
        {"project switch", "project switch_max", "make another cabinet current", 16},
        {"project recovery", "project recovery_max", "recovery copy (200 cabinets), UI blocked", 5},
        {"project evaluate", "project evaluate_max", "evaluate a cabinet, every method", 1},
        {"project devices500", "project devices500_max", "evaluate a cabinet of 500 device lines",
         2},
        {"project offer", "project offer_max", "library offer for a cabinet, 2000 devices", 2},
        {"project report200", "project report200_pause", "project report, 200 cabinets", 1000},
        {"project report1000", "project report1000_pause", "project report, 1000 cabinets", 5000},
        {"project longtexts", nullptr, "open a project with every text at its limit", 100},
        {"project notekey", "project notekey_max", "a key at the end of a full one-line note", 100},
        {"project typing1", "project typing1_max", "a key in the main window, 1 cabinet", 16},
        {"project typing100", "project typing100_max", "the same, 100 cabinets", 16},
        {"project typing1000", "project typing1000_max", "the same, 1000 cabinets", 16},
    };
    for (const ProjectRow& p : projectRows) {
        std::vector<double> times;
        std::vector<double> worsts;
        for (const Values& r : oursRuns) {
            if (has(r, p.key) && r.at(p.key) >= 0) times.push_back(r.at(p.key) / ms);
            if (p.worstKey && has(r, p.worstKey)) worsts.push_back(r.at(p.worstKey) / ms);
        }
        const auto m = median(times);
        std::string judged;
        if (m) {
            const double worst = worsts.empty() ? *std::max_element(times.begin(), times.end())
                                                : *std::max_element(worsts.begin(), worsts.end());
            // The recovery copy's limit holds for every copy, not the median.
            const bool met = p.worstKey && std::string(p.key) == "project recovery"
                                 ? worst <= p.target
                                 : *m <= p.target;
            judged = std::string(verdict(met)) + " (slowest " + format(worst, "ms", 2) + ")";
        }
        row(p.label, m ? format(m, "ms", 2) : "not measured", "-", "-",
            "<= " + format(p.target, "ms", 0), judged);
    }
    // A key must cost the same at 1000 cabinets as at 1: the ratio of the
    // medians, with room for the noise of a busy machine.
    {
        std::vector<double> one, thousand;
        for (const Values& r : oursRuns) {
            if (has(r, "project typing1") && r.at("project typing1") > 0)
                one.push_back(r.at("project typing1"));
            if (has(r, "project typing1000") && r.at("project typing1000") > 0)
                thousand.push_back(r.at("project typing1000"));
        }
        const auto a = median(one), b = median(thousand);
        const bool measured = a && b;
        const double ratio = measured ? *b / *a : 0;
        row("a key at 1000 cabinets against 1", measured ? format(ratio, "x", 2) : "not measured",
            "-", "-", "<= 1.5x (does not grow)",
            measured ? std::string(verdict(ratio <= 1.5)) : std::string());
    }
    std::printf(
        "\nbare Qt: the same steps with plain widgets, a 2 s timer and no program of its own;\n"
        "each secondary window is compared with its bare secondary window (24 fields and "
        "labels).\n");
    return 0;
}
