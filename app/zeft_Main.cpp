// The main window: creation, layout, closing and the document it shows.
#include "zeft_Main.h"

#include "TButtonsPanel.h"
#include "TDailyComfortIntervalsSlider.h"
#include "TDayList.h"
#include "TFileNotice.h"
#include "TFileWatch.h"
#include "TLocationList.h"
#include "TMainMenuBar.h"
#include "TOpenFileRegistry.h"
#include "TRecoveryStore.h"
#include "TScheduleArea.h"
#include "TStatusBar.h"
#include "TTransfers.h"
#include "zeft_Dialogs.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Pictures.h"
#include "zeft_Routines.h"
#include "zeft_Settings.h"
#include "zeft_StringIds.h"
#include "zeft_USBConnection.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <utility>

namespace zeft {

namespace {

int S(double pixels) {
    return ScaledPixels(pixels);
}

QWidget* Panel(QWidget* parent) {
    auto* panel = new QWidget(parent);
    panel->setAutoFillBackground(false);
    return panel;
}

} // namespace

TZEFTMainForm::TZEFTMainForm(TMainFormServices services)
    : FServices(std::move(services)), FDocument(std::make_unique<TScheduleDocument>()),
      FWatch(std::make_unique<TFileWatch>(*FDocument)),
      FOpenFiles(std::make_unique<TOpenFileRegistry>(FServices.OpenFilesFolder)) {
    FWatch->OnDiskChange = [this](TScheduleDocument::TDiskState state) {
        FileChangedOutside(state);
    };
    setObjectName(QStringLiteral("ZEFTMainForm"));
    setWindowIcon(ApplicationIcon());
    CreateCommands();
    CreateMenus();
    CreateLayout();
    ConnectDocument();
    CreateTransfers();
    FormCreate();
    CreateRecovery();
}

TZEFTMainForm::~TZEFTMainForm() {
    // The thread must be gone before the locations it may still be reporting about.
    if (FConnection)
        FConnection->Stop();
    FTransfers->SetConnection(nullptr);
    FConnection.reset();
    // The history empties as the document goes: nothing of the window may follow it then.
    FDocument->UndoStack().disconnect(this);
    // The rows let go of the days before the document takes them away.
    paSchemeConfig->ShowLocation(nullptr);
    FDocument->OnLocationRemoving = nullptr;
}

QAction* TZEFTMainForm::Command(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

TDailyComfortIntervalsSlider* TZEFTMainForm::DayRow(int index) const {
    return paSchemeConfig->DayRow(index);
}

QMenu* TZEFTMainForm::DayMenu() const {
    return paSchemeConfig->DayMenu();
}

QMenu* TZEFTMainForm::LocationMenu() const {
    return lvLocations->Menu();
}

void TZEFTMainForm::CreateLayout() {
    // The client area below the menu: 792 x 432 as designed, which is also its smallest size.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setMinimumSize(S(792), S(432));
    static_cast<QVBoxLayout*>(layout())->addWidget(client, 1);
    auto* root = new QVBoxLayout(client);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    // locations on the left, the schedule on the right, the status bar at the bottom
    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    FNotice = new TFileNotice(client);
    FNotice->OnReload = [this] { FileReloadExecute(); };
    root->addWidget(FNotice);
    root->addLayout(body, 1);
    body->addWidget(CreateLocationsPanel(client));
    auto* paCompleteScheme = Panel(client);
    paCompleteScheme->setObjectName(QStringLiteral("paCompleteScheme"));
    auto* completeLayout = new QVBoxLayout(paCompleteScheme);
    completeLayout->setContentsMargins(0, 0, 0, 0);
    completeLayout->setSpacing(0);
    body->addWidget(paCompleteScheme, 1);
    paSchemeConfig = new TScheduleArea(*FDocument, Command(QStringLiteral("SplitSingleInterval")),
                                       paCompleteScheme);
    completeLayout->addWidget(paSchemeConfig, 1);
    auto* paButtons = new TButtonsPanel(Command(QStringLiteral("SchemeTransmit")),
                                        Command(QStringLiteral("SchemeTransmitCancel")),
                                        Command(QStringLiteral("FileExit")), paCompleteScheme);
    FButtons = paButtons;
    completeLayout->addWidget(paButtons);
    btnTransmit = paButtons->btnTransmit;
    btnClose = paButtons->btnClose;
    lbDays = paSchemeConfig->lbDays;
    cmbTemperature = paSchemeConfig->cmbTemperature;
    btnSplitInterval = paSchemeConfig->btnSplitInterval;
    imgTrashCan = paSchemeConfig->imgTrashCan;
    paCurrentSchemeDisplayText = paSchemeConfig->paCurrentSchemeDisplayText;
    // The exit button's right edge sits under 24:00 of the rows.
    paSchemeConfig->OnRowsResized = [paButtons](int rowWidth) {
        paButtons->AlignWithRows(rowWidth);
    };
    // Tab goes from the day list through the rows, Monday first, to the buttons.
    QWidget* previous = lbDays;
    for (int i = 0; i < 7; ++i) {
        setTabOrder(previous, DayRow(i));
        previous = DayRow(i);
    }
    setTabOrder(previous, btnTransmit);

    sbStatus = new TStatusBar(client);
    StatusPanel0 = sbStatus->StatusPanel0;
    StatusPanel1 = sbStatus->StatusPanel1;
    timCurrentTime = sbStatus->timCurrentTime;
    root->addWidget(sbStatus);
    resize(minimumSizeHint());
}

QWidget* TZEFTMainForm::CreateLocationsPanel(QWidget* parent) {
    auto* paLocations = Panel(parent);
    paLocations->setObjectName(QStringLiteral("paLocations"));
    paLocations->setFixedWidth(S(177));
    auto* locationsLayout = new QVBoxLayout(paLocations);
    locationsLayout->setContentsMargins(0, 0, 0, 0);
    lvLocations = new TLocationList(paLocations);
    locationsLayout->addWidget(lvLocations);
    connect(lvLocations, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = lvLocations->selectedItems();
        if (!selected.isEmpty())
            SelectSchemeExecute(selected.constFirst());
    });
    connect(lvLocations, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { lvLocationsChange(item); });
    connect(lvLocations, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { lvLocationsContextMenu(pos); });
    return paLocations;
}

void TZEFTMainForm::FormCreate() {
    if (FServices.Settings) {
        LanguageID = FServices.Settings->ReadLanguageID();
        SublanguageID = FServices.Settings->ReadSublanguageID();
    }
    ApplyLanguageTexts();
    Command(QStringLiteral("FileSave"))->setEnabled(false);
    FDialogFilter = LoadLanguageString(TextId::FileFilter);

    if (FServices.StartFile) {
        LoadFile(*FServices.StartFile); // named on the command line: instead of the last file
    } else if (FServices.Settings) {
        const QString lastFile = FServices.Settings->ReadLastFile();
        if (!lastFile.isEmpty())
            LoadFile(lastFile);
    }
    if (Locations().Count() == 0)
        for (int i = 1; i <= 9; ++i)
            AddTemplateLocation(i);
    paSchemeConfig->ResizeSchemeConfig();
    if (lvLocations->count() > 0) {
        lvLocations->setCurrentItem(lvLocations->item(0));
        SelectSchemeExecute(lvLocations->item(0));
    }
    FDocument->ForgetHistory(); // the templates of a first start are no steps to undo

    timCurrentTime->start();
    if (FServices.MakeConnection) {
        FConnection = FServices.MakeConnection();
        if (FConnection) {
            FConnection->OnStateChange = [this](std::uint8_t state, std::int32_t value) {
                ConnectionStateChanged(state, value, FConnection->NoStickCause());
            };
            FTransfers->SetConnection(FConnection.get());
            FConnection->start();
        }
    }
}

void TZEFTMainForm::ConnectDocument() {
    FDocument->OnLocationAdded = [this](THeatingLocation* location) { LocationAdded(location); };
    FDocument->OnLocationRemoving = [this](int index) { LocationRemoving(index); };
    FDocument->OnLocationsReplacing = [this] {
        FReplacedRoom = FCurrentLocation ? FCurrentLocation->DisplayText : std::string();
        ShowNoLocation();
        const QSignalBlocker block(lvLocations);
        lvLocations->clear();
        // Sorted once at the end of the load, not at every room added.
        lvLocations->setSortingEnabled(false);
    };
    FDocument->OnLocationsReplaced = [this] { LocationsReplaced(); };
    FDocument->OnProgramRestored = [this](THeatingLocation* location) {
        UndoShowLocation(location);
    };
    FDocument->OnNameRestored = [this](THeatingLocation* location) { UndoNameChanged(location); };
    QUndoStack& history = FDocument->UndoStack();
    QAction* undo = Command(QStringLiteral("EditUndo"));
    QAction* redo = Command(QStringLiteral("EditRedo"));
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(&history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
}

bool TZEFTMainForm::FormCloseQuery() {
    if (!Modified())
        return true;
    const auto answer = TDialogs::Message(this, QMessageBox::Question,
                                          WithoutAccelerator(LoadLanguageString(TextId::FileExit)),
                                          LoadLanguageString(TextId::SaveChangesPrompt),
                                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (answer) {
    case QMessageBox::Yes:
        FileSaveExecute();
        return false;
    case QMessageBox::No:
        return true;
    case QMessageBox::Cancel:
        return false;
    default:
        return true;
    }
}

void TZEFTMainForm::FormClose() {
    if (!FServices.Settings)
        return;
    FServices.Settings->WriteLastFile(FDocument->FileName());
    FServices.Settings->WriteLanguageID(LanguageID);
    FServices.Settings->WriteSublanguageID(SublanguageID);
}

void TZEFTMainForm::closeEvent(QCloseEvent* event) {
    // Ended by a signal (possibly while a prompt was open) or by the session: the changes are
    // dealt with already.
    const bool mayClose = FExiting || FSessionCommitted || FormCloseQuery();
    if (FExiting || FSessionCommitted) {
        event->accept();
        return;
    }
    if (!mayClose) {
        event->ignore();
        return;
    }
    if (FRecovery)
        FRecovery->Remove(); // saved, or given up by the user
    // The save prompt has dealt with the user's data: settings that cannot be stored are
    // reported, and the window closes all the same (refusing would keep it open for ever).
    try {
        FormClose();
    } catch (const TSettingsError& error) {
        TDialogs::Message(this, QMessageBox::Critical, windowTitle(),
                          FormatText(LoadLanguageString(TextId::SettingNotStored),
                                     {error.ValueName(), QDir::toNativeSeparators(error.Store())}),
                          QMessageBox::Ok);
    } catch (const std::exception& error) {
        TDialogs::Message(this, QMessageBox::Critical, windowTitle(),
                          QString::fromUtf8(error.what()), QMessageBox::Ok);
    }
    timCurrentTime->stop();
    if (FConnection)
        FConnection->Stop();
    event->accept();
}

void TZEFTMainForm::timCurrentTimeTimer() {
    sbStatus->ShowTime();
}

} // namespace zeft
