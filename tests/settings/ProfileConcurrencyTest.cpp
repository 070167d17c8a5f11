// Writers that die mid-write or write at the same time never leave a broken settings file.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "ScratchFolder.h"
#include "settings/Settings.h"

namespace quadrello {
namespace {

using namespace std::chrono_literals;

constexpr auto kChildLifetime = 3s;  // children end themselves should the test die
constexpr int kKillRounds = 40;
constexpr int kWritesPerWriter = 60;

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

pid_t StartChild(const std::function<void()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        body();
        ::_exit(0);
    }
    return child;
}

TEST(ProfileConcurrency, KilledWriterLeavesOldOrNewFile) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, kHead + "Mark=0\r\n" + kTail);
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> pauseMicroseconds(0, 15000);
    long last = 0;
    for (int round = 0; round < kKillRounds; ++round) {
        const pid_t writer = StartChild([&file] {
            long counter = std::stol(ReadSetting("Function", "Mark", file));
            const auto end = std::chrono::steady_clock::now() + kChildLifetime;
            while (std::chrono::steady_clock::now() < end) {
                WriteSetting("Function", "Mark", std::to_string(++counter), file);
            }
        });
        ASSERT_GT(writer, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(pauseMicroseconds(random)));
        ::kill(writer, SIGKILL);
        ASSERT_EQ(::waitpid(writer, nullptr, 0), writer);
        const std::optional<long> counter = CounterIn(test::ReadBytes(file));
        ASSERT_TRUE(counter.has_value()) << "round " << round << ": " << test::ReadBytes(file);
        EXPECT_GE(*counter, last) << "round " << round << ": a finished write was undone";
        last = *counter;
    }
    EXPECT_GT(last, 0) << "the writers never got a write done";
    // The next writer clears what killed writers left behind.
    ASSERT_NE(WriteSetting("Function", "Mark", "0", file), 0);
    EXPECT_EQ(test::ListFolder(folder.Path()), "config.ini");
}

TEST(ProfileConcurrency, TwoWritersOfDifferentKeysLoseNothing) {
    test::ScratchFolder folder;
    const std::string file = folder.File("config.ini");
    test::WriteBytes(file, kHead + kTail);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = StartChild([&file, w] {
            for (int i = 1; i <= kWritesPerWriter; ++i) {
                WriteSetting("Function", "Writer" + std::to_string(w), std::to_string(i), file);
            }
        });
        ASSERT_GT(writers[w], 0);
    }
    // Meanwhile every look at the file finds the foreign lines whole and at most the two keys.
    int running = 2;
    int looks = 0;
    while (running > 0) {
        const std::string bytes = test::ReadBytes(file);
        ASSERT_TRUE(bytes.starts_with(kHead) && bytes.ends_with(kTail)) << bytes;
        EXPECT_TRUE(OnlyWriterLines(std::string_view(bytes).substr(
            kHead.size(), bytes.size() - kHead.size() - kTail.size())))
            << bytes;
        ++looks;
        running = 0;
        for (const pid_t writer : writers) {
            running += ::waitpid(writer, nullptr, WNOHANG) == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(looks, 0);
    EXPECT_EQ(ReadSetting("Function", "Writer0", file), std::to_string(kWritesPerWriter));
    EXPECT_EQ(ReadSetting("Function", "Writer1", file), std::to_string(kWritesPerWriter));
    EXPECT_EQ(test::ListFolder(folder.Path()), "config.ini");
}

}  // namespace
}  // namespace quadrello
