#pragma once

#include <QListWidget>
#include <QPointer>
#include <functional>

namespace zeft {

class TInWindowDrag;

/// The day list beside the rows: one item per day, each level with its row, drawn with the
/// day name vertically centred. A press on a day and a move past the system's drag distance
/// start an in-window drag of the list itself, which the list (a drop target) can take to
/// copy a day onto another.
class TDayList : public QListWidget {
    Q_OBJECT

public:
    explicit TDayList(QWidget* parent = nullptr);

    /// Every item gets this height.
    void SetItemHeight(int height);
    int ItemHeight() const { return FItemHeight; }
    /// The index of the item at pos (viewport coordinates), or -1.
    int ItemIndexAt(QPoint pos) const;
    /// A drag of the list is pending or running.
    bool Dragging() const;

    /// Raised on every mouse press, before anything else, with the press position.
    std::function<void(QPoint pos)> OnMouseDown;
    /// The context menu of a day: a right-click on it, or the menu key or Shift+F10 on the
    /// current day. globalPos is where the menu goes.
    std::function<void(QPoint globalPos, int dayIndex)> OnContextMenu;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ContextMenuOfCurrentDay();

    int FItemHeight = 16;
    QPointer<TInWindowDrag> FDrag;
};

} // namespace zeft
