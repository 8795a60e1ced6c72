#pragma once

#include "zeft_Template.h"

#include <QUrl>
#include <functional>

class QEventLoop;
class QLabel;
class QPushButton;

namespace zeft {

class TLinkPanel;

/// The about box: the logo, the product name with the file version, the support address as a
/// link and a close button. It takes its texts from the current language each time it is shown.
class TZEFTAboutForm : public TZEFTForm {
    Q_OBJECT

public:
    enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

    /// The logo compiled into the program.
    static inline const QString LogoResource = QStringLiteral(":/pictures/OEMLogo.png");
    static constexpr int ProductNameHeight = 75;
    static constexpr int SupportUrlHeight = 41;
    static constexpr int ButtonPanelHeight = 53;

    explicit TZEFTAboutForm(QWidget* parent = nullptr);
    ~TZEFTAboutForm() override;

    /// Shows the box modally and returns when it is closed: mrOk from the close button, mrCancel
    /// from the window's close box or Escape.
    int ShowModal();

    /// Opens a web address in the desktop's browser; tests replace it to watch the request.
    /// Its result is ignored: if the address cannot be opened, nothing is reported.
    std::function<bool(const QUrl& url)> OpenUrl;

    void setVisible(bool visible) override;

    QLabel* imgLogo = nullptr;
    QWidget* paProductName = nullptr;
    QLabel* memProductName = nullptr;
    TLinkPanel* paProductSupportURL = nullptr;
    QWidget* paButton = nullptr;
    QPushButton* btnClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void paProductSupportURLClick();
    void btnCloseClick();

    int FModalResult = mrNone;
    QEventLoop* FModalLoop = nullptr;
};

} // namespace zeft
