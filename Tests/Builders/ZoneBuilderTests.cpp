#include "BuiltElements.hpp"

#include "Main/ProjectEvents.hpp"
#include "StandIn/Faults.hpp"

#include <string>

namespace {

using Tolva::PlanContainer;
using Tolva::SpaceType;
using Tolva::TolvaPolygon;
using Tolva::TolvaPolyline;
using Tolva::TolvaTransform;
using Tolva::Builders::ZoneBuilder;

TolvaPolygon Room(bool withHole = false) {
    TolvaPolygon polygon;
    polygon.polylines.Push(Ring({{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}}));
    if (withHole) {
        polygon.polylines.Push(Ring({{1000, 1000}, {1000, 2000}, {2000, 2000}, {2000, 1000}}));
    }
    return polygon;
}

SpaceType Space(const char* className, const char* displayName) {
    SpaceType space;
    space.className = className;
    space.displayName = displayName;
    return space;
}

class Zones : public BuiltElements {
protected:
    GSErrCode FromContainer(const PlanContainer& container, const SpaceType* space,
                            const TolvaTransform& transform) {
        return InStep(
            [&] { return ZoneBuilder::CreateZoneFromContainer(container, space, 0, transform, zoneGuid); });
    }

    GSErrCode FromPolygon(const GS::UniString& name, const GS::UniString& category,
                          const API_Element* labelDefaults = nullptr) {
        return InStep([&] {
            return ZoneBuilder::CreateZoneFromPolygon(Room(), 2000, 1500, name, category, 0, zoneGuid,
                                                      labelDefaults);
        });
    }

    static PlanContainer Container(bool withHole = false) {
        PlanContainer container;
        container.bounds = Room(withHole);
        container.referencePoint = {1500, 2500, 0};
        return container;
    }

    static const StandIn::StoredElement& OnlyOf(API_ElemTypeID type) {
        auto found = OfType(type);
        EXPECT_EQ(found.size(), 1u);
        return *found.at(0);
    }

    static std::u16string RoomName(const StandIn::StoredElement& zone) {
        std::u16string name;
        for (const GS::uchar_t* unit = zone.element.zone.roomName; *unit != 0; ++unit) {
            name += static_cast<char16_t>(*unit);
        }
        return name;
    }

    static API_AttributeIndex AddCategory(const char* name) {
        GS::UniString categoryName = name;
        API_Attribute category = {};
        category.header.typeID = API_ZoneCatID;
        category.header.uniStringNamePtr = &categoryName;
        return StandIn::AddAttribute(category);
    }

    static Int32 CategoryLookups() { return StandIn::Faults::CallCount("ACAPI_Attribute_Get:ZoneCategory"); }

    API_Guid zoneGuid = {};
};

TEST_F(Zones, MakesALabelledManualZoneFromAContainerWithItsHole) {
    const SpaceType kitchen = Space("Kitchen", "Open Kitchen");
    ASSERT_EQ(FromContainer(Container(true), &kitchen, TolvaTransform()), NoError);
    const StandIn::StoredElement& zone = OnlyOf(API_ZoneID);
    EXPECT_EQ(zone.element.header.guid, zoneGuid);
    EXPECT_TRUE(zone.element.zone.manual);
    EXPECT_EQ(RoomName(zone), u"Open Kitchen");
    EXPECT_EQ(zone.element.zone.catInd, AttributeNamed(API_ZoneCatID, "Kitchen"));
    EXPECT_EQ(zone.element.zone.pos, (API_Coord{1.5, 2.5}));
    EXPECT_EQ(zone.element.zone.refPos, (API_Coord{1.5, 2.5}));
    EXPECT_EQ(Contours(*zone.memo),
              (std::vector<std::vector<API_Coord>>{{{0, 0}, {4, 0}, {4, 3}, {0, 3}, {0, 0}},
                                                   {{1, 1}, {1, 2}, {2, 2}, {2, 1}, {1, 1}}}));
    EXPECT_TRUE(zone.memo->parcs.empty());

    const StandIn::StoredElement& label = OnlyOf(API_LabelID);
    const API_LabelType& fields = label.element.label;
    EXPECT_EQ(fields.parent, zoneGuid);
    EXPECT_EQ(fields.parentType, API_ZoneID);
    EXPECT_EQ(fields.labelClass, APILblClass_Text);
    EXPECT_EQ(fields.begC, (API_Coord{1.5, 2.5}));
    EXPECT_EQ(fields.midC, fields.begC);
    EXPECT_EQ(fields.endC, fields.begC);
    EXPECT_FALSE(fields.createAtDefaultPosition);
    EXPECT_EQ(fields.u.text.anchor, APIAnc_LT);
    EXPECT_EQ(fields.u.text.angle, 0.0);
    EXPECT_EQ(label.element.header.floorInd, 0);
    EXPECT_EQ(*label.memo->textContent, GS::UniString("Open Kitchen"));
    ASSERT_EQ(label.memo->paragraphs->size(), 1u);
    const API_ParagraphType& paragraph = label.memo->paragraphs->front().paragraph;
    EXPECT_EQ(paragraph.from, 0);
    EXPECT_EQ(paragraph.range, 12);
    EXPECT_EQ(paragraph.just, APIJust_Left);
    EXPECT_EQ(paragraph.spacing, -1.0);
    const std::vector<API_RunType>& runs = label.memo->paragraphs->front().runs;
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].from, 0);
    EXPECT_EQ(runs[0].range, 12);
    EXPECT_EQ(runs[0].pen, 1);
    EXPECT_EQ(runs[0].font, StandIn::LabelDefaultFont);
    EXPECT_EQ(runs[0].size, 3.0);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{"[INFO] ZoneBuilder: Zone created with 2 sub-polygons (1 hole)"}));
}

