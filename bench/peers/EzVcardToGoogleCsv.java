// Benchmark peer: converts a vCard file into a Google Contacts CSV with Debian's
// libez-vcard-java. bench/install-peers.sh compiles it into BUILD/java.
//
//     java -cp BUILD/java:/usr/share/java/ez-vcard.jar:/usr/share/java/vinnie.jar \
//         EzVcardToGoogleCsv IN.vcf OUT.csv
//
// The layout and its rules are described in bench/README.md ("The layout the peers write");
// the other two peers follow the same rules, so the three write the same bytes.
import ezvcard.VCard;
import ezvcard.io.text.VCardReader;
import ezvcard.property.Address;
import ezvcard.property.DateOrTimeProperty;
import ezvcard.property.Email;
import ezvcard.property.Note;
import ezvcard.property.Photo;
import ezvcard.property.RawProperty;
import ezvcard.property.Related;
import ezvcard.property.StructuredName;
import ezvcard.property.Telephone;
import ezvcard.property.Url;
import ezvcard.property.VCardProperty;
import ezvcard.util.PartialDate;
import java.io.BufferedReader;
import java.io.BufferedWriter;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStreamReader;
import java.io.OutputStreamWriter;
import java.io.Writer;
import java.nio.charset.StandardCharsets;
import java.time.ZoneId;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;

public final class EzVcardToGoogleCsv {
    static final String JOIN = " ::: ";

    static final String[] FIXED = {"First Name", "Middle Name", "Last Name",
        "Phonetic First Name", "Phonetic Middle Name", "Phonetic Last Name", "Name Prefix",
        "Name Suffix", "Nickname", "File As", "Organization Name", "Organization Title",
        "Organization Department", "Birthday", "Notes", "Photo", "Labels"};

    /** The numbered groups in the order of their columns, each with its columns' names. */
    enum Group {
        EMAIL("E-mail", "Label", "Value"),
        PHONE("Phone", "Label", "Value"),
        ADDRESS("Address", "Label", "Formatted", "Street", "City", "PO Box", "Region",
            "Postal Code", "Country", "Extended Address"),
        WEBSITE("Website", "Label", "Value"),
        EVENT("Event", "Label", "Value"),
        RELATION("Relation", "Label", "Value");

        final String name;
        final String[] columns;

        Group(String name, String... columns) {
            this.name = name;
            this.columns = columns;
        }
    }

    /** One contact's cells: the fixed columns, then per group kind one array per group. */
    static final class Row {
        final String[] fixed = new String[FIXED.length];
        final List<List<String[]>> groups = new ArrayList<>();

        Row() {
            for (int i = 0; i < Group.values().length; ++i)
                groups.add(new ArrayList<>());
        }

        void add(Group group, String... cells) {
            groups.get(group.ordinal()).add(cells);
        }
    }

    static String text(String value) {
        if (value == null)
            return "";
        return value.indexOf('\r') < 0 ? value : value.replace("\r\n", "\n").replace('\r', '\n');
    }

    static String joined(List<String> values) {
        StringBuilder out = new StringBuilder();
        for (String value : values) {
            if (value == null || value.isEmpty())
                continue;
            if (out.length() > 0)
                out.append(JOIN);
            out.append(text(value));
        }
        return out.toString();
    }

    static String twoDigits(int n) {
        return n < 10 ? "0" + n : Integer.toString(n);
    }

    /** yyyy-mm-dd, or --mm-dd without a year; a time of day is left out. */
    static String date(DateOrTimeProperty property) {
        if (property == null)
            return "";
        if (property.getDate() != null)
            return property.getDate().toInstant().atZone(ZoneId.systemDefault()).toLocalDate()
                .toString();
        PartialDate partial = property.getPartialDate();
        if (partial != null && partial.getMonth() != null && partial.getDate() != null) {
            String monthDay = twoDigits(partial.getMonth()) + "-" + twoDigits(partial.getDate());
            return partial.getYear() != null ? partial.getYear() + "-" + monthDay : "--" + monthDay;
        }
        return dateText(property.getText());
    }

    /** The same for a date that reached us as text. */
    static String dateText(String value) {
        if (value == null)
            return "";
        int time = value.indexOf('T');
        String day = time < 0 ? value : value.substring(0, time);
        if (day.length() == 8 && day.chars().allMatch(Character::isDigit))
            return day.substring(0, 4) + "-" + day.substring(4, 6) + "-" + day.substring(6);
        if (day.length() == 6 && day.startsWith("--"))
            return "--" + day.substring(2, 4) + "-" + day.substring(4);
        return day;
    }

