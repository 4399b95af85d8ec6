#include "vcard/contact_storage.h"

namespace brimwell::vcard {

void emptyItem(std::string& text)
{
    text.clear();
}

namespace {

void emptyAttributes(Attributes& attributes)
{
    attributes.types.clear();
    attributes.preference = 0;
    attributes.label.clear();
    attributes.group.clear();
}

}  // namespace

void emptyItem(TypedValue& item)
{
    item.value.clear();
    emptyAttributes(item.attributes);
}

void emptyItem(Address& address)
{
    for (std::string* part :
         {&address.poBox, &address.extended, &address.street, &address.locality, &address.region,
          &address.postalCode, &address.country, &address.formatted})
        part->clear();
    emptyAttributes(address.attributes);
}

void emptyItem(ImHandle& im)
{
    im.service.clear();
    im.handle.clear();
    emptyAttributes(im.attributes);
}

void emptyItem(Event& event)
{
    event.when.text.clear();
    event.when.date.reset();
    emptyAttributes(event.attributes);
}

void emptyItem(Relation& relation)
{
    relation.name.clear();
    emptyAttributes(relation.attributes);
}

void emptyItem(OtherProperty& other)
{
    other.name.clear();
    other.value.clear();
    other.group.clear();
}

void ContactSpares::takeFrom(Contact& contact)
{
    Contact& c = contact;
    for (std::string* text :
         {&c.version, &c.formattedName, &c.name.family, &c.name.given, &c.name.additional,
          &c.name.prefix, &c.name.suffix, &c.phonetic.family, &c.phonetic.given,
          &c.phonetic.additional, &c.phonetic.prefix, &c.phonetic.suffix, &c.organization, &c.title,
          &c.role, &c.photoUrl})
        text->clear();
    c.birthday.reset();
    c.anniversary.reset();
    c.hasEmbeddedPhoto = false;
    nicknames.takeFrom(c.nicknames);
    organizationUnits.takeFrom(c.organizationUnits);
    notes.takeFrom(c.notes);
    categories.takeFrom(c.categories);
    emails.takeFrom(c.emails);
    phones.takeFrom(c.phones);
    urls.takeFrom(c.urls);
    addresses.takeFrom(c.addresses);
    ims.takeFrom(c.ims);
    events.takeFrom(c.events);
    relations.takeFrom(c.relations);
    others.takeFrom(c.others);
}

}  // namespace brimwell::vcard
