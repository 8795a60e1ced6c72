// Undo and redo on the real window: every kind of edit is one step, undoing it brings back the
// schedule exactly, redoing it the edit, and the stack's clean state drives Modified.
#include "DayText.h"
#include "MainFormFixture.h"
#include "zeft_DisplayScale.h"
#include "zeft_Routines.h"

#include <QMenu>
#include <QUndoStack>

using namespace zeft;
using namespace zeft::test;

namespace {

/// Names in collection (file) order, each with its seven days and their periods' bounds, which
/// an undo has to bring back as well.
std::string Fingerprint(const THeatingLocations& locations) {
    std::string text;
    for (int l = 0; l < locations.Count(); ++l) {
        const THeatingLocation& location = locations.Items(l);
        text += location.DisplayText + ":";
        for (int d = 0; d < 7; ++d) {
            const TDailyHeatingIntervals& day = location.Days(d);
            text += " " + DayText(day) + " [";
            for (int i = 0; i < day.Count(); ++i)
                text += HhMm(day.Items(i).MaxStart()) + "," + HhMm(day.Items(i).MinStop()) + ";";
            text += "] |";
        }
        text += "\n";
    }
    return text;
}

QPoint Middle(QWidget* w) {
    return w->rect().center();
}

class UndoFixture : public MainFormTest {
protected:
    void StartActive() {
        Start();
        Form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    }

    void RightClick(QWidget* widget, QPoint local) {
        QTest::mouseClick(Window(), Qt::RightButton, {}, InWindow(widget, local));
        QApplication::processEvents();
    }

    void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
    void Redo() { Key(Qt::Key_Y, Qt::ControlModifier); }

