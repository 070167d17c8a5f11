// Runs the built quadrello-cli as a user would, and checks what it prints, its exit status and
// the picture it writes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ProgramTest : public ::testing::Test {
  protected:
    ProgramTest()
        : dir_(fs::temp_directory_path() / ("quadrello-cli-test-" + std::to_string(getpid()))) {
        fs::create_directories(dir_);
    }
    ~ProgramTest() override { fs::remove_all(dir_); }

    fs::path Path(const char* name) const { return dir_ / name; }

    // Runs the program with these arguments, its output caught in files; as the user `as`
    // (which needs root) when that is not 0.
    Outcome Run(std::vector<std::string> args, const char* stdoutPath = nullptr,
                uid_t as = 0) const {
        const fs::path outPath = stdoutPath != nullptr ? fs::path(stdoutPath) : dir_ / "stdout";
        const fs::path errPath = dir_ / "stderr";
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0600);
        args.insert(args.begin(), QUADRELLO_CLI_PATH);
        if (as != 0) {  // util-linux's setpriv changes user, group and groups, then runs it
            const std::string id = std::to_string(as);
            args.insert(args.begin(),
                        {"/usr/bin/setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"});
        }
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        Outcome outcome;
        pid_t pid = 0;
        if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
            int status = 0;
            waitpid(pid, &status, 0);
            outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        if (stdoutPath == nullptr) {  // a device such as /dev/full is not read back
            outcome.out = ReadFile(outPath);
        }
        outcome.err = ReadFile(errPath);
        return outcome;
    }

  private:
    fs::path dir_;
};

TEST_F(ProgramTest, PrintsTheFiveResultTextsInLabelOrder) {
    const Outcome o = Run({"1", "-3", "2"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "Δ(Delta)=1\n①=2.\n②=1.\n1.5\n-0.25\n");
    EXPECT_EQ(o.err, "");
    // A negative a without "--", and no real roots: an empty second label is an empty line.
    EXPECT_EQ(Run({"-1", "0", "4"}).out, "Δ(Delta)=16\n①=-2.\n②=2.\n0.\n4.\n");
    EXPECT_EQ(Run({"1", "0", "1"}).out, "Δ(Delta)=-4\n无实数根\n\n0.\n1.\n");
}

TEST_F(ProgramTest, PrintsOneJsonLineWithThePlotsWindowAndSampleCount) {
    const Outcome o = Run({"--json", "1", "-3", "2"});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out,
              "{\"labels\":[\"Δ(Delta)=1\",\"①=2.\",\"②=1.\",\"1.5\",\"-0.25\"],"
              "\"solution\":[2,1,1.5,-0.25,1,-3,2],\"window\":[-0.25,3,-0.3,2.4],"
              "\"samples\":10000}\n");
    // Negative zero and the full digits of irrational roots.
    EXPECT_NE(Run({"--json", "1", "0", "1"}).out.find("\"solution\":[0,0,-0,1,1,0,1]"),
              std::string::npos);
    EXPECT_NE(Run({"--json", "2", "3", "-1"})
                  .out.find("\"solution\":[0.28077640640441515,-1.7807764064044151,-0.75,-2.125,"
                            "2,3,-1]"),
              std::string::npos);
    EXPECT_NE(Run({"--json", "-2", "4", "6"}).out.find("\"samples\":10001"), std::string::npos);
}

TEST_F(ProgramTest, AStepThatUnderflowsDrawsNothingAndEnds) {
    const Outcome o = Run({"--json", "--png", Path("tiny.png").c_str(), "1", "1e-323", "0"});
    EXPECT_EQ(o.status, 0);
    EXPECT_NE(o.out.find("\"samples\":0}"), std::string::npos) << o.out;
    QImage picture(QString::fromStdString(Path("tiny.png").string()));
    ASSERT_EQ(picture.size(), QSize(285, 201));
    QImage white(picture.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), white) << "a cleared picture";
}

