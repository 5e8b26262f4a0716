#pragma once

#include <string>

// Writes building variants as the web application sends them: stories stacked 3 m apart, each with
// two rows of units along a corridor, party walls listed by both neighbours (one of them reversed),
// corridor walls listed by the story and again by its units, facade outlines, one entrance door per
// unit and furniture placed by story id or by height.
namespace BuildingGenerator {

struct VariantTexts {
    std::string stories;
    std::string units;
    std::string transitions;
    std::string furnitureInstances;
    std::string furnitureTemplates;
};

struct VariantShape {
    int stories = 3;
    int unitsPerStory = 4;
};

VariantTexts GenerateVariant(const VariantShape& shape);

} // namespace BuildingGenerator
