// Writers that die mid-write or write at the same time never leave a broken settings file.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "common/ChildProcess.h"
#include "common/ScratchFolder.h"
#include "settings/ProfileWriteLock.h"
#include "settings/Settings.h"

namespace quadrello {
namespace {

using namespace std::chrono_literals;

constexpr auto kChildLifetime = 3s;  // children end themselves should the test die
constexpr int kKillRounds = 40;
constexpr int kWritesPerWriter = 60;
// Far above the longest wait a write may make for the lock, far below the second the writer
// once waited; and for a write that has nothing to change, no waiting at all.
constexpr auto kLongestLockWait = 500ms;
constexpr auto kLongestUnchangedWrite = 50ms;

const std::string kHead = "; foreign comment\r\n[Function]\r\nDrawGraphic=1\r\n";
const std::string kTail = "\r\n[Other]\nUnknown = kept\n";

// The counter if `bytes` is exactly the file with "Mark=<counter>" written into it.
std::optional<long> CounterIn(const std::string& bytes) {
    const std::string mark = "Mark=";
    if (!bytes.starts_with(kHead + mark) || !bytes.ends_with("\r\n" + kTail)) {
        return std::nullopt;
    }
    const std::string digits = bytes.substr(
        kHead.size() + mark.size(), bytes.size() - kHead.size() - mark.size() - kTail.size() - 2);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    return std::stol(digits);
}

// Whether `lines` is nothing but "Writer0=<digits>" and "Writer1=<digits>", each at most once.
bool OnlyWriterLines(std::string_view lines) {
    bool seen[2] = {false, false};
    while (!lines.empty()) {
        const std::size_t end = lines.find("\r\n");
        if (end == std::string_view::npos) {
            return false;
        }
        const std::string_view line = lines.substr(0, end);
        lines.remove_prefix(end + 2);
        if (line.size() < 9 || !line.starts_with("Writer") || line.substr(7, 1) != "=" ||
            line.substr(8).find_first_not_of("0123456789") != std::string_view::npos) {
            return false;
        }
        const int writer = line[6] - '0';
        if (writer < 0 || writer > 1 || seen[writer]) {
            return false;
        }
        seen[writer] = true;
    }
    return true;
}

TEST(ProfileConcurrency, KilledWriterLeavesOldOrNewFile) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, kHead + "Mark=0\r\n" + kTail);
    std::mt19937 random(20240611);
    // Kills land anywhere from before the first write to well into the run; later rounds wait
    // longer, so that slow builds (sanitizers) also get writes done before the kill.
    long last = 0;
    for (int round = 0; round < kKillRounds; ++round) {
        const pid_t writer = test::StartChild([&file] {
            long counter = std::stol(ReadSetting("Function", "Mark", file));
            const auto end = std::chrono::steady_clock::now() + kChildLifetime;
            while (std::chrono::steady_clock::now() < end) {
                WriteSetting("Function", "Mark", std::to_string(++counter), file);
            }
            return 0;
        });
        ASSERT_GT(writer, 0);
        std::uniform_int_distribution<int> pauseMicroseconds(0, 15000 + 1000 * round);
        std::this_thread::sleep_for(std::chrono::microseconds(pauseMicroseconds(random)));
        ::kill(writer, SIGKILL);
        ASSERT_EQ(::waitpid(writer, nullptr, 0), writer);
        const std::optional<long> counter = CounterIn(test::ReadBytes(file));
        ASSERT_TRUE(counter.has_value()) << "round " << round << ": " << test::ReadBytes(file);
        EXPECT_GE(*counter, last) << "round " << round << ": a finished write was undone";
        last = *counter;
    }
    EXPECT_GT(last, 0) << "the writers never got a write done";
    // The next writer (of a value that changes the file, so that it takes the lock) clears what
    // killed writers left behind.
    ASSERT_NE(WriteSetting("Function", "Mark", "-1", file), 0);
    EXPECT_EQ(test::ListFolder(folder.Path()), "config.ini");
}

