#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The benchmark corpus: fictional contacts in the mix that address books export today
// (vCard 2.1, 3.0 and 4.0; several phones and e-mails; grouped "item1." properties;
// quoted-printable notes with soft breaks; addresses; now and then a base64 photo).
// Contact i is made from i alone, so a file of N contacts and a folder of N one-contact
// files hold the same contacts, on every run and every machine.
namespace brimwell::bench {

/// Appends contact number `index` to `out`, every line ending in CR LF.
void appendContact(std::string& out, std::uint64_t index);

/// Contacts first .. first + count - 1, one after another.
std::string corpusText(std::uint64_t count, std::uint64_t first = 0);

/// UTF-8 text with the UTF-8 byte-order mark in front.
std::string withUtf8Mark(std::string_view utf8);

/// Valid UTF-8 text as UTF-16 little-endian bytes with the byte-order mark FF FE in front.
std::string toUtf16LeWithMark(std::string_view utf8);

}  // namespace brimwell::bench
