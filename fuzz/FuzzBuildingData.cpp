#include "FuzzInput.hpp"
#include "Parsers/BuildingDataParser.hpp"

// The same text goes in as every one of the five texts, so each list parser sees it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GS::UniString text = FuzzText(data, size);
    Tolva::BuildingData building;
    GS::UniString errorText;
    Tolva::Parsers::ParseBuildingData(text, text, text, text, text, building, errorText);
    Tolva::BuildingData copy = building;
    (void)copy;
    return 0;
}