    /** The address as a letter shows it: "Street\nCity, Region Postal Code\nCountry". */
    static String formattedAddress(String street, String extendedAddress, String poBox,
        String city, String region, String postalCode, String country) {
        String place = city;
        if (!region.isEmpty())
            place = place.isEmpty() ? region : place + ", " + region;
        if (!postalCode.isEmpty())
            place = place.isEmpty() ? postalCode : place + " " + postalCode;
        StringBuilder out = new StringBuilder();
        for (String line : List.of(street, extendedAddress, poBox, place, country)) {
            if (line.isEmpty())
                continue;
            if (out.length() > 0)
                out.append('\n');
            out.append(line);
        }
        return out.toString();
    }

    /** The label an address book gave a group of properties: "_$!<Other>!$_" is Other. */
    static String unwrapLabel(String label) {
        if (label.startsWith("_$!<") && label.endsWith(">!$_"))
            return label.substring(4, label.length() - 4);
        return label;
    }

    static final class Card {
        final VCard vcard;
        final Map<String, String> groupLabels = new HashMap<>();

        Card(VCard vcard) {
            this.vcard = vcard;
            for (RawProperty label : vcard.getExtendedProperties("X-ABLabel"))
                if (label.getGroup() != null)
                    groupLabels.put(label.getGroup().toLowerCase(Locale.ROOT),
                        unwrapLabel(text(label.getValue())));
        }

        /** Home, Work or Other (for a phone also Mobile, Pager and the faxes), "* " if preferred. */
        String label(VCardProperty property, boolean phone) {
            boolean home = false, work = false, cell = false, fax = false, pager = false;
            boolean preferred = property.getParameters().containsKey("PREF");
            for (String type : property.getParameters().getTypes()) {
                for (String word : type.split(",")) {
                    switch (word.trim().toLowerCase(Locale.ROOT)) {
                    case "home": home = true; break;
                    case "work": work = true; break;
                    case "cell": cell = true; break;
                    case "fax": fax = true; break;
                    case "pager": pager = true; break;
                    case "pref": preferred = true; break;
                    default: break;
                    }
                }
            }
            String group = property.getGroup();
            String label = group == null ? null : groupLabels.get(group.toLowerCase(Locale.ROOT));
            if (label == null) {
                if (phone && fax)
                    label = work ? "Work Fax" : home ? "Home Fax" : "Other Fax";
                else if (phone && cell)
                    label = "Mobile";
                else if (phone && pager)
                    label = "Pager";
                else
                    label = work ? "Work" : home ? "Home" : "Other";
            }
            return preferred ? "* " + label : label;
        }

        String extended(String name) {
            RawProperty property = vcard.getExtendedProperty(name);
            return property == null ? "" : text(property.getValue());
        }

        Row row() {
            Row row = new Row();
            String[] f = row.fixed;
            StructuredName name = vcard.getStructuredName();
            if (name != null) {
                f[0] = text(name.getGiven());
                f[1] = joined(name.getAdditionalNames());
                f[2] = text(name.getFamily());
                f[6] = joined(name.getPrefixes());
                f[7] = joined(name.getSuffixes());
            }
            if ((f[0] == null || f[0].isEmpty()) && (f[2] == null || f[2].isEmpty())
                && vcard.getFormattedName() != null)
                f[0] = text(vcard.getFormattedName().getValue());
            f[3] = extended("X-PHONETIC-FIRST-NAME");
            f[4] = extended("X-PHONETIC-MIDDLE-NAME");
            f[5] = extended("X-PHONETIC-LAST-NAME");
            List<String> nicknames = new ArrayList<>();
            vcard.getNicknames().forEach(n -> nicknames.addAll(n.getValues()));
            f[8] = joined(nicknames);
            f[9] = vcard.getSortString() == null ? "" : text(vcard.getSortString().getValue());
            if (vcard.getOrganization() != null) {
                List<String> units = vcard.getOrganization().getValues();
                f[10] = units.isEmpty() ? "" : text(units.get(0));
                f[12] = units.size() < 2 ? "" : joined(units.subList(1, units.size()));
            }
            f[11] = vcard.getTitles().isEmpty() ? "" : text(vcard.getTitles().get(0).getValue());
            f[13] = date(vcard.getBirthday());
            List<String> notes = new ArrayList<>();
            for (Note note : vcard.getNotes())
                notes.add(note.getValue());
            f[14] = joined(notes);
            for (Photo photo : vcard.getPhotos()) {
                String url = photo.getUrl();
                if (url != null && (url.startsWith("http://") || url.startsWith("https://"))) {
                    f[15] = url;
                    break;
                }
            }
            List<String> labels = new ArrayList<>();
            vcard.getCategoriesList().forEach(c -> labels.addAll(c.getValues()));
            labels.add("* myContacts");
            f[16] = joined(labels);

            for (Email email : vcard.getEmails())
                row.add(Group.EMAIL, label(email, false), text(email.getValue()));
            for (Telephone phone : vcard.getTelephoneNumbers()) {
                String number = phone.getText() != null ? phone.getText()
                                : phone.getUri() != null ? phone.getUri().getNumber()
                                                         : "";
                row.add(Group.PHONE, label(phone, true), text(number));
            }
            for (Address address : vcard.getAddresses()) {
                String street = joined(address.getStreetAddresses());
                String city = joined(address.getLocalities());
                String poBox = joined(address.getPoBoxes());
                String region = joined(address.getRegions());
                String postalCode = joined(address.getPostalCodes());
                String country = joined(address.getCountries());
                String extendedAddress = joined(address.getExtendedAddresses());
                String formatted = formattedAddress(
                    street, extendedAddress, poBox, city, region, postalCode, country);
                row.add(Group.ADDRESS, label(address, false), formatted, street, city,
                    poBox, region, postalCode, country, extendedAddress);
            }
            for (Url url : vcard.getUrls())
                row.add(Group.WEBSITE, label(url, false), text(url.getValue()));
            vcard.getAnniversaries().forEach(a -> row.add(Group.EVENT, "Anniversary", date(a)));
            for (RawProperty anniversary : vcard.getExtendedProperties("X-ANNIVERSARY"))
                row.add(Group.EVENT, "Anniversary", dateText(anniversary.getValue()));
            for (Related related : vcard.getRelations()) {
                List<String> types = related.getParameters().getTypes();
                String type = types.isEmpty() ? "" : types.get(0).split(",", -1)[0].trim();
                if (type.isEmpty())
                    type = "other";
                String value = related.getText() != null ? related.getText() : related.getUri();
                row.add(Group.RELATION,
                    type.substring(0, 1).toUpperCase(Locale.ROOT) + type.substring(1).toLowerCase(Locale.ROOT),
                    text(value));
            }
            for (RawProperty related : vcard.getExtendedProperties("X-ABRELATEDNAMES")) {
                String group = related.getGroup();
                String label = group == null ? null : groupLabels.get(group.toLowerCase(Locale.ROOT));
                row.add(Group.RELATION, label == null ? "Other" : label, text(related.getValue()));
            }
            return row;
        }
    }

