#pragma once

#include <string_view>

#include "vcard/contact.h"

namespace brimwell::vcard::csv {

/// The kinds of values that carry a label in the Google Contacts layout.
enum class LabelledValue { Email, Phone, Address, Website, Im, Relation };

/// The label Google Contacts uses for a value: the value's own label when it has one (a
/// one-word label such as `HomePage` spelt as Google spells it), else the word for its types
/// (`Home`, `Work`, `Mobile`, `Main`, `Home Fax`, `Work Fax`, `Pager`, `Other`, ...), else
/// empty. The view points into a constant or into `attributes`.
std::string_view googleLabel(LabelledValue kind, const Attributes& attributes);

/// The service name Google Contacts shows for an instant-messaging service written in lower
/// case (`aim` -> `AIM`, `gtalk` -> `Google Talk`); an unknown service as written.
std::string_view googleImService(std::string_view service);

}  // namespace brimwell::vcard::csv
