"""Where each value of a contact belongs in the three CSV layouts of the faithful engine.

The one table of the round-trip check: for every field of the golden files (`tel`,
`adr.street`, `n.given`, ...) and every layout, the family of columns the value must be
found in. A value is found when it matches a cell of its family (`EXACT`, `CONTAINS` or
`LINES`, below); a `fallback` family (Outlook's Notes) is accepted too, for all values of
the field or, with `slots`, only for those beyond the first `slots` (the others must have
found a slot). Fields missing from a layout's table are not looked for in that layout.
"""

import re
from dataclasses import dataclass

EXACT = "exact"  # the cell, or one of the parts of a cell joined by " ::: ", is the value
CONTAINS = "contains"  # the value is somewhere in the cell's text (free-text cells)
LINES = "lines"  # the value's lines are consecutive lines of the group's cells, in order

VALUE_SEPARATOR = " ::: "


@dataclass(frozen=True)
class Family:
    """Columns that may hold a value. `description` is what a failure names. In a strict
    family `pattern` matches a whole header, letter case counting; a loose one (the
    spreadsheet layout, whose names are plain English) is searched for in the header,
    any case, and `exclude` must not be found there."""

    description: str
    pattern: str
    mode: str = EXACT
    loose: bool = False
    exclude: str = ""

    def holds(self, header):
        if not self.loose:
            return re.fullmatch(self.pattern, header) is not None
        if self.exclude and re.search(self.exclude, header, re.IGNORECASE):
            return False
        return re.search(self.pattern, header, re.IGNORECASE) is not None


@dataclass(frozen=True)
class Rule:
    family: Family
    fallback: Family = None
    slots: int = 0  # when not 0, only the values beyond this many may use the fallback


@dataclass(frozen=True)
class Layout:
    """`derived_name`: columns that, joined by spaces, give the name when the contact has
    no N (so `fn` is looked for there only then); None when `fn` has a column of its own.
    `group_of` names the group an address column belongs to: the parts of one address
    must all be found in one group. `date_forms`: the ways a date may be written."""

    name: str
    header_start: tuple
    rules: dict
    group_of: object
    date_forms: tuple
    derived_name: tuple = None
    last_part: tuple = None  # (column, text): the text every row's column ends with
    fixed_header: bool = False  # the header is `header_start` and nothing more


def first_number(header):
    match = re.search(r"\d+", header)
    return match.group() if match else ""


def first_word(header):
    return header.split(" ", 1)[0]


def _strict(column, mode=EXACT):
    """The one column of that name."""
    return Family(column, re.escape(column), mode)


def _numbered(prefix, part):
    """Google's numbered groups: `Phone 2 - Value`, `Address 1 - City`."""
    return Family(f"{prefix} K - {part}", rf"{re.escape(prefix)} \d+ - {re.escape(part)}")


# --- Google Contacts -----------------------------------------------------------------

GOOGLE_FIXED = (
    "First Name", "Middle Name", "Last Name", "Phonetic First Name", "Phonetic Middle Name",
    "Phonetic Last Name", "Name Prefix", "Name Suffix", "Nickname", "File As",
    "Organization Name", "Organization Title", "Organization Department", "Birthday", "Notes",
    "Photo", "Labels",
)

_GOOGLE_CUSTOM = Family("IM K - Value or Custom Field K - Value", r"(IM|Custom Field) \d+ - Value")

