// How values are found in the text of a profile file.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "common/NamedCase.h"
#include "settings/ProfileDocument.h"

namespace quadrello {
namespace {

using namespace std::string_view_literals;

struct ReadCase : test::NamedCase {
    std::string_view text;
    std::string_view section;
    std::string_view key;
    std::optional<std::string_view> expected;
};

const ReadCase kReadCases[] = {
    {"Plain", "[Function]\r\nMark=1\r\n", "Function", "Mark", "1"},
    {"SectionAndKeyIgnoreCase", "[FUNCTION]\r\nmark=1\r\n", "function", "MARK", "1"},
    {"ValueKeepsCase", "[s]\r\nk=AbC\r\n", "s", "k", "AbC"},
    {"BlanksAndTabsAroundKeyEqualsAndValue", "[s]\r\n \t k \t= \t v a l \t \r\n", "s", "k",
     "v a l"},
    {"BlanksBeforeAndInsideBrackets", "  \t[  s \t]  \r\nk=1\r\n", "s", "k", "1"},
    {"TextAfterClosingBracketIgnored", "[s] this is no part of it\r\nk=1\r\n", "s", "k", "1"},
    {"HeaderWithoutClosingBracket", "[s\r\nk=1\r\n", "s", "k", "1"},
    {"SectionNameEndsAtFirstBracket", "[a]b]\r\nk=1\r\n", "a", "k", "1"},
    {"SectionNameCannotHoldBracket", "[a]b]\r\nk=1\r\n", "a]b", "k", std::nullopt},
    {"DoubleQuotesRemoved", "[s]\r\nk=\"  x  \"\r\n", "s", "k", "  x  "},
    {"SingleQuotesRemoved", "[s]\r\nk='x'\r\n", "s", "k", "x"},
    {"BlanksOutsideQuotesRemoved", "[s]\r\nk=  \"x\"  \r\n", "s", "k", "x"},
    {"OnlyOnePairOfQuotesRemoved", "[s]\r\nk=\"\"x\"\"\r\n", "s", "k", "\"x\""},
    {"MismatchedQuotesKept", "[s]\r\nk=\"x'\r\n", "s", "k", "\"x'"},
    {"LoneQuoteKept", "[s]\r\nk=\"\r\n", "s", "k", "\""},
    {"EmptyQuotes", "[s]\r\nk=\"\"\r\n", "s", "k", ""},
    {"QuotesNotAroundWholeValueKept", "[s]\r\nk=\"a\" b\r\n", "s", "k", "\"a\" b"},
    {"CommentLine", "[s]\r\n;k=1\r\n", "s", "k", std::nullopt},
    {"CommentAfterBlanks", "[s]\r\n \t;k=1\r\n", "s", "k", std::nullopt},
    {"CommentKeyCannotBeAskedFor", "[s]\r\n;k=1\r\n", "s", ";k", std::nullopt},
    {"SemicolonLaterIsPartOfValue", "[s]\r\nk=1 ; note\r\n", "s", "k", "1 ; note"},
    {"SemicolonInsideKeyIsPartOfName", "[s]\r\na;b=1\r\n", "s", "a;b", "1"},
    {"SemicolonSectionIsASection", "[;s]\r\nk=1\r\n", ";s", "k", "1"},
    {"LineWithoutEqualsIsNoKey", "[s]\r\nk\r\n", "s", "k", std::nullopt},
    {"EmptyValue", "[s]\r\nk=\r\n", "s", "k", ""},
    {"EqualsInsideValue", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
    {"FirstDuplicateKeyWins", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
    {"FirstDuplicateKeyWinsAcrossCase", "[s]\r\nK=1\r\nk=2\r\n", "s", "k", "1"},
    {"FirstDuplicateSectionWins", "[s]\r\na=1\r\n[t]\r\n[s]\r\na=2\r\n", "s", "a", "1"},
    {"LaterDuplicateSectionIgnoredEntirely", "[s]\r\na=1\r\n[s]\r\nb=3\r\n", "s", "b",
     std::nullopt},
    {"KeyBeforeAnySectionBelongsToNone", "k=1\r\n[s]\r\n", "s", "k", std::nullopt},
    {"KeyOfOtherSection", "[s]\r\n[t]\r\nk=1\r\n", "s", "k", std::nullopt},
    {"MissingSection", "[s]\r\nk=1\r\n", "t", "k", std::nullopt},
    {"MissingKey", "[s]\r\nk=1\r\n", "s", "j", std::nullopt},
    {"EmptyText", "", "s", "k", std::nullopt},
    {"LfLines", "[s]\nk=1\nj=2\n", "s", "j", "2"},
    {"CrLines", "[s]\rk=1\rj=2\r", "s", "j", "2"},
    {"MixedLineEnds", "[s]\r\na=1\nb=2\rc=3", "s", "b", "2"},
    {"MixedLineEndsLast", "[s]\r\na=1\nb=2\rc=3", "s", "c", "3"},
    {"CrCrLfIsTwoLines", "[s]\r\r\nk=1\r\n", "s", "k", "1"},
    {"NoFinalLineBreak", "[s]\r\nk=1", "s", "k", "1"},
    {"ByteOrderMarkBeforeFirstSection", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", "1"},
    {"ByteOrderMarkOnlyAtStart", "\r\n\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", "k", std::nullopt},
    {"NulInsideValueKept", "[s]\r\nk=a\0b\r\n"sv, "s", "k", "a\0b"sv},
    {"NulLineBetween", "[s]\r\n\0\0\0\r\nk=1\r\n"sv, "s", "k", "1"},
    {"NulDoesNotEndName", "[s]\r\nk\0x=1\r\n"sv, "s", "k", std::nullopt},
    {"NonAsciiNamesCompareExactly", "[\xC3\x84]\r\nk=1\r\n", "\xC3\xA4", "k", std::nullopt},
    {"NonAsciiNamesMatch", "[\xC3\x84]\r\nk=1\r\n", "\xC3\x84", "k", "1"},
    {"AskedNamesLoseBlanks", "[s]\r\nk=1\r\n", " s\t", " k ", "1"},
    {"NamelessSection", "[]\r\nk=1\r\n", "", "k", "1"},
    {"EmptyKeyFindsNothing", "[s]\r\n=1\r\n", "s", "", std::nullopt},
    {"HeaderLikeValue", "[s]\r\nk=[t]\r\n", "s", "k", "[t]"},
    {"TrailingBlanksOfLastLine", "[s]\r\nk=1 \t ", "s", "k", "1"},
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, FindsValue) {
    const ReadCase& c = GetParam();
    const std::optional<std::string_view> value = ProfileDocument(c.text).Value(c.section, c.key);
    ASSERT_EQ(value.has_value(), c.expected.has_value());
    if (value) {
        EXPECT_EQ(std::string(*value), std::string(*c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(Semantics, ProfileRead, testing::ValuesIn(kReadCases), test::CaseName);

}  // namespace
}  // namespace quadrello
