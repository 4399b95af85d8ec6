#include "job/faithful_options.h"

namespace brimwell {

std::optional<vcard::csv::CsvLayoutKind> chosenFaithfulLayout(const Window& window)
{
    if (window.optionSelected(Control::Option11))
        return vcard::csv::CsvLayoutKind::GoogleContacts;
    if (window.optionSelected(Control::Option12))
        return vcard::csv::CsvLayoutKind::Outlook;
    if (window.optionSelected(Control::Option13))
        return vcard::csv::CsvLayoutKind::Spreadsheet;
    return std::nullopt;
}

FaithfulOptions faithfulOptions(const Window& window, vcard::csv::CsvLayoutKind layout,
                                const std::string& separator)
{
    auto ticked = [&window](Control box) { return window.checkValue(box) == 1; };
    FaithfulOptions options;
    options.layout = layout;
    options.kinds = {.names = ticked(Control::Check6),
                     .emails = ticked(Control::Check3),
                     .phones = ticked(Control::Check4),
                     .addresses = ticked(Control::Check8)};
    options.style = {.separator = separator.empty() ? "," : separator,
                     .quoteAll = ticked(Control::Check9),
                     .lineBreaksAsSpaces = ticked(Control::Check10)};
    options.encoding = window.text(Control::Combo1);
    options.reader.fallbackCharset = window.text(Control::Combo2);
    return options;
}

}  // namespace brimwell
