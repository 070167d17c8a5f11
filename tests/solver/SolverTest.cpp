#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "solver/Solver.h"

namespace quadrello {
namespace {

std::uint64_t Bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

struct WorkedExample {
    std::string a, b, c;
    ResultTexts labels;
    double r1, r2, h, k;
};

class WorkedExamples : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, LabelsAndSolutionBitForBit) {
    const WorkedExample& e = GetParam();
    const SolveOutcome out = SolveTexts(e.a, e.b, e.c);
    ASSERT_EQ(out.kind, SolveOutcome::Kind::Result) << out.message;
    for (std::size_t i = 0; i < e.labels.size(); ++i) {
        EXPECT_EQ(out.labels[i], e.labels[i]) << "label " << i;
    }
    EXPECT_EQ(Bits(out.solution.r1), Bits(e.r1)) << out.solution.r1;
    EXPECT_EQ(Bits(out.solution.r2), Bits(e.r2)) << out.solution.r2;
    EXPECT_EQ(Bits(out.solution.h), Bits(e.h)) << out.solution.h;
    EXPECT_EQ(Bits(out.solution.k), Bits(e.k)) << out.solution.k;
}

INSTANTIATE_TEST_SUITE_P(
    Table, WorkedExamples,
    ::testing::Values(
        WorkedExample{
            "1", "-3", "2", {"Δ(Delta)=1", "①=2.", "②=1.", "1.5", "-0.25"}, 2, 1, 1.5, -0.25},
        WorkedExample{"1", "2", "1", {"Δ(Delta)=0", "-1.", "", "-1.", "0."}, -1, -1, -1, 0},
        WorkedExample{"1", "0", "1", {"Δ(Delta)=-4", "无实数根", "", "0.", "1."}, 0, 0, -0.0, 1},
        WorkedExample{"-1", "0", "4", {"Δ(Delta)=16", "①=-2.", "②=2.", "0.", "4."}, 2, -2, 0, 4},
        WorkedExample{
            "2",
            "3",
            "-1",
            {"Δ(Delta)=17", "①=0.280776406404415", "②=-1.78077640640442", "-0.75", "-2.125"},
            0.28077640640441515,
            -1.7807764064044151,
            -0.75,
            -2.125},
        WorkedExample{"3",
                      "1",
                      "-1",
                      {"Δ(Delta)=13", "①=0.434258545910665", "②=-0.767591879243998", "-0.166667",
                       "-1.083333"},
                      0.4342585459106649,
                      -0.7675918792439983,
                      -1.0 / 6,
                      -13.0 / 12},
        // Δ = 0 is an exact test: this tiny positive Δ gives two roots.
        WorkedExample{"1",
                      "0.2",
                      "0.01",
                      {"Δ(Delta)=6.93889390390723E-18", "①=-0.099999998682911",
                       "②=-0.100000001317089", "-0.1", "-0."},
                      -0.09999999868291098,
                      -0.10000000131708903,
                      -0.1,
                      -1.734723475976807e-18}));

TEST(Solver, NegativeLeadingCoefficientKeepsFormulaOrderInLabels) {
    const SolveOutcome out = SolveTexts("-1", "0", "4");
    ASSERT_EQ(out.kind, SolveOutcome::Kind::Result);
    EXPECT_EQ(out.labels[1], "①=-2.");
    EXPECT_EQ(out.labels[2], "②=2.");
    EXPECT_GE(out.solution.r1, out.solution.r2);
}

TEST(Solver, SolutionCarriesCoefficients) {
    const SolveOutcome out = SolveTexts("1e3", "&H10", "1,5");
    ASSERT_EQ(out.kind, SolveOutcome::Kind::Result);
    EXPECT_EQ(out.solution.a, 1000);
    EXPECT_EQ(out.solution.b, 16);
    EXPECT_EQ(out.solution.c, 1);
}

struct MessageCase {
    std::string a, b, c;
    bool gate;
    SolveOutcome::Kind kind;
    std::string_view message;
};

class Messages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(Messages, PrecedenceAndGate) {
    const MessageCase& m = GetParam();
    const SolveOutcome out = SolveTexts(m.a, m.b, m.c, m.gate);
    EXPECT_EQ(out.kind, m.kind) << m.a << "|" << m.b << "|" << m.c;
    EXPECT_EQ(out.message, m.message);
    if (out.kind != SolveOutcome::Kind::Result) {
        for (const std::string& label : out.labels) {
            EXPECT_TRUE(label.empty()) << "a stopped command must carry no results";
        }
    }
}

using K = SolveOutcome::Kind;
INSTANTIATE_TEST_SUITE_P(
    Table, Messages,
    ::testing::Values(
        MessageCase{"0", "0", "0", true, K::Message, kMessageZeroQuadratic},
        MessageCase{"", "", "", true, K::Message, kMessageZeroQuadratic},
        MessageCase{"abc", "1", "1", true, K::Message, kMessageZeroQuadratic},
        MessageCase{"-0", "1", "1", true, K::Message, kMessageZeroQuadratic},
        MessageCase{"1e-400", "1", "1", true, K::Message, kMessageZeroQuadratic},
        MessageCase{"1", "", "2", true, K::Message, kMessageIncomplete},
        MessageCase{"1", "2", "", true, K::Message, kMessageIncomplete},
        MessageCase{"1", " ", "2", true, K::Result, ""},  // one blank is not empty
        // the two validation messages do not depend on the gate
        MessageCase{"0", "1", "1", false, K::Message, kMessageZeroQuadratic},
        MessageCase{"1", "", "1", false, K::Message, kMessageIncomplete},
        MessageCase{"1", "-3", "2", false, K::Gated, ""},
        // out of range: a coefficient text, a 32-bit overflow, and each computed step
        MessageCase{"1e309", "1", "1", true, K::Message, kMessageOutOfRange},
        MessageCase{"1", "-1e999", "1", true, K::Message, kMessageOutOfRange},
        MessageCase{"1", "1", "&H100000000", true, K::Message, kMessageOutOfRange},
        MessageCase{"1e309", "1", "1", false, K::Gated, ""},
        MessageCase{"1e309", "", "1", true, K::Message, kMessageIncomplete},
        MessageCase{"1", "1e200", "1", true, K::Message, kMessageOutOfRange},         // b·b
        MessageCase{"1e200", "1", "1e200", true, K::Message, kMessageOutOfRange},     // (4a)c
        MessageCase{"1e308", "1", "0", true, K::Message, kMessageOutOfRange},         // 4a·0
        MessageCase{"1e-310", "1", "0", true, K::Message, kMessageOutOfRange},        // h
        MessageCase{"1", "1.3e154", "-1e307", true, K::Message, kMessageOutOfRange},  // Δ
        MessageCase{"1e-320", "0", "-1e300", true, K::Message, kMessageOutOfRange},   // root
        MessageCase{"1e308", "1", "1", false, K::Gated, ""}));

}  // namespace
}  // namespace quadrello
