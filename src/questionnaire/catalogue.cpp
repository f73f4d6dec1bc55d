// The catalogue of the ЛК63-19 series, compiled in. Several texts mix Latin
// and Cyrillic letters that look alike; the exact letters are part of the data
// (the order code and the factory's reading of it depend on them).
#include "questionnaire/catalogue.h"

namespace lk63 {
namespace {

constexpr std::string_view BreakerCaptionsData[] = {
    "1.1 Номинальный ток",
    "1.2 Номинальная предельная наибольшая отключающая способность (Icu), кА (действ.)",
    "1.3 Габарит",
    "1.4 Количество полюсов",
    "1.5 Исполнение",
    "1.6 Электронный расцепитель",
    "1.7 Напряжение питания электронного расцепителя",
    "1.8 Тип протокола передачи данных электронного расцепителя",
};
constexpr std::string_view AccessoryCaptionsData[] = {
    "2.1 Моторный привод",
    "2.2 Электромагнит включения",
    "2.3 Независимый расцепитель",
    "2.4 Расцепитель минимального напряжения (мгновенный)",
    "2.5 Блок выдержки времени расцепителя минимального напряжения",
    "2.6 Вспомогательные контакты",
    "2.7 Блокировка включения выключателя ключом",
    "2.8 Механическая взаимоблокировка",
    "2.9 Дополнительные контакты",
    "2.10 Межполюсные перегородки",
};
constexpr TParamItem RatedCurrentsData[] = {
    {"200 А", 0x03},
    {"400 А", 0x03},
    {"630 А", 0x2F},
    {"800 А", 0x2F},
    {"1000 А", 0x3F},
    {"1250 А", 0x3E},
    {"1600 А", 0x3E},
    {"2000 А", 0x3C},
    {"2500 А", 0x3C},
    {"2900 А", 0x30},
    {"3200 А", 0x30},
    {"3600 А", 0x30},
    {"4000 А", 0xF0},
    {"5000 А", 0xC0},
    {"6300 А", 0xC0},
};
constexpr TParamItem BreakingCapacitiesData[] = {
    {"65 кА при АС 400 В, 42 кА при АС 690 В", 0},
    {"65 кА при АС 400 В, 50 кА при АС 690 В", 0},
    {"65 кА при АС 400 В, 55 кА при АС 690 В", 0},
    {"85 кА при АС 400 В, 65 кА при АС 690 В", 0},
    {"85 кА при АС 400 В, 75 кА при АС 690 В", 0},
    {"100 кА при АС 400 В, 85 кА при АС 690 В", 0},
    {"120 кА при АС 400 В, 85 кА при АС 690 В", 0},
    {"135 кА при АС 400 В, 100 кА при АС 690 В", 0},
};
constexpr TParamItem FrameSizesData[] = {
    {"ЛК63-19-1000", 0},
    {"ЛК63-19-1600", 0},
    {"ЛК63-19-2500M", 0},
    {"ЛК63-19-2500H", 0},
    {"ЛК63-19-2500S", 0},
    {"ЛК63-19-4000M", 0},
    {"ЛК63-19-4000H", 0},
    {"ЛК63-19-6300M", 0},
    {"ЛК63-19-6300H", 0},
};
constexpr TParamItem PoleCountsData[] = {
    {"3", 0},
    {"4", 0},
};
constexpr TParamItem ExecutionsData[] = {
    {"Выдвижное исполнение, горизонтальное расположение шин", 0},
    {"Выдвижное исполнение, вертикальное расположение шин", 0},
    {"Выдвижное, верхние горизонтальные и нижние вертикальные шины", 0},
    {"Выдвижное, верхние вертикальные и нижние горизонтальные шины", 0},
    {"Стационарное исполнение, горизонтальное расположение шин", 0},
    {"Стационарное исполнение, вертикальное расположение шин", 0},
    {"Стационарное, верхние горизонтальные и нижние вертикальные шины", 0},
    {"Стационарное, верхние вертикальные и нижние горизонтальные шины", 0},
};
constexpr TParamItem TripUnitsData[] = {
    {"TK71", 0},
    {"TK72", 0},
    {"TB71", 0},
    {"TB72", 0},
    {"TD71", 0},
    {"TD72", 0},
    {"TV71", 0},
    {"TV72", 0},
    {"TU71", 0},
    {"TU72", 0},
};
constexpr TParamItem TripUnitSuppliesData[] = {
    {"DC 24 В", 0},
    {"DC 110 В", 0},
    {"DC 220 В", 0},
    {"AC 230 В", 0},
    {"AC 400 В", 0},
};
constexpr TParamItem TripUnitProtocolsData[] = {
    {"Modbus", 0},
    {"Profibus", 0},
    {"Devicenet", 0},
    {"CAN", 0},
    {"WiFi", 0},
};
constexpr TParamItem MotorDrivesData[] = {
    {"Отсутствует", 0},
    {"АС 230 B", 0},
    {"АС 400 B", 0},
    {"DC 220 B", 0},
    {"DC 110 B", 0},
};
constexpr TParamItem ClosingSolenoidsData[] = {
    {"Отсутствует", 0},
    {"АС 230 B", 0},
    {"АС 400 B", 0},
    {"DC 220 B", 0},
    {"DC 110 B", 0},
};
constexpr TParamItem ShuntReleasesData[] = {
    {"Отсутствует", 0},
    {"АС 230 B", 0},
    {"АС 400 B", 0},
    {"DC 220 B", 0},
    {"DC 110 B", 0},
};
constexpr TParamItem UndervoltageReleasesData[] = {
    {"Отсутствует", 0},
    {"АС 230 B", 0},
    {"АС 400 B", 0},
    {"DC 220 B", 0},
    {"DC 110 B", 0},
};
constexpr TParamItem DelayUnitsData[] = {
    {"Отсутствует", 0},
    {"0,5/1/2/3 сек", 0},
    {"0,5/4/5/9 сек", 0},
};
constexpr TParamItem AuxContactsData[] = {
    {"4 пары переключающих контактов", 0},
    {"6 пар переключающих контактов", 0},
    {"4 нормально-открытых контакта и 4 нормально-закрытых контакта", 0},
    {"6 нормально-открытых контакта и 6 нормально-закрытых контакта", 0},
};
constexpr TParamItem KeyInterlocksData[] = {
    {"Отсутствует", 0},
    {"Один замок, один ключ", 0},
    {"Два замка, один ключ", 0},
    {"Три замка, два ключа", 0},
};
constexpr TParamItem MechInterlocksData[] = {
    {"Отсутствует", 0},
    {"Два комплекта для двух автоматических выключателей. Механическая взаимоблокировка при помощи стальных тросов", 0},
    {"Два комплекта для двух автоматических выключателей. Механическая взаимоблокировка при помощи жестких тяг", 0},
    {"Три комплекта для трех автоматических выключателей. Механическая взаимоблокировки при помощи стальных тросов по схеме \"3 выключателя: 2 источника + 1 секционный выключатель\"", 0},
    {"Три комплекта для трех автоматических выключателей. Механическая взаимоблокировка при помощи жестких тяг по схеме \"3 выключателя: 3 источника, один выключатель включен\"", 0},
    {"Три комплекта для трех автоматических выключателей. Механическая взаимоблокировка при помощи жестких тяг по схеме \"3 выключателя: 2 \"рабочих\" источника + 1 \"резервный\" источник с выбором источников", 0},
    {"Три комплекта для трех автоматических выключателей. Механическая взаимоблокировка при помощи жестких тяг по схеме \"3 выключателя: 2 источника + 1 секционный выключатель\"", 0},
};
constexpr TParamItem ExtraContactsData[] = {
    {"Отсутствуют", 0},
    {"Контакты индикации готовности выключателя к включению", 0},
    {"Удаленный сброс", 0},
    {"Контакты положения выключателя в корзине", 0},
    {"Контакты индикации взвода пружины", 0},
    {"Комплект из нескольких указанных в данном меню дополнительных контактов (указать в примечании)", 0},
};
constexpr TParamItem PhaseBarriersData[] = {
    {"Отсутствуют", 0},
    {"Имеются", 0},
};
constexpr std::string_view VoltageWordsData[] = {
    "отсутствует",
    "АС 230 B",
    "АС 400 B",
    "DC 220 B",
    "DC 110 B",
};
constexpr std::string_view DelayWordsData[] = {
    "отсутствует",
    "0,5/1/2/3 сек",
    "0,5/4/5/9 сек",
};
constexpr std::string_view CurrentCodesData[] = {
    "02",
    "04",
    "06",
    "08",
    "10",
    "12",
    "16",
    "20",
    "25",
    "29",
    "32",
    "36",
    "40",
    "50",
    "63",
};
constexpr std::string_view FrameCodesData[] = {
    "1000",
    "1600",
    "2501",
    "2500",
    "2502",
    "4000",
    "4001",
    "6300",
    "6301",
};
constexpr std::string_view AccessoryCodesData[] = {
    "1",
    "A",
    "2",
    "B",
    "3",
    "C",
    "4",
    "D",
    "5",
    "E",
    "6",
    "F",
    "7",
    "G",
    "8",
    "H",
};
constexpr std::string_view TripCodesData[] = {
    "33",
    "34",
    "35",
    "36",
    "37",
    "38",
    "39",
    "40",
    "41",
    "42",
    "A3",
    "A4",
    "A5",
    "A6",
    "A7",
    "A8",
    "A9",
    "B0",
    "B1",
    "B2",
    "B3",
    "B4",
    "B5",
    "B6",
    "B7",
    "B8",
    "B9",
    "C0",
    "C1",
    "C2",
    "C3",
    "C4",
    "C5",
    "C6",
    "C7",
    "C8",
    "C9",
    "E0",
    "E1",
    "E2",
    "E3",
    "E4",
    "E5",
    "E6",
    "E7",
    "E8",
    "E9",
    "F0",
    "F1",
    "F2",
};
constexpr TCodeItem CodeItemsData[] = {
    {"M001", "1"},
    {"M002", "7"},
    {"M003", "2"},
    {"M004", "8"},
    {"M011", "A"},
    {"M012", "P"},
    {"M013", "G"},
    {"M014", "V"},
    {"M021", "B"},
    {"M022", "Q"},
    {"M023", "H"},
    {"M024", "W"},
    {"M101", "3"},
    {"M102", "9"},
    {"M103", "4"},
    {"M104", "M"},
    {"M111", "C"},
    {"M112", "R"},
    {"M113", "I"},
    {"M114", "X"},
    {"M121", "D"},
    {"M122", "S"},
    {"M123", "J"},
    {"M124", "Y"},
    {"M201", "5"},
    {"M202", "N"},
    {"M203", "6"},
    {"M204", "O"},
    {"M211", "E"},
    {"M212", "T"},
    {"M213", "K"},
    {"M214", "Z"},
    {"M221", "F"},
    {"M222", "U"},
    {"M223", "L"},
    {"M224", "Z"},
    {"V00", "XH"},
    {"V01", "FG"},
    {"V02", "FH"},
    {"V03", "FK"},
    {"V04", "FL"},
    {"V05", "F0"},
    {"V10", "XG"},
    {"V11", "EG"},
    {"V12", "EH"},
    {"V13", "EK"},
    {"V14", "EL"},
    {"V15", "E0"},
    {"V20", "XK"},
    {"V21", "GG"},
    {"V22", "GH"},
    {"V23", "GK"},
    {"V24", "GL"},
    {"V25", "G0"},
    {"V30", "XL"},
    {"V31", "HG"},
    {"V32", "HH"},
    {"V33", "HK"},
    {"V34", "HL"},
    {"V35", "H0"},
    {"U011", "U01"},
    {"U012", "U10"},
    {"U013", "U02"},
    {"U014", "U03"},
    {"U031", "U33"},
    {"U032", "U30"},
    {"U033", "U34"},
    {"U034", "U35"},
    {"U041", "U43"},
    {"U042", "U40"},
    {"U043", "U44"},
    {"U044", "U45"},
    {"U111", "U13"},
    {"U112", "U11"},
    {"U113", "U14"},
    {"U114", "U15"},
    {"U131", "U36"},
    {"U132", "U31"},
    {"U133", "U37"},
    {"U134", "U38"},
    {"U141", "U46"},
    {"U142", "U41"},
    {"U143", "U47"},
    {"U144", "U48"},
    {"U211", "U16"},
    {"U212", "U12"},
    {"U213", "U17"},
    {"U214", "U18"},
    {"U231", "U39"},
    {"U232", "U32"},
    {"U233", "U51"},
    {"U234", "U52"},
    {"U241", "U49"},
    {"U242", "U42"},
    {"U243", "U53"},
    {"U244", "U54"},
    {"ДС26:01", "Вспомогательные контакты - 4 пары KTR/D9857Q"},
    {"ДС26:03", "Вспомогательные контакты - 4 пары KTR/D9817Q"},
    {"ДС26:04", "Вспомогательные контакты - 4 пары KTR/D9607Q"},
    {"ДС26:11", "Вспомогательные контакты - 6 пар KTR/D9851Q"},
    {"ДС26:13", "Вспомогательные контакты - 6 пар KTR/D9811Q"},
    {"ДС26:14", "Вспомогательные контакты - 6 пар KTR/D9601Q"},
    {"ДС26:21", "Вспомогательные контакты - 4 НО и 4 НЗ контакта KTR/D98577"},
    {"ДС26:23", "Вспомогательные контакты - 4 НО и 4 НЗ контакта KTR/D98177"},
    {"ДС26:24", "Вспомогательные контакты - 4 НО и 4 НЗ контакта KTR/D96077"},
    {"ДС26:31", "Вспомогательные контакты - 6 НО и 6 НЗ контакта KTR/D98511"},
    {"ДС26:33", "Вспомогательные контакты - 6 НО и 6 НЗ контакта KTR/D98111"},
    {"ДС26:34", "Вспомогательные контакты - 6 НО и 6 НЗ контакта KTR/D96011"},
    {"ДС27:1", "Блокировка кнопок ВКЛ./ОТКЛ. KTB/D88"},
    {"ДС27:2", "Блокировка кнопок ВКЛ./ОТКЛ. KTB/D68"},
    {"ДС27:3", "Блокировка кнопок ВКЛ./ОТКЛ. KTB/D98"},
    {"ДС28:1", "Механическая взаимоблокировка на два комплекта для двух автоматических выключателей KPB/DU6"},
    {"ДС28:2", "Механическая взаимоблокировка на два комплекта для двух автоматических выключателей KPB/DV6"},
    {"ДС28:3", "Механическая взаимоблокировка на три комплекта для трех автоматических выключателей KPB/DU9"},
    {"ДС28:4", "Механическая взаимоблокировка на три комплекта для трех автоматических выключателей KPB/DV98"},
    {"ДС28:5", "Механическая взаимоблокировка на три комплекта для трех автоматических выключателей KPB/DV96"},
    {"ДС28:6", "Механическая взаимоблокировка на три комплекта для трех автоматических выключателей KPB/DV99"},
    {"ДС29:11", "Контакты индикации готовности выключателя к включению KDV/D981"},
    {"ДС29:13", "Контакты индикации готовности выключателя к включению KDV/D960"},
    {"ДС29:21", "Контакты дистанционного сброса KUA/D9"},
    {"ДС29:23", "Контакты дистанционного сброса KUA/D9"},
    {"ДС29:31", "Контакты индикации положения выключателя в корзине KRP/D981"},
    {"ДС29:33", "Контакты индикации положения выключателя в корзине KRP/D960"},
    {"ДС29:41", "Контакты индикации взвода пружины KBNR/D981"},
    {"ДС29:43", "Контакты индикации взвода пружины KBNR/D960"},
    {"ДС210:3V10", "Межполюсные перегородки KEP/D6819J"},
    {"ДС210:3V20", "Межполюсные перегородки KEP/D8659J"},
    {"ДС210:3V30", "Межполюсные перегородки KEP/D8659J"},
    {"ДС210:3V40", "Межполюсные перегородки KEP/D6199J"},
    {"ДС210:4V10", "Межполюсные перегородки KEP/D6817J"},
    {"ДС210:4V20", "Межполюсные перегородки KEP/D8657J"},
    {"ДС210:4V30", "Межполюсные перегородки KEP/D8657J"},
    {"ДС210:4V35", "Межполюсные перегородки KEP/D6757J"},
    {"ДС210:4V40", "Межполюсные перегородки KEP/D6197J"},
    {"ДС210:3S10", "Межполюсные перегородки KEP/D6819U"},
    {"ДС210:3S20", "Межполюсные перегородки KEP/D8659U"},
    {"ДС210:3S30", "Межполюсные перегородки KEP/D6759U"},
    {"ДС210:3S40", "Межполюсные перегородки KEP/D6759U"},
    {"ДС210:4S10", "Межполюсные перегородки KEP/D6817U"},
    {"ДС210:4S20", "Межполюсные перегородки KEP/D8657U"},
    {"ДС210:4S30", "Межполюсные перегородки KEP/D6757U"},
    {"ДС210:4S40", "Межполюсные перегородки KEP/D6757U"},
};
constexpr std::string_view ExecutionLettersData = "HVSXBMCN";
constexpr std::string_view SupplyLettersData = "13245";
constexpr std::string_view AccessoryLettersData = "2134";

constexpr TMaskRow Fill(std::initializer_list<int> options, std::uint32_t mask) {
    TMaskRow row{};
    for (int o : options) row[static_cast<std::size_t>(o)] = mask;
    return row;
}

constexpr TMaskRow Range(int last, std::uint32_t mask) {
    TMaskRow row{};
    for (int o = 0; o <= last; ++o) row[static_cast<std::size_t>(o)] = mask;
    return row;
}

// An accessory voltage is either absent or equal to the one in the row before.
constexpr TMaskRow kSameVoltage = {0x1F, 0x03, 0x05, 0x09, 0x11, 0, 0, 0, 0, 0};

constexpr std::array<TMaskRow, kAccessoryRows> kAccessoryMasks = {
    Range(4, 0x1F),                      // 2.1 by 1.8
    kSameVoltage,                        // 2.2 by 2.1
    kSameVoltage,                        // 2.3 by 2.2
    kSameVoltage,                        // 2.4 by 2.3
    TMaskRow{0x1, 0x7, 0x7, 0x7, 0x7},   // 2.5 by 2.4: a delay unit only with a release
    Range(2, 0xF),                       // 2.6 by 2.5
    Range(3, 0xF),                       // 2.7 by 2.6
    Range(3, 0x7F),                      // 2.8 by 2.7
    Range(6, 0x3F),                      // 2.9 by 2.8
    Range(5, 0x3),                       // 2.10 by 2.9
};

// Rows 1.7 and 1.8 are the same in every table.
constexpr TMaskRow kSupplies = Range(9, 0x1F);
constexpr TMaskRow kProtocols = Range(4, 0x1F);

constexpr TTableItem TablesData[] = {
    {{0, 1, 2, 3, 4}, {0}, 1,
     {TMaskRow{0x001}, Fill({0, 1}, 0x3), Fill({0, 1}, 0x11), Fill({0, 4}, 0x3FF), kSupplies,
      kProtocols},
     kAccessoryMasks},
    {{0, 1, 2, 3, 4, 5, 6}, {1}, 2,
     {Fill({1}, 0x002), Fill({1}, 0x3), Fill({0, 1}, 0xFF), Range(7, 0x3FF), kSupplies, kProtocols},
     kAccessoryMasks},
    {{2, 3, 4, 5, 6, 7, 8}, {2, 3, 5}, 3,
     {TMaskRow{0, 0, 0x004, 0x008, 0, 0x050}, Fill({2, 3, 4, 6}, 0x3), Fill({0, 1}, 0xFF),
      Range(7, 0x3FF), kSupplies, kProtocols},
     kAccessoryMasks},
    {{4, 5, 6, 7, 8, 9, 10, 11, 12}, {4, 5}, 4,
     {TMaskRow{0, 0, 0, 0, 0x020, 0x040}, Fill({5, 6}, 0x3), Fill({0, 1}, 0xFF), Range(7, 0x3FF),
      kSupplies, kProtocols},
     kAccessoryMasks},
    {{12, 13, 14}, {6, 7}, 5,
     {TMaskRow{0, 0, 0, 0, 0, 0, 0x080, 0x100}, Fill({7, 8}, 0x3), Fill({0, 1}, 0xFF),
      Range(7, 0x3FF), kSupplies, kProtocols},
     kAccessoryMasks},
};

}  // namespace

const std::span<const std::string_view, kBreakerRows> BreakerCaptions{BreakerCaptionsData};
const std::span<const std::string_view, kAccessoryRows> AccessoryCaptions{AccessoryCaptionsData};

const TParamList RatedCurrents{RatedCurrentsData};
const TParamList BreakingCapacities{BreakingCapacitiesData};
const TParamList FrameSizes{FrameSizesData};
const TParamList PoleCounts{PoleCountsData};
const TParamList Executions{ExecutionsData};
const TParamList TripUnits{TripUnitsData};
const TParamList TripUnitSupplies{TripUnitSuppliesData};
const TParamList TripUnitProtocols{TripUnitProtocolsData};
const TParamList MotorDrives{MotorDrivesData};
const TParamList ClosingSolenoids{ClosingSolenoidsData};
const TParamList ShuntReleases{ShuntReleasesData};
const TParamList UndervoltageReleases{UndervoltageReleasesData};
const TParamList DelayUnits{DelayUnitsData};
const TParamList AuxContacts{AuxContactsData};
const TParamList KeyInterlocks{KeyInterlocksData};
const TParamList MechInterlocks{MechInterlocksData};
const TParamList ExtraContacts{ExtraContactsData};
const TParamList PhaseBarriers{PhaseBarriersData};

const std::array<TParamList, kBreakerRows> BreakerParams = {
    TParamList{RatedCurrentsData},    TParamList{BreakingCapacitiesData},
    TParamList{FrameSizesData},       TParamList{PoleCountsData},
    TParamList{ExecutionsData},       TParamList{TripUnitsData},
    TParamList{TripUnitSuppliesData}, TParamList{TripUnitProtocolsData},
};
const std::array<TParamList, kAccessoryRows> AccessoryParams = {
    TParamList{MotorDrivesData},          TParamList{ClosingSolenoidsData},
    TParamList{ShuntReleasesData},        TParamList{UndervoltageReleasesData},
    TParamList{DelayUnitsData},           TParamList{AuxContactsData},
    TParamList{KeyInterlocksData},        TParamList{MechInterlocksData},
    TParamList{ExtraContactsData},        TParamList{PhaseBarriersData},
};

const std::span<const TTableItem, 5> Tables{TablesData};

const std::span<const std::string_view, 5> VoltageWords{VoltageWordsData};
const std::span<const std::string_view, 3> DelayWords{DelayWordsData};
const std::span<const std::string_view, 15> CurrentCodes{CurrentCodesData};
const std::span<const std::string_view, 9> FrameCodes{FrameCodesData};
const std::string_view ExecutionLetters = ExecutionLettersData;
const std::span<const std::string_view, 16> AccessoryCodes{AccessoryCodesData};
const std::span<const std::string_view, 50> TripCodes{TripCodesData};
const std::string_view SupplyLetters = SupplyLettersData;
const std::string_view AccessoryLetters = AccessoryLettersData;
const std::span<const TCodeItem, 142> CodeItems{CodeItemsData};

int FindCodeItem(std::string_view code) {
    for (std::size_t i = 0; i < CodeItems.size(); ++i)
        if (CodeItems[i].Code == code) return static_cast<int>(i);
    return -1;
}

}  // namespace lk63
