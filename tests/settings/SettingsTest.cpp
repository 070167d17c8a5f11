// The settings routines: the path of config.ini, reading through a 128-byte buffer, writing.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "common/ChildProcess.h"
#include "common/NamedCase.h"
#include "common/ScratchFolder.h"
#include "platform/core/AppFolder.h"
#include "platform/core/AppNames.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

namespace quadrello {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

std::string OwnExecutableFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

class ApplicationFolderOverride : public testing::Test {
  protected:
    ~ApplicationFolderOverride() override { platform::OverrideApplicationFolder(""); }
};

TEST_F(ApplicationFolderOverride, ConfigPathJoinsWithoutLookingAtTrailingSeparator) {
    const struct {
        const char* folder;
        const char* path;
    } cases[] = {
        {"/opt/quadrello", "/opt/quadrello/config.ini"},
        {"/", "//config.ini"},  // the root folder keeps its separator: two in a row
        {"/home/学生/二次方程", "/home/学生/二次方程/config.ini"},
    };
    for (const auto& c : cases) {
        platform::OverrideApplicationFolder(c.folder);
        EXPECT_EQ(platform::ApplicationFile(kConfigFileName), c.path) << c.folder;
        // Without a config.ini there the settings are the user's own.
        if (!std::filesystem::exists(c.path)) {
            EXPECT_EQ(ConfigPath(), UserConfigPath()) << c.folder;
        }
    }
}

// A program folder and the user's configuration folder in a scratch folder; the environment
// variable is put back afterwards.
class SettingsLocation : public ApplicationFolderOverride {
  protected:
    SettingsLocation() {
        std::filesystem::create_directories(data_);
        std::filesystem::create_directories(bin_);
        if (const char* old = ::getenv("XDG_CONFIG_HOME")) {
            oldConfigHome_ = old;
        }
        ::setenv("XDG_CONFIG_HOME", configHome_.c_str(), 1);
        platform::OverrideApplicationFolder(bin_);
        platform::SetApplicationNames();  // as the program names itself
    }
    ~SettingsLocation() override {
        if (oldConfigHome_) {
            ::setenv("XDG_CONFIG_HOME", oldConfigHome_->c_str(), 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
    }

    test::ScratchFolder scratch_;
    const std::string bin_ = scratch_.File("prefix/bin");
    const std::string data_ = scratch_.File("prefix/share/quadrello");
    const std::string configHome_ = scratch_.File("xdg/config");  // a chain of missing folders
    const std::string userFile_ = configHome_ + "/Tarvenn/Quadrello/config.ini";
    std::optional<std::string> oldConfigHome_;
};

// Beside the program only where a config.ini is there and the folder lets the user write:
// root, who may write any folder, stores nothing beside a system install either.
TEST_F(SettingsLocation, ConfigPathBesideTheProgramOnlyWhereOneIsThere) {
    EXPECT_EQ(UserConfigPath(), userFile_);
    std::filesystem::permissions(scratch_.Path(), std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
    const struct {
        bool present;
        std::filesystem::perms folder;
        bool unprivileged;
        bool beside;
    } cases[] = {
        {false, std::filesystem::perms(0755), false, false},  // a system install, root or not
        {false, std::filesystem::perms(0777), true, false},
        {true, std::filesystem::perms(0777), true, true},  // a portable folder, the build tree
        {true, std::filesystem::perms(0755), false, true},
        {true, std::filesystem::perms(0555), true, false},  // a read-only medium
    };
    for (const auto& c : cases) {
        std::filesystem::remove(bin_ + "/config.ini");
        if (c.present) {
            test::WriteBytes(bin_ + "/config.ini", "[Function]\r\n");
        }
        std::filesystem::permissions(bin_, c.folder);
        const std::string expected = c.beside ? bin_ + "/config.ini" : userFile_;
        const auto check = [&expected] { return ConfigPath() == expected ? 0 : 1; };
        EXPECT_EQ(c.unprivileged ? test::RunUnprivileged(check) : check(), 0)
            << c.present << " " << static_cast<int>(c.folder);
        std::filesystem::permissions(bin_, std::filesystem::perms(0755));
    }
}

TEST_F(SettingsLocation, SkinBesideTheProgramFirstThenInTheDataFolder) {
    EXPECT_EQ(platform::ShippedFile("skin.ski"), bin_ + "/skin.ski");  // neither: names no file
    test::WriteBytes(data_ + "/skin.ski", "* {}");
    EXPECT_EQ(platform::ShippedFile("skin.ski"), data_ + "/skin.ski");
    test::WriteBytes(bin_ + "/skin.ski", "* {}");
    EXPECT_EQ(platform::ShippedFile("skin.ski"), bin_ + "/skin.ski");
}

// The user's own settings file reads as the shipped defaults until the first write, which
// starts the file from their bytes (beside the program there is a file whenever it is used).
using SettingsFromDefaults = SettingsLocation;

TEST_F(SettingsFromDefaults, ReadUntilTheFirstWriteCopiesThem) {
    const std::string defaults = "; shipped\r\n[Function]\r\nDrawGraphic=1\r\nMark=1\r\n";
    test::WriteBytes(data_ + "/config.ini", defaults);
    const std::string file = ConfigPath();
    ASSERT_EQ(file, userFile_);
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "1");
    EXPECT_FALSE(std::filesystem::exists(file)) << "reading created the file";

    EXPECT_NE(WriteSetting("Windows", "WindowTop", " 1", file), 0);
    EXPECT_EQ(test::ReadBytes(file), defaults + "[Windows]\r\nWindowTop= 1\r\n");
    for (const std::string& folder : {scratch_.File("xdg"), configHome_, configHome_ + "/Tarvenn",
                                      configHome_ + "/Tarvenn/Quadrello"}) {
        struct stat info {};
        ASSERT_EQ(::stat(folder.c_str(), &info), 0) << folder;
        EXPECT_EQ(info.st_mode & 07777, 0700u) << folder << ": private, as the XDG rules ask";
    }
    EXPECT_EQ(test::ReadBytes(data_ + "/config.ini"), defaults);

    // From now on the file alone counts.
    test::WriteBytes(data_ + "/config.ini", "[Function]\r\nMark=0\r\n");
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "1");
}

TEST_F(ApplicationFolderOverride, EmptyOverrideRestoresTheRealFolder) {
    platform::OverrideApplicationFolder("/somewhere/else");
    ASSERT_EQ(platform::ApplicationFolder(), "/somewhere/else");
    platform::OverrideApplicationFolder("");
    EXPECT_EQ(platform::ApplicationFolder(), OwnExecutableFolder());
}

TEST(ApplicationFolder, WithoutApplicationObjectIsTheExecutablesFolder) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(platform::ApplicationFolder(), OwnExecutableFolder());
    EXPECT_EQ(platform::ApplicationFile(kConfigFileName), OwnExecutableFolder() + "/config.ini");
}

TEST(ApplicationFolder, WithApplicationObjectIsItsFolder) {
    int argc = 1;
    char name[] = "settings_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    EXPECT_EQ(platform::ApplicationFolder(), OwnExecutableFolder());
}

// A folder whose name is not UTF-8 (here GBK, as unpacked from an archive made on a Chinese
// system) is the application folder byte for byte: the tests above, run from there.
TEST(ApplicationFolderBytes, FolderNameThatIsNotUtf8) {
    test::ScratchFolder scratch;
    const std::string folder = scratch.File("\xB6\xFE\xB4\xCE");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const std::string copy = folder + "/settings_tests";
    std::filesystem::copy_file("/proc/self/exe", copy);
    const int status = test::RunInChild([&copy] {
        ::execl(copy.c_str(), copy.c_str(), "--gtest_filter=ApplicationFolder.*",
                static_cast<char*>(nullptr));
        return 127;
    });
    EXPECT_EQ(status, 0);
}

// Reads through a buffer of a given size: what comes back and the count returned.
struct BufferCase : test::NamedCase {
    std::string_view text;
    std::size_t size;
    std::string_view expected;
};

const std::string kLong(300, 'x');
const std::string kLongFile = "[s]\r\nk=" + kLong + "\r\n";
const std::string kQuotedLongFile = "[s]\r\nk=\"" + kLong + "\"\r\n";
const std::string k127File = "[s]\r\nk=" + std::string(127, 'y') + "\r\n";
const std::string k128File = "[s]\r\nk=" + std::string(128, 'y') + "\r\n";

const BufferCase kBufferCases[] = {
    {"FitsWithRoomForNul", "[s]\r\nk=val1\r\n", 5, "val1"},
    {"CutToSizeLessOne", "[s]\r\nk=val1\r\n", 4, "val"},
    {"OneByteBufferGivesEmpty", "[s]\r\nk=val1\r\n", 1, ""},
    {"LongValueCutTo127", kLongFile, 128, std::string_view(kLong).substr(0, 127)},
    {"QuotedLongValueCutTo127", kQuotedLongFile, 128, std::string_view(kLong).substr(0, 127)},
    {"Exactly127Fits", k127File, 128, std::string_view(k127File).substr(7, 127)},
    {"Value128Loses1", k128File, 128, std::string_view(k128File).substr(7, 127)},
    {"MissingKeyEmpty", "[s]\r\nj=1\r\n", 128, ""},
};

class ProfileBuffer : public testing::TestWithParam<BufferCase> {};

TEST_P(ProfileBuffer, CopiesAtMostSizeLessOne) {
    const BufferCase& c = GetParam();
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, c.text);
    std::array<char, 512> buffer;
    buffer.fill('#');
    const std::size_t count = GetProfileString("s", "k", std::span(buffer).first(c.size), file);
    EXPECT_EQ(count, c.expected.size());
    EXPECT_EQ(std::string_view(buffer.data(), count), c.expected);
    EXPECT_EQ(buffer[count], '\0');
    EXPECT_EQ(buffer[c.size], '#') << "wrote past the buffer";
}

