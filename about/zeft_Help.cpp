#include "zeft_Help.h"

#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>

namespace zeft {

namespace {

constexpr int Margin = 8;
constexpr int CloseButtonWidth = 75;
constexpr int CloseButtonHeight = 25;

} // namespace

TZEFTHelpForm::TZEFTHelpForm(QWidget* parent)
    : TZEFTForm(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("ZEFTHelpForm"));
    setFixedSize(ClientWidth, ClientHeight);

    reHelpContents = new QTextBrowser(this);
    reHelpContents->setObjectName(QStringLiteral("reHelpContents"));
    reHelpContents->setGeometry(Margin, Margin, ClientWidth - 2 * Margin,
                                ClientHeight - ButtonPanelHeight - 2 * Margin);
    reHelpContents->setReadOnly(true);
    reHelpContents->setFrameShape(QFrame::NoFrame);
    reHelpContents->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    reHelpContents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    reHelpContents->setLineWrapMode(QTextEdit::WidgetWidth);
    // The manual has no links to follow; a click must never replace the document.
    reHelpContents->setOpenLinks(false);
    QPalette palette = reHelpContents->palette();
    palette.setColor(QPalette::Base, this->palette().color(QPalette::Window));
    reHelpContents->setPalette(palette);

    paButtons = new QWidget(this);
    paButtons->setObjectName(QStringLiteral("paButtons"));
    paButtons->setGeometry(0, ClientHeight - ButtonPanelHeight, ClientWidth, ButtonPanelHeight);
    btnClose = new QPushButton(paButtons);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    btnClose->setGeometry(ClientWidth - Margin - CloseButtonWidth, Margin, CloseButtonWidth,
                          CloseButtonHeight);
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });
}

void TZEFTHelpForm::ShowContents() {
    show();
    raise();
    activateWindow();
}

void TZEFTHelpForm::setVisible(bool visible) {
    if (visible && !isVisible())
        FormShow();
    TZEFTForm::setVisible(visible);
}

void TZEFTHelpForm::FormShow() {
    setWindowTitle(WithoutAccelerator(LoadLanguageString(TextId::MenuHelp)));
    // The documents are HTML, which the text browser shows as rich text.
    const std::unique_ptr<QByteArray> document = LoadLanguageResource(HelpResource);
    if (document)
        reHelpContents->setHtml(QString::fromUtf8(*document));
    else
        reHelpContents->clear();
    btnClose->setText(LoadLanguageString(TextId::Close));
}

void TZEFTHelpForm::btnCloseClick() {
    close();
}

void TZEFTHelpForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    TZEFTForm::keyPressEvent(event);
}

} // namespace zeft
