#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>

#include "cli/Json.h"
#include "cli/Report.h"

namespace quadrello::cli {
namespace {

std::string String(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

std::string Number(double v) {
    std::string out;
    AppendJsonNumber(out, v);
    return out;
}

TEST(Json, EscapesQuotesBackslashesAndControlCharacters) {
    EXPECT_EQ(String("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(String("\n\r\t\b\f"), R"("\n\r\t\b\f")");
    EXPECT_EQ(String(std::string_view("\x01\x1f\0", 3)), R"("\u0001\u001f\u0000")");
    EXPECT_EQ(String("Δ(Delta)=1 ①"), "\"Δ(Delta)=1 ①\"");  // UTF-8 stays as it is
    EXPECT_EQ(String("/\x7f"), "\"/\x7f\"");
}

TEST(Json, NumbersAreShortestAndReadBackBitForBit) {
    EXPECT_EQ(Number(2), "2");
    EXPECT_EQ(Number(-0.25), "-0.25");
    EXPECT_EQ(Number(-0.0), "-0");
    EXPECT_EQ(Number(0.1), "0.1");
    EXPECT_EQ(Number(1e21), "1e+21");
    EXPECT_EQ(Number(0.28077640640441515), "0.28077640640441515");
    EXPECT_EQ(Number(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(Number(std::nan("")), "null");

    std::mt19937_64 random(7);
    for (int i = 0; i < 10000; ++i) {
        const double v = std::bit_cast<double>(random());
        if (!std::isfinite(v)) {
            continue;
        }
        const std::string text = Number(v);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(std::strtod(text.c_str(), nullptr)),
                  std::bit_cast<std::uint64_t>(v))
            << text;
    }
}

TEST(Json, ReportsAResultOrAMessage) {
    SolveOutcome result;
    result.kind = SolveOutcome::Kind::Result;
    result.labels = {"Δ(Delta)=-4", "无实数根", "", "0.", "1."};
    result.solution = {0, 0, -0.0, 1, 1, 0, 1};
    PlotReport plot;
    plot.window = {-10, 10, -1, std::numeric_limits<double>::infinity(), 1, 11};
    plot.samples = 0;
    EXPECT_EQ(JsonReport(result, plot),
              "{\"labels\":[\"Δ(Delta)=-4\",\"无实数根\",\"\",\"0.\",\"1.\"],"
              "\"solution\":[0,0,-0,1,1,0,1],\"window\":[-10,10,-1,null],\"samples\":0}\n");

    SolveOutcome message;
    message.kind = SolveOutcome::Kind::Message;
    message.message = "二次项系数不能为零！";
    EXPECT_EQ(JsonReport(message, plot), "{\"message\":\"二次项系数不能为零！\"}\n");
    EXPECT_EQ(TextReport(message), "二次项系数不能为零！\n");
}

}  // namespace
}  // namespace quadrello::cli
