// `cmake --install` into a temporary prefix gives a self-contained folder, and the installed
// programs run from there: the companion computes, the program starts offscreen and keeps its
// settings beside itself.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "InstalledTree.h"

namespace quadrello::installtest {
namespace {

namespace fs = std::filesystem;

constexpr double kStartSeconds = 1.5;
constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";
constexpr std::size_t kPngWidthOffset = 16;  // IHDR: width, then height, 4 bytes each, big-endian

class InstallTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { tree_ = std::make_unique<InstalledTree>(); }
    static void TearDownTestSuite() { tree_.reset(); }
    void SetUp() override { ASSERT_TRUE(tree_->Installed()) << tree_->Log(); }

    static std::unique_ptr<InstalledTree> tree_;
};
std::unique_ptr<InstalledTree> InstallTest::tree_;

std::uint32_t BigEndian32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (const char ch : bytes.substr(0, 4)) {
        value = value << 8 | static_cast<unsigned char>(ch);
    }
    return value;
}

TEST_F(InstallTest, EverythingLandsInItsPlace) {
    struct Expected {
        const char* path;
        bool executable;
    };
    for (const Expected& e : {Expected{"bin/quadrello", true}, Expected{"bin/quadrello-cli", true},
                              Expected{"bin/config.ini", false}, Expected{"bin/skin.ski", false},
                              Expected{"share/applications/quadrello.desktop", false}}) {
        const fs::path file = tree_->Prefix() / e.path;
        ASSERT_TRUE(fs::is_regular_file(file)) << e.path;
        EXPECT_GT(fs::file_size(file), 0u) << e.path;
        const bool runnable =
            (fs::status(file).permissions() & fs::perms::owner_exec) != fs::perms::none;
        EXPECT_EQ(runnable, e.executable) << e.path;
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
    const std::string entry = ReadFile(tree_->Prefix() / "share/applications/quadrello.desktop");
    const std::string program = (tree_->Bin() / "quadrello").string();
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u) << entry;
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nExec=" + program + "\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=quadrello\n"), std::string::npos) << entry;
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

TEST_F(InstallTest, InstalledProgramStartsAndWritesItsSettingsBesideItself) {
    const fs::path config = tree_->Bin() / "config.ini";
    const std::string shipped = ReadFile(config);

    // With the shipped defaults: start-up changes nothing that is stored.
    ASSERT_TRUE(StaysUp(tree_->Bin() / "quadrello", tree_->Home(), kStartSeconds))
        << ReadFile(tree_->Home() / "program-output.txt");
    EXPECT_EQ(ReadFile(config), shipped);

    // A first start without a settings file creates it in the program's own folder.
    fs::remove(config);
    ASSERT_TRUE(StaysUp(tree_->Bin() / "quadrello", tree_->Home(), kStartSeconds))
        << ReadFile(tree_->Home() / "program-output.txt");
    const std::string written = ReadFile(config);
    EXPECT_NE(written.find("[Function]"), std::string::npos) << written;
    EXPECT_NE(written.find("DrawGraphic=0"), std::string::npos) << written;
    // The user record names the installed folder as the program's.
    const std::string record = ReadFile(tree_->Home() / ".config/Tarvenn/Quadrello.conf");
    EXPECT_NE(record.find("Path=" + tree_->Bin().string() + "\n"), std::string::npos) << record;
    std::ofstream(config, std::ios::binary | std::ios::trunc) << shipped;
}

TEST_F(InstallTest, InstallingAgainKeepsTheUsersSettings) {
    const fs::path config = tree_->Bin() / "config.ini";
    const std::string shipped = ReadFile(config);
    const std::string mine = "[Windows]\r\nWindowTop= 1\r\n";
    std::ofstream(config, std::ios::binary | std::ios::trunc) << mine;
    {
        const InstalledTree again;  // a second, separate prefix installs the default
        ASSERT_TRUE(again.Installed()) << again.Log();
        EXPECT_EQ(ReadFile(again.Bin() / "config.ini"), shipped);
    }
    const std::string command = std::string("'") + QUADRELLO_CMAKE_COMMAND + "' --install '" +
                                QUADRELLO_BUILD_DIR + "' --prefix '" + tree_->Prefix().string() +
                                "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadFile(config), mine);
    std::ofstream(config, std::ios::binary | std::ios::trunc) << shipped;
}

}  // namespace
}  // namespace quadrello::installtest
