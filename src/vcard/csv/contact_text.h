#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "vcard/contact.h"

// Texts that more than one layout composes from a contact's values.

namespace brimwell::vcard::csv {

/// Whether the written types include `type` (types are lower case already).
bool hasType(const Attributes& attributes, std::string_view type);

/// The types most values are sorted by, as bits of typeBits(): one pass over the types
/// instead of one search per question.
constexpr unsigned kHomeType = 1u << 0;
constexpr unsigned kWorkType = 1u << 1;
constexpr unsigned kOtherType = 1u << 2;
constexpr unsigned kCellType = 1u << 3;
constexpr unsigned kFaxType = 1u << 4;
constexpr unsigned kPagerType = 1u << 5;
constexpr unsigned kMainType = 1u << 6;
unsigned typeBits(const Attributes& attributes);

/// The index of the value a contact prefers (the smallest PREF, the first of equals), or
/// npos when none is marked.
template <typename Value>
std::size_t preferredIndex(const std::vector<Value>& values)
{
    std::size_t best = std::string::npos;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int preference = values[i].attributes.preference;
        if (preference > 0 &&
            (best == std::string::npos || preference < values[best].attributes.preference))
            best = i;
    }
    return best;
}

/// `1980-04-12`, `--04-12` without a year, or the text as written when it is no date.
void appendIsoDate(const DateValue& date, std::string& out);
/// `4/12/1980`; false (and nothing appended) when the date has no year or is no date.
bool appendUsDate(const DateValue& date, std::string& out);

/// FN, or the parts of N in reading order when FN is empty.
void appendDisplayName(const Contact& contact, std::string& out);
/// The address on one line: its parts joined by ", " (the LABEL text when it has no parts).
void appendAddressLine(const Address& address, std::string& out);
/// `values` joined by `separator`.
void appendJoined(const std::vector<std::string>& values, std::string_view separator,
                  std::string& out);

}  // namespace brimwell::vcard::csv