    std::string State() const { return Fingerprint(Form->Locations()); }
};

class EveryEdit;

struct TEditCase {
    const char* Name;
    const char* Location; // shown before the edit
    std::function<void(EveryEdit&)> Edit;
};

class EveryEdit : public UndoFixture, public testing::WithParamInterface<TEditCase> {
public:
    // The steps reach the fixture's helpers through these.
    using UndoFixture::Command;
    using UndoFixture::Drag;
    using UndoFixture::Form;
    using UndoFixture::Key;
    using UndoFixture::Messages;
    using UndoFixture::MoveTo;
    using UndoFixture::RightClick;
    using UndoFixture::SelectPeriod;
    using UndoFixture::Slider;
};

TEST_P(EveryEdit, IsOneStepThatUndoesAndRedoesExactly) {
    const TEditCase& c = GetParam();
    StartActive();
    SelectLocation(c.Location);
    ASSERT_FALSE(Form->Modified());
    const std::string before = State();
    c.Edit(*this);
    QApplication::processEvents();
    const std::string after = State();
    ASSERT_NE(after, before) << "the edit changed nothing";
    EXPECT_EQ(Form->UndoStack().count(), 1);
    EXPECT_TRUE(Command("EditUndo")->isEnabled());
    EXPECT_TRUE(Form->Modified());

    Undo();
    EXPECT_EQ(State(), before);
    EXPECT_FALSE(Form->Modified()) << "back at the state loaded";
    EXPECT_FALSE(Command("EditUndo")->isEnabled());
    EXPECT_TRUE(Command("EditRedo")->isEnabled());
    // The list, the heading and the rows show the schedule as it is now.
    ASSERT_NE(Form->CurrentLocation(), nullptr);
    EXPECT_EQ(Form->paCurrentSchemeDisplayText->text().toStdString(), CurrentName());
    ASSERT_NE(Form->lvLocations->currentItem(), nullptr);
    EXPECT_EQ(Form->lvLocations->currentItem()->text().toStdString(), CurrentName());
    EXPECT_EQ(Form->lvLocations->count(), Form->Locations().Count());
    for (int d = 0; d < 7; ++d)
        EXPECT_EQ(Form->DayRow(d)->Sliders().Count(), Form->CurrentLocation()->Days(d).Count());

    Redo();
    EXPECT_EQ(State(), after);
    EXPECT_TRUE(Form->Modified());
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // the other redo key: nothing left
    EXPECT_EQ(State(), after);
    Undo();
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(State(), after);
}

void EdgeDrag(EveryEdit& t, int day, int index, int dx) {
    TSingleComfortIntervalSlider* slider = t.Slider(day, index);
    // The pointer comes in over the edge first, so that the resize cursor is there.
    t.MoveTo(slider, QPoint(2, 5));
    t.MoveTo(slider, QPoint(3, 5));
    t.Drag(slider, QPoint(3, 5), slider, QPoint(3 + dx, 5));
}

void ChooseTemperature(EveryEdit& t, const char* text) {
    const int index = t.Form->cmbTemperature->findText(text);
    ASSERT_GE(index, 0);
    t.Form->cmbTemperature->setCurrentIndex(index);
    emit t.Form->cmbTemperature->activated(index);
}

void TriggerDayMenuItem(EveryEdit& t, int day, const char* action) {
    const QRect item = t.Form->lbDays->visualItemRect(t.Form->lbDays->item(day));
    t.RightClick(t.Form->lbDays->viewport(), item.center());
    ASSERT_NE(t.Form->DayMenu(), nullptr);
    ASSERT_TRUE(t.Form->DayMenu()->isVisible());
    QAction* found = t.Form->DayMenu()->findChild<QAction*>(action);
    ASSERT_NE(found, nullptr) << action;
    found->trigger();
    t.Form->DayMenu()->close();
}

const TEditCase EditCases[] = {
    // Bathroom, Monday: 00:00-06:30, 06:30-09:00, 09:00-17:00, 17:00-22:00, 22:00-24:00
    {"EdgeDragAcrossAPeriod", "Bathroom",
     [](EveryEdit& t) {
         const int scale = t.Form->DayRow(0)->Scale();
         EdgeDrag(t, 0, 2, -scale * 3 / 24); // 09:00 back across 06:30: absorbed on release
         EXPECT_EQ(t.Form->CurrentLocation()->Days(0).Count(), 4);
     }},
    {"SplitButton", "Hall",
     [](EveryEdit& t) {
         t.SelectPeriod(0, 2);
         t.Form->btnSplitInterval->click();
     }},
    {"DropOnTheBin", "Living room",
     [](EveryEdit& t) {
         TSingleComfortIntervalSlider* slider = t.Slider(0, 1);
         t.Drag(slider, Middle(slider), t.Form->imgTrashCan, Middle(t.Form->imgTrashCan));
     }},
    {"DragADayOntoAnother", "Office 5 business days",
     [](EveryEdit& t) {
         const QRect sunday = t.Form->lbDays->visualItemRect(t.Form->lbDays->item(6));
         const QRect tuesday = t.Form->lbDays->visualItemRect(t.Form->lbDays->item(1));
         t.Drag(t.Form->lbDays->viewport(), sunday.center(), t.Form->lbDays->viewport(),
                tuesday.center());
     }},
    {"TemperatureChooser", "Bathroom",
     [](EveryEdit& t) {
         t.SelectPeriod(3, 1);
         ChooseTemperature(t, "12.5\u00b0C");
     }},
    {"AddATemplate", "Hall", [](EveryEdit& t) { t.Command("SchemeAddTemplate5")->trigger(); }},
    {"AddUnnamed", "Hall", [](EveryEdit& t) { t.Command("SchemeAdd")->trigger(); }},
    // Undo puts it back with its program, in its place in the file order.
    {"RemoveALocation", "Bedroom", [](EveryEdit& t) { t.Command("SchemeRemove")->trigger(); }},
    {"RenameALocation", "Kitchen",
     [](EveryEdit& t) { t.Form->lvLocations->currentItem()->setText("Cuisine"); }},
    {"DuplicateWithCtrlD", "Bathroom",
     [](EveryEdit& t) {
         t.Form->lvLocations->setFocus();
         t.Key(Qt::Key_D, Qt::ControlModifier);
     }},
    {"CopyToAllDays", "Office 5 1/2 business days",
     [](EveryEdit& t) { TriggerDayMenuItem(t, 5, "CopyToGroup2"); }},
    {"CopyToOneDay", "Living room", [](EveryEdit& t) { TriggerDayMenuItem(t, 5, "CopyToDay0"); }},
    {"ShiftRightRun", "Bathroom",
     [](EveryEdit& t) {
         t.SelectPeriod(1, 3);
         for (int i = 0; i < 4; ++i)
             t.Key(Qt::Key_Right, Qt::ShiftModifier);
     }},
    {"ShiftLeftIntoThePreviousPeriod", "Hall",
     [](EveryEdit& t) {
         t.SelectPeriod(0, 4); // 23:00-24:00 after 17:00-23:00
         for (int i = 0; i < 40; ++i)
             t.Key(Qt::Key_Left, Qt::ShiftModifier);
         EXPECT_EQ(t.Form->CurrentLocation()->Days(0).Count(), 4);
     }},
    {"PlusKey", "Bathroom",
     [](EveryEdit& t) {
         t.SelectPeriod(2, 2);
         t.Key(Qt::Key_Plus);
     }},
    {"InsertKey", "Bathroom",
     [](EveryEdit& t) {
         t.SelectPeriod(4, 2);
         t.Key(Qt::Key_Insert);
     }},
    {"DeleteKey", "Bathroom",
     [](EveryEdit& t) {
         t.SelectPeriod(6, 3);
         t.Key(Qt::Key_Delete);
     }},
    {"ExactValues", "Bathroom",
     [](EveryEdit& t) {
         TDialogs::PeriodHook = [](const TDialogs::TPeriodValues&, bool) {
             return std::optional<TDialogs::TPeriodValues>({TimeOf(5, 0), 24.5});
         };
         t.SelectPeriod(0, 2);
         t.Key(Qt::Key_Return);
         TDialogs::PeriodHook = [](const TDialogs::TPeriodValues&, bool) {
             return std::optional<TDialogs::TPeriodValues>();
         };
     }},
};

INSTANTIATE_TEST_SUITE_P(MainForm, EveryEdit, testing::ValuesIn(EditCases),
                         [](const testing::TestParamInfo<TEditCase>& info) {
                             return info.param.Name;
                         });

TEST_F(UndoFixture, OpeningAFileClearsTheStack) {
    StartActive();
    Command("SchemeAdd")->trigger();
    NextFile = FSettingsDir.filePath("two.zeft");
    Command("FileSaveAs")->trigger();
    Command("SchemeAddTemplate2")->trigger();
    ASSERT_EQ(Form->UndoStack().count(), 2);
    NextAnswer = QMessageBox::No; // the save prompt before the open: the changes go
    Command("FileOpen")->trigger();
    EXPECT_EQ(Form->UndoStack().count(), 0);
    EXPECT_FALSE(Command("EditUndo")->isEnabled());
    const std::string loaded = State();
    Undo();
    EXPECT_EQ(State(), loaded);
    EXPECT_FALSE(Form->Modified());
}

TEST_F(UndoFixture, AStartMovedWithTheKeysIsOneStepPerRunAndPeriod) {
    StartActive();
    SelectLocation("Bathroom");
    const std::string original = State();
    SelectPeriod(0, 2); // 09:00-17:00
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Form->UndoStack().count(), 1);
    EXPECT_EQ(MinutesOf(Form->CurrentLocation()->Days(0).Items(2).Start()), 9 * 60 + 30);
    Key(Qt::Key_Plus); // another kind of step ends the run (the period is still selected)
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Form->UndoStack().count(), 3);
    SelectPeriod(0, 3); // another period: a run of its own
    Key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(Form->UndoStack().count(), 4);
    // there and back again leaves nothing to undo
    SelectPeriod(1, 2);
    Key(Qt::Key_Left, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Form->UndoStack().count(), 4);
    for (int i = 0; i < 4; ++i)
        Undo();
    EXPECT_EQ(State(), original);
    EXPECT_FALSE(Form->Modified());
}

