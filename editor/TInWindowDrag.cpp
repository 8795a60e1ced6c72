#include "TInWindowDrag.h"

#include "TDropTarget.h"
#include "zeft_EditorGeometry.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QWidget>

namespace zeft {

TInWindowDrag::TInWindowDrag(QWidget* source, QPoint pressGlobalPos, int threshold, QObject* parent)
    : QObject(parent), FSource(source), FPressPos(pressGlobalPos), FThreshold(threshold) {
    // Escape cancels a drag, whichever widget has the keyboard.
    qApp->installEventFilter(this);
}

TInWindowDrag::~TInWindowDrag() {
    if (!FFinished) {
        qApp->removeEventFilter(this);
        RestoreCursor();
    }
}

void TInWindowDrag::MouseMove(QPoint globalPos) {
    if (FFinished || !FSource)
        return;
    if (!FStarted) {
        if (!PassedDragThreshold(FPressPos.x(), FPressPos.y(), globalPos.x(), globalPos.y(),
                                 FThreshold))
            return;
        Start();
    }
    TDropTarget* target = TDropTarget::FindAt(FSource->window(), globalPos);
    const bool accepted = target && target->Accepts(FSource, globalPos);
    FAcceptingTarget = accepted ? target->Target() : nullptr;
    ShowCursor(accepted ? DragCursor : Qt::ForbiddenCursor);
}

void TInWindowDrag::Release(QPoint globalPos) {
    if (FFinished)
        return;
    QPointer<QWidget> dropTarget;
    if (FStarted && FSource) {
        TDropTarget* target = TDropTarget::FindAt(FSource->window(), globalPos);
        if (target && target->Accepts(FSource, globalPos)) {
            dropTarget = target->Target();
            target->Drop(FSource, globalPos);
        }
    }
    Finish(dropTarget);
}

void TInWindowDrag::Cancel() {
    if (!FFinished)
        Finish(nullptr);
}

void TInWindowDrag::Start() {
    FStarted = true;
    ShowCursor(Qt::ForbiddenCursor);
}

void TInWindowDrag::Finish(QWidget* target) {
    FFinished = true;
    FAcceptingTarget = nullptr;
    qApp->removeEventFilter(this);
    RestoreCursor();
    // The owner may destroy this drag from its handler, so nothing of it is used afterwards.
    const TEndDragEvent onEndDrag = std::move(OnEndDrag);
    OnEndDrag = nullptr;
    if (onEndDrag)
        onEndDrag(target);
}

void TInWindowDrag::ShowCursor(Qt::CursorShape shape) {
    const QCursor* shown = QApplication::overrideCursor();
    if (!FCursorShown || !shown) {
        QApplication::setOverrideCursor(QCursor(shape));
        FCursorShown = true;
    } else if (shown->shape() != shape) {
        QApplication::changeOverrideCursor(QCursor(shape));
    }
}

void TInWindowDrag::RestoreCursor() {
    if (FCursorShown) {
        QApplication::restoreOverrideCursor();
        FCursorShown = false;
    }
}

bool TInWindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (FStarted && !FFinished && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Cancel();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zeft
