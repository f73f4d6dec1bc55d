#include "questionnaire/derived_texts.h"

#include <string_view>

#include "platform/unicode.h"

namespace lk63 {
namespace {

// What the frame of row 1.3 means for the codes of the accessories.
struct TFrameClass {
    int ofThree;
    char digit;
    int ofFour;
    int ofTwo;
    std::string_view barrier;
};

TFrameClass FrameClassOf(int frame) {
    switch (frame) {
        case 0: return {0, '1', 0, 0, "10"};
        case 1: return {1, '3', 0, 0, "10"};
        case 2: case 3: case 4: return {2, '4', 1, 1, "20"};
        case 5: case 6: return {2, '4', 2, 1, "30"};
        default: return {2, '4', 3, 1, "40"};
    }
}

// Reads the selections of a complete questionnaire by row name.
class TChoices {
public:
    TChoices(const std::array<std::int8_t, kBreakerRows>& breaker,
             const std::array<std::int8_t, kAccessoryRows>& accessory)
        : breaker_(breaker), accessory_(accessory) {}

    [[nodiscard]] int B(int row) const { return breaker_[static_cast<std::size_t>(row - 1)]; }
    [[nodiscard]] int A(int row) const { return accessory_[static_cast<std::size_t>(row - 1)]; }
    [[nodiscard]] std::string_view BText(int row) const {
        return BreakerParams[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(B(row))].Text;
    }
    [[nodiscard]] std::string_view AText(int row) const {
        return AccessoryParams[static_cast<std::size_t>(row - 1)][static_cast<std::size_t>(A(row))].Text;
    }

private:
    const std::array<std::int8_t, kBreakerRows>& breaker_;
    const std::array<std::int8_t, kAccessoryRows>& accessory_;
};

std::string Dec(int n) { return std::to_string(n); }

std::string Lower(std::string_view s) { return platform::Utf8ToLower(s); }

// The code item's text for `key`, or `missing` when there is none.
std::string CodeText(const std::string& key, std::string_view missing) {
    const int i = FindCodeItem(key);
    return std::string(i < 0 ? missing : CodeItems[static_cast<std::size_t>(i)].Text);
}

std::string Description(const TChoices& c) {
    std::string d = "Воздушный автоматический выключатель серии ЛК63-19, ";
    auto add = [&d](std::string_view a, std::string_view b = {}) {
        d += a;
        d += b;
        d += ", ";
    };
    add("номинальный ток - ", c.BText(1));
    add("номинальная предельная наибольшая отключающая способность (Icu), кА (действ.) - ", c.BText(2));
    add("габарит - ", c.BText(3));
    add(c.BText(4), "-полюсный");
    add(Lower(c.BText(5)));
    add("электронный расцепитель - ", c.BText(6));
    add("напряжение питания электронного расцепителя - ", c.BText(7));
    add("тип протокола передачи данных электронного расцепителя - ", c.BText(8));
    add("моторный привод - ", VoltageWords[static_cast<std::size_t>(c.A(1))]);
    add("электромагнит включения - ", VoltageWords[static_cast<std::size_t>(c.A(2))]);
    add("независимый расцепитель - ", VoltageWords[static_cast<std::size_t>(c.A(3))]);
    add("расцепитель минимального напряжения (мгновенный) - ", VoltageWords[static_cast<std::size_t>(c.A(4))]);
    add("блок выдержки времени расцепителя минимального напряжения - ",
        DelayWords[static_cast<std::size_t>(c.A(5))]);
    add("вспомогательные контакты - ", c.AText(6));
    add("блокировка включения выключателя ключом - ", Lower(c.AText(7)));
    add("механическая взаимоблокировка - ", c.AText(8));
    add("дополнительные контакты - ", Lower(c.AText(9)));
    add("межполюсные перегородки - ", Lower(c.AText(10)));
    d.resize(d.size() - 2);  // the trailing ", " (ASCII, so two bytes)
    return d;
}

// One character of an accessory voltage, or "0" when the accessory is absent.
std::string AccessoryCode(int option, int frameClass) {
    if (option == 0) return "0";
    return std::string(AccessoryCodes[static_cast<std::size_t>(option - 1 + 4 * frameClass)]);
}

std::string OrderCode(const TChoices& c, const TFrameClass& f) {
    std::string s = "ЛК6319";
    s += FrameCodes[static_cast<std::size_t>(c.B(3))];
    s += CurrentCodes[static_cast<std::size_t>(c.B(1))];
    s += c.BText(4);
    s += ExecutionLetters[static_cast<std::size_t>(c.B(5))];
    s += AccessoryCode(c.A(1), f.ofFour);
    s += AccessoryCode(c.A(2), f.ofThree);
    s += TripCodes[static_cast<std::size_t>(c.B(6) + 10 * c.B(8))];
    s += c.A(4) == 0 ? std::string("0") : CodeText("M" + Dec(f.ofThree) + Dec(c.A(5)) + Dec(c.A(4)), "?");
    s += AccessoryCode(c.A(3), f.ofThree);
    s += CodeText("V" + Dec(c.A(6)) + Dec(c.A(9)), "??");
    s += SupplyLetters[static_cast<std::size_t>(c.B(7))];
    s += Dec(c.A(7) + 4 * c.A(10));
    s += Dec(c.A(8));
    return s;
}

// A composition fragment: `absent` when the accessory is not ordered.
std::string Fragment(int option, std::string_view absent, std::string prefix) {
    if (option == 0) return std::string(absent);
    return prefix + AccessoryLetters[static_cast<std::size_t>(option - 1)];
}

std::string BreakerLine(const TChoices& c, const TFrameClass& f) {
    std::string s = "Автоматический выключатель ЛК6319";
    s += platform::Utf8Mid(c.BText(3), 8, 5);  // the part after "ЛК63-19-"
    s += CurrentCodes[static_cast<std::size_t>(c.B(1))];
    s += c.BText(4);
    s += ExecutionLetters[static_cast<std::size_t>(c.B(5))];
    s += Fragment(c.A(1), "M00", f.ofTwo == 0 ? "M1" : "M3");
    s += Fragment(c.A(2), "C00", "C" + Dec(f.ofThree + 1));
    s += Fragment(c.A(3), "S00", "S" + Dec(f.ofThree + 1));
    s += TripCodes[static_cast<std::size_t>(c.B(6))];
    s += c.A(4) == 0 ? std::string("U00")
                     : CodeText("U" + Dec(c.A(5)) + f.digit + Dec(c.A(4)), "U??");
    return s;
}

void AddItemLine(std::vector<std::string>& lines, const std::string& key) {
    const int i = FindCodeItem(key);
    if (i >= 0) lines.emplace_back(CodeItems[static_cast<std::size_t>(i)].Text);
}

std::vector<std::string> Composition(const TChoices& c, const TFrameClass& f) {
    std::vector<std::string> lines{BreakerLine(c, f)};
    AddItemLine(lines, "ДС26:" + Dec(c.A(6)) + f.digit);
    if (c.A(7) > 0) AddItemLine(lines, "ДС27:" + Dec(c.A(7)));
    if (c.A(8) > 0) AddItemLine(lines, "ДС28:" + Dec(c.A(8)));
    if (c.A(9) > 0) AddItemLine(lines, "ДС29:" + Dec(c.A(9)) + (f.ofTwo == 0 ? "1" : "3"));
    if (c.A(10) > 0) {
        const bool withdrawable = c.B(5) < 4;
        std::string barrier(f.barrier);
        // Four-pole withdrawable breakers from 2900 А on take their own barriers.
        if (barrier == "30" && c.B(4) == 1 && withdrawable && c.B(1) >= 9) barrier = "35";
        AddItemLine(lines, "ДС210:" + Dec(c.B(4) + 3) + (withdrawable ? "V" : "S") + barrier);
    }
    return lines;
}

}  // namespace

TDerivedTexts BuildDerivedTexts(const std::array<std::int8_t, kBreakerRows>& breaker,
                                const std::array<std::int8_t, kAccessoryRows>& accessory,
                                int tableId) {
    TDerivedTexts texts;
    // Out-of-range selections would index past the catalogue: no texts for them.
    for (int r = 0; r < kBreakerRows; ++r)
        if (breaker[r] < 0 || breaker[r] >= static_cast<int>(BreakerParams[r].size())) return texts;
    for (int r = 0; r < kAccessoryRows; ++r)
        if (accessory[r] < 0 || accessory[r] >= static_cast<int>(AccessoryParams[r].size())) return texts;
    if (tableId < 0) {
        texts.Description = kUndeterminedBreaker;
        return texts;
    }
    const TChoices c(breaker, accessory);
    const TFrameClass f = FrameClassOf(c.B(3));
    texts.Description = Description(c);
    texts.OrderCode = OrderCode(c, f);
    texts.Composition = Composition(c, f);
    return texts;
}

}  // namespace lk63
