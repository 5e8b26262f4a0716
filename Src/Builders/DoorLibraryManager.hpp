#pragma once

#include "ACAPinc.h"

namespace Tolva::Builders {

// Makes the add-on's door part ("gsm/Tolva Door.gsm" beside the add-on) available in the project's
// embedded library and keeps its library index until the project changes; a failed load is kept
// too. Main thread only.
class DoorLibraryManager {
public:
    // 0 when the part is unavailable.
    static Int32 GetDoorLibInd();
    static Int32 LoadDoorLibraryPart();
    // Copies one file into the embedded library, replacing a file of the same name.
    static GSErrCode CopyIntoEmbeddedLibrary(const IO::Location& file);
    // 0 when no part has that name.
    static Int32 GetLibIndByName(const GS::UniString& name);
    static void InvalidateCache();
    // Forgets the door part's index without a word.
    static void ForgetIndices();
};

// A location's path, for log lines.
GS::UniString LocationText(const IO::Location& location);

// The file in the "gsm" folder beside the add-on's file; the host's code when it cannot tell where
// the add-on is.
GSErrCode ShippedPartLocation(const char* category, const char* fileName, IO::Location& file);

} // namespace Tolva::Builders
