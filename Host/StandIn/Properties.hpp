#pragma once

#include "ACAPinc.h"

// The built-in property definitions of a project. "Position" applies to walls and has the same
// GUID in every project; its display texts follow the project's language.
namespace StandIn {

enum class ProjectLanguage { English, German };
enum class PositionDefinition { SingleChoice, Missing, NotEnumeration };

struct PropertySettings {
    ProjectLanguage language = ProjectLanguage::English;
    PositionDefinition position = PositionDefinition::SingleChoice;
    // When set, values read back with this status instead of their own.
    std::optional<API_VariantStatus> forcedStatus;
};

HOST_API PropertySettings& Properties();

inline constexpr const char* PositionPropertyGuid = "{4D8E6B0A-2F1C-4C3B-9A5E-7B6D1E0F2A31}";
// Key GUIDs of the Position values Undefined, Interior and Exterior.
HOST_API API_Guid PositionValueKey(const char* nonLocalizedValue);

HOST_API API_PropertyDefinition PositionDefinitionOf(ProjectLanguage language, PositionDefinition kind);

} // namespace StandIn
