// `cmake --install` into temporary prefixes, in both layouts, and the installed programs run
// from there as an ordinary user: the companion computes, the program starts offscreen and keeps
// its settings in the user's own folder (system layout) or beside itself (portable layout).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "InstalledTree.h"
#include "ScratchFolder.h"

namespace quadrello::installtest {
namespace {

namespace fs = std::filesystem;
using test::ListFolder;

constexpr double kStartSeconds = 1.5;
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kPngWidthOffset = 16;  // IHDR: width, then height, 4 bytes each, big-endian

constexpr const char* kAppId = "com.tarvenn.quadrello";

template <Layout kLayout>
class Installed : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tree_ = std::make_unique<InstalledTree>(kLayout); }
    static void TearDownTestSuite() { tree_.reset(); }
    void SetUp() override { ASSERT_TRUE(tree_->Installed()) << tree_->Log(); }

    static std::unique_ptr<InstalledTree> tree_;
};
template <Layout kLayout>
std::unique_ptr<InstalledTree> Installed<kLayout>::tree_;

using InstallTest = Installed<Layout::System>;
using PortableInstallTest = Installed<Layout::Portable>;

std::string Desktop() {
    return std::string("share/applications/") + kAppId + ".desktop";
}
std::string Metainfo() {
    return std::string("share/metainfo/") + kAppId + ".metainfo.xml";
}

// Starts the program, which must stay up; the output of a start that failed goes with the message.
void StartOnce(const InstalledTree& tree) {
    ASSERT_TRUE(StaysUp(tree.Bin() / "quadrello", tree.Home(), kStartSeconds))
        << ReadFile(tree.Home() / "program-output.txt");
}

std::uint32_t BigEndian32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (const char ch : bytes.substr(0, 4)) {
        value = value << 8 | static_cast<unsigned char>(ch);
    }
    return value;
}

TEST_F(InstallTest, EverythingLandsInItsPlace) {
    struct Expected {
        std::string path;
        bool executable;
    };
    for (const Expected& e : {Expected{"bin/quadrello", true}, Expected{"bin/quadrello-cli", true},
                              Expected{"share/quadrello/config.ini", false},
                              Expected{"share/quadrello/skin.ski", false},
                              Expected{Desktop(), false}, Expected{Metainfo(), false}}) {
        const fs::path file = tree_->Prefix() / e.path;
        ASSERT_TRUE(fs::is_regular_file(file)) << e.path;
        EXPECT_GT(fs::file_size(file), 0u) << e.path;
        const bool runnable =
            (fs::status(file).permissions() & fs::perms::owner_exec) != fs::perms::none;
        EXPECT_EQ(runnable, e.executable) << e.path;
    }
    EXPECT_FALSE(fs::exists(tree_->Bin() / "config.ini"));
    EXPECT_FALSE(fs::exists(tree_->Bin() / "skin.ski"));
    // Qt comes from the system: no run path that would let a planted library in.
    for (const char* program : {"quadrello", "quadrello-cli"}) {
        const RunResult dynamic =
            RunCommand("readelf -d '" + (tree_->Bin() / program).string() + "'");
        ASSERT_EQ(dynamic.exitStatus, 0) << dynamic.output;
        EXPECT_EQ(dynamic.output.find("PATH"), std::string::npos) << dynamic.output;
    }
}

TEST_F(InstallTest, IconInEveryHicolorSizeIsAPictureOfThatSize) {
    for (const int size : {16, 32, 48, 64, 128}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::string png =
            ReadFile(tree_->Prefix() / "share/icons/hicolor" / name / "apps/quadrello.png");
        ASSERT_GT(png.size(), kPngWidthOffset + 8) << name;
        EXPECT_EQ(png.substr(0, kPngSignature.size()), kPngSignature) << name;
        EXPECT_EQ(BigEndian32(std::string_view(png).substr(kPngWidthOffset)), unsigned(size))
            << name;
        EXPECT_EQ(BigEndian32(std::string_view(png).substr(kPngWidthOffset + 4)), unsigned(size))
            << name;
    }
}

TEST_F(InstallTest, DesktopEntryStartsTheInstalledProgram) {
    const std::string entry = ReadFile(tree_->Prefix() / Desktop());
    const std::string program = (tree_->Bin() / "quadrello").string();
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u) << entry;
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nExec=" + program + "\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=quadrello\n"), std::string::npos) << entry;
}

TEST_F(InstallTest, DesktopEntryAndMetainfoPassTheValidators) {
    const struct {
        const char* validator;
        std::string command;
    } checks[] = {
        {"desktop-file-validate",
         "desktop-file-validate '" + (tree_->Prefix() / Desktop()).string() + "'"},
        {"appstreamcli",
         "appstreamcli validate --no-net '" + (tree_->Prefix() / Metainfo()).string() + "'"},
    };
    for (const auto& check : checks) {
        if (!OnPath(check.validator)) {
            GTEST_SKIP() << check.validator << " is not installed";
        }
        const RunResult result = RunCommand(check.command);
        EXPECT_EQ(result.exitStatus, 0) << result.output;
        // Silent but for appstreamcli's closing "Validation was successful" line.
        for (const char* issue : {"E:", "W:", "I:", "error", "hint"}) {
            EXPECT_EQ(result.output.find(issue), std::string::npos) << result.output;
        }
    }
}

