#include "TDropTarget.h"
#include "TInWindowDrag.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace zeft {
namespace {

/// A window with a source, two targets and a plain widget; the drag is driven with global
/// positions, as a source forwards them from its mouse events.
class InWindowDragTest : public ::testing::Test {
protected:
    void SetUp() override {
        Window = std::make_unique<QWidget>();
        Window->resize(400, 200);
        Source = new QWidget(Window.get());
        Source->setGeometry(10, 10, 50, 30);
        Bin = new QWidget(Window.get());
        Bin->setGeometry(200, 10, 32, 32);
        List = new QWidget(Window.get());
        List->setGeometry(10, 100, 100, 90);
        ListItem = new QWidget(List); // not registered: the list beneath it is the target
        ListItem->setGeometry(0, 20, 100, 20);
        Plain = new QWidget(Window.get());
        Plain->setGeometry(300, 100, 50, 50);
        Window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));

        auto& bin = TDropTarget::Register(Bin);
        bin.OnDragOver = [this](QWidget* source, QPoint pos) {
            Asked.push_back(pos);
            return source == Source && BinAccepts;
        };
        bin.OnDragDrop = [this](QWidget* source, QPoint pos) { Dropped.push_back({source, pos}); };
        auto& list = TDropTarget::Register(List);
        list.OnDragOver = [](QWidget*, QPoint) { return false; };
    }

    QPoint Centre(QWidget* w) const { return w->mapToGlobal(w->rect().center()); }

    std::unique_ptr<TInWindowDrag> BeginDrag() {
        auto drag = std::make_unique<TInWindowDrag>(Source, Centre(Source), 5);
        drag->OnEndDrag = [this](QWidget* target) { Ended.push_back(target); };
        return drag;
    }

    struct TDrop {
        QWidget* Source;
        QPoint Pos;
    };

    std::unique_ptr<QWidget> Window;
    QWidget* Source = nullptr;
    QWidget* Bin = nullptr;
    QWidget* List = nullptr;
    QWidget* ListItem = nullptr;
    QWidget* Plain = nullptr;
    bool BinAccepts = true;
    std::vector<QPoint> Asked;
    std::vector<TDrop> Dropped;
    std::vector<QWidget*> Ended;
};

TEST_F(InWindowDragTest, StartsOnlyPastTheThreshold) {
    auto drag = BeginDrag();
    const QPoint press = Centre(Source);
    drag->MouseMove(press + QPoint(4, -4));
    EXPECT_FALSE(drag->Started());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    drag->MouseMove(press + QPoint(0, 5));
    EXPECT_TRUE(drag->Started());
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    drag->Release(press + QPoint(0, 5));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ASSERT_EQ(Ended.size(), 1u);
    EXPECT_EQ(Ended[0], nullptr);
}

TEST_F(InWindowDragTest, ReleaseBeforeTheThresholdEndsWithoutTargetEvenOverATarget) {
    auto drag = BeginDrag();
    drag->Release(Centre(Bin)); // a release far away, but the pointer never moved with it held
    EXPECT_TRUE(drag->Finished());
    EXPECT_TRUE(Dropped.empty());
    EXPECT_TRUE(Asked.empty());
    ASSERT_EQ(Ended.size(), 1u);
    EXPECT_EQ(Ended[0], nullptr);
}

