#pragma once

#include "StandIn/AddOnModule.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"

#include <gtest/gtest.h>

#include <memory>

// A fresh host with the add-on module loaded but not yet started.
class LoadedAddOn : public ::testing::Test {
protected:
    void SetUp() override {
        StandIn::ResetHost();
        module = std::make_unique<StandIn::AddOnModule>(TOLVA_ADDON_PATH);
    }
    void TearDown() override {
        module.reset();
        StandIn::ResetHost();
    }
    GSErrCode StartUp() { return module->StartUp(&envir); }

    std::unique_ptr<StandIn::AddOnModule> module;
    API_EnvirParams envir = {};
};
