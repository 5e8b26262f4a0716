#pragma once

#include "Definitions.hpp"

// The code page of the host's default text conversion (CC_Default). Archicad converts with the
// system's ANSI code page; a fresh stand-in uses UTF-8, and a driver may choose Windows-1252 to
// show code that takes the default to be UTF-8.
namespace StandIn {

enum class CodePage { Utf8, Windows1252 };

HOST_API void SetDefaultCodePage(CodePage codePage);
HOST_API CodePage DefaultCodePage();

// One byte of Windows-1252 as a code point, and back: a code point the code page lacks becomes '?',
// as Windows writes it. The five bytes the code page leaves undefined stand for themselves.
char32_t DecodeWindows1252(unsigned char byte);
char EncodeWindows1252(char32_t codePoint);

} // namespace StandIn
