#pragma once

#include <QIcon>
#include <QPixmap>

namespace zeft {

/// The program's pictures, drawn in code so that they stay sharp at every display scale.
QPixmap RadiatorPicture(int size); // the location icon (image index 0)
QPixmap TrashCanPicture(int size); // the bin, on a transparent background
QPixmap TransmitPicture(int size); // the transmit button
QPixmap ExitPicture(int size);     // the exit button
QIcon ApplicationIcon();

} // namespace zeft
