// The main window's controls, frame lines and hidden tray menu, made from their tables.
#include <QMenu>
#include <iterator>
#include <string_view>

#include "graph/Twips.h"
#include "platform/CheckBox.h"
#include "platform/Fonts.h"
#include "platform/Label.h"
#include "platform/LineDecoration.h"
#include "platform/PictureBox.h"
#include "platform/ScreenReader.h"
#include "platform/WindowPlacement.h"
#include "platform/WrappingButton.h"
#include "ui/CoefficientBox.h"
#include "ui/Controls.h"
#include "ui/Texts.h"
#include "ui/frmMain.h"

namespace quadrello {

namespace {

using graph::TwipsToPixels;
using platform::Label;
using ui::Kind;

bool Has(const ui::Control& control, ui::Property property) {
    return (control.properties & property) != 0;
}

// Enter presses the focused button, as on the desktops the program comes from.
template <typename Button>
Button* EnterPresses(Button* button) {
    button->setAutoDefault(true);
    return button;
}

QWidget* MakeWidget(QWidget* parent, const ui::Control& control) {
    const QString caption = QString::fromUtf8(control.caption);
    switch (control.kind) {
        case Kind::Label:
            return new Label(
                caption,
                Has(control, ui::kAutoSize) ? Label::Sizing::AutoSize : Label::Sizing::Fixed,
                Has(control, ui::kTransparent) ? Label::Background::Transparent
                                               : Label::Background::Opaque,
                parent);
        case Kind::TextBox:
            return new CoefficientBox(caption, parent);
        case Kind::Button:
            return EnterPresses(new QPushButton(caption, parent));
        case Kind::WrappingButton:
            return EnterPresses(new platform::WrappingButton(caption, parent));
        case Kind::CheckBox: {
            auto* box = new platform::CheckBox(caption, parent);
            // Before any click action is connected.
            box->SetValue(Has(control, ui::kChecked) ? platform::CheckBox::kChecked
                                                     : platform::CheckBox::kUnchecked);
            return box;
        }
        case Kind::PictureBox: {
            // The box draws its own border; its background is the palette's base colour.
            auto* picture = new platform::PictureBox(parent);
            picture->setFocusPolicy(Qt::StrongFocus);
            return picture;
        }
    }
    return nullptr;
}

void MakeControl(QWidget* parent, const ui::Control& control) {
    QWidget* widget =
        platform::PlaceNamed(MakeWidget(parent, control), control.name, control.place);
    // The text boxes' font also shows what the user types, which may need other faces.
    if (Has(control, ui::kSong15)) {
        widget->setFont(
            platform::InputFont(platform::InstalledFace(platform::kSongFace), ui::kSong15Pixels));
    }
    if (Has(control, ui::kNewSong10_5)) {
        widget->setFont(platform::FaceFont(platform::InstalledFace(platform::kNewSongFace),
                                           ui::kNewSong10_5Pixels));
    }
    if (Has(control, ui::kHidden)) {
        widget->hide();  // for good: it keeps place and state, but nobody sees or clicks it
    }
}

void MakeLine(QWidget* parent, const ui::Line& line) {
    auto* widget =
        new platform::LineDecoration(QPoint(TwipsToPixels(line.x1), TwipsToPixels(line.y1)),
                                     QPoint(TwipsToPixels(line.x2), TwipsToPixels(line.y2)),
                                     QColor::fromRgb(ui::kLineColour), parent);
    widget->setObjectName(QString::fromUtf8(line.name));
    platform::MarkAsDecoration(widget);
}

// A caption as a screen reader should say it: without the blanks that space its characters
// out, its colon, and the dots and arrows that only decorate it.
QString Spoken(QString spoken) {
    // By hand, not by a regular expression: that would load and compile its engine at start-up.
    spoken.removeIf(
        [](QChar c) { return c.isSpace() || c == u'：' || c == u'.' || c == u'<' || c == u'>'; });
    return spoken;
}

}  // namespace

template <typename Widget>
Widget* frmMain::Child(const ui::Control& control) const {
    return findChild<Widget*>(QString::fromUtf8(control.name), Qt::FindDirectChildrenOnly);
}

void frmMain::CreateControls() {
    for (const ui::Control* control : ui::kControls) {
        MakeControl(this, *control);
    }
    for (const ui::Line& line : ui::kLines) {
        MakeLine(this, line);
    }
    coefficientA_ = Child<CoefficientBox>(ui::kCoefficientA);
    coefficientB_ = Child<CoefficientBox>(ui::kCoefficientB);
    coefficientC_ = Child<CoefficientBox>(ui::kCoefficientC);
    resultLabels_ = {Child<Label>(ui::kDelta), Child<Label>(ui::kResult1),
                     Child<Label>(ui::kResult2), Child<Label>(ui::kVertexX),
                     Child<Label>(ui::kVertexY)};
    lab_ = Child<Label>(ui::kPointer);
    // The readout's room ends at the divider: beyond it lie the options panel and the edge.
    lab_->SetRoomEnd(TwipsToPixels(ui::kDivider.x1));
    computeButton_ = Child<QPushButton>(ui::kCompute);
    cmdOption_ = Child<platform::WrappingButton>(ui::kOption);
    picGraphic_ = Child<platform::PictureBox>(ui::kPicture);
    calculatorButton_ = Child<QPushButton>(ui::kCalculator);
    topmostBox_ = Child<platform::CheckBox>(ui::kTopmost);
    trayBox_ = Child<platform::CheckBox>(ui::kTray);
    chkDrawGraphic_ = Child<platform::CheckBox>(ui::kDrawGraphic);
    chkMark_ = Child<platform::CheckBox>(ui::kMark);
    chkRedrawGraphic_ = Child<platform::CheckBox>(ui::kRedrawGraphic);
    contactButton_ = Child<QPushButton>(ui::kContact);
    aboutButton_ = Child<QPushButton>(ui::kAbout);
    SetTabOrder();
    NameForScreenReaders();
}

void frmMain::CreateTrayMenu() {
    mnuTray_ = new QMenu(QString::fromUtf8(ui::kTrayMenu.caption), this);
    mnuTray_->setObjectName(QString::fromUtf8(ui::kTrayMenu.name));
    // 系统计算器, 配置颜色, 作者主页 and 更多软件 have no action: they only close the menu.
    for (const ui::MenuItem* item : ui::kTrayMenuItems) {
        QAction* action = mnuTray_->addAction(QString::fromUtf8(item->caption));
        action->setObjectName(QString::fromUtf8(item->name));
        // The caption "-" stands for a separator line; the line is drawn without the text.
        if (std::string_view(item->caption) == "-") {
            action->setSeparator(true);
            action->setText(QString());
        }
    }
    const auto item = [this](const ui::MenuItem& entry) {
        return mnuTray_->findChild<QAction*>(QString::fromUtf8(entry.name));
    };
    menuContact_ = item(ui::kMenuContact);
    menuAbout_ = item(ui::kMenuAbout);
    menuExit_ = item(ui::kMenuExit);
}

void frmMain::NameForScreenReaders() {
    // chkMark and chkRedrawGraphic, the lines, and the collapsed panel's controls.
    platform::HideHiddenChildrenFromScreenReaders(this);
    picGraphic_->setAccessibleName(QString::fromUtf8(texts::kSpokenPicture));
    coefficientA_->setAccessibleName(Spoken(QString::fromUtf8(ui::kLabel1.caption)));
    coefficientB_->setAccessibleName(Spoken(QString::fromUtf8(ui::kLabel2.caption)));
    coefficientC_->setAccessibleName(Spoken(QString::fromUtf8(ui::kLabel3.caption)));
    for (QPushButton* button : std::initializer_list<QPushButton*>{
             computeButton_, cmdOption_, calculatorButton_, contactButton_, aboutButton_}) {
        button->setAccessibleName(Spoken(button->text()));
    }
    cmdOption_->setAccessibleDescription(QString::fromUtf8(texts::kSpokenOptionCollapsed));
    const char* meanings[] = {texts::kSpokenDelta, texts::kSpokenRoot1, texts::kSpokenRoot2,
                              texts::kSpokenVertexX, texts::kSpokenVertexY};
    for (size_t i = 0; i < resultLabels_.size(); ++i) {
        resultLabels_[i]->MakeSelectable(QString::fromUtf8(meanings[i]));
    }
    lab_->MakeSelectable(QString::fromUtf8(texts::kSpokenPointer));
}

void frmMain::SetTabOrder() {
    for (size_t i = 1; i < std::size(ui::kTabOrder); ++i) {
        setTabOrder(Child<QWidget>(*ui::kTabOrder[i - 1]), Child<QWidget>(*ui::kTabOrder[i]));
    }
}

}  // namespace quadrello