TEST_F(Zones, MovesTheZoneAndItsStampByTheTransform) {
    TolvaTransform shifted;
    shifted.m[3] = 10000;
    ASSERT_EQ(FromContainer(Container(), nullptr, shifted), NoError);
    const StandIn::StoredElement& zone = OnlyOf(API_ZoneID);
    EXPECT_EQ(Contours(*zone.memo),
              (std::vector<std::vector<API_Coord>>{{{10, 0}, {14, 0}, {14, 3}, {10, 3}, {10, 0}}}));
    EXPECT_EQ(zone.element.zone.pos, (API_Coord{11.5, 2.5}));
    EXPECT_EQ(zone.element.zone.catInd, ACAPI_CreateAttributeIndex(1))
        << "no space type: the default category";
    EXPECT_EQ(*OnlyOf(API_LabelID).memo->textContent, GS::UniString("Zone"));
    EXPECT_EQ(OnlyOf(API_LabelID).element.label.begC, (API_Coord{11.5, 2.5}));
}

TEST_F(Zones, KeepsTheZoneWhenTheHostRefusesItsLabel) {
    StandIn::Faults::Arm("ACAPI_Element_Create:Label", APIERR_BADPARS);
    const SpaceType bedroom = Space("Bedroom", "Bedroom 1");
    ASSERT_EQ(FromContainer(Container(), &bedroom, TolvaTransform()), NoError);
    EXPECT_EQ(OfType(API_ZoneID).size(), 1u);
    EXPECT_TRUE(OfType(API_LabelID).empty());
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[WARNING] ZoneBuilder: Failed to create zone label: -2130313112",
                           "[WARNING] ZoneBuilder: Zone created but label creation failed: -2130313112"}));
    ClearLines();
    StandIn::Faults::Arm("ACAPI_Element_GetDefaults:Label", APIERR_MEMFULL);
    ASSERT_EQ(FromContainer(Container(), &bedroom, TolvaTransform()), NoError);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[WARNING] ZoneBuilder: Failed to get label defaults: -2130313214",
                           "[WARNING] ZoneBuilder: Zone created but label creation failed: -2130313214"}));
}

TEST_F(Zones, FindsTheCategoryInUpperCaseWithUnderscoresAndAsksTheHostOnce) {
    const API_AttributeIndex living = AddCategory("LIVING_ROOM");
    ASSERT_EQ(FromPolygon("Lounge", "Living room"), NoError);
    EXPECT_EQ(OnlyOf(API_ZoneID).element.zone.catInd, living);
    const Int32 lookups = CategoryLookups();
    EXPECT_EQ(lookups, 4) << "as asked, upper case, underscores, both";
    EXPECT_EQ(ZoneBuilder::FindZoneCategory("Living room"), living);
    EXPECT_EQ(ZoneBuilder::FindZoneCategory("Sauna"), ACAPI_CreateAttributeIndex(0));
    const Int32 afterSauna = CategoryLookups();
    EXPECT_EQ(ZoneBuilder::FindZoneCategory("Sauna"), ACAPI_CreateAttributeIndex(0));
    EXPECT_EQ(CategoryLookups(), afterSauna) << "a missing category is remembered too";
    EXPECT_EQ(afterSauna, lookups + 3) << "Sauna, SAUNA, and SAUNA again as the form without spaces";
}

TEST_F(Zones, KeepsTheDefaultCategoryForAnUnknownName) {
    ASSERT_EQ(FromPolygon("Sauna", "Wellness"), NoError);
    EXPECT_EQ(OnlyOf(API_ZoneID).element.zone.catInd, ACAPI_CreateAttributeIndex(1));
}

TEST_F(Zones, AsksAgainForCategoriesAfterAProjectChange) {
    EXPECT_EQ(ZoneBuilder::FindZoneCategory("Bedroom"), ACAPI_CreateAttributeIndex(4));
    // The next project numbers its categories otherwise.
    StandIn::Attributes().byType[API_ZoneCatID].clear();
    AddCategory("Storage");
    const API_AttributeIndex bedroom = AddCategory("Bedroom");
    ProjectEventHandler(APINotify_Open, 0);
    EXPECT_EQ(ZoneBuilder::FindZoneCategory("Bedroom"), bedroom);
    EXPECT_EQ(bedroom, ACAPI_CreateAttributeIndex(2));
}

