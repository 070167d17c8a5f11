// What the profile routines do with files and folders that are not what they should be: they
// never crash or hang, never destroy or truncate what is there, and replace files atomically.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/ChildProcess.h"
#include "common/NamedCase.h"
#include "common/ScratchFolder.h"
#include "settings/Profile.h"
#include "settings/ProfileFile.h"
#include "settings/Settings.h"

namespace quadrello {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr uid_t kNobody = 65534;

struct stat StatOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(byte(random));
    }
    return bytes;
}

class ProfileFault : public testing::Test {
  protected:
    test::ScratchFolder folder_;
    const std::string file_ = folder_.File("config.ini");
};

TEST_F(ProfileFault, WriteReplacesTheFileByRename) {
    test::WriteBytes(file_, "[Function]\r\nMark=0\r\n");
    const ino_t before = StatOf(file_).st_ino;
    ASSERT_NE(WriteSetting("Function", "Mark", "1", file_), 0);
    EXPECT_NE(StatOf(file_).st_ino, before) << "the old file must be replaced, not rewritten";
    EXPECT_EQ(test::ReadBytes(file_), "[Function]\r\nMark=1\r\n");
    EXPECT_EQ(test::ListFolder(folder_.Path()), "config.ini") << "no temporary file left";
}

TEST_F(ProfileFault, WriteOfTheStoredValueLeavesTheFileAlone) {
    test::WriteBytes(file_, "[Function]\r\nMark=1\r\n");
    const ino_t before = StatOf(file_).st_ino;
    EXPECT_NE(WriteSetting("Function", "Mark", "1", file_), 0);
    EXPECT_EQ(StatOf(file_).st_ino, before);
}

// A POSIX ACL as the kernel stores it: user::rw- user:nobody:r-- group::r-- mask::r-- other::---
std::string NobodyMayReadAcl() {
    std::string acl("\x02\0\0\0"s);  // version 2, then entries of tag, permissions and id
    const auto entry = [&acl](uint16_t tag, uint16_t perm, uint32_t id) {
        acl.append(reinterpret_cast<const char*>(&tag), 2);
        acl.append(reinterpret_cast<const char*>(&perm), 2);
        acl.append(reinterpret_cast<const char*>(&id), 4);
    };
    entry(0x01, 6, ~0u);
    entry(0x02, 4, kNobody);
    entry(0x04, 4, ~0u);
    entry(0x10, 4, ~0u);
    entry(0x20, 0, ~0u);
    return acl;
}

std::string Attribute(const std::string& path, const char* name) {
    std::string value(256, '\0');
    const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
    return size < 0 ? std::string() : value.substr(0, static_cast<std::size_t>(size));
}

TEST_F(ProfileFault, ReplacementKeepsOwnerPermissionBitsAclAndAttributes) {
    test::WriteBytes(file_, "[Function]\r\nMark=0\r\n");
    ASSERT_EQ(::chmod(file_.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file_.c_str(), kNobody, kNobody), 0);
    }
    const std::string acl = NobodyMayReadAcl();
    const char* const kAcl = "system.posix_acl_access";
    const bool attributes = ::setxattr(file_.c_str(), kAcl, acl.data(), acl.size(), 0) == 0 &&
                            ::setxattr(file_.c_str(), "user.origin", "kept", 4, 0) == 0;
    ASSERT_NE(WriteSetting("Function", "Mark", "1", file_), 0);
    const struct stat after = StatOf(file_);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(after.st_uid, kNobody);
        EXPECT_EQ(after.st_gid, kNobody);
    }
    if (attributes) {  // where the file system holds them
        EXPECT_EQ(Attribute(file_, kAcl), acl);
        EXPECT_EQ(Attribute(file_, "user.origin"), "kept");
    }
}

