// The report beyond the printer: the print preview of the location on display and the PDF of
// every location.
#include "zeft_Dialogs.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"

#include <QDir>
#include <QFileInfo>

namespace zeft {

void TZEFTMainForm::SchemePrintPreviewExecute() {
    if (FServices.PrintPreview && FCurrentLocation)
        FServices.PrintPreview(FCurrentLocation);
}

void TZEFTMainForm::SchemeExportPdfExecute() {
    if (!FServices.ExportPdf)
        return;
    // Beside the schedule file and named after it; without one, after the report's title.
    QString preset = LoadLanguageString(6000) + QStringLiteral(".pdf");
    if (!FCurrentFileName.isEmpty()) {
        const QFileInfo file(FCurrentFileName);
        preset = file.dir().filePath(file.completeBaseName() + QStringLiteral(".pdf"));
    }
    const std::optional<QString> path =
        TDialogs::SaveFileName(this, preset, LoadLanguageString(4062), QStringLiteral("pdf"));
    if (path)
        FServices.ExportPdf(*FLocations, *path);
}

} // namespace zeft
