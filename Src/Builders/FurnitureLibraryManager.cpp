#include "Builders/FurnitureLibraryManager.hpp"

#include "Builders/DoorLibraryManager.hpp"
#include "Builders/FurnitureGeometry.hpp"
#include "BuiltInLibrary.hpp"
#include "FileSystem.hpp"
#include "HashTable.hpp"
#include "Logging/Logger.hpp"

#include <cstdio>
#include <cstring>

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "FurnitureLibraryManager";
constexpr const char* FallbackFileName = "Tolva Furniture.gsm";
constexpr const char* PartFolder = "Tolva Furniture";
constexpr USize MaxPartNameLength = 255;

struct FurnitureCache {
    GS::HashTable<GS::UniString, Int32> byTemplate;
    bool fallbackLoaded = false;
    Int32 fallback = 0;
};

FurnitureCache& Cache() {
    static FurnitureCache cache;
    return cache;
}

GS::UniString PartName(const FurnitureTemplate& furniture) {
    GS::UniString name = "Tolva - " + furniture.name;
    if (name.GetLength() > MaxPartNameLength) {
        name.Truncate(MaxPartNameLength);
    }
    return name;
}

bool EmbeddedLibraryLocation(IO::Location& location) {
    GS::Array<API_LibraryInfo> libraries;
    Int32 embedded = -1;
    if (ACAPI_LibraryManagement_GetLibraries(&libraries, &embedded) != NoError || embedded < 0 ||
        static_cast<USize>(embedded) >= libraries.GetSize()) {
        return false;
    }
    location = libraries[static_cast<USize>(embedded)].location;
    return true;
}

// Writes one section from its text; a failed opening is the caller's to report.
GSErrCode WriteSection(GSType type, const std::string& text) {
    API_LibPartSection section = {};
    section.sectType = type;
    if (GSErrCode err = ACAPI_LibraryPart_NewSection(&section)) {
        return err;
    }
    ACAPI_LibraryPart_WriteSection(static_cast<Int32>(text.size()), text.data());
    return ACAPI_LibraryPart_EndSection();
}

// The 2D script: the outline's lines, or the projection of the 3D box when there are none.
void Write2DScript(const FurnitureTemplate& furniture, Int32& lineCount) {
    std::vector<std::string> lines = FurnitureOutlineLines(furniture);
    std::string script;
    for (const std::string& line : lines) {
        script += line + GS::EOL;
    }
    lineCount = static_cast<Int32>(lines.size());
    if (lines.empty()) {
        script = std::string("PROJECT2 3, 270, 2") + GS::EOL;
        Logger::Warning(Category, "No LINE2 commands generated, falling back to PROJECT2");
    }
    API_LibPartSection section = {};
    section.sectType = API_Sect2DScript;
    if (GSErrCode err = ACAPI_LibraryPart_NewSection(&section)) {
        Logger::Warning(Category, GS::UniString::Printf("NewSection for 2D script failed: 0x%08X", err));
        return;
    }
    ACAPI_LibraryPart_WriteSection(static_cast<Int32>(script.size()), script.data());
    ACAPI_LibraryPart_EndSection();
    Logger::Debug(Category, GS::UniString::Printf("  2D script: %d LINE2 commands written", lineCount));
}

void WriteParameters(API_LibPart& part, double a, double b) {
    GSHandle parameters = nullptr;
    // No 2D drawing: the bounding box is A by B.
    GSErrCode err = ACAPI_LibraryPart_GetSect_ParamDef(&part, nullptr, &a, &b, nullptr, &parameters);
    if (err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("GetSect_ParamDef failed: 0x%08X", err));
        return;
    }
    API_LibPartSection section = {};
    section.sectType = API_SectParamDef;
    ACAPI_LibraryPart_AddSection(&section, parameters, nullptr);
    BMKillHandle(&parameters);
}

Int32 IndexAfterSaving(const GS::UniString& name, Int32 reported) {
    if (Int32 libInd = DoorLibraryManager::GetLibIndByName(name + ".gsm")) {
        return libInd;
    }
    if (Int32 libInd = DoorLibraryManager::GetLibIndByName(name)) {
        return libInd;
    }
    return reported;
}

} // namespace

Int32 FurnitureLibraryManager::GetLibraryPartForTemplate(const FurnitureTemplate& furniture) {
    FurnitureCache& cache = Cache();
    if (const Int32* cached = cache.byTemplate.GetPtr(furniture.id)) {
        return *cached;
    }
    Int32 libInd = CreateTemplateLibraryPart(furniture);
    cache.byTemplate.Put(furniture.id, libInd);
    return libInd;
}