GOOGLE = Layout(
    name="google",
    header_start=GOOGLE_FIXED,
    rules={
        "n.given": Rule(_strict("First Name")),
        "n.additional": Rule(_strict("Middle Name")),
        "n.family": Rule(_strict("Last Name")),
        "n.prefix": Rule(_strict("Name Prefix")),
        "n.suffix": Rule(_strict("Name Suffix")),
        "phonetic.given": Rule(_strict("Phonetic First Name")),
        "phonetic.additional": Rule(_strict("Phonetic Middle Name")),
        "phonetic.family": Rule(_strict("Phonetic Last Name")),
        "nickname": Rule(_strict("Nickname")),
        "org": Rule(_strict("Organization Name")),
        "title": Rule(_strict("Organization Title")),
        "org.unit": Rule(_strict("Organization Department", CONTAINS)),
        "bday": Rule(_strict("Birthday")),
        "note": Rule(_strict("Notes", CONTAINS)),
        "photo.url": Rule(_strict("Photo")),
        "category": Rule(_strict("Labels")),
        "email": Rule(_numbered("E-mail", "Value")),
        "tel": Rule(_numbered("Phone", "Value")),
        "adr.formatted": Rule(_numbered("Address", "Formatted")),
        "adr.street": Rule(_numbered("Address", "Street")),
        "adr.locality": Rule(_numbered("Address", "City")),
        "adr.pobox": Rule(_numbered("Address", "PO Box")),
        "adr.region": Rule(_numbered("Address", "Region")),
        "adr.postalcode": Rule(_numbered("Address", "Postal Code")),
        "adr.country": Rule(_numbered("Address", "Country")),
        "adr.extended": Rule(_numbered("Address", "Extended Address")),
        "url": Rule(_numbered("Website", "Value")),
        "anniversary": Rule(_numbered("Event", "Value")),
        "event": Rule(_numbered("Event", "Value")),
        "relation": Rule(_numbered("Relation", "Value")),
        "im.handle": Rule(_GOOGLE_CUSTOM),
        "role": Rule(_GOOGLE_CUSTOM),
    },
    group_of=first_number,
    date_forms=("text", "iso", "yearless"),
    derived_name=("Name Prefix", "First Name", "Middle Name", "Last Name", "Name Suffix", "File As"),
    last_part=("Labels", "* myContacts"),
)

# --- Outlook -------------------------------------------------------------------------

OUTLOOK_COLUMNS = (
    "Title", "First Name", "Middle Name", "Last Name", "Suffix", "Company", "Department",
    "Job Title", "Business Street", "Business Street 2", "Business Street 3", "Business City",
    "Business State", "Business Postal Code", "Business Country/Region", "Home Street",
    "Home Street 2", "Home Street 3", "Home City", "Home State", "Home Postal Code",
    "Home Country/Region", "Other Street", "Other Street 2", "Other Street 3", "Other City",
    "Other State", "Other Postal Code", "Other Country/Region", "Assistant's Phone",
    "Business Fax", "Business Phone", "Business Phone 2", "Callback", "Car Phone",
    "Company Main Phone", "Home Fax", "Home Phone", "Home Phone 2", "ISDN", "Mobile Phone",
    "Other Fax", "Other Phone", "Pager", "Primary Phone", "Radio Phone", "TTY/TDD Phone",
    "Telex", "Account", "Anniversary", "Assistant's Name", "Billing Information", "Birthday",
    "Business Address PO Box", "Categories", "Children", "Directory Server", "E-mail Address",
    "E-mail Type", "E-mail Display Name", "E-mail 2 Address", "E-mail 2 Type",
    "E-mail 2 Display Name", "E-mail 3 Address", "E-mail 3 Type", "E-mail 3 Display Name",
    "Gender", "Government ID Number", "Hobby", "Home Address PO Box", "Initials",
    "Internet Free Busy", "Keywords", "Language", "Location", "Manager's Name", "Mileage",
    "Notes", "Office Location", "Organizational ID Number", "Other Address PO Box", "Priority",
    "Private", "Profession", "Referred By", "Sensitivity", "Spouse", "User 1", "User 2",
    "User 3", "User 4", "Web Page",
)

OUTLOOK_PHONES = (
    "Assistant's Phone", "Business Fax", "Business Phone", "Business Phone 2", "Callback",
    "Car Phone", "Company Main Phone", "Home Fax", "Home Phone", "Home Phone 2", "ISDN",
    "Mobile Phone", "Other Fax", "Other Phone", "Pager", "Primary Phone", "Radio Phone",
    "TTY/TDD Phone", "Telex",
)

OUTLOOK_RELATIONS = ("Spouse", "Manager's Name", "Assistant's Name", "Children", "Referred By")

_ADDRESS_KIND = "(Business|Home|Other)"


def _one_of(description, columns):
    return Family(description, "|".join(re.escape(column) for column in columns))


