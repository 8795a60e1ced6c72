#include "zeft_PrintCommands.h"

#include "TPrinterSetupDialog.h"
#include "zeft_Print.h"

namespace zeft {

bool SchemePrintRun(TZEFTPrintProfiles& printProfiles, QWidget* parent,
                    const THeatingLocation* currentLocation) {
    if (!currentLocation)
        return false;
    TPrinterSetupDialog dlgPrinterSetup(printProfiles.RvSystem.Printer());
    if (!dlgPrinterSetup.Execute(parent))
        return false;
    return printProfiles.PrintProfile(currentLocation, dlgPrinterSetup.PrinterName());
}

bool SchemePrintAllRun(TZEFTPrintProfiles& printProfiles, QWidget* parent,
                       const THeatingLocations& locations) {
    TPrinterSetupDialog dlgPrinterSetup(printProfiles.RvSystem.Printer());
    if (!dlgPrinterSetup.Execute(parent))
        return false;
    printProfiles.PrintAllProfiles(locations, dlgPrinterSetup.PrinterName());
    return true;
}

} // namespace zeft
