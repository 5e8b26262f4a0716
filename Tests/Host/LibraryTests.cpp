#include "ModelTestSupport.hpp"

#include "ACAPI/Library/LibraryManager.hpp"
#include "StandIn/Faults.hpp"
#include "StandIn/Libraries.hpp"
#include "StandIn/Model3D.hpp"
#include "StandIn/PartScripts.hpp"
#include "StandIn/PlanDrawing.hpp"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

const char* const PartText =
    "TOLVA LIBRARY PART 1\r\n"
    "name: Chair\r\n"
    "type: object\r\n"
    "placeable: yes\r\n"
    "unique id: {11111111-2222-3333-4444-555555555555}-{00000000-0000-0000-0000-000000000000}\r\n"
    "parent id: {103E8D2C-8230-42E1-9597-46F84CCE28C0}-{00000000-0000-0000-0000-000000000000}\r\n"
    "== master script\r\n"
    "== 3d script\r\n"
    "BLOCK A, B, ZZYZX\r\n"
    "== 2d script\r\n"
    "LINE2 0, 0, A, 0\r\n"
    "CIRCLE2 0, 0, 1\r\n"
    "== comment\r\n"
    "A chair\r\n"
    "== parameters\r\n"
    "A length 0.5\r\n"
    "B length 0.6\r\n"
    "ZZYZX length 0.9\r\n";

class Libraries : public FreshModel {
protected:
    void SetUp() override {
        FreshModel::SetUp();
        StandIn::NewProject();
        source = fs::path(StandIn::EmbeddedLibraryFolder()).parent_path() / "source";
        fs::create_directories(source);
    }

    IO::Location Write(const char* name, const std::string& text) const {
        std::ofstream(source / name, std::ios::binary) << text;
        return IO::Location(GS::UniString((source / name).string()));
    }

    static GSErrCode Copy(const IO::Location& file, bool overwrite = true) {
        GS::Array<IO::Location> files;
        files.Push(file);
        const IO::Location embedded(GS::UniString(StandIn::EmbeddedLibraryFolder()));
        return ACAPI_LibraryManagement_CopyFilesIntoLibrary(&embedded, &files, &overwrite);
    }

    fs::path source;
};

TEST_F(Libraries, ReadsAndWritesItsOwnPartFormat) {
    const StandIn::LibraryPartText part = StandIn::ReadLibraryPart(PartText);
    EXPECT_EQ(part.name, "Chair");
    EXPECT_EQ(part.script2D, "LINE2 0, 0, A, 0\r\nCIRCLE2 0, 0, 1\r\n");
    EXPECT_EQ(part.comment, "A chair");
    ASSERT_EQ(part.parameters.size(), 3u);
    EXPECT_EQ(part.parameters[2].value.real, 0.9);
    EXPECT_EQ(StandIn::WriteLibraryPart(part), PartText);
    try {
        StandIn::ReadLibraryPart("TOLVA LIBRARY PART 1\r\nname: X\r\ntype: lamp\r\n");
        FAIL() << "a lamp is no type the stand-in knows";
    } catch (const GS::Exception& e) {
        EXPECT_EQ(e.GetMessage(), "Library part, line 3: expected the type object, door or window");
    }
}

TEST_F(Libraries, CopiesRealFilesIntoTheEmbeddedLibraryAndKeepsTheIndexOnOverwrite) {
    const IO::Location file = Write("Chair.gsm", PartText);
    ASSERT_EQ(Copy(file), NoError);
    const StandIn::RegisteredPart* copied = StandIn::FindPartByName("Chair.gsm");
    ASSERT_NE(copied, nullptr);
    const Int32 index = copied->index;
    EXPECT_EQ(StandIn::FindPartByName("Chair"), copied);
    EXPECT_TRUE(fs::exists(fs::path(StandIn::EmbeddedLibraryFolder()) / "Chair.gsm"));
    ASSERT_EQ(Copy(file), NoError);
    EXPECT_EQ(StandIn::FindPartByName("Chair.gsm")->index, index);

    EXPECT_EQ(Copy(IO::Location(GS::UniString((source / "Missing.gsm").string()))), APIERR_BADPARS);
    EXPECT_EQ(Copy(Write("Broken.gsm", "not a part")), APIERR_BADPARS);
    EXPECT_EQ(StandIn::FindPartByName("Broken.gsm"), nullptr);
    GS::Array<IO::Location> files;
    files.Push(file);
    const IO::Location outside(GS::UniString(source.string()));
    const bool overwrite = true;
    EXPECT_EQ(ACAPI_LibraryManagement_CopyFilesIntoLibrary(&outside, &files, &overwrite), APIERR_BADPARS)
        << "only the embedded library takes files";
}

TEST_F(Libraries, TheManagerAnswersWithResults) {
    auto found = ACAPI::Library::GetLibraryManager();
    ASSERT_TRUE(found.IsOk());
    auto manager = found.Unwrap();
    auto embedded = manager.GetEmbeddedLibrary();
    ASSERT_TRUE(embedded.IsOk());
    EXPECT_EQ(embedded.Unwrap().GetLocation().Unwrap().ToDisplayText(),
              StandIn::EmbeddedLibraryFolder().c_str());
    EXPECT_TRUE(manager.GetLibPartByName("Chair.gsm").IsErr());
    auto general = manager.GetLibPartByName("General Object");
    ASSERT_TRUE(general.IsOk());
    EXPECT_EQ(manager.GetLibIndOfLibPart(general.Unwrap()).Unwrap(), 1);
    StandIn::Faults::Arm("LibraryManager::GetEmbeddedLibrary", APIERR_GENERAL);
    EXPECT_EQ(manager.GetEmbeddedLibrary().UnwrapErr().kind, APIERR_GENERAL);
    StandIn::Host().project = StandIn::ProjectState::None;
    EXPECT_TRUE(ACAPI::Library::GetLibraryManager().IsErr());
}

