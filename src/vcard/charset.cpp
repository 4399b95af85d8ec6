#include "vcard/charset.h"

#include <cstdint>
#include <stdexcept>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include "vcard/ascii.h"
#include "vcard/byte_scan.h"

namespace brimwell::vcard {
namespace {

constexpr UChar kReplacement = 0xFFFD;

/// Every byte a code page cannot decode becomes U+FFFD (ICU's single-byte code pages would
/// otherwise give U+001A).
void toReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                   UConverterCallbackReason reason, UErrorCode* error)
{
    if (reason > UCNV_IRREGULAR)
        return;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, error);
}

UConverter* openConverter(const char* name)
{
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(name, &error);
    if (U_FAILURE(error)) {
        return nullptr;
    }
    ucnv_setToUCallBack(converter, toReplacement, nullptr, nullptr, nullptr, &error);
    return converter;
}

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

}  // namespace

bool namesUtf8(std::string_view charset)
{
    for (std::string_view name : {"UTF-8", "UTF8", "US-ASCII", "ASCII"})
        if (equalsIgnoreCase(charset, name))
            return true;
    return false;
}

bool isValidUtf8(std::string_view bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t at = findFirstNonAscii(bytes, 0);
    while (at < size) {
        const unsigned char lead = data[at];
        if (lead < 0x80) {
            at = findFirstNonAscii(bytes, at);
            continue;
        }
        const unsigned char* p = data + at;
        std::size_t length;
        unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (size - at < length || p[1] < low || p[1] > high)
            return false;
        for (std::size_t i = 2; i < length; ++i)
            if (!isContinuation(p[i]))
                return false;
        at += length;
    }
    return true;
}

void CharsetDecoder::Close::operator()(UConverter* converter) const
{
    ucnv_close(converter);
}

CharsetDecoder::CharsetDecoder(std::string fallback) : m_fallbackName(std::move(fallback))
{
    m_fallback = converter(m_fallbackName);
    if (m_fallback == nullptr)
        throw std::invalid_argument("unknown fallback character set: " + m_fallbackName);
}

CharsetDecoder::~CharsetDecoder() = default;

UConverter* CharsetDecoder::converter(std::string_view charset)
{
    auto found = m_converters.find(charset);
    if (found != m_converters.end())
        return found->second.get();
    const std::string name(charset);
    UConverter* opened = openConverter(name.c_str());
    m_converters.emplace(name, Converter(opened));
    return opened;
}

bool CharsetDecoder::decode(std::string_view bytes, std::string_view charset, std::string& out)
{
    if (charset.empty()) {
        appendUtf8(bytes, out);
        return true;
    }
    if (namesUtf8(charset) && isValidUtf8(bytes)) {
        out.append(bytes);
        return true;
    }
    UConverter* from = converter(charset);
    if (from == nullptr) {
        appendUtf8(bytes, out);
        return false;
    }
    convert(from, bytes, out);
    return true;
}

void CharsetDecoder::appendUtf8(std::string_view bytes, std::string& out)
{
    if (isValidUtf8(bytes))
        out.append(bytes);
    else
        convert(m_fallback, bytes, out);
}

void CharsetDecoder::convert(UConverter* from, std::string_view bytes, std::string& out)
{
    if (bytes.empty())
        return;
    ucnv_reset(from);
    // Every code page ICU knows gives at most two UTF-16 units per byte.
    m_pivot.resize(bytes.size() * 2 + 2);
    UErrorCode error = U_ZERO_ERROR;
    const int32_t units = ucnv_toUChars(from, m_pivot.data(), static_cast<int32_t>(m_pivot.size()),
                                        bytes.data(), static_cast<int32_t>(bytes.size()), &error);
    if (U_FAILURE(error))
        return;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(units) * 3);
    int32_t written = 0;
    error = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data() + start, units * 3, &written, m_pivot.data(), units, kReplacement,
                       nullptr, &error);
    out.resize(U_SUCCESS(error) ? start + static_cast<std::size_t>(written) : start);
}

Utf8Transcoder::Utf8Transcoder(const char* encoding)
{
    m_from = openConverter(encoding);
    UErrorCode error = U_ZERO_ERROR;
    m_to = ucnv_open("UTF-8", &error);
    if (m_from == nullptr || U_FAILURE(error))
        throw std::runtime_error(std::string("ICU cannot open ") + encoding);
}

Utf8Transcoder::~Utf8Transcoder()
{
    ucnv_close(m_from);
    ucnv_close(m_to);
}

void Utf8Transcoder::transcode(std::string_view bytes, bool last, std::string& out)
{
    const char* source = bytes.data();
    const char* sourceLimit = source + bytes.size();
    for (;;) {
        const std::size_t start = out.size();
        const std::size_t room = bytes.size() * 2 + 64;
        out.resize(start + room);
        char* target = out.data() + start;
        UErrorCode error = U_ZERO_ERROR;
        ucnv_convertEx(m_to, m_from, &target, target + room, &source, sourceLimit, m_pivot,
                       &m_pivotSource, &m_pivotTarget, m_pivot + std::size(m_pivot), false, last,
                       &error);
        out.resize(static_cast<std::size_t>(target - out.data()));
        if (error != U_BUFFER_OVERFLOW_ERROR)
            return;
    }
}

}  // namespace brimwell::vcard
