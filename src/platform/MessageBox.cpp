#include "platform/MessageBox.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace quadrello::platform {

namespace {

constexpr int kMinimumBoxWidth = 240;  // pixels: the caption and the title-bar buttons fit

class QtMessageBoxService final : public MessageBoxService {
  public:
    void Show(QWidget* owner, const QString& title, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, owner);
        QPushButton* ok =
            box.addButton(QString::fromUtf8(kMessageBoxOkText), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        // A box as narrow as its short message would cut its caption in the title bar.
        if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
            grid->addItem(
                new QSpacerItem(kMinimumBoxWidth, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                grid->rowCount(), 0, 1, grid->columnCount());
        }
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
