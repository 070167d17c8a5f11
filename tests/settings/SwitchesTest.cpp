// Stored switch texts as check-box states, and the forms states are stored in.
#include <gtest/gtest.h>

#include "settings/Switches.h"

namespace quadrello::test {
namespace {

TEST(Switches, StoredTextBecomesAState) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"1", 1},
        {" 1", 1},
        {"0", 0},
        {"2", 2},
        {"", 0},
        {"abc", 0},
        {"1abc", 1},
        // Halves go to the even neighbour.
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"-0.5", 0},
        // No state: the box keeps its design-time state.
        {"3", std::nullopt},
        {"-1", std::nullopt},
        {"65537", std::nullopt},
        {"1e999", std::nullopt},
        {"&HFFFF", std::nullopt},
        {"2.6", std::nullopt}};
    for (const auto& [text, state] : cases) {
        EXPECT_EQ(StateFromStored(text), state) << '"' << text << '"';
    }
}

TEST(Switches, TopmostIsStoredWithItsSignColumnTheOthersPlain) {
    for (const Switch& entry : kSwitches) {
        const bool signedForm = entry.box == SwitchBox::WindowTop;
        EXPECT_EQ(StoredText(entry.form, 1), signedForm ? " 1" : "1") << entry.key;
        EXPECT_EQ(StoredText(entry.form, 2), signedForm ? " 2" : "2") << entry.key;
    }
    EXPECT_FALSE(kSwitches.back().restored) << "RedrawGraphic starts unchecked every run";
}

}  // namespace
}  // namespace quadrello::test
