#include "questionnaire/report_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace lk63 {
namespace {

TEST(ReportTexts, NoteLineBreaksBecomeCrLfAndBlankEndsAreCut) {
    const struct {
        std::string Note, Expected;
    } cases[] = {
        {"", ""},
        {" \t\r\n ", ""},
        {"one", "one"},
        {"one\ntwo\rthree\r\nfour\n\rfive", "one\r\ntwo\r\nthree\r\nfour\r\n\r\nfive"},
        {"\r\n\n  inner  \r\n\r\n", "inner"},
        {"a\n\n\nb", "a\r\n\r\n\r\nb"},
        {"a\r\r\nb", "a\r\n\r\nb"},
        {"x \n y", "x \r\n y"},
        {"\x01not blank\x1F", "not blank"},
        {"Опросный\nлист", "Опросный\r\nлист"},
    };
    for (const auto& c : cases) EXPECT_EQ(TrimNote(c.Note), c.Expected) << c.Note;
}

TEST(ReportTexts, QuotesAreDoubledInsideALiteral) {
    EXPECT_EQ(QuoteLiteral(""), "''");
    EXPECT_EQ(QuoteLiteral("ООО 'Ромашка'"), "'ООО ''Ромашка'''");
}

}  // namespace
}  // namespace lk63
