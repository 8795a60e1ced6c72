// Copying a day to other days through the day list's context menu, and duplicating a location.
#include "TDayList.h"
#include "undo/TAddLocationCommand.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>

namespace zeft {

namespace {

struct TDayGroup {
    int TextId;
    std::vector<int> Days;
};

const TDayGroup DayGroups[] = {
    {4911, {0, 1, 2, 3, 4}},       // Monday to Friday
    {4912, {5, 6}},                // Saturday and Sunday
    {4913, {0, 1, 2, 3, 4, 5, 6}}, // All days
};

} // namespace

void TZEFTMainForm::lbDaysContextMenu(QPoint globalPos, int dayIndex) {
    // The platform may deliver the menu key both as a key and as a menu request.
    if (FDayMenu && FDayMenu->isVisible())
        return;
    if (dayIndex < 0 || dayIndex >= 7 || !FCurrentLocation)
        return;
    if (FDayMenu)
        FDayMenu->deleteLater();
    FDayMenu = new QMenu(this);
    FDayMenu->setObjectName(QStringLiteral("lbDaysMenu"));
    QMenu* copyTo = FDayMenu->addMenu(LoadLanguageString(4910));
    copyTo->setObjectName(QStringLiteral("miCopyTo"));
    for (int day = 0; day < 7; ++day) {
        if (day == dayIndex)
            continue;
        QAction* action = copyTo->addAction(DayName(day + 1));
        action->setObjectName(QStringLiteral("CopyToDay%1").arg(day));
        connect(action, &QAction::triggered, this,
                [this, dayIndex, day] { CopyDayTo(dayIndex, {day}); });
    }
    copyTo->addSeparator();
    int group = 0;
    for (const TDayGroup& days : DayGroups) {
        QAction* action = copyTo->addAction(LoadLanguageString(days.TextId));
        action->setObjectName(QStringLiteral("CopyToGroup%1").arg(group++));
        connect(action, &QAction::triggered, this,
                [this, dayIndex, targets = days.Days] { CopyDayTo(dayIndex, targets); });
    }
    FDayMenu->popup(globalPos);
}

void TZEFTMainForm::CopyDayTo(int sourceDay, const std::vector<int>& targetDays) {
    if (!FCurrentLocation || sourceDay < 0 || sourceDay >= 7)
        return;
    BeginDayEdit();
    for (const int day : targetDays)
        if (day != sourceDay && day >= 0 && day < 7)
            FCurrentLocation->Days(day).Assign(FCurrentLocation->Days(sourceDay));
    CommitDayEdit();
    // Shown again as after the drag copy.
    const QList<QListWidgetItem*> selected = lvLocations->selectedItems();
    SelectSchemeExecute(selected.isEmpty() ? nullptr : selected.constFirst());
}

void TZEFTMainForm::lvLocationsContextMenu(QPoint pos) {
    if (QListWidgetItem* item = lvLocations->itemAt(pos))
        lvLocations->setCurrentItem(item);
    if (FLocationMenu)
        FLocationMenu->deleteLater();
    FLocationMenu = new QMenu(this);
    FLocationMenu->setObjectName(QStringLiteral("lvLocationsMenu"));
    FLocationMenu->addAction(Command(QStringLiteral("SchemeDuplicate")));
    FLocationMenu->addAction(Command(QStringLiteral("SchemeRemove")));
    FLocationMenu->popup(lvLocations->viewport()->mapToGlobal(pos));
}

void TZEFTMainForm::SchemeDuplicateExecute() {
    const QList<QListWidgetItem*> selected = lvLocations->selectedItems();
    const THeatingLocation* location =
        selected.isEmpty() ? nullptr : LocationOf(selected.constFirst());
    if (!location)
        return;
    std::unique_ptr<THeatingLocation> copy = location->Clone();
    copy->DisplayText = FLocations->MakeUniqueName(location->DisplayText);
    // Added as a template is: selected and shown.
    PushStep(std::make_unique<TAddLocationCommand>(FUndoContext, std::move(copy)));
}

} // namespace zeft
