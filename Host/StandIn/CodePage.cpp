#include "StandIn/CodePage.hpp"

#include <algorithm>
#include <iterator>

namespace StandIn {

namespace {

CodePage defaultCodePage = CodePage::Utf8;

// Bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr char32_t HighControls[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

void SetDefaultCodePage(CodePage codePage) {
    defaultCodePage = codePage;
}

CodePage DefaultCodePage() {
    return defaultCodePage;
}

char32_t DecodeWindows1252(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? HighControls[byte - 0x80] : byte;
}

char EncodeWindows1252(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
        return static_cast<char>(codePoint);
    }
    const char32_t* found = std::find(std::begin(HighControls), std::end(HighControls), codePoint);
    return found == std::end(HighControls) ? '?'
                                           : static_cast<char>(0x80 + (found - std::begin(HighControls)));
}

} // namespace StandIn
