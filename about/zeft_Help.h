#pragma once

#include "zeft_Template.h"

class QPushButton;
class QTextBrowser;

namespace zeft {

/// The help window: the user manual of the current language, read-only, beside the main window
/// (not modal). Its document and texts are loaded each time it becomes visible.
class TZEFTHelpForm : public TZEFTForm {
    Q_OBJECT

public:
    static inline const QString HelpResource = QStringLiteral("HELPCONTENTSTEXT");
    static constexpr int ClientWidth = 605;
    static constexpr int ClientHeight = 524;
    static constexpr int ButtonPanelHeight = 41;

    explicit TZEFTHelpForm(QWidget* parent = nullptr);

    /// The command HelpContents: shows the window, or brings it to the front when it is already
    /// visible (its document then stays as it was loaded). Throws TResourceNotFound when the
    /// program carries no help document at all.
    void ShowContents();

    void setVisible(bool visible) override;

    QTextBrowser* reHelpContents = nullptr;
    QWidget* paButtons = nullptr;
    QPushButton* btnClose = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void btnCloseClick();
};

} // namespace zeft
