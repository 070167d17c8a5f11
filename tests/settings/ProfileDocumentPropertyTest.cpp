// Random texts built from the characters that matter to the grammar: whatever the text, a
// write reads back, changes no other entry, and writing the same entry again changes nothing.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ProfileDocument.h"
#include "settings/ProfileSyntax.h"

namespace quadrello {
namespace {

using namespace std::string_view_literals;

constexpr int kTexts = 3000;
constexpr int kMaxTokens = 40;

const std::string_view kTokens[] = {
    "[",    "]",       "=",  ";",   " ",  "\t",   "\r",           "\n",   "\r\n",
    "\0"sv, "a",       "A",  "b",   "B",  "x",    "\"",           "'",    "1",
    "[a]",  "[B]",     "a=", "b=1", "[]", "\xEF", "\xEF\xBB\xBF", "\xFF", "[ a ]",
    " ;",   "x=\"1\"", "a]",
};
const std::string_view kSections[] = {"a", "A", "b", " B ", "", "ab", "x"};
const std::string_view kKeys[] = {"a", "b", "A", "x", " ab", "1"};
const std::string_view kValues[] = {"1", "v", "", "x y", "'q'", " 2 ", "\"", "=;["};

std::string RandomText(std::mt19937& random) {
    std::uniform_int_distribution<int> count(0, kMaxTokens);
    std::uniform_int_distribution<std::size_t> token(0, std::size(kTokens) - 1);
    std::string text;
    for (int n = count(random); n > 0; --n) {
        text += kTokens[token(random)];
    }
    return text;
}

template <typename T, std::size_t N>
const T& Pick(std::mt19937& random, const T (&items)[N]) {
    return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

std::optional<std::string> ValueOf(std::string_view text, std::string_view section,
                                   std::string_view key) {
    const auto value = ProfileDocument(text).Value(section, key);
    return value ? std::optional<std::string>(std::string(*value)) : std::nullopt;
}

bool SameEntry(std::string_view s1, std::string_view k1, std::string_view s2, std::string_view k2) {
    return SameProfileName(TrimBlanks(s1), TrimBlanks(s2)) &&
           SameProfileName(TrimBlanks(k1), TrimBlanks(k2));
}

TEST(ProfileDocumentProperty, WritesAreLocalAndReadBack) {
    std::mt19937 random(7);
    for (int round = 0; round < kTexts; ++round) {
        const std::string before = RandomText(random);
        const std::string_view section = Pick(random, kSections);
        const std::string_view key = Pick(random, kKeys);
        const std::string_view value = Pick(random, kValues);
        const std::string after = ProfileDocument(before).WithValue(section, key, value);
        const testing::Message context = testing::Message()
                                         << "text: " << testing::PrintToString(before) << " write ["
                                         << section << "] " << key << "=" << value << " gives "
                                         << testing::PrintToString(after);

        EXPECT_EQ(ValueOf(after, section, key), std::string(Unquote(TrimBlanks(value)))) << context;
        EXPECT_EQ(ProfileDocument(after).WithValue(section, key, value), after) << context;
        for (const std::string_view otherSection : kSections) {
            for (const std::string_view otherKey : kKeys) {
                if (!SameEntry(section, key, otherSection, otherKey)) {
                    ASSERT_EQ(ValueOf(after, otherSection, otherKey),
                              ValueOf(before, otherSection, otherKey))
                        << context << " changed [" << otherSection << "] " << otherKey;
                }
            }
        }
    }
}

}  // namespace
}  // namespace quadrello
