#include "vcard/reader.h"

#include <sstream>
#include <stdexcept>
#include <utility>

#include "vcard/ascii.h"

namespace brimwell::vcard {
namespace {

/// How much of a line that is no property a warning shows.
constexpr std::size_t kExcerptLength = 40;

std::unique_ptr<std::ifstream> openFile(const std::filesystem::path& path, std::uintmax_t from = 0)
{
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*file || (from > 0 && !file->seekg(static_cast<std::streamoff>(from))))
        throw std::runtime_error("cannot open file " + path.string());
    return file;
}

/// The start of a warning about card `card` of `fileName`.
std::string cardPrefix(const std::string& fileName, std::size_t card)
{
    return fileName + ": card " + std::to_string(card);
}

bool isCardMarker(const Property& property, std::string_view name)
{
    return equalsIgnoreCase(property.name, name) &&
           equalsIgnoreCase(trimSpaces(property.value), "VCARD");
}

/// `END:VCARDBEGIN:VCARD`: a file that lost the line break between two cards.
bool isGluedCardMarkers(const Property& property)
{
    return equalsIgnoreCase(property.name, "END") &&
           equalsIgnoreCase(trimSpaces(property.value), "VCARDBEGIN:VCARD");
}

}  // namespace

VCardReader::VCardReader(std::unique_ptr<std::ifstream> file, std::istream* in,
                         std::string fileName, const ReaderOptions& options,
                         std::uintmax_t byteLimit)
    : m_file(std::move(file)),
      m_fileName(std::move(fileName)),
      m_charsets(options.fallbackCharset),
      m_source(in != nullptr ? *in : *m_file, options.blockSize, byteLimit),
      m_lines(m_source)
{}

VCardReader::VCardReader(std::istream& in, std::string fileName, const ReaderOptions& options)
    : VCardReader(nullptr, &in, std::move(fileName), options, ByteRange{}.end)
{}

VCardReader::VCardReader(const std::filesystem::path& path, const ReaderOptions& options)
    : VCardReader(path, ByteRange{}, options)
{}

VCardReader::VCardReader(const std::filesystem::path& path, ByteRange range,
                         const ReaderOptions& options)
    : VCardReader(openFile(path, range.begin), nullptr, path.string(), options,
                  range.end > range.begin ? range.end - range.begin : 0)
{}

VCardReader::~VCardReader() = default;

bool VCardReader::next(Contact& contact)
{
    if (takeReady(contact))
        return true;
    m_target = &contact;
    m_delivered = false;
    if (m_beginPending) {
        m_beginPending = false;
        beginCard();
    }
    while (!m_delivered) {
        if (m_finished)
            return false;
        if (m_lines.next(m_line)) {
            handle(m_line);
        } else {
            finishFile();
            m_finished = true;
        }
    }
    return true;
}

bool VCardReader::takeReady(Contact& contact)
{
    if (m_slotsBase == m_slotsReady)
        return false;
    contact = std::move(m_slots.front());
    m_slots.pop_front();
    ++m_slotsBase;
    return true;
}

void VCardReader::handle(const LogicalLine& line)
{
    if (!line.isProperty) {
        if (m_depth > 0) {
            std::string excerpt;
            m_charsets.appendUtf8(line.text.substr(0, kExcerptLength), excerpt);
            m_open[m_depth - 1].builder->addProblem("a line that is no property: " + excerpt);
        }
        return;
    }
    // Only BEGIN and END (or the two glued) begin or end a card.
    const std::string_view name = line.property.name;
    const char first = name.empty() ? '\0' : toUpperAscii(name.front());
    if ((name.size() != 3 || first != 'E') && (name.size() != 5 || first != 'B')) {
        if (m_depth > 0)
            m_open[m_depth - 1].builder->add(line.property);
        return;
    }
    if (isCardMarker(line.property, "BEGIN"))
        beginCard();
    else if (isCardMarker(line.property, "END"))
        endCard();
    else if (isGluedCardMarkers(line.property)) {
        endCard();
        // Its card fills the contact of the next call: this call's is handed out now.
        m_beginPending = true;
    } else if (m_depth > 0)
        m_open[m_depth - 1].builder->add(line.property);
}

void VCardReader::beginCard()
{
    if (m_open.size() == m_depth)
        m_open.push_back({std::make_unique<ContactBuilder>(m_charsets), 0});
    OpenCard& card = m_open[m_depth];
    card.number = ++m_cardCount;
    if (m_depth == 0) {
        card.builder->begin(*m_target);
    } else {
        card.builder->begin(m_slots.emplace_back());
    }
    ++m_depth;
}

void VCardReader::endCard()
{
    if (m_depth == 0)
        return;
    OpenCard& card = m_open[m_depth - 1];
    for (const std::string& problem : card.builder->problems())
        warn(card.number, card.builder->formattedName(), problem);
    card.builder->finish();
    --m_depth;
    if (m_depth > 0)
        return;
    m_delivered = true;
    m_slotsReady = m_slotsBase + m_slots.size();
}

void VCardReader::finishFile()
{
    m_endedBetweenCards = m_depth == 0;
    while (m_depth > 0) {
        m_open[m_depth - 1].builder->addProblem("no END:VCARD at the end of the file");
        endCard();
    }
    if (m_cardCount == 0)
        m_warnings.push_back(m_fileName + ": no vCard in this file (no BEGIN:VCARD line)");
}

void VCardReader::warn(std::size_t cardNumber, const std::string& formattedName,
                       std::string_view problem)
{
    std::string warning = cardPrefix(m_fileName, cardNumber);
    if (!formattedName.empty())
        warning += " (" + formattedName + ")";
    warning += ": ";
    warning += problem;
    m_cardWarnings.push_back({m_warnings.size(), cardNumber});
    m_warnings.push_back(std::move(warning));
}

void VCardReader::numberCardsAfter(std::size_t cardsBefore)
{
    for (CardWarning& warning : m_cardWarnings) {
        std::string& text = m_warnings[warning.index];
        text.replace(0, cardPrefix(m_fileName, warning.card).size(),
                     cardPrefix(m_fileName, cardsBefore + warning.card));
        warning.card += cardsBefore;
    }
}

ReadResult readVCards(std::string_view bytes, std::string fileName, const ReaderOptions& options)
{
    std::istringstream in{std::string(bytes)};
    VCardReader reader(in, std::move(fileName), options);
    ReadResult result;
    Contact contact;
    while (reader.next(contact))
        result.contacts.push_back(std::move(contact));
    result.warnings = reader.warnings();
    return result;
}

}  // namespace brimwell::vcard
