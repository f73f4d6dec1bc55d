// The window as it is laid out: sections, panels and their controls at their
// places, fonts and colours, the hidden controls, the tab order, the save
// button's picture, and what resizing does to them.
#include <gtest/gtest.h>

#include <set>

#include <QFrame>
#include <QScrollBar>

#include "questionnaire/window/panel.h"
#include "questionnaire/window/save_picture.h"
#include "questionnaire/window/section_heading.h"
#include "window_fixture.h"

namespace lk63 {
namespace {

using test::Key;

class LayoutTest : public test::TWindowTest {
protected:
    struct Section {
        QWidget* control;
        int top, height;
        const char* heading;  // nullptr: not a heading
    };
    std::vector<Section> Sections() const {
        return {
            {form.StaticText1, 0, 24, " Данные организации, заполнившей опросный лист"},
            {form.Panel2, 24, 85, nullptr},
            {form.StaticText7, 109, 24, " 1 Автоматический выключатель *"},
            {form.InspectorGrid1, 133, 148, nullptr},
            {form.StaticText2, 281, 24, " 2 Аксессуары *"},
            {form.InspectorGrid2, 305, 185, nullptr},
            {form.Panel3, 490, 35, nullptr},
            {form.StaticText6, 525, 24, " Примечание"},
            {form.Memo4, 549, 70, nullptr},
            {form.StaticText3, 619, 24, " Описание"},
            {form.Memo1, 643, 70, nullptr},
            {form.StaticText5, 713, 24, " Структурный состав"},
            {form.Memo3, 737, 70, nullptr},
            {form.Panel1, 807, 35, nullptr},
        };
    }

