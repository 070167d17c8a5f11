// Replacing a window's procedure and passing messages down the chain.
#include <gtest/gtest.h>

#include <QWidget>

#include "platform/WindowProcedure.h"

namespace quadrello::test {
namespace {

struct Seen {
    QWidget* window = nullptr;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};
Seen seen;

int32_t Inner(QWidget* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    seen = {window, message, wParam, lParam};
    return int32_t(message + lParam);
}

platform::WindowProc innerOf = nullptr;
int32_t Outer(QWidget* window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message == 1) {
        return -1;  // handled here
    }
    return platform::CallWindowProc(innerOf, window, message, wParam, lParam);
}

TEST(WindowProcedure, WindowsStartWithTheDefaultThatHandlesNothing) {
    QWidget window;
    EXPECT_EQ(platform::GetWindowProc(&window), &platform::DefaultWindowProc);
    EXPECT_EQ(platform::SendWindowMessage(&window, 2025, 0, 0x202), 0);
}

TEST(WindowProcedure, ReplacedProceduresChainAndComeBack) {
    QWidget window;
    QWidget other;
    EXPECT_EQ(platform::SetWindowProc(&window, &Inner), &platform::DefaultWindowProc);
    innerOf = platform::SetWindowProc(&window, &Outer);
    EXPECT_EQ(innerOf, &Inner);
    EXPECT_EQ(platform::GetWindowProc(&other), &platform::DefaultWindowProc)
        << "each window has its own procedure";

    seen = {};
    EXPECT_EQ(platform::SendWindowMessage(&window, 1, 0, 0), -1);
    EXPECT_EQ(seen.window, nullptr) << "a handled message goes no further";
    EXPECT_EQ(platform::SendWindowMessage(&window, 2025, 3, 0x205), 2025 + 0x205);
    EXPECT_EQ(seen.window, &window);
    EXPECT_EQ(seen.message, 2025u);
    EXPECT_EQ(seen.wParam, 3u);
    EXPECT_EQ(seen.lParam, 0x205);

    EXPECT_EQ(platform::SetWindowProc(&window, innerOf), &Outer);
    EXPECT_EQ(platform::GetWindowProc(&window), &Inner);
    platform::SetWindowProc(&window, nullptr);
    EXPECT_EQ(platform::GetWindowProc(&window), &platform::DefaultWindowProc);
    EXPECT_EQ(platform::CallWindowProc(nullptr, &window, 5, 0, 0), 0);
}

}  // namespace
}  // namespace quadrello::test
