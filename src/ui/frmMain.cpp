#include "ui/frmMain.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <string>

#include "Identity.h"
#include "Version.h"
#include "graph/Parabola.h"
#include "graph/PointerReadout.h"
#include "graph/Twips.h"
#include "platform/CheckBox.h"
#include "platform/Fonts.h"
#include "platform/Label.h"
#include "platform/MessageBox.h"
#include "platform/PictureBox.h"
#include "platform/Shell.h"
#include "platform/Topmost.h"
#include "platform/WindowPlacement.h"
#include "platform/WrappingButton.h"
#include "platform/core/AppFolder.h"
#include "platform/core/UserRecord.h"
#include "settings/Settings.h"
#include "settings/Switches.h"
#include "settings/UnsavedMessage.h"
#include "skin/SkinEngine.h"
#include "solver/NumberText.h"
#include "solver/Solver.h"
#include "tray/Tray.h"
#include "tray/TrayIcon.h"
#include "ui/AppIcon.h"
#include "ui/CoefficientBox.h"
#include "ui/Controls.h"
#include "ui/Texts.h"
#include "ui/frmAbout.h"

namespace quadrello {

namespace {

using platform::CheckBox;

constexpr char kSkinFile[] = "skin.ski";

std::string VersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

}  // namespace

frmMain::frmMain()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(QUADRELLO_PRODUCT));
    setFont(platform::DefaultFont());
    setFixedSize(graph::TwipsToPixels(ui::kClientWidth), graph::TwipsToPixels(ui::kClientHeight));
    CreateControls();
    ConnectActions();
    Load();
    platform::CentreOnScreen(this);
    coefficientA_->setFocus();
    coefficientA_->selectAll();  // the focus arrives with the window's activation
}

void frmMain::ConnectActions() {
    for (CoefficientBox* box : {coefficientA_, coefficientB_, coefficientC_}) {
        connect(box, &QLineEdit::returnPressed, this, &frmMain::SolveEquation);
    }
    connect(computeButton_, &QPushButton::clicked, this, &frmMain::SolveEquation);
    connect(cmdOption_, &QPushButton::clicked, this, &frmMain::ToggleOptions);
    connect(picGraphic_, &platform::PictureBox::pointerMoved, this, [this](float x, float y) {
        lab_->SetCaption(QString::fromStdString(PointerCaption(x, y)));
    });

    // A switch's own action first, then its state is read again and stored.
    connect(topmostBox_, &CheckBox::clickAction, this, &frmMain::OnTopmostClick);
    connect(trayBox_, &CheckBox::clickAction, this, &frmMain::OnTrayClick);
    for (const Switch& entry : kSwitches) {
        CheckBox* box = SwitchCheckBox(entry.box);
        connect(box, &CheckBox::clickAction, this,
                [this, &entry, box] { StoreSwitch(entry, box->Value()); });
    }

    connect(calculatorButton_, &QPushButton::clicked, this, &frmMain::StartCalculator);
    connect(contactButton_, &QPushButton::clicked, this, &frmMain::ContactAuthor);
    connect(aboutButton_, &QPushButton::clicked, this, &frmMain::ShowAbout);
}

QMenu* frmMain::TrayMenu() {
    if (mnuTray_ == nullptr) {
        CreateTrayMenu();
        connect(menuContact_, &QAction::triggered, this, &frmMain::ContactAuthor);
        connect(menuAbout_, &QAction::triggered, this, &frmMain::ShowAbout);
        connect(menuExit_, &QAction::triggered, this, &QWidget::close);
    }
    return mnuTray_;
}

void frmMain::Load() {
    SetOuterWidth(ui::kDivider.x1 + ui::kCollapsedExtra);
    const std::string folder = platform::ApplicationFolder();
    skin::SkinAttachEx(platform::ShippedFile(kSkinFile), 0);
    platform::WriteUserRecord(folder, VersionText());
    RestoreSwitches();
}

void frmMain::RestoreSwitches() {
    // One after the other: a changed box runs its click action, which stores its key, before
    // the next key is read. A value that is no state leaves the box as designed.
    restoring_ = true;
    for (const Switch& entry : kSwitches) {
        if (entry.restored) {
            if (const std::optional<int> state = ReadSwitch(entry)) {
                SwitchCheckBox(entry.box)->SetValue(*state);
            }
        }
    }
    restoring_ = false;
}

void frmMain::StoreSwitch(const Switch& entry, int state) {
    const WriteOutcome outcome = WriteSwitch(entry, state);
    // Start-up only writes back what it read: nothing the user chose is lost there.
    if (outcome.Written() || restoring_ || unsavedShown_) {
        return;
    }
    unsavedShown_ = true;
    platform::ShowMessage(this, QString::fromUtf8(texts::kAppTitle),
                          QString::fromStdString(UnsavedSwitchMessage(outcome, ConfigPath())));
}

