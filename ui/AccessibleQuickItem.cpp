#include "AccessibleQuickItem.h"

#include <QQuickItem>
#include <QtQuick/private/qaccessiblequickitem_p.h>
#include <QtQuick/private/qquickitem_p.h>

namespace {

// Qt Quick's own interface for the item, with the disabled state added.
class EnableAwareItem : public QAccessibleQuickItem {
public:
    explicit EnableAwareItem(QQuickItem *item) : QAccessibleQuickItem(item) {
        QObject::connect(item, &QQuickItem::enabledChanged, item, [item] {
            QAccessible::State changed;
            changed.disabled = true;
            QAccessibleStateChangeEvent event(item, changed);
            QAccessible::updateAccessibility(&event);
        });
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleQuickItem::state();
        if (!item()->isEnabled()) {
            state.disabled = true;
            state.focusable = false;
        }
        return state;
    }
};

// Asked before Qt Quick's factory for every class of an item from the most derived one up, so
// it answers for every item the scene makes accessible.
QAccessibleInterface *factory(const QString &, QObject *object) {
    auto *item = qobject_cast<QQuickItem *>(object);
    if (!item || !QQuickItemPrivate::get(item)->isAccessible)
        return nullptr;
    return new EnableAwareItem(item);
}

} // namespace

void AccessibleQuickItem::install() {
    QAccessible::installFactory(factory);
}
