#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "vcard/ascii.h"
#include "vcard/charset.h"
#include "vcard/contact.h"
#include "vcard/contact_storage.h"
#include "vcard/property_parser.h"

// Properties to a contact: each property of one card decoded (transfer encoding, character
// set, escapes) into its field of the contact, or kept as an `other` entry.
//
//     ContactBuilder builder(charsets);
//     builder.begin(contact);           // contact is emptied, its memory kept for reuse
//     builder.add(property);            // TEL;TYPE=cell:+1 555 -> contact.phones[0]
//     builder.problems();               // "bad quoted-printable escape in NOTE", ...
//     builder.finish();

namespace brimwell::vcard {

class ContactBuilder {
public:
    explicit ContactBuilder(CharsetDecoder& charsets) : m_charsets(charsets) {}

    /// Starts a card that fills `contact` (emptied first), which must live until finish().
    void begin(Contact& contact);

    void add(const Property& property);

    /// Notes a problem of this card that is found outside its properties.
    void addProblem(std::string problem) { m_problems.push_back(std::move(problem)); }

    /// The problems found so far, each a short text naming the property.
    const std::vector<std::string>& problems() const { return m_problems; }

    /// The FN read so far, for naming the card in a warning.
    const std::string& formattedName() const { return m_contact->formattedName; }

    /// Joins labels to their properties; the contact is complete and the builder free for
    /// the next card.
    void finish();

private:
    /// Appends a part of the property's line that is no value (a group, a type) as UTF-8.
    void appendSyntax(std::string_view part, std::string& out) const
    {
        if (m_lineUtf8)
            out.append(part);
        else
            m_charsets.appendUtf8(part, out);
    }
    /// Sets `out` to a part of syntax as UTF-8, its ASCII letters turned by `toCase`.
    template <char (*toCase)(char)>
    void assignSyntaxCased(std::string_view part, std::string& out) const
    {
        if (m_lineUtf8) {
            out.resize(part.size());
            std::transform(part.begin(), part.end(), out.begin(), toCase);
            return;
        }
        out.clear();
        m_charsets.appendUtf8(part, out);
        std::transform(out.begin(), out.end(), out.begin(), toCase);
    }
    /// The property's name in upper case, for the few places that keep or show it.
    std::string upperName(const Property& property) const
    {
        std::string name;
        assignSyntaxCased<toUpperAscii>(property.name, name);
        return name;
    }
    std::string_view decodedText(const Property& property);
    void readAttributes(const Property& property, Attributes& result) const;
    void addType(Attributes& attributes, std::string_view type) const;
    void addTyped(std::vector<TypedValue>& list, SpareItems<TypedValue>& spares,
                  const Property& property, std::string_view prefix);
    /// The first `partCount` parts of family;given;additional;prefix;suffix, into empty parts.
    void addName(NameParts& name, std::string_view text, std::size_t partCount);
    void addAddress(const Property& property);
    /// An IMPP URI when `service` is empty, else the handle of an X- messaging property.
    void addIm(const Property& property, std::string_view service);
    void addRelation(const Property& property, std::string_view type);
    void addEvent(const Property& property);
    void addData(const Property& property, bool isPhoto);
    void addOther(const Property& property);
    void setDate(std::optional<DateValue>& field, const Property& property);
    void joinLabels();

    struct PendingLabel {
        std::size_t otherIndex;  ///< its placeholder in `others`, removed once joined
        std::vector<std::string> types;
    };

    CharsetDecoder& m_charsets;
    Contact* m_contact = nullptr;
    ContactSpares m_spares;  ///< the items of the contact filled before
    std::vector<std::string> m_problems;
    bool m_lineUtf8 = false;  ///< the property being added comes from a valid UTF-8 line
    std::string m_bytes;      ///< the value after its transfer encoding
    std::string m_text;       ///< the value as UTF-8, escapes not yet resolved
    std::vector<PendingLabel> m_addressLabels;
    std::vector<std::size_t> m_groupLabels;  ///< X-ABLabel placeholders in `others`
    std::vector<std::string> m_groups;       ///< groups of the other properties
};

}  // namespace brimwell::vcard
