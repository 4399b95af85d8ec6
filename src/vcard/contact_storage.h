#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "vcard/contact.h"

// A contact's memory kept from one card to the next. The reader fills the same contact card
// after card: its strings keep their room, and the items of its lists are kept as spares
// whose strings fill the next card's items, so that similar cards allocate next to nothing.
//
//     ContactSpares spares;
//     spares.takeFrom(contact);                         // contact is empty again
//     TypedValue& phone = spares.phones.append(contact.phones);

namespace brimwell::vcard {

void emptyItem(std::string& text);
void emptyItem(TypedValue& item);
void emptyItem(Address& address);
void emptyItem(ImHandle& im);
void emptyItem(Event& event);
void emptyItem(Relation& relation);
void emptyItem(OtherProperty& other);

/// The items of one list of an earlier contact, handed out again one by one.
template <class T>
class SpareItems {
public:
    /// Keeps the items of `list` as the spares (dropping those of before) and empties it;
    /// an empty list leaves the spares of before.
    void takeFrom(std::vector<T>& list)
    {
        m_next = 0;
        if (list.empty())
            return;
        std::swap(m_items, list);
        list.clear();
    }

    /// A new, empty last item of `list`: a spare one while there are any. A list's first
    /// room is sized for as many items as fit in about a kilobyte (eight e-mails, two
    /// addresses), so that most cards grow no list.
    T& append(std::vector<T>& list)
    {
        if (list.capacity() == 0)
            list.reserve(std::max<std::size_t>(1, 1024 / sizeof(T)));
        if (m_next == m_items.size())
            return list.emplace_back();
        T& item = list.emplace_back(std::move(m_items[m_next++]));
        emptyItem(item);
        return item;
    }

private:
    std::vector<T> m_items;
    std::size_t m_next = 0;  ///< the first spare not handed out
};

/// Spares for every list of a contact.
struct ContactSpares {
    /// Empties every field of `contact`, keeping the room of its strings and its list items
    /// as the spares.
    void takeFrom(Contact& contact);

    SpareItems<std::string> nicknames, organizationUnits, notes, categories;
    SpareItems<TypedValue> emails, phones, urls;
    SpareItems<Address> addresses;
    SpareItems<ImHandle> ims;
    SpareItems<Event> events;
    SpareItems<Relation> relations;
    SpareItems<OtherProperty> others;
};

}  // namespace brimwell::vcard
