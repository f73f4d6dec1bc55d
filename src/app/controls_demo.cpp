// A window to try the editing controls by hand: an inspector grid of ten
// rows whose values are chosen from pick lists with long option texts, and
// a spin edit for a quantity.

#include <vector>

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "controls/event_guard.h"
#include "controls/inspector_grid.h"
#include "controls/spin_edit.h"

namespace {

struct TDemoRow {
    QString name;
    QStringList options;
    int chosen = -1;
};

std::vector<TDemoRow> DemoRows() {
    return {
        {QStringLiteral("2.1 Моторный привод"),
         {QStringLiteral("Нет"), QStringLiteral("Моторный привод ~230 В, 50 Гц с блоком управления и кабелем подключения"),
          QStringLiteral("Моторный привод =110 В с блоком управления")}},
        {QStringLiteral("2.2 Электромагнит включения"),
         {QStringLiteral("Нет"), QStringLiteral("Электромагнит включения ~230 В"),
          QStringLiteral("Электромагнит включения =220 В")}},
        {QStringLiteral("2.3 Независимый расцепитель"),
         {QStringLiteral("Нет"), QStringLiteral("Независимый расцепитель ~230 В, 50 Гц, с контактом сигнализации срабатывания"),
          QStringLiteral("Независимый расцепитель =24 В")}},
        {QStringLiteral("2.4 Минимальный расцепитель напряжения"),
         {QStringLiteral("Нет"), QStringLiteral("Минимальный расцепитель ~400 В"),
          QStringLiteral("Минимальный расцепитель ~230 В")}},
        {QStringLiteral("2.5 Блок задержки минимального расцепителя"),
         {QStringLiteral("Нет"), QStringLiteral("Блок задержки 0,5…3 с, регулируемый, для минимального расцепителя ~230 В")}},
        {QStringLiteral("2.6 Вспомогательные контакты"),
         {QStringLiteral("4 переключающих (стандартно)"), QStringLiteral("6 переключающих"),
          QStringLiteral("8 переключающих, с выводом на клеммник втычного исполнения")}},
        {QStringLiteral("2.7 Блокировка ключом"),
         {QStringLiteral("Нет"), QStringLiteral("Блокировка в отключённом положении одним ключом"),
          QStringLiteral("Блокировка двумя разными ключами")}},
        {QStringLiteral("2.8 Механическая блокировка"),
         {QStringLiteral("Нет"), QStringLiteral("Тросовая блокировка двух выключателей"),
          QStringLiteral("Рычажная блокировка трёх выключателей, установленных вертикально")}},
        {QStringLiteral("2.9 Дополнительные контакты"),
         {QStringLiteral("Нет"), QStringLiteral("Контакты положения «вкачен», «испытание», «выкачен»")}},
        {QStringLiteral("2.10 Межфазные перегородки"), {QStringLiteral("Нет"), QStringLiteral("Есть")}},
    };
}

lk63::TFont DemoFont(lk63::TControlColor color, bool bold = false) {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    font.setBold(bold);
    return {font, color};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<TDemoRow> rows = DemoRows();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Элементы управления"));
    window.resize(984, 300);

    auto* caption = new QLabel(QStringLiteral("Дополнительные устройства"), &window);
    caption->setGeometry(8, 8, 400, 18);

    auto* grid = new lk63::TInspectorGrid(&window);
    grid->setGeometry(8, 30, 968, 185);
    grid->SetColor(lk63::clWindow);
    grid->SetGridMode(lk63::TInspectorGridMode::gmStandard);
    grid->Rows().SetHeight(18);
    grid->SetShowCellTips(true);
    grid->SetNameFont(DemoFont(lk63::clBtnText));
    grid->SetValueFont(DemoFont(lk63::clNavy));
    grid->SetCategoryFont(DemoFont(lk63::clPurple, true));

    auto* status = new QLabel(&window);
    status->setGeometry(8, 260, 960, 18);

    grid->OnGetCellText = [&rows](lk63::TCustomGridView&, const lk63::TGridCell& cell, QString& value) {
        const TDemoRow& row = rows.at(static_cast<std::size_t>(cell.Row));
        if (cell.Col == 0) value = row.name;
        else if (row.chosen >= 0) value = row.options.at(row.chosen);
    };
    grid->OnGetEditText = grid->OnGetCellText;
    grid->OnGetEditStyle = [](lk63::TCustomGridView&, const lk63::TGridCell& cell, lk63::TGridEditStyle& style) {
        if (cell.Col == 1) style = lk63::TGridEditStyle::gePickList;
    };
    grid->OnGetEditList = [&rows](lk63::TCustomGridView&, const lk63::TGridCell& cell, QStringList& items) {
        items = rows.at(static_cast<std::size_t>(cell.Row)).options;
    };
    grid->OnEditCanModify = [](lk63::TCustomGridView&, const lk63::TGridCell&, bool& canModify) {
        canModify = false;
    };
    grid->OnEditCloseUp = [&rows, status](lk63::TCustomGridView& sender, const lk63::TGridCell& cell, int itemIndex,
                                          bool& accept) {
        status->setText(QStringLiteral("Закрыт список строки %1: ItemIndex %2, Accept %3")
                            .arg(cell.Row + 1)
                            .arg(itemIndex)
                            .arg(accept ? QStringLiteral("true") : QStringLiteral("false")));
        if (!accept || itemIndex < 0) return;
        rows.at(static_cast<std::size_t>(cell.Row)).chosen = itemIndex;
        sender.RefreshCell({1, cell.Row});
    };
    grid->Rows().SetCount(static_cast<int>(rows.size()));
    grid->Columns()[0].SetWidth(480);

    auto* quantityLabel = new QLabel(QStringLiteral("Количество выключателей, шт.:"), &window);
    quantityLabel->setGeometry(8, 228, 200, 22);
    auto* quantity = new lk63::TSpinEdit(&window);
    QFont spinFont(QStringLiteral("MS Sans Serif"));
    spinFont.setPixelSize(11);
    quantity->setFont(spinFont);
    quantity->setGeometry(212, 228, 121, 22);
    quantity->SetMinValue(1);
    quantity->SetMaxValue(999999);
    quantity->SetValue(1);

    window.show();
    grid->SetFocus();
    return QApplication::exec();
}
