#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <istream>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vcard/charset.h"
#include "vcard/contact.h"
#include "vcard/contact_builder.h"
#include "vcard/line_source.h"
#include "vcard/logical_lines.h"

// The faithful vCard reader: any vCard 2.1, 3.0 or 4.0 file, contact by contact, holding
// one block of the file and the card being read (with the cards around a nested one). A
// broken card gives what could be read and a warning; it never stops the file.
//
//     std::ifstream in("people.vcf", std::ios::binary);
//     VCardReader reader(in, "people.vcf");
//     Contact contact;
//     while (reader.next(contact))
//         write(contact);
//     for (const std::string& warning : reader.warnings())
//         report(warning);  // "people.vcf: card 3 (Ann Lee): no END:VCARD at the end of the file"

namespace brimwell::vcard {

struct ReaderOptions {
    /// The code page of 8-bit text without a CHARSET that is not valid UTF-8.
    std::string fallbackCharset = "windows-1252";
    /// How many bytes are read from the stream at a time.
    std::size_t blockSize = 64 * 1024;
};

/// A stretch of a file in bytes, from `begin` up to (not including) `end`.
struct ByteRange {
    std::uintmax_t begin = 0;
    std::uintmax_t end = std::numeric_limits<std::uintmax_t>::max();
};

class VCardReader {
public:
    /// Reads `in`; `fileName` names the file in warnings.
    VCardReader(std::istream& in, std::string fileName, const ReaderOptions& options = {});

    /// Opens and reads the file at `path`; throws std::runtime_error when it cannot be opened.
    explicit VCardReader(const std::filesystem::path& path, const ReaderOptions& options = {});

    /// Reads the bytes `range` of the file at `path` as if they were the whole file.
    VCardReader(const std::filesystem::path& path, ByteRange range,
                const ReaderOptions& options = {});

    ~VCardReader();

    /// The next contact in file order (a nested card right after its parent); false at the end.
    /// What `contact` held is replaced; its strings and lists are reused for the new one.
    bool next(Contact& contact);

    /// Every warning so far, each naming the file, the card and the problem.
    const std::vector<std::string>& warnings() const { return m_warnings; }

    /// The cards begun so far, nested ones included.
    std::size_t cardCount() const { return m_cardCount; }

    /// True once next() has returned false with every card closed by its END:VCARD, so that
    /// the bytes after the end could have been read on their own.
    bool endedBetweenCards() const { return m_finished && m_endedBetweenCards; }

    /// Renumbers the cards named in the warnings as if `cardsBefore` cards came first: for
    /// the reader of the later part of a file.
    void numberCardsAfter(std::size_t cardsBefore);

private:
    VCardReader(std::unique_ptr<std::ifstream> file, std::istream* in, std::string fileName,
                const ReaderOptions& options, std::uintmax_t byteLimit);
    bool takeReady(Contact& contact);
    void handle(const LogicalLine& line);
    void beginCard();
    void endCard();
    void finishFile();
    void warn(std::size_t cardNumber, const std::string& formattedName, std::string_view problem);

    struct OpenCard {
        std::unique_ptr<ContactBuilder> builder;
        std::size_t number = 0;
    };

    std::unique_ptr<std::ifstream> m_file;
    std::string m_fileName;
    CharsetDecoder m_charsets;
    LineSource m_source;
    LogicalLines m_lines;
    LogicalLine m_line;
    std::vector<OpenCard> m_open;  ///< the card being read and the cards around it
    std::size_t m_depth = 0;       ///< how many of m_open are in use
    /// The outermost card is read into the caller's contact (`m_target`); each card nested
    /// in it gets a contact here, in the order of their BEGIN lines, handed out after the
    /// parent's though it ends first.
    std::deque<Contact> m_slots;
    std::size_t m_slotsBase = 0;   ///< the slot number of m_slots.front()
    std::size_t m_slotsReady = 0;  ///< slots before this number are finished, with their parents
    Contact* m_target = nullptr;   ///< the contact of the running next()
    bool m_delivered = false;      ///< the running next() has filled m_target
    bool m_beginPending = false;   ///< a glued `END:VCARDBEGIN:VCARD` began a card not yet read
    std::size_t m_cardCount = 0;
    bool m_finished = false;
    bool m_endedBetweenCards = false;
    std::vector<std::string> m_warnings;
    /// A warning that names a card: its place in m_warnings and the card's number.
    struct CardWarning {
        std::size_t index;
        std::size_t card;
    };
    std::vector<CardWarning> m_cardWarnings;
};

/// Every contact and warning of a file.
struct ReadResult {
    std::vector<Contact> contacts;
    std::vector<std::string> warnings;
};

/// Every contact and warning of an in-memory file.
ReadResult readVCards(std::string_view bytes, std::string fileName,
                      const ReaderOptions& options = {});

}  // namespace brimwell::vcard
