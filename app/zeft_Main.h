#pragma once

#include "TScheduleDocument.h"
#include "zeft_NoStickReason.h"
#include "zeft_Template.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QTimer;
class QUndoStack;

namespace zeft {

class TDailyComfortIntervalsSlider;
class TButtonsPanel;
class TDayList;
class TFileNotice;
class TFileWatch;
class TGuidedRunDialog;
class TLocationList;
class TMainMenuBar;
class TOpenFileRegistry;
class TRecoveryStore;
struct TRecoveryCopy;
class TScheduleArea;
class TStatusBar;
class TStatusPanel;
class TTemperatureChooser;
class TTransferLog;
class TTransfers;
class TUSBConnection;
class TZEFTSettings;

/// What the main window needs from the rest of the program; tests pass their own.
struct TMainFormServices {
    /// The settings store; must outlive the window.
    const TZEFTSettings* Settings = nullptr;
    /// Makes the connection thread (not yet started); null runs the window without one.
    std::function<std::unique_ptr<TUSBConnection>()> MakeConnection;
    /// Print the location (null: nothing) or all locations; filled in by the program.
    std::function<void(const THeatingLocation* location)> PrintProfile;
    std::function<void(const THeatingLocations& locations)> PrintAllProfiles;
    /// Show the location in the print preview; write the report of all locations as a PDF.
    std::function<void(const THeatingLocation* location)> PrintPreview;
    std::function<void(const THeatingLocations& locations, const QString& fileName)> ExportPdf;
    std::function<void()> ShowAbout;
    std::function<void()> ShowHelp;
    /// The file named on the command line: opened at start instead of the stored last file.
    std::optional<QString> StartFile;
    /// Where the record of transfers is kept; empty keeps none (sending works unrecorded).
    QString TransferLogPath;
    /// The private folder where the copies of the program register their open files; empty
    /// registers none.
    QString OpenFilesFolder;
    /// Where recovery copies of unsaved changes are kept and found; empty keeps none.
    QString RecoveryFolder;
};

/// Why a save failed, for the line under "Your data cannot be saved.".
QString SaveFailureReason(const TFileOutcome& outcome);

/// The application window: it shows the document (the locations list, the weekly program of
/// the location on display) and commands it, and holds the connection thread and the status
/// bar. What an edit does is the document's business.
class TZEFTMainForm : public TZEFTForm {
    Q_OBJECT

public:
    explicit TZEFTMainForm(TMainFormServices services);
    ~TZEFTMainForm() override;

    // --- state other parts and the tests look at ------------------------------------------
    TScheduleDocument& Document() { return *FDocument; }
    THeatingLocations& Locations() { return FDocument->Locations(); }
    /// The location on display, which the commands act on; a notion of the window.
    THeatingLocation* CurrentLocation() const { return FCurrentLocation; }
    const QString& CurrentFileName() const { return FDocument->FileName(); }
    bool Modified() const { return FDocument->Modified(); }
    QUndoStack& UndoStack() const { return FDocument->UndoStack(); }
    std::uint8_t ConnectionState() const { return FConnectionState; }
    std::int32_t ConnectionValue() const { return FConnectionValue; }
    TUSBConnection* Connection() const { return FConnection.get(); }
    /// The command named name ("FileSave", "SchemeTransmit", ...).
    QAction* Command(const QString& name) const;
    TDailyComfortIntervalsSlider* DayRow(int index) const;
    /// The context menus of the day list and of the locations list while they are open.
    QMenu* DayMenu() const;
    QMenu* LocationMenu() const;
    /// The guided run of several rooms while it is open, else null.
    TGuidedRunDialog* GuidedRun() const { return FGuidedRun; }
    /// The bar about the file outside the window (changed, gone, open elsewhere).
    TFileNotice* FileNotice() const { return FNotice; }

    // --- controls ------------------------------------------------------------------------
    TLocationList* lvLocations = nullptr;
    TScheduleArea* paSchemeConfig = nullptr;
    TDayList* lbDays = nullptr;
    TTemperatureChooser* cmbTemperature = nullptr;
    QPushButton* btnSplitInterval = nullptr;
    QLabel* imgTrashCan = nullptr;
    QLabel* paCurrentSchemeDisplayText = nullptr;
    QPushButton* btnTransmit = nullptr;
    QPushButton* btnClose = nullptr;
    TStatusBar* sbStatus = nullptr;
    TStatusPanel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QTimer* timCurrentTime = nullptr;

    // --- handlers (public so that tests can drive the parts without a window manager) ------
    void RefreshLanguage();
    void SelectSchemeExecute(QListWidgetItem* item);
    void LoadFile(const QString& path);
    void AddTemplateLocation(int templateIndex);
    /// cause: why the state is 0 (no stick), which picks the status text.
    void ConnectionStateChanged(std::uint8_t state, std::int32_t value,
                                const TNoStickCause& cause = {});
    void timCurrentTimeTimer();

