// The faithful reader on any bytes: no crash or hang, every string of every contact and
// every warning valid UTF-8, and the same contacts whatever the size of the blocks read.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "vcard/charset.h"
#include "vcard/reader.h"

using namespace brimwell;
using namespace brimwell::vcard;

namespace {

void requireUtf8(const std::string& text)
{
    fuzz::require(isValidUtf8(text), "every string is valid UTF-8");
}

void requireUtf8(const Attributes& attributes)
{
    for (const std::string& type : attributes.types)
        requireUtf8(type);
    requireUtf8(attributes.label);
    requireUtf8(attributes.group);
}

void requireUtf8(const NameParts& name)
{
    for (const std::string* part :
         {&name.family, &name.given, &name.additional, &name.prefix, &name.suffix})
        requireUtf8(*part);
}

void requireUtf8(const Contact& c)
{
    for (const std::string* text :
         {&c.version, &c.formattedName, &c.organization, &c.title, &c.role, &c.photoUrl})
        requireUtf8(*text);
    requireUtf8(c.name);
    requireUtf8(c.phonetic);
    for (const auto* list : {&c.nicknames, &c.organizationUnits, &c.notes, &c.categories})
        for (const std::string& text : *list)
            requireUtf8(text);
    for (const std::optional<DateValue>* date : {&c.birthday, &c.anniversary})
        if (*date)
            requireUtf8((*date)->text);
    for (const auto* list : {&c.emails, &c.phones, &c.urls})
        for (const TypedValue& item : *list) {
            requireUtf8(item.value);
            requireUtf8(item.attributes);
        }
    for (const Address& a : c.addresses) {
        for (const std::string* part : {&a.poBox, &a.extended, &a.street, &a.locality, &a.region,
                                        &a.postalCode, &a.country, &a.formatted})
            requireUtf8(*part);
        requireUtf8(a.attributes);
    }
    for (const ImHandle& im : c.ims) {
        requireUtf8(im.service);
        requireUtf8(im.handle);
        requireUtf8(im.attributes);
    }
    for (const Event& event : c.events) {
        requireUtf8(event.when.text);
        requireUtf8(event.attributes);
    }
    for (const Relation& relation : c.relations) {
        requireUtf8(relation.name);
        requireUtf8(relation.attributes);
    }
    for (const OtherProperty& other : c.others) {
        requireUtf8(other.name);
        requireUtf8(other.value);
        requireUtf8(other.group);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadResult whole = readVCards(bytes, "fuzz.vcf");
    for (const Contact& contact : whole.contacts)
        requireUtf8(contact);
    for (const std::string& warning : whole.warnings)
        requireUtf8(warning);

    ReaderOptions small;
    small.blockSize = 4 + (size > 0 ? data[0] % 13 : 0);
    const ReadResult blocks = readVCards(bytes, "fuzz.vcf", small);
    fuzz::require(blocks.contacts.size() == whole.contacts.size(),
                  "the block size changes no contact");
    fuzz::require(blocks.warnings == whole.warnings, "the block size changes no warning");
    for (std::size_t i = 0; i < whole.contacts.size(); ++i) {
        fuzz::require(blocks.contacts[i].formattedName == whole.contacts[i].formattedName &&
                          blocks.contacts[i].others.size() == whole.contacts[i].others.size() &&
                          blocks.contacts[i].notes == whole.contacts[i].notes,
                      "the block size changes no contact");
    }
    return 0;
}
