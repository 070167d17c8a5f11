#pragma once

// Puts the application's own style back after a test attached a skin, so that no skin reaches
// the next test.

#include <QApplication>
#include <QStyleFactory>

#include "skin/SkinStyle.h"

namespace quadrello::test {

inline void DetachSkin() {
    qApp->setStyleSheet(QString());
    if (auto* skin = qobject_cast<skin::SkinStyle*>(QApplication::style())) {
        QApplication::setStyle(QStyleFactory::create(skin->baseStyle()->name()));
    }
}

}  // namespace quadrello::test