// Another user watching the folder opens every temporary file the moment it appears, as an
// inotify watcher can: rewriting a private file must never let them in.
TEST_F(ProfileFault, TemporaryFileIsNeverOpenToOthers) {
    constexpr int kWrites = 100;
    test::WriteBytes(file_, "[Function]\r\n; private\r\nMark=0\r\n");
    ASSERT_EQ(::chmod(file_.c_str(), 0600), 0);
    ASSERT_EQ(::chmod(folder_.Path().c_str(), 0755), 0);
    int go[2];
    int done[2];
    ASSERT_EQ(::pipe(go), 0);
    ASSERT_EQ(::pipe(done), 0);
    const pid_t writer = test::StartChild([&] {
        char start = 0;
        if (::read(go[0], &start, 1) != 1) {
            return 2;
        }
        for (int i = 1; i <= kWrites; ++i) {
            WriteSetting("Function", "Mark", std::to_string(i), file_);
        }
        return 0;  // closes `done`, which ends the watch
    });
    ::close(done[1]);
    const int opened = test::RunUnprivileged([&] {
        const int events = ::inotify_init1(IN_CLOEXEC);
        if (::geteuid() == 0 || events < 0 ||
            ::inotify_add_watch(events, folder_.Path().c_str(), IN_CREATE) < 0 ||
            ::write(go[1], "g", 1) != 1) {
            return test::kCannotDropRights;
        }
        int count = 0;
        pollfd watched[2] = {{events, POLLIN, 0}, {done[0], POLLIN, 0}};
        while (::poll(watched, 2, -1) > 0 && watched[1].revents == 0) {
            alignas(inotify_event) char buffer[4096];
            const ssize_t got = ::read(events, buffer, sizeof buffer);
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const int fd = ::open((folder_.Path() + "/" + event->name).c_str(), O_RDONLY);
                count += fd >= 0 ? 1 : 0;
                ::close(fd);
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return std::min(count, 90);
    });
    ::close(go[1]);
    ::kill(writer, SIGKILL);  // should the watch have failed before the writer started
    test::WaitForChild(writer);
    if (opened == test::kCannotDropRights) {
        GTEST_SKIP() << "cannot watch as a second user";
    }
    EXPECT_EQ(opened, 0) << "another user opened temporary files";
}

TEST_F(ProfileFault, NewFileGetsTheUsualPermissions) {
    const mode_t mask = ::umask(022);
    const int written = WriteSetting("Function", "Mark", "1", file_);
    ::umask(mask);
    ASSERT_NE(written, 0);
    EXPECT_EQ(StatOf(file_).st_mode & 07777, 0644u);
}

TEST_F(ProfileFault, WriteThroughSymbolicLinkKeepsTheLink) {
    const std::string target = folder_.File("real.ini");
    test::WriteBytes(target, "[Function]\r\nMark=0\r\n");
    fs::create_symlink("real.ini", file_);
    ASSERT_NE(WriteSetting("Function", "Mark", "1", file_), 0);
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(test::ReadBytes(target), "[Function]\r\nMark=1\r\n");
}

// A link is followed only where nobody else can have planted or swapped it: it is the writer's
// own or root's, or its folder may be written by the writer (and root) alone. Shared folders of
// every kind refuse another user's link: sticky and writable by all (/tmp), shared with a group
// (a program folder 2775), writable by all. Writer and intruder are real, different users.
struct PlantedLinkCase : test::NamedCase {
    mode_t folderMode;
    uid_t linkOwner;
    bool followed;
};

constexpr uid_t kVictim = 61018;
constexpr uid_t kIntruder = 61019;

class ProfilePlantedLink : public testing::TestWithParam<PlantedLinkCase> {};

TEST_P(ProfilePlantedLink, IsFollowedOnlyWhereNobodyElseControlsIt) {
    const PlantedLinkCase& c = GetParam();
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as two other users";
    }
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    const std::string notes = folder.File("notes.txt");
    test::WriteBytes(notes, "mine\n");
    ASSERT_EQ(::chown(notes.c_str(), kVictim, kVictim), 0);
    ASSERT_EQ(::chmod(notes.c_str(), 0600), 0);
    ASSERT_EQ(::symlink("notes.txt", file.c_str()), 0);
    ASSERT_EQ(::lchown(file.c_str(), c.linkOwner, c.linkOwner), 0);
    ASSERT_EQ(::chown(folder.Path().c_str(), kVictim, kVictim), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), c.folderMode), 0);
    const int status = test::RunAs(kVictim, [&file] {
        const WriteOutcome outcome = StoreSetting("Function", "DrawGraphic", "1", file);
        return outcome.Written() ? 0 : outcome.refusal == WriteRefusal::ForeignLink ? 1 : 2;
    });
    EXPECT_EQ(status, c.followed ? 0 : 1);
    EXPECT_EQ(test::ReadBytes(notes) == "mine\n", !c.followed);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(StatOf(notes).st_uid, kVictim);
}

