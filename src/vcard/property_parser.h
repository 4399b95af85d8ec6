#pragma once

#include <string_view>
#include <vector>

// Lines to properties: `item1.TEL;TYPE=cell,voice;PREF=1:+1 555` cut into its group, name,
// parameters and raw value, all views of the line. Names and parameters keep their case.

namespace brimwell::vcard {

/// One parameter; a 2.1 bare parameter (`TEL;CELL`) has an empty name. A quoted value is
/// given without its quotes.
struct Parameter {
    std::string_view name;
    std::string_view value;
};

enum class ValueEncoding { None, QuotedPrintable, Base64 };

struct Property {
    std::string_view group;
    std::string_view name;
    std::vector<Parameter> parameters;
    std::string_view value;
    bool utf8 = false;  ///< the whole line is valid UTF-8, so every part of it is too
    /// ENCODING=QUOTED-PRINTABLE or QP, BASE64 or B, or the 2.1 bare forms of them.
    ValueEncoding encoding = ValueEncoding::None;
    std::string_view charset;  ///< the CHARSET parameter, empty without one
};

/// Fills `property` from `line`; false when the line is no property (it has no `:`).
/// The vector of parameters is reused, so parsing line after line allocates nothing.
bool parseProperty(std::string_view line, Property& property);

/// True when `line` begins as a property does: `[group.]NAME` then `;` or `:`, where the
/// group and the name are not empty and hold neither of `:` `;` `.`.
bool startsProperty(std::string_view line);

/// The value of the first parameter named `name` (any case), empty when there is none.
std::string_view parameterValue(const Property& property, std::string_view name);

/// True when a TYPE value or a bare parameter is `type` (any case).
bool hasType(const Property& property, std::string_view type);

}  // namespace brimwell::vcard
