#pragma once

#include <algorithm>
#include <vector>

#include "vcard/contact.h"

// A contact's memory kept from one card to the next: the reader fills the same contact card
// after card, so its strings and lists keep the room they grew to and most cards allocate
// only for the long texts of their list items.

namespace brimwell::vcard {

/// Empties every field of `contact`, keeping the room of its strings and lists.
void clearKeepingRoom(Contact& contact);

/// A new, empty last item of `list`. A list's first room is sized for as many items as fit
/// in about half a kilobyte (four e-mails, one address), so that most cards grow no list.
template <class T>
T& appendItem(std::vector<T>& list)
{
    if (list.capacity() == 0)
        list.reserve(std::max<std::size_t>(1, 512 / sizeof(T)));
    return list.emplace_back();
}

}  // namespace brimwell::vcard
