#include "vcard/date_parser.h"

#include <gtest/gtest.h>

namespace brimwell::vcard {
namespace {

TEST(date_parser_test, date_forms)
{
    using Date = DateValue::Date;
    const struct {
        const char* text;
        std::optional<Date> date;
    } cases[] = {
        {"--0412", Date{0, 4, 12}},
        {"--04-12", Date{0, 4, 12}},
        {"1980-04-12T10:00:00Z", Date{1980, 4, 12}},
        {"19800412T100000", Date{1980, 4, 12}},
        {" 1980-04-12 ", Date{1980, 4, 12}},
        {"2000-02-29", Date{2000, 2, 29}},
        {"1900-02-29", std::nullopt},
        {"--0229", Date{0, 2, 29}},
        {"1980-04", std::nullopt},
        {"1980-0412", std::nullopt},
        {"April 12", std::nullopt},
        {"1980-04-12x", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseDate(c.text), c.date);
    }
}

}  // namespace
}  // namespace brimwell::vcard
