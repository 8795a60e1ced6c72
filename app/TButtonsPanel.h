#pragma once

#include <QWidget>

class QAction;
class QBoxLayout;
class QPushButton;

namespace zeft {

/// The two large buttons under the schedule: transmit and exit. Each shows its command's
/// caption and enabled state and triggers it.
class TButtonsPanel : public QWidget {
public:
    TButtonsPanel(QAction* transmit, QAction* cancel, QAction* exit, QWidget* parent);

    /// While a request is pending the transmit button reads "Cancel" and withdraws it.
    void ShowCancel(bool cancel);

    /// The exit button's right edge sits under 24:00 of day rows rowWidth pixels wide.
    void AlignWithRows(int rowWidth);

    QPushButton* btnTransmit = nullptr;
    QPushButton* btnClose = nullptr;

private:
    void ShowTransmit();

    QBoxLayout* FLayout = nullptr;
    QAction* FTransmit;
    QAction* FCancel;
    bool FShowCancel = false;
};

} // namespace zeft
