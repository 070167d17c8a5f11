#include "platform/CheckBox.h"

namespace quadrello::platform {

namespace {

// Qt numbers its states 0 unchecked, 1 partially checked, 2 checked.
Qt::CheckState ToQt(CheckBox::State state) {
    switch (state) {
        case CheckBox::kChecked:
            return Qt::Checked;
        case CheckBox::kGreyed:
            return Qt::PartiallyChecked;
        default:
            return Qt::Unchecked;
    }
}

}  // namespace

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    setTristate(true);  // lets the program assign the greyed state
    // stateChanged fires once per real change, whoever makes it.
    connect(this, &QCheckBox::stateChanged, this, &CheckBox::clickAction);
}

CheckBox::State CheckBox::Value() const {
    switch (checkState()) {
        case Qt::Checked:
            return kChecked;
        case Qt::PartiallyChecked:
            return kGreyed;
        default:
            return kUnchecked;
    }
}

bool CheckBox::SetValue(int value) {
    if (!IsState(value)) {
        return false;
    }
    setCheckState(ToQt(static_cast<State>(value)));
    return true;
}

void CheckBox::nextCheckState() {
    setCheckState(Value() == kChecked ? Qt::Unchecked : Qt::Checked);
}

}  // namespace quadrello::platform
