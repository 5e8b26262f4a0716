#include "FuzzInput.hpp"
#include "Parsers/JsonReader.hpp"
#include "Parsers/PlanTemplateParser.hpp"

#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Tolva::PlanTemplate plan;
    GS::UniString errorText;
    if (Tolva::Parsers::ParsePlanTemplate(FuzzText(data, size), plan, errorText)) {
        // What importPlan does next: a deep copy of the record.
        Tolva::PlanTemplate copy = plan;
        (void)copy;
    }
    // The raw bytes straight through the reader, then copied and written as importPlan does.
    rapidjson::Document document;
    if (Tolva::Parsers::ReadJson(reinterpret_cast<const char*>(data), size, document).IsOk()) {
        rapidjson::Document copy;
        copy.CopyFrom(document, copy.GetAllocator());
        rapidjson::StringBuffer buffer;
        rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
        copy.Accept(writer);
    }
    return 0;
}
