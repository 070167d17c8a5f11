// `cpack -G DEB` builds the Debian package of the system layout: its control fields name the
// package, its version, its section and what it needs or can use beyond its libraries, its files
// land under /usr, and Debian's own judges accept it: lintian --pedantic finds no error and no
// warning, hardening-check finds both programs hardened.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "InstalledTree.h"
#include "common/ScratchFolder.h"

namespace quadrello::installtest {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// The package, built once for the suite, and its contents unpacked beside it.
class PackageTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        scratch_ = std::make_unique<test::ScratchFolder>();
        const fs::path out = scratch_->Path();
        deb_ = out / (std::string("quadrello_") + QUADRELLO_VERSION + "_amd64.deb");
        tree_ = out / "contents";
        if (!OnPath("dpkg-deb") || !OnPath("dpkg-shlibdeps")) {
            return;
        }
        const RunResult built =
            RunCommand(std::string("'") + QUADRELLO_CPACK_COMMAND + "' --config '" +
                       QUADRELLO_BUILD_DIR + "/CPackConfig.cmake' -G DEB -B " + Quoted(out));
        log_ = built.output;
        if (built.exitStatus == 0) {
            log_ += RunCommand("dpkg-deb -x " + Quoted(deb_) + " " + Quoted(tree_)).output;
        }
    }
    static void TearDownTestSuite() { scratch_.reset(); }
    void SetUp() override {
        if (!OnPath("dpkg-deb") || !OnPath("dpkg-shlibdeps")) {
            GTEST_SKIP() << "dpkg-deb and dpkg-shlibdeps (dpkg-dev) are needed";
        }
        ASSERT_TRUE(fs::is_regular_file(deb_)) << log_;
        ASSERT_TRUE(fs::is_directory(tree_ / "usr/bin")) << log_;
    }
    static std::string Field(const char* name) {
        return RunCommand("dpkg-deb -f " + Quoted(deb_) + " " + name).output;
    }

    static std::unique_ptr<test::ScratchFolder> scratch_;
    static fs::path deb_;
    static fs::path tree_;
    static std::string log_;
};
std::unique_ptr<test::ScratchFolder> PackageTest::scratch_;
fs::path PackageTest::deb_;
fs::path PackageTest::tree_;
std::string PackageTest::log_;

TEST_F(PackageTest, ControlFieldsSayWhatItIsAndWhatItNeeds) {
    const struct {
        const char* field;
        std::string value;
    } expected[] = {
        {"Package", "quadrello"},
        {"Version", QUADRELLO_VERSION},
        {"Section", "math"},
        {"Homepage", "https://"},
        // Computed from the libraries, and the two the libraries do not bring.
        {"Depends", "libqt6widgets6"},
        {"Depends", "fonts-arphic-uming | fonts-noto-cjk"},
        {"Depends", "qt6-qpa-plugins"},
        {"Recommends", "qt6-wayland"},
        // The calculator button and the feedback mail use them where installed.
        {"Suggests",
         "gnome-calculator | kcalc | mate-calc | galculator | qalculate-gtk | x11-apps"},
        {"Suggests", "xdg-utils"},
    };
    for (const auto& [field, value] : expected) {
        const std::string read = Field(field);
        EXPECT_NE(read.find(value), std::string::npos) << field << ": " << read;
    }
}

TEST_F(PackageTest, FilesLandUnderUsrInTheSystemLayout) {
    const RunResult files = RunCommand("dpkg-deb -c " + Quoted(deb_));
    for (const char* file :
         {" ./usr/bin/quadrello\n", " ./usr/bin/quadrello-cli\n",
          " ./usr/share/quadrello/config.ini\n", " ./usr/share/quadrello/skin.ski\n",
          " ./usr/share/applications/com.tarvenn.quadrello.desktop\n",
          " ./usr/share/metainfo/com.tarvenn.quadrello.metainfo.xml\n",
          " ./usr/share/icons/hicolor/48x48/apps/quadrello.png\n",
          " ./usr/share/doc/quadrello/copyright\n", " ./usr/share/doc/quadrello/changelog.gz\n",
          " ./usr/share/man/man1/quadrello-cli.1.gz\n"}) {
        EXPECT_NE(files.output.find(file), std::string::npos) << file << files.output;
    }
    EXPECT_EQ(files.output.find("/bin/config.ini"), std::string::npos) << files.output;
    // The Debian changelog's newest entry is this version.
    const RunResult changelog =
        RunCommand("gzip -dc " + Quoted(tree_ / "usr/share/doc/quadrello/changelog.gz"));
    EXPECT_EQ(changelog.output.rfind(std::string("quadrello (") + QUADRELLO_VERSION + ") ", 0), 0u)
        << changelog.output;
}

TEST_F(PackageTest, ManualPageReadsAsManShowsIt) {
    if (!OnPath("man")) {
        GTEST_SKIP() << "man (man-db) is not installed";
    }
    const RunResult page = RunCommand("MANPATH=" + Quoted(tree_ / "usr/share/man") +
                                      " MANWIDTH=80 man -P cat quadrello-cli 2>&1");
    EXPECT_EQ(page.exitStatus, 0) << page.output;
    EXPECT_NE(page.output.find("--png FILE"), std::string::npos) << page.output;
}

// Stack protector, _FORTIFY_SOURCE, read-only relocations bound at start, PIE. Not asked for:
// the CET mark, which the linker gives only when every object has it, and Debian 12's C start
// files do not; and, for quadrello-cli, fortified calls: it is built with _FORTIFY_SOURCE like
// the program, but none of its copies has a size the compiler can check.
TEST_F(PackageTest, BothProgramsAreHardened) {
    if (!OnPath("hardening-check")) {
        GTEST_SKIP() << "hardening-check (devscripts) is not installed";
    }
    for (const auto& [program, options] :
         {std::pair("usr/bin/quadrello", ""), std::pair("usr/bin/quadrello-cli", "--nofortify ")}) {
        const RunResult verdict = RunCommand(std::string("hardening-check --nocfprotection ") +
                                             options + Quoted(tree_ / program));
        EXPECT_EQ(verdict.exitStatus, 0) << verdict.output;
    }
}

TEST_F(PackageTest, LintianFindsNoErrorAndNoWarning) {
    if (!OnPath("lintian")) {
        GTEST_SKIP() << "lintian is not installed";
    }
    const RunResult verdict =
        RunCommand("lintian --pedantic --tag-display-limit 0 " + Quoted(deb_));
    EXPECT_EQ(verdict.exitStatus, 0) << verdict.output;
    for (const char* severity : {"\nE: ", "\nW: "}) {
        EXPECT_EQ(("\n" + verdict.output).find(severity), std::string::npos) << verdict.output;
    }
}

}  // namespace
}  // namespace quadrello::installtest
