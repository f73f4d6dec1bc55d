// qt-pdf-peer OUT.pdf: the one-page questionnaire of tests/app/data/all_first.json
// (same texts, same table layout, Arial 10/12/14/16 pt, A4, 10 mm margins)
// written by Qt's own rich text into its own PDF writer. It is the yardstick
// a whole `lk63-order pdf` process is timed against (bench/order_tool_vs_peer.sh).

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <QTextDocument>

#include <cstdio>

namespace {

struct TRow {
    const char* Param;
    const char* Value;
};

constexpr TRow kBreaker[] = {
    {"1.1 Номинальный ток", "200 А"},
    {"1.2 Номинальная предельная наибольшая отключающая способность (Icu), кА (действ.)",
     "65 кА при АС 400 В, 42 кА при АС 690 В"},
    {"1.3 Габарит", "ЛК63-19-1000"},
    {"1.4 Количество полюсов", "3"},
    {"1.5 Исполнение", "Выдвижное исполнение, горизонтальное расположение шин"},
    {"1.6 Электронный расцепитель", "TK71"},
    {"1.7 Напряжение питания электронного расцепителя", "DC 24 В"},
    {"1.8 Тип протокола передачи данных электронного расцепителя", "Modbus"},
};

constexpr TRow kAccessories[] = {
    {"2.1 Моторный привод", "Отсутствует"},
    {"2.2 Электромагнит включения", "Отсутствует"},
    {"2.3 Независимый расцепитель", "Отсутствует"},
    {"2.4 Расцепитель минимального напряжения (мгновенный)", "Отсутствует"},
    {"2.5 Блок выдержки времени расцепителя минимального напряжения", "Отсутствует"},
    {"2.6 Вспомогательные контакты", "4 пары переключающих контактов"},
    {"2.7 Блокировка включения выключателя ключом", "Отсутствует"},
    {"2.8 Механическая взаимоблокировка", "Отсутствует"},
    {"2.9 Дополнительные контакты", "Отсутствуют"},
    {"2.10 Межполюсные перегородки", "Отсутствуют"},
};

constexpr const char* kDescription =
    "Воздушный автоматический выключатель серии ЛК63-19, номинальный ток - 200 А, номинальная предельная "
    "наибольшая отключающая способность (Icu), кА (действ.) - 65 кА при АС 400 В, 42 кА при АС 690 В, габарит - "
    "ЛК63-19-1000, 3-полюсный, выдвижное исполнение, горизонтальное расположение шин, электронный расцепитель - "
    "TK71, напряжение питания электронного расцепителя - DC 24 В, тип протокола передачи данных электронного "
    "расцепителя - Modbus, моторный привод - отсутствует, электромагнит включения - отсутствует, независимый "
    "расцепитель - отсутствует, расцепитель минимального напряжения (мгновенный) - отсутствует, блок выдержки "
    "времени расцепителя минимального напряжения - отсутствует, вспомогательные контакты - 4 пары переключающих "
    "контактов, блокировка включения выключателя ключом - отсутствует, механическая взаимоблокировка - "
    "Отсутствует, дополнительные контакты - отсутствуют, межполюсные перегородки - отсутствуют";

QString Escaped(const char* text) { return QString::fromUtf8(text).toHtmlEscaped(); }

QString Heading(const char* text) {
    return QStringLiteral("<table width='100%' border='1' cellspacing='0' cellpadding='2' style='margin-top:6pt'>"
                          "<tr><td style='font-size:12pt; font-weight:bold'>%1</td></tr></table>")
        .arg(Escaped(text));
}

QString Rows(const TRow* rows, int count) {
    QString html = QStringLiteral("<table width='100%' border='1' cellspacing='0' cellpadding='2'>");
    for (int i = 0; i < count; ++i)
        html += QStringLiteral("<tr><td width='50%'>%1</td><td>%2</td></tr>")
                    .arg(Escaped(rows[i].Param), Escaped(rows[i].Value));
    return html + QStringLiteral("</table>");
}

QString Html() {
    QString html = QStringLiteral("<html><body style='font-family:Arial; font-size:10pt'>");
    html += QStringLiteral(
        "<p align='center' style='font-size:16pt; font-weight:bold; color:#1f4a7d; background:#dbe5f1'>"
        "Автоматические выключатели в литом корпусе серии ЛК63-19</p>"
        "<p align='center' style='font-size:14pt; font-weight:bold; color:#808080'>Опросный лист</p>");
    html += Heading("Данные организации, заполнившей опросный лист");
    const TRow organisation[] = {{"Наименование организации", "ООО Ромашка"},
                                 {"Адрес и номер телефона организации", "г. Москва, +7 495 000-00-00"},
                                 {"ФИО контактного лица", "Иванов И. И."}};
    html += Rows(organisation, 3);
    html += Heading("1 Автоматический выключатель") + Rows(kBreaker, 8);
    html += Heading("2 Аксессуары") + Rows(kAccessories, 10);
    const TRow quantity[] = {{"Количество выключателей, шт.", "2"}};
    html += Rows(quantity, 1);
    html += Heading("Примечание") + QStringLiteral("<p>first line<br>second line</p>");
    html += Heading("Описание") + QStringLiteral("<p>%1</p>").arg(Escaped(kDescription));
    html += Heading("Структурный состав") +
            QStringLiteral("<p>Автоматический выключатель ЛК63191000023HM00C00S0033U00<br>"
                           "Вспомогательные контакты - 4 пары KTR/D9857Q</p><hr>"
                           "<p align='right' style='font-size:1pt'>ЛК63191000023H003300XH100</p>");
    return html + QStringLiteral("</body></html>");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qt-pdf-peer OUT.pdf\n");
        return 2;
    }
    // Fonts and text layout need the GUI side of Qt, not a window.
    QGuiApplication app(argc, argv);
    QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    writer.setTitle(QStringLiteral("Опросный лист"));

    QTextDocument document;
    document.setHtml(Html());
    document.print(&writer);
    return 0;
}
