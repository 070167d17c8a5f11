#include "platform/ScreenReader.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace quadrello::platform {

namespace {

// The role a marked widget is read as; windows so marked show only what is seen of them.
constexpr char kRoleProperty[] = "quadrello.accessibleRole";
constexpr char kDecorationProperty[] = "quadrello.decoration";

bool IsWindowRole(QAccessible::Role role) {
    return role == QAccessible::Window || role == QAccessible::Dialog;
}

class ExposedWidget : public QAccessibleWidget {
  public:
    ExposedWidget(QWidget* widget, QAccessible::Role role) : QAccessibleWidget(widget, role) {}

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
        if (!IsWindowRole(role())) {
            return shown;  // a picture button has nothing inside to read
        }
        const QRect area = widget()->rect();
        for (QWidget* child : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow() && !child->isHidden() &&
                !child->property(kDecorationProperty).toBool() &&
                area.intersects(child->geometry())) {
                shown.append(child);
            }
        }
        return shown;
    }
};

QAccessibleInterface* Factory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    const QVariant role = widget->property(kRoleProperty);
    return role.isValid() ? new ExposedWidget(widget, QAccessible::Role(role.toInt())) : nullptr;
}

// Qt's own factory answers for its classes (a label) before any other, and an interface made
// before the mark (when the window was created) stays cached: either is replaced by ours.
void Mark(QWidget* widget, QAccessible::Role role) {
    static const bool installed = (QAccessible::installFactory(&Factory), true);
    (void)installed;
    widget->setProperty(kRoleProperty, int(role));
    QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(widget);
    if (existing == nullptr || existing->role() != role) {
        if (existing != nullptr) {
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
        }
        QAccessible::registerAccessibleInterface(new ExposedWidget(widget, role));
    }
}

}  // namespace

void HideHiddenChildrenFromScreenReaders(QWidget* window) {
    Mark(window, QAccessible::Window);
}

void ExposeAsDialog(QWidget* window, const QString& name) {
    window->setAccessibleName(name);
    Mark(window, QAccessible::Dialog);
}

void ExposeAsButton(QWidget* widget, const QString& name) {
    widget->setAccessibleName(name);
    Mark(widget, QAccessible::Button);
}

void MarkAsDecoration(QWidget* widget) {
    widget->setProperty(kDecorationProperty, true);
}

void AnnounceFocus(QWidget* window) {
    QAccessibleEvent event(window, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

}  // namespace quadrello::platform