    // Each section at its top and height inside the 8-pixel border, as wide as the client allows.
    void ExpectSections(int clientWidth) {
        for (const Section& s : Sections()) {
            SCOPED_TRACE(s.control->metaObject()->className() + std::string(" at ") + std::to_string(s.top));
            EXPECT_EQ(s.control->geometry(), QRect(8, 8 + s.top, clientWidth - 16, s.height));
        }
        EXPECT_EQ(form.Button2->geometry().right() + 1, form.Panel1->width()) << "Закрыть stays at the right edge";
        EXPECT_EQ(form.Button2->geometry().top(), 8);
    }
};

TEST_F(LayoutTest, CaptionAndSizeShowEverySectionAndTheButtonsWhole) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Автоматические выключатели в литом корпусе серии ЛК63-19"));
    ExpectSections(form.width());
    EXPECT_EQ(form.width() - 16, 968) << "the sections are 968 wide at the start";
    const int buttonsBottom = form.Panel1->geometry().bottom();
    EXPECT_EQ(form.height(), buttonsBottom + 1 + 8) << "the buttons' panel ends 8 pixels above the bottom";
    EXPECT_EQ(form.minimumSize(), form.size()) << "no lower or narrower than at the start";
}

TEST_F(LayoutTest, ResizingStretchesTheSectionsInWidthOnly) {
    const QRect edit1 = form.Edit1->geometry();
    form.resize(1400, 1000);
    QApplication::processEvents();
    ExpectSections(1400);
    EXPECT_EQ(form.Edit1->geometry(), edit1);
    EXPECT_EQ(form.InspectorGrid1->Columns()[0].Width(), 480);
    EXPECT_EQ(form.InspectorGrid1->Columns()[1].Width(), 1400 - 16 - 4 + 1 - 480) << "the value column takes the rest";

    form.resize(600, 500);
    QApplication::processEvents();
    EXPECT_EQ(form.size(), form.minimumSize());
    ExpectSections(form.width());
}

TEST_F(LayoutTest, HeadingsAndFonts) {
    for (const Section& s : Sections()) {
        if (!s.heading) continue;
        SCOPED_TRACE(s.heading);
        auto* heading = qobject_cast<QLabel*>(s.control);
        ASSERT_NE(heading, nullptr);
        EXPECT_EQ(heading->text(), QString::fromUtf8(s.heading));
        EXPECT_EQ(heading->font().family(), QStringLiteral("Arial Unicode MS"));
        EXPECT_EQ(heading->font().pixelSize(), 15);
        EXPECT_EQ(heading->palette().color(QPalette::WindowText), QColor(Qt::black));
        EXPECT_EQ(heading->frameShadow(), QFrame::Sunken);
        EXPECT_EQ(heading->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(form.font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(form.font().pixelSize(), 11);
    EXPECT_EQ(form.palette().color(QPalette::Window), SystemColor(TSysColor::clBtnFace, form.palette()));
    EXPECT_EQ(form.Memo2->font().pixelSize(), 13);
    EXPECT_EQ(form.Memo2->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_TRUE(form.Panel2->SingleBorder());
    EXPECT_FALSE(form.Panel1->SingleBorder());
    EXPECT_FALSE(form.Panel3->SingleBorder());
}

TEST_F(LayoutTest, PanelsHoldTheirControlsAtTheirPlaces) {
    struct Placed {
        QWidget* control;
        QWidget* panel;
        QRect rect;  // an empty size: only the position is fixed
    };
    const Placed placed[] = {
        {form.Label1, form.Panel2, {8, 9, 0, 0}},
        {form.Label2, form.Panel2, {8, 33, 0, 0}},
        {form.Label3, form.Panel2, {8, 59, 0, 0}},
        {form.Edit1, form.Panel2, {216, 5, 737, 21}},
        {form.Edit2, form.Panel2, {216, 30, 737, 21}},
        {form.Edit3, form.Panel2, {216, 55, 737, 21}},
        {form.Label5, form.Panel3, {0, 8, 177, 0}},
        {form.Label4, form.Panel3, {271, 8, 0, 0}},
        {form.Edit4, form.Panel3, {435, 5, 121, 22}},
        {form.Memo2, form.Panel3, {616, 4, 273, 23}},
        {form.TableIDLabel, form.Panel3, {904, 8, 64, 13}},
        {form.Button1, form.Panel1, {0, 8, 121, 25}},
        {form.Button3, form.Panel1, {128, 8, 75, 25}},
        {form.Button2, form.Panel1, {893, 8, 75, 25}},
    };
    for (const Placed& p : placed) {
        SCOPED_TRACE(p.control->metaObject()->className() + std::string(" at ") + std::to_string(p.rect.left()));
        EXPECT_EQ(p.control->parentWidget(), p.panel);
        EXPECT_EQ(p.control->pos(), p.rect.topLeft());
        if (p.rect.width() > 0) {
            EXPECT_EQ(p.control->width(), p.rect.width());
        }
        if (p.rect.height() > 0) {
            EXPECT_EQ(p.control->height(), p.rect.height());
        }
    }
    // Labels end before the fields beside them.
    EXPECT_LE(form.Label2->geometry().right(), form.Edit2->x());
    EXPECT_LE(form.Label4->geometry().right(), form.Edit4->x());
    const std::pair<QWidget*, const char*> texts[] = {
        {form.Label1, "Наименование организации"}, {form.Label2, "Адрес и номер телефона организации"},
        {form.Label3, "ФИО контактного лица"},     {form.Label5, "* Необходимо заполнить все поля!"},
        {form.Label4, "Количество выключателей, шт."},
    };
    for (const auto& [label, text] : texts) EXPECT_EQ(static_cast<QLabel*>(label)->text(), QString::fromUtf8(text));
    EXPECT_EQ(form.Button1->text(), QStringLiteral("Сохранить в pdf"));
    EXPECT_EQ(form.Button3->text(), QStringLiteral("Сбросить"));
    EXPECT_EQ(form.Button2->text(), QStringLiteral("Закрыть"));
    EXPECT_EQ(form.Edit4->MinValue(), 1);
    EXPECT_EQ(form.Edit4->MaxValue(), 999999);
    EXPECT_TRUE(form.Memo1->isReadOnly());
    EXPECT_TRUE(form.Memo3->isReadOnly());
    EXPECT_FALSE(form.Memo4->isReadOnly());
    EXPECT_TRUE(form.Memo2->isHidden());
    EXPECT_TRUE(form.TableIDLabel->isHidden());
    EXPECT_EQ(form.TableIDLabel->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

TEST_F(LayoutTest, GridsAsLaidOut) {
    struct Case {
        TInspectorGrid* grid;
        int rows;
        QSize client;
    };
    for (const Case& c : {Case{form.InspectorGrid1, 8, {964, 144}}, Case{form.InspectorGrid2, 10, {964, 181}}}) {
        SCOPED_TRACE(c.rows);
        TInspectorGrid& g = *c.grid;
        EXPECT_EQ(g.Rows().Count(), c.rows);
        EXPECT_EQ(g.Rows().Height(), 18);
        EXPECT_EQ(g.Columns()[0].Width(), 480);
        EXPECT_EQ(g.Columns()[1].Width(), 485);
        EXPECT_EQ(g.viewport()->size(), c.client);
        EXPECT_FALSE(g.verticalScrollBar()->isVisible()) << "every row fits";
        EXPECT_TRUE(g.Color() == clWindow);
        EXPECT_EQ(g.GridMode(), TInspectorGridMode::gmStandard);
        EXPECT_TRUE(g.ShowCellTips());
        EXPECT_TRUE(g.ShowHint());
        EXPECT_TRUE(g.AlwaysEdit());
        const std::tuple<const TFont&, TControlColor, bool> fonts[] = {
            {g.NameFont(), clBtnText, false}, {g.ValueFont(), clNavy, false}, {g.CategoryFont(), clPurple, true}};
        for (const auto& [font, colour, bold] : fonts) {
            EXPECT_EQ(font.Font.family(), QStringLiteral("MS Sans Serif"));
            EXPECT_EQ(font.Font.pixelSize(), 11);
            EXPECT_TRUE(font.Color == colour);
            EXPECT_EQ(font.Font.bold(), bold);
        }
        for (int r = 0; r < c.rows; ++r) {
            const TGroup group = c.rows == 8 ? TGroup::Breaker : TGroup::Accessory;
            EXPECT_EQ(g.CellText({0, r}).toStdString(), TQuestionnaire::Caption(group, r));
        }
    }
}

// Tab walks the controls in the window's order, the note last; Shift+Tab walks back.
TEST_F(LayoutTest, TabOrder) {
    form.Button1->setEnabled(true);  // as for a complete questionnaire
    const std::pair<QWidget*, const char*> order[] = {
        {form.Edit2, "Edit2"},   {form.Edit3, "Edit3"},     {form.InspectorGrid1, "InspectorGrid1"},
        {form.InspectorGrid2, "InspectorGrid2"}, {form.Edit4, "Edit4"}, {form.Memo1, "Memo1"},
        {form.Memo3, "Memo3"},   {form.Button1, "Button1"}, {form.Button3, "Button3"},
        {form.Button2, "Button2"}, {form.Memo4, "Memo4"},   {form.Edit1, "Edit1"},
    };
    QTest::mouseClick(form.Edit1, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(form.Edit1->hasFocus());
    for (const auto& [control, name] : order) {
        Key(Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == control || control->isAncestorOf(focus))
            << "expected " << name << ", the focus is on " << (focus ? focus->metaObject()->className() : "nothing");
    }
    for (int i = static_cast<int>(std::size(order)) - 2; i >= 0; --i) {
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == order[i].first || order[i].first->isAncestorOf(focus)) << "back to " << order[i].second;
    }
    form.Button1->setEnabled(false);
    QTest::mouseClick(form.Memo3->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    Key(Qt::Key_Tab);
    EXPECT_TRUE(form.Button3->hasFocus()) << "a disabled save button is passed over";
}

// A read-only memo shows its selection while it has the focus only, as the
// desktop's read-only fields do; the selection itself is kept.
TEST_F(LayoutTest, ReadOnlyMemosShowTheirSelectionOnlyWhileFocused) {
    const QPalette standard = QApplication::palette(form.Memo1);
    const auto highlighted = [&](QPlainTextEdit* memo) {
        const QImage image = memo->viewport()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y) | 0xFF000000u;
                count += c == standard.color(QPalette::Active, QPalette::Highlight).rgb() ||
                         c == standard.color(QPalette::Inactive, QPalette::Highlight).rgb();
            }
        return count;
    };
    for (QPlainTextEdit* memo : {form.Memo1, form.Memo3}) {
        SCOPED_TRACE(memo == form.Memo1 ? "Memo1" : "Memo3");
        memo->setPlainText(QStringLiteral("Воздушный автоматический выключатель серии ЛК63-19"));
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(memo->hasFocus());
        Key(Qt::Key_A, Qt::ControlModifier);
        ASSERT_TRUE(memo->textCursor().hasSelection());
        EXPECT_GT(highlighted(memo), 0) << "selected and focused";
        QTest::mouseClick(form.Edit1, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_FALSE(memo->hasFocus());
        EXPECT_EQ(highlighted(memo), 0) << "the focus went elsewhere";
        EXPECT_TRUE(memo->textCursor().hasSelection()) << "kept for when the focus comes back";
    }
}

TEST_F(LayoutTest, CloseEndsTheWindow) {
    ClickButton(form.Button2);
    EXPECT_FALSE(form.isVisible());
}

TEST(SavePictureTest, ARedPageWithAFoldedCornerAndItsGreyCopy) {
    const QImage picture = SavePicture();
    ASSERT_EQ(picture.size(), QSize(16, 16));
    const auto isRed = [](QRgb c) { return qAlpha(c) > 200 && qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) < 80; };
    int red = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) red += isRed(picture.pixel(x, y));
    EXPECT_GT(red, 30) << "outlined and marked in red";
    EXPECT_EQ(qAlpha(picture.pixel(14, 0)), 0) << "the corner is folded away";
    EXPECT_EQ(qAlpha(picture.pixel(0, 8)), 0) << "a page, not a square";
    EXPECT_TRUE(isRed(picture.pixel(8, 8)) || isRed(picture.pixel(8, 7)) || isRed(picture.pixel(7, 8)))
        << "a symbol in its middle";

    const QImage grey = GreyedPicture(picture);
    std::set<int> levels;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb c = grey.pixel(x, y);
            EXPECT_EQ(qAlpha(c), qAlpha(picture.pixel(x, y))) << x << "," << y << ": the shape is kept";
            if (qAlpha(c) == 0) continue;
            EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << x << "," << y;
            levels.insert(qRed(c));
        }
    }
    EXPECT_GE(levels.size(), 3u) << "the page, its outline and its symbol stay apart";
}

TEST_F(LayoutTest, TheSaveButtonShowsTheGreyPictureWhileDisabled) {
    const QImage disabled = form.Button1->icon().pixmap(16, QIcon::Disabled).toImage();
    const QImage normal = form.Button1->icon().pixmap(16, QIcon::Normal).toImage();
    EXPECT_EQ(disabled, GreyedPicture(SavePicture()).convertToFormat(disabled.format()));
    EXPECT_EQ(normal, SavePicture().convertToFormat(normal.format()));
    EXPECT_EQ(form.Button1->iconSize(), QSize(16, 16));
}

}  // namespace
}  // namespace lk63
