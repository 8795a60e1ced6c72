#pragma once

#include "THeatingLocations.h"
#include "undo/TDayEditRecorder.h"
#include "undo/TUndoContext.h"
#include "zeft_NoStickReason.h"
#include "zeft_Template.h"

#include <QIcon>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QBoxLayout;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QScrollArea;
class QTimer;
class QUndoCommand;
class QUndoStack;

namespace zeft {

class TDailyComfortIntervalsSlider;
class TDayList;
enum class TRowKey;
class TSingleComfortIntervalSlider;
class TStatusPanel;
class TTemperatureChooser;
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
};

/// The application window: the locations list, the weekly program of the current location,
/// the menus and commands, the connection thread and the status bar.
class TZEFTMainForm : public TZEFTForm {
    Q_OBJECT

public:
    explicit TZEFTMainForm(TMainFormServices services);
    ~TZEFTMainForm() override;

    // --- state other parts and the tests look at ------------------------------------------
    THeatingLocations& Locations() { return *FLocations; }
    THeatingLocation* CurrentLocation() const { return FCurrentLocation; }
    const QString& CurrentFileName() const { return FCurrentFileName; }
    bool Modified() const { return FModified; }
    std::uint8_t ConnectionState() const { return FConnectionState; }
    std::int32_t ConnectionValue() const { return FConnectionValue; }
    TUSBConnection* Connection() const { return FConnection.get(); }
    /// The command named name ("FileSave", "SchemeTransmit", ...).
    QAction* Command(const QString& name) const;
    TDailyComfortIntervalsSlider* DayRow(int index) const {
        return FDayRows[static_cast<size_t>(index)];
    }
    /// Every change of the schedule is one step on it; its clean state is the state last
    /// loaded or saved.
    QUndoStack& UndoStack() const { return *FUndoStack; }
    /// The context menus of the day list and of the locations list while they are open.
    QMenu* DayMenu() const { return FDayMenu; }
    QMenu* LocationMenu() const { return FLocationMenu; }

    // --- controls ------------------------------------------------------------------------
    QListWidget* lvLocations = nullptr;
    TDayList* lbDays = nullptr;
    TTemperatureChooser* cmbTemperature = nullptr;
    QPushButton* btnSplitInterval = nullptr;
    QLabel* imgTrashCan = nullptr;
    QLabel* paCurrentSchemeDisplayText = nullptr;
    QScrollArea* sbxSliders = nullptr;
    QWidget* paSchemeConfig = nullptr;
    QPushButton* btnTransmit = nullptr;
    QPushButton* btnClose = nullptr;
    QWidget* sbStatus = nullptr;
    TStatusPanel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QTimer* timCurrentTime = nullptr;

    // --- handlers (public so that tests can drive the parts without a window manager) ------
    void ApplyLanguageTexts();
    void RefreshLanguage();
    void ResizeSchemeConfig();
    void SelectSchemeExecute(QListWidgetItem* item);
    void LoadFile(const QString& path);
    void AddTemplateLocation(int templateIndex);
    /// reason: why the state is 0 (no stick), which picks the status text.
    void ConnectionStateChanged(std::uint8_t state, std::int32_t value,
                                TNoStickReason reason = TNoStickReason::NotFound);
    void ShowConnectionStatus();
    void sbStatusResize();
    void timCurrentTimeTimer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // creation
    void CreateCommands();
    void CreateMenus();
    void CreateLayout();
    void CreateDayRows();
    void FillTemperatureChooser();
    QAction* AddCommand(const QString& name, const QKeySequence& shortcut = {});
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    /// Shows the errors that arose before the window was shown.
    void ShowPendingMessages();

    // locations and files
    void LocationAdded(THeatingLocation* location);
    void LocationRemoving(int index);
    void LocationsChanged();
    void SchemeRemoveExecute();
    void lvLocationsSelectItem(QListWidgetItem* item);
    void lvLocationsChange(QListWidgetItem* item);
    void FileOpenExecute();
    void FileSaveExecute();
    void FileSaveAsExecute();
    /// The save prompt before unsaved changes would be lost; true when they may go (saved or
    /// given up), false when the user cancelled or the save failed.
    bool SaveChangesFirst(const QString& caption);
    /// Tells the user that the file at path cannot be read, and why.
    void ReportReadError(const QString& path, const QString& reason);
    bool SaveTo(const QString& path);
    void UpdateFileCommands(int remainingLocations);
    QListWidgetItem* ItemOf(const THeatingLocation* location) const;
    THeatingLocation* LocationOf(const QListWidgetItem* item) const;
    void ShowNoLocation();

