#pragma once

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <string>

// Reading the events the error-reporting receiver got.
inline rapidjson::Document ParseEvent(const std::string& json) {
    rapidjson::Document document;
    document.Parse(json.c_str());
    EXPECT_FALSE(document.HasParseError()) << json;
    return document;
}

// A text member of an object, or empty text.
inline std::string Text(const rapidjson::Value& object, const char* key) {
    return object.IsObject() && object.HasMember(key) && object[key].IsString() ? object[key].GetString()
                                                                                : "";
}
