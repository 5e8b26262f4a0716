#pragma once

#include "UniString.hpp"

// The one place through which the add-on reports: one "[LEVEL] category: message" line per message
// in the report window; ERROR lines also go on to error aggregation or error reporting
// (ErrorHandOver). Nothing here throws.
namespace Logger {

enum class LogLevel : Int32 { Debug = 0, Info = 1, Warning = 2, Error = 3 };

// Messages below this level are never written.
constexpr LogLevel MinimumLevel = LogLevel::Info;

const char* LevelWord(LogLevel level);

void Log(LogLevel level, const GS::UniString& category, const GS::UniString& message);
void Debug(const GS::UniString& category, const GS::UniString& message);
void Info(const GS::UniString& category, const GS::UniString& message);
void Warning(const GS::UniString& category, const GS::UniString& message);
void Error(const GS::UniString& category, const GS::UniString& message);
void ErrorWithContext(const GS::UniString& category, const GS::UniString& message,
                      const GS::UniString& context);

} // namespace Logger
