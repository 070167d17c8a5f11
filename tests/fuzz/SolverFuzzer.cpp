// The coefficient parse and the whole compute core on three fuzzed texts ("a|b|c"): no crash, no
// hang, no number in a label that is not finite, and every outcome either one of the messages
// with nothing else filled, or five well-formed texts and a finite solution with r1 >= r2.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "solver/NumberText.h"
#include "solver/Solver.h"

namespace {

using quadrello::fuzz::Check;

constexpr std::string_view kDeltaPrefix = "Δ(Delta)=";
constexpr std::string_view kFirstRootPrefix = "①=";
constexpr std::string_view kSecondRootPrefix = "②=";
constexpr std::string_view kNoRealRoots = "无实数根";
// Beyond this a 15-digit text can round past the largest double, so it need not read back.
constexpr double kRoundTripLimit = 1e308;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char ch) { return std::isdigit(static_cast<unsigned char>(ch)); });
}

// No spelling of infinity or not-a-number, in any case.
bool MentionsNonFinite(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

// NumberToText: -?D(.D+)?(E[+-]DD+)?, no trailing zeros after a point.
bool IsGeneralNumber(std::string_view text) {
    if (StartsWith(text, "-")) {
        text.remove_prefix(1);
    }
    std::string_view exponent;
    if (const auto e = text.find('E'); e != std::string_view::npos) {
        exponent = text.substr(e + 1);
        text = text.substr(0, e);
        if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-') ||
            !AllDigits(exponent.substr(1))) {
            return false;
        }
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    if (whole.empty() || !AllDigits(whole)) {
        return false;
    }
    if (point == std::string_view::npos) {
        return true;
    }
    const std::string_view fraction = text.substr(point + 1);
    return !fraction.empty() && AllDigits(fraction) && fraction.back() != '0';
}

// FormatFixed: -?D+.D*, the point always there, no trailing zeros, at most 15 significant digits.
bool IsFixedNumber(std::string_view text) {
    if (StartsWith(text, "-")) {
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    if (point == std::string_view::npos || point == 0) {
        return false;
    }
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = text.substr(point + 1);
    if (!AllDigits(whole) || !AllDigits(fraction) ||
        (!fraction.empty() && fraction.back() == '0')) {
        return false;
    }
    std::string digits = std::string(whole) + std::string(fraction);
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        return true;
    }
    const auto last = digits.find_last_not_of('0');
    return last - first + 1 <= 15;
}

void CheckNumberTexts(std::string_view text) {
    const quadrello::ParsedNumber parsed = quadrello::ParseNumberChecked(text);
    Check(!parsed.inRange || std::isfinite(parsed.value), "an in-range parse is not finite", text);
    if (!std::isfinite(parsed.value) || std::fabs(parsed.value) >= kRoundTripLimit) {
        return;
    }
    const std::string general = quadrello::NumberToText(parsed.value);
    Check(IsGeneralNumber(general), "malformed general number text", general);
    // What the program shows reads back as itself.
    Check(quadrello::NumberToText(quadrello::ParseNumber(general)) == general,
          "a general number text does not read back", general);
    Check(IsFixedNumber(quadrello::FormatFixed(parsed.value, 26)), "malformed fixed text",
          quadrello::FormatFixed(parsed.value, 26));
    if (std::fabs(parsed.value) <= std::numeric_limits<float>::max()) {
        const std::string single = quadrello::FormatFixed(static_cast<float>(parsed.value), 1);
        Check(IsFixedNumber(single), "malformed single-precision fixed text", single);
    }
}

bool IsMessage(std::string_view text) {
    return text == quadrello::kMessageZeroQuadratic || text == quadrello::kMessageIncomplete ||
           text == quadrello::kMessageOutOfRange;
}

void CheckResult(const quadrello::SolveOutcome& outcome) {
    const auto& labels = outcome.labels;
    for (const std::string& label : labels) {
        Check(!MentionsNonFinite(label), "a label shows a number that is not finite", label);
    }
    Check(outcome.message.empty(), "a result carries a message", outcome.message);
    Check(StartsWith(labels[0], kDeltaPrefix) &&
              IsGeneralNumber(std::string_view(labels[0]).substr(kDeltaPrefix.size())),
          "malformed delta label", labels[0]);
    const std::string_view first = labels[1];
    const std::string_view second = labels[2];
    if (first == kNoRealRoots) {
        Check(second.empty(), "no real roots but a second root", second);
    } else if (StartsWith(first, kFirstRootPrefix)) {
        Check(IsFixedNumber(first.substr(kFirstRootPrefix.size())), "malformed first root", first);
        Check(StartsWith(second, kSecondRootPrefix) &&
                  IsFixedNumber(second.substr(kSecondRootPrefix.size())),
              "malformed second root", second);
    } else {
        Check(IsFixedNumber(first), "malformed double root", first);
        Check(second.empty(), "a double root with a second root", second);
    }
    Check(IsFixedNumber(labels[3]), "malformed vertex x", labels[3]);
    Check(IsFixedNumber(labels[4]), "malformed vertex y", labels[4]);

    const quadrello::Solution& s = outcome.solution;
    for (const double v : {s.r1, s.r2, s.h, s.k, s.a, s.b, s.c}) {
        Check(std::isfinite(v), "a solution field is not finite");
    }
    Check(s.a != 0, "a result with a = 0");
    Check(s.r1 >= s.r2, "r1 < r2");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto fields = quadrello::fuzz::SplitFields(input, 3);
    for (const std::string_view text : fields) {
        CheckNumberTexts(text);
    }

    using Kind = quadrello::SolveOutcome::Kind;
    const quadrello::SolveOutcome open = quadrello::SolveTexts(fields[0], fields[1], fields[2]);
    switch (open.kind) {
        case Kind::Result:
            CheckResult(open);
            break;
        case Kind::Message:
            Check(IsMessage(open.message), "an unknown message", open.message);
            for (const std::string& label : open.labels) {
                Check(label.empty(), "a message with a label", label);
            }
            break;
        case Kind::Gated:
            quadrello::fuzz::Fail("gated although the gate is open");
    }

    // The closed gate stops only the computation: the validation messages come first, and
    // the out-of-range check belongs to the computation.
    const quadrello::SolveOutcome closed =
        quadrello::SolveTexts(fields[0], fields[1], fields[2], false);
    if (closed.kind == Kind::Message) {
        Check(open.kind == Kind::Message && closed.message == open.message,
              "the closed gate changes the message", closed.message);
    } else {
        Check(closed.kind == Kind::Gated, "a result although the gate is closed");
        Check(open.kind == Kind::Result || open.message == quadrello::kMessageOutOfRange,
              "a validation message only with the gate open", open.message);
    }
    return 0;
}
