#pragma once

#include <QCheckBox>
#include <cstdint>

namespace quadrello::platform {

// A check box whose state is a 16-bit 0 (unchecked), 1 (checked) or 2 (greyed), and whose click
// action runs on every change of that state, made by the user or by the program. A user click
// checks an unchecked or greyed box and unchecks a checked one.
class CheckBox : public QCheckBox {
    Q_OBJECT

  public:
    using State = int16_t;
    static constexpr State kUnchecked = 0;
    static constexpr State kChecked = 1;
    static constexpr State kGreyed = 2;

    CheckBox(const QString& caption, QWidget* parent);

    State Value() const;

    // Whether `value` is one of the three states.
    static bool IsState(int value) { return value >= kUnchecked && value <= kGreyed; }

    // Assigns a state; a change runs the click action before this returns. A value that is no
    // state changes nothing and returns false.
    bool SetValue(int value);

  signals:
    // The box's click action: emitted once for each change of the state.
    void clickAction();

  protected:
    void nextCheckState() override;
    // Under a dark scheme whose box face barely stands out from the window, outlines the box
    // so that it can be seen.
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace quadrello::platform