TEST_F(Libraries, CreatesAPartSectionBySectionUnderTheOverwriteSwitch) {
    fs::path file = fs::path(StandIn::EmbeddedLibraryFolder()) / "Box.gsm";
    IO::Location location(GS::UniString(file.string()));
    API_LibPart part = {};
    part.typeID = APILib_ObjectID;
    part.isPlaceable = true;
    GS::ucsncpy(part.docu_UName, GS::UniString("Box").ToUStr().Get(), API_UniLongNameLen);
    std::strcpy(part.parentUnID,
                "{103E8D2C-8230-42E1-9597-46F84CCE28C0}-{00000000-0000-0000-0000-000000000000}");
    part.location = &location;
    auto create = [&] {
        EXPECT_EQ(ACAPI_LibraryPart_Create(&part), NoError);
        API_LibPartSection section = {};
        section.sectType = API_Sect3DScript;
        EXPECT_EQ(ACAPI_LibraryPart_NewSection(&section), NoError);
        EXPECT_EQ(ACAPI_LibraryPart_WriteSection(19, "BLOCK A, B, ZZYZX\r\n"), NoError);
        EXPECT_EQ(ACAPI_LibraryPart_EndSection(), NoError);
        double a = 0.5, b = 0.25;
        GSHandle parameters = nullptr;
        EXPECT_EQ(ACAPI_LibraryPart_GetSect_ParamDef(&part, nullptr, &a, &b, nullptr, &parameters), NoError);
        section.sectType = API_SectParamDef;
        EXPECT_EQ(ACAPI_LibraryPart_AddSection(&section, parameters, nullptr), NoError);
        BMKillHandle(&parameters);
        return ACAPI_LibraryPart_Save(&part);
    };
    ASSERT_EQ(create(), NoError);
    const Int32 index = part.index;
    EXPECT_EQ(StandIn::FindPartByName("Box.gsm")->index, index);
    EXPECT_EQ(
        StandIn::ReadLibraryPart(std::string(std::istreambuf_iterator<char>(std::ifstream(file).rdbuf()), {}))
            .parameters[1]
            .value.real,
        0.25);
    EXPECT_NE(ACAPI_LibraryPart_Create(&part), NoError) << "the name is taken and the switch is off";
    ASSERT_EQ(ACAPI_LibraryManagement_OverwriteLibPart(true), NoError);
    ASSERT_EQ(create(), NoError);
    EXPECT_EQ(part.index, index) << "an overwritten part keeps its index";

    IO::Location outside(GS::UniString((source / "Out.gsm").string()));
    part.location = &outside;
    EXPECT_EQ(ACAPI_LibraryPart_Create(&part), APIERR_BADPARS);
    IO::Location escaping(GS::UniString(StandIn::EmbeddedLibraryFolder() + "/../Out.gsm"));
    part.location = &escaping;
    EXPECT_EQ(ACAPI_LibraryPart_Create(&part), APIERR_BADPARS);
    EXPECT_EQ(ACAPI_LibraryPart_Save(&part), APIERR_GENERAL) << "nothing is being created";
}

TEST_F(Libraries, SearchesADoorByTypeAndReadsOnlyTheCommandsTheAddOnWrites) {
    API_LibPart door = {};
    door.typeID = APILib_DoorID;
    ASSERT_EQ(ACAPI_LibraryPart_Search(&door, false, true), NoError);
    EXPECT_EQ(door.index, 2);

    auto none = [](const std::string&) { return std::optional<double>(); };
    StandIn::PartSymbol symbol =
        StandIn::Read2DScript("LINE2 0, 0, 1, 0\r\nCIRCLE2 0, 0, 1\r\nLINE2 0, 0, A, 0\r\n", none);
    EXPECT_EQ(symbol.lines.size(), 1u);
    EXPECT_EQ(symbol.problems, (std::vector<std::string>{"line 2: CIRCLE2 is not read by the stand-in",
                                                         "line 3: \"A\" has no value"}));
    StandIn::PartModel model =
        StandIn::Read3DScript("BLOCK 1, 2, H\r\nBLOCK 1, 2\r\n", [](const std::string& n) {
            return n == "H" ? std::optional(3.0) : std::nullopt;
        });
    ASSERT_EQ(model.blocks.size(), 1u);
    EXPECT_EQ(model.blocks[0].height, 3.0);
    EXPECT_EQ(model.problems, (std::vector<std::string>{"line 2: BLOCK takes 3 arguments"}));
}

} // namespace

namespace {

TEST_F(Libraries, TheFurnishedExampleLoadsWithItsPartsDrawnAndBuilt) {
    ASSERT_EQ(LoadError(ExampleProject("furnished.json")), "loaded");
    Int32 objects = 0;
    for (const StandIn::StoredElement& stored : StandIn::TheModel().elements) {
        if (stored.element.header.type.typeID == API_ObjectID) {
            ++objects;
            EXPECT_FALSE(StandIn::FindPart(stored.element.object.libInd)->embeddedPath.empty());
            EXPECT_EQ(StandIn::BodiesOf(stored).size(), 1u) << "one BLOCK";
        }
    }
    EXPECT_EQ(objects, 4);
    const std::string drawing = StandIn::DrawStory(0);
    EXPECT_NE(drawing.find(">Wardrobe</text>"), std::string::npos);
    EXPECT_TRUE(StandIn::Libraries().scriptProblems.empty());
}

} // namespace
