#include "questionnaire/derived_texts.h"

#include <gtest/gtest.h>

#include "questionnaire/choose.h"

namespace lk63 {
namespace {

using Ints = std::vector<int>;

TDerivedTexts Derive(const Ints& breaker, const Ints& accessory) {
    TQuestionnaire q;
    testing::ChooseAll(q, breaker, accessory);
    EXPECT_TRUE(q.SaveEnabled());
    return q.Texts();
}

TEST(DerivedTexts, EveryFirstOption) {
    const TDerivedTexts t = Derive(Ints(8, 0), Ints(10, 0));
    EXPECT_EQ(t.Description,
              "Воздушный автоматический выключатель серии ЛК63-19, номинальный ток - 200 А, номинальная "
              "предельная наибольшая отключающая способность (Icu), кА (действ.) - 65 кА при АС 400 В, 42 "
              "кА при АС 690 В, габарит - ЛК63-19-1000, 3-полюсный, выдвижное исполнение, горизонтальное "
              "расположение шин, электронный расцепитель - TK71, напряжение питания электронного "
              "расцепителя - DC 24 В, тип протокола передачи данных электронного расцепителя - Modbus, "
              "моторный привод - отсутствует, электромагнит включения - отсутствует, независимый "
              "расцепитель - отсутствует, расцепитель минимального напряжения (мгновенный) - отсутствует, "
              "блок выдержки времени расцепителя минимального напряжения - отсутствует, вспомогательные "
              "контакты - 4 пары переключающих контактов, блокировка включения выключателя ключом - "
              "отсутствует, механическая взаимоблокировка - Отсутствует, дополнительные контакты - "
              "отсутствуют, межполюсные перегородки - отсутствуют");
    EXPECT_EQ(t.OrderCode, "ЛК63191000023H003300XH100");
    EXPECT_EQ(t.Composition, (std::vector<std::string>{
                                 "Автоматический выключатель ЛК63191000023HM00C00S0033U00",
                                 "Вспомогательные контакты - 4 пары KTR/D9857Q"}));
}

TEST(DerivedTexts, AFullyEquippedFourPoleBreaker) {
    const TDerivedTexts t = Derive({8, 3, 3, 1, 1, 9, 3, 2}, {1, 1, 1, 1, 2, 3, 2, 1, 3, 1});
    EXPECT_EQ(t.OrderCode, "ЛК63192500254V35C2F5HK461");
    EXPECT_EQ(t.Composition,
              (std::vector<std::string>{
                  "Автоматический выключатель ЛК63192500H254VM32C32S3242U49",
                  "Вспомогательные контакты - 6 НО и 6 НЗ контакта KTR/D96011",
                  "Блокировка кнопок ВКЛ./ОТКЛ. KTB/D68",
                  "Механическая взаимоблокировка на два комплекта для двух автоматических выключателей KPB/DU6",
                  "Контакты индикации положения выключателя в корзине KRP/D960",
                  "Межполюсные перегородки KEP/D8657J"}));
    EXPECT_NE(t.Description.find(", 4-полюсный, выдвижное исполнение, вертикальное расположение шин, "),
              std::string::npos);
    EXPECT_NE(t.Description.find("моторный привод - АС 230 B, "), std::string::npos);
    EXPECT_NE(t.Description.find("блокировка включения выключателя ключом - два замка, один ключ, "),
              std::string::npos);
    EXPECT_NE(t.Description.find("межполюсные перегородки - имеются"), std::string::npos);
}

// One composition line per accessory item, keyed by the frame and poles.
TEST(DerivedTexts, AccessoryLinesFollowTheirKeys) {
    struct Case {
        const char* what;
        Ints breaker, accessory;
        std::size_t lines;
        std::string lastLine;
    } const cases[] = {
        {"aux contacts 2 on the 1000 frame", Ints(8, 0), {0, 0, 0, 0, 0, 2, 0, 0, 0, 0},
         2, "Вспомогательные контакты - 4 НО и 4 НЗ контакта KTR/D98577"},
        {"2900 А, four poles, withdrawable, 4000 frame", {9, 4, 5, 1, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
         3, "Межполюсные перегородки KEP/D6757J"},
        {"2500 А through 4000M", {8, 4, 5, 1, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
         3, "Межполюсные перегородки KEP/D8657J"},
        {"2500 А through 4000H", {8, 5, 6, 1, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
         3, "Межполюсные перегородки KEP/D8657J"},
        {"stationary 6300 three poles", {13, 6, 7, 0, 4, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
         3, "Межполюсные перегородки KEP/D6759U"},
        {"additional contacts described in the note", Ints(8, 0), {0, 0, 0, 0, 0, 0, 0, 0, 5, 0}, 2,
         "Вспомогательные контакты - 4 пары KTR/D9857Q"},
    };
    for (const Case& c : cases) {
        const TDerivedTexts t = Derive(c.breaker, c.accessory);
        ASSERT_EQ(t.Composition.size(), c.lines) << c.what;
        EXPECT_EQ(t.Composition.back(), c.lastLine) << c.what;
    }
}

TEST(DerivedTexts, AnOptionWithoutACompositionItemIsStillDescribedAndCoded) {
    const TDerivedTexts t = Derive(Ints(8, 0), {0, 0, 0, 0, 0, 0, 0, 0, 5, 0});
    EXPECT_NE(t.Description.find("дополнительные контакты - комплект из нескольких указанных в данном меню "
                                 "дополнительных контактов (указать в примечании)"),
              std::string::npos);
    EXPECT_EQ(t.OrderCode, "ЛК63191000023H003300F0100");
}

TEST(DerivedTexts, IncompleteOrUnknownTableGivesNoCodes) {
    TQuestionnaire q;
    testing::ChooseAll(q, Ints(8, 0), Ints(9, 0));
    EXPECT_TRUE(q.Texts().Empty());

    std::array<std::int8_t, kBreakerRows> breaker{};
    std::array<std::int8_t, kAccessoryRows> accessory{};
    const TDerivedTexts undetermined = BuildDerivedTexts(breaker, accessory, -1);
    EXPECT_EQ(undetermined.Description, "Автоматический выключатель НЕ ОПРЕДЕЛЁН");
    EXPECT_TRUE(undetermined.OrderCode.empty());
    EXPECT_TRUE(undetermined.Composition.empty());

    accessory[0] = -1;
    EXPECT_TRUE(BuildDerivedTexts(breaker, accessory, 1).Empty());
}

}  // namespace
}  // namespace lk63
