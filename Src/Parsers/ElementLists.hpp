#pragma once

#include "Array.hpp"
#include "Parsers/JsonText.hpp"
#include "UniString.hpp"

#include <rapidjson/document.h>

#include <utility>

// Lists are lenient: an element that does not parse is skipped and the rest still count.
namespace Tolva::Parsers {

// Parses each element of array into a fresh record and appends those for which parse holds; a
// missing list (nullptr) or one that is not an array adds nothing. Nothing is reserved ahead: a
// short text can hold millions of items that are all skipped, and a record is far larger than the
// text of an item.
template <typename Record, typename Parse>
void AppendParsed(const rapidjson::Value* array, GS::Array<Record>& out, Parse parse) {
    if (array == nullptr || !array->IsArray()) {
        return;
    }
    for (const rapidjson::Value& element : array->GetArray()) {
        Record record;
        if (parse(element, record)) {
            out.Push(std::move(record));
        }
    }
}

// Appends the string elements; others are skipped.
inline void AppendStrings(const rapidjson::Value* array, GS::Array<GS::UniString>& out) {
    if (array == nullptr || !array->IsArray()) {
        return;
    }
    for (const rapidjson::Value& element : array->GetArray()) {
        if (element.IsString()) {
            out.Push(ToUniString(element));
        }
    }
}

} // namespace Tolva::Parsers
