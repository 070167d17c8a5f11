// The main window's controls: names, captions, fonts, places and the hidden tray menu.
#include <QMenu>
#include <QRegularExpression>

#include "graph/Twips.h"
#include "platform/CheckBox.h"
#include "platform/Fonts.h"
#include "platform/Label.h"
#include "platform/LineDecoration.h"
#include "platform/PictureBox.h"
#include "platform/ScreenReader.h"
#include "platform/WindowPlacement.h"
#include "platform/WrappingButton.h"
#include "solver/Solver.h"
#include "ui/Captions.h"
#include "ui/CoefficientBox.h"
#include "ui/MainLayout.h"
#include "ui/ObjectNames.h"
#include "ui/frmMain.h"

namespace quadrello {

namespace {

using graph::TwipsToPixels;
using platform::Label;
using platform::PlaceNamed;

Label* MakeLabel(QWidget* parent, const char* name, const char* caption, const layout::Rect& rect,
                 Label::Sizing sizing, Label::Background background) {
    return PlaceNamed(new Label(QString::fromUtf8(caption), sizing, background, parent), name,
                      rect);
}

Label* StaticLabel(QWidget* parent, const char* name, const char* caption,
                   const layout::Rect& rect) {
    return MakeLabel(parent, name, caption, rect, Label::Sizing::AutoSize,
                     Label::Background::Transparent);
}

CoefficientBox* MakeCoefficientBox(QWidget* parent, const char* name, const layout::Rect& rect) {
    auto* box = PlaceNamed(new CoefficientBox(QString::fromUtf8(captions::kCoefficient), parent),
                           name, rect);
    box->setFont(platform::InputFont(platform::InstalledFace(platform::kSongFace),
                                     layout::kCoefficientFontPixels));
    return box;
}

// Enter presses the focused button, as on the desktops the program comes from.
template <typename Button>
Button* EnterPresses(Button* button) {
    button->setAutoDefault(true);
    return button;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const layout::Rect& rect) {
    return EnterPresses(
        PlaceNamed(new QPushButton(QString::fromUtf8(caption), parent), name, rect));
}

// A caption as a screen reader should say it: without the blanks that space its characters
// out, its colon, and the dots and arrows that only decorate it.
QString Spoken(QString spoken) {
    spoken.remove(QRegularExpression(QStringLiteral("[\\s：.<>]")));
    return spoken;
}

QString Spoken(const char* caption) {
    return Spoken(QString::fromUtf8(caption));
}

platform::CheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* caption,
                                 const layout::Rect& rect, platform::CheckBox::State designState) {
    auto* box = PlaceNamed(new platform::CheckBox(QString::fromUtf8(caption), parent), name, rect);
    box->SetValue(designState);  // before any click action is connected
    return box;
}

void MakeLine(QWidget* parent, const char* name, const layout::Line& line) {
    const QColor colour = QColor::fromRgb(layout::kLineColour);
    auto* widget = new platform::LineDecoration(
        QPoint(TwipsToPixels(line.x1), TwipsToPixels(line.y1)),
        QPoint(TwipsToPixels(line.x2), TwipsToPixels(line.y2)), colour, parent);
    widget->setObjectName(QString::fromUtf8(name));
    platform::MarkAsDecoration(widget);
}

QAction* AddMenuItem(QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(name));
    return action;
}

}  // namespace

void frmMain::CreateControls() {
    CreateMainArea();
    CreateOptionsPanel();
    CreateLines();
    SetTabOrder();
    NameForScreenReaders();
}

void frmMain::CreateMainArea() {
    using S = Label::Sizing;
    using B = Label::Background;
    StaticLabel(this, "Label1", captions::kLabel1, layout::kLabel1);
    coefficientA_ = MakeCoefficientBox(this, names::kCoefficientA, layout::kCoefficientA);
    StaticLabel(this, "Label2", captions::kLabel2, layout::kLabel2);
    coefficientB_ = MakeCoefficientBox(this, names::kCoefficientB, layout::kCoefficientB);
    StaticLabel(this, "Label3", captions::kLabel3, layout::kLabel3);
    coefficientC_ = MakeCoefficientBox(this, names::kCoefficientC, layout::kCoefficientC);
    StaticLabel(this, "Label4", captions::kLabel4, layout::kLabel4);
    Label* result1 = MakeLabel(this, names::kResult1, kFirstRootPrefix, layout::kResult1, S::Fixed,
                               B::Transparent);
    Label* result2 = MakeLabel(this, names::kResult2, kSecondRootPrefix, layout::kResult2, S::Fixed,
                               B::Transparent);
    Label* delta =
        MakeLabel(this, names::kDelta, kDeltaPrefix, layout::kDelta, S::Fixed, B::Opaque);
    StaticLabel(this, "Label6", captions::kLabel6, layout::kLabel6);
    StaticLabel(this, "Label7", captions::kLabel7, layout::kLabel7);
    Label* vertexX = MakeLabel(this, names::kVertexX, "", layout::kVertexX, S::Fixed, B::Opaque);
    StaticLabel(this, "Label8", captions::kLabel8, layout::kLabel8);
    Label* vertexY = MakeLabel(this, names::kVertexY, "", layout::kVertexY, S::Fixed, B::Opaque);
    resultLabels_ = {delta, result1, result2, vertexX, vertexY};
    lab_ = MakeLabel(this, names::kPointer, "", layout::kPointer, S::AutoSize, B::Opaque);
    // The readout's room ends at the divider: beyond it lie the options panel and the edge.
    lab_->SetRoomEnd(TwipsToPixels(layout::kDivider.x1));

    computeButton_ = MakeButton(this, names::kCompute, captions::kCompute, layout::kCompute);
    computeButton_->setFont(platform::FaceFont(platform::InstalledFace(platform::kNewSongFace),
                                               layout::kComputeFontPixels));
    cmdOption_ = EnterPresses(PlaceNamed(
        new platform::WrappingButton(QString::fromUtf8(captions::kOptionCollapsed), this),
        names::kOption, layout::kOption));

    // The box draws its own border; its background is the palette's base colour.
    picGraphic_ = PlaceNamed(new platform::PictureBox(this), names::kPicture, layout::kPicture);
    picGraphic_->setFocusPolicy(Qt::StrongFocus);
}

