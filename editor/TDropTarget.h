#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace zeft {

/// Makes a widget a target of the in-window drag (TInWindowDrag): while a drag runs, the
/// registered widget under the pointer is asked whether it takes the dragged source, and on
/// the drop it handles it. The registration is a child object of the target widget, so it
/// ends with the widget; any widget of the window can be registered, e.g.
///
///     auto& bin = TDropTarget::Register(imgTrashCan);
///     bin.OnDragOver = [this](QWidget* source, QPoint pos) { return imgTrashCanDragOver(source,
///     pos); }; bin.OnDragDrop = [this](QWidget* source, QPoint pos) { imgTrashCanDragDrop(source,
///     pos); };
///
/// Positions handed to the events are in the target widget's coordinates.
class TDropTarget : public QObject {
    Q_OBJECT

public:
    /// Answers whether the target takes source dropped at pos; an empty slot refuses.
    using TDragOverEvent = std::function<bool(QWidget* source, QPoint pos)>;
    /// Takes source dropped at pos (only after the target accepted it there).
    using TDragDropEvent = std::function<void(QWidget* source, QPoint pos)>;

    /// Registers target; registering a widget twice gives the same registration.
    static TDropTarget& Register(QWidget* target);
    /// Ends the registration of target, if it has one.
    static void Unregister(QWidget* target);
    /// The registration of exactly this widget, or null.
    static TDropTarget* Of(const QWidget* widget);
    /// The innermost registered widget under globalPos in window (the window included), or
    /// null. Hidden widgets and widgets transparent for the mouse are not hit.
    static TDropTarget* FindAt(QWidget* window, QPoint globalPos);

    QWidget* Target() const;

    /// Asks OnDragOver about source at globalPos; false when the slot is empty.
    bool Accepts(QWidget* source, QPoint globalPos) const;
    /// Raises OnDragDrop for source at globalPos, if connected.
    void Drop(QWidget* source, QPoint globalPos) const;

    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

private:
    explicit TDropTarget(QWidget* target);
};

} // namespace zeft