TEST_F(InWindowDragTest, AcceptingTargetTakesTheDropInItsOwnCoordinates) {
    auto drag = BeginDrag();
    drag->MouseMove(Centre(Bin));
    EXPECT_EQ(drag->AcceptingTarget(), Bin);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::DragMoveCursor);
    ASSERT_FALSE(Asked.empty());
    EXPECT_EQ(Asked.back(), Bin->rect().center());

    const QPoint drop = Bin->mapToGlobal(QPoint(3, 7));
    drag->Release(drop);
    ASSERT_EQ(Dropped.size(), 1u);
    EXPECT_EQ(Dropped[0].Source, Source);
    EXPECT_EQ(Dropped[0].Pos, QPoint(3, 7));
    ASSERT_EQ(Ended.size(), 1u);
    EXPECT_EQ(Ended[0], Bin);
    EXPECT_TRUE(drag->Finished());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(InWindowDragTest, RefusingTargetsAndPlainWidgetsTakeNothing) {
    auto drag = BeginDrag();
    drag->MouseMove(Centre(ListItem)); // the list under the item refuses
    EXPECT_EQ(drag->AcceptingTarget(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    drag->MouseMove(Centre(Bin));
    EXPECT_EQ(drag->AcceptingTarget(), Bin);
    drag->MouseMove(Centre(Plain)); // leaving the bin again
    EXPECT_EQ(drag->AcceptingTarget(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
    drag->Release(Centre(Plain));
    EXPECT_TRUE(Dropped.empty());
    ASSERT_EQ(Ended.size(), 1u);
    EXPECT_EQ(Ended[0], nullptr);
}

TEST_F(InWindowDragTest, TheDropPositionDecidesNotTheLastMove) {
    BinAccepts = false;
    auto drag = BeginDrag();
    drag->MouseMove(Centre(Bin));
    EXPECT_EQ(drag->AcceptingTarget(), nullptr);
    BinAccepts = true;
    drag->Release(Centre(Bin));
    EXPECT_EQ(Dropped.size(), 1u);
    ASSERT_EQ(Ended.size(), 1u);
    EXPECT_EQ(Ended[0], Bin);
}

TEST_F(InWindowDragTest, EscapeCancelsARunningDrag) {
    auto drag = BeginDrag();
    drag->MouseMove(Centre(Bin));
    QTest::keyClick(Window.get(), Qt::Key_Escape);
    EXPECT_TRUE(drag->Finished());
    ASSERT_EQ(Ended.size(), 1u);
    EXPECT_EQ(Ended[0], nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    drag->Release(Centre(Bin)); // the button comes up later: nothing more happens
    EXPECT_TRUE(Dropped.empty());
    EXPECT_EQ(Ended.size(), 1u);
}

TEST_F(InWindowDragTest, DestroyingARunningDragRestoresTheCursorSilently) {
    auto drag = BeginDrag();
    drag->MouseMove(Centre(Bin));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    drag.reset();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(Ended.empty());
}

TEST_F(InWindowDragTest, RegistrationIsFoundAtThePointerAndEndsWithItsWidget) {
    EXPECT_EQ(TDropTarget::FindAt(Window.get(), Centre(Bin)), TDropTarget::Of(Bin));
    EXPECT_EQ(TDropTarget::FindAt(Window.get(), Centre(ListItem)), TDropTarget::Of(List));
    EXPECT_EQ(TDropTarget::FindAt(Window.get(), Centre(Plain)), nullptr);
    EXPECT_EQ(TDropTarget::FindAt(Window.get(), Window->mapToGlobal(QPoint(-5, -5))), nullptr);
    EXPECT_EQ(&TDropTarget::Register(Bin), TDropTarget::Of(Bin)); // registered once

    // The window itself can be a target too, beneath everything unregistered.
    TDropTarget::Register(Window.get());
    EXPECT_EQ(TDropTarget::FindAt(Window.get(), Centre(Plain)), TDropTarget::Of(Window.get()));

    Bin->hide();
    EXPECT_EQ(TDropTarget::FindAt(Window.get(), Centre(Bin)), TDropTarget::Of(Window.get()));
    Bin->show();
    delete Bin;
    Bin = nullptr;
    EXPECT_EQ(TDropTarget::FindAt(Window.get(), Window->mapToGlobal(QPoint(210, 20))),
              TDropTarget::Of(Window.get()));
    TDropTarget::Unregister(List);
    EXPECT_EQ(TDropTarget::Of(List), nullptr);
}

} // namespace
} // namespace zeft