TEST_F(UndoFixture, UndoShowsTheLocationItChanges) {
    StartActive();
    SelectLocation("Bathroom");
    SelectPeriod(0, 1);
    Key(Qt::Key_Delete);
    SelectLocation("Hall");
    ASSERT_EQ(CurrentName(), "Hall");
    Undo();
    EXPECT_EQ(CurrentName(), "Bathroom");
    EXPECT_EQ(Form->paCurrentSchemeDisplayText->text(), "Bathroom");
    EXPECT_EQ(Form->lvLocations->currentItem()->text(), "Bathroom");
    EXPECT_EQ(Form->DayRow(0)->Sliders().Count(), 5);
    EXPECT_FALSE(Command("SplitSingleInterval")->isEnabled()); // re-displayed as after a copy
}

TEST_F(UndoFixture, UndoingARenameShowsTheOldNameInTheListAndHeading) {
    StartActive();
    SelectLocation("Kitchen");
    Form->lvLocations->currentItem()->setText("Zzz kitchen");
    ASSERT_EQ(Form->paCurrentSchemeDisplayText->text(), "Zzz kitchen");
    Undo();
    EXPECT_EQ(Form->paCurrentSchemeDisplayText->text(), "Kitchen");
    EXPECT_NE(ListItem("Kitchen"), nullptr);
    EXPECT_EQ(ListItem("Zzz kitchen"), nullptr);
    EXPECT_EQ(Form->UndoStack().count(), 1); // the list's own change is no second rename
    Redo();
    EXPECT_EQ(CurrentName(), "Zzz kitchen");
    EXPECT_EQ(Form->lvLocations->item(Form->lvLocations->count() - 1)->text(), "Zzz kitchen");
}

