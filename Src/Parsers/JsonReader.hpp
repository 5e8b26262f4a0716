#pragma once

#include "UniString.hpp"

#include <rapidjson/document.h>
#include <rapidjson/error/error.h>

#include <cstddef>

// Every JSON text the add-on reads goes through here, so that all of them share one depth limit and
// one rule for the root: an object or an array, and nothing but blanks after it.
namespace Tolva::Parsers {

// Far beyond any real plan (those nest about ten levels), small enough that deep copies and the
// writer, which recurse, stay well inside the stack.
constexpr unsigned MaxJsonDepth = 256;

struct JsonReadResult {
    rapidjson::ParseErrorCode code = rapidjson::kParseErrorNone;
    size_t offset = 0;

    bool IsOk() const { return code == rapidjson::kParseErrorNone; }
    // RapidJSON's English text for the code.
    GS::UniString ErrorText() const;
    // "<error text> at offset <offset>", as the parsers' messages quote it.
    GS::UniString ErrorTextAtOffset() const;
};

// Reads 8-bit text (converted with the host's default conversion) into document.
JsonReadResult ReadJson(const GS::UniString& text, rapidjson::Document& document);
// The same on text that is already 8-bit; length counts every byte, including NULs, and no NUL
// needs to follow them.
JsonReadResult ReadJson(const char* text, size_t length, rapidjson::Document& document);

} // namespace Tolva::Parsers
