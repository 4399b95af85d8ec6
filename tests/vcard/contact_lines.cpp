#include "contact_lines.h"

#include <cstdio>

namespace brimwell::vcard::test {
namespace {

std::string escaped(const std::string& value)
{
    std::string out;
    for (char c : value) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

class Lines {
public:
    void add(const std::string& key, const std::string& value)
    {
        if (!value.empty())
            m_lines.push_back(key + ": " + escaped(value));
    }

    void addAttributes(const std::string& key, const Attributes& attributes)
    {
        std::string types;
        for (const std::string& type : attributes.types)
            types += (types.empty() ? "" : ",") + type;
        add(key + ".types", types);
        if (attributes.preference != 0)
            add(key + ".pref", std::to_string(attributes.preference));
        add(key + ".label", attributes.label);
        add(key + ".group", attributes.group);
    }

    void addName(const std::string& key, const NameParts& name, bool withTitles)
    {
        add(key + ".family", name.family);
        add(key + ".given", name.given);
        add(key + ".additional", name.additional);
        if (withTitles) {
            add(key + ".prefix", name.prefix);
            add(key + ".suffix", name.suffix);
        }
    }

    void addDate(const std::string& key, const std::optional<DateValue>& date)
    {
        if (!date)
            return;
        add(key, date->text);
        if (date->date) {
            char text[32];
            const auto& [year, month, day] = *date->date;
            if (year == 0)
                std::snprintf(text, sizeof text, "----%02d-%02d", month, day);
            else
                std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
            add(key + ".date", text);
        }
    }

    void addList(const std::string& key, const std::vector<std::string>& values)
    {
        for (std::size_t i = 0; i < values.size(); ++i)
            add(key + "." + std::to_string(i + 1), values[i]);
    }

    void addTyped(const std::string& key, const std::vector<TypedValue>& values)
    {
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::string item = key + "." + std::to_string(i + 1);
            add(item, values[i].value);
            addAttributes(item, values[i].attributes);
        }
    }

    std::vector<std::string> take() { return std::move(m_lines); }

private:
    std::vector<std::string> m_lines;
};

std::string numbered(const char* key, std::size_t index)
{
    return std::string(key) + "." + std::to_string(index + 1);
}

}  // namespace

std::vector<std::string> contactLines(const Contact& c)
{
    Lines lines;
    lines.add("version", c.version);
    lines.add("fn", c.formattedName);
    lines.addName("n", c.name, true);
    lines.addName("phonetic", c.phonetic, false);
    lines.add("org", c.organization);
    lines.addList("org.unit", c.organizationUnits);
    lines.add("title", c.title);
    lines.add("role", c.role);
    lines.addDate("bday", c.birthday);
    lines.addDate("anniversary", c.anniversary);
    lines.add("photo.url", c.photoUrl);
    if (c.hasEmbeddedPhoto)
        lines.add("photo.embedded", "yes");
    lines.addList("nickname", c.nicknames);
    lines.addList("note", c.notes);
    lines.addList("category", c.categories);
    lines.addTyped("email", c.emails);
    lines.addTyped("tel", c.phones);
    lines.addTyped("url", c.urls);
    for (std::size_t i = 0; i < c.addresses.size(); ++i) {
        const Address& a = c.addresses[i];
        const std::string key = numbered("adr", i);
        lines.add(key + ".pobox", a.poBox);
        lines.add(key + ".extended", a.extended);
        lines.add(key + ".street", a.street);
        lines.add(key + ".locality", a.locality);
        lines.add(key + ".region", a.region);
        lines.add(key + ".postalcode", a.postalCode);
        lines.add(key + ".country", a.country);
        lines.add(key + ".formatted", a.formatted);
        lines.addAttributes(key, a.attributes);
    }
    for (std::size_t i = 0; i < c.ims.size(); ++i) {
        const std::string key = numbered("im", i);
        lines.add(key + ".service", c.ims[i].service);
        lines.add(key + ".handle", c.ims[i].handle);
        lines.addAttributes(key, c.ims[i].attributes);
    }
    for (std::size_t i = 0; i < c.events.size(); ++i) {
        const std::string key = numbered("event", i);
        lines.addDate(key, c.events[i].when);
        lines.addAttributes(key, c.events[i].attributes);
    }
    for (std::size_t i = 0; i < c.relations.size(); ++i) {
        const std::string key = numbered("relation", i);
        lines.add(key, c.relations[i].name);
        lines.addAttributes(key, c.relations[i].attributes);
    }
    for (std::size_t i = 0; i < c.others.size(); ++i) {
        const std::string key = numbered("other", i);
        lines.add(key + ".name", c.others[i].name);
        lines.add(key + ".value", c.others[i].value);
        lines.add(key + ".group", c.others[i].group);
    }
    return lines.take();
}

}  // namespace brimwell::vcard::test
