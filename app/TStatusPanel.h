#pragma once

#include <QFrame>
#include <QString>

namespace zeft {

/// A sunken panel of the status bar that shows one line of text. A text wider than the panel
/// ends in "…" where it is cut, and the whole text is then the panel's tooltip.
class TStatusPanel : public QFrame {
    Q_OBJECT

public:
    explicit TStatusPanel(QWidget* parent = nullptr);

    /// The whole text, as it was set.
    const QString& text() const { return FText; }
    void setText(const QString& text);
    /// What the panel shows of it: the text, or its beginning and "…".
    const QString& ShownText() const { return FShownText; }
    /// Pixels between the frame and the text on the left.
    void SetIndent(int pixels);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect TextRect() const;
    void Elide();

    QString FText;
    QString FShownText;
    int FIndent = 0;
};

} // namespace zeft
