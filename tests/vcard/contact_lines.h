#pragma once

#include <string>
#include <vector>

#include "vcard/contact.h"

// A contact as the `key: value` lines of the golden expectations (tests/vcard/golden).
namespace brimwell::vcard::test {

/// Every non-empty field of `contact` as one `key: value` line, values escaped.
std::vector<std::string> contactLines(const Contact& contact);

}  // namespace brimwell::vcard::test
