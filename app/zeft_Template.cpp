#include "zeft_Template.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace zeft {

TZEFTForm::TZEFTForm(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(FormFont(11));
}

QFont TZEFTForm::FormFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Tahoma"));
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")))
        font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void TZEFTForm::showEvent(QShowEvent* event) {
    if (!FCentred && isWindow()) {
        FCentred = true;
        if (const QScreen* screen =
                this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}

} // namespace zeft