INSTANTIATE_TEST_SUITE_P(
    Owners, ProfilePlantedLink,
    testing::Values(PlantedLinkCase{"StickyFolderIntrudersLink", 01777, kIntruder, false},
                    PlantedLinkCase{"GroupFolderIntrudersLink", 02775, kIntruder, false},
                    PlantedLinkCase{"OpenFolderIntrudersLink", 0777, kIntruder, false},
                    PlantedLinkCase{"StickyFolderOwnLink", 01777, kVictim, true},
                    PlantedLinkCase{"OpenFolderRootsLink", 0777, 0, true},
                    PlantedLinkCase{"PrivateFolderAnyLink", 0755, kIntruder, true}),
    test::CaseName);

// The next writer removes what a killed writer of this user left, and nothing else: names that
// only begin like a temporary, and another user's temporaries, stay. (The work per write is
// bounded as well: bench/ has no timing of it, a full folder only slows the search itself.)
TEST_F(ProfileFault, OnlyOwnStaleTemporariesAreRemoved) {
    test::WriteBytes(file_, "[Function]\r\nMark=0\r\n");
    const std::string prefix = ".config.ini.tmp-";
    test::WriteBytes(folder_.File(prefix + "0123456789abcdef01234567"), "stale");
    std::vector<std::string> kept = {"config.ini"};
    for (const char* planted : {"5", "0123456789abcdef0123456z", "0123456789abcdef012345670"}) {
        test::WriteBytes(folder_.File(prefix + planted), "planted");
        kept.push_back(prefix + planted);
    }
    if (::geteuid() == 0) {
        kept.push_back(prefix + "ffffffffffffffffffffffff");
        test::WriteBytes(folder_.File(kept.back()), "another user's, mid-write");
        ASSERT_EQ(::chown(folder_.File(kept.back()).c_str(), kNobody, kNobody), 0);
    }
    ASSERT_NE(WriteSetting("Function", "Mark", "1", file_), 0);
    std::sort(kept.begin(), kept.end());
    std::string expected;
    for (const std::string& name : kept) {
        expected += (expected.empty() ? "" : " ") + name;
    }
    EXPECT_EQ(test::ListFolder(folder_.Path()), expected);
}

// Inode flags the user set (chattr +d +A) are kept like the rights; a file name as long as the
// system allows still gets its temporary.
TEST_F(ProfileFault, InodeFlagsAndLongestNamesAreKept) {
    const std::string file = folder_.File(std::string(250, 'n'));
    test::WriteBytes(file, "[Function]\r\nMark=0\r\n");
    const int fd = ::open(file.c_str(), O_RDONLY);
    int flags = 0;
    if (fd < 0 || ::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        GTEST_SKIP() << "no inode flags on this file system";
    }
    flags |= FS_NODUMP_FL | FS_NOATIME_FL;
    const bool set = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    ASSERT_TRUE(set);
    ASSERT_NE(WriteSetting("Function", "Mark", "1", file), 0);
    EXPECT_EQ(test::ReadBytes(file), "[Function]\r\nMark=1\r\n");
    const int after = ::open(file.c_str(), O_RDONLY);
    int kept = 0;
    ASSERT_EQ(::ioctl(after, FS_IOC_GETFLAGS, &kept), 0);
    ::close(after);
    EXPECT_EQ(kept & (FS_NODUMP_FL | FS_NOATIME_FL), FS_NODUMP_FL | FS_NOATIME_FL);
}

TEST_F(ProfileFault, DanglingLinkIsNotReplaced) {
    fs::create_symlink("nowhere.ini", file_);
    EXPECT_EQ(WriteSetting("Function", "Mark", "1", file_), 0);
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(test::ListFolder(folder_.Path()), "config.ini");
}

// The path of config.ini in the root folder holds two separators in a row.
TEST_F(ProfileFault, DoubledSeparatorNamesTheSameFile) {
    const std::string doubled = "/" + file_;
    ASSERT_NE(WriteSetting("Function", "Mark", "1", doubled), 0);
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), "1");
    EXPECT_EQ(test::ListFolder(folder_.Path()), "config.ini");
}