TEST(ProfileConcurrency, TwoWritersOfDifferentKeysLoseNothing) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, kHead + kTail);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = test::StartChild([&file, w] {
            for (int i = 1; i <= kWritesPerWriter; ++i) {
                WriteSetting("Function", "Writer" + std::to_string(w), std::to_string(i), file);
            }
            return 0;
        });
        ASSERT_GT(writers[w], 0);
    }
    // Meanwhile every look at the file finds the foreign lines whole and at most the two keys.
    int running = 2;
    while (running > 0) {
        const std::string bytes = test::ReadBytes(file);
        ASSERT_TRUE(bytes.starts_with(kHead) && bytes.ends_with(kTail)) << bytes;
        EXPECT_TRUE(OnlyWriterLines(std::string_view(bytes).substr(
            kHead.size(), bytes.size() - kHead.size() - kTail.size())))
            << bytes;
        running = 0;
        for (const pid_t writer : writers) {
            running += ::waitpid(writer, nullptr, WNOHANG) == 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(ReadSetting("Function", "Writer0", file), std::to_string(kWritesPerWriter));
    EXPECT_EQ(ReadSetting("Function", "Writer1", file), std::to_string(kWritesPerWriter));
    EXPECT_EQ(test::ListFolder(folder.Path()), "config.ini");
}

// Starts a child that takes a lock in `folder`'s file config.ini as `take` does, tells through
// a pipe that it holds it (or could not), and keeps it until it is killed.
pid_t StartLockHolder(const std::function<bool()>& take) {
    int ready[2];
    if (::pipe(ready) != 0) {
        return -1;
    }
    const pid_t holder = test::StartChild([&take, &ready] {
        const char held = take() ? 'y' : 'n';
        [[maybe_unused]] const ssize_t told = ::write(ready[1], &held, 1);
        ::pause();
        return 0;
    });
    char held = 'n';
    const bool told = holder > 0 && ::read(ready[0], &held, 1) == 1;
    ::close(ready[0]);
    ::close(ready[1]);
    if (!told || held != 'y') {
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
        return -1;
    }
    return holder;
}

std::chrono::steady_clock::duration TimedWrite(const std::string& value, const std::string& file) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_NE(WriteSetting("Function", "Mark", value, file), 0);
    return std::chrono::steady_clock::now() - start;
}

// Somebody who may only read the folder locks it the way any reader can: writes go ahead at once.
TEST(ProfileConcurrency, LockHeldByAReaderDelaysNoWrite) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, "[Function]\r\nMark=0\r\n");
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    const pid_t reader = StartLockHolder([&folder] {
        const int fd = ::open(folder.Path().c_str(), O_RDONLY | O_DIRECTORY);
        return test::DropRootRights() && ::access(folder.Path().c_str(), W_OK) != 0 && fd >= 0 &&
               ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    });
    if (reader < 0) {
        GTEST_SKIP() << "cannot lock the folder as a user who may not write it";
    }
    EXPECT_LT(TimedWrite("1", file), kLongestLockWait);
    EXPECT_LT(TimedWrite("1", file), kLongestUnchangedWrite);
    ::kill(reader, SIGKILL);
    ::waitpid(reader, nullptr, 0);
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "1");
}

// A writer that holds the lock and never lets go (stopped, hung) delays others only briefly,
// and a write that has nothing to change does not wait for it at all.
TEST(ProfileConcurrency, LockHeldByAStuckWriterDelaysBriefly) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, "[Function]\r\nMark=0\r\n");
    const pid_t writer = StartLockHolder([&file] {
        static ProfileWriteLock lock(file);  // kept until the child is killed
        return lock.Held();
    });
    ASSERT_GT(writer, 0);
    EXPECT_LT(TimedWrite("0", file), kLongestUnchangedWrite);
    EXPECT_LT(TimedWrite("1", file), kLongestLockWait);
    ::kill(writer, SIGKILL);
    ::waitpid(writer, nullptr, 0);
    EXPECT_EQ(ReadSetting("Function", "Mark", file), "1");
}

}  // namespace
}  // namespace quadrello