TEST_F(UndoFixture, ARemovedLocationComesBackWithItsProgramAndStaysThroughRedo) {
    StartActive();
    SelectLocation("Bathroom");
    SelectPeriod(2, 1);
    Key(Qt::Key_Delete);
    const std::string edited = State();
    Command("SchemeRemove")->trigger();
    EXPECT_EQ(ListItem("Bathroom"), nullptr);
    Undo();
    EXPECT_EQ(State(), edited);
    EXPECT_EQ(CurrentName(), "Bathroom");
    Undo(); // and the edit before the removal, on the very same location
    EXPECT_EQ(Form->CurrentLocation()->Days(2).Count(), 5);
    Redo();
    Redo();
    EXPECT_EQ(ListItem("Bathroom"), nullptr);
    EXPECT_EQ(Form->Locations().Count(), 8);
}

TEST_F(UndoFixture, UndoWaitsWhileAnEdgeIsDragged) {
    StartActive();
    SelectLocation("Bathroom");
    SelectPeriod(0, 1);
    Key(Qt::Key_Plus);
    TSingleComfortIntervalSlider* slider = Slider(0, 2);
    MoveTo(slider, QPoint(2, 5));
    MoveTo(slider, QPoint(3, 5));
    Press(slider, QPoint(3, 5));
    MoveTo(slider, QPoint(40, 5));
    ASSERT_TRUE(slider->ResizingStart());
    QTest::keyClick(Form.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form->UndoStack().index(), 1);
    Release(slider, QPoint(40, 5));
    QApplication::processEvents();
    EXPECT_EQ(Form->UndoStack().count(), 2);
    Undo();
    Undo();
    EXPECT_EQ(Form->UndoStack().index(), 0);
    EXPECT_FALSE(Form->Modified());
}

} // namespace
