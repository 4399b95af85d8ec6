#pragma once

#include <optional>
#include <string>
#include <vector>

// The faithful engine's contact: every value of one vCard, decoded to UTF-8 and unescaped.
// The reader fills it; the Google Contacts, Outlook and spreadsheet writers read it.

namespace brimwell::vcard {

/// The five parts of N (or of a phonetic name), each unescaped; a part that holds several
/// values (`Quinlan,Q.`) keeps them joined by a comma, as written.
struct NameParts {
    std::string family;
    std::string given;
    std::string additional;
    std::string prefix;
    std::string suffix;

    bool empty() const
    {
        return family.empty() && given.empty() && additional.empty() && prefix.empty() &&
               suffix.empty();
    }
};

/// What e-mails, phones, addresses, web sites, IM handles and dates share: the types as
/// written (lower case, 2.1 bare types included, `pref` left out), the preference and the
/// label of the grouped `itemN.X-ABLabel` (Apple's `_$!<HomePage>!$_` read as `HomePage`).
struct Attributes {
    std::vector<std::string> types;
    int preference = 0;  ///< PREF=n, 1 for a bare PREF or TYPE=pref; 0 when not preferred
    std::string label;
    std::string group;  ///< `item1` of `item1.TEL`, as written; empty without a group
};

/// An e-mail address, phone number, web site or other single-text value with its attributes.
struct TypedValue {
    std::string value;
    Attributes attributes;
};

/// An instant-messaging handle: from IMPP (`xmpp:ann@example.com`) or the X-AIM, X-JABBER,
/// X-SKYPE, X-GTALK, X-ICQ, X-MSN, X-YAHOO, X-QQ, X-GADUGADU family.
struct ImHandle {
    std::string service;  ///< lower case: aim, jabber, skype, gtalk, icq, msn, yahoo, ...
    std::string handle;   ///< without the URI scheme: `ann@example.com`
    Attributes attributes;
};

/// The seven parts of ADR, unescaped, and the text of a LABEL that belongs to it.
struct Address {
    std::string poBox;
    std::string extended;
    std::string street;
    std::string locality;
    std::string region;
    std::string postalCode;
    std::string country;
    std::string formatted;  ///< LABEL (2.1 property or 4.0 parameter) of this address
    Attributes attributes;
};

/// A date as written, and the calendar date where the text is one (`19800412`,
/// `1980-04-12`, `--0412`, `1980-04-12T10:00:00Z`). A missing year is 0.
struct DateValue {
    std::string text;
    struct Date {
        int year = 0;
        int month = 0;
        int day = 0;
        bool operator==(const Date&) const = default;
    };
    std::optional<Date> date;
};

/// A dated event beyond birthday and anniversary (`X-ABDATE` with its label, ...).
struct Event {
    DateValue when;
    Attributes attributes;
};

/// A related person (RELATED, `X-ABRELATEDNAMES`, X-SPOUSE, X-MANAGER, X-ASSISTANT, ...):
/// the name or URI, and the kind in `attributes.label` or `attributes.types`.
struct Relation {
    std::string name;
    Attributes attributes;
};

/// A property the model has no field for, kept so that nothing read is forgotten.
struct OtherProperty {
    std::string name;  ///< upper case, group left out: `X-MS-OL-DEFAULT-POSTAL-ADDRESS`
    std::string value;  ///< decoded text; binary data is never kept here
    std::string group;
};

struct Contact {
    std::string version;  ///< `2.1`, `3.0`, `4.0` as written; empty when missing
    std::string formattedName;
    NameParts name;
    NameParts phonetic;  ///< X-PHONETIC-FIRST/MIDDLE/LAST-NAME, SOUND;X-IRMC-N
    std::vector<std::string> nicknames;
    std::string organization;
    std::vector<std::string> organizationUnits;
    std::string title;
    std::string role;
    std::optional<DateValue> birthday;
    std::optional<DateValue> anniversary;
    std::vector<TypedValue> emails;
    std::vector<TypedValue> phones;
    std::vector<Address> addresses;
    std::vector<TypedValue> urls;
    std::vector<ImHandle> ims;
    std::vector<Event> events;
    std::vector<Relation> relations;
    std::vector<std::string> notes;
    std::vector<std::string> categories;
    std::string photoUrl;  ///< PHOTO given as a URL; empty otherwise
    bool hasEmbeddedPhoto = false;  ///< PHOTO given as image data, which is not kept
    std::vector<OtherProperty> others;
};

}  // namespace brimwell::vcard
