#pragma once

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "vcard/contact.h"

// Storage kept from one contact to the next. A contact handed back is emptied into spare
// items that keep their strings' memory, and the next cards take their list items from
// there, so that reading a file of similar cards allocates almost nothing after its first
// cards.
//
//     ItemRecycler recycler;
//     TypedValue& phone = recycler.append(contact.phones);  // an empty item, maybe reused
//     recycler.recycle(contact);                            // contact is empty again

namespace brimwell::vcard {

class ItemRecycler {
public:
    /// Empties every field of `contact`, keeping the room of its strings and lists and
    /// moving its list items (emptied) to the spares.
    void recycle(Contact& contact);

    /// A new, empty last item of `list`: a spare one when there is one. A list's first room
    /// is sized for as many items as fit in about half a kilobyte (four e-mails, one
    /// address), so that most cards grow no list.
    template <class T>
    T& append(std::vector<T>& list)
    {
        if (list.capacity() == 0)
            list.reserve(std::max<std::size_t>(1, 512 / sizeof(T)));
        std::vector<T>& spare = spares<T>();
        if (spare.empty())
            return list.emplace_back();
        T& item = list.emplace_back(std::move(spare.back()));
        spare.pop_back();
        return item;
    }

private:
    template <class T>
    std::vector<T>& spares()
    {
        return std::get<std::vector<T>>(m_spares);
    }

    template <class T>
    void recycleList(std::vector<T>& list);

    std::tuple<std::vector<std::string>, std::vector<TypedValue>, std::vector<Address>,
               std::vector<ImHandle>, std::vector<Event>, std::vector<Relation>,
               std::vector<OtherProperty>>
        m_spares;
};

}  // namespace brimwell::vcard
