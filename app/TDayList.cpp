#include "TDayList.h"

#include "TInWindowDrag.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zeft {

namespace {

// The toolkit's plain item look: the background (highlighted when selected) and the name on
// one line, 2 pixels from the left edge, vertically centred.
class TDayItemDelegate : public QStyledItemDelegate {
public:
    TDayItemDelegate(TDayList* list) : QStyledItemDelegate(list), FList(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.button());
        painter->setPen(selected ? palette.highlightedText().color()
                                 : palette.buttonText().color());
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data().toString());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), FList->ItemHeight()};
    }

private:
    TDayList* FList;
};

} // namespace

TDayList::TDayList(QWidget* parent) : QListWidget(parent) {
    setItemDelegate(new TDayItemDelegate(this));
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::StrongFocus);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    setPalette(palette);
    viewport()->setCursor(Qt::OpenHandCursor);
}

void TDayList::SetItemHeight(int height) {
    FItemHeight = std::max(1, height);
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(QSize(viewport()->width(), FItemHeight));
    doItemsLayout();
}

int TDayList::ItemIndexAt(QPoint pos) const {
    const QListWidgetItem* hit = itemAt(pos);
    return hit ? row(hit) : -1;
}

bool TDayList::Dragging() const {
    return FDrag && !FDrag->Finished();
}

void TDayList::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown)
        OnMouseDown(event->position().toPoint());
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint())) {
        if (FDrag)
            FDrag->deleteLater();
        FDrag = new TInWindowDrag(this, event->globalPosition().toPoint(),
                                  QApplication::startDragDistance(), this);
        FDrag->DragCursor = Qt::DragCopyCursor;
        TInWindowDrag* drag = FDrag;
        FDrag->OnEndDrag = [drag](QWidget*) { drag->deleteLater(); };
    }
}

void TDayList::mouseMoveEvent(QMouseEvent* event) {
    if (Dragging()) {
        FDrag->MouseMove(event->globalPosition().toPoint());
        return; // the selection follows the drop target, not the button
    }
    QListWidget::mouseMoveEvent(event);
}

void TDayList::mouseReleaseEvent(QMouseEvent* event) {
    if (Dragging()) {
        FDrag->Release(event->globalPosition().toPoint());
        QListWidget::mouseReleaseEvent(event);
        return;
    }
    QListWidget::mouseReleaseEvent(event);
}

void TDayList::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse) {
        ContextMenuOfCurrentDay();
        return;
    }
    // A mouse request arrives through the viewport, in its coordinates.
    const int index = ItemIndexAt(event->pos());
    if (index >= 0 && OnContextMenu)
        OnContextMenu(event->globalPos(), index);
}

void TDayList::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
        (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        event->accept();
        ContextMenuOfCurrentDay();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TDayList::ContextMenuOfCurrentDay() {
    const int index = currentRow();
    if (index < 0 || !OnContextMenu)
        return;
    OnContextMenu(viewport()->mapToGlobal(visualItemRect(item(index)).center()), index);
}

} // namespace zeft
