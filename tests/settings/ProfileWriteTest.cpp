// How a write changes the text of a profile file: exactly one line, every other byte kept.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "common/NamedCase.h"
#include "common/ScratchFolder.h"
#include "settings/Profile.h"
#include "settings/ProfileDocument.h"
#include "settings/Settings.h"

namespace quadrello {
namespace {

using namespace std::string_view_literals;

struct WriteCase : test::NamedCase {
    std::string_view before;
    std::string_view section;
    std::string_view key;
    std::string_view value;
    std::string_view after;
};

const WriteCase kWriteCases[] = {
    {"NewFile", "", "Function", "DrawGraphic", "0", "[Function]\r\nDrawGraphic=0\r\n"},
    {"ReplaceInPlaceKeepsNameCasing", "[s]\r\nA=1\r\nkEy=old\r\nB=2\r\n", "S", "KEY", "new",
     "[s]\r\nA=1\r\nkEy=new\r\nB=2\r\n"},
    {"ReplaceKeepsLfTerminator", "[s]\nk=1\nx=2\n", "s", "k", "2", "[s]\nk=2\nx=2\n"},
    {"ReplaceKeepsCrTerminator", "[s]\rk=1\rx=2\r", "s", "k", "2", "[s]\rk=2\rx=2\r"},
    {"ReplaceRewritesItsOwnLine", "[s]\r\n  k  =  1  \r\n", "s", "k", "2", "[s]\r\nk=2\r\n"},
    {"ReplaceLastLineWithoutBreak", "[s]\r\nk=1", "s", "k", "2", "[s]\r\nk=2"},
    {"ReplaceQuotedValue", "[s]\r\nk=\"a b\"\r\n", "s", "k", "c", "[s]\r\nk=c\r\n"},
    {"ReplaceFirstOfDuplicateKeys", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "3",
     "[s]\r\nk=3\r\nk=2\r\n"},
    {"ReplaceInFirstOfDuplicateSections", "[s]\r\nk=1\r\n[s]\r\nk=2\r\n", "s", "k", "3",
     "[s]\r\nk=3\r\n[s]\r\nk=2\r\n"},
    {"KeyOnlyInLaterDuplicateGoesToFirst", "[a]\r\nx=1\r\n[a]\r\ny=2\r\n", "a", "y", "3",
     "[a]\r\nx=1\r\ny=3\r\n[a]\r\ny=2\r\n"},
    {"AppendAfterLastKeyBeforeGap", "[a]\r\nx=1\r\n\r\n; about b\r\n[b]\r\ny=2\r\n", "a", "z", "3",
     "[a]\r\nx=1\r\nz=3\r\n\r\n; about b\r\n[b]\r\ny=2\r\n"},
    {"AppendAfterLastKeyPastInnerComment", "[a]\r\nx=1\r\n; note\r\ny=2\r\n; tail\r\n", "a", "z",
     "3", "[a]\r\nx=1\r\n; note\r\ny=2\r\nz=3\r\n; tail\r\n"},
    {"AppendAfterTextLine", "[a]\r\nx=1\r\njunk\r\n\r\n", "a", "z", "3",
     "[a]\r\nx=1\r\njunk\r\nz=3\r\n\r\n"},
    {"AppendToSectionWithoutKeys", "[a]\r\n\r\n[b]\r\n", "a", "z", "3",
     "[a]\r\nz=3\r\n\r\n[b]\r\n"},
    {"AppendBeforeCommentedOutKey", "[a]\r\n;x=1\r\n", "a", "x", "2", "[a]\r\nx=2\r\n;x=1\r\n"},
    {"AppendAfterHeaderWithoutBreak", "[a]", "a", "z", "3", "[a]\r\nz=3\r\n"},
    {"AppendAfterKeyWithoutBreak", "[a]\r\nx=1", "a", "z", "3", "[a]\r\nx=1\r\nz=3\r\n"},
    {"AppendInLfFileWritesCrLf", "[a]\nx=1\n", "a", "z", "3", "[a]\nx=1\nz=3\r\n"},
    {"AppendInCrFile", "[a]\rx=1\r", "a", "z", "3", "[a]\rx=1\rz=3\r\n"},
    {"NewSectionAtEnd", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
    {"NewSectionAfterMissingBreak", "[a]\r\nx=1", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
    {"NewSectionAfterLfFile", "[a]\nx=1\n", "b", "y", "2", "[a]\nx=1\n[b]\r\ny=2\r\n"},
    {"NewSectionAfterTrailingComment", "[a]\r\n; end", "b", "y", "2",
     "[a]\r\n; end\r\n[b]\r\ny=2\r\n"},
    {"NewSectionKeepsGivenCase", "", "WinDows", "SetTray", "1", "[WinDows]\r\nSetTray=1\r\n"},
    {"NamesLoseSurroundingBlanks", "", " b\t", " y ", "v", "[b]\r\ny=v\r\n"},
    {"ValueWrittenVerbatim", "[Windows]\r\nWindowTop=1\r\n", "Windows", "WindowTop", " 1",
     "[Windows]\r\nWindowTop= 1\r\n"},
    {"EmptyValue", "", "s", "k", "", "[s]\r\nk=\r\n"},
    {"ByteOrderMarkKeptAndSectionFound", "\xEF\xBB\xBF[a]\r\nx=1\r\n", "a", "x", "2",
     "\xEF\xBB\xBF[a]\r\nx=2\r\n"},
    {"ByteOrderMarkOnly", "\xEF\xBB\xBF", "a", "x", "1", "\xEF\xBB\xBF[a]\r\nx=1\r\n"},
    {"ForeignBytesBeforeFirstSectionKept", "junk\0=\0\r\n[a]\r\nx=1\r\n"sv, "a", "x", "2",
     "junk\0=\0\r\n[a]\r\nx=2\r\n"sv},
    {"NulLinesKept", "[a]\r\n\0\0\r\nx=1\r\n\0"sv, "a", "x", "2", "[a]\r\n\0\0\r\nx=2\r\n\0"sv},
    {"NulTailGetsBreakBeforeNewSection", "\0\0"sv, "a", "x", "1", "\0\0\r\n[a]\r\nx=1\r\n"sv},
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyItsLine) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(ProfileDocument(c.before).WithValue(c.section, c.key, c.value), c.after);
}

TEST_P(ProfileWrite, ThroughTheFile) {
    const WriteCase& c = GetParam();
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    if (!c.before.empty()) {
        test::WriteBytes(file, c.before);
    }
    ASSERT_NE(WriteProfileString(c.section, c.key, c.value, file), 0);
    EXPECT_EQ(test::ReadBytes(file), c.after);
}

INSTANTIATE_TEST_SUITE_P(Semantics, ProfileWrite, testing::ValuesIn(kWriteCases), test::CaseName);

// `text` as a file saved in UTF-16 with a byte-order mark.
std::string Utf16File(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

// A UTF-16 file is read, and written back in its own byte order, every character kept (also
// those beyond ASCII and beyond the basic plane).
TEST(ProfileUtf16, RoundTripsInItsOwnByteOrder) {
    const std::u16string before = u"[Windows]\r\nWindowTop=1\r\n; 注释 \U0001F600\r\n";
    for (const bool bigEndian : {false, true}) {
        test::ScratchFolder folder;
        const std::string file = folder.File("config.ini");
        test::WriteBytes(file, Utf16File(before, bigEndian));
        EXPECT_EQ(ReadSetting("Windows", "WindowTop", file), "1") << bigEndian;
        ASSERT_NE(WriteSetting("Windows", "WindowTop", " 0", file), 0);
        ASSERT_NE(WriteSetting("Function", "Mark", "1", file), 0);
        EXPECT_EQ(test::ReadBytes(file),
                  Utf16File(u"[Windows]\r\nWindowTop= 0\r\n; 注释 \U0001F600\r\n"
                            u"[Function]\r\nMark=1\r\n",
                            bigEndian))
            << bigEndian;
    }
}

// A damaged UTF-16 file stays UTF-16: a surrogate without its partner and an odd last byte read
// as U+FFFD, and the write goes on in UTF-16, never in another encoding.
TEST(ProfileUtf16, DamageReadsAsReplacementCharacters) {
    const struct {
        const char* name;
        std::string bytes;
        std::u16string text;  // as read, and written back before the new section
        bool bigEndian;
    } cases[] = {
        {"TrailingHighSurrogate", Utf16File(u"[Function]\r\nMark=1\r\n", false) + "\x3D\xD8",
         u"[Function]\r\nMark=1\r\n\uFFFD", false},
        {"LoneLowSurrogate", Utf16File(u"[Function]\r\nMark=1\r\n\xDC00\r\n", true),
         u"[Function]\r\nMark=1\r\n\uFFFD\r\n", true},
        {"OddLastByte", Utf16File(u"[Function]\r\nMark=1\r\n", false) + "x",
         u"[Function]\r\nMark=1\r\n\uFFFD", false},
    };
    for (const auto& c : cases) {
        test::ScratchFolder folder;
        const std::string file = folder.File("config.ini");
        test::WriteBytes(file, c.bytes);
        EXPECT_EQ(ReadSetting("Function", "Mark", file), "1") << c.name;
        ASSERT_NE(WriteSetting("Windows", "SetTray", "1", file), 0) << c.name;
        const bool broken = c.text.back() != u'\n';
        EXPECT_EQ(test::ReadBytes(file),
                  Utf16File(c.text + (broken ? u"\r\n" : u"") + u"[Windows]\r\nSetTray=1\r\n",
                            c.bigEndian))
            << c.name;
    }
}

// Entries that could not be read back as written are refused, and the file stays as it was.
struct RefusedCase : test::NamedCase {
    std::string_view section;
    std::string_view key;
    std::string_view value;
};

const RefusedCase kRefusedCases[] = {
    {"EmptyKey", "s", "", "1"},
    {"BlankKey", "s", " \t", "1"},
    {"KeyStartingAComment", "s", ";k", "1"},
    {"KeyStartingACommentAfterBlank", "s", " ;k", "1"},
    {"KeyStartingAHeader", "s", "[k]", "1"},
    {"KeyWithEquals", "s", "a=b", "1"},
    {"KeyWithLineBreak", "s", "k\n", "1"},
    {"KeyWithNul", "s", "k\0x"sv, "1"},
    {"SectionWithClosingBracket", "a]b", "k", "1"},
    {"SectionWithLineBreak", "a\r\nb", "k", "1"},
    {"SectionWithNul", "a\0"sv, "k", "1"},
    {"ValueWithCrLf", "s", "k", "a\r\n[x]"},
    {"ValueWithCr", "s", "k", "a\rb"},
    {"ValueWithNul", "s", "k", "a\0b"sv},
};

class ProfileRefusedWrite : public testing::TestWithParam<RefusedCase> {};

TEST_P(ProfileRefusedWrite, ReturnsZeroAndKeepsFile) {
    const RefusedCase& c = GetParam();
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    const std::string before = "[s]\r\nk=old\r\n";
    test::WriteBytes(file, before);
    EXPECT_EQ(WriteProfileString(c.section, c.key, c.value, file), 0);
    EXPECT_EQ(test::ReadBytes(file), before);
    EXPECT_EQ(test::ListFolder(folder.Path()), "config.ini");
}

INSTANTIATE_TEST_SUITE_P(Semantics, ProfileRefusedWrite, testing::ValuesIn(kRefusedCases),
                         test::CaseName);

}  // namespace
}  // namespace quadrello
