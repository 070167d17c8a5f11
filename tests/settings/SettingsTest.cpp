// The settings routines: the path of config.ini, reading through a 128-byte buffer, writing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "ChildProcess.h"
#include "ScratchFolder.h"
#include "common/NamedCase.h"
#include "platform/core/AppFolder.h"
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
        // A folder that is not there refuses nobody's rights: the settings stay beside it.
        if (!std::filesystem::exists(c.folder)) {
            EXPECT_EQ(ConfigPath(), c.path) << c.folder;
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
    const std::string configHome_ = scratch_.File("config");
    const std::string userFile_ = configHome_ + "/Tarvenn/Quadrello/config.ini";
    std::optional<std::string> oldConfigHome_;
};

TEST_F(SettingsLocation, ConfigPathBesideAWritableFolderElseTheUsersOwn) {
    EXPECT_EQ(UserConfigPath(), userFile_);
    EXPECT_EQ(ConfigPath(), bin_ + "/config.ini");
    // Made read-only, the folder still lets root write; the test looks as an ordinary user.
    std::filesystem::permissions(scratch_.Path(), std::filesystem::perms::others_exec,
                                 std::filesystem::perm_options::add);
    std::filesystem::permissions(bin_, std::filesystem::perms(0555));
    const int status = test::RunUnprivileged([this] { return ConfigPath() == userFile_ ? 0 : 1; });
    EXPECT_EQ(status, 0);
}

TEST_F(SettingsLocation, SkinBesideTheProgramFirstThenInTheDataFolder) {
    EXPECT_EQ(platform::ShippedFile("skin.ski"), bin_ + "/skin.ski");  // neither: names no file
    test::WriteBytes(data_ + "/skin.ski", "* {}");
    EXPECT_EQ(platform::ShippedFile("skin.ski"), data_ + "/skin.ski");
    test::WriteBytes(bin_ + "/skin.ski", "* {}");
    EXPECT_EQ(platform::ShippedFile("skin.ski"), bin_ + "/skin.ski");
}

// Both settings files a system layout knows (beside a program in a prefix the user may write,
// and the user's own) read as the shipped defaults until the first write, which starts the file
// from their bytes.
class SettingsFromDefaults : public SettingsLocation,
                             public testing::WithParamInterface<bool /* the user's own */> {
  protected:
    std::string File() const { return GetParam() ? userFile_ : ConfigPath(); }
};

TEST_P(SettingsFromDefaults, ReadUntilTheFirstWriteCopiesThem) {
    const std::string defaults = "; shipped\r\n[Function]\r\nDrawGraphic=1\r\nMark=1\r\n";
    test::WriteBytes(data_ + "/config.ini", defaults);
    const std::string file = File();
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "1");
    EXPECT_FALSE(std::filesystem::exists(file)) << "reading created the file";

    EXPECT_NE(WriteSetting("Windows", "WindowTop", " 1", file), 0);
    EXPECT_EQ(test::ReadBytes(file), defaults + "[Windows]\r\nWindowTop= 1\r\n");
    EXPECT_EQ(test::ReadBytes(data_ + "/config.ini"), defaults);

    // From now on the file alone counts.
    test::WriteBytes(data_ + "/config.ini", "[Function]\r\nMark=0\r\n");
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "1");
}

INSTANTIATE_TEST_SUITE_P(BothFiles, SettingsFromDefaults, testing::Bool(), [](const auto& info) {
    return info.param ? "UsersOwn" : "BesideProgram";
});

TEST_F(ApplicationFolderOverride, EmptyOverrideRestoresTheRealFolder) {
    platform::OverrideApplicationFolder("/somewhere/else");
    ASSERT_EQ(platform::ApplicationFolder(), "/somewhere/else");
    platform::OverrideApplicationFolder("");
    EXPECT_EQ(platform::ApplicationFolder(), OwnExecutableFolder());
}

TEST(ApplicationFolder, WithoutApplicationObjectIsTheExecutablesFolder) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(platform::ApplicationFolder(), OwnExecutableFolder());
    EXPECT_EQ(ConfigPath(), OwnExecutableFolder() + "/config.ini");
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
