#include "Page/PageRegistry.hpp"

#include "GSException.hpp"

#include <fstream>
#include <map>
#include <sstream>

namespace StandIn::PageRegistry {

namespace {

using Pages = std::map<GS::UniString, std::string>;

Pages ShippedPages() {
    const std::string directory = TOLVA_PAGES_DIR;
    // The start page and the plan generation page are one application.
    return Pages{{"https://app.tolva.ai/", directory + "/tolva-app.js"},
                 {"https://app.tolva.ai/generate-plan", directory + "/tolva-app.js"}};
}

std::string& GeneratedPlanFile() {
    static std::string file;
    return file;
}

Pages& Registered() {
    static Pages pages = ShippedPages();
    return pages;
}

std::string ReadFile(const std::string& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        throw GS::Exception(GS::UniString("Cannot read the page file " + file, CC_UTF8));
    }
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

} // namespace

void AddPage(const GS::UniString& address, const std::string& file) {
    ReadFile(file);
    Registered()[address] = file;
}

std::string ScriptFor(const GS::UniString& address) {
    auto page = Registered().find(address);
    return page == Registered().end() ? std::string() : ReadFile(page->second);
}

void SetGeneratedPlan(const std::string& file) {
    if (!file.empty()) {
        ReadFile(file);
    }
    GeneratedPlanFile() = file;
}

std::string GeneratedPlan() {
    return GeneratedPlanFile().empty() ? std::string() : ReadFile(GeneratedPlanFile());
}

void Reset() {
    Registered() = ShippedPages();
    GeneratedPlanFile().clear();
}

} // namespace StandIn::PageRegistry