    // --- unsaved changes beyond the program's end (zeft_MainRecovery.cpp) -----------------
    /// Offers each recovery copy of a program that has ended: Restore (as unsaved changes of
    /// its file), Discard, or Open later. Nothing while there are unsaved changes here.
    void OfferRecovery();
    /// The program ends unasked (a signal): unsaved changes go into the recovery copy, the
    /// settings are stored, and no prompt of the window follows.
    void KeepForExit();
    /// The session is ending. With unsaved changes, the save prompt is shown as at closing if
    /// mayAsk() (asked only then) allows it; otherwise the recovery copy keeps them. False when
    /// the user cancelled or the save failed: the session should not end.
    bool CommitSession(const std::function<bool()>& mayAsk);
    TRecoveryStore* Recovery() const { return FRecovery.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // creation (zeft_Main.cpp)
    void CreateLayout();
    QWidget* CreateLocationsPanel(QWidget* parent);
    void FormCreate();
    void ConnectDocument();
    bool FormCloseQuery();
    void FormClose();
    /// Shows the errors that arose before the window was shown.
    void ShowPendingMessages();

    // commands, menus and their texts (zeft_MainCommands.cpp)
    void CreateCommands();
    void CreateMenus();
    void ApplyLanguageTexts();
    void SetLanguage(std::uint16_t languageId);
    void UpdateLocationCommands();
    void UpdateFileCommands(int remainingLocations);

    // locations (zeft_MainLocations.cpp)
    void LocationAdded(THeatingLocation* location);
    void LocationRemoving(int index);
    void SchemeRemoveExecute();
    void SchemeDuplicateExecute();
    void lvLocationsChange(QListWidgetItem* item);
    void lvLocationsContextMenu(QPoint pos);
    void ShowNoLocation();
    /// An undone or redone step changed the location: it is shown as if selected.
    void UndoShowLocation(THeatingLocation* location);
    void UndoNameChanged(THeatingLocation* location);

    // files (zeft_MainFiles.cpp)
    void FileOpenExecute();
    void FileSaveExecute();
    void FileSaveAsExecute();
    /// The save prompt before unsaved changes would be lost; true when they may go (saved or
    /// given up), false when the user cancelled or the save failed.
    bool SaveChangesFirst(const QString& caption);
    bool SaveTo(const QString& path);
    void SchemePrintPreviewExecute();
    void SchemeExportPdfExecute();
    /// The file is now the document's (loaded or saved): watched, and registered as open here.
    void FollowFile();
    void FileChangedOutside(TScheduleDocument::TDiskState state);
    void FileReloadExecute();
    /// After the locations were replaced: sorted once, the room shown before shown again.
    void LocationsReplaced();

    // transmission and its record (zeft_MainTransmission.cpp)
    void CreateTransfers();
    void SchemeTransmitExecute();
    void SchemeTransmitCancelExecute();
    void SchemeTransmitSeveralExecute();
    void SchemeRestoreSentExecute();
    void SchemeTransferLogExecute();
    void ShowConnectionStatus();
    /// Every room's mark against the program last sent to it, and the commands that follow.
    void ShowTransferStatus();
    void TransferHeld(const QString& room);

    // recovery copies (zeft_MainRecovery.cpp)
    void CreateRecovery();
    bool RestoreRecoveryCopy(TRecoveryCopy& copy);
    /// The settings, without a dialog if they cannot be stored: nobody may be there to answer.
    void StoreSettingsQuietly();

    TMainFormServices FServices;
    std::unique_ptr<TScheduleDocument> FDocument;
    /// Goes before the document it copies.
    std::unique_ptr<TRecoveryStore> FRecovery;
    /// Ended by a signal: the changes are in the recovery copy; closing asks nothing and leaves
    /// the copy.
    bool FExiting = false;
    /// The session has dealt with the changes, and nothing has changed since: closing, as the
    /// session ends, asks nothing either.
    bool FSessionCommitted = false;
    THeatingLocation* FCurrentLocation = nullptr;
    /// Error messages waiting for the window to be shown (from the start-up).
    QStringList FPendingMessages;
    std::uint8_t FConnectionState = 0;
    std::int32_t FConnectionValue = 0;
    TNoStickCause FConnectionCause;
    bool FStatusKnown = false;
    QString FDialogFilter;
    std::unique_ptr<TTransfers> FTransfers;
    /// The guided run while its dialog is open.
    TGuidedRunDialog* FGuidedRun = nullptr;
    std::unique_ptr<TUSBConnection> FConnection;
    TMainMenuBar* FMenuBar = nullptr;
    TButtonsPanel* FButtons = nullptr;
    TFileNotice* FNotice = nullptr;
    std::unique_ptr<TFileWatch> FWatch;
    std::unique_ptr<TOpenFileRegistry> FOpenFiles;
    /// The room on display while the locations are replaced, by name.
    std::string FReplacedRoom;
};

} // namespace zeft
