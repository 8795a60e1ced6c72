#pragma once

#include <QIcon>
#include <QString>

namespace zeft {

/// The sizes the icon is drawn in, as installed into the icon theme.
inline constexpr int ProgramIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

/// The resource path of the icon drawn for one size (":/icon/icon-48.png").
QString ProgramIconResource(int size);

/// The program's icon, the picture the desktop shows for the program: every drawn size, so
/// that no size is scaled from another.
QIcon ProgramIcon();

} // namespace zeft
