#include "AboutTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

#include "platform/Fonts.h"

namespace quadrello::test {

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform knows neither window opacity nor shapes and says so on every call.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (message.contains(QLatin1String("does not support")) ||
        message.contains(QLatin1String("opacity"))) {
        return;
    }
    defaultHandler(type, context, message);
}

class AboutEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        platform::InstallFontSubstitutions();
        defaultHandler = qInstallMessageHandler(&QuietOffscreenWarnings);
    }
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new AboutEnvironment);

void Send(QWidget* widget, QEvent::Type type, QPoint pos, QPoint globalPos, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(pos), QPointF(globalPos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void Send(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    Send(widget, type, pos, widget->mapToGlobal(pos), button, buttons);
}

}  // namespace

QWidget* Control(const frmAbout& about, const char* name) {
    auto* control = about.findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

QImage PictureOf(const frmAbout& about, const char* name) {
    const auto* label = qobject_cast<const QLabel*>(Control(about, name));
    return label == nullptr ? QImage() : label->pixmap().toImage();
}

void MovePointer(QWidget* widget, QPoint pos, Qt::MouseButtons buttons) {
    Send(widget, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

void MovePointerTo(QWidget* widget, QPoint globalPos, Qt::MouseButtons buttons) {
    Send(widget, QEvent::MouseMove, widget->mapFromGlobal(globalPos), globalPos, Qt::NoButton,
         buttons);
}

void PressPointer(QWidget* widget, QPoint pos, Qt::MouseButton button) {
    Send(widget, QEvent::MouseButtonPress, pos, button, button);
}

void ReleasePointer(QWidget* widget, QPoint pos, Qt::MouseButton button) {
    Send(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

void ClickClose(const frmAbout& about) {
    QWidget* close = Control(about, "imgClose");
    PressPointer(close, QPoint(9, 9));
    ReleasePointer(close, QPoint(9, 9));
}

std::vector<int> RunFade(frmAbout& about, int limit) {
    const auto* timer = about.findChild<QTimer*>(QStringLiteral("timFade"));
    std::vector<int> alphas;
    while (timer != nullptr && timer->isActive() && int(alphas.size()) < limit) {
        about.FadeTick();
        alphas.push_back(about.FadeAlpha());
    }
    return alphas;
}

}  // namespace quadrello::test
