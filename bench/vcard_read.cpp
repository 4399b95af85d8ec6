// brimwell-vcard-read FILE: reads every contact of a vCard file with the faithful reader and
// prints how many contacts and warnings it gave, for timing the reader on its own.
#include <cstdio>
#include <exception>

#include "vcard/reader.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: brimwell-vcard-read FILE\n");
        return 2;
    }
    try {
        brimwell::vcard::VCardReader reader{std::filesystem::path(argv[1])};
        brimwell::vcard::Contact contact;
        std::size_t contacts = 0;
        while (reader.next(contact))
            ++contacts;
        std::printf("%zu contacts, %zu warnings\n", contacts, reader.warnings().size());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "brimwell-vcard-read: %s\n", error.what());
        return 1;
    }
    return 0;
}
