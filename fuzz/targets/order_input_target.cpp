// ORDER.json as lk63-order reads it: bad input is a TOrderError of one line,
// never another exception; good input gives the texts `derive` prints.
#include <nlohmann/json.hpp>

#include "questionnaire/order_input.h"
#include "fuzz_check.h"
#include "fuzz_targets.h"
#include "questionnaire/questionnaire_document.h"

namespace lk63::fuzz {

void OrderInputTarget(std::string_view input) {
    TOrder order;
    try {
        order = ParseOrder(input);
    } catch (const TOrderError& e) {
        RequireOneLine(e.what());
        return;
    }
    // What the parser accepts as quantity, the save path prints.
    Require(IsPrintableQuantity(order.Quantity), "an accepted quantity is refused by the save path");

    // `options` for a row chosen by the input: only the rows above it apply.
    const int row = static_cast<int>(input.size() % 18);
    const TRowRef stop = row < 8 ? TRowRef{TGroup::Breaker, row} : TRowRef{TGroup::Accessory, row - 8};
    try {
        TQuestionnaire q;
        ApplyChoices(q, order, stop);
        Require(!OfferedOptions(q, stop).empty(), "a row offers nothing without saying why");
    } catch (const TOrderError& e) {
        RequireOneLine(e.what());
    }

    TQuestionnaire q;
    try {
        ApplyChoices(q, order);
        RequireComplete(q);
    } catch (const TOrderError& e) {
        RequireOneLine(e.what());
        return;
    }
    const TDerivedTexts& texts = q.Texts();
    Require(q.SaveEnabled(), "a complete questionnaire cannot be saved");
    Require(!texts.Description.empty() && !texts.OrderCode.empty(), "a complete questionnaire lacks its texts");
    Require(texts.Composition.size() >= 2 && texts.Composition.size() <= 6, "composition of an odd size");
    nlohmann::ordered_json out;
    out["description"] = texts.Description;
    out["order_code"] = texts.OrderCode;
    out["composition"] = texts.Composition;
    Require(!out.dump(2).empty(), "derive prints nothing");
}

}  // namespace lk63::fuzz
