#pragma once

#include "Logging/Logger.hpp"

namespace Tolva::Parsers {

// The element parsers, the field readers and the building data parser all log under this category.
inline constexpr const char* ParserCategory = "PlanTemplateParser";

inline void ParserWarning(const GS::UniString& message) {
    Logger::Warning(ParserCategory, message);
}

// Debug messages are below the fixed minimum level; this skips formatting them for nothing.
inline constexpr bool DebugLogged = Logger::MinimumLevel == Logger::LogLevel::Debug;

} // namespace Tolva::Parsers
