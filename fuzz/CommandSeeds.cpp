#include "CommandSeeds.hpp"

#include "CommandTape.hpp"
#include "ExampleArguments.hpp"

#include <algorithm>

namespace {

size_t Index(const std::string& command) {
    const auto& names = CommandTape::CommandNames();
    return static_cast<size_t>(std::find(names.begin(), names.end(), command) - names.begin());
}

} // namespace

std::vector<std::string> CommandSeeds() {
    using namespace CommandTape;
    std::vector<std::string> seeds;
    for (size_t command = 0; command < CommandNames().size(); ++command) {
        seeds.push_back(EncodeNone(command));
        seeds.push_back(EncodeText(command, "{}"));
    }
    seeds.push_back(EncodeText(Index("importPlan"), ExamplePlanArgument(true)));
    seeds.push_back(EncodeText(Index("importPlan"), ExamplePlanArgument(false)));
    std::vector<std::string> building = ExampleBuildingTexts();
    seeds.push_back(EncodeTexts(Index("importBuildingFromVariantData"), building));
    building.resize(3);
    seeds.push_back(EncodeTexts(Index("importBuildingFromVariantData"), building));
    seeds.push_back(EncodeText(Index("importZonesFromSpaces"), ExampleFilesArgument()));
    for (const char* address :
         {"https://app.example.com/generate-plan?x=1", "HTTP://a", "ftp://a", "javascript:1"}) {
        seeds.push_back(EncodeText(Index("launchBrowser"), address));
    }
    return seeds;
}
