#pragma once

#include <QString>

class QWidget;

namespace quadrello::platform {

// The caption of the one button of a message box: the OK of a Chinese desktop.
inline constexpr char kMessageBoxOkText[] = "确定";

// Modal message boxes with one OK button and no icon, replaceable by a recorder in tests.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    // Shows `text` with the caption `title` over `owner` and returns when it is dismissed.
    virtual void Show(QWidget* owner, const QString& title, const QString& text) = 0;
};

// Replaces the service ShowMessage uses; null restores the real message box.
void SetMessageBoxService(MessageBoxService* service);

void ShowMessage(QWidget* owner, const QString& title, const QString& text);

}  // namespace quadrello::platform
