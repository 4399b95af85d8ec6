// brimwell-vcard-read [--one-part] FILE: reads every contact of a vCard file with the faithful
// reader and prints how many contacts and warnings it gave, for timing the reader on its own.
// A file of a megabyte or more is read as the export reads it, in two parts at once on two
// threads; with --one-part, by one reader on one thread.
#include <cstdio>
#include <cstring>
#include <exception>

#include "job/faithful_options.h"
#include "vcard/card_boundary.h"
#include "vcard/reader.h"
#include "vcard/two_part_read.h"

namespace {

using brimwell::vcard::VCardReader;

constexpr auto countContacts = [](VCardReader& reader, std::size_t& contacts, auto goOn) {
    for (brimwell::vcard::Contact contact; reader.next(contact) && goOn();)
        ++contacts;
};

constexpr auto always = [] { return true; };

}  // namespace

int main(int argc, char** argv)
{
    const bool onePart = argc == 3 && std::strcmp(argv[1], "--one-part") == 0;
    if (argc != 2 && !onePart) {
        std::fprintf(stderr, "usage: brimwell-vcard-read [--one-part] FILE\n");
        return 2;
    }
    try {
        const std::filesystem::path path(argv[argc - 1]);
        const brimwell::FaithfulOptions options;
        std::size_t contacts = 0;
        std::vector<std::string> warnings;
        bool read = false;
        if (!onePart) {
            if (const auto cut =
                    brimwell::vcard::middleCardBoundary(path, options.splitFromBytes)) {
                std::size_t later = 0;
                read = brimwell::vcard::readInTwoParts(path, *cut, options.reader, contacts, later,
                                                       countContacts, always, warnings);
                contacts = read ? contacts + later : 0;
            }
        }
        if (!read) {
            VCardReader reader(path, options.reader);
            countContacts(reader, contacts, always);
            warnings = reader.warnings();
        }
        std::printf("%zu contacts, %zu warnings\n", contacts, warnings.size());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brimwell-vcard-read: %s\n", error.what());
        return 1;
    }
    return 0;
}