CheckBox* frmMain::SwitchCheckBox(SwitchBox box) const {
    switch (box) {
        case SwitchBox::WindowTop:
            return topmostBox_;
        case SwitchBox::SetTray:
            return trayBox_;
        case SwitchBox::DrawGraphic:
            return chkDrawGraphic_;
        case SwitchBox::Mark:
            return chkMark_;
        case SwitchBox::RedrawGraphic:
            return chkRedrawGraphic_;
    }
    return nullptr;
}

void frmMain::SetOuterWidth(int twips) {
    setFixedSize(graph::ClientPixelsForOuterTwips(twips), graph::TwipsToPixels(ui::kClientHeight));
}

void frmMain::SolveEquation() {
    const QByteArray a = coefficientA_->text().toUtf8();
    const QByteArray b = coefficientB_->text().toUtf8();
    const QByteArray c = coefficientC_->text().toUtf8();
    const SolveOutcome outcome = SolveTexts(a.toStdString(), b.toStdString(), c.toStdString(),
                                            chkMark_->Value() == CheckBox::kChecked);
    switch (outcome.kind) {
        case SolveOutcome::Kind::Gated:
            return;
        case SolveOutcome::Kind::Message:
            platform::ShowMessage(this, QString::fromUtf8(texts::kAppTitle),
                                  QString::fromStdString(outcome.message));
            return;
        case SolveOutcome::Kind::Result:
            break;
    }
    for (size_t i = 0; i < resultLabels_.size(); ++i) {
        resultLabels_[i]->SetCaption(QString::fromStdString(outcome.labels[i]));
    }
    if (chkDrawGraphic_->Value() == CheckBox::kChecked) {
        picGraphic_->Cls();
        DrawParabola(outcome.solution, *picGraphic_);
    }
    coefficientA_->setFocus(Qt::OtherFocusReason);
    coefficientA_->selectAll();  // also when it had the focus already
}

void frmMain::ToggleOptions() {
    const int widening = graph::TwipsToPixels(ui::kPictureWidening);
    if (cmdOption_->text() == QString::fromUtf8(ui::kOption.caption)) {
        SetOuterWidth(ui::kDivider.x1 + ui::kOpenExtra);
        cmdOption_->setText(QString::fromUtf8(texts::kOptionOpen));
        cmdOption_->setAccessibleDescription(QString::fromUtf8(texts::kSpokenOptionOpen));
        picGraphic_->resize(picGraphic_->width() + widening, picGraphic_->height());
    } else {
        SetOuterWidth(ui::kDivider.x1 + ui::kCollapsedExtra);
        cmdOption_->setText(QString::fromUtf8(ui::kOption.caption));
        cmdOption_->setAccessibleDescription(QString::fromUtf8(texts::kSpokenOptionCollapsed));
        picGraphic_->resize(picGraphic_->width() - widening, picGraphic_->height());
    }
    lab_->Refit();
}

void frmMain::OnTopmostClick() {
    platform::SetTopmost(this, topmostBox_->Value() == CheckBox::kChecked);
}

void frmMain::OnTrayClick() {
    if (trayBox_->Value() == CheckBox::kChecked) {
        EnsureWindowIcon();  // the tray shows the window's icon
        tray::AddTrayIcon(this, TrayMenu());
        tray::SetTrayTip(QString::fromUtf8(tray::kTrayTip));
    } else {
        tray::RemoveTrayIcon();
    }
}

void frmMain::ShowAbout() {
    frmAbout::Instance().ShowModal();
}

void frmMain::ContactAuthor() {
    const QString title = QString::fromUtf8(texts::kAppTitle);
    const QString address = QString::fromUtf8(QUADRELLO_AUTHOR_MAIL);
    const QString link = QStringLiteral("mailto:") + address + QStringLiteral("?subject=") + title +
                         QString::fromUtf8(texts::kFeedbackSubject);
    // Without a mail program the user can still write by hand. The desktop's opener may answer
    // later, from the event loop: by then the window may be gone.
    platform::OpenLink(link, [window = QPointer<frmMain>(this), title, address](bool taken) {
        if (!taken && !window.isNull()) {
            platform::ShowMessage(window, title,
                                  QString::fromUtf8(texts::kNoMailProgram) + address);
        }
    });
}

void frmMain::StartCalculator() {
    if (!platform::StartSystemCalculator()) {
        platform::ShowMessage(this, QString::fromUtf8(texts::kAppTitle),
                              QString::fromUtf8(texts::kNoCalculator));
    }
}

void frmMain::OnResize() {
    // Hidden while minimised only when the icon can bring it back.
    if (trayBox_ != nullptr && trayBox_->Value() == CheckBox::kChecked && isMinimized() &&
        tray::TrayHostAvailable()) {
        hide();
    }
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    OnResize();
}

void frmMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        OnResize();
    }
}

void frmMain::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!iconSet_) {
        QTimer::singleShot(0, this, &frmMain::EnsureWindowIcon);
    }
}

void frmMain::EnsureWindowIcon() {
    if (!iconSet_) {
        iconSet_ = true;
        setWindowIcon(AppIcon());
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    tray::RemoveTrayIcon();
    event->accept();
    emit unloaded();
}

}  // namespace quadrello
