#pragma once

// The main window's stored switches: which key of config.ini holds each check box, in which
// form its state is written, and how a stored text becomes a state again.

#include <array>
#include <optional>
#include <string>

#include "settings/WriteOutcome.h"

namespace quadrello {

enum class SwitchBox { WindowTop, SetTray, DrawGraphic, Mark, RedrawGraphic };

// How a state is written: plain digits ("1") or with the sign column of the number-to-text
// rule (" 1").
enum class ValueForm { Plain, Signed };

struct Switch {
    SwitchBox box;
    const char* section;
    const char* key;
    ValueForm form;
    bool restored;  // read back at start-up
};

// In the order start-up restores them.
inline constexpr std::array<Switch, 5> kSwitches = {{
    {SwitchBox::WindowTop, "Windows", "WindowTop", ValueForm::Signed, true},
    {SwitchBox::SetTray, "Windows", "SetTray", ValueForm::Plain, true},
    {SwitchBox::DrawGraphic, "Function", "DrawGraphic", ValueForm::Plain, true},
    {SwitchBox::Mark, "Function", "Mark", ValueForm::Plain, true},
    {SwitchBox::RedrawGraphic, "Function", "RedrawGraphic", ValueForm::Plain, false},
}};

// A stored text as a check-box state (0 unchecked, 1 checked, 2 greyed): its leading number,
// rounded to the nearest integer with halves to the even neighbour. Nothing for a value that
// is no state (outside 0 to 2, which covers everything beyond 16 bits too).
std::optional<int> StateFromStored(const std::string& text);

// The text `state` is stored as.
std::string StoredText(ValueForm form, int state);

// The switch's state as config.ini holds it, or nothing.
std::optional<int> ReadSwitch(const Switch& entry);

// Stores `state` as the switch's key, and says why when it could not.
WriteOutcome WriteSwitch(const Switch& entry, int state);

}  // namespace quadrello
