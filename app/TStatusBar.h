#pragma once

#include "zeft_NoStickReason.h"
#include "zeft_RequestOutcome.h"

#include <QWidget>
#include <cstdint>

class QLabel;
class QTimer;

namespace zeft {

class TStatusPanel;

/// The window's status bar: the state of the programming stick on the left, the clock on the
/// right, nine tenths and one tenth of the width.
class TStatusBar : public QWidget {
    Q_OBJECT

public:
    explicit TStatusBar(QWidget* parent);

    /// The status text of the stick's state (0 none, 1 ready, 2 sending with value the
    /// percentage, 3 sent); cause says why there is none.
    /// room: the room of the pending request, if any.
    void ShowConnection(std::uint8_t state, std::int32_t value, const TNoStickCause& cause,
                        const QString& room = {});
    /// How the room's request ended; shown in place of "ready" until the next request.
    void ShowOutcome(const QString& room, TRequestOutcome outcome);
    /// Shows the time now, in the user's short format.
    void ShowTime();

    TStatusPanel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    /// Ticks every second while the window lives.
    QTimer* timCurrentTime = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString FOutcome;
};

} // namespace zeft
