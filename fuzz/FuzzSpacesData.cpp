#include "FuzzInput.hpp"
#include "Parsers/SpacesDataParser.hpp"

// The same text goes in as spaces.json, project.json and units.json.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GS::UniString text = FuzzText(data, size);
    Tolva::SpacesData spaces;
    GS::UniString errorText;
    Tolva::Parsers::ParseSpacesData(text, text, text, spaces, errorText);
    // Spaces alone, and units alone, so a failing project.json does not hide them.
    Tolva::Parsers::ParseSpacesData(text, "", "", spaces, errorText);
    Tolva::Parsers::ParseSpacesData("", "", text, spaces, errorText);
    return 0;
}
