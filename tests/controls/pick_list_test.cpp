// The pick list: every way of closing it, its size and place, and incremental search.
#include <gtest/gtest.h>

#include <QScrollBar>

#include "edit_fixture.h"

namespace lk63 {
namespace {

using test::Key;
using test::TCloseUp;

QStringList Entries(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i) list << QStringLiteral("Entry %1").arg(i);
    return list;
}

void SendMouse(QWidget* w, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons,
               Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

class PickListTest : public testing::Test {
protected:
    void SetUp() override {
        w.items[0] = {QStringLiteral("Alpha"), QStringLiteral("Beta"), QStringLiteral("Gamma"),
                      QStringLiteral("Delta")};
        w.values[0] = QStringLiteral("Beta");
        w.Show(0);
        ASSERT_TRUE(w.Editor()->hasFocus());
    }
    void Open() {
        w.ClickButton();
        ASSERT_TRUE(w.Editor()->ListOpen());
        ASSERT_EQ(w.List()->ItemIndex(), 1) << "the cell's value is highlighted";
        w.closeUps.clear();
    }
    test::TEditWindow w;
};

TEST_F(PickListTest, EveryWayOfClosingReportsItsIndexAndAccept) {
    struct Case {
        const char* action;
        std::function<void(test::TEditWindow&)> close;
        int index;
        bool accept;
    };
    const Case cases[] = {
        {"Enter", [](test::TEditWindow&) { Key(Qt::Key_Return); }, 1, true},
        {"Down then Enter", [](test::TEditWindow&) { Key(Qt::Key_Down); Key(Qt::Key_Return); }, 2, true},
        {"release inside the list",
         [](test::TEditWindow& w) {
             SendMouse(w.List()->viewport(), QEvent::MouseButtonPress, w.ListRowCenter(3), Qt::LeftButton);
             SendMouse(w.List()->viewport(), QEvent::MouseButtonRelease, w.ListRowCenter(3), Qt::NoButton);
         },
         3, true},
        {"right button released inside the list",
         [](test::TEditWindow& w) {
             SendMouse(w.List()->viewport(), QEvent::MouseButtonPress, w.ListRowCenter(2), Qt::RightButton,
                       Qt::RightButton);
             SendMouse(w.List()->viewport(), QEvent::MouseButtonRelease, w.ListRowCenter(2), Qt::NoButton,
                       Qt::RightButton);
         },
         2, true},
        {"right button released outside after pressing inside",
         [](test::TEditWindow& w) {
             SendMouse(w.List()->viewport(), QEvent::MouseButtonPress, w.ListRowCenter(0), Qt::RightButton,
                       Qt::RightButton);
             SendMouse(w.List()->viewport(), QEvent::MouseButtonRelease, QPoint(-20, -20), Qt::NoButton,
                       Qt::RightButton);
         },
         0, false},
        {"Alt+Down", [](test::TEditWindow&) { Key(Qt::Key_Down, Qt::AltModifier); }, 1, true},
        {"Alt+Up", [](test::TEditWindow&) { Key(Qt::Key_Up, Qt::AltModifier); }, 1, true},
        {"release outside after pressing inside",
         [](test::TEditWindow& w) {
             SendMouse(w.List()->viewport(), QEvent::MouseButtonPress, w.ListRowCenter(0), Qt::LeftButton);
             SendMouse(w.List()->viewport(), QEvent::MouseButtonRelease, QPoint(-20, -20), Qt::NoButton);
         },
         0, false},
        {"Esc", [](test::TEditWindow&) { Key(Qt::Key_Escape); }, 1, false},
        {"the button again", [](test::TEditWindow& w) { w.ClickButton(); }, 1, false},
        {"a press on the editor's text",
         [](test::TEditWindow& w) { QTest::mouseClick(w.Editor(), Qt::LeftButton, {}, QPoint(5, 5)); }, 1, false},
        {"focus to another control", [](test::TEditWindow& w) { w.other->setFocus(); }, 1, false},
        {"a press on another control",
         [](test::TEditWindow& w) { QTest::mouseClick(w.label, Qt::LeftButton, {}, QPoint(5, 5)); }, 1, false},
        {"the window deactivated",
         [](test::TEditWindow&) {
             QWidget another;
             test::ShowActive(another);
         },
         1, false},
    };
    for (const Case& c : cases) {
        test::ShowActive(w.window);
        w.Editor()->setFocus();
        w.Editor()->setText(QStringLiteral("Beta"));
        Open();
        c.close(w);
        EXPECT_FALSE(w.Editor()->ListOpen()) << c.action;
        EXPECT_FALSE(w.List()->isVisible()) << c.action;
        ASSERT_EQ(w.closeUps.size(), 1u) << c.action;
        EXPECT_EQ(w.closeUps[0], (TCloseUp{{1, 0}, c.index, c.accept})) << c.action;
        const QString expected = c.accept ? w.items[0][c.index] : QStringLiteral("Beta");
        EXPECT_EQ(w.Editor()->text(), expected) << c.action;
        if (c.accept) {
            EXPECT_EQ(w.Editor()->selectedText(), expected) << "chosen text is selected whole";
        }
    }
}

TEST_F(PickListTest, PressingTheButtonAndReleasingOnAnEntryChoosesIt) {
    const QPoint button = w.Editor()->ButtonRect().center();
    SendMouse(w.Editor(), QEvent::MouseButtonPress, button, Qt::LeftButton);
    ASSERT_TRUE(w.Editor()->ListOpen());
    w.closeUps.clear();
    const QPoint inList = w.Editor()->mapFromGlobal(w.List()->viewport()->mapToGlobal(w.ListRowCenter(2)));
    SendMouse(w.Editor(), QEvent::MouseMove, inList, Qt::LeftButton);
    SendMouse(w.Editor(), QEvent::MouseButtonRelease, inList, Qt::NoButton);
    ASSERT_EQ(w.closeUps.size(), 1u);
    EXPECT_EQ(w.closeUps[0], (TCloseUp{{1, 0}, 2, true}));
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("Gamma"));
}

TEST_F(PickListTest, TheListsOwnScrollBarAndTheListDoNotTakeTheFocus) {
    w.items[0] = Entries(12);
    w.values[0] = QString();
    w.Editor()->setText(QString());
    w.ClickButton();
    ASSERT_TRUE(w.Editor()->ListOpen());
    EXPECT_EQ(w.List()->ItemIndex(), -1) << "an empty value highlights nothing";
    QScrollBar* bar = w.List()->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 3));
    EXPECT_TRUE(w.Editor()->ListOpen()) << "using the list's scroll bar keeps it open";
    EXPECT_TRUE(w.Editor()->hasFocus()) << "the focus stays in the editor";
    Key(Qt::Key_Escape);
    ASSERT_EQ(w.closeUps.size(), 1u);
    EXPECT_EQ(w.closeUps[0], (TCloseUp{{1, 0}, -1, false}));
}

