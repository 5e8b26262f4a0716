#include "Builders/ZoneBuilder.hpp"

#include "Logging/Logger.hpp"

#include <optional>

namespace Tolva::Builders {

namespace {

// By the name as asked; index 0 is a remembered "not found".
GS::HashTable<GS::UniString, API_AttributeIndex>& CategoryCache() {
    static GS::HashTable<GS::UniString, API_AttributeIndex> cache;
    return cache;
}

std::optional<API_AttributeIndex> ReadCategory(const GS::UniString& name) {
    GS::UniString categoryName = name;
    API_Attribute category = {};
    category.header.typeID = API_ZoneCatID;
    category.header.index = ACAPI_CreateAttributeIndex(0);
    category.header.uniStringNamePtr = &categoryName;
    if (ACAPI_Attribute_Get(&category) != NoError) {
        return std::nullopt;
    }
    return category.header.index;
}

// The name as asked, in upper case, with underscores for spaces, and both; each only when it differs.
GS::Array<GS::UniString> CandidateNames(const GS::UniString& name) {
    GS::Array<GS::UniString> candidates;
    candidates.Push(name);
    const GS::UniString upper = name.ToUpperCase();
    if (upper != name) {
        candidates.Push(upper);
    }
    GS::UniString underscored = name;
    underscored.ReplaceAll(" ", "_");
    if (underscored != name) {
        candidates.Push(underscored);
    }
    const GS::UniString underscoredUpper = underscored.ToUpperCase();
    if (underscoredUpper != underscored) {
        candidates.Push(underscoredUpper);
    }
    return candidates;
}

} // namespace

API_AttributeIndex ZoneBuilder::FindZoneCategory(const GS::UniString& categoryName) {
    auto& cache = CategoryCache();
    if (const API_AttributeIndex* cached = cache.GetPtr(categoryName)) {
        return *cached;
    }
    API_AttributeIndex found = ACAPI_CreateAttributeIndex(0);
    for (const GS::UniString& candidate : CandidateNames(categoryName)) {
        if (std::optional<API_AttributeIndex> index = ReadCategory(candidate)) {
            found = *index;
            break;
        }
    }
    cache.Add(categoryName, found);
    return found;
}

void ZoneBuilder::ForgetCategoryIndices() {
    CategoryCache().Clear();
}

void ZoneBuilder::InvalidateCategoryCache() {
    ForgetCategoryIndices();
    Logger::Debug("ZoneBuilder", "Zone category cache invalidated");
}

} // namespace Tolva::Builders
