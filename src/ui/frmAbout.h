#pragma once

#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdint>

#include "platform/LayeredWindow.h"

class QEventLoop;
class QLabel;

namespace quadrello {

// The About window: borderless, topmost, colour-keyed, 310 × 310 pixels. It fades in when it
// opens and out after a click on its close picture; the modal call returns when it has faded
// out and unloaded. The program has one, created at the first opening and kept with its state.
class frmAbout : public QWidget {
    Q_OBJECT

  public:
    frmAbout();

    static frmAbout& Instance();

    // Opens the window application-modal and returns 0 once it has faded out and unloaded.
    int ShowModal();

    // Loads the window and shows it without waiting; the fade runs from here.
    void Open();

    // Whether the window is showing (from its load to its unload).
    bool IsOpen() const { return isVisible(); }

    // One tick of `timFade`. Public so that the fade can be stepped without a clock.
    void FadeTick();

    int32_t FadeAlpha() const { return fadeAlpha_; }
    int16_t FadeStep() const { return fadeStep_; }
    bool CloseNormal() const { return closeNormal_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void CreateControls();
    void Load();
    void Unload();
    void CloseClicked();
    void CloseEntered();
    void SurfaceEntered();

    QImage background_;
    platform::LayeredWindow layered_;
    QTimer timFade_{this};
    QLabel* lblInfo_ = nullptr;
    QLabel* lblContent_ = nullptr;
    QLabel* imgClose_ = nullptr;
    QLabel* imgC_O_ = nullptr;
    QLabel* imgC_N_ = nullptr;
    QWidget* imaCaption_ = nullptr;

    int16_t fadeStep_ = 0;
    int32_t fadeAlpha_ = 0;
    bool closeNormal_ = false;  // whether a move over the surface has put the pale cross up

    QEventLoop* modalLoop_ = nullptr;  // while ShowModal waits
};

}  // namespace quadrello
