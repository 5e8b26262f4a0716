#include "Logging/Logger.hpp"

#include "ACAPinc.h"
#include "Logging/ErrorHandOver.hpp"

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

namespace {

void Write(LogLevel level, const GS::UniString& category, const GS::UniString& message) {
    try {
        // The message is an argument, never the format: a "%" in it stays literal.
        ACAPI_WriteReport("[%s] %s: %s", false, LevelWord(level), category.ToCStr().Get(),
                          message.ToCStr().Get());
    } catch (...) {
        // Logging never fails towards its caller.
    }
}

void LogError(const GS::UniString& category, const GS::UniString& message, const GS::UniString& context) {
    Write(LogLevel::Error, category, message);
    try {
        HandOverError(category, message, context);
    } catch (...) {
        // A failed hand-over loses the report, never the caller's work.
    }
}

} // namespace

void Log(LogLevel level, const GS::UniString& category, const GS::UniString& message) {
    if (level == LogLevel::Error) {
        LogError(category, message, GS::UniString());
    } else if (static_cast<Int32>(level) >= static_cast<Int32>(MinimumLevel)) {
        Write(level, category, message);
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

void ErrorWithContext(const GS::UniString& category, const GS::UniString& message,
                      const GS::UniString& context) {
    LogError(category, message, context);
}

} // namespace Logger
