#pragma once

#include <QLabel>
#include <functional>

namespace zeft {

/// A caption that works as a link: underlined, in the link colour, with the hand pointer while
/// it has text, and a click slot.
class TLinkPanel : public QLabel {
    Q_OBJECT

public:
    explicit TLinkPanel(QWidget* parent = nullptr);

    /// Sets the caption and the pointer: the hand over a caption, the default over none.
    void SetCaption(const QString& caption);

    /// Runs on a left click released over the panel; an empty slot is skipped.
    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool FPressed = false;
};

} // namespace zeft
