#include "platform/ScreenReader.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace quadrello::platform {

namespace {

constexpr char kMarker[] = "quadrello.hideHiddenChildren";

// A window as screen readers see it, less the children it keeps hidden.
class ShownChildrenOnly : public QAccessibleWidget {
  public:
    explicit ShownChildrenOnly(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return int(Shown().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> shown = Shown();
        return index >= 0 && index < shown.size()
                   ? QAccessible::queryAccessibleInterface(shown[index])
                   : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr ? -1
                                : int(Shown().indexOf(qobject_cast<QWidget*>(child->object())));
    }

  private:
    QList<QWidget*> Shown() const {
        QList<QWidget*> shown;
        for (QWidget* child : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow() && !child->isHidden()) {
                shown.append(child);
            }
        }
        return shown;
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* window = qobject_cast<QWidget*>(object);
    if (window != nullptr && window->property(kMarker).toBool()) {
        return new ShownChildrenOnly(window);
    }
    return nullptr;
}

}  // namespace

void HideHiddenChildrenFromScreenReaders(QWidget* window) {
    static const bool installed = (QAccessible::installFactory(&Factory), true);
    (void)installed;
    window->setProperty(kMarker, true);
}

}  // namespace quadrello::platform
