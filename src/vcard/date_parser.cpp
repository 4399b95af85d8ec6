#include "vcard/date_parser.h"

#include "vcard/ascii.h"

namespace brimwell::vcard {
namespace {

/// Reads `count` digits at the front of `text` and drops them; -1 when they are not digits.
int takeNumber(std::string_view& text, std::size_t count)
{
    if (text.size() < count)
        return -1;
    int value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    text.remove_prefix(count);
    return value;
}

bool takeDash(std::string_view& text, bool dashed)
{
    if (!dashed)
        return true;
    if (!text.starts_with('-'))
        return false;
    text.remove_prefix(1);
    return true;
}

int daysIn(int month, int year)
{
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && year != 0 && !(year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)))
        return 28;
    return kDays[month - 1];
}

}  // namespace

std::optional<DateValue::Date> parseDate(std::string_view text)
{
    text = trimSpaces(text);
    DateValue::Date date;
    if (text.starts_with("--")) {
        text.remove_prefix(2);
    } else {
        date.year = takeNumber(text, 4);
        if (date.year < 0)
            return std::nullopt;
    }
    const bool dashed =
        text.starts_with('-') || (date.year == 0 && text.size() > 2 && text[2] == '-');
    if (date.year != 0 && !takeDash(text, dashed))
        return std::nullopt;
    date.month = takeNumber(text, 2);
    if (date.month < 1 || date.month > 12 || !takeDash(text, dashed))
        return std::nullopt;
    date.day = takeNumber(text, 2);
    if (date.day < 1 || date.day > daysIn(date.month, date.year))
        return std::nullopt;
    if (!text.empty() && text.front() != 'T' && text.front() != 't')
        return std::nullopt;
    return date;
}

}  // namespace brimwell::vcard
