// `cpack -G DEB` builds the Debian package of the system layout: its control fields name the
// package, its version and what it needs beyond its libraries, and its files land under /usr.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "InstalledTree.h"
#include "ScratchFolder.h"

namespace quadrello::installtest {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

TEST(PackageTest, DebianPackageHasTheSystemLayoutAndItsDependencies) {
    for (const char* tool : {"dpkg-deb", "dpkg-shlibdeps"}) {
        if (!OnPath(tool)) {
            GTEST_SKIP() << tool << " is not installed";
        }
    }
    test::ScratchFolder scratch;
    const fs::path out = scratch.Path();
    const RunResult built =
        RunCommand(std::string("'") + QUADRELLO_CPACK_COMMAND + "' --config '" +
                   QUADRELLO_BUILD_DIR + "/CPackConfig.cmake' -G DEB -B " + Quoted(out));
    const fs::path deb = out / (std::string("quadrello_") + QUADRELLO_VERSION + "_amd64.deb");
    ASSERT_EQ(built.exitStatus, 0) << built.output;
    ASSERT_TRUE(fs::is_regular_file(deb)) << built.output;

    const RunResult fields = RunCommand("dpkg-deb -f " + Quoted(deb));
    ASSERT_EQ(fields.exitStatus, 0) << fields.output;
    for (const std::string& expected : {std::string("\nPackage: quadrello\n"),
                                        std::string("\nVersion: ") + QUADRELLO_VERSION + "\n"}) {
        EXPECT_NE(("\n" + fields.output).find(expected), std::string::npos) << fields.output;
    }
    const RunResult depends = RunCommand("dpkg-deb -f " + Quoted(deb) + " Depends");
    // Computed from the libraries, and the two the libraries do not bring.
    for (const char* needed :
         {"libqt6widgets6", "fonts-arphic-uming | fonts-noto-cjk", "qt6-qpa-plugins"}) {
        EXPECT_NE(depends.output.find(needed), std::string::npos) << depends.output;
    }
    const RunResult recommends = RunCommand("dpkg-deb -f " + Quoted(deb) + " Recommends");
    EXPECT_NE(recommends.output.find("qt6-wayland"), std::string::npos) << recommends.output;

    const RunResult files = RunCommand("dpkg-deb -c " + Quoted(deb));
    for (const char* file :
         {" ./usr/bin/quadrello\n", " ./usr/bin/quadrello-cli\n",
          " ./usr/share/quadrello/config.ini\n", " ./usr/share/quadrello/skin.ski\n",
          " ./usr/share/applications/com.tarvenn.quadrello.desktop\n",
          " ./usr/share/metainfo/com.tarvenn.quadrello.metainfo.xml\n",
          " ./usr/share/icons/hicolor/48x48/apps/quadrello.png\n"}) {
        EXPECT_NE(files.output.find(file), std::string::npos) << file << files.output;
    }
    EXPECT_EQ(files.output.find("/bin/config.ini"), std::string::npos) << files.output;

    // The desktop entry names the program where the package puts it.
    const fs::path tree = out / "contents";
    ASSERT_EQ(RunCommand("dpkg-deb -x " + Quoted(deb) + " " + Quoted(tree)).exitStatus, 0);
    EXPECT_NE(ReadFile(tree / "usr/share/applications/com.tarvenn.quadrello.desktop")
                  .find("\nExec=/usr/bin/quadrello\n"),
              std::string::npos);
}

}  // namespace
}  // namespace quadrello::installtest