Int32 FurnitureLibraryManager::CreateTemplateLibraryPart(const FurnitureTemplate& furniture) {
    API_LibPart part = {};
    part.typeID = APILib_ObjectID;
    part.isPlaceable = true;
    part.isTemplate = false;
    GS::Guid parent = BL::BuiltInLibraryMainGuidContainer::GetInstance().GetMainGuid(
        BL::BuiltInLibPartID::ModelElementLibPartID);
    std::snprintf(part.parentUnID, sizeof(part.parentUnID), "{%s}-{%s}", parent.ToUniString().ToCStr().Get(),
                  GS::Guid().ToUniString().ToCStr().Get());
    GS::UniString name = PartName(furniture);
    GS::ucsncpy(part.docu_UName, name.ToUStr().Get(), API_UniLongNameLen);
    Logger::Info(Category, "Creating library part: " + name);

    IO::Location folder;
    if (!EmbeddedLibraryLocation(folder)) {
        Logger::Warning(Category, "Failed to get embedded library location");
        return 0;
    }
    folder.AppendToLocal(IO::Name(PartFolder));
    IO::fileSystem.CreateFolder(folder); // it may exist already
    // The name stays as the page gave it; only the file name is made safe.
    GS::UniString fileName = SafeLibraryFileName(name);
    GS::ucsncpy(part.file_UName, fileName.ToUStr().Get(), API_UniLongNameLen);
    IO::Location file = folder;
    file.AppendToLocal(IO::Name(fileName));
    part.location = &file;

    FurnitureSize size = FurnitureFootprint(furniture);
    double height = FurnitureHeightForName(furniture.name);
    Logger::Debug(Category, GS::UniString::Printf(
                                "  Dimensions: A=%.4f B=%.4f ZZYZX=%.4f (meters), shapes=%d", size.a / 1000,
                                size.b / 1000, height / 1000, static_cast<int>(furniture.shape2d.GetSize())));

    ACAPI_LibraryManagement_OverwriteLibPart(true);
    GSErrCode err = ACAPI_LibraryPart_Create(&part);
    ACAPI_LibraryManagement_OverwriteLibPart(false);
    if (err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("ACAPI_LibraryPart_Create failed: 0x%08X", err));
        return 0;
    }
    WriteSection(API_Sect1DScript, "");
    WriteSection(API_Sect3DScript, std::string("BLOCK A, B, ZZYZX") + GS::EOL);
    Int32 lineCount = 0;
    Write2DScript(furniture, lineCount);
    WriteSection(API_SectComText, std::string("Tolva furniture: ") + furniture.name.ToCStr().Get());
    WriteParameters(part, size.a / 1000, size.b / 1000);

    err = ACAPI_LibraryPart_Save(&part);
    if (err != NoError) {
        Logger::Warning(Category, GS::UniString::Printf("ACAPI_LibraryPart_Save failed: 0x%08X", err));
        return 0;
    }
    // The host reports the new part's index on saving.
    Int32 libInd = IndexAfterSaving(name, part.index);
    if (libInd > 0) {
        Logger::Info(Category,
                     GS::UniString::Printf("Created library part '%s' with index %d (%d LINE2 commands)",
                                           name.ToCStr().Get(), libInd, lineCount));
        return libInd;
    }
    Logger::Warning(Category, "Failed to get library index after saving: " + name);
    return 0;
}

Int32 FurnitureLibraryManager::GetFallbackLibraryPart() {
    FurnitureCache& cache = Cache();
    if (cache.fallbackLoaded) {
        return cache.fallback;
    }
    cache.fallbackLoaded = true;
    cache.fallback = 0;
    IO::Location file;
    if (ShippedPartLocation(Category, FallbackFileName, file) != NoError) {
        Logger::Warning(Category, "Failed to get plugin directory");
        return 0;
    }
    GSErrCode err = DoorLibraryManager::CopyIntoEmbeddedLibrary(file);
    if (err != NoError) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Failed to copy Tolva Furniture.gsm from %s (error: 0x%08X)",
                                              LocationText(file).ToCStr().Get(), err));
        return 0;
    }
    cache.fallback = DoorLibraryManager::GetLibIndByName(FallbackFileName);
    if (cache.fallback != 0) {
        Logger::Info(Category, GS::UniString::Printf("Loaded Tolva Furniture.gsm with library index: %d",
                                                     cache.fallback));
    }
    return cache.fallback;
}

void FurnitureLibraryManager::ForgetIndices() {
    Cache() = FurnitureCache();
}

void FurnitureLibraryManager::InvalidateCache() {
    ForgetIndices();
    Logger::Debug(Category, "Cache invalidated");
}

} // namespace Tolva::Builders
