// The main window's locations list: what it shows of the document's locations, and the
// location commands.
#include "TLocationList.h"
#include "TScheduleArea.h"
#include "TTransfers.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Templates.h"

#include <QAction>
#include <QLabel>

namespace zeft {

void TZEFTMainForm::SelectSchemeExecute(QListWidgetItem* item) {
    FCurrentLocation = TLocationList::LocationOf(item);
    if (FCurrentLocation)
        paSchemeConfig->ShowLocation(FCurrentLocation);
    Command(QStringLiteral("SplitSingleInterval"))->setEnabled(false);
    UpdateLocationCommands();
    ShowTransferStatus();
}

void TZEFTMainForm::LocationAdded(THeatingLocation* location) {
    FCurrentLocation = location;
    lvLocations->AddLocation(location);
    if (!FDocument->Loading()) {
        lvLocations->setCurrentItem(lvLocations->ItemOf(location));
        SelectSchemeExecute(lvLocations->ItemOf(location));
    }
    UpdateFileCommands(Locations().Count());
}

void TZEFTMainForm::LocationRemoving(int index) {
    const THeatingLocation* removed = &Locations().Items(index);
    QListWidgetItem* item = lvLocations->ItemOf(removed);
    // The window must never keep showing, printing or transmitting a removed location: the
    // next item of the list takes its place, or the one before the last.
    QListWidgetItem* next = item && removed == FCurrentLocation && !FDocument->Loading()
                                ? lvLocations->Neighbour(item)
                                : nullptr;
    if (removed == FCurrentLocation || removed == paSchemeConfig->Location())
        ShowNoLocation();
    lvLocations->RemoveLocation(removed);
    if (next) {
        lvLocations->setCurrentItem(next);
        SelectSchemeExecute(next);
    }
    UpdateFileCommands(Locations().Count() - 1);
}

void TZEFTMainForm::ShowNoLocation() {
    FCurrentLocation = nullptr;
    paSchemeConfig->ShowLocation(nullptr);
    UpdateLocationCommands();
}

void TZEFTMainForm::AddTemplateLocation(int templateIndex) {
    FDocument->AddLocation(CreateTemplateLocation(templateIndex, LoadLanguageStringUtf8));
}

void TZEFTMainForm::SchemeDuplicateExecute() {
    // Added as a template is: selected and shown.
    if (const THeatingLocation* location = lvLocations->SelectedLocation())
        FDocument->DuplicateLocation(*location);
}

void TZEFTMainForm::SchemeRemoveExecute() {
    if (THeatingLocation* location = lvLocations->SelectedLocation())
        FDocument->RemoveLocation(*location);
}

void TZEFTMainForm::lvLocationsChange(QListWidgetItem* item) {
    // The item's own location is renamed: the edited item is the one on display, and should it
    // ever not be, renaming another location than the one edited would be wrong.
    THeatingLocation* location = TLocationList::LocationOf(item);
    if (!location)
        return;
    const std::string from = location->DisplayText;
    if (FDocument->RenameLocation(*location, item->text().toStdString())) {
        FTransfers->RoomRenamed(FDocument->FileName(), from, location->DisplayText);
        SelectSchemeExecute(item);
    }
}

void TZEFTMainForm::lvLocationsContextMenu(QPoint pos) {
    lvLocations->PopupMenu(
        pos, {Command(QStringLiteral("SchemeDuplicate")), Command(QStringLiteral("SchemeRemove"))});
}

void TZEFTMainForm::UndoShowLocation(THeatingLocation* location) {
    // On display already, the rows of the days changed have rebuilt as after an edit. Another
    // location is shown as if selected in the list: heading, day list and rows.
    if (location == FCurrentLocation)
        return;
    if (QListWidgetItem* item = lvLocations->ItemOf(location)) {
        lvLocations->setCurrentItem(item);
        if (FCurrentLocation != location)
            SelectSchemeExecute(item);
    }
}

void TZEFTMainForm::UndoNameChanged(THeatingLocation* location) {
    // The room's record follows the name back and forth.
    if (const QListWidgetItem* item = lvLocations->ItemOf(location))
        FTransfers->RoomRenamed(FDocument->FileName(), item->text().toStdString(),
                                location->DisplayText);
    lvLocations->ShowName(location);
    if (location == FCurrentLocation)
        paCurrentSchemeDisplayText->setText(QString::fromStdString(location->DisplayText));
    UndoShowLocation(location);
}

} // namespace zeft
