// The main window: creation, layout, menus, closing, status bar and clock.
#include "zeft_Main.h"

#include "TDailyComfortIntervalsSlider.h"
#include "TDayList.h"
#include "TDropTarget.h"
#include "TStatusPanel.h"
#include "TTemperatureChooser.h"
#include "zeft_Dialogs.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Pictures.h"
#include "zeft_Routines.h"
#include "zeft_Settings.h"
#include "zeft_USBConnection.h"

#include <QAction>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTime>
#include <QTimer>
#include <QUndoStack>

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

TZEFTMainForm::TZEFTMainForm(TMainFormServices services) : FServices(std::move(services)) {
    setObjectName(QStringLiteral("ZEFTMainForm"));
    setWindowIcon(ApplicationIcon());
    CreateCommands();
    CreateMenus();
    CreateLayout();
    CreateUndo();
    FormCreate();
    ConnectEditing();
}

TZEFTMainForm::~TZEFTMainForm() {
    // The thread must be gone before the locations it may still be reporting about.
    if (FConnection)
        FConnection->Stop();
    FConnection.reset();
    for (TDailyComfortIntervalsSlider* row : FDayRows)
        if (row)
            row->SetIntervals(nullptr);
}

QAction* TZEFTMainForm::Command(const QString& name) const {
    return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

QAction* TZEFTMainForm::AddCommand(const QString& name, const QKeySequence& shortcut) {
    auto* action = new QAction(this);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    addAction(action);
    return action;
}

void TZEFTMainForm::CreateCommands() {
    connect(AddCommand(QStringLiteral("FileOpen"), QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] { FileOpenExecute(); });
    connect(AddCommand(QStringLiteral("FileSave"), QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, [this] { FileSaveExecute(); });
    connect(
        AddCommand(QStringLiteral("FileSaveAs"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)),
        &QAction::triggered, this, [this] { FileSaveAsExecute(); });
    connect(AddCommand(QStringLiteral("FileExit"), QKeySequence(Qt::CTRL | Qt::Key_Q)),
            &QAction::triggered, this, [this] { close(); });
    connect(AddCommand(QStringLiteral("SchemeAdd")), &QAction::triggered, this,
            [this] { AddTemplateLocation(0); });
    for (int i = 1; i <= 9; ++i)
        connect(AddCommand(QStringLiteral("SchemeAddTemplate%1").arg(i)), &QAction::triggered, this,
                [this, i] { AddTemplateLocation(i); });
    connect(AddCommand(QStringLiteral("EditUndo"), QKeySequence(Qt::CTRL | Qt::Key_Z)),
            &QAction::triggered, this, [this] { EditUndoExecute(); });
    QAction* redo = AddCommand(QStringLiteral("EditRedo"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, this, [this] { EditRedoExecute(); });
    connect(AddCommand(QStringLiteral("SchemeDuplicate"), QKeySequence(Qt::CTRL | Qt::Key_D)),
            &QAction::triggered, this, [this] { SchemeDuplicateExecute(); });
    connect(AddCommand(QStringLiteral("SchemeRemove")), &QAction::triggered, this,
            [this] { SchemeRemoveExecute(); });
    connect(AddCommand(QStringLiteral("SchemePrint"), QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, [this] {
                if (FServices.PrintProfile && FCurrentLocation)
                    FServices.PrintProfile(FCurrentLocation);
            });
    connect(AddCommand(QStringLiteral("SchemePrintAll")), &QAction::triggered, this, [this] {
        if (FServices.PrintAllProfiles)
            FServices.PrintAllProfiles(*FLocations);
    });
    connect(AddCommand(QStringLiteral("SchemePrintPreview"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)),
            &QAction::triggered, this, [this] { SchemePrintPreviewExecute(); });
    connect(AddCommand(QStringLiteral("SchemeExportPdf"), QKeySequence(Qt::CTRL | Qt::Key_E)),
            &QAction::triggered, this, [this] { SchemeExportPdfExecute(); });
    connect(AddCommand(QStringLiteral("SchemeTransmit"), QKeySequence(Qt::CTRL | Qt::Key_T)),
            &QAction::triggered, this, [this] { SchemeTransmitExecute(); });
    connect(AddCommand(QStringLiteral("SelectScheme")), &QAction::triggered, this,
            [this] { SelectSchemeExecute(lvLocations->currentItem()); });
    connect(AddCommand(QStringLiteral("SplitSingleInterval")), &QAction::triggered, this,
            [this] { SplitSingleIntervalExecute(); });
    connect(AddCommand(QStringLiteral("HelpContents"), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, [this] {
                if (FServices.ShowHelp)
                    FServices.ShowHelp();
            });
    connect(AddCommand(QStringLiteral("HelpAbout")), &QAction::triggered, this, [this] {
        if (FServices.ShowAbout)
            FServices.ShowAbout();
    });
    connect(AddCommand(QStringLiteral("HelpLanguageGerman")), &QAction::triggered, this,
            [this] { SetLanguage(MakeLanguageID(7, 1)); });
    connect(AddCommand(QStringLiteral("HelpLanguageEnglish")), &QAction::triggered, this,
            [this] { SetLanguage(MakeLanguageID(9, 1)); });
    connect(AddCommand(QStringLiteral("HelpLanguageFrench")), &QAction::triggered, this,
            [this] { SetLanguage(MakeLanguageID(12, 1)); });
    // Until the stick reports ready there is nothing to transmit to.
    Command(QStringLiteral("SchemeTransmit"))->setEnabled(false);
}

void TZEFTMainForm::CreateMenus() {
    auto* menuBar = new QMenuBar(this);
    miFile = menuBar->addMenu(QString());
    miFile->setObjectName(QStringLiteral("miFile"));
    for (const char* name : {"FileOpen", "FileSave", "FileSaveAs"})
        miFile->addAction(Command(QLatin1String(name)));
    miFile->addSeparator();
    miFile->addAction(Command(QStringLiteral("FileExit")));

    miEdit = menuBar->addMenu(QString());
    miEdit->setObjectName(QStringLiteral("miEdit"));
    miEdit->addAction(Command(QStringLiteral("EditUndo")));
    miEdit->addAction(Command(QStringLiteral("EditRedo")));

    miScheme = menuBar->addMenu(QString());
    miScheme->setObjectName(QStringLiteral("miScheme"));
    miScheme->addAction(Command(QStringLiteral("SchemeAdd")));
    for (int i = 1; i <= 9; ++i)
        miScheme->addAction(Command(QStringLiteral("SchemeAddTemplate%1").arg(i)));
    miScheme->addSeparator();
    miScheme->addAction(Command(QStringLiteral("SchemeDuplicate")));
    miScheme->addAction(Command(QStringLiteral("SchemeRemove")));
    miScheme->addSeparator();
    miScheme->addAction(Command(QStringLiteral("SchemePrint")));
    miScheme->addAction(Command(QStringLiteral("SchemePrintAll")));
    miScheme->addAction(Command(QStringLiteral("SchemePrintPreview")));
    miScheme->addAction(Command(QStringLiteral("SchemeExportPdf")));
    miScheme->addSeparator();
    miScheme->addAction(Command(QStringLiteral("SchemeTransmit")));

    miHelp = menuBar->addMenu(QString());
    miHelp->setObjectName(QStringLiteral("miHelp"));
    miHelp->addAction(Command(QStringLiteral("HelpContents")));
    miHelpLanguage = miHelp->addMenu(QString());
    miHelpLanguage->setObjectName(QStringLiteral("miHelpLanguage"));
    for (const char* name : {"HelpLanguageGerman", "HelpLanguageEnglish", "HelpLanguageFrench"})
        miHelpLanguage->addAction(Command(QLatin1String(name)));
    miHelp->addSeparator();
    miHelp->addAction(Command(QStringLiteral("HelpAbout")));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
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
    root->addLayout(body, 1);

    auto* paLocations = Panel(client);
    paLocations->setObjectName(QStringLiteral("paLocations"));
    paLocations->setFixedWidth(S(177));
    auto* locationsLayout = new QVBoxLayout(paLocations);
    locationsLayout->setContentsMargins(0, 0, 0, 0);
    lvLocations = new QListWidget(paLocations);
    lvLocations->setObjectName(QStringLiteral("lvLocations"));
    lvLocations->setViewMode(QListView::IconMode);
    lvLocations->setIconSize(QSize(S(48), S(48)));
    FLocationIcon = QIcon(RadiatorPicture(S(48)));
    lvLocations->setResizeMode(QListView::Adjust);
    lvLocations->setMovement(QListView::Static);
    lvLocations->setWordWrap(true);
    lvLocations->setGridSize(QSize(S(80), S(80)));
    lvLocations->setSortingEnabled(true);
    lvLocations->setSelectionMode(QAbstractItemView::SingleSelection);
    lvLocations->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    locationsLayout->addWidget(lvLocations);
    body->addWidget(paLocations);

    auto* paCompleteScheme = Panel(client);
    paCompleteScheme->setObjectName(QStringLiteral("paCompleteScheme"));
    auto* completeLayout = new QVBoxLayout(paCompleteScheme);
    completeLayout->setContentsMargins(0, 0, 0, 0);
    completeLayout->setSpacing(0);
    body->addWidget(paCompleteScheme, 1);

    paSchemeConfig = Panel(paCompleteScheme);
    paSchemeConfig->setObjectName(QStringLiteral("paSchemeConfig"));
    completeLayout->addWidget(paSchemeConfig, 1);
    auto* schemeLayout = new QVBoxLayout(paSchemeConfig);
    schemeLayout->setContentsMargins(0, 0, 0, 0);
    schemeLayout->setSpacing(0);

    paCurrentScheme = Panel(paSchemeConfig);
    paCurrentScheme->setObjectName(QStringLiteral("paCurrentScheme"));
    paCurrentScheme->setFixedHeight(S(43));
    paCurrentScheme->setFont(FormFont(S(16), true));
    // Neighbouring margins add up: chooser and button 8 + 8, bin and name 12 + 12.
    auto* headingLayout = new QHBoxLayout(paCurrentScheme);
    headingLayout->setContentsMargins(S(8), 0, S(12), 0);
    headingLayout->setSpacing(0);
    cmbTemperature = new TTemperatureChooser(paCurrentScheme);
    cmbTemperature->setObjectName(QStringLiteral("cmbTemperature"));
    cmbTemperature->setFont(FormFont(S(11)));
    cmbTemperature->SetItemHeight(S(16));
    cmbTemperature->setFixedWidth(S(72));
    btnSplitInterval = new QPushButton(paCurrentScheme);
    btnSplitInterval->setObjectName(QStringLiteral("btnSplitInterval"));
    btnSplitInterval->setFixedSize(S(100), S(32));
    btnSplitInterval->setFont(FormFont(S(11)));
    imgTrashCan = new QLabel(paCurrentScheme);
    imgTrashCan->setObjectName(QStringLiteral("imgTrashCan"));
    imgTrashCan->setFixedSize(S(32), S(32));
    imgTrashCan->setPixmap(TrashCanPicture(S(32)));
    paCurrentSchemeDisplayText = new QLabel(paCurrentScheme);
    paCurrentSchemeDisplayText->setObjectName(QStringLiteral("paCurrentSchemeDisplayText"));
    paCurrentSchemeDisplayText->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    paCurrentSchemeDisplayText->setTextFormat(Qt::PlainText);
    auto addTop = [&](QWidget* widget) {
        auto* holder = new QVBoxLayout;
        holder->setContentsMargins(0, S(8), 0, 0);
        holder->addWidget(widget);
        holder->addStretch(1);
        headingLayout->addLayout(holder);
    };
    addTop(cmbTemperature);
    headingLayout->addSpacing(S(16));
    addTop(btnSplitInterval);
    headingLayout->addSpacing(S(16));
    addTop(imgTrashCan);
    headingLayout->addSpacing(S(24));
    headingLayout->addWidget(paCurrentSchemeDisplayText, 1);
    schemeLayout->addWidget(paCurrentScheme);

    auto* rowsLayout = new QHBoxLayout;
    rowsLayout->setContentsMargins(S(8), 0, 0, 0);
    rowsLayout->setSpacing(S(8));
    lbDays = new TDayList(paSchemeConfig);
    lbDays->setObjectName(QStringLiteral("lbDays"));
    lbDays->setFixedWidth(S(89));
    lbDays->setFont(FormFont(S(11), true));
    rowsLayout->addWidget(lbDays);
    sbxSliders = new QScrollArea(paSchemeConfig);
    sbxSliders->setObjectName(QStringLiteral("sbxSliders"));
    sbxSliders->setFrameShape(QFrame::NoFrame);
    sbxSliders->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbxSliders->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sbxSliders->setWidgetResizable(true);
    auto* rowsHost = new QWidget;
    rowsHost->setObjectName(QStringLiteral("sbxSlidersContent"));
    sbxSliders->setWidget(rowsHost);
    sbxSliders->viewport()->setAutoFillBackground(false);
    rowsHost->setAutoFillBackground(false);
    rowsLayout->addWidget(sbxSliders, 1);
    // The rows follow the day list and the scroll area, which are laid out after their parent.
    lbDays->viewport()->installEventFilter(this);
    sbxSliders->viewport()->installEventFilter(this);
    schemeLayout->addLayout(rowsLayout, 1);

    auto* paButtons = Panel(paCompleteScheme);
    paButtons->setObjectName(QStringLiteral("paButtons"));
    paButtons->setFixedHeight(S(69));
    auto* buttonsLayout = new QHBoxLayout(paButtons);
    FButtonsLayout = buttonsLayout;
    buttonsLayout->setContentsMargins(0, S(4), S(27), S(8));
    buttonsLayout->setSpacing(S(8));
    buttonsLayout->addStretch(1);
    btnTransmit = new QPushButton(paButtons);
    btnTransmit->setObjectName(QStringLiteral("btnTransmit"));
    btnTransmit->setIcon(TransmitPicture(S(32)));
    btnTransmit->setIconSize(QSize(S(32), S(32)));
    btnClose = new QPushButton(paButtons);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setIcon(ExitPicture(S(32)));
    btnClose->setIconSize(QSize(S(32), S(32)));
    for (QPushButton* button : {btnTransmit, btnClose}) {
        button->setFixedSize(S(200), S(57));
        buttonsLayout->addWidget(button);
    }
    completeLayout->addWidget(paButtons);

    // Two sunken panels: the status text and the clock; sbStatusResize divides them.
    sbStatus = new QWidget(client);
    sbStatus->setObjectName(QStringLiteral("sbStatus"));
    sbStatus->setFixedHeight(S(19));
    // A status text too long for its panel is cut with "…" and shown whole as its tooltip.
    StatusPanel0 = new TStatusPanel(sbStatus);
    StatusPanel0->setObjectName(QStringLiteral("StatusPanel0"));
    StatusPanel0->SetIndent(S(2));
    StatusPanel1 = new QLabel(sbStatus);
    StatusPanel1->setObjectName(QStringLiteral("StatusPanel1"));
    StatusPanel1->setAlignment(Qt::AlignCenter);
    StatusPanel1->setFrameShape(QFrame::Panel);
    StatusPanel1->setFrameShadow(QFrame::Sunken);
    StatusPanel1->setTextFormat(Qt::PlainText);
    StatusPanel1->setIndent(S(2));
    sbStatus->installEventFilter(this);
    root->addWidget(sbStatus);

    timCurrentTime = new QTimer(this);
    timCurrentTime->setObjectName(QStringLiteral("timCurrentTime"));
    timCurrentTime->setInterval(1000);
    connect(timCurrentTime, &QTimer::timeout, this, [this] { timCurrentTimeTimer(); });

    // commands bound to buttons show the command's caption and enabled state
    auto bind = [](QPushButton* button, QAction* action) {
        auto sync = [button, action] {
            button->setText(action->text());
            button->setEnabled(action->isEnabled());
        };
        QObject::connect(action, &QAction::changed, button, sync);
        QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
        sync();
    };
    bind(btnSplitInterval, Command(QStringLiteral("SplitSingleInterval")));
    bind(btnTransmit, Command(QStringLiteral("SchemeTransmit")));
    bind(btnClose, Command(QStringLiteral("FileExit")));

    resize(minimumSizeHint());
}

void TZEFTMainForm::FormCreate() {
    if (FServices.Settings) {
        LanguageID = FServices.Settings->ReadLanguageID();
        SublanguageID = FServices.Settings->ReadSublanguageID();
    }
    ApplyLanguageTexts();
    Command(QStringLiteral("FileSave"))->setEnabled(false);
    FCurrentFileName.clear();
    FDialogFilter = LoadLanguageString(4801);

    FLocations = std::make_unique<THeatingLocations>();
    FUndoContext.Locations = FLocations.get();
    FLocations->OnAdd = [this](THeatingLocation* location) { LocationAdded(location); };
    FLocations->OnDelete = [this](int index) { LocationRemoving(index); };
    FLocations->OnChange = [this](TModelObject*) { LocationsChanged(); };

    connect(lvLocations, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = lvLocations->selectedItems();
        if (!selected.isEmpty())
            lvLocationsSelectItem(selected.constFirst());
    });
    connect(lvLocations, &QListWidget::itemChanged, this,
            [this](QListWidgetItem* item) { lvLocationsChange(item); });
    connect(cmbTemperature, &QComboBox::activated, this,
            [this](int index) { cmbTemperatureSelect(index); });
    lbDays->OnMouseDown = [this](QPoint pos) { lbDaysMouseDown(pos); };
    TDropTarget& dayTarget = TDropTarget::Register(lbDays);
    dayTarget.OnDragOver = [this](QWidget* source, QPoint pos) {
        return lbDaysDragOver(source, pos);
    };
    dayTarget.OnDragDrop = [this](QWidget* source, QPoint pos) { lbDaysDragDrop(source, pos); };
    TDropTarget& bin = TDropTarget::Register(imgTrashCan);
    bin.OnDragOver = [this](QWidget* source, QPoint) { return imgTrashCanDragOver(source); };
    bin.OnDragDrop = [this](QWidget* source, QPoint) { imgTrashCanDragDrop(source); };

    if (FServices.StartFile) {
        LoadFile(*FServices.StartFile); // named on the command line: instead of the last file
    } else if (FServices.Settings) {
        const QString lastFile = FServices.Settings->ReadLastFile();
        if (!lastFile.isEmpty())
            LoadFile(lastFile);
    }
    if (!FCurrentLocation)
        for (int i = 1; i <= 9; ++i)
            AddTemplateLocation(i);

    CreateDayRows();
    ResizeSchemeConfig();
    lbDays->setToolTip(LoadLanguageString(4902));
    if (lvLocations->count() > 0) {
        lvLocations->setCurrentItem(lvLocations->item(0));
        SelectSchemeExecute(lvLocations->item(0));
    }
    FModified = false;
    FUndoStack->clear(); // the templates of a first start are no steps to undo
    FillTemperatureChooser();

    timCurrentTime->start();
    if (FServices.MakeConnection) {
        FConnection = FServices.MakeConnection();
        if (FConnection) {
            FConnection->OnStateChange = [this](std::uint8_t state, std::int32_t value) {
                ConnectionStateChanged(state, value, FConnection->NoStickReason());
            };
            FConnection->start();
        }
    }
}

void TZEFTMainForm::CreateDayRows() {
    TDailyHeatingIntervals* days[7] = {};
    if (FLocations->Count() > 0)
        for (int i = 0; i < 7; ++i)
            days[i] = &FLocations->Items(0).Days(i);
    for (int i = 0; i < 7; ++i) {
        auto* row = new TDailyComfortIntervalsSlider(days[i], sbxSliders->widget());
        row->setObjectName(QStringLiteral("DayRow%1").arg(i));
        row->SetDay(i);
        row->move(S(10), 0);
        row->OnSliderSelected = [this](TSingleComfortIntervalSlider* slider) {
            IntervalSliderSelected(slider);
        };
        row->show();
        FDayRows[static_cast<size_t>(i)] = row;
    }
}

void TZEFTMainForm::FillTemperatureChooser() {
    std::vector<double> values;
    for (int n = 5; n <= 29; ++n) {
        values.push_back(n);
        values.push_back(n + 0.5);
    }
    const QString format = LoadLanguageString(4802);
    cmbTemperature->Fill(values, [&format](double value) { return FormatText(format, {value}); });
}

bool TZEFTMainForm::FormCloseQuery() {
    if (!FModified)
        return true;
    const auto answer = TDialogs::Message(
        this, QMessageBox::Question, WithoutAccelerator(LoadLanguageString(4014)),
        LoadLanguageString(4808), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
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
    FServices.Settings->WriteLastFile(FCurrentFileName);
    FServices.Settings->WriteLanguageID(LanguageID);
    FServices.Settings->WriteSublanguageID(SublanguageID);
}

void TZEFTMainForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    // The save prompt has dealt with the user's data: settings that cannot be stored are
    // reported, and the window closes all the same (refusing would keep it open for ever).
    try {
        FormClose();
    } catch (const TSettingsError& error) {
        TDialogs::Message(this, QMessageBox::Critical, windowTitle(),
                          FormatText(LoadLanguageString(4813),
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

void TZEFTMainForm::showEvent(QShowEvent* event) {
    TZEFTForm::showEvent(event);
    // A file that could not be read at start-up is explained once the window is on screen.
    if (!FPendingMessages.isEmpty())
        QTimer::singleShot(0, this, [this] { ShowPendingMessages(); });
}

bool TZEFTMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        if (watched == lbDays->viewport() || watched == sbxSliders->viewport())
            ResizeSchemeConfig();
        else if (watched == sbStatus)
            sbStatusResize();
    }
    return TZEFTForm::eventFilter(watched, event);
}

void TZEFTMainForm::sbStatusResize() {
    const int width = sbStatus->width();
    const int first = width * 90 / 100;
    StatusPanel0->setGeometry(0, 0, first, sbStatus->height());
    StatusPanel1->setGeometry(first, 0, width - first, sbStatus->height());
}

void TZEFTMainForm::timCurrentTimeTimer() {
    StatusPanel1->setText(QTime::currentTime().toString(UserShortTimeFormat()));
}

} // namespace zeft
