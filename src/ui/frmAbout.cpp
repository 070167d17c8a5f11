#include "ui/frmAbout.h"

#include <QCloseEvent>
#include <QColor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "Identity.h"
#include "graph/Twips.h"
#include "platform/Fonts.h"
#include "platform/Label.h"
#include "platform/LineBreaks.h"
#include "platform/ScreenReader.h"
#include "platform/Topmost.h"
#include "platform/WindowMove.h"
#include "platform/WindowPlacement.h"

namespace quadrello {

namespace {

using graph::TwipsToPixels;
using platform::Label;

constexpr int kClientTwips = 4650;
constexpr int kFadeIntervalMs = 10;
constexpr int16_t kFadeIn = 5;
constexpr int16_t kFadeOut = -5;

// 宋体 10.5 pt and 楷体_GB2312 21.75 pt at 96 dots per inch.
constexpr int kTextPixels = 14;
constexpr int kTitlePixels = 29;

constexpr char kBackgroundPicture[] = ":/about/background.png";
constexpr char kLogoPicture[] = ":/about/logo.png";
constexpr char kCloseNormalPicture[] = ":/about/close-normal.png";
constexpr char kCloseOverPicture[] = ":/about/close-over.png";

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kBlue = 0x0000FF;
constexpr QRgb kOrange = 0xFF8000;
// The default text colour of a classic desktop. The body of the picture behind it is always
// pale, so the desktop's own text colour (light in a dark scheme) must not take its place.
constexpr QRgb kBlack = 0x000000;

constexpr char kCaptionLabel3[] = "请记住我的名字，这是您对我最大的支持！";
constexpr char kCaptionLabel2[] = QUADRELLO_AUTHOR;
constexpr char kCaptionLabel1[] = QUADRELLO_PRODUCT;
// What a screen reader calls the close picture.
constexpr char kSpokenClose[] = "关闭";

// The paragraph, broken by hand into three lines with an empty line between them.
constexpr char kContent[] =
    "    学一元二次函数和抛物线时，最讨厌的\r\n\r\n"
    "就是算数。最近闲来无事，便编写了这个小\r\n\r\n"
    "程序，希望能给大家带来方便。";
constexpr char kInfo[] = "即时通讯：12345678\r\n电子邮件：" QUADRELLO_AUTHOR_MAIL;

using Place = graph::TwipsRect;
constexpr Place kLabel3{345, 4080, 3990, 210};
constexpr Place kInfoPlace{345, 3405, 4080, 615};
constexpr Place kLabel2{1785, 1395, 1260, 210};
constexpr Place kLabel1{1710, 870, 1860, 435};
constexpr Place kImage1{270, 735, 945, 960};
constexpr Place kCaptionPlace{0, 0, 4170, 480};
constexpr Place kContentPlace{345, 2025, 4020, 1560};
constexpr Place kClosePlace{4230, 150, 270, 270};
constexpr Place kCloseOverPlace{4290, 885, 270, 270};
constexpr Place kCloseNormalPlace{4275, 570, 270, 270};

// The texts keep the CR LF they are defined with.
QString Displayed(const char* text) {
    return platform::WithLfBreaks(QString::fromUtf8(text));
}

// A control of the window. Pointer events over it stay with it: only moves over the picture
// itself count as moves over the window's surface.
template <typename Control>
Control* Placed(Control* control, const char* name, const Place& place) {
    platform::PlaceNamed(control, name, place);
    control->setAttribute(Qt::WA_NoMousePropagation);
    return control;
}

Label* TextLabel(QWidget* parent, const char* name, const Place& place, Label::Sizing sizing,
                 const QFont& font, QRgb colour) {
    auto* label =
        Placed(new Label(QString(), sizing, Label::Background::Transparent, parent), name, place);
    label->setFont(font);
    // Set on the label itself, so that neither a skin nor the desktop's colours paint over it.
    const QString sheet =
        QStringLiteral("background: transparent; color: %1;").arg(QColor(colour).name());
    label->setStyleSheet(sheet);
    return label;
}

QLabel* Picture(QWidget* parent, const char* name, const Place& place, const char* resource) {
    auto* image = Placed(new QLabel(parent), name, place);
    if (resource != nullptr) {
        image->setPixmap(QPixmap(QString::fromLatin1(resource)));
    }
    image->setScaledContents(true);
    image->setStyleSheet(QStringLiteral("background: transparent;"));
    return image;
}

}  // namespace

frmAbout::frmAbout()
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      background_(QString::fromLatin1(kBackgroundPicture)),
      layered_(this) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(TwipsToPixels(kClientTwips), TwipsToPixels(kClientTwips));
    setMouseTracking(true);
    // Transparent where the picture is magenta.
    layered_.SetPicture(background_, platform::kColourKeyMagenta);
    CreateControls();

    timFade_.setObjectName(QStringLiteral("timFade"));
    timFade_.setInterval(kFadeIntervalMs);
    timFade_.setTimerType(Qt::PreciseTimer);
    connect(&timFade_, &QTimer::timeout, this, &frmAbout::FadeTick);
}

