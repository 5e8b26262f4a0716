#pragma once

#include "JSValues.hpp"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A fuzz input as one call from the page: the first byte picks the command (the 13 names and one
// name the add-on does not have), the rest is the argument as a tree of script values. Any bytes
// decode to some call, so a mutated input is always a call.
namespace CommandTape {

const std::vector<std::string>& CommandNames();

struct Call {
    std::string command;
    GS::Ref<JS::Base> argument; // empty: no argument
};

Call Decode(const uint8_t* data, size_t size);

// Inputs for the seeds: a command with one text, with an array of texts, or with nothing.
std::string EncodeText(size_t command, const std::string& text);
std::string EncodeTexts(size_t command, const std::vector<std::string>& texts);
std::string EncodeNone(size_t command);

} // namespace CommandTape
