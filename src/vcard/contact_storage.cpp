#include "vcard/contact_storage.h"

namespace brimwell::vcard {

void clearKeepingRoom(Contact& contact)
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
    for (std::vector<std::string>* list :
         {&c.nicknames, &c.organizationUnits, &c.notes, &c.categories})
        list->clear();
    c.emails.clear();
    c.phones.clear();
    c.urls.clear();
    c.addresses.clear();
    c.ims.clear();
    c.events.clear();
    c.relations.clear();
    c.others.clear();
}

}  // namespace brimwell::vcard
