#include "corpus.h"

#include <array>
#include <cstddef>

namespace brimwell::bench {

namespace {

/// splitmix64: its whole state is one number, so a contact's text follows from its index.
class Random {
public:
    // The seed is mixed first: neighbouring seeds would otherwise give overlapping streams.
    explicit Random(std::uint64_t seed) : m_state(mix(seed + 0x2545F4914F6CDD1Dull)) {}

    std::uint64_t next() { return mix(m_state += 0x9E3779B97F4A7C15ull); }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }
    bool percent(std::size_t chance) { return below(100) < chance; }
    template <class T, std::size_t N>
    const T& pick(const std::array<T, N>& items)
    {
        return items[below(N)];
    }

private:
    static std::uint64_t mix(std::uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t m_state;
};

/// A name as shown, and as it is spelled in an e-mail address.
struct Name {
    std::string_view text;
    std::string_view ascii;
};

constexpr std::array<Name, 32> kFirstNames = {{
    {"Ann", "ann"},     {"Bruno", "bruno"}, {"Carys", "carys"},     {"Dmitri", "dmitri"},
    {"Elif", "elif"},   {"Farid", "farid"}, {"Greta", "greta"},     {"Hugo", "hugo"},
    {"Ines", "ines"},   {"Jonas", "jonas"}, {"Keiko", "keiko"},     {"Lars", "lars"},
    {"Maren", "maren"}, {"Nils", "nils"},   {"Odile", "odile"},     {"Pavel", "pavel"},
    {"Quinn", "quinn"}, {"Rosa", "rosa"},   {"Søren", "soren"},     {"Talia", "talia"},
    {"Ugo", "ugo"},     {"Vera", "vera"},   {"Wendell", "wendell"}, {"Xenia", "xenia"},
    {"Yusuf", "yusuf"}, {"Zoë", "zoe"},     {"José", "jose"},       {"Åsa", "asa"},
    {"Chloé", "chloe"}, {"Priya", "priya"}, {"Tobias", "tobias"},   {"Marek", "marek"},
}};

constexpr std::array<Name, 32> kLastNames = {{
    {"Abernethy", "abernethy"}, {"Brightwater", "brightwater"},
    {"Castellan", "castellan"}, {"Dunmore", "dunmore"},
    {"Eskildsen", "eskildsen"}, {"Fairbairn", "fairbairn"},
    {"Galloway", "galloway"},   {"Holmqvist", "holmqvist"},
    {"Ibarra", "ibarra"},       {"Jessop", "jessop"},
    {"Kowalczyk", "kowalczyk"}, {"Lindqvist", "lindqvist"},
    {"Marsh", "marsh"},         {"Núñez", "nunez"},
    {"Okafor", "okafor"},       {"Pellew", "pellew"},
    {"Quarrie", "quarrie"},     {"Raman", "raman"},
    {"Sørby", "sorby"},         {"Tremaine", "tremaine"},
    {"Underhill", "underhill"}, {"Vantongeren", "vantongeren"},
    {"Whitlock", "whitlock"},   {"Yardley", "yardley"},
    {"Zielinski", "zielinski"}, {"Müller", "muller"},
    {"Faure", "faure"},         {"Dabrowski", "dabrowski"},
    {"Ferrand", "ferrand"},     {"Ångström", "angstrom"},
    {"Halloran", "halloran"},   {"Strand", "strand"},
}};

constexpr std::array<std::string_view, 8> kNicknames = {"Bee", "Kit",  "Sunny", "Doc",
                                                        "Red", "Skip", "Jo",    "Captain"};

constexpr std::array<std::string_view, 12> kOrganizations = {
    "Kestrel Yard Joinery",     "Lantern Hill Observatory;Outreach",
    "Copperfen Bakery",         "Marram Sound Ferries",
    "Ostwick Clinic;Radiology", "Thistlebrook Library",
    "Greywater Surveying",      "Pellbrook Cycles",
    "North Pellow Growers",     "Harrow Bay Harbour Trust",
    "Stillwater Print Shop",    "Ashcombe Choir",
};

constexpr std::array<std::string_view, 10> kTitles = {
    "Workshop Foreman", "Education Coordinator", "Head Baker",
    "Ferry Captain",    "Radiographer",          "Archivist",
    "Senior Surveyor",  "Bicycle Mechanic",      "Grower",
    "Treasurer",
};

constexpr std::array<std::string_view, 12> kStreets = {
    "Birchwater Close", "Fennel Row",    "Lantern Hill Road", "Kestrel Lane",
    "Marram Walk",      "Quarry Street", "Ostwick Parade",    "Copper Mill Way",
    "Heron Court",      "Saltings Road", "Weaver's Yard",     "Gorse Terrace",
};

struct City {
    std::string_view name;
    std::string_view region;
    std::string_view postalCode;
    std::string_view country;
};

constexpr std::array<City, 8> kCities = {{
    {"Ashcombe", "MA", "02999", "USA"},
    {"Millbrook", "CA", "94999", "USA"},
    {"North Pellow", "OR", "97999", "USA"},
    {"Harrow Bay", "ME", "04999", "USA"},
    {"Stillwater Cross", "ON", "K0A 9Z9", "Canada"},
    {"Ostwick", "", "ZZ9 9ZZ", "United Kingdom"},
    {"Copperfen", "", "9999", "Denmark"},
    {"Thistlebrook", "VT", "05999", "USA"},
}};

constexpr std::array<std::string_view, 12> kNoteSentences = {
    "Ring the workshop bell twice.", "Prefers e-mail to calls.",
    "Met at the spring tool fair.",  "Call before noon.",
    "Invoices by e-mail only.",      "Allergic to walnuts.",
    "Speaks Danish and French.",     "Back from leave in March.",
    "Van parks on the north side.",  "Asked about cedar shingles.",
    "Sends the minutes on Fridays.", "Birthday cake: lemon.",
};

constexpr std::array<std::string_view, 4> kDomains = {"example.com", "example.org", "example.net",
                                                      "mail.example.com"};

constexpr std::array<std::string_view, 4> kLabels = {"_$!<Other>!$_", "Club", "Old address",
                                                     "Office"};

enum class Version { V21, V30, V40 };

enum class PhoneKind { Cell, Work, Home, Fax, Pager };

/// Everything about one contact that does not depend on the vCard version.
struct Person {
    Name first;
    Name last;
    std::string number;  // makes e-mail addresses and the uid distinct
};

/// Appends the parts and CR LF.
template <class... Parts>
void line(std::string& out, const Parts&... parts)
{
    (out.append(parts), ...);
    out.append("\r\n");
}

bool isAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

std::string phoneNumber(Random& random, Version version)
{
    const std::string area = std::to_string(200 + random.below(780));
    std::string last = std::to_string(100 + random.below(100)).substr(1);  // 00-99
    if (version == Version::V40)
        return "tel:+1-" + area + "-555-01" + last;
    return "(" + area + ") 555-01" + last;
}

std::string emailAddress(Random& random, const Person& person, std::size_t k)
{
    std::string address(person.first.ascii);
    address.append(k == 0 ? "." : "_").append(person.last.ascii);
    if (k > 0)
        address.append(std::to_string(k));
    address.append(person.number).append("@").append(random.pick(kDomains));
    return address;
}

std::string addressValue(Random& random)
{
    const City& city = random.pick(kCities);
    const std::string street =
        std::to_string(1 + random.below(480)) + " " + std::string(random.pick(kStreets));
    std::string value = ";";
    if (random.percent(15))
        value += "Flat " + std::to_string(1 + random.below(30));
    value.append(";").append(street).append(";").append(city.name).append(";").append(city.region);
    value.append(";").append(city.postalCode).append(";").append(city.country);
    return value;
}

void appendNote(std::string& out, Random& random, Version version)
{
    const std::size_t sentences = 1 + random.below(4);
    if (version == Version::V21) {
        // Quoted-printable, each line break written as =0D=0A; most exporters then break
        // the physical line with a soft break (=0D=0A=), some keep one long line.
        const bool softBreaks = random.percent(60);
        out.append("NOTE;ENCODING=QUOTED-PRINTABLE:");
        for (std::size_t i = 0; i < sentences; ++i) {
            if (i > 0)
                out.append(softBreaks ? "=0D=0A=\r\n" : "=0D=0A");
            out.append(random.pick(kNoteSentences));
        }
        out.append("\r\n");
        return;
    }
    out.append(version == Version::V40 ? "NOTE;LANGUAGE=en:" : "NOTE:");
    for (std::size_t i = 0; i < sentences; ++i) {
        if (i > 0)
            out.append("\\n");
        out.append(random.pick(kNoteSentences));
    }
    out.append("\r\n");
}

/// A base64 "photo" of a few kilobytes, folded as each version folds long values.
void appendPhoto(std::string& out, Random& random, Version version)
{
    static constexpr std::string_view kAlphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string data = "/9j/4AAQSkZJRgABAQEASABIAAD";  // how a JPEG's base64 starts
    const std::size_t length = 2000 + 4 * random.below(1000);
    while (data.size() < length) {
        const std::uint64_t bits = random.next();
        for (int k = 0; k < 10; ++k)
            data.push_back(kAlphabet[(bits >> (6 * k)) & 63]);
    }
    data.resize(length);
    data.append("==");

    constexpr std::size_t kWidth = 74;
    switch (version) {
    case Version::V21:
        // The whole value on indented lines after the head, closed by an empty line.
        out.append("PHOTO;ENCODING=BASE64;TYPE=JPEG:\r\n");
        for (std::size_t at = 0; at < data.size(); at += kWidth)
            line(out, "  ", std::string_view(data).substr(at, kWidth));
        out.append("\r\n");
        return;
    case Version::V30:
        out.append("PHOTO;ENCODING=b;TYPE=JPEG:");
        break;
    case Version::V40:
        out.append("PHOTO:data:image/jpeg;base64,");
        break;
    }
    // Folded: the first piece continues the head's line, every later one starts with a space.
    for (std::size_t at = 0; at < data.size(); at += kWidth) {
        if (at > 0)
            out.append(" ");
        line(out, std::string_view(data).substr(at, kWidth));
    }
}

std::string_view phoneParameters(PhoneKind kind, Version version, bool preferred)
{
    switch (version) {
    case Version::V21: {
        static constexpr std::array<std::string_view, 5> kTypes = {
            ";CELL", ";WORK;VOICE", ";HOME;VOICE", ";WORK;FAX", ";PAGER"};
        static constexpr std::array<std::string_view, 5> kPreferred = {
            ";PREF;CELL", ";PREF;WORK;VOICE", ";PREF;HOME;VOICE", ";WORK;FAX", ";PAGER"};
        return (preferred ? kPreferred : kTypes)[static_cast<std::size_t>(kind)];
    }
    case Version::V30: {
        static constexpr std::array<std::string_view, 5> kTypes = {
            ";type=CELL;type=VOICE", ";type=WORK;type=VOICE", ";type=HOME;type=VOICE",
            ";type=WORK;type=FAX", ";type=PAGER"};
        static constexpr std::array<std::string_view, 5> kPreferred = {
            ";type=CELL;type=VOICE;type=pref", ";type=WORK;type=VOICE;type=pref",
            ";type=HOME;type=VOICE;type=pref", ";type=WORK;type=FAX", ";type=PAGER"};
        return (preferred ? kPreferred : kTypes)[static_cast<std::size_t>(kind)];
    }
    case Version::V40:
        break;
    }
    static constexpr std::array<std::string_view, 5> kTypes = {
        ";TYPE=\"cell,voice\";VALUE=uri", ";TYPE=\"work,voice\";VALUE=uri",
        ";TYPE=\"home,voice\";VALUE=uri", ";TYPE=\"work,fax\";VALUE=uri", ";TYPE=pager;VALUE=uri"};
    static constexpr std::array<std::string_view, 5> kPreferred = {
        ";TYPE=\"cell,voice\";PREF=1;VALUE=uri", ";TYPE=\"work,voice\";PREF=1;VALUE=uri",
        ";TYPE=\"home,voice\";PREF=1;VALUE=uri", ";TYPE=\"work,fax\";VALUE=uri",
        ";TYPE=pager;VALUE=uri"};
    return (preferred ? kPreferred : kTypes)[static_cast<std::size_t>(kind)];
}

std::string_view emailParameters(Version version, bool work, bool preferred)
{
    switch (version) {
    case Version::V21:
        return preferred ? ";PREF;INTERNET" : ";INTERNET";
    case Version::V30:
        if (preferred)
            return work ? ";type=INTERNET;type=WORK;type=pref"
                        : ";type=INTERNET;type=HOME;type=pref";
        return work ? ";type=INTERNET;type=WORK" : ";type=INTERNET";
    case Version::V40:
        break;
    }
    if (preferred)
        return work ? ";TYPE=work;PREF=1" : ";TYPE=home;PREF=1";
    return work ? ";TYPE=work" : ";TYPE=home";
}

/// Hands out the "itemN." group prefixes of one vCard 3.0 contact.
class Groups {
public:
    std::string next() { return "item" + std::to_string(++m_used) + "."; }

private:
    int m_used = 0;
};

}  // namespace

void appendContact(std::string& out, std::uint64_t index)
{
    Random random(index);
    const std::size_t versionRoll = random.below(100);
    const Version version = versionRoll < 35   ? Version::V21
                            : versionRoll < 75 ? Version::V30
                                               : Version::V40;
    const Person person{random.pick(kFirstNames), random.pick(kLastNames),
                        std::to_string(index % 1000)};
    Groups groups;

    line(out, "BEGIN:VCARD");
    line(out, version == Version::V21   ? "VERSION:2.1"
              : version == Version::V30 ? "VERSION:3.0"
                                        : "VERSION:4.0");
    if (version == Version::V40)
        line(out, "KIND:individual");
    // A 2.1 exporter marks a name outside ASCII with its character set.
    const bool plainName =
        version != Version::V21 || (isAscii(person.first.text) && isAscii(person.last.text));
    line(out, plainName ? "N:" : "N;CHARSET=UTF-8:", person.last.text, ";", person.first.text,
         ";;;");
    line(out, plainName ? "FN:" : "FN;CHARSET=UTF-8:", person.first.text, " ", person.last.text);
    if (random.percent(15))
        line(out, "NICKNAME:", random.pick(kNicknames));
    if (random.percent(60))
        line(out, "ORG:", random.pick(kOrganizations));
    if (random.percent(50))
        line(out, "TITLE:", random.pick(kTitles));
    if (random.percent(30)) {
        const std::string year = std::to_string(1940 + random.below(65));
        const std::string month = std::to_string(101 + random.below(12)).substr(1);
        const std::string day = std::to_string(101 + random.below(28)).substr(1);
        if (version == Version::V21)
            line(out, "BDAY:", year + month + day);
        else if (version == Version::V30)
            line(out, "BDAY:", year + "-" + month + "-" + day);
        else
            line(out, "BDAY:--", month + day);
    }

    const std::size_t phones = 1 + random.below(4);
    for (std::size_t k = 0; k < phones; ++k) {
        const auto kind = static_cast<PhoneKind>(random.below(k == 0 ? 3 : 5));
        const std::string number = phoneNumber(random, version);
        const std::string group =
            version == Version::V30 && random.percent(20) ? groups.next() : "";
        line(out, group, "TEL", phoneParameters(kind, version, k == 0 && phones > 1), ":" + number);
    }

    const std::size_t emails = 1 + random.below(3);
    for (std::size_t k = 0; k < emails; ++k) {
        const bool work = random.percent(40);
        const std::string address = emailAddress(random, person, k);
        if (version == Version::V30 && k > 0 && random.percent(50)) {
            // A grouped e-mail with its label, as one widely used address book writes it.
            const std::string group = groups.next();
            line(out, group, "EMAIL", emailParameters(version, work, false), ":" + address);
            line(out, group, "X-ABLabel:", random.pick(kLabels));
            continue;
        }
        line(out, "EMAIL", emailParameters(version, work, k == 0 && emails > 1), ":", address);
    }

    const std::size_t addresses = random.below(100) < 55 ? 1 : random.below(100) < 50 ? 0 : 2;
    for (std::size_t k = 0; k < addresses; ++k) {
        const bool work = k == 1 || random.percent(30);
        const std::string value = addressValue(random);
        switch (version) {
        case Version::V21:
            line(out, work ? "ADR;WORK:" : "ADR;HOME:", value);
            break;
        case Version::V30:
            if (random.percent(50)) {
                const std::string group = groups.next();
                line(out, group, work ? "ADR;type=WORK:" : "ADR;type=HOME:", value);
                line(out, group, "X-ABADR:us");
            } else {
                line(out, work ? "ADR;type=WORK;type=pref:" : "ADR;type=HOME;type=pref:", value);
            }
            break;
        case Version::V40:
            line(out, work ? "ADR;TYPE=work:" : "ADR;TYPE=home:", value);
            break;
        }
    }

    if (random.percent(25)) {
        const std::string url =
            "https://www.example.org/people/" + std::string(person.last.ascii) + person.number;
        line(out, version == Version::V30 ? "URL;type=WORK:" : "URL:", url);
    }
    if (random.percent(35))
        appendNote(out, random, version);
    if (version != Version::V21 && random.percent(20))
        line(out, "CATEGORIES:", random.percent(50) ? "Friends" : "Work,Suppliers");
    if (random.percent(2))
        appendPhoto(out, random, version);
    if (version == Version::V40)
        line(out, "UID:urn:uuid:4fbe8971-0bc3-424c-9c26-", std::to_string(100000000000ull + index));
    if (version != Version::V21) {
        const std::size_t month = random.below(12);
        const std::size_t day = random.below(28);
        line(out, "REV:", std::to_string(20240101 + 100 * month + day), "T101500Z");
    }
    line(out, "END:VCARD");
}

std::string corpusText(std::uint64_t count, std::uint64_t first)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(count) * 600);
    for (std::uint64_t i = first; i < first + count; ++i)
        appendContact(text, i);
    return text;
}

std::string withUtf8Mark(std::string_view utf8)
{
    return std::string("\xEF\xBB\xBF").append(utf8);
}

std::string toUtf16LeWithMark(std::string_view utf8)
{
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + 2 * utf8.size());
    auto unit = [&bytes](char32_t value) {
        bytes.push_back(static_cast<char>(value & 0xFF));
        bytes.push_back(static_cast<char>(value >> 8));
    };
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            unit(0xD800 + (codePoint >> 10));
            unit(0xDC00 + (codePoint & 0x3FF));
        } else {
            unit(codePoint);
        }
    }
    return bytes;
}

}  // namespace brimwell::bench
