#pragma once

#include "BuilderTestSupport.hpp"
#include "Builders/DoorLibraryManager.hpp"
#include "Builders/FurnitureLibraryManager.hpp"
#include "Main/ProjectEvents.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Libraries.hpp"

#include <filesystem>

// An open project, the add-on's file where the build put it (with "gsm" beside it) and empty
// caches.
class LibraryTest : public BuilderTest {
protected:
    void SetUp() override {
        BuilderTest::SetUp();
        StandIn::NewProject();
        StandIn::Host().ownLocation = TOLVA_ADDON_PATH;
        // Every per-project cache, layers included: a layer index kept from another test's project
        // would name a layer this one does not have.
        ProjectEventHandler(APINotify_New, 0);
        ClearLines();
    }

    // The add-on seen in a folder without "gsm".
    static void AddOnWithoutShippedParts() {
        StandIn::Host().ownLocation =
            (std::filesystem::temp_directory_path() / "no-gsm-here" / "Tolva.apx").c_str();
    }

    static Int32 Copies() {
        return StandIn::Faults::CallCount("ACAPI_LibraryManagement_CopyFilesIntoLibrary");
    }

    static API_Guid PlantWall(double x1, double y1, double x2, double y2) {
        API_Element wall = Wall(x1, y1, x2, y2);
        EXPECT_EQ(StandIn::PlantElement(&wall, nullptr), NoError);
        return wall.header.guid;
    }

    static const StandIn::StoredElement& Stored(const API_Guid& guid) { return *StandIn::FindElement(guid); }
};
