#include "JSCommands/ImportFailure.hpp"

#include "JSCommands/ResultEnvelope.hpp"
#include "Logging/Logger.hpp"

namespace JSCommands::PlanImportCommands {

GS::Ref<JS::Base> ImportFailure(const GS::UniString& logText, const GS::UniString& resultText) {
    Logger::Error("PlanImportCommands", logText);
    return MakeErrorResult(resultText);
}

} // namespace JSCommands::PlanImportCommands