    // the schedule area
    void cmbTemperatureSelect(int index);
    void IntervalSliderSelected(TSingleComfortIntervalSlider* slider);
    void DeselectOtherSliders(TSingleComfortIntervalSlider* slider);
    void SplitSingleIntervalExecute();
    bool imgTrashCanDragOver(QWidget* source);
    void imgTrashCanDragDrop(QWidget* source);
    void lbDaysMouseDown(QPoint pos);
    bool lbDaysDragOver(QWidget* source, QPoint pos);
    void lbDaysDragDrop(QWidget* source, QPoint pos);
    void UpdateLocationCommands();
    void ShowTemperatureInChooser(double value);
    bool DeletePeriod(TDailyComfortIntervalsSlider* row, TSingleComfortIntervalSlider* slider);

    // undo and redo (zeft_MainUndo.cpp)
    void CreateUndo();
    /// Connects the rows, the day list and the locations list to the editing beyond the mouse
    /// (undo steps of drags, keys, context menus).
    void ConnectEditing();
    void EditUndoExecute();
    void EditRedoExecute();
    /// A gesture of the mouse is under way: undo and redo wait for its end.
    bool GestureRunning() const;
    /// Takes the displayed location's days before an edit; CommitDayEdit makes the edit one
    /// step (a step with merge id and key merges with the step before it of the same key).
    void BeginDayEdit();
    void CommitDayEdit(int mergeId = -1, const void* mergeKey = nullptr);
    void PushStep(std::unique_ptr<QUndoCommand> step);
    void UndoShowLocation(THeatingLocation* location);
    void UndoNameChanged(THeatingLocation* location);

    // the keyboard in the day rows and the exact-value dialog (zeft_MainKeyboard.cpp)
    void DayRowKey(TDailyComfortIntervalsSlider* row, TRowKey key);
    int RowIndexOf(const TDailyComfortIntervalsSlider* row) const;
    void SelectRowAt(int rowIndex, TTime at);
    void MovePeriodStart(TDailyComfortIntervalsSlider* row, int minutes);
    void StepTemperature(TDailyComfortIntervalsSlider* row, double delta);
    void EditPeriodValues(int rowIndex, int periodIndex);

    // copying days and locations (zeft_MainCopy.cpp)
    void lbDaysContextMenu(QPoint globalPos, int dayIndex);
    void lvLocationsContextMenu(QPoint pos);
    void CopyDayTo(int sourceDay, const std::vector<int>& targetDays);
    void SchemeDuplicateExecute();

    /// The names and descriptions screen readers give the controls (zeft_MainAccessibility.cpp).
    void ApplyAccessibleTexts();

    // the report (zeft_MainReport.cpp)
    void SchemePrintPreviewExecute();
    void SchemeExportPdfExecute();

    // transmission and language
    void SchemeTransmitExecute();
    void SetLanguage(std::uint16_t languageId);

    TMainFormServices FServices;
    std::unique_ptr<THeatingLocations> FLocations;
    THeatingLocation* FCurrentLocation = nullptr;
    QString FCurrentFileName;
    /// The current file could not be read: a plain Save must not overwrite it unasked.
    bool FCurrentFileUnread = false;
    /// Error messages waiting for the window to be shown (from the start-up).
    QStringList FPendingMessages;
    bool FModified = false;
    std::uint8_t FConnectionState = 0;
    std::int32_t FConnectionValue = 0;
    TNoStickReason FConnectionReason = TNoStickReason::NotFound;
    bool FStatusKnown = false;
    std::array<TDailyComfortIntervalsSlider*, 7> FDayRows{};
    int DragDayIndex = -1;
    QString FDialogFilter;
    std::unique_ptr<TUSBConnection> FConnection;
    TUndoContext FUndoContext;
    TDayEditRecorder FDayEdit{FUndoContext};
    /// Destroyed before the locations and the context its steps refer to.
    std::unique_ptr<QUndoStack> FUndoStack;
    QMenu* FDayMenu = nullptr;
    QMenu* FLocationMenu = nullptr;
    QMenu* miFile = nullptr;
    QMenu* miEdit = nullptr;
    QMenu* miScheme = nullptr;
    QMenu* miHelp = nullptr;
    QMenu* miHelpLanguage = nullptr;
    QWidget* paCurrentScheme = nullptr;
    QBoxLayout* FButtonsLayout = nullptr;
    /// The icon of every list item (image index 0), drawn once.
    QIcon FLocationIcon;
    /// Set while a file is read: the list shows the result once, at the end.
    bool FLoading = false;
};

} // namespace zeft
