#pragma once

#include "TDailyComfortIntervalsSlider.h"
#include "TDayList.h"
#include "TLocationList.h"
#include "TScheduleArea.h"
#include "TSingleComfortIntervalSlider.h"
#include "TStatusBar.h"
#include "TStatusPanel.h"
#include "TTemperatureChooser.h"
#include "zeft_Dialogs.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Settings.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace zeft::test {

/// The real main window on the offscreen platform, with its settings in a temporary folder and
/// every dialog answered by the test.
class MainFormTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FSettingsDir.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettingsDir.path());
        LanguageID = 9;
        SublanguageID = 1;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        TDialogs::MessageHook = [this](const TDialogs::TMessageRequest& request) {
            Messages.push_back(request);
            return NextAnswer;
        };
        TDialogs::FileHook = [this](const QString& preset, const QString& filter, bool saving) {
            FilePresets.push_back(preset);
            FileFilters.push_back(filter);
            FileSaving.push_back(saving);
            return NextFile;
        };
        // The exact-value dialog is modal: unanswered, it is cancelled.
        TDialogs::PeriodHook = [this](const TDialogs::TPeriodValues&, bool) {
            ++PeriodDialogs;
            return std::optional<TDialogs::TPeriodValues>();
        };
    }

    void TearDown() override {
        Form.reset();
        TDialogs::MessageHook = nullptr;
        TDialogs::FileHook = nullptr;
        TDialogs::PeriodHook = nullptr;
        QLocale::setDefault(QLocale::c());
    }

    /// Creates and shows the window as the program does.
    TZEFTMainForm& Start(std::function<std::unique_ptr<TUSBConnection>()> connection = nullptr) {
        TMainFormServices services;
        services.Settings = &Settings;
        services.MakeConnection = std::move(connection);
        services.StartFile = StartFile;
        services.TransferLogPath = TransferLogPath;
        services.OpenFilesFolder = OpenFilesFolder;
        services.RecoveryFolder = RecoveryFolder;
        services.PrintProfile = [this](const THeatingLocation* location) {
            Printed.push_back(location);
        };
        services.PrintAllProfiles = [this](const THeatingLocations& all) {
            PrintedAll.push_back(&all);
        };
        services.PrintPreview = [this](const THeatingLocation* location) {
            Previewed.push_back(location);
        };
        services.ExportPdf = [this](const THeatingLocations& all, const QString& fileName) {
            Exported.emplace_back(&all, fileName);
        };
        services.ShowHelp = [this] { ++HelpShown; };
        services.ShowAbout = [this] { ++AboutShown; };
        Form = std::make_unique<TZEFTMainForm>(std::move(services));
        Form->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        return *Form;
    }

    QAction* Command(const char* name) const { return Form->Command(QLatin1String(name)); }

    std::vector<std::string> ListCaptions() const {
        std::vector<std::string> captions;
        for (int i = 0; i < Form->lvLocations->count(); ++i)
            captions.push_back(Form->lvLocations->item(i)->text().toStdString());
        return captions;
    }

    std::vector<std::string> CollectionNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < Form->Locations().Count(); ++i)
            names.push_back(Form->Locations().Items(i).DisplayText);
        return names;
    }

    QListWidgetItem* ListItem(const std::string& caption) const {
        const auto items =
            Form->lvLocations->findItems(QString::fromStdString(caption), Qt::MatchExactly);
        return items.isEmpty() ? nullptr : items.constFirst();
    }

    void SelectLocation(const std::string& caption) {
        QListWidgetItem* item = ListItem(caption);
        ASSERT_NE(item, nullptr) << caption;
        Form->lvLocations->setCurrentItem(item);
    }

    std::string CurrentName() const {
        return Form->CurrentLocation() ? Form->CurrentLocation()->DisplayText : "(none)";
    }

    TSingleComfortIntervalSlider* Slider(int day, int index) const {
        const TSliderList& sliders = Form->DayRow(day)->Sliders();
        return index < sliders.Count() ? sliders.Items(index) : nullptr;
    }

    // Synthetic mouse input through the window, as the platform delivers it.
    QWindow* Window() const { return Form->windowHandle(); }
    QPoint InWindow(QWidget* widget, QPoint local) const {
        return widget->mapTo(Form.get(), local);
    }
    void Press(QWidget* widget, QPoint local) {
        QTest::mousePress(Window(), Qt::LeftButton, {}, InWindow(widget, local));
    }
    void MoveTo(QWidget* widget, QPoint local) {
        QTest::mouseMove(Window(), InWindow(widget, local));
    }
    void Release(QWidget* widget, QPoint local) {
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, InWindow(widget, local));
    }
    /// The points are taken before the press: what the press does (a rebuild of the rows,
    /// say) may retire the widget it lands on.
    void Click(QWidget* widget, QPoint local) {
        const QPoint at = InWindow(widget, local);
        QTest::mousePress(Window(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, at);
    }
    /// Press on from, move in steps to to, release there.
    void Drag(QWidget* from, QPoint fromLocal, QWidget* to, QPoint toLocal) {
        const QPoint start = InWindow(from, fromLocal), end = InWindow(to, toLocal);
        QTest::mousePress(Window(), Qt::LeftButton, {}, start);
        for (int step = 1; step <= 8; ++step) {
            const QPoint p = start + (end - start) * step / 8;
            QTest::mouseMove(Window(), p);
        }
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, end);
        QApplication::processEvents();
    }

    /// A point of a period control that selects it: clear of the start edge's zone, where a
    /// press would begin an edge drag (and its release snap the start to the pointer's mark).
    static QPoint SelectPoint(QWidget* w) {
        const int edge = ScaledPixels(12) + 1;
        return {w->width() / 2 >= edge ? w->width() / 2 : w->width() - 2, w->height() / 2};
    }
    /// A key as the user types it: to the widget that has the keyboard.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : Form.get(), key, modifiers);
        QApplication::processEvents();
    }
    /// Clicks a period, which selects it and gives its row the keyboard.
    void SelectPeriod(int day, int index) {
        TSingleComfortIntervalSlider* slider = Slider(day, index);
        ASSERT_NE(slider, nullptr);
        Click(slider, SelectPoint(slider));
        ASSERT_TRUE(Slider(day, index)->Selected());
    }

    QTemporaryDir FSettingsDir;
    /// The record of transfers the window keeps; none unless a test names one.
    QString TransferLogPath;
    /// Where the copies register their open files; none unless a test names one.
    QString OpenFilesFolder;
    /// Where the window keeps recovery copies; none unless a test names a folder.
    QString RecoveryFolder;
    TZEFTSettings Settings;
    std::unique_ptr<TZEFTMainForm> Form;
    std::vector<TDialogs::TMessageRequest> Messages;
    QMessageBox::StandardButton NextAnswer = QMessageBox::Ok;
    std::vector<QString> FilePresets;
    std::vector<QString> FileFilters;
    std::vector<bool> FileSaving;
    std::optional<QString> NextFile;
    /// The file named on the command line.
    std::optional<QString> StartFile;
    std::vector<const THeatingLocation*> Printed;
    std::vector<const THeatingLocations*> PrintedAll;
    std::vector<const THeatingLocation*> Previewed;
    std::vector<std::pair<const THeatingLocations*, QString>> Exported;
    int PeriodDialogs = 0;
    int HelpShown = 0;
    int AboutShown = 0;
};

} // namespace zeft::test
