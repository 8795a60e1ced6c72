// Undo and redo: every change of the schedule is one step on the window's undo stack.
#include "TDailyComfortIntervalsSlider.h"
#include "TDayList.h"
#include "TSingleComfortIntervalSlider.h"
#include "undo/TDayEditCommand.h"
#include "zeft_Main.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QUndoStack>

namespace zeft {

void TZEFTMainForm::CreateUndo() {
    FUndoContext.ShowLocation = [this](THeatingLocation* location) { UndoShowLocation(location); };
    FUndoContext.NameChanged = [this](THeatingLocation* location) { UndoNameChanged(location); };
    FUndoStack = std::make_unique<QUndoStack>();
    QAction* undo = Command(QStringLiteral("EditUndo"));
    QAction* redo = Command(QStringLiteral("EditRedo"));
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(FUndoStack.get(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(FUndoStack.get(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    // Back at the state last loaded or saved, nothing is left to save; away from it again,
    // there is.
    connect(FUndoStack.get(), &QUndoStack::indexChanged, this,
            [this] { FModified = !FUndoStack->isClean(); });
}

bool TZEFTMainForm::GestureRunning() const {
    if (lbDays->Dragging())
        return true;
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        if (row)
            for (const auto& slider : row->Sliders())
                if (slider->ResizingStart() || slider->Dragging())
                    return true;
    return false;
}

void TZEFTMainForm::EditUndoExecute() {
    // A drag changes the day as the pointer moves: the step it makes comes on release.
    if (GestureRunning())
        return;
    FDayEdit.Discard();
    FUndoStack->undo();
}

void TZEFTMainForm::EditRedoExecute() {
    if (GestureRunning())
        return;
    FDayEdit.Discard();
    FUndoStack->redo();
}

void TZEFTMainForm::BeginDayEdit() {
    FDayEdit.Begin(FCurrentLocation);
}

void TZEFTMainForm::CommitDayEdit(int mergeId, const void* mergeKey) {
    if (std::unique_ptr<TDayEditCommand> step = FDayEdit.Commit(mergeId, mergeKey))
        PushStep(std::move(step));
}

void TZEFTMainForm::PushStep(std::unique_ptr<QUndoCommand> step) {
    FUndoStack->push(step.release());
}

void TZEFTMainForm::UndoShowLocation(THeatingLocation* location) {
    // On display already, the rows of the days changed have rebuilt as after an edit. Another
    // location is shown as if selected in the list: heading, day list and rows.
    if (location == FCurrentLocation)
        return;
    QListWidgetItem* item = ItemOf(location);
    if (!item)
        return;
    lvLocations->setCurrentItem(item);
    if (FCurrentLocation != location)
        SelectSchemeExecute(item);
}

void TZEFTMainForm::UndoNameChanged(THeatingLocation* location) {
    if (QListWidgetItem* item = ItemOf(location)) {
        const QSignalBlocker block(lvLocations); // the list's text follows; no rename
        item->setText(QString::fromStdString(location->DisplayText));
        lvLocations->sortItems();
    }
    if (location == FCurrentLocation)
        paCurrentSchemeDisplayText->setText(QString::fromStdString(location->DisplayText));
    UndoShowLocation(location);
}

} // namespace zeft
