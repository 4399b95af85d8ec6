#include "vcard/item_recycler.h"

namespace brimwell::vcard {
namespace {

/// At most this many spare items of each kind are kept, so that one card with a very long
/// list does not hold its memory for the rest of the file.
constexpr std::size_t kMaxSpares = 64;

void empty(std::string& text)
{
    text.clear();
}

void empty(Attributes& attributes)
{
    attributes.types.clear();
    attributes.preference = 0;
    attributes.label.clear();
    attributes.group.clear();
}

void empty(NameParts& name)
{
    for (std::string* part :
         {&name.family, &name.given, &name.additional, &name.prefix, &name.suffix})
        part->clear();
}

void empty(TypedValue& item)
{
    item.value.clear();
    empty(item.attributes);
}

void empty(Address& address)
{
    for (std::string* part :
         {&address.poBox, &address.extended, &address.street, &address.locality, &address.region,
          &address.postalCode, &address.country, &address.formatted})
        part->clear();
    empty(address.attributes);
}

void empty(ImHandle& im)
{
    im.service.clear();
    im.handle.clear();
    empty(im.attributes);
}

void empty(Event& event)
{
    event.when.text.clear();
    event.when.date.reset();
    empty(event.attributes);
}

void empty(Relation& relation)
{
    relation.name.clear();
    empty(relation.attributes);
}

void empty(OtherProperty& other)
{
    other.name.clear();
    other.value.clear();
    other.group.clear();
}

}  // namespace

template <class T>
void ItemRecycler::recycleList(std::vector<T>& list)
{
    std::vector<T>& spare = spares<T>();
    for (T& item : list) {
        if (spare.size() == kMaxSpares)
            break;
        empty(item);
        spare.push_back(std::move(item));
    }
    list.clear();
}

void ItemRecycler::recycle(Contact& contact)
{
    Contact& c = contact;
    for (std::string* text :
         {&c.version, &c.formattedName, &c.organization, &c.title, &c.role, &c.photoUrl})
        text->clear();
    empty(c.name);
    empty(c.phonetic);
    c.birthday.reset();
    c.anniversary.reset();
    c.hasEmbeddedPhoto = false;
    recycleList(c.nicknames);
    recycleList(c.organizationUnits);
    recycleList(c.notes);
    recycleList(c.categories);
    recycleList(c.emails);
    recycleList(c.phones);
    recycleList(c.urls);
    recycleList(c.addresses);
    recycleList(c.ims);
    recycleList(c.events);
    recycleList(c.relations);
    recycleList(c.others);
}

}  // namespace brimwell::vcard
