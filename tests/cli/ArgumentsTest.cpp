#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"

namespace quadrello::cli {
namespace {

ParsedArguments Parse(std::vector<std::string_view> args) {
    return ParseArguments(args);
}

TEST(Arguments, TakesTheThreeTextsExactlyAsGiven) {
    const ParsedArguments p = Parse({"", " ", "&H10"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.arguments.texts[0], "");
    EXPECT_EQ(p.arguments.texts[1], " ");
    EXPECT_EQ(p.arguments.texts[2], "&H10");
    EXPECT_FALSE(p.arguments.json);
    EXPECT_FALSE(p.arguments.pngPath);
}

TEST(Arguments, TextsMayStartWithAMinusSign) {
    struct Case {
        std::vector<std::string_view> args;
        std::array<std::string, 3> texts;
    };
    const Case cases[] = {
        {{"1", "-3", "2"}, {"1", "-3", "2"}},
        {{"-1", "0", "4"}, {"-1", "0", "4"}},
        {{"--", "-1", "--2", "4"}, {"-1", "--2", "4"}},
        {{"--json", "-", "-h", "-"}, {"-", "-h", "-"}},
    };
    for (const Case& c : cases) {
        const ParsedArguments p = Parse(c.args);
        EXPECT_EQ(p.error, "") << c.args[0];
        EXPECT_EQ(p.arguments.texts, c.texts) << c.args[0];
    }
}

TEST(Arguments, RecognisesOptionsOnlyBeforeTheTexts) {
    const ParsedArguments p =
        Parse({"--json", "--png", "out.png", "--size", "400x300", "1", "2", "3"});
    ASSERT_EQ(p.error, "");
    EXPECT_TRUE(p.arguments.json);
    EXPECT_EQ(p.arguments.pngPath.value_or(""), "out.png");
    EXPECT_EQ(p.arguments.pngWidth, 400);
    EXPECT_EQ(p.arguments.pngHeight, 300);
    // After the first text, "--json" is a fourth text.
    EXPECT_NE(Parse({"1", "2", "3", "--json"}).error, "");
    // After "--", "--json" is a text.
    const ParsedArguments ended = Parse({"--", "--json", "2", "3"});
    EXPECT_EQ(ended.error, "");
    EXPECT_FALSE(ended.arguments.json);
    EXPECT_EQ(ended.arguments.texts[0], "--json");
}

TEST(Arguments, HelpNeedsNoTexts) {
    EXPECT_TRUE(Parse({"--help"}).arguments.help);
    EXPECT_TRUE(Parse({"-h"}).arguments.help);
    EXPECT_EQ(Parse({"--json", "--help"}).error, "");
}

TEST(Arguments, RefusesWrongUsage) {
    const std::vector<std::vector<std::string_view>> wrong = {
        {},
        {"1", "2"},
        {"1", "2", "3", "4"},
        {"--bogus", "1", "2", "3"},
        {"--png"},
        {"--size", "10x10", "1", "2", "3"},  // a size without a picture
        {"--png", "a.png", "--size", "0x10", "1", "2", "3"},
        {"--png", "a.png", "--size", "10x", "1", "2", "3"},
        {"--png", "a.png", "--size", "-5x10", "1", "2", "3"},
        {"--png", "a.png", "--size", "10x10x", "1", "2", "3"},
        {"--png", "a.png", "--size", "8193x10", "1", "2", "3"},
        {"--png", "a.png", "--size", "99999999999x10", "1", "2", "3"},
    };
    for (const auto& args : wrong) {
        EXPECT_NE(Parse(args).error, "") << (args.empty() ? "(none)" : args[0]);
    }
}

}  // namespace
}  // namespace quadrello::cli