TEST_F(ProgramTest, PrintsARefusalsMessageAloneWithStatusOne) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"0", "0", "0"}, "二次项系数不能为零！\n"},
        {{"", "1", "2"}, "二次项系数不能为零！\n"},
        {{"1", "", "2"}, "请将上面信息填写完整！\n"},
        {{"--json", "abc", "", ""}, "{\"message\":\"二次项系数不能为零！\"}\n"},
        {{"--json", "1", " ", ""}, "{\"message\":\"请将上面信息填写完整！\"}\n"},
    };
    for (const Case& c : cases) {
        const Outcome o = Run(c.args);
        EXPECT_EQ(o.status, 1) << c.out;
        EXPECT_EQ(o.out, c.out);
    }
    // No picture for a refused input.
    EXPECT_EQ(Run({"--png", Path("none.png").c_str(), "0", "1", "2"}).status, 1);
    EXPECT_FALSE(fs::exists(Path("none.png")));
}

TEST_F(ProgramTest, WrongUsageGoesToStandardErrorWithStatusTwo) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"1", "2"},
             {"1", "-3", "2", "--json"},
             {"--bogus", "1", "2", "3"},
             {"--png", "x.png", "--size", "0x0", "1", "2", "3"}}) {
        const Outcome o = Run(args);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_NE(o.err.find("Usage: quadrello-cli"), std::string::npos);
    }
    const Outcome help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: quadrello-cli", 0), 0u);
}

// Results that could not be written are no success, for the results and the help alike.
TEST_F(ProgramTest, OutputThatCannotBeWrittenEndsWithStatusFour) {
    ASSERT_TRUE(fs::exists("/dev/full"));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"1", "-3", "2"}, {"--json", "1", "-3", "2"}, {"0", "1", "2"}, {"--help"}}) {
        const Outcome o = Run(args, "/dev/full");
        EXPECT_EQ(o.status, 4) << args.front();
        EXPECT_NE(o.err.find("could not be written"), std::string::npos) << o.err;
    }
}

TEST_F(ProgramTest, WritesThePictureTheWindowWouldShow) {
    const Outcome o = Run({"--png", Path("plot.png").c_str(), "1", "-3", "2"});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, "Δ(Delta)=1\n①=2.\n②=1.\n1.5\n-0.25\n");
    QImage picture(QString::fromStdString(Path("plot.png").string()));
    ASSERT_EQ(picture.size(), QSize(285, 201));
    picture = picture.convertToFormat(QImage::Format_RGB32);
    int red = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (p == qRgb(255, 0, 0)) {
                ++red;
            } else if (y == 178 || x == 21) {
                ASSERT_EQ(p, qRgb(0, 0, 255)) << "the axes, at " << x << "," << y;
            } else {
                ASSERT_EQ(p, qRgb(255, 255, 255)) << "the background, at " << x << "," << y;
            }
        }
    }
    EXPECT_GT(red, 285);

    const Outcome sized =
        Run({"--json", "--png", Path("big.png").c_str(), "--size", "400x300", "1", "-3", "2"});
    ASSERT_EQ(sized.status, 0) << sized.err;
    EXPECT_EQ(QImage(QString::fromStdString(Path("big.png").string())).size(), QSize(400, 300));
    EXPECT_NE(sized.out.find("\"samples\":10000"), std::string::npos);
}

TEST_F(ProgramTest, APictureThatCannotBeWrittenIsReported) {
    const Outcome o = Run({"--png", Path("no-such-folder/plot.png").c_str(), "1", "-3", "2"});
    EXPECT_EQ(o.status, 3);
    EXPECT_EQ(o.out, "Δ(Delta)=1\n①=2.\n②=1.\n1.5\n-0.25\n");
    EXPECT_NE(o.err.find("cannot write"), std::string::npos);
    EXPECT_NE(o.err.find("No such file or directory"), std::string::npos) << o.err;
}

// A disk that fills up keeps the picture that was there, and says why the new one is missing.
TEST_F(ProgramTest, APictureThatDoesNotFitKeepsTheOldOneAndEndsWithStatusThree) {
    const fs::path disk = Path("small");
    fs::create_directories(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system";
    }
    const std::string old = (disk / "plot.png").string();
    ASSERT_EQ(Run({"--png", old, "1", "-3", "2"}).status, 0);
    const std::string before = ReadFile(old);
    {
        std::ofstream filler(disk / "filler", std::ios::binary);
        const std::string block(4096, '\0');
        while (filler.write(block.data(), block.size())) {
        }
    }
    const std::string fresh = (disk / "fresh.png").string();
    for (const std::string& path : {old, fresh}) {
        const Outcome o = Run({"--png", path, "--size", "800x600", "1", "-3", "2"});
        EXPECT_EQ(o.status, 3) << path;
        EXPECT_EQ(o.err, "quadrello-cli: cannot write " + path + ": No space left on device\n");
    }
    EXPECT_EQ(ReadFile(old), before);
    EXPECT_FALSE(fs::exists(fresh));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(disk)) {
        names.push_back(entry.path().filename().string());
    }
    ::umount(disk.c_str());
    EXPECT_EQ(names.size(), 2u) << "no temporary file left beside plot.png and filler";
}

