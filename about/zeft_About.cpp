#include "zeft_About.h"

#include "TLinkPanel.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QDesktopServices>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

namespace zeft {

namespace {

// The box as designed, before the logo sets its size.
constexpr int DesignedWidth = 602;
constexpr int DesignedHeight = 335;
constexpr int ProductNameMargin = 16;
constexpr int CloseButtonWidth = 75;
constexpr int CloseButtonHeight = 25;
constexpr int CloseButtonTop = 14;
constexpr int CloseButtonRightMargin = 12;

} // namespace

TZEFTAboutForm::TZEFTAboutForm(QWidget* parent)
    : TZEFTForm(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      OpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("ZEFTAboutForm"));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    paProductName = new QWidget(this);
    paProductName->setObjectName(QStringLiteral("paProductName"));
    paProductName->setFont(FormFont(16));
    // A label cannot take the focus or be edited, as the product line must not.
    memProductName = new QLabel(paProductName);
    memProductName->setObjectName(QStringLiteral("memProductName"));
    memProductName->setAlignment(Qt::AlignCenter);
    memProductName->setWordWrap(true);
    memProductName->setTextFormat(Qt::PlainText);
    memProductName->setTextInteractionFlags(Qt::NoTextInteraction);
    memProductName->setFocusPolicy(Qt::NoFocus);

    paProductSupportURL = new TLinkPanel(this);
    paProductSupportURL->setObjectName(QStringLiteral("paProductSupportURL"));
    QFont linkFont = FormFont(11);
    linkFont.setUnderline(true);
    paProductSupportURL->setFont(linkFont);
    paProductSupportURL->OnClick = [this] { paProductSupportURLClick(); };

    paButton = new QWidget(this);
    paButton->setObjectName(QStringLiteral("paButton"));
    btnClose = new QPushButton(paButton);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setDefault(true);
    connect(btnClose, &QPushButton::clicked, this, [this] { btnCloseClick(); });

    setFixedSize(DesignedWidth, DesignedHeight);
}

TZEFTAboutForm::~TZEFTAboutForm() {
    if (FModalLoop)
        FModalLoop->quit();
}

int TZEFTAboutForm::ShowModal() {
    if (FModalLoop)
        return mrNone; // already showing
    FModalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    show();
    const QPointer<TZEFTAboutForm> alive(this);
    if (isVisible()) {
        QEventLoop loop;
        FModalLoop = &loop;
        loop.exec(QEventLoop::DialogExec);
    }
    if (!alive)
        return mrCancel;
    FModalLoop = nullptr;
    return FModalResult == mrNone ? mrCancel : FModalResult;
}

void TZEFTAboutForm::setVisible(bool visible) {
    if (visible && !isVisible())
        FormShow();
    TZEFTForm::setVisible(visible);
}

void TZEFTAboutForm::FormShow() {
    setWindowTitle(FormatText(LoadLanguageString(TextId::AboutTitle),
                              {LoadLanguageString(TextId::ProductName)}));

    const QPixmap logo(LogoResource);
    imgLogo->setPixmap(logo);
    // Without its logo the box keeps its designed width rather than shrinking to nothing.
    const int width = logo.isNull() ? DesignedWidth : logo.width();
    const int logoHeight = logo.isNull() ? 0 : logo.height();
    setFixedSize(width, logoHeight + ProductNameHeight + SupportUrlHeight + ButtonPanelHeight);
    imgLogo->setGeometry(0, 0, width, logoHeight);
    paProductName->setGeometry(0, logoHeight, width, ProductNameHeight);
    memProductName->setGeometry(ProductNameMargin, ProductNameMargin, width - 2 * ProductNameMargin,
                                ProductNameHeight - 2 * ProductNameMargin);
    paProductSupportURL->setGeometry(0, logoHeight + ProductNameHeight, width, SupportUrlHeight);
    paButton->setGeometry(0, logoHeight + ProductNameHeight + SupportUrlHeight, width,
                          ButtonPanelHeight);
    btnClose->setGeometry(width - CloseButtonRightMargin - CloseButtonWidth, CloseButtonTop,
                          CloseButtonWidth, CloseButtonHeight);

    memProductName->setText(FormatText(LoadLanguageString(TextId::AboutProductLine),
                                       {LoadLanguageString(TextId::ProductName),
                                        GetVersionInfoValue(QStringLiteral("FileVersion"))}));
    paProductSupportURL->SetCaption(FormatText(LoadLanguageString(TextId::AboutSupportLine),
                                               {LoadLanguageString(TextId::SupportAddress)}));
    btnClose->setText(LoadLanguageString(TextId::Close));
    btnClose->setFocus();
}

void TZEFTAboutForm::paProductSupportURLClick() {
    if (paProductSupportURL->text().isEmpty())
        return;
    const QString address = LoadLanguageString(TextId::SupportAddress).trimmed();
    // An empty address would open an empty browser window, or nothing at all.
    if (address.isEmpty() || !OpenUrl)
        return;
    OpenUrl(QUrl::fromUserInput(address));
}

void TZEFTAboutForm::btnCloseClick() {
    FModalResult = mrOk;
    close();
}

void TZEFTAboutForm::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        FModalResult = mrCancel;
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btnClose->click();
        return;
    default:
        TZEFTForm::keyPressEvent(event);
    }
}

void TZEFTAboutForm::hideEvent(QHideEvent* event) {
    TZEFTForm::hideEvent(event);
    if (FModalLoop)
        FModalLoop->quit();
}

} // namespace zeft
