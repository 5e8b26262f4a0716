#include "Page/PageText.hpp"

#include <string_view>

namespace StandIn::PageText {

namespace {

constexpr char16_t Replacement = 0xFFFD;

// The number of continuation bytes after a lead byte, or -1 for a byte that cannot lead.
int ContinuationCount(unsigned char lead) {
    if (lead < 0x80) {
        return 0;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 1;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 2;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 3;
    }
    return -1;
}

void AppendCodePoint(std::u16string& units, char32_t codePoint) {
    if (codePoint < 0x10000) {
        units += static_cast<char16_t>(codePoint);
        return;
    }
    if (codePoint > 0x10FFFF) {
        units += Replacement;
        return;
    }
    codePoint -= 0x10000;
    units += static_cast<char16_t>(0xD800 + (codePoint >> 10));
    units += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
}

} // namespace

GS::UniString FromEngine(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const int count = ContinuationCount(lead);
        if (count < 0 || at + count >= text.size()) {
            units += Replacement;
            ++at;
            continue;
        }
        char32_t codePoint = count == 0 ? lead : lead & (0x3F >> count);
        bool wellFormed = true;
        for (int next = 1; next <= count; ++next) {
            const auto byte = static_cast<unsigned char>(text[at + next]);
            wellFormed = wellFormed && (byte & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (byte & 0x3F);
        }
        if (!wellFormed) {
            units += Replacement;
            ++at;
            continue;
        }
        AppendCodePoint(units, codePoint);
        at += count + 1;
    }
    return GS::UniString(std::move(units));
}

std::string ToEngine(const GS::UniString& text) {
    std::string bytes;
    bytes.reserve(text.GetLength());
    const auto units = text.ToUStr();
    for (USize at = 0; at < text.GetLength(); ++at) {
        const auto unit = static_cast<char16_t>(units.Get()[at]);
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
        } else if (unit < 0x800) {
            bytes += static_cast<char>(0xC0 | (unit >> 6));
            bytes += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            bytes += static_cast<char>(0xE0 | (unit >> 12));
            bytes += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return bytes;
}

} // namespace StandIn::PageText
