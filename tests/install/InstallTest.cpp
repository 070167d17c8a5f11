// `cmake --install` into temporary prefixes, in both layouts, and the installed programs run
// from there as an ordinary user: the companion computes, the program starts offscreen and keeps
// its settings in the user's own folder (system layout) or beside itself (portable layout).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include "InstalledTree.h"
#include "common/ScratchFolder.h"

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
                              Expected{Desktop(), false}, Expected{Metainfo(), false},
                              Expected{"share/icons/hicolor/scalable/apps/quadrello.svg", false},
                              Expected{"share/doc/quadrello/copyright", false},
                              Expected{"share/doc/quadrello/changelog.gz", false},
                              Expected{"share/man/man1/quadrello.1.gz", false},
                              Expected{"share/man/man1/quadrello-cli.1.gz", false},
                              Expected{"share/man/zh_CN/man1/quadrello.1.gz", false},
                              Expected{"share/man/zh_CN/man1/quadrello-cli.1.gz", false}}) {
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
    for (const int size : {16, 32, 48, 64, 128, 256}) {
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

// By name: right under any prefix whose bin/ is on PATH, wherever it was installed from.
TEST_F(InstallTest, DesktopEntryStartsTheProgramByName) {
    const std::string entry = ReadFile(tree_->Prefix() / Desktop());
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u) << entry;
    EXPECT_NE(entry.find("\nType=Application\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nExec=quadrello\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nIcon=quadrello\n"), std::string::npos) << entry;
}

// The metainfo's newest release is the program's version, from the same changelog as the
// package's.
TEST_F(InstallTest, MetainfoNamesThisReleaseAndWhereToFindTheProject) {
    const std::string metainfo = ReadFile(tree_->Prefix() / Metainfo());
    for (const std::string& expected :
         {std::string("<release version=\"") + QUADRELLO_VERSION + "\" date=\"",
          std::string("<url type=\"homepage\">https://"),
          std::string("<url type=\"bugtracker\">https://"), std::string("<update_contact>"),
          std::string("<image type=\"source\">https://")}) {
        EXPECT_NE(metainfo.find(expected), std::string::npos) << expected << "\n" << metainfo;
    }
    EXPECT_EQ(metainfo.find('@'), metainfo.find("@tarvenn.org<")) << "a name left unfilled";
}

// The manual pages keep up with the companion: every option its --help names has its own entry
// (a tagged paragraph, ".TP" with the option on the tag line) in both languages.
TEST_F(InstallTest, ManualPagesDocumentEveryOptionOfTheCompanion) {
    const RunResult help = RunToEnd(tree_->Bin() / "quadrello-cli", {"--help"}, tree_->Home());
    ASSERT_EQ(help.exitStatus, 0) << help.output;
    const std::regex longOption("--[a-z]+");
    const std::set<std::string> options(
        std::sregex_token_iterator(help.output.begin(), help.output.end(), longOption),
        std::sregex_token_iterator());
    ASSERT_GE(options.size(), 3u) << help.output;
    for (const char* page :
         {"share/man/man1/quadrello-cli.1.gz", "share/man/zh_CN/man1/quadrello-cli.1.gz"}) {
        const RunResult roff = RunCommand("gzip -dc '" + (tree_->Prefix() / page).string() + "'");
        ASSERT_EQ(roff.exitStatus, 0) << page << roff.output;
        std::string tags;  // the tag lines, one a line
        for (std::size_t at = roff.output.find(".TP\n"); at != std::string::npos;
             at = roff.output.find(".TP\n", at + 1)) {
            tags += roff.output.substr(at + 4, roff.output.find('\n', at + 4) - at - 4) + "\n";
        }
        for (const std::string& option : options) {
            // roff spells each "-" of an option as "\-".
            const std::string spelled = std::regex_replace(option, std::regex("-"), "\\-");
            const bool tagged = tags.find(spelled + ' ') != std::string::npos ||
                                tags.find(spelled + '\n') != std::string::npos;
            EXPECT_TRUE(tagged) << page << ": " << option << "\n" << tags;
        }
    }
}

TEST_F(InstallTest, DesktopEntryAndMetainfoPassTheValidators) {
    const struct {
        const char* validator;
        std::string command;
    } checks[] = {
        {"desktop-file-validate",
         "desktop-file-validate '" + (tree_->Prefix() / Desktop()).string() + "'"},
        {"appstreamcli", "appstreamcli validate --pedantic --no-net '" +
                             (tree_->Prefix() / Metainfo()).string() + "'"},
    };
    for (const auto& check : checks) {
        if (!OnPath(check.validator)) {
            GTEST_SKIP() << check.validator << " is not installed";
        }
        const RunResult result = RunCommand(check.command);
        EXPECT_EQ(result.exitStatus, 0) << result.output;
        // Nothing but information: no error, no warning.
        for (const char* issue : {"E:", "W:", "error"}) {
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
    EXPECT_NE(record.find("Path=" + tree_->Bin().string() + "\r\n"), std::string::npos) << record;
}

TEST_F(PortableInstallTest, InstalledProgramKeepsItsSettingsBesideItselfWhileTheFileIsThere) {
    const fs::path config = tree_->Bin() / "config.ini";
    const std::string shipped = ReadFile(config);

    // With the shipped defaults: start-up changes nothing that is stored.
    StartOnce(*tree_);
    EXPECT_EQ(ReadFile(config), shipped);

    // Without a settings file beside it the folder is no longer taken for a portable one: the
    // start writes the user's own file and nothing beside the program.
    fs::remove(config);
    StartOnce(*tree_);
    EXPECT_FALSE(fs::exists(config));
    const std::string written = ReadFile(tree_->Home() / ".config/Tarvenn/Quadrello/config.ini");
    EXPECT_NE(written.find("DrawGraphic=0"), std::string::npos) << written;
    std::ofstream(config, std::ios::binary | std::ios::trunc) << shipped;
}

// config.ini and skin.ski beside the program are the user's: a fresh folder gets the shipped
// ones, and installing over a folder keeps the user's (the shipped skin goes beside it).
TEST_F(PortableInstallTest, InstallingAgainKeepsTheUsersSettingsAndSkin) {
    const fs::path config = tree_->Bin() / "config.ini";
    const fs::path skin = tree_->Bin() / "skin.ski";
    const std::string shippedConfig = ReadFile(config);
    const std::string shippedSkin = ReadFile(skin);
    ASSERT_FALSE(shippedSkin.empty());
    const std::string myConfig = "[Windows]\r\nWindowTop= 1\r\n";
    const std::string mySkin = "QWidget { color: #102030; }\n";
    std::ofstream(config, std::ios::binary | std::ios::trunc) << myConfig;
    std::ofstream(skin, std::ios::binary | std::ios::trunc) << mySkin;
    {
        const InstalledTree again(Layout::Portable);  // a second, separate prefix
        ASSERT_TRUE(again.Installed()) << again.Log();
        EXPECT_EQ(ReadFile(again.Bin() / "config.ini"), shippedConfig);
        EXPECT_EQ(ReadFile(again.Bin() / "skin.ski"), shippedSkin);
        // One folder and nothing else: no desktop entry that would name it by its path.
        EXPECT_EQ(test::ListFolder(again.Prefix()), "bin");
        EXPECT_EQ(test::ListFolder(again.Bin()), "config.ini quadrello quadrello-cli skin.ski");
    }
    ASSERT_TRUE(tree_->Install()) << tree_->Log();
    EXPECT_EQ(ReadFile(config), myConfig);
    EXPECT_EQ(ReadFile(skin), mySkin);
    EXPECT_EQ(ReadFile(tree_->Bin() / "skin.ski.new"), shippedSkin);
    std::ofstream(config, std::ios::binary | std::ios::trunc) << shippedConfig;
    std::ofstream(skin, std::ios::binary | std::ios::trunc) << shippedSkin;
    fs::remove(tree_->Bin() / "skin.ski.new");
}

// A portable folder writes beside the program: never into a prefix the system shares. Refused
// before anything is written (DESTDIR keeps a failed refusal out of the real /usr).
TEST(PortableInstallRefusalTest, SystemPrefixesAreRefused) {
    const test::ScratchFolder staging;
    for (const char* prefix : {"/usr", "/usr/local", "/usr/local/", "/opt"}) {
        const RunResult install = RunCommand(
            "DESTDIR='" + staging.Path() + "' '" + QUADRELLO_CMAKE_COMMAND + "' --install '" +
            QUADRELLO_BUILD_DIR + "' --prefix " + prefix + " --component portable");
        EXPECT_NE(install.exitStatus, 0) << prefix << "\n" << install.output;
        // CMake wraps its error messages.
        const std::string said = std::regex_replace(install.output, std::regex("\\s+"), " ");
        EXPECT_NE(said.find("Give the portable folder a prefix of its own"), std::string::npos)
            << install.output;
    }
    EXPECT_EQ(test::ListFolder(staging.Path()), "");
}

}  // namespace
}  // namespace quadrello::installtest
