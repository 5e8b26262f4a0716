#pragma once

#include "APIdefs_Base.h"
#include "APIdefs_Elements.h"
#include "Array.hpp"
#include "BM.hpp"
#include "Location.hpp"
#include "UniString.hpp"

// Library parts: searching the loaded libraries, creating a part section by section, and the
// library list with the project's embedded library.

typedef enum {
    API_ZombieLibID = 0,
    APILib_SpecID = 1,
    APILib_WindowID = 2,
    APILib_DoorID = 3,
    APILib_ObjectID = 4,
    APILib_LampID = 5,
    APILib_RoomID = 6,
    APILib_PropertyID = 7,
    APILib_PlanSignID = 8,
    APILib_LabelID = 9,
    APILib_MacroID = 10,
    APILib_PictID = 11,
    APILib_ListSchemeID = 12,
    APILib_SkylightID = 13,
    APILib_OpeningSymbolID = 14
} API_LibTypeID;

struct API_LibPart {
    API_LibTypeID typeID;
    Int32 index;
    GS::uchar_t docu_UName[API_UniLongNameLen];
    GS::uchar_t file_UName[API_UniLongNameLen];
    bool missingDef;
    bool isTemplate;
    bool isPlaceable;
    // The part's file; the caller owns it.
    IO::Location* location;
    char ownUnID[128];
    char parentUnID[128];
};

// Section types.
#define API_SectParamDef 'PARD'
#define API_Sect1DScript '1DSC' // the master script
#define API_Sect2DScript '2DSC'
#define API_Sect3DScript '3DSC'
#define API_SectComText 'CTXT'

struct API_LibPartSection {
    GSType sectType;
    unsigned short subIdent;
    short version;
};

struct API_LibPartObjectDetails {
    bool autoHotspot;
    double fixPoint;
};

union API_LibPartDetails {
    API_LibPartObjectDetails object;
};

struct API_LibraryInfo {
    IO::Location location;
    GS::UniString name;
};

// A registered part by its ownUnID, parentUnID, document or file name, or the first placeable part of
// its type in the loaded libraries. createIfMissing is refused: the stand-in never makes references.
HOST_API GSErrCode ACAPI_LibraryPart_Search(API_LibPart* ancestor, bool createIfMissing,
                                            bool onlyPlaceable = false);
// Opens a part for writing at libPart->location (a file in the embedded library); ACAPI_LibraryPart_Save
// reports its index.
HOST_API GSErrCode ACAPI_LibraryPart_Create(const API_LibPart* libPart);
HOST_API GSErrCode ACAPI_LibraryPart_NewSection(const API_LibPartSection* section);
HOST_API GSErrCode ACAPI_LibraryPart_WriteSection(Int32 nByte, GSConstPtr data);
HOST_API GSErrCode ACAPI_LibraryPart_EndSection();
HOST_API GSErrCode ACAPI_LibraryPart_AddSection(const API_LibPartSection* section, GSHandle sectionHdl,
                                                GS::UniString* sectionStr);
// The parameter section for the part's A and B; the caller releases the handle. The stand-in takes no
// 2D drawing (sect2DDrawHdl must be null, as A and B are given) and no password.
HOST_API GSErrCode ACAPI_LibraryPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars,
                                                      double* a, double* b, GSHandle sect2DDrawHdl,
                                                      GSHandle* sectionHdl,
                                                      GS::UniString* password = nullptr);
HOST_API GSErrCode ACAPI_LibraryPart_Save(API_LibPart* libPart);

HOST_API GSErrCode ACAPI_LibraryManagement_GetLibraries(GS::Array<API_LibraryInfo>* activeLibs,
                                                        Int32* embeddedLibraryIndex = nullptr);
// While on, a part created under a name that is taken replaces the registered one.
HOST_API GSErrCode ACAPI_LibraryManagement_OverwriteLibPart(bool overwrite);
HOST_API GSErrCode ACAPI_LibraryManagement_CopyFilesIntoLibrary(
    const IO::Location* targetFolderLocationInLibrary, const GS::Array<IO::Location>* filesToCopy,
    const bool* overwriteIfExists);
