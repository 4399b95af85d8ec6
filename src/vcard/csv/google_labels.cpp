#include "vcard/csv/google_labels.h"

#include <array>
#include <span>
#include <utility>

#include "vcard/csv/contact_text.h"

namespace brimwell::vcard::csv {
namespace {

using Word = std::pair<std::string_view, std::string_view>;  // {written, Google's}

/// Labels that some address books write as one word, in Google's spelling.
constexpr std::array<Word, 4> kLabelSpellings = {{
    {"HomePage", "Home Page"},
    {"HomeFAX", "Home Fax"},
    {"WorkFAX", "Work Fax"},
    {"OtherFAX", "Other Fax"},
}};

constexpr std::array<Word, 8> kWebsiteTypes = {{
    {"homepage", "Home Page"},
    {"x-homepage", "Home Page"},
    {"blog", "Blog"},
    {"profile", "Profile"},
    {"ftp", "FTP"},
    {"home", "Home"},
    {"work", "Work"},
    {"other", "Other"},
}};

constexpr std::array<Word, 16> kRelationTypes = {{
    {"spouse", "Spouse"},
    {"child", "Child"},
    {"mother", "Mother"},
    {"father", "Father"},
    {"parent", "Parent"},
    {"brother", "Brother"},
    {"sister", "Sister"},
    {"friend", "Friend"},
    {"relative", "Relative"},
    {"kin", "Relative"},
    {"domestic-partner", "Domestic Partner"},
    {"partner", "Partner"},
    {"manager", "Manager"},
    {"assistant", "Assistant"},
    {"referred-by", "Referred By"},
    {"sweetheart", "Partner"},
}};

constexpr std::array<Word, 10> kImServices = {{
    {"aim", "AIM"},
    {"msn", "MSN"},
    {"yahoo", "Yahoo"},
    {"skype", "Skype"},
    {"qq", "QQ"},
    {"gtalk", "Google Talk"},
    {"googletalk", "Google Talk"},
    {"icq", "ICQ"},
    {"jabber", "Jabber"},
    {"xmpp", "Jabber"},
}};

std::string_view lookUp(std::span<const Word> words, std::string_view written)
{
    for (const auto& [from, to] : words) {
        if (from == written)
            return to;
    }
    return {};
}

/// The first word of `words` (in the table's order) whose type the value has.
std::string_view firstTypeWord(std::span<const Word> words, const Attributes& attributes)
{
    for (const auto& [type, word] : words) {
        if (hasType(attributes, type))
            return word;
    }
    return {};
}

/// Home, Work or Other, the words of e-mails, addresses and messaging handles.
std::string_view placeLabel(unsigned types)
{
    if (types & kHomeType)
        return "Home";
    if (types & kWorkType)
        return "Work";
    return types & kOtherType ? "Other" : "";
}

std::string_view phoneLabel(unsigned types)
{
    const bool home = types & kHomeType;
    const bool work = types & kWorkType;
    if (types & kFaxType)
        return home ? "Home Fax" : work ? "Work Fax" : "Other Fax";
    if (types & kCellType)
        return work ? "Work Mobile" : "Mobile";
    if (types & kPagerType)
        return work ? "Work Pager" : "Pager";
    if (types & kMainType)
        return "Main";
    return placeLabel(types);
}

}  // namespace

std::string_view googleLabel(LabelledValue kind, const Attributes& attributes)
{
    if (!attributes.label.empty()) {
        const std::string_view spelt = lookUp(kLabelSpellings, attributes.label);
        return spelt.empty() ? std::string_view(attributes.label) : spelt;
    }
    switch (kind) {
    case LabelledValue::Phone:
        return phoneLabel(typeBits(attributes));
    case LabelledValue::Website:
        return firstTypeWord(kWebsiteTypes, attributes);
    case LabelledValue::Relation: {
        const std::string_view word = firstTypeWord(kRelationTypes, attributes);
        if (!word.empty() || attributes.types.empty())
            return word;
        return attributes.types.front();
    }
    case LabelledValue::Email:
    case LabelledValue::Address:
    case LabelledValue::Im:
        break;
    }
    return placeLabel(typeBits(attributes));
}

std::string_view googleImService(std::string_view service)
{
    const std::string_view word = lookUp(kImServices, service);
    return word.empty() ? service : word;
}

}  // namespace brimwell::vcard::csv