TEST_F(PickListTest, OnlyTheButtonAndAltArrowsOpenTheList) {
    Key(Qt::Key_F4);
    EXPECT_FALSE(w.Editor()->ListOpen()) << "F4 does not open the list";
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(w.Editor()->ListOpen());
}

TEST(PickListSizeTest, RowsAndWidthFollowTheEntries) {
    struct Case {
        int entries;
        int rows;
        bool scrollBar;
    };
    const Case cases[] = {{3, 3, false}, {8, 8, false}, {12, 8, true}, {0, 1, false}};
    for (const Case& c : cases) {
        test::TEditWindow w(30);
        w.items[0] = Entries(c.entries);
        w.Show(0);
        w.ClickButton();
        ASSERT_TRUE(w.Editor()->ListOpen()) << c.entries;
        TGridListBox* list = w.List();
        EXPECT_EQ(list->ClientSize().height(), c.rows * list->RowHeight()) << c.entries << " entries";
        EXPECT_EQ(list->verticalScrollBar()->isVisible(), c.scrollBar) << c.entries << " entries";
        int widest = 0;
        for (const QString& e : w.items[0]) widest = std::max(widest, QFontMetrics(list->font()).horizontalAdvance(e));
        const int expectedWidth = c.entries == 0 ? 100 : widest + 6;
        EXPECT_EQ(list->ClientSize().width(), expectedWidth) << c.entries << " entries";
        Key(Qt::Key_Escape);
        if (c.entries == 0) {
            EXPECT_EQ(w.closeUps.back().index, -1);
        }
    }
}

TEST(PickListSizeTest, ANarrowListIsWidenedToTheCell) {
    test::TEditWindow w(300);
    w.items[0] = {QStringLiteral("a")};
    w.Show(0);
    w.ClickButton();
    EXPECT_EQ(w.List()->width(), w.grid->CellBounds({1, 0}).width());
}

