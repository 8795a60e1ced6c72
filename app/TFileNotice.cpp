#include "TFileNotice.h"

#include "zeft_LanguageResources.h"
#include "zeft_StringIds.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zeft {

TFileNotice::TFileNotice(QWidget* parent)
    : QFrame(parent), FText(new QLabel(this)), FReload(new QPushButton(this)),
      FKeep(new QPushButton(this)), FClose(new QPushButton(this)) {
    setObjectName(QStringLiteral("FileNotice"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xff, 0xf4, 0xce));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    FText->setWordWrap(true);
    FText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* row = new QHBoxLayout(this);
    row->addWidget(FText, 1);
    row->addWidget(FReload);
    row->addWidget(FKeep);
    row->addWidget(FClose);
    QObject::connect(FReload, &QPushButton::clicked, this, [this] {
        hide();
        if (OnReload)
            OnReload();
    });
    QObject::connect(FKeep, &QPushButton::clicked, this, &QWidget::hide);
    QObject::connect(FClose, &QPushButton::clicked, this, &QWidget::hide);
    RefreshLanguage();
    hide();
}

void TFileNotice::RefreshLanguage() {
    FReload->setText(LoadLanguageString(TextId::ReloadFile));
    FKeep->setText(LoadLanguageString(TextId::KeepMine));
    FClose->setText(LoadLanguageString(TextId::Close));
}

void TFileNotice::ShowChanged(const QString& text) {
    Show(text, true);
}

void TFileNotice::ShowInformation(const QString& text) {
    Show(text, false);
}

void TFileNotice::Show(const QString& text, bool changed) {
    FText->setText(text);
    setAccessibleName(text);
    FReload->setVisible(changed);
    FKeep->setVisible(changed);
    FClose->setVisible(!changed);
    show();
}

} // namespace zeft