TEST_F(ProfileFault, MissingFolderIsNotCreated) {
    const std::string file = folder_.File("gone/config.ini");
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "");
    EXPECT_EQ(WriteSetting("Function", "Mark", "1", file), 0);
    EXPECT_EQ(test::ListFolder(folder_.Path()), "");
}

// Root may write into any folder whatever its permission bits; a "folder" that is a regular
// file stops everybody.
TEST_F(ProfileFault, FolderThatIsARegularFile) {
    const std::string notAFolder = folder_.File("plain");
    test::WriteBytes(notAFolder, "[Function]\r\nMark=0\r\n");
    const std::string file = notAFolder + "/config.ini";
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "");
    EXPECT_EQ(WriteSetting("Function", "Mark", "1", file), 0);
    EXPECT_EQ(test::ReadBytes(notAFolder), "[Function]\r\nMark=0\r\n");
    EXPECT_EQ(test::ListFolder(folder_.Path()), "plain");
}

TEST_F(ProfileFault, PathThatIsAFolder) {
    fs::create_directory(file_);
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), "");
    EXPECT_EQ(WriteSetting("Function", "Mark", "1", file_), 0);
    EXPECT_TRUE(fs::is_directory(file_));
    EXPECT_TRUE(fs::is_empty(file_));
    EXPECT_EQ(test::ListFolder(folder_.Path()), "config.ini");
}

TEST_F(ProfileFault, PipeDoesNotHang) {
    ASSERT_EQ(::mkfifo(file_.c_str(), 0666), 0);
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), "");
    EXPECT_EQ(WriteSetting("Function", "Mark", "1", file_), 0);
    EXPECT_TRUE(fs::is_fifo(file_));
}

TEST_F(ProfileFault, PathEndingInSeparatorIsRefused) {
    EXPECT_EQ(WriteSetting("Function", "Mark", "1", folder_.Path() + "/"), 0);
    EXPECT_EQ(WriteSetting("Function", "Mark", "1", ""), 0);
    EXPECT_EQ(test::ListFolder(folder_.Path()), "");
}

// Permission bits do not stop root, so these run in a child that has given up root's rights.
TEST_F(ProfileFault, UnreadableFileIsNeitherReadNorReplaced) {
    const std::string before = "[Function]\r\nMark=1\r\n; precious\r\n";
    test::WriteBytes(file_, before);
    ASSERT_EQ(::chmod(file_.c_str(), 0), 0);
    ASSERT_EQ(::chmod(folder_.Path().c_str(), 0777), 0);  // the folder itself would allow it
    const int status = test::RunUnprivileged([this] {
        if (::access(file_.c_str(), R_OK) == 0) {
            return 2;  // the child can still read it: the set-up did not work
        }
        const bool empty = ReadSetting("Function", "Mark", file_).empty();
        const bool refused = WriteSetting("Function", "Mark", "0", file_) == 0;
        return (empty && refused) ? 0 : 1;
    });
    if (status == test::kCannotDropRights || status == 2) {
        GTEST_SKIP() << "cannot run without the right to read every file";
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(StatOf(file_).st_mode & 07777, 0u);
    ASSERT_EQ(::chmod(file_.c_str(), 0600), 0);  // so that this process may look, root or not
    EXPECT_EQ(test::ReadBytes(file_), before);
    EXPECT_EQ(test::ListFolder(folder_.Path()), "config.ini");
}

// Files the writer may not write, or whose owner or group a replacement could not keep, stay
// as they are, even in a folder where the writer could replace them by rename.
struct ForeignFileCase : test::NamedCase {
    uid_t owner;
    gid_t group;
    mode_t mode;
};

class ProfileForeignFile : public testing::TestWithParam<ForeignFileCase> {};

TEST_P(ProfileForeignFile, IsRefusedAndKept) {
    const ForeignFileCase& c = GetParam();
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs a second user";
    }
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    const std::string before = "[Function]\r\nMark=0\r\n";
    test::WriteBytes(file, before);
    ASSERT_EQ(::chown(file.c_str(), c.owner, c.group), 0);
    ASSERT_EQ(::chmod(file.c_str(), c.mode), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0777), 0);
    const int status = test::RunUnprivileged(
        [&file] { return WriteSetting("Function", "Mark", "1", file) == 0 ? 0 : 1; });
    ASSERT_NE(status, test::kCannotDropRights);
    EXPECT_EQ(status, 0) << "the write must report failure";
    const struct stat after = StatOf(file);
    EXPECT_EQ(after.st_uid, c.owner);
    EXPECT_EQ(after.st_gid, c.group);
    EXPECT_EQ(after.st_mode & 07777, c.mode);
    EXPECT_EQ(test::ReadBytes(file), before);
    EXPECT_EQ(test::ListFolder(folder.Path()), "config.ini");
}

