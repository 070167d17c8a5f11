#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPoint>

#include "ui/frmAbout.h"

namespace quadrello::test {

// Table tests over an About window opened the way the menu opens it.
template <class Row>
class OpenAboutTable : public ::testing::TestWithParam<Row> {
  protected:
    void SetUp() override { about_.Open(); }

    frmAbout about_;
};

// The named control of `about`; fails the test when there is none.
QWidget* Control(const frmAbout& about, const char* name);

// The picture a label holds, for comparing pictures.
QImage PictureOf(const frmAbout& about, const char* name);

// A pointer move over `widget` at `pos` (its own coordinates) with `buttons` held, delivered
// the way the window system delivers it: to the widget, and to its parents as Qt passes it on.
void MovePointer(QWidget* widget, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton);

// The same with the pointer at `globalPos` on the screen, wherever the widget is by then.
void MovePointerTo(QWidget* widget, QPoint globalPos, Qt::MouseButtons buttons);

// A press or release of `button` over `widget` at `pos`.
void PressPointer(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);
void ReleasePointer(QWidget* widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton);

// Left click on imgClose.
void ClickClose(const frmAbout& about);

// Steps the fade until the timer stops (at most `limit` ticks) and returns the opacities the
// ticks went through.
std::vector<int> RunFade(frmAbout& about, int limit = 1000);

}  // namespace quadrello::test
