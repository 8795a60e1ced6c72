#include "TDropTarget.h"

#include <QWidget>

namespace zeft {

TDropTarget::TDropTarget(QWidget* target) : QObject(target) {}

TDropTarget& TDropTarget::Register(QWidget* target) {
    Q_ASSERT(target);
    if (TDropTarget* existing = Of(target))
        return *existing;
    return *new TDropTarget(target); // owned by target as its child
}

void TDropTarget::Unregister(QWidget* target) {
    delete Of(target);
}

TDropTarget* TDropTarget::Of(const QWidget* widget) {
    if (!widget)
        return nullptr;
    return widget->findChild<TDropTarget*>(QString(), Qt::FindDirectChildrenOnly);
}

TDropTarget* TDropTarget::FindAt(QWidget* window, QPoint globalPos) {
    if (!window)
        return nullptr;
    const QPoint local = window->mapFromGlobal(globalPos);
    if (!window->rect().contains(local))
        return nullptr;
    QWidget* hit = window->childAt(local);
    for (QWidget* w = hit ? hit : window; w; w = w->parentWidget()) {
        if (TDropTarget* target = Of(w); target && w->isEnabled())
            return target;
        if (w == window)
            break;
    }
    return nullptr;
}

QWidget* TDropTarget::Target() const {
    return static_cast<QWidget*>(parent());
}

bool TDropTarget::Accepts(QWidget* source, QPoint globalPos) const {
    return OnDragOver && OnDragOver(source, Target()->mapFromGlobal(globalPos));
}

void TDropTarget::Drop(QWidget* source, QPoint globalPos) const {
    if (OnDragDrop)
        OnDragDrop(source, Target()->mapFromGlobal(globalPos));
}

} // namespace zeft