TEST(PickListPlaceTest, BelowTheEditorRightAlignedOrAboveItAtTheBottomOfTheScreen) {
    for (bool atBottom : {false, true}) {
        test::TEditWindow w;
        w.items[0] = Entries(6);
        const QRect work = w.window.screen()->availableGeometry();
        w.window.move(100, atBottom ? work.bottom() - 40 : 100);
        w.Show(0);
        w.ClickButton();
        ASSERT_TRUE(w.Editor()->ListOpen());
        const QRect editor(w.Editor()->mapToGlobal(QPoint(0, 0)), w.Editor()->size());
        const QRect list = w.List()->geometry();
        EXPECT_EQ(list.right(), editor.right()) << "right edges aligned";
        if (atBottom) {
            EXPECT_EQ(list.bottom() + 1, editor.top()) << "above the editor";
        } else {
            EXPECT_EQ(list.top(), editor.bottom() + 1) << "below the editor";
        }
        EXPECT_LE(list.bottom(), work.bottom());
    }
}

TEST_F(PickListTest, IncrementalSearchUsesATwoSecondWindow) {
    w.items[0] = {QStringLiteral("apple"), QStringLiteral("abacus"), QStringLiteral("banana"), QStringLiteral("bread"),
                  QStringLiteral("Cherry"), QStringLiteral("ящик")};
    w.Editor()->setText(QString());
    w.ClickButton();
    ASSERT_TRUE(w.Editor()->ListOpen());
    test::TFakeClock clock;
    w.List()->SetClock(clock.Function());
    struct Step {
        int advanceMs;
        QString typed;
        int selected;
        const char* search;
    };
    const Step steps[] = {
        {0, QStringLiteral("a"), 0, "a"},
        {500, QStringLiteral("b"), 1, "ab"},
        {2001, QStringLiteral("b"), 2, "b"},      // more than 2 s: a new search
        {100, QStringLiteral("r"), 3, "br"},
        {2000, QStringLiteral("x"), 3, "brx"},    // exactly 2 s still extends; no match keeps the selection
        {2001, QStringLiteral("C"), 4, "C"},      // case does not matter
        {2001, QStringLiteral("Я"), 5, "Я"},      // Cyrillic searches too
    };
    for (const Step& s : steps) {
        clock.now += s.advanceMs;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, s.typed);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        EXPECT_EQ(w.List()->ItemIndex(), s.selected) << "after " << s.search;
        EXPECT_EQ(w.List()->SearchText(), QString::fromUtf8(s.search));
        EXPECT_TRUE(w.Editor()->ListOpen());
    }
    Key(Qt::Key_Backspace);
    EXPECT_TRUE(w.List()->SearchText().isEmpty());
    EXPECT_EQ(w.Editor()->text(), QString()) << "typing went to the list, not the text";
}

TEST_F(PickListTest, HidingTheEditorClosesTheListWhileItsCellIsStillBound) {
    const std::vector<std::function<void(test::TEditWindow&)>> hides = {
        [](test::TEditWindow& w) { w.grid->MoveFocus({1, 3}, true, true); },
        [](test::TEditWindow& w) { w.grid->SetAlwaysEdit(false); },
        [](test::TEditWindow& w) { w.grid->Rows().SetCount(0); },
    };
    for (const auto& hide : hides) {
        test::TEditWindow fresh;
        fresh.items[0] = w.items[0];
        fresh.values[0] = QStringLiteral("Beta");
        fresh.Show(0);
        fresh.ClickButton();
        ASSERT_TRUE(fresh.Editor()->ListOpen());
        fresh.closeUps.clear();
        hide(fresh);
        EXPECT_FALSE(fresh.Editor()->ListOpen());
        ASSERT_EQ(fresh.closeUps.size(), 1u);
        EXPECT_EQ(fresh.closeUps[0], (TCloseUp{{1, 0}, 1, false}));
    }
}

TEST_F(PickListTest, OpeningAListClosesTheOtherOne) {
    test::TEditWindow second;
    second.items[0] = w.items[0];
    second.Show(0);
    second.ClickButton();
    ASSERT_TRUE(second.Editor()->ListOpen());
    test::ShowActive(w.window);
    w.Editor()->setFocus();
    Open();
    EXPECT_FALSE(second.Editor()->ListOpen());
    ASSERT_EQ(second.closeUps.size(), 1u);
    EXPECT_FALSE(second.closeUps[0].accept);
}

TEST_F(PickListTest, AFailingCloseUpHandlerIsReportedAndLeavesTheListClosed) {
    w.grid->OnEditCloseUp = [](TCustomGridView&, const TGridCell&, int, bool&) {
        throw std::runtime_error("close-up failed");
    };
    const test::TFailureCatcher failures;
    w.ClickButton();
    Key(Qt::Key_Return);
    ASSERT_EQ(failures.Messages().size(), 1u);
    EXPECT_EQ(failures.Messages()[0], "close-up failed");
    EXPECT_FALSE(w.Editor()->ListOpen());
    EXPECT_EQ(w.Editor()->text(), QStringLiteral("Beta")) << "nothing chosen when the owner failed";
}

}  // namespace
}  // namespace lk63