void frmAbout::CreateControls() {
    const QFont text = platform::FaceFont(platform::kSongFace, kTextPixels);
    QFont title = platform::FaceFont(platform::kKaiFace, kTitlePixels);
    title.setWeight(QFont::Bold);

    TextLabel(this, "Label3", kLabel3, Label::Sizing::AutoSize, text, kRed)
        ->SetCaption(QString::fromUtf8(kCaptionLabel3));
    lblInfo_ = TextLabel(this, "lblInfo", kInfoPlace, Label::Sizing::Fixed, text, kBlack);
    TextLabel(this, "Label2", kLabel2, Label::Sizing::AutoSize, text, kBlue)
        ->SetCaption(QString::fromUtf8(kCaptionLabel2));
    TextLabel(this, "Label1", kLabel1, Label::Sizing::AutoSize, title, kOrange)
        ->SetCaption(QString::fromUtf8(kCaptionLabel1));
    Picture(this, "Image1", kImage1, kLogoPicture);
    imaCaption_ = Placed(new QWidget(this), "imaCaption", kCaptionPlace);
    new platform::WindowMove(imaCaption_);
    lblContent_ = TextLabel(this, "lblContent", kContentPlace, Label::Sizing::Fixed, text, kBlack);
    imgClose_ = Picture(this, "imgClose", kClosePlace, nullptr);
    imgClose_->setMouseTracking(true);
    imgClose_->installEventFilter(this);
    imgC_O_ = Picture(this, "imgC_O", kCloseOverPlace, kCloseOverPicture);
    imgC_O_->hide();
    imgC_N_ = Picture(this, "imgC_N", kCloseNormalPlace, kCloseNormalPicture);
    imgC_N_->hide();
    // A screen reader reads a dialog named by its title with one button, not the pictures and
    // the drag strip it is made of.
    platform::ExposeAsDialog(this, windowTitle());
    platform::MarkAsDecoration(imaCaption_);
    platform::ExposeAsButton(imgClose_, QString::fromUtf8(kSpokenClose));
}

frmAbout& frmAbout::Instance() {
    // Kept until the program ends; its window goes with the application's.
    static frmAbout* instance = new frmAbout;
    return *instance;
}

int frmAbout::ShowModal() {
    if (IsOpen()) {
        return 0;
    }
    Open();
    QEventLoop loop;
    modalLoop_ = &loop;
    if (IsOpen()) {
        loop.exec();
    }
    modalLoop_ = nullptr;
    return 0;
}

void frmAbout::Open() {
    Load();
    platform::CentreOnScreen(this);
    show();
    activateWindow();
    platform::AnnounceFocus(this);
}

void frmAbout::Load() {
    lblContent_->setText(Displayed(kContent));
    lblInfo_->setText(Displayed(kInfo));
    // Invisible until the fade begins.
    layered_.SetAlpha(0);
    platform::SetTopmost(this, true);
    imgClose_->setPixmap(imgC_N_->pixmap());
    fadeAlpha_ = 0;
    fadeStep_ = kFadeIn;
    timFade_.start();
}

void frmAbout::FadeTick() {
    fadeAlpha_ += fadeStep_;
    layered_.SetAlpha(fadeAlpha_);
    if (fadeAlpha_ >= platform::kOpaqueAlpha || fadeAlpha_ <= 0) {
        timFade_.stop();
    }
    if (fadeAlpha_ <= 0) {
        Unload();
    }
}

void frmAbout::Unload() {
    hide();
}

void frmAbout::CloseClicked() {
    fadeStep_ = kFadeOut;
    timFade_.start();
}

void frmAbout::SurfaceEntered() {
    if (!closeNormal_) {
        closeNormal_ = true;
        imgClose_->setPixmap(imgC_N_->pixmap());
    }
}

void frmAbout::CloseEntered() {
    if (closeNormal_) {
        closeNormal_ = false;
        imgClose_->setPixmap(imgC_O_->pixmap());
    }
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == imgClose_) {
        if (event->type() == QEvent::MouseMove) {
            CloseEntered();
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* release = static_cast<QMouseEvent*>(event);
            if (release->button() == Qt::LeftButton &&
                imgClose_->rect().contains(release->position().toPoint())) {
                CloseClicked();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmAbout::mouseMoveEvent(QMouseEvent* event) {
    SurfaceEntered();
    event->accept();
}

// Escape and the window manager's close (Alt+F4) end the window as its close picture does:
// with the fade-out.
void frmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        CloseClicked();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmAbout::closeEvent(QCloseEvent* event) {
    if (IsOpen() && fadeAlpha_ > 0) {
        event->ignore();
        CloseClicked();
        return;
    }
    QWidget::closeEvent(event);
}

// However the window went (its fade, or a close the window manager sent), the fade stops and
// the modal call returns; the next opening starts from invisible again. Only a minimised
// window stays open.
void frmAbout::hideEvent(QHideEvent* event) {
    if (event->spontaneous()) {  // minimised by the window manager: still open
        QWidget::hideEvent(event);
        return;
    }
    timFade_.stop();
    if (modalLoop_ != nullptr) {
        modalLoop_->quit();
    }
    QWidget::hideEvent(event);
}

void frmAbout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    layered_.PaintPicture(painter);
}

}  // namespace quadrello
