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
    FaithfulOptions options;
    options.layout = layout;
    options.kinds = {.names = isTicked(window, Control::Check6),
                     .emails = isTicked(window, Control::Check3),
                     .phones = isTicked(window, Control::Check4),
                     .addresses = isTicked(window, Control::Check8)};
    options.style = {.separator = separator.empty() ? "," : separator,
                     .quoteAll = isTicked(window, Control::Check9),
                     .lineBreaksAsSpaces = isTicked(window, Control::Check10)};
    options.encoding = window.text(Control::Combo1);
    options.reader.fallbackCharset = window.text(Control::Combo2);
    return options;
}

}  // namespace brimwell
