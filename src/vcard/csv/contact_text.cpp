#include "vcard/csv/contact_text.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace brimwell::vcard::csv {
namespace {

void appendNumber(int value, int width, std::string& out)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const auto length = int(result.ptr - digits);
    out.append(std::size_t(std::max(0, width - length)), '0');
    out.append(digits, std::size_t(length));
}

/// Appends `part` after a ", " when something came before it in this line.
void appendPart(std::string_view part, std::size_t lineStart, std::string& out)
{
    if (part.empty())
        return;
    if (out.size() > lineStart)
        out.append(", ");
    out.append(part);
}

}  // namespace

bool hasType(const Attributes& attributes, std::string_view type)
{
    return std::find(attributes.types.begin(), attributes.types.end(), type) !=
           attributes.types.end();
}

unsigned typeBits(const Attributes& attributes)
{
    // Compared by length first: most types are none of these.
    const auto is = [](const std::string& type, std::string_view word) {
        return std::memcmp(type.data(), word.data(), word.size()) == 0;
    };
    unsigned bits = 0;
    for (const std::string& type : attributes.types) {
        switch (type.size()) {
        case 3:
            bits |= is(type, "fax") ? kFaxType : 0;
            break;
        case 4:
            bits |= is(type, "home")   ? kHomeType
                    : is(type, "work") ? kWorkType
                    : is(type, "cell") ? kCellType
                    : is(type, "main") ? kMainType
                                       : 0;
            break;
        case 5:
            bits |= is(type, "other") ? kOtherType : is(type, "pager") ? kPagerType : 0;
            break;
        default:
            break;
        }
    }
    return bits;
}

void appendIsoDate(const DateValue& date, std::string& out)
{
    if (!date.date) {
        out.append(date.text);
        return;
    }
    if (date.date->year != 0)
        appendNumber(date.date->year, 4, out);
    else
        out.append("-");
    out.push_back('-');
    appendNumber(date.date->month, 2, out);
    out.push_back('-');
    appendNumber(date.date->day, 2, out);
}

bool appendUsDate(const DateValue& date, std::string& out)
{
    if (!date.date || date.date->year == 0)
        return false;
    appendNumber(date.date->month, 1, out);
    out.push_back('/');
    appendNumber(date.date->day, 1, out);
    out.push_back('/');
    appendNumber(date.date->year, 4, out);
    return true;
}

void appendDisplayName(const Contact& contact, std::string& out)
{
    if (!contact.formattedName.empty()) {
        out.append(contact.formattedName);
        return;
    }
    const NameParts& name = contact.name;
    const std::size_t start = out.size();
    for (const std::string* part :
         {&name.prefix, &name.given, &name.additional, &name.family, &name.suffix}) {
        if (part->empty())
            continue;
        if (out.size() > start)
            out.push_back(' ');
        out.append(*part);
    }
}

void appendAddressLine(const Address& address, std::string& out)
{
    const std::size_t start = out.size();
    for (const std::string* part :
         {&address.poBox, &address.extended, &address.street, &address.locality, &address.region,
          &address.postalCode, &address.country})
        appendPart(*part, start, out);
    if (out.size() == start)
        out.append(address.formatted);
}

void appendJoined(const std::vector<std::string>& values, std::string_view separator,
                  std::string& out)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i != 0)
            out.append(separator);
        out.append(values[i]);
    }
}

}  // namespace brimwell::vcard::csv
