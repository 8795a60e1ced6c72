#include "zeft_ProgramIcon.h"

namespace zeft {

QString ProgramIconResource(int size) {
    return QStringLiteral(":/icon/icon-%1.png").arg(size);
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const int size : ProgramIconSizes)
        icon.addFile(ProgramIconResource(size), QSize(size, size));
    return icon;
}

} // namespace zeft