INSTANTIATE_TEST_SUITE_P(Semantics, ProfileBuffer, testing::ValuesIn(kBufferCases), test::CaseName);

TEST(ProfileBuffer, EmptyBufferIsLeftAlone) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, "[s]\r\nk=1\r\n");
    char untouched = '#';
    EXPECT_EQ(GetProfileString("s", "k", std::span(&untouched, 0), file), 0u);
    EXPECT_EQ(untouched, '#');
}

TEST(ReadSetting, GivesAtMost127BytesAndStopsAtNul) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, "[Function]\r\nMark=" + kLong +
                               "\r\nNul=1\0"
                               "5\r\n"s +
                               "[Windows]\r\nWindowTop= 1\r\n");
    EXPECT_EQ(ReadSetting("Function", "Mark", file), kLong.substr(0, kSettingBufferSize - 1));
    EXPECT_EQ(ReadSetting("Function", "Nul", file), "1");
    EXPECT_EQ(ReadSetting("Windows", "WindowTop", file), "1");
    EXPECT_EQ(ReadSetting("Windows", "SetTray", file), "");
    EXPECT_EQ(ReadSetting("Windows", "WindowTop", folder.File("missing.ini")), "");
}

TEST(WriteSetting, FirstStartCreatesExactlyTheOneKey) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    EXPECT_NE(WriteSetting("Function", "DrawGraphic", "0", file), 0);
    EXPECT_EQ(test::ReadBytes(file), "[Function]\r\nDrawGraphic=0\r\n");
}

TEST(WriteSetting, SwitchesOfBothSectionsReadBack) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    EXPECT_NE(WriteSetting("Function", "DrawGraphic", "0", file), 0);
    EXPECT_NE(WriteSetting("Windows", "WindowTop", " 1", file), 0);
    EXPECT_NE(WriteSetting("Windows", "SetTray", "1", file), 0);
    EXPECT_NE(WriteSetting("Function", "Mark", "2", file), 0);
    EXPECT_NE(WriteSetting("Function", "DrawGraphic", "1", file), 0);
    EXPECT_EQ(
        test::ReadBytes(file),
        "[Function]\r\nDrawGraphic=1\r\nMark=2\r\n[Windows]\r\nWindowTop= 1\r\nSetTray=1\r\n");
    EXPECT_EQ(ReadSetting("Windows", "WindowTop", file), "1");
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "2");
}

TEST(WriteSetting, FailureReturnsZero) {
    test::ScratchFolder folder;
    EXPECT_EQ(WriteSetting("Function", "Mark", "1", folder.File("no/such/folder/config.ini")), 0);
    EXPECT_EQ(test::ListFolder(folder.Path()), "");
}

}  // namespace
}  // namespace quadrello