TEST_F(InstallTest, InstalledCompanionComputesAndPlots) {
    const RunResult text =
        RunToEnd(tree_->Bin() / "quadrello-cli", {"1", "-3", "2"}, tree_->Home());
    EXPECT_EQ(text.exitStatus, 0) << text.output;
    std::size_t at = 0;
    for (const char* line : {"Δ(Delta)=1\n", "①=2.\n", "②=1.\n", "1.5\n", "-0.25\n"}) {
        const std::size_t found = text.output.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << text.output;
        at = found;
    }

    const fs::path picture = tree_->Home() / "plot.png";
    const RunResult png = RunToEnd(tree_->Bin() / "quadrello-cli",
                                   {"--png", picture.string(), "1", "-3", "2"}, tree_->Home());
    EXPECT_EQ(png.exitStatus, 0) << png.output;
    EXPECT_EQ(ReadFile(picture).substr(0, kPngSignature.size()), kPngSignature);
}

// The fault this layout mends: an ordinary user cannot write the program's folder, so the
// switches go to the user's own file, which starts as the shipped defaults.
TEST_F(InstallTest, UsersSwitchesLiveInTheirOwnFolderAndSurviveARestart) {
    const std::string shipped = ReadFile(tree_->Data() / "config.ini");
    const fs::path mine = tree_->Home() / ".config/Tarvenn/Quadrello/config.ini";
    ASSERT_FALSE(fs::exists(mine));

    // First start: the shipped Mark=1 is read and written back, which creates the user's file
    // from the defaults' bytes; had DrawGraphic=1 not been read, DrawGraphic=0 would be there.
    StartOnce(*tree_);
    EXPECT_EQ(ReadFile(mine), shipped);

    // A switch stored in the user's file is read at the next start and written back there.
    std::ofstream(mine, std::ios::binary | std::ios::app) << "[Windows]\r\nWindowTop=1\r\n";
    StartOnce(*tree_);
    EXPECT_EQ(ReadFile(mine), shipped + "[Windows]\r\nWindowTop= 1\r\n");
    StartOnce(*tree_);
    EXPECT_EQ(ReadFile(mine), shipped + "[Windows]\r\nWindowTop= 1\r\n");

    // Nothing was written into the installed folders.
    EXPECT_EQ(ListFolder(tree_->Bin()), "quadrello quadrello-cli");
    EXPECT_EQ(ListFolder(tree_->Data()), "config.ini skin.ski");
    EXPECT_EQ(ReadFile(tree_->Data() / "config.ini"), shipped);
    // The user record names the installed folder as the program's.
    const std::string record = ReadFile(tree_->Home() / ".config/Tarvenn/Quadrello.conf");
    EXPECT_NE(record.find("Path=" + tree_->Bin().string() + "\n"), std::string::npos) << record;
}

TEST_F(PortableInstallTest, InstalledProgramStartsAndWritesItsSettingsBesideItself) {
    const fs::path config = tree_->Bin() / "config.ini";
    const std::string shipped = ReadFile(config);

    // With the shipped defaults: start-up changes nothing that is stored.
    StartOnce(*tree_);
    EXPECT_EQ(ReadFile(config), shipped);

    // A first start without a settings file creates it in the program's own folder.
    fs::remove(config);
    StartOnce(*tree_);
    const std::string written = ReadFile(config);
    EXPECT_NE(written.find("[Function]"), std::string::npos) << written;
    EXPECT_NE(written.find("DrawGraphic=0"), std::string::npos) << written;
    EXPECT_FALSE(fs::exists(tree_->Home() / ".config/Tarvenn/Quadrello/config.ini"));
    std::ofstream(config, std::ios::binary | std::ios::trunc) << shipped;
}

TEST_F(PortableInstallTest, InstallingAgainKeepsTheUsersSettings) {
    const fs::path config = tree_->Bin() / "config.ini";
    const std::string shipped = ReadFile(config);
    const std::string mine = "[Windows]\r\nWindowTop= 1\r\n";
    std::ofstream(config, std::ios::binary | std::ios::trunc) << mine;
    {
        const InstalledTree again(Layout::Portable);  // a second, separate prefix gets the default
        ASSERT_TRUE(again.Installed()) << again.Log();
        EXPECT_EQ(ReadFile(again.Bin() / "config.ini"), shipped);
    }
    ASSERT_TRUE(tree_->Install()) << tree_->Log();
    EXPECT_EQ(ReadFile(config), mine);
    std::ofstream(config, std::ios::binary | std::ios::trunc) << shipped;
}

}  // namespace
}  // namespace quadrello::installtest
