#include "settings/Switches.h"

#include <cmath>

#include "settings/Settings.h"
#include "solver/NumberText.h"

namespace quadrello {

namespace {

constexpr int kLowestState = 0;
constexpr int kHighestState = 2;

}  // namespace

std::optional<int> StateFromStored(const std::string& text) {
    const double rounded = std::nearbyint(ParseNumber(text));  // the default rounding: to even
    if (rounded >= kLowestState && rounded <= kHighestState) {
        return static_cast<int>(rounded);
    }
    return std::nullopt;
}

std::string StoredText(ValueForm form, int state) {
    const std::string digits = std::to_string(state);
    return form == ValueForm::Signed && state >= 0 ? " " + digits : digits;
}

std::optional<int> ReadSwitch(const Switch& entry) {
    return StateFromStored(ReadSetting(entry.section, entry.key, ConfigPath()));
}

WriteOutcome WriteSwitch(const Switch& entry, int state) {
    return StoreSetting(entry.section, entry.key, StoredText(entry.form, state), ConfigPath());
}

}  // namespace quadrello