INSTANTIATE_TEST_SUITE_P(Rights, ProfileForeignFile,
                         testing::Values(ForeignFileCase{"GroupMembersWriteWouldTakeTheFile", 0,
                                                         kNobody, 0660},
                                         ForeignFileCase{"ReadOnlyFile", kNobody, kNobody, 0444},
                                         ForeignFileCase{"OtherUsersFile", 0, 0, 0644}),
                         test::CaseName);

TEST_F(ProfileFault, ReadOnlyFolderFailsSilentlyAndKeepsTheFile) {
    const std::string before = "[Function]\r\nMark=1\r\n";
    test::WriteBytes(file_, before);
    ASSERT_EQ(::chmod(file_.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(folder_.Path().c_str(), 0555), 0);
    const int status = test::RunUnprivileged([this] {
        if (::access(folder_.Path().c_str(), W_OK) == 0) {
            return 2;
        }
        const bool readable = ReadSetting("Function", "Mark", file_) == "1";
        const bool refused = WriteSetting("Function", "Mark", "0", file_) == 0;
        const bool noNewFile = WriteSetting("Function", "Mark", "0", folder_.File("new.ini")) == 0;
        return (readable && refused && noNewFile) ? 0 : 1;
    });
    if (status == test::kCannotDropRights || status == 2) {
        GTEST_SKIP() << "cannot run without the right to write every folder";
    }
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadBytes(file_), before);
    EXPECT_EQ(test::ListFolder(folder_.Path()), "config.ini");
}

// A disk that refuses more bytes half-way (here: a file size limit) must cost nothing.
TEST_F(ProfileFault, WriteFailingHalfWayKeepsTheOldFileExactly) {
    const std::string before = "[Function]\r\n" + std::string(4000, ';') + "\r\nMark=0\r\n";
    test::WriteBytes(file_, before);
    const int status = test::RunInChild([this] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        return WriteSetting("Function", "Mark", "1", file_) == 0 ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(test::ReadBytes(file_), before);
    EXPECT_EQ(test::ListFolder(folder_.Path()), "config.ini");
}

TEST_F(ProfileFault, FileAboveTheSizeLimitIsLeftAlone) {
    test::WriteBytes(file_, "[Function]\r\nMark=1\r\n");
    fs::resize_file(file_, kMaxProfileFileBytes + 1);  // sparse: cheap to make
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), "");
    EXPECT_EQ(WriteSetting("Function", "Mark", "0", file_), 0);
    EXPECT_EQ(fs::file_size(file_), kMaxProfileFileBytes + 1);
}

TEST_F(ProfileFault, FiveMegabytesOfForeignLines) {
    std::string before = "[Big]\r\n";
    for (int i = 0; before.size() < 5u * 1024u * 1024u; ++i) {
        before += "key" + std::to_string(i) + "=" + std::string(60, 'a' + i % 26) + "\n";
    }
    before += "[Function]\r\nMark=1\r\n";
    test::WriteBytes(file_, before);
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), "1");
    EXPECT_EQ(ReadSetting("Big", "key70000", file_), std::string(60, 'a' + 70000 % 26));
    ASSERT_NE(WriteSetting("Function", "Mark", "2", file_), 0);
    std::string expected = before;
    expected[expected.size() - 3] = '2';
    EXPECT_TRUE(test::ReadBytes(file_) == expected) << "foreign lines changed";
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), "2");
}