void frmMain::CreateOptionsPanel() {
    using platform::CheckBox;
    calculatorButton_ =
        MakeButton(this, names::kCalculator, captions::kCalculator, layout::kCalculator);
    topmostBox_ = MakeCheckBox(this, names::kTopmost, captions::kTopmost, layout::kTopmost,
                               CheckBox::kUnchecked);
    trayBox_ =
        MakeCheckBox(this, names::kTray, captions::kTray, layout::kTray, CheckBox::kUnchecked);
    chkDrawGraphic_ = MakeCheckBox(this, names::kDrawGraphic, captions::kDrawGraphic,
                                   layout::kDrawGraphic, CheckBox::kChecked);
    chkMark_ =
        MakeCheckBox(this, names::kMark, captions::kMark, layout::kMark, CheckBox::kUnchecked);
    chkRedrawGraphic_ = MakeCheckBox(this, names::kRedrawGraphic, captions::kRedrawGraphic,
                                     layout::kRedrawGraphic, CheckBox::kUnchecked);
    // Hidden for good: they keep place and state, but nobody sees or clicks them.
    chkMark_->hide();
    chkRedrawGraphic_->hide();
    contactButton_ = MakeButton(this, names::kContact, captions::kContact, layout::kContact);
    aboutButton_ = MakeButton(this, names::kAbout, captions::kAbout, layout::kAbout);
}

void frmMain::CreateLines() {
    MakeLine(this, "分界线", layout::kDivider);
    MakeLine(this, "Line1", layout::kLine1);
    MakeLine(this, "Line2", layout::kLine2);
    MakeLine(this, "Line3", layout::kLine3);
    MakeLine(this, "Line4", layout::kLine4);
    MakeLine(this, "Line5", layout::kLine5);
    MakeLine(this, "Line6", layout::kLine6);
    MakeLine(this, "Line7", layout::kLine7);
}

void frmMain::CreateTrayMenu() {
    mnuTray_ = new QMenu(QString::fromUtf8(captions::kTrayMenu), this);
    mnuTray_->setObjectName(QStringLiteral("mnuTray"));
    // 系统计算器, 配置颜色, 作者主页 and 更多软件 have no action: they only close the menu.
    AddMenuItem(mnuTray_, names::kMenuCalculator, captions::kMenuCalculator);
    AddMenuItem(mnuTray_, names::kMenuColours, captions::kMenuColours);
    AddMenuItem(mnuTray_, names::kMenuHomePage, captions::kMenuHomePage);
    menuContact_ = AddMenuItem(mnuTray_, names::kMenuContact, captions::kMenuContact);
    AddMenuItem(mnuTray_, names::kMenuMoreSoftware, captions::kMenuMoreSoftware);
    menuAbout_ = AddMenuItem(mnuTray_, names::kMenuAbout, captions::kMenuAbout);
    // The caption "-" stands for a separator line; the line is drawn without the text.
    QAction* separator = AddMenuItem(mnuTray_, names::kMenuSeparator, captions::kMenuSeparator);
    separator->setSeparator(true);
    separator->setText(QString());
    menuExit_ = AddMenuItem(mnuTray_, names::kMenuExit, captions::kMenuExit);
}

void frmMain::NameForScreenReaders() {
    // chkMark and chkRedrawGraphic, the lines, and the collapsed panel's controls.
    platform::HideHiddenChildrenFromScreenReaders(this);
    picGraphic_->setAccessibleName(QString::fromUtf8(captions::kSpokenPicture));
    coefficientA_->setAccessibleName(Spoken(captions::kLabel1));
    coefficientB_->setAccessibleName(Spoken(captions::kLabel2));
    coefficientC_->setAccessibleName(Spoken(captions::kLabel3));
    for (QPushButton* button : std::initializer_list<QPushButton*>{
             computeButton_, cmdOption_, calculatorButton_, contactButton_, aboutButton_}) {
        button->setAccessibleName(Spoken(button->text()));
    }
    cmdOption_->setAccessibleDescription(QString::fromUtf8(captions::kSpokenOptionCollapsed));
    const char* meanings[] = {captions::kSpokenDelta, captions::kSpokenRoot1,
                              captions::kSpokenRoot2, captions::kSpokenVertexX,
                              captions::kSpokenVertexY};
    for (size_t i = 0; i < resultLabels_.size(); ++i) {
        resultLabels_[i]->MakeSelectable(QString::fromUtf8(meanings[i]));
    }
    lab_->MakeSelectable(QString::fromUtf8(captions::kSpokenPointer));
}

void frmMain::SetTabOrder() {
    // Labels take no focus, and hidden boxes are passed over, so only these form the chain.
    const std::array<QWidget*, 14> chain = {
        coefficientA_,  coefficientB_, coefficientC_,     computeButton_,   aboutButton_,
        contactButton_, topmostBox_,   calculatorButton_, trayBox_,         chkMark_,
        cmdOption_,     picGraphic_,   chkDrawGraphic_,   chkRedrawGraphic_};
    for (size_t i = 1; i < chain.size(); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
}

}  // namespace quadrello
