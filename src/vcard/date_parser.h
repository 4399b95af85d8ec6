#pragma once

#include <optional>
#include <string_view>

#include "vcard/contact.h"

namespace brimwell::vcard {

/// The calendar date of a vCard date text: `19800412`, `1980-04-12`, `--0412`, `--04-12`,
/// each optionally followed by a time (`T10:00:00Z`); nothing for other text or a day that
/// no month has.
std::optional<DateValue::Date> parseDate(std::string_view text);

}  // namespace brimwell::vcard
