#include "TButtonsPanel.h"

#include "zeft_DisplayScale.h"
#include "zeft_Pictures.h"

#include <QAction>
#include <QBoxLayout>
#include <QPushButton>
#include <utility>

namespace zeft {

namespace {

int S(double pixels) {
    return ScaledPixels(pixels);
}

} // namespace

TButtonsPanel::TButtonsPanel(QAction* transmit, QAction* exit, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("paButtons"));
    setFixedHeight(S(69));
    FLayout = new QHBoxLayout(this);
    FLayout->setContentsMargins(0, S(4), S(27), S(8));
    FLayout->setSpacing(S(8));
    FLayout->addStretch(1);
    btnTransmit = new QPushButton(this);
    btnTransmit->setObjectName(QStringLiteral("btnTransmit"));
    btnTransmit->setIcon(TransmitPicture(S(32)));
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setIcon(ExitPicture(S(32)));
    const std::pair<QPushButton*, QAction*> bound[] = {{btnTransmit, transmit}, {btnClose, exit}};
    for (const auto& [button, action] : bound) {
        button->setIconSize(QSize(S(32), S(32)));
        button->setFixedSize(S(200), S(57));
        FLayout->addWidget(button);
        auto sync = [button, action] {
            button->setText(action->text());
            button->setEnabled(action->isEnabled());
        };
        connect(action, &QAction::changed, button, sync);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        sync();
    }
}

void TButtonsPanel::AlignWithRows(int rowWidth) {
    QMargins margins = FLayout->contentsMargins();
    margins.setRight(rowWidth / 25 + S(8));
    FLayout->setContentsMargins(margins);
}

} // namespace zeft
