// What screen readers say of the window's controls. The period controls and the day rows name
// themselves (zeft_EditorAccessibility); the texts here follow the interface language.
#include "TDayList.h"
#include "TTemperatureChooser.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Routines.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace zeft {

namespace {

constexpr int ChooserNameId = 4952;
constexpr int BinNameId = 4953;
constexpr int BinDescriptionId = 4954;
constexpr int SplitNameId = 4955;
constexpr int TransmitNameId = 4956;
constexpr int DaysNameId = 4957;
constexpr int LocationsNameId = 4959;

} // namespace

void TZEFTMainForm::ApplyAccessibleTexts() {
    auto text = [](int id) { return LoadLanguageString(id); };
    // The buttons' names begin with their captions, so that what is said matches what is seen.
    auto caption = [this](const char* command) {
        return WithoutAccelerator(Command(QLatin1String(command))->text());
    };
    cmbTemperature->setAccessibleName(text(ChooserNameId));
    imgTrashCan->setAccessibleName(text(BinNameId));
    imgTrashCan->setAccessibleDescription(text(BinDescriptionId));
    btnSplitInterval->setAccessibleName(
        FormatText(text(SplitNameId), {caption("SplitSingleInterval")}));
    btnTransmit->setAccessibleName(FormatText(text(TransmitNameId), {caption("SchemeTransmit")}));
    lbDays->setAccessibleName(text(DaysNameId));
    lvLocations->setAccessibleName(text(LocationsNameId));
}

} // namespace zeft