    static void cell(Writer out, String value) throws IOException {
        if (value == null)
            return;
        for (int i = 0; i < value.length(); ++i) {
            char c = value.charAt(i);
            if (c == ',' || c == '"' || c == '\r' || c == '\n') {
                out.write('"');
                out.write(value.replace("\"", "\"\""));
                out.write('"');
                return;
            }
        }
        out.write(value);
    }

    public static void main(String[] args) throws IOException {
        if (args.length != 2) {
            System.err.println("usage: EzVcardToGoogleCsv IN.vcf OUT.csv");
            System.exit(2);
        }
        List<Row> rows = new ArrayList<>();
        int[] most = new int[Group.values().length];
        BufferedReader source = new BufferedReader(
            new InputStreamReader(new FileInputStream(args[0]), StandardCharsets.UTF_8));
        source.mark(1);
        if (source.read() != '\uFEFF')  // a byte-order mark is no part of the first line
            source.reset();
        try (VCardReader reader = new VCardReader(source)) {
            reader.setDefaultQuotedPrintableCharset(StandardCharsets.UTF_8);
            for (VCard vcard; (vcard = reader.readNext()) != null;) {
                Row row = new Card(vcard).row();
                for (Group group : Group.values())
                    most[group.ordinal()] =
                        Math.max(most[group.ordinal()], row.groups.get(group.ordinal()).size());
                rows.add(row);
            }
        }

        try (Writer out = new BufferedWriter(
                 new OutputStreamWriter(new FileOutputStream(args[1]), StandardCharsets.UTF_8),
                 1 << 18)) {
            out.write('\uFEFF');
            List<String> header = new ArrayList<>(List.of(FIXED));
            for (Group group : Group.values())
                for (int n = 1; n <= most[group.ordinal()]; ++n)
                    for (String column : group.columns)
                        header.add(group.name + " " + n + " - " + column);
            for (int i = 0; i < header.size(); ++i) {
                if (i > 0)
                    out.write(',');
                cell(out, header.get(i));
            }
            out.write("\r\n");
            for (Row row : rows) {
                for (int i = 0; i < FIXED.length; ++i) {
                    if (i > 0)
                        out.write(',');
                    cell(out, row.fixed[i]);
                }
                for (Group group : Group.values()) {
                    List<String[]> present = row.groups.get(group.ordinal());
                    for (int n = 0; n < most[group.ordinal()]; ++n) {
                        String[] cells = n < present.size() ? present.get(n) : null;
                        for (int k = 0; k < group.columns.length; ++k) {
                            out.write(',');
                            if (cells != null)
                                cell(out, cells[k]);
                        }
                    }
                }
                out.write("\r\n");
            }
        }
    }
}
