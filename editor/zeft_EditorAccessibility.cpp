#include "zeft_EditorAccessibility.h"

#include "TDailyComfortIntervalsSlider.h"
#include "TSingleComfortIntervalSlider.h"
#include "TSingleHeatingInterval.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"
#include "zeft_TimeText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QTime>

namespace zeft {

namespace {

class TPeriodAccessible : public QAccessibleWidget {
public:
    explicit TPeriodAccessible(TSingleComfortIntervalSlider* control)
        : QAccessibleWidget(control, QAccessible::ListItem) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return PeriodAccessibleName(Control());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.selectable = true;
        state.selected = Control().Selected();
        return state;
    }

private:
    const TSingleComfortIntervalSlider& Control() const {
        return *static_cast<const TSingleComfortIntervalSlider*>(widget());
    }
};

class TDayRowAccessible : public QAccessibleWidget {
public:
    explicit TDayRowAccessible(TDailyComfortIntervalsSlider* row)
        : QAccessibleWidget(row, QAccessible::List) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return DayRowAccessibleName(Row());
        return QAccessibleWidget::text(t);
    }

    // The keys move among the periods while the row keeps the keyboard focus: the current
    // period is the one a screen reader should speak.
    QAccessibleInterface* focusChild() const override {
        if (!widget()->hasFocus())
            return QAccessibleWidget::focusChild();
        TSingleComfortIntervalSlider* current = Row().CurrentSlider();
        return current ? QAccessible::queryAccessibleInterface(current)
                       : QAccessibleWidget::focusChild();
    }

private:
    const TDailyComfortIntervalsSlider& Row() const {
        return *static_cast<const TDailyComfortIntervalsSlider*>(widget());
    }
};

QAccessibleInterface* EditorAccessibleFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String(TSingleComfortIntervalSlider::staticMetaObject.className()))
        return new TPeriodAccessible(static_cast<TSingleComfortIntervalSlider*>(object));
    if (className == QLatin1String(TDailyComfortIntervalsSlider::staticMetaObject.className()))
        return new TDayRowAccessible(static_cast<TDailyComfortIntervalsSlider*>(object));
    return nullptr;
}

} // namespace

void InstallEditorAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&EditorAccessibleFactory);
        return true;
    }();
    (void)installed;
}

QString FormatTimeOfDayForSpeech(double t) {
    if (t < 1.0 - 0.5 / MSecsPerDay)
        return FormatShortTime(t);
    QString format = UserShortTimeFormat();
    if (format.contains(QLatin1Char('a'), Qt::CaseInsensitive))
        return FormatShortTime(t); // 12:00 AM
    static const QRegularExpression hours(QStringLiteral("H+|h+"));
    format.replace(hours, QStringLiteral("'24'"));
    return QLocale().toString(QTime(0, 0), format);
}

QString PeriodAccessibleName(const TSingleComfortIntervalSlider& control) {
    const TSingleHeatingInterval* period = control.Interval();
    if (!period)
        return {};
    const TDailyComfortIntervalsSlider* row = TDailyComfortIntervalsSlider::RowOf(&control);
    const QString day = row ? DayName(row->Day() + 1) : QString();
    const QString name =
        FormatText(LoadLanguageString(TextId::PeriodAccessibleName),
                   {day, FormatTimeOfDayForSpeech(period->Start()),
                    FormatTimeOfDayForSpeech(period->Stop()), period->Temperature().Value()});
    // Without a day the name starts with its times.
    return day.isEmpty() && name.startsWith(QLatin1String(", ")) ? name.mid(2) : name;
}

QString DayRowAccessibleName(const TDailyComfortIntervalsSlider& row) {
    return FormatText(LoadLanguageString(TextId::DayRowAccessibleName), {DayName(row.Day() + 1)});
}

void NotifyAccessibleNameChanged(QWidget* widget) {
    if (!widget || !QAccessible::isActive())
        return;
    QAccessibleEvent event(widget, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void NotifyAccessibleFocus(QWidget* current) {
    // The row keeps the keyboard focus while the keys move among its periods, so the toolkit
    // says nothing of the move; a screen reader has to be told which period has the keys.
    static QPointer<QWidget> announced;
    if (announced == current)
        return;
    announced = current;
    if (!current || !QAccessible::isActive())
        return;
    QAccessibleEvent event(current, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

} // namespace zeft
