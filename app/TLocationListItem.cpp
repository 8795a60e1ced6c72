#include "TLocationListItem.h"

namespace zeft {

QVariant TLocationListItem::data(int role) const {
    if (role == Qt::ToolTipRole) {
        const QString name = QListWidgetItem::data(Qt::DisplayRole).toString();
        const QString status = QListWidgetItem::data(StatusRole).toString();
        return status.isEmpty() ? name : name + QLatin1Char('\n') + status;
    }
    return QListWidgetItem::data(role);
}

} // namespace zeft
