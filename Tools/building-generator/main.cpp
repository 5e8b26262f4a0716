#include "BuildingVariantGenerator.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

// tolva-building-generator STORIES UNITS FOLDER: writes stories.json, units.json, transitions.json,
// furniture-instances.json and furniture-templates.json of a generated building variant.
int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tolva-building-generator STORIES UNITS_PER_STORY FOLDER\n");
        return 2;
    }
    const int stories = std::atoi(argv[1]);
    const int units = std::atoi(argv[2]);
    if (stories < 1 || units < 1 || stories > 1000 || units > 1000) {
        std::fprintf(stderr, "tolva-building-generator: stories and units must be from 1 to 1000\n");
        return 2;
    }
    const std::filesystem::path folder = argv[3];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const BuildingGenerator::VariantTexts texts = BuildingGenerator::GenerateVariant({stories, units});
    const std::pair<const char*, const std::string*> files[] = {
        {"stories.json", &texts.stories},
        {"units.json", &texts.units},
        {"transitions.json", &texts.transitions},
        {"furniture-instances.json", &texts.furnitureInstances},
        {"furniture-templates.json", &texts.furnitureTemplates}};
    for (const auto& [name, text] : files) {
        std::ofstream out(folder / name, std::ios::binary);
        out << *text;
        if (!out) {
            std::fprintf(stderr, "tolva-building-generator: cannot write %s\n", (folder / name).c_str());
            return 1;
        }
    }
    return 0;
}
