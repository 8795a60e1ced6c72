#pragma once

#include <QFrame>
#include <functional>

class QLabel;
class QPushButton;

namespace zeft {

/// A bar above the schedule about the file outside the window: changed by another program,
/// gone, or open in another copy. It does not stop the work; its buttons answer it.
class TFileNotice : public QFrame {
public:
    explicit TFileNotice(QWidget* parent);

    /// Offers Reload and Keep mine.
    void ShowChanged(const QString& text);
    /// Only to be read: a Close button.
    void ShowInformation(const QString& text);
    /// The texts of the buttons in the interface language.
    void RefreshLanguage();

    QLabel* Text() const { return FText; }
    QPushButton* ReloadButton() const { return FReload; }
    QPushButton* KeepButton() const { return FKeep; }
    QPushButton* CloseButton() const { return FClose; }

    std::function<void()> OnReload;

private:
    void Show(const QString& text, bool changed);

    QLabel* FText;
    QPushButton* FReload;
    QPushButton* FKeep;
    QPushButton* FClose;
};

} // namespace zeft