TEST_F(Zones, LabelsAZoneFromAPolygonOnlyWithLabelDefaults) {
    ASSERT_EQ(FromPolygon("Study", "Bedroom"), NoError);
    EXPECT_TRUE(OfType(API_LabelID).empty());
    EXPECT_EQ(OnlyOf(API_ZoneID).element.zone.pos, (API_Coord{2, 1.5}));

    API_Element defaults = {};
    defaults.header.type = API_LabelID;
    ASSERT_EQ(ACAPI_Element_GetDefaults(&defaults, nullptr), NoError);
    defaults.label.u.text.font = 12;
    const Int32 defaultsAsked = StandIn::Faults::CallCount("ACAPI_Element_GetDefaults");
    ASSERT_EQ(FromPolygon("Guest room", "Bedroom", &defaults), NoError);
    const StandIn::StoredElement& label = OnlyOf(API_LabelID);
    EXPECT_EQ(*label.memo->textContent, GS::UniString("Guest room"));
    EXPECT_EQ(label.memo->paragraphs->front().runs[0].font, 12) << "the given defaults' font";
    EXPECT_EQ(label.element.label.begC, (API_Coord{2, 1.5}));
    EXPECT_EQ(StandIn::Faults::CallCount("ACAPI_Element_GetDefaults"), defaultsAsked + 1)
        << "only the zone's defaults";
}

TEST_F(Zones, CopiesARoomNameWithinTheFieldAndNeverSplitsACharacter) {
    ASSERT_EQ(FromPolygon(GS::UniString(std::string(10000, 'n').c_str()), "Bedroom"), NoError);
    EXPECT_EQ(RoomName(OnlyOf(API_ZoneID)), std::u16string(API_UniLongNameLen - 1, u'n'));

    StandIn::TheModel().elements.clear();
    const std::u16string head(API_UniLongNameLen - 2, u'a');
    ASSERT_EQ(FromPolygon(GS::UniString((head + u"\U0001F600 and more").c_str()), "Bedroom"), NoError);
    EXPECT_EQ(RoomName(OnlyOf(API_ZoneID)), head) << "the emoji's pair does not fit and is left out whole";

    StandIn::TheModel().elements.clear();
    ASSERT_EQ(FromPolygon(GS::UniString(u"K\u00fcche \u6a5f\u68b0\u5ba4 \U0001F373"), "Kitchen"), NoError);
    EXPECT_EQ(RoomName(OnlyOf(API_ZoneID)), u"K\u00fcche \u6a5f\u68b0\u5ba4 \U0001F373");
}

TEST_F(Zones, MakesAGrossFloorAreaZoneStampedAtItsFirstPointWithoutALabel) {
    ASSERT_EQ(
        InStep([&] { return ZoneBuilder::CreateGFAZone(Room(true), "GFA", "Circulation", 0, zoneGuid); }),
        NoError);
    const StandIn::StoredElement& zone = OnlyOf(API_ZoneID);
    EXPECT_EQ(RoomName(zone), u"GFA");
    EXPECT_EQ(zone.element.zone.catInd, AttributeNamed(API_ZoneCatID, "Circulation"));
    EXPECT_EQ(zone.element.zone.pos, (API_Coord{0, 0}));
    EXPECT_TRUE(OfType(API_LabelID).empty());
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[INFO] ZoneBuilder: GFA zone created with 2 sub-polygons (1 hole)"}));
}

TEST_F(Zones, ReportsEachFailureWithTheHostsCode) {
    EXPECT_EQ(InStep([&] {
                  return ZoneBuilder::CreateZoneFromContainer(PlanContainer(), nullptr, 0, TolvaTransform(),
                                                              zoneGuid);
              }),
              APIERR_BADPARS);
    EXPECT_EQ(InStep([&] { return ZoneBuilder::CreateGFAZone(TolvaPolygon(), "GFA", "", 0, zoneGuid); }),
              APIERR_BADPARS);
    StandIn::Faults::Arm("ACAPI_Element_GetDefaults:Zone", APIERR_MEMFULL);
    EXPECT_EQ(FromPolygon("Hall", "Circulation"), APIERR_MEMFULL);
    StandIn::Faults::Arm("ACAPI_Element_Create:Zone", APIERR_BADPOLY);
    EXPECT_EQ(FromPolygon("Hall", "Circulation"), APIERR_BADPOLY);
    StandIn::Faults::Arm("ACAPI_Element_Create:Zone", APIERR_BADPOLY);
    EXPECT_EQ(InStep([&] { return ZoneBuilder::CreateGFAZone(Room(), "GFA", "", 3, zoneGuid); }),
              APIERR_BADPOLY);
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{
            "[ERROR] ZoneBuilder: No polygon data in container bounds",
            "[ERROR] ZoneBuilder: No polygon data in polygon parameter",
            "[ERROR] ZoneBuilder: Zone GetDefaults failed: -2130313214",
            "[ERROR] ZoneBuilder: Zone creation failed: -2130313111 (0x81060069) at position (2.00, 1.50)",
            "[ERROR] ZoneBuilder: Zone creation failed: -2130313111 (0x81060069) on floor 3"}));
    EXPECT_TRUE(OfType(API_ZoneID).empty());
    EXPECT_TRUE(OfType(API_LabelID).empty());
}

} // namespace
