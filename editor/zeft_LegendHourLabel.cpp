#include "zeft_LegendHourLabel.h"

#include "zeft_Routines.h"

#include <QLocale>
#include <QTime>

namespace zeft {

QString LegendHourLabel(int hour) {
    return LegendHourLabel(hour, UserShortTimeFormat());
}

QString LegendHourLabel(int hour, const QString& shortTimeFormat) {
    if (hour % 3 != 0)
        return QStringLiteral(".");
    if (hour % 6 != 0)
        return QStringLiteral("|");
    // Minute 1 keeps formats that drop a zero minute from shortening the hour.
    const int hourOfDay = ((hour % 24) + 24) % 24;
    QString label = QLocale().toString(QTime(hourOfDay, 1), shortTimeFormat).left(2);
    if (label.size() == 2 && !(label[1] >= u'0' && label[1] <= u'9'))
        label.truncate(1);
    if (label.size() == 2 && label[0] == u'0')
        label.remove(0, 1);
    if (hour == 24 && label == QStringLiteral("0"))
        label = QStringLiteral("24");
    return label;
}

} // namespace zeft
