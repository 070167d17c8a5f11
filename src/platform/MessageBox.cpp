#include "platform/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace quadrello::platform {

namespace {

class QtMessageBoxService final : public MessageBoxService {
  public:
    void Show(QWidget* owner, const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, owner);
        QPushButton* ok =
            box.addButton(QString::fromUtf8(kMessageBoxOkText), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        box.exec();
    }
};

MessageBoxService* replacement = nullptr;

}  // namespace

void SetMessageBoxService(MessageBoxService* service) {
    replacement = service;
}

void ShowMessage(QWidget* owner, const QString& title, const QString& text) {
    static QtMessageBoxService real;
    (replacement != nullptr ? *replacement : static_cast<MessageBoxService&>(real))
        .Show(owner, title, text);
}

}  // namespace quadrello::platform
