#pragma once

namespace brimwell::vcard::csv {

/// What a column holds, for the column filter. `Other` is everything outside the four
/// kinds a user can tick (organisation, dates, notes, web sites, ...); `Always` marks a
/// column that every filter keeps (the notes that take the values of the kept kinds that
/// found no column of their own).
enum class FieldKind { Names, Emails, Phones, Addresses, Other, Always };

/// The ticked kinds of the column filter. All ticked, or none, means no filter: every
/// column of the layout is written. Otherwise only the columns of the ticked kinds are,
/// in the layout's own order.
struct FieldKinds {
    bool names = true;
    bool emails = true;
    bool phones = true;
    bool addresses = true;

    bool filters() const
    {
        const int ticked = int(names) + int(emails) + int(phones) + int(addresses);
        return ticked != 0 && ticked != 4;
    }

    bool keeps(FieldKind kind) const
    {
        if (!filters() || kind == FieldKind::Always)
            return true;
        switch (kind) {
        case FieldKind::Names:
            return names;
        case FieldKind::Emails:
            return emails;
        case FieldKind::Phones:
            return phones;
        case FieldKind::Addresses:
            return addresses;
        case FieldKind::Other:
        case FieldKind::Always:
            break;
        }
        return false;
    }
};

}  // namespace brimwell::vcard::csv