// What --png refuses is left as it was, promptly, with status 3 and the reason; a name as long
// as the system allows is no reason.
TEST_F(ProgramTest, PictureTargetsThatAreNoRegularFileAreRefused) {
    ASSERT_EQ(mkfifo(Path("fifo").c_str(), 0600), 0);  // nobody reads it: opening would wait
    fs::create_symlink("nowhere.png", Path("dangling"));
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {Path("fifo").string(), "it is not a regular file"},
        {"/dev/full", "it is not a regular file"},
        {Path("dangling").string(), "it is a symbolic link that leads nowhere"},
    };
    for (const auto& c : cases) {
        const Outcome o = Run({"--png", c.path, "1", "-3", "2"});
        EXPECT_EQ(o.status, 3) << c.path;
        EXPECT_EQ(o.err, "quadrello-cli: cannot write " + c.path + ": " + c.reason + "\n");
    }
    EXPECT_TRUE(fs::is_fifo(Path("fifo")));
    EXPECT_TRUE(fs::is_symlink(Path("dangling")));
    EXPECT_FALSE(fs::exists(Path("nowhere.png")));
    const fs::path longest = Path("") / (std::string(251, 'p') + ".png");
    EXPECT_EQ(Run({"--png", longest.string(), "1", "-3", "2"}).status, 0);
    EXPECT_EQ(ReadFile(longest).substr(1, 3), "PNG");
}

// A link planted by another user is never written through, in /tmp-like folders and in those a
// group shares; through the user's own link the file it leads to is replaced and keeps its
// owner, permission bits and extended attributes.
TEST_F(ProgramTest, PictureIsNeverWrittenThroughAnotherUsersLink) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as two other users";
    }
    constexpr uid_t kVictim = 61018;
    constexpr uid_t kIntruder = 61019;
    const fs::path shared = Path("shared");
    const fs::path home = Path("home");
    const fs::path important = home / "important.txt";
    fs::create_directories(shared);
    fs::create_directories(home);
    ASSERT_EQ(chown(home.c_str(), kVictim, kVictim), 0);
    std::ofstream(important) << "secret\n";
    ASSERT_EQ(chown(important.c_str(), kVictim, kVictim), 0);
    ASSERT_EQ(chmod(important.c_str(), 0600), 0);
    const bool tagged = setxattr(important.c_str(), "user.tag", "kept", 4, 0) == 0;
    const fs::path link = shared / "plot.png";
    fs::create_symlink(important, link);
    for (const mode_t mode : {01777, 02775, 0777}) {
        ASSERT_EQ(chown(shared.c_str(), kVictim, kVictim), 0);
        ASSERT_EQ(chmod(shared.c_str(), mode), 0);
        ASSERT_EQ(lchown(link.c_str(), kIntruder, kIntruder), 0);
        const Outcome o = Run({"--png", link.string(), "1", "0", "-1"}, nullptr, kVictim);
        EXPECT_EQ(o.status, 3) << mode;
        EXPECT_NE(o.err.find("another user controls"), std::string::npos) << o.err;
        EXPECT_EQ(ReadFile(important), "secret\n") << mode;
    }
    ASSERT_EQ(lchown(link.c_str(), kVictim, kVictim), 0);
    ASSERT_EQ(Run({"--png", link.string(), "1", "0", "-1"}, nullptr, kVictim).status, 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(important).substr(1, 3), "PNG");
    struct stat info {};
    ASSERT_EQ(stat(important.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kVictim);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    char tag[8] = {};
    EXPECT_TRUE(!tagged || getxattr(important.c_str(), "user.tag", tag, sizeof tag) == 4);
}

}  // namespace
