#include "Builders/DoorLibraryManager.hpp"

#include "ACAPI/Library/LibraryManager.hpp"
#include "GSException.hpp"
#include "Logging/Logger.hpp"

namespace Tolva::Builders {

namespace {

constexpr const char* Category = "DoorLibraryManager";
constexpr const char* DoorFileName = "Tolva Door.gsm";

struct DoorCache {
    bool loaded = false;
    Int32 libInd = 0;
};

DoorCache& Cache() {
    static DoorCache cache;
    return cache;
}

} // namespace

GS::UniString LocationText(const IO::Location& location) {
    GS::UniString text;
    location.ToPath(&text);
    return text;
}

GSErrCode ShippedPartLocation(const char* category, const char* fileName, IO::Location& file) {
    IO::Location own;
    if (GSErrCode err = ACAPI_GetOwnLocation(&own)) {
        return err;
    }
    own.DeleteLastLocalName();
    Logger::Debug(category, "Plugin directory: " + LocationText(own));
    file = own;
    file.AppendToLocal(IO::Name("gsm"));
    file.AppendToLocal(IO::Name(fileName));
    return NoError;
}

Int32 DoorLibraryManager::GetDoorLibInd() {
    DoorCache& cache = Cache();
    if (!cache.loaded) {
        cache.libInd = LoadDoorLibraryPart();
        cache.loaded = true;
    }
    return cache.libInd;
}

Int32 DoorLibraryManager::LoadDoorLibraryPart() {
    IO::Location file;
    if (GSErrCode err = ShippedPartLocation(Category, DoorFileName, file)) {
        Logger::Warning(Category, GS::UniString::Printf("ACAPI_GetOwnLocation failed (error: 0x%08X)", err));
        Logger::Warning(Category, "Failed to get plugin directory");
        return 0;
    }
    Logger::Debug(Category, "Looking for Tolva Door.gsm at: " + LocationText(file));
    GSErrCode err = CopyIntoEmbeddedLibrary(file);
    if (err != NoError) {
        Logger::Warning(Category,
                        GS::UniString::Printf("Failed to copy Tolva Door.gsm from %s to embedded library "
                                              "(error: 0x%08X) - will use fallback search",
                                              LocationText(file).ToCStr().Get(), err));
        return 0;
    }
    Logger::Info(Category, "Successfully copied Tolva Door.gsm to embedded library");
    Int32 libInd = GetLibIndByName(DoorFileName);
    if (libInd != 0) {
        Logger::Info(Category, GS::UniString::Printf("Loaded Tolva Door.gsm with library index: %d", libInd));
    } else {
        Logger::Warning(Category, "Failed to get library index for Tolva Door.gsm after copying");
    }
    return libInd;
}

GSErrCode DoorLibraryManager::CopyIntoEmbeddedLibrary(const IO::Location& file) {
    // An error result throws when unwrapped; the copy then fails with the host's general code.
    try {
        auto manager = ACAPI::Library::GetLibraryManager().Unwrap();
        auto library = manager.GetEmbeddedLibrary().Unwrap();
        IO::Location folder = library.GetLocation().Unwrap();
        GS::Array<IO::Location> files;
        files.Push(file);
        const bool overwrite = true;
        GSErrCode err = ACAPI_LibraryManagement_CopyFilesIntoLibrary(&folder, &files, &overwrite);
        if (err != NoError) {
            Logger::Debug(Category,
                          GS::UniString::Printf(
                              "ACAPI_LibraryManagement_CopyFilesIntoLibrary returned error: 0x%08X", err));
        }
        return err;
    } catch (const GS::Exception& e) {
        Logger::Warning(Category, "Embedded library unavailable: " + e.GetMessage());
        return APIERR_GENERAL;
    }
}

Int32 DoorLibraryManager::GetLibIndByName(const GS::UniString& name) {
    auto manager = ACAPI::Library::GetLibraryManager();
    if (manager.IsErr()) {
        Logger::Debug(Category, "Library part not found by name: " + name);
        return 0;
    }
    auto part = manager.Unwrap().GetLibPartByName(name);
    if (part.IsErr()) {
        Logger::Debug(Category, "Library part not found by name: " + name);
        return 0;
    }
    auto libInd = manager.Unwrap().GetLibIndOfLibPart(part.Unwrap());
    if (libInd.IsErr()) {
        Logger::Warning(Category, "Failed to get library index for: " + name);
        return 0;
    }
    return libInd.Unwrap();
}

void DoorLibraryManager::ForgetIndices() {
    Cache() = DoorCache();
}

void DoorLibraryManager::InvalidateCache() {
    ForgetIndices();
    Logger::Debug(Category, "Cache invalidated");
}

} // namespace Tolva::Builders
