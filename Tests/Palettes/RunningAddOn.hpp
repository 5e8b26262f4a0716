#pragma once

#include "DGBrowser.hpp"
#include "DGModule.hpp"
#include "StandIn/AddOnModule.hpp"
#include "StandIn/DialogDriver.hpp"
#include "StandIn/Driver.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Palettes.hpp"
#include "StandIn/Project.hpp"
#include "StandIn/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// The add-on started in a host with the example apartment open, driven as the user drives it.
class RunningAddOn : public ::testing::Test {
protected:
    static constexpr Int32 BrowserPaletteRef = static_cast<Int32>(2513767824u);
    static constexpr Int32 PlanPaletteRef = static_cast<Int32>(2901477143u);

    void SetUp() override {
        StandIn::ResetHost();
        module = std::make_unique<StandIn::AddOnModule>(TOLVA_ADDON_PATH);
        API_EnvirParams envir = {};
        ASSERT_EQ(module->StartUp(&envir), NoError);
        StandIn::OpenProjectFile(std::string(TOLVA_SOURCE_DIR) + "/examples/projects/apartment.json");
        StandIn::Host().report.clear();
    }
    void TearDown() override {
        StandIn::QuitApplication();
        EXPECT_TRUE(StandIn::LivePalettes().empty()) << "the quit event destroys both palettes";
        module.reset();
        StandIn::ResetHost();
    }

    static DG::Palette* BrowserPaletteWindow() {
        return StandIn::FindPalette(GS::Guid("{FEE27B6B-3873-4834-98B5-F0081AA4CD45}"));
    }
    static DG::Palette* PlanPaletteWindow() {
        return StandIn::FindPalette(GS::Guid("{B3C7E5F1-9A2D-4E6F-8B4C-1D7F6E3A9C2B}"));
    }
    static DG::Browser& Page() {
        DG::Palette* palette = BrowserPaletteWindow();
        if (palette == nullptr) {
            throw std::runtime_error("no browser palette");
        }
        return dynamic_cast<DG::Browser&>(*palette->GetItem(1));
    }
    static std::string Url() { return Page().GetURL().ToCStr().Get(); }
    static std::string Status() {
        return dynamic_cast<DG::LeftText&>(*PlanPaletteWindow()->GetItem(4)).GetText().ToCStr(CC_UTF8).Get();
    }
    static void Press(short button) {
        StandIn::DialogDriver::Click(dynamic_cast<DG::Button&>(*PlanPaletteWindow()->GetItem(button)));
    }
    static bool Visible(Int32 palette) {
        return StandIn::SendPaletteMessage(palette, APIPalMsg_IsPaletteVisible).value_or(false);
    }

    static std::vector<std::string> ReportLines() {
        std::vector<std::string> lines;
        for (const StandIn::ReportLine& line : StandIn::Host().report) {
            lines.push_back(line.text.ToCStr(CC_UTF8).Get());
        }
        return lines;
    }
    static bool Reported(const std::string& text) {
        for (const std::string& line : ReportLines()) {
            if (line == text) {
                return true;
            }
        }
        return false;
    }

    std::unique_ptr<StandIn::AddOnModule> module;
};