TEST_F(ProfileFault, VeryLongLineWithoutBreak) {
    const std::string before = "[Function]\r\nMark=" + std::string(2u * 1024u * 1024u, 'v');
    test::WriteBytes(file_, before);
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), std::string(127, 'v'));
    ASSERT_NE(WriteSetting("Function", "DrawGraphic", "1", file_), 0);
    EXPECT_TRUE(test::ReadBytes(file_) == before + "\r\nDrawGraphic=1\r\n");
}

// Whatever the file holds: reading does not crash, a write reads back, and the foreign bytes
// stay in front of the appended section.
struct GarbageCase : test::NamedCase {
    std::string bytes;
};

class ProfileGarbage : public testing::TestWithParam<GarbageCase> {};

TEST_P(ProfileGarbage, SurvivesAndKeepsEveryByte) {
    const std::string& before = GetParam().bytes;
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, before);
    for (const char* key : {"Mark", "DrawGraphic", "", "=", "\x01"}) {
        EXPECT_LE(ReadSetting("Function", key, file).size(), kSettingBufferSize - 1);
    }
    ASSERT_NE(WriteSetting("Quadrello Test", "Mark", "1", file), 0);
    ASSERT_NE(WriteSetting("Quadrello Test", "DrawGraphic", "0", file), 0);
    EXPECT_EQ(ReadSetting("Quadrello Test", "Mark", file), "1");
    EXPECT_EQ(ReadSetting("Quadrello Test", "DrawGraphic", file), "0");
    const std::string after = test::ReadBytes(file);
    EXPECT_TRUE(after.starts_with(before)) << "foreign bytes changed";
    const bool breakAdded = !before.empty() && before.back() != '\n' && before.back() != '\r';
    EXPECT_EQ(after.substr(before.size()),
              (breakAdded ? "\r\n"s : ""s) + "[Quadrello Test]\r\nMark=1\r\nDrawGraphic=0\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProfileGarbage,
    testing::Values(GarbageCase{"Empty", ""}, GarbageCase{"RandomSmall", RandomBytes(300, 1)},
                    GarbageCase{"RandomLarge", RandomBytes(256 * 1024, 2)},
                    GarbageCase{"Nuls", std::string(64 * 1024, '\0')},
                    GarbageCase{"NulsAndBreaks", "\0\r\n\0\n\0\r\0"s},
                    GarbageCase{"OnlyBreaks", "\r\n\n\r\r\n"},
                    GarbageCase{"HeaderFragments", "[\r\n]\r\n[[\r\n=\r\n;\r\n[Function"},
                    GarbageCase{"OpenQuote", "[Function]\r\nMark=\"\r\nDrawGraphic='"}),
    test::CaseName);

TEST_F(ProfileFault, MixedLineEndsAndDuplicatesSurviveByteForByte) {
    const std::string before =
        "\xEF\xBB\xBF; settings\n[Function]\r\nMark=0\nmark=9\r[Windows]\n"
        "WindowTop=1\r\nUnknown = keep me \n[Function]\r\nDrawGraphic=1\r\n; end";
    test::WriteBytes(file_, before);
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), "0");
    EXPECT_EQ(ReadSetting("Function", "DrawGraphic", file_), "");  // only the first section counts
    ASSERT_NE(WriteSetting("Function", "Mark", "1", file_), 0);
    ASSERT_NE(WriteSetting("Windows", "WindowTop", " 1", file_), 0);
    ASSERT_NE(WriteSetting("Function", "DrawGraphic", "0", file_), 0);
    EXPECT_EQ(test::ReadBytes(file_),
              "\xEF\xBB\xBF; settings\n[Function]\r\nMark=1\nmark=9\rDrawGraphic=0\r\n[Windows]\n"
              "WindowTop= 1\r\nUnknown = keep me \n[Function]\r\nDrawGraphic=1\r\n; end");
}

TEST_F(ProfileFault, LongValuesAreStoredWholeAndReadCut) {
    const std::string value(300, 'w');
    ASSERT_NE(WriteSetting("Function", "Mark", value, file_), 0);
    EXPECT_EQ(test::ReadBytes(file_), "[Function]\r\nMark=" + value + "\r\n");
    EXPECT_EQ(ReadSetting("Function", "Mark", file_), value.substr(0, 127));
}

}  // namespace
}  // namespace quadrello
