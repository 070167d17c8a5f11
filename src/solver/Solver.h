#pragma once

#include <array>
#include <string>
#include <string_view>

#include "solver/Solution.h"

namespace quadrello {

inline constexpr std::string_view kMessageZeroQuadratic = "二次项系数不能为零！";
inline constexpr std::string_view kMessageIncomplete = "请将上面信息填写完整！";
inline constexpr std::string_view kMessageOutOfRange = "数值超出范围！";

// The result labels' fixed beginnings, which are also their captions before a computation.
inline constexpr char kDeltaPrefix[] = "Δ(Delta)=";
inline constexpr char kFirstRootPrefix[] = "①=";
inline constexpr char kSecondRootPrefix[] = "②=";

// The five result texts in label order: Delta标签, 计算结果1标签, 计算结果2标签,
// 顶点坐标X标签, 顶点坐标Y标签.
using ResultTexts = std::array<std::string, 5>;

struct SolveOutcome {
    enum class Kind {
        Result,   // labels and solution are filled
        Message,  // message holds the text to show; nothing else changes
        Gated,    // the gate was closed: no visible effect at all
    };
    Kind kind = Kind::Gated;
    std::string message;
    ResultTexts labels;
    Solution solution;
};

// The compute command without a window: from the three coefficient texts (UTF-8, exactly as
// typed) to a message, a closed gate, or the five texts and the Solution. The two validation
// messages come before the gate; the computation and its range check after it.
SolveOutcome SolveTexts(std::string_view aText, std::string_view bText, std::string_view cText,
                        bool gateOpen = true);

// The computation and its range check for coefficients already read (a ≠ 0): the five texts and
// the Solution, or the out-of-range message.
SolveOutcome SolveCoefficients(double a, double b, double c);

}  // namespace quadrello
