#pragma once

#include "ACAPinc.h"
#include "GSException.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/HandleLedger.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// The text of a project file in examples/projects.
inline std::string ExampleProject(const std::string& name) {
    std::ifstream file(std::string(TOLVA_SOURCE_DIR) + "/examples/projects/" + name);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The message loading the project text fails with, or "loaded".
inline std::string LoadError(const std::string& text) {
    try {
        StandIn::LoadProject(text);
    } catch (const GS::Exception& e) {
        return e.GetMessage().ToCStr().Get();
    }
    return "loaded";
}

// A fresh host model; every test must leave no memory handle behind.
class FreshModel : public ::testing::Test {
protected:
    void SetUp() override {
        StandIn::ResetHost();
        liveHandles = StandIn::HandleLedger::LiveCount();
    }
    void TearDown() override { EXPECT_EQ(StandIn::HandleLedger::LiveCount(), liveHandles); }

    static API_Element Wall(double x1, double y1, double x2, double y2) {
        API_Element element = {};
        element.header.type = API_WallID;
        EXPECT_EQ(ACAPI_Element_GetDefaults(&element, nullptr), NoError);
        element.wall.begC = {x1, y1};
        element.wall.endC = {x2, y2};
        return element;
    }

    static GSErrCode InStep(const std::function<GSErrCode()>& command) {
        return ACAPI_CallUndoableCommand("Test Step", command);
    }

    static std::vector<API_Guid> Guids() {
        std::vector<API_Guid> guids;
        for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
            guids.push_back(stored.element.header.guid);
        }
        return guids;
    }

    Int32 liveHandles = 0;
};
