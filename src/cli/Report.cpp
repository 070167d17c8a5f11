#include "cli/Report.h"

#include <initializer_list>

#include "cli/Json.h"

namespace quadrello::cli {
namespace {

bool IsResult(const SolveOutcome& outcome) {
    return outcome.kind == SolveOutcome::Kind::Result;
}

void AppendNumbers(std::string& out, std::initializer_list<double> values) {
    out += '[';
    const char* separator = "";
    for (const double v : values) {
        out += separator;
        AppendJsonNumber(out, v);
        separator = ",";
    }
    out += ']';
}

}  // namespace

std::string TextReport(const SolveOutcome& outcome) {
    if (!IsResult(outcome)) {
        return outcome.message + "\n";
    }
    std::string out;
    for (const std::string& label : outcome.labels) {
        out += label;
        out += '\n';
    }
    return out;
}

std::string JsonReport(const SolveOutcome& outcome, const PlotReport& plot) {
    std::string out = "{";
    if (!IsResult(outcome)) {
        out += "\"message\":";
        AppendJsonString(out, outcome.message);
        out += "}\n";
        return out;
    }
    out += "\"labels\":[";
    const char* separator = "";
    for (const std::string& label : outcome.labels) {
        out += separator;
        AppendJsonString(out, label);
        separator = ",";
    }
    const Solution& s = outcome.solution;
    out += "],\"solution\":";
    AppendNumbers(out, {s.r1, s.r2, s.h, s.k, s.a, s.b, s.c});
    const PlotWindow& w = plot.window;
    out += ",\"window\":";
    AppendNumbers(out, {w.left, w.right, w.bottom, w.top});
    out += ",\"samples\":";
    out += std::to_string(plot.samples);
    out += "}\n";
    return out;
}

}  // namespace quadrello::cli
