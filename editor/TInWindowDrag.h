#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

class QWidget;

namespace zeft {

/// One drag-and-drop inside the window, driven by the mouse events its source forwards.
///
/// The source makes it on a button press and forwards the moves and the release it receives
/// (Qt sends them to the pressed widget until the button comes up). The drag is pending until
/// the pointer has moved `threshold` pixels from the press point; from then on the registered
/// drop target under the pointer (TDropTarget) is asked on every move whether it takes the
/// source, and the cursor shows the answer. On release the drop goes to the target that
/// accepts it there; then OnEndDrag reports that target, or null when the button came up
/// before the threshold, over no accepting target, or when Escape cancelled the drag.
/// Everything happens in the window: no system drag-and-drop, so synthetic events drive it.
class TInWindowDrag : public QObject {
    Q_OBJECT

public:
    /// The drag has ended; target is the widget that took the drop, or null.
    using TEndDragEvent = std::function<void(QWidget* target)>;

    TInWindowDrag(QWidget* source, QPoint pressGlobalPos, int threshold, QObject* parent = nullptr);
    /// Ends a drag that is still running without raising OnEndDrag (its source is going away).
    ~TInWindowDrag() override;

    QWidget* Source() const { return FSource; }
    /// The pointer has passed the threshold.
    bool Started() const { return FStarted; }
    /// The drag has ended (dropped, refused or cancelled); it does nothing more.
    bool Finished() const { return FFinished; }
    /// The target that accepted the source at the last pointer position, or null.
    QWidget* AcceptingTarget() const { return FAcceptingTarget; }

    /// The cursor over a target that accepts (the forbidden cursor shows elsewhere).
    Qt::CursorShape DragCursor = Qt::DragMoveCursor;
    /// Raised once when the drag ends, as the last thing the drag does.
    TEndDragEvent OnEndDrag;

    /// The pointer moved to globalPos with the button held.
    void MouseMove(QPoint globalPos);
    /// The button came up at globalPos.
    void Release(QPoint globalPos);
    /// Ends the drag without a target.
    void Cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Start();
    void Finish(QWidget* target);
    void ShowCursor(Qt::CursorShape shape);
    void RestoreCursor();

    QPointer<QWidget> FSource;
    QPoint FPressPos;
    int FThreshold;
    bool FStarted = false;
    bool FFinished = false;
    bool FCursorShown = false;
    QPointer<QWidget> FAcceptingTarget;
};

} // namespace zeft
