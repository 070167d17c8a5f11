#include "solver/Solver.h"

#include <cmath>
#include <initializer_list>

#include "solver/NumberText.h"

namespace quadrello {
namespace {

constexpr int kRootPlaces = 26;
constexpr int kVertexPlaces = 6;
constexpr std::string_view kNoRealRoots = "无实数根";

SolveOutcome Message(std::string_view text) {
    SolveOutcome outcome;
    outcome.kind = SolveOutcome::Kind::Message;
    outcome.message = std::string(text);
    return outcome;
}

bool AllFinite(std::initializer_list<double> values) {
    for (const double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

std::string Join(std::string_view prefix, const std::string& text) {
    return std::string(prefix) + text;
}

}  // namespace

SolveOutcome SolveTexts(std::string_view aText, std::string_view bText, std::string_view cText,
                        bool gateOpen) {
    const ParsedNumber pa = ParseNumberChecked(aText);
    const ParsedNumber pb = ParseNumberChecked(bText);
    const ParsedNumber pc = ParseNumberChecked(cText);
    const double a = pa.value;
    const double b = pb.value;
    const double c = pc.value;

    if (a == 0) {
        return Message(kMessageZeroQuadratic);
    }
    if (aText.empty() || bText.empty() || cText.empty()) {
        return Message(kMessageIncomplete);
    }
    // The closed gate stops everything after the two validation messages, without a trace.
    if (!gateOpen) {
        return SolveOutcome{};
    }
    // A coefficient the double range cannot hold is reported like the two validation messages.
    if (!pa.inRange || !pb.inRange || !pc.inRange) {
        return Message(kMessageOutOfRange);
    }
    return SolveCoefficients(a, b, c);
}

SolveOutcome SolveCoefficients(double a, double b, double c) {
    // Each step is one rounded double operation, in this order.
    const double bb = b * b;
    const double fourA = 4 * a;
    const double fourAC = fourA * c;
    const double delta = bb - fourAC;
    const double twoA = 2 * a;
    const double minusB = -b;
    const double h = minusB / twoA;
    const double k = (fourAC - bb) / fourA;
    if (!AllFinite({bb, fourAC, delta, h, k})) {
        return Message(kMessageOutOfRange);
    }

    SolveOutcome outcome;
    outcome.kind = SolveOutcome::Kind::Result;
    ResultTexts& labels = outcome.labels;
    Solution& s = outcome.solution;
    labels[0] = Join(kDeltaPrefix, NumberToText(delta));
    if (delta < 0) {
        labels[1] = std::string(kNoRealRoots);
        s.r1 = 0;
        s.r2 = 0;
    } else if (delta == 0) {
        const double x = (minusB + std::sqrt(delta)) / twoA;
        labels[1] = FormatFixed(x, kRootPlaces);
        s.r1 = x;
        s.r2 = x;
    } else {
        const double root = std::sqrt(delta);
        const double p = (minusB + root) / twoA;
        const double m = (minusB - root) / twoA;
        if (!AllFinite({p, m})) {
            return Message(kMessageOutOfRange);
        }
        labels[1] = Join(kFirstRootPrefix, FormatFixed(p, kRootPlaces));
        labels[2] = Join(kSecondRootPrefix, FormatFixed(m, kRootPlaces));
        s.r1 = p < m ? m : p;
        s.r2 = p < m ? p : m;
    }
    labels[3] = FormatFixed(h, kVertexPlaces);
    labels[4] = FormatFixed(k, kVertexPlaces);
    s.h = h;
    s.k = k;
    s.a = a;
    s.b = b;
    s.c = c;
    return outcome;
}

}  // namespace quadrello
