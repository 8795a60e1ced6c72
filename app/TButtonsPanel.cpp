#include "TButtonsPanel.h"

#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Pictures.h"
#include "zeft_StringIds.h"

#include <QAction>
#include <QBoxLayout>
#include <QPushButton>

namespace zeft {

namespace {

int S(double pixels) {
    return ScaledPixels(pixels);
}

} // namespace

TButtonsPanel::TButtonsPanel(QAction* transmit, QAction* cancel, QAction* exit, QWidget* parent)
    : QWidget(parent), FTransmit(transmit), FCancel(cancel) {
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
    for (QPushButton* button : {btnTransmit, btnClose}) {
        button->setIconSize(QSize(S(32), S(32)));
        button->setFixedSize(S(200), S(57));
        FLayout->addWidget(button);
    }
    auto syncClose = [this, exit] {
        btnClose->setText(exit->text());
        btnClose->setEnabled(exit->isEnabled());
    };
    connect(exit, &QAction::changed, btnClose, syncClose);
    connect(btnClose, &QPushButton::clicked, exit, &QAction::trigger);
    syncClose();
    for (QAction* action : {transmit, cancel})
        connect(action, &QAction::changed, btnTransmit, [this] { ShowTransmit(); });
    connect(btnTransmit, &QPushButton::clicked, this,
            [this] { (FShowCancel ? FCancel : FTransmit)->trigger(); });
    ShowTransmit();
}

void TButtonsPanel::ShowCancel(bool cancel) {
    FShowCancel = cancel;
    ShowTransmit();
}

void TButtonsPanel::ShowTransmit() {
    QAction* action = FShowCancel ? FCancel : FTransmit;
    btnTransmit->setText(FShowCancel ? LoadLanguageString(TextId::CancelButton) : action->text());
    btnTransmit->setEnabled(action->isEnabled());
}

void TButtonsPanel::AlignWithRows(int rowWidth) {
    QMargins margins = FLayout->contentsMargins();
    margins.setRight(rowWidth / 25 + S(8));
    FLayout->setContentsMargins(margins);
}

} // namespace zeft
