#include "vcard/csv/text_encoder.h"

#include <algorithm>
#include <array>
#include <memory>
#include <stdexcept>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

namespace brimwell::vcard::csv {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool sameLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

bool isUtf8WithBom(std::string_view name)
{
    return sameLetters(name, "utf-8-bom");
}

bool isPlainUtf8(std::string_view name)
{
    return sameLetters(name, "utf-8") || sameLetters(name, "utf8");
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

/// The code page converter for `name`, or null when ICU does not know the name. An empty
/// name would open ICU's default converter, so it is refused here.
UConverter* openCodePage(std::string_view name)
{
    if (name.empty())
        return nullptr;
    const std::string terminated(name);
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(terminated.c_str(), &error);
    if (U_FAILURE(error)) {
        ucnv_close(converter);
        return nullptr;
    }
    return converter;
}

/// Counts each character the code page lacks, then lets ICU write the substitute.
void countAndSubstitute(const void* context, UConverterFromUnicodeArgs* args,
                        const UChar* codeUnits, int32_t length, UChar32 codePoint,
                        UConverterCallbackReason reason, UErrorCode* error)
{
    if (reason == UCNV_UNASSIGNED || reason == UCNV_ILLEGAL || reason == UCNV_IRREGULAR)
        ++*static_cast<std::size_t*>(const_cast<void*>(context));
    UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, codeUnits, length, codePoint, reason, error);
}

}  // namespace

bool isKnownEncoding(std::string_view name)
{
    if (isUtf8WithBom(name) || isPlainUtf8(name))
        return true;
    UConverter* converter = openCodePage(name);
    ucnv_close(converter);
    return converter != nullptr;
}

std::vector<std::string> encodingNames()
{
    static constexpr std::array<std::string_view, 25> kOffered = {
        "utf-8-bom",    "utf-8",        "windows-1252", "windows-1250", "windows-1251",
        "windows-1253", "windows-1254", "windows-1255", "windows-1256", "windows-1257",
        "windows-1258", "iso-8859-1",   "iso-8859-2",   "iso-8859-15",  "macintosh",
        "ibm437",       "ibm850",       "koi8-r",       "shift_jis",    "euc-jp",
        "gb18030",      "big5",         "euc-kr",       "utf-16le",     "utf-16be"};
    std::vector<std::string> names;
    for (const std::string_view name : kOffered) {
        if (isKnownEncoding(name))
            names.emplace_back(name);
    }
    return names;
}

TextEncoder::TextEncoder(std::string_view name)
{
    if (isUtf8WithBom(name)) {
        m_bom = true;
        return;
    }
    if (isPlainUtf8(name))
        return;
    std::unique_ptr<UConverter, ConverterCloser> target(openCodePage(name));
    if (!target)
        throw std::invalid_argument("unknown encoding: " + std::string(name));
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterCloser> source(ucnv_open("UTF-8", &error));
    // Only exact mappings: a best-fit look-alike (A for a full-width A) would hide a loss.
    ucnv_setFallback(target.get(), false);
    ucnv_setSubstString(target.get(), u"?", 1, &error);
    ucnv_setFromUCallBack(target.get(), countAndSubstitute, &m_unmappable, nullptr, nullptr,
                          &error);
    if (U_FAILURE(error))
        throw std::runtime_error("cannot set up the encoding " + std::string(name) + ": " +
                                 u_errorName(error));
    m_source = source.release();
    m_target = target.release();
}

TextEncoder::~TextEncoder()
{
    ucnv_close(m_source);
    ucnv_close(m_target);
}

std::string_view TextEncoder::preamble() const
{
    return m_bom ? kUtf8Bom : std::string_view();
}

void TextEncoder::encode(std::string_view utf8, std::string& out)
{
    if (passesThrough()) {
        out.append(utf8);
        return;
    }
    convert(utf8, out, false);
}

void TextEncoder::finish(std::string& out)
{
    if (!passesThrough())
        convert({}, out, true);
}

void TextEncoder::convert(std::string_view utf8, std::string& out, bool flush)
{
    // ICU refuses a null source even when it is empty.
    const char* source = utf8.empty() ? "" : utf8.data();
    const char* const sourceLimit = source + utf8.size();
    for (;;) {
        const std::size_t start = out.size();
        // Single-byte code pages need one byte per character; wider ones grow the room.
        out.resize(start + utf8.size() + 64);
        char* target = out.data() + start;
        UErrorCode error = U_ZERO_ERROR;
        ucnv_convertEx(m_target, m_source, &target, out.data() + out.size(), &source, sourceLimit,
                       m_pivot, &m_pivotSource, &m_pivotTarget, m_pivot + std::size(m_pivot),
                       !m_started, flush, &error);
        m_started = true;
        out.resize(std::size_t(target - out.data()));
        if (error == U_BUFFER_OVERFLOW_ERROR)
            continue;
        if (U_FAILURE(error))
            throw std::runtime_error(std::string("cannot encode the CSV text: ") +
                                     u_errorName(error));
        return;
    }
}

}  // namespace brimwell::vcard::csv
