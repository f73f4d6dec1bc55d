// 200 random complete questionnaires with hostile texts saved, their order
// read back from the file as lk63-order and the window read it, applied to a
// fresh questionnaire and saved again: the same choices, the same derived
// texts, the same order and the same file but for its ID and dates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "pdf/pdf_check.h"
#include "platform/io/temp_folder.h"
#include "questionnaire/order_input.h"
#include "questionnaire/questionnaire_document.h"
#include "report/user_interface.h"
#include "robust/random_order.h"

namespace lk63 {
namespace {

using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;

constexpr int kRoundTrips = 200;

class TNoErrors : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override { Shown += caption + ": " + text; }
    void ProcessMessages() override {}
    std::string Shown;
};

// Saves `q` with `fields` at `path`; the file's bytes.
std::string Saved(const TQuestionnaire& q, const TReportFields& fields, const std::string& path) {
    TNoErrors errors;
    TQuestionnaireDocument document(q, &errors);
    EXPECT_EQ(document.Prepare(fields), TSavePreparation::Prepared) << errors.Shown;
    EXPECT_TRUE(document.Export(path)) << errors.Shown;
    return ReadFile(path);
}

TEST(OrderRoundTrip, SavedOrdersOpenAndSaveAgainAsTheyWere) {
    const unsigned seed = robust::Seed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (LK63_ROBUST_SEED repeats it)");
    robust::TOrderGenerator generator(seed);
    TTempFolder folder;
    for (int i = 0; i < kRoundTrips && !HasFailure(); ++i) {
        SCOPED_TRACE("order " + std::to_string(i));
        TQuestionnaire first;
        generator.ChooseAll(first);
        const robust::TRandomOrder random = generator.Next(i);
        const std::string path = folder / "first.pdf";
        const std::string firstFile = Saved(first, random.Fields, path);

        const std::string text = ReadOrderText(path);
        const TOrder order = ParseOrder(text);
        TQuestionnaire second;
        ApplyChoices(second, order);
        ASSERT_NO_THROW(RequireComplete(second));
        EXPECT_EQ(second.Breaker(), first.Breaker());
        EXPECT_EQ(second.Accessory(), first.Accessory());
        EXPECT_EQ(second.Texts().Description, first.Texts().Description);
        EXPECT_EQ(second.Texts().OrderCode, first.Texts().OrderCode);
        EXPECT_EQ(second.Texts().Composition, first.Texts().Composition);

        const std::string again = folder / "again.pdf";
        const std::string secondFile =
            Saved(second, {order.Organisation, order.Address, order.Contact, order.Quantity, order.Note}, again);
        EXPECT_EQ(ReadOrderText(again), text);
        EXPECT_TRUE(test::MaskRunFields(secondFile) == test::MaskRunFields(firstFile))
            << "the file saved from the order differs from the first";

        // Now and then through the tool, as an integrator reads it.
        if (i % 20 == 0) {
            const test::TToolResult read =
                test::RunTool(test::Quote(LK63_ORDER_TOOL) + " read " + test::Quote(path) + " 2>/dev/null");
            EXPECT_EQ(read.Status, 0);
            EXPECT_EQ(read.Output, text);
        }
    }
}

}  // namespace
}  // namespace lk63