def _outlook_address(part, pattern, mode=EXACT):
    return Family(f"Business/Home/Other {part}", f"{_ADDRESS_KIND} {pattern}", mode)


_NOTES = _strict("Notes", CONTAINS)
_ANY_COLUMN = Family("any column (Notes for a value with no slot)", ".*", CONTAINS)
_STREET = _outlook_address("Street [2/3]", r"Street( 2| 3)?", LINES)

OUTLOOK = Layout(
    name="outlook",
    header_start=OUTLOOK_COLUMNS,
    rules={
        "n.prefix": Rule(_strict("Title")),
        "n.given": Rule(_strict("First Name")),
        "n.additional": Rule(_strict("Middle Name")),
        "n.family": Rule(_strict("Last Name")),
        "n.suffix": Rule(_strict("Suffix")),
        "org": Rule(_strict("Company")),
        "org.unit": Rule(_strict("Department", CONTAINS)),
        "title": Rule(_strict("Job Title")),
        "email": Rule(
            Family("E-mail [2/3] Address", r"E-mail( 2| 3)? Address"), _NOTES, slots=3
        ),
        "tel": Rule(_one_of("a phone column", OUTLOOK_PHONES), _NOTES),
        "adr.street": Rule(_STREET, _NOTES),
        "adr.extended": Rule(_STREET, _NOTES),
        "adr.locality": Rule(_outlook_address("City", "City"), _NOTES),
        "adr.region": Rule(_outlook_address("State", "State"), _NOTES),
        "adr.postalcode": Rule(_outlook_address("Postal Code", "Postal Code"), _NOTES),
        "adr.country": Rule(_outlook_address("Country/Region", "Country/Region"), _NOTES),
        "adr.pobox": Rule(_outlook_address("Address PO Box", "Address PO Box"), _NOTES),
        "url": Rule(_strict("Web Page"), _NOTES),
        "bday": Rule(_strict("Birthday"), _NOTES),
        "anniversary": Rule(_strict("Anniversary"), _NOTES),
        "relation": Rule(_one_of("Spouse/Manager's Name/Assistant's Name/...", OUTLOOK_RELATIONS), _NOTES),
        "category": Rule(_strict("Categories", CONTAINS)),
        "note": Rule(_NOTES),
        # No slot of their own: kept somewhere in the row, in practice in Notes.
        "nickname": Rule(_ANY_COLUMN),
        "phonetic.given": Rule(_ANY_COLUMN),
        "phonetic.additional": Rule(_ANY_COLUMN),
        "phonetic.family": Rule(_ANY_COLUMN),
        "role": Rule(_ANY_COLUMN),
        "photo.url": Rule(_ANY_COLUMN),
        "im.handle": Rule(_ANY_COLUMN),
        "event": Rule(_ANY_COLUMN),
    },
    group_of=first_word,
    date_forms=("text", "iso", "us"),
    derived_name=("Title", "First Name", "Middle Name", "Last Name", "Suffix"),
    fixed_header=True,
)

# --- Spreadsheet (all fields) --------------------------------------------------------

# The column beside a value that holds its type or label ("Phone 1 Type").
_LABEL_COLUMN = r"\b(type|types|label|labels|kind)\s*$"


def _loose(description, pattern, exclude="", mode=EXACT, labels_too=False):
    """A family of the spreadsheet layout; its type/label columns are left out of it
    unless the value is itself a kind of label (a messaging service, a property name)."""
    if not labels_too:
        exclude = f"{exclude}|{_LABEL_COLUMN}" if exclude else _LABEL_COLUMN
    return Family(description, pattern, mode, loose=True, exclude=exclude)


def _table_address(part, pattern, labels_too=False):
    both_orders = rf"\baddress(es)?\b.*\b({pattern})\b|\b({pattern})\b.*\baddress"
    return Rule(_loose(f"Address ... {part}", both_orders, labels_too=labels_too))


_IM = r"\b(im|ims|instant messag\w*|messaging|messengers?|chat)\b"
_OTHER = r"\b(others?|custom|extra|unmapped|propert(y|ies))\b"
_EVENT = _loose("Event/Date", r"\b(events?|dates?)\b", exclude=r"birth|anniversar")

