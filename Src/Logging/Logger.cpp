#include "Logging/Logger.hpp"

#include "ACAPinc.h"

namespace Logger {

const char* LevelWord(LogLevel level) {
    switch (level) {
    case LogLevel::Debug:
        return "DEBUG";
    case LogLevel::Info:
        return "INFO";
    case LogLevel::Warning:
        return "WARNING";
    case LogLevel::Error:
        return "ERROR";
    }
    return "UNKNOWN";
}

void Log(LogLevel level, const GS::UniString& category, const GS::UniString& message) {
    if (static_cast<Int32>(level) < static_cast<Int32>(MinimumLevel)) {
        return;
    }
    try {
        // The message is an argument, never the format: a "%" in it stays literal.
        ACAPI_WriteReport("[%s] %s: %s", false, LevelWord(level), category.ToCStr().Get(),
                          message.ToCStr().Get());
    } catch (...) {
        // Logging never fails towards its caller.
    }
}

void Debug(const GS::UniString& category, const GS::UniString& message) {
    Log(LogLevel::Debug, category, message);
}

void Info(const GS::UniString& category, const GS::UniString& message) {
    Log(LogLevel::Info, category, message);
}

void Warning(const GS::UniString& category, const GS::UniString& message) {
    Log(LogLevel::Warning, category, message);
}

void Error(const GS::UniString& category, const GS::UniString& message) {
    Log(LogLevel::Error, category, message);
}

void ErrorWithContext(const GS::UniString& category, const GS::UniString& message, const GS::UniString&) {
    // The context text only matters to error aggregation, which receives it once it exists.
    Log(LogLevel::Error, category, message);
}

} // namespace Logger
