// Unsaved changes that outlive the program: the recovery copy, and its offer at the next start.
#include "TLocationList.h"
#include "TRecoveryStore.h"
#include "zeft_Dialogs.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QAction>
#include <QDir>
#include <QLocale>
#include <QUndoStack>
#include <cstdio>

namespace zeft {

namespace {

/// Dates in the interface language: the user's regional format when it is of that language.
QLocale InterfaceLocale() {
    const QLocale regional;
    const TLanguageId language = PrimaryLanguageID(MakeLanguageID(LanguageID, SublanguageID));
    if (LanguageIDFromLocale(regional) != 0 &&
        PrimaryLanguageID(LanguageIDFromLocale(regional)) == language)
        return regional;
    switch (language) {
    case 7:
        return QLocale(QLocale::German, QLocale::Germany);
    case 12:
        return QLocale(QLocale::French, QLocale::France);
    default:
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
}

} // namespace

void TZEFTMainForm::CreateRecovery() {
    if (!FServices.RecoveryFolder.isEmpty())
        FRecovery = std::make_unique<TRecoveryStore>(*FDocument, FServices.RecoveryFolder);
    // A session that went on after all: a change afterwards is asked about at closing again.
    connect(&FDocument->UndoStack(), &QUndoStack::indexChanged, this,
            [this] { FSessionCommitted = false; });
}

void TZEFTMainForm::OfferRecovery() {
    if (!FRecovery || Modified())
        return;
    std::vector<TRecoveryCopy> copies = TRecoveryStore::Orphans(FServices.RecoveryFolder);
    const QLocale locale = InterfaceLocale();
    for (TRecoveryCopy& copy : copies) {
        const QDateTime written = copy.Written.toLocalTime();
        const QString text =
            FormatText(LoadLanguageString(copy.FileName.isEmpty() ? TextId::RecoveryPromptUntitled
                                                                  : TextId::RecoveryPrompt),
                       {QDir::toNativeSeparators(copy.FileName),
                        locale.toString(written.date(), QLocale::LongFormat),
                        locale.toString(written.time(), QLocale::ShortFormat)});
        // Closing the box keeps the copy: only an explicit answer deletes it.
        const int answer = TDialogs::Ask(this, LoadLanguageString(TextId::RecoveryTitle), text,
                                         LoadLanguageString(TextId::RecoveryRestore),
                                         LoadLanguageString(TextId::RecoveryDiscard),
                                         LoadLanguageString(TextId::RecoveryLater));
        if (answer == 1)
            TRecoveryStore::Discard(copy);
        // One window holds one schedule: the other copies wait for the next start.
        if (answer == 0 && RestoreRecoveryCopy(copy))
            return;
    }
}

bool TZEFTMainForm::RestoreRecoveryCopy(TRecoveryCopy& copy) {
    const TFileOutcome outcome = FDocument->Recover(copy.CopyPath, copy.FileName, copy.DiskDigest);
    if (!outcome.Ok()) {
        TDialogs::Message(this, QMessageBox::Critical, LoadLanguageString(TextId::RecoveryTitle),
                          FormatText(LoadLanguageString(TextId::CannotReadFile),
                                     {QDir::toNativeSeparators(copy.CopyPath), outcome.Error}),
                          QMessageBox::Ok);
        return false;
    }
    // As after opening a file: the first room on display, the file watched.
    FollowFile();
    if (lvLocations->count() > 0) {
        lvLocations->setCurrentItem(lvLocations->item(0));
        SelectSchemeExecute(lvLocations->item(0));
    }
    Command(QStringLiteral("FileSave"))->setEnabled(!copy.FileName.isEmpty());
    ShowTransferStatus();
    // The changes are this program's now: the old copy goes once the new one is written.
    if (FRecovery->Flush())
        TRecoveryStore::Discard(copy);
    return true;
}

void TZEFTMainForm::KeepForExit() {
    FExiting = true;
    FDocument->EndDayEdit(); // a drag under way counts as far as it has come
    if (FRecovery)
        FRecovery->Flush();
    StoreSettingsQuietly();
}

bool TZEFTMainForm::CommitSession(const std::function<bool()>& mayAsk) {
    if (Modified() && mayAsk()) {
        if (!SaveChangesFirst(WithoutAccelerator(LoadLanguageString(TextId::FileExit))))
            return false;
        if (FRecovery)
            FRecovery->Remove(); // saved, or given up by the user
    } else if (FRecovery) {
        FRecovery->Flush(); // nobody to ask: the next start offers them
    }
    StoreSettingsQuietly();
    FSessionCommitted = true;
    return true;
}

void TZEFTMainForm::StoreSettingsQuietly() {
    try {
        FormClose();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "zeft: %s\n", error.what());
    }
}

} // namespace zeft