TABLE = Layout(
    name="table",
    header_start=(),
    rules={
        "version": Rule(_loose("Version", r"\bversion\b")),
        "fn": Rule(_loose("Full/Display Name", r"\b(full|display|formatted) name\b|^\s*name\s*$")),
        "n.family": Rule(_loose("Last/Family Name", r"\b(last|family) name\b|\bsurname\b", r"phonetic")),
        "n.given": Rule(_loose("First/Given Name", r"\b(first|given) name\b", r"phonetic")),
        "n.additional": Rule(_loose("Middle/Additional Name", r"\b(middle|additional) names?\b", r"phonetic")),
        "n.prefix": Rule(_loose("Prefix", r"\bprefix\b", r"phonetic")),
        "n.suffix": Rule(_loose("Suffix", r"\bsuffix\b", r"phonetic")),
        "phonetic.family": Rule(_loose("Phonetic Last Name", r"\bphonetic\b.*\b(last|family)\b")),
        "phonetic.given": Rule(_loose("Phonetic First Name", r"\bphonetic\b.*\b(first|given)\b")),
        "phonetic.additional": Rule(_loose("Phonetic Middle Name", r"\bphonetic\b.*\b(middle|additional)\b")),
        "nickname": Rule(_loose("Nickname", r"\bnick ?names?\b", mode=CONTAINS)),
        "org": Rule(_loose("Organization/Company", r"\b(organi[sz]ation|company)\b", r"\b(unit|department|title)\b")),
        "org.unit": Rule(_loose("Department/Unit", r"\b(departments?|units?|divisions?)\b", mode=CONTAINS)),
        "title": Rule(_loose("Title", r"\btitle\b", r"\bprefix\b")),
        "role": Rule(_loose("Role", r"\brole\b")),
        "bday": Rule(_loose("Birthday", r"\bbirth ?(day|date)\b|\bdate of birth\b")),
        "anniversary": Rule(_loose("Anniversary", r"\banniversar(y|ies)\b"), _EVENT),
        "photo.url": Rule(_loose("Photo", r"\b(photo|picture|image|avatar)\b")),
        "note": Rule(_loose("Notes", r"\bnotes?\b", mode=CONTAINS)),
        "category": Rule(
            _loose("Categories", r"\b(categor(y|ies)|tags?|groups?)\b|^\s*labels\s*$", mode=CONTAINS, labels_too=True)
        ),
        "email": Rule(_loose("E-mail", r"\be-?mails?\b")),
        "tel": Rule(_loose("Phone", r"\b(tele)?phones?\b|\btel\b|\bfax\b|\bmobile\b|\bpager\b")),
        "adr.pobox": _table_address("PO Box", r"p\.? ?o\.? ?box|post office box"),
        "adr.extended": _table_address("Extended", r"extended"),
        "adr.street": _table_address("Street", r"street"),
        "adr.locality": _table_address("City", r"city|locality|town"),
        "adr.region": _table_address("Region", r"region|state|province"),
        "adr.postalcode": _table_address("Postal Code", r"postal code|post ?code|zip( code)?"),
        "adr.country": _table_address("Country", r"country"),
        # A vCard calls the formatted address a label: "Address 1 Label" may hold it.
        "adr.formatted": _table_address("Formatted", r"formatted|label", labels_too=True),
        "url": Rule(_loose("Website", r"\b(web ?sites?|web ?pages?|urls?|home ?pages?|links?)\b")),
        "im.service": Rule(_loose("IM Service", _IM, labels_too=True)),
        "im.handle": Rule(_loose("IM", _IM, r"\bservice\b")),
        "event": Rule(_EVENT),
        "relation": Rule(_loose("Relation", r"\b(relations?|related|relationships?|relatives?)\b")),
        # CONTAINS: a grouped property's name may be written with its group (`item1.X-ABADR`).
        "other.name": Rule(_loose("Other ... Name", _OTHER, mode=CONTAINS, labels_too=True)),
        "other.value": Rule(_loose("Other ... Value", _OTHER, r"\bname\b")),
    },
    group_of=first_number,
    date_forms=("text", "iso"),
)

LAYOUTS = (GOOGLE, OUTLOOK, TABLE)
