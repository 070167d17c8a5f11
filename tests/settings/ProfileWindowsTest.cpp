// The Win32 side of the profile routines: files the system will not let us replace stay as they
// were, UTF-16 paths reach the file system whole, writers in parallel lose nothing, and the
// user record lands in the registry as text values.
// First: it includes the system's headers and takes back the names of their profile macros.
#include "settings/WindowsFiles.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "common/NamedCase.h"
#include "common/ScratchFolder.h"
#include "platform/core/AppNames.h"
#include "platform/core/UserRecord.h"
#include "settings/Profile.h"

namespace quadrello {
namespace {

using windows::Wide;

constexpr char kBefore[] = "[s]\r\nk=old\r\n";

// Makes the situation before the write; returns what undoes it afterwards (may be empty).
using Situation = std::function<std::function<void()>(const std::string& file)>;

struct RefusedCase : test::NamedCase {
    Situation make;
};

const RefusedCase kRefusedCases[] = {
    {"ReadOnlyAttribute",
     [](const std::string& file) -> std::function<void()> {
         ::SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_READONLY);
         return [file] { ::SetFileAttributesW(Wide(file).c_str(), FILE_ATTRIBUTE_NORMAL); };
     }},
    {"OpenWithoutSharing",
     [](const std::string& file) -> std::function<void()> {
         const HANDLE held = ::CreateFileW(Wide(file).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
         EXPECT_NE(held, INVALID_HANDLE_VALUE);
         return [held] { ::CloseHandle(held); };
     }},
};

class ProfileWindowsRefusedWrite : public testing::TestWithParam<RefusedCase> {};

TEST_P(ProfileWindowsRefusedWrite, ReturnsZeroKeepsFileAndLeavesNoTemporary) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, kBefore);
    const std::function<void()> undo = GetParam().make(file);
    EXPECT_EQ(WriteProfileString("s", "k", "new", file), 0);
    undo();
    EXPECT_EQ(test::ReadBytes(file), kBefore);
    EXPECT_EQ(test::ListFolder(folder.Path()), "config.ini");
}

INSTANTIATE_TEST_SUITE_P(Win32, ProfileWindowsRefusedWrite, testing::ValuesIn(kRefusedCases),
                         test::CaseName);

TEST(ProfileWindows, FolderNamedInChineseIsWrittenAndReadBack) {
    test::ScratchFolder scratch;
    const std::string folder = scratch.Path() + "\\二次方程";
    ASSERT_TRUE(::CreateDirectoryW(Wide(folder).c_str(), nullptr));
    const std::string file = folder + "\\config.ini";
    ASSERT_NE(WriteProfileString("Windows", "WindowTop", " 1", file), 0);
    EXPECT_EQ(test::ReadBytes(file), "[Windows]\r\nWindowTop= 1\r\n");
    char value[128] = {};
    EXPECT_EQ(GetProfileString("windows", "windowtop", value, file), 1u);  // blanks trimmed
    EXPECT_STREQ(value, "1");
}

TEST(ProfileWindows, StaleTemporariesOfOurOwnNamesGoOthersStay) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, kBefore);
    test::WriteBytes(folder.File(".config.ini.tmp-0123456789abcdef01234567"), "torn");
    test::WriteBytes(folder.File(".config.ini.tmp-notours"), "kept");
    ASSERT_NE(WriteProfileString("s", "k", "new", file), 0);
    EXPECT_EQ(test::ReadBytes(file), "[s]\r\nk=new\r\n");
    EXPECT_EQ(test::ListFolder(folder.Path()), ".config.ini.tmp-notours config.ini");
}

TEST(ProfileWindows, ParallelWritersOfDifferentKeysLoseNothing) {
    constexpr int kRounds = 40;
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    const auto writer = [&file](const char* key) {
        for (int round = 1; round <= kRounds; ++round) {
            WriteProfileString("s", key, std::to_string(round), file);
        }
    };
    std::thread first(writer, "a");
    std::thread second(writer, "b");
    first.join();
    second.join();
    char value[128] = {};
    GetProfileString("s", "a", value, file);
    EXPECT_STREQ(value, "40");
    GetProfileString("s", "b", value, file);
    EXPECT_STREQ(value, "40");
    EXPECT_EQ(test::ListFolder(folder.Path()), "config.ini");
}

std::optional<std::wstring> RecordValue(const wchar_t* name) {
    wchar_t text[512] = {};
    DWORD size = sizeof text;
    DWORD type = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Tarvenn\\Quadrello", name, RRF_RT_ANY, &type,
                       text, &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    return std::wstring(text);
}

TEST(UserRecordWindows, PathAndVisionAreTextValuesOfTheCurrentUsersKey) {
    platform::SetApplicationNames();  // as the program names itself
    const std::optional<std::wstring> oldPath = RecordValue(L"Path");
    const std::optional<std::wstring> oldVision = RecordValue(L"Vision");
    platform::WriteUserRecord("C:\\Program Files\\二次方程", "9.8");
    EXPECT_EQ(RecordValue(L"Path"), L"C:\\Program Files\\二次方程");
    EXPECT_EQ(RecordValue(L"Vision"), L"9.8");
    if (oldPath && oldVision) {
        platform::WriteUserRecord(windows::Utf8(*oldPath), windows::Utf8(*oldVision));
    }
}

}  // namespace
}  // namespace quadrello
