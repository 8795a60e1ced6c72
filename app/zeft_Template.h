#pragma once

#include <QWidget>

namespace zeft {

/// The base of the program's windows: the button-face colour, the window font (Tahoma 8 pt,
/// or the desktop's sans-serif font at the same pixel size) and centred on the screen when
/// first shown.
class TZEFTForm : public QWidget {
    Q_OBJECT

public:
    explicit TZEFTForm(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::Window);

    /// The window font at the given pixel size (11 for the window text).
    static QFont FormFont(int pixelSize, bool bold = false);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool FCentred = false;
};

} // namespace zeft
