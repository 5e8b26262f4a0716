#pragma once

#include "APIdefs_Base.h"
#include "APIdefs_Elements.h"
#include "Array.hpp"
#include "BM.hpp"
#include "Location.hpp"
#include "UniString.hpp"

// Library parts: searching the loaded libraries, creating a part section by section, and the
// library list with the project's embedded library.

enum API_LibTypeID : Int32 {
    API_ZombieLibID = 0,
    APILib_SpecID = 1,
    APILib_WindowID = 2,
    APILib_DoorID = 3,
    APILib_ObjectID = 4,
};

constexpr USize API_LibPartUnIDLen = 128;

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
    char ownUnID[API_LibPartUnIDLen];
    char parentUnID[API_LibPartUnIDLen];
};

using GSType = UInt32;
constexpr GSType API_Sect1DScript = 0x53435231; // 'SCR1', the master script
constexpr GSType API_Sect2DScript = 0x53435232; // 'SCR2'
constexpr GSType API_Sect3DScript = 0x53435233; // 'SCR3'
constexpr GSType API_SectComText = 0x54455854;  // 'TEXT'
constexpr GSType API_SectParamDef = 0x50415244; // 'PARD'

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

using GSConstPtr = const void*;

// A registered part by its ownUnID, parentUnID, document or file name, or the first placeable part of
// its type in the loaded libraries. createIfMissing is refused: the stand-in never makes references.
HOST_API GSErrCode ACAPI_LibraryPart_Search(API_LibPart* ancestor, bool createIfMissing,
                                            bool onlyPlaceable = false);
// Opens a part for writing at libPart->location (a file in the embedded library) and reports its
// index in libPart->index.
HOST_API GSErrCode ACAPI_LibraryPart_Create(API_LibPart* libPart);
HOST_API GSErrCode ACAPI_LibraryPart_NewSection(const API_LibPartSection* section);
HOST_API GSErrCode ACAPI_LibraryPart_WriteSection(Int32 nByte, GSConstPtr data);
HOST_API GSErrCode ACAPI_LibraryPart_EndSection();
HOST_API GSErrCode ACAPI_LibraryPart_AddSection(const API_LibPartSection* section, GSHandle sectionHdl,
                                                GS::UniString* sectionStr);
// The parameter section for the part's A and B; the caller releases the handle.
HOST_API GSErrCode ACAPI_LibraryPart_GetSect_ParamDef(const API_LibPart* libPart, API_AddParType** addPars,
                                                      double* a, double* b, API_LibPartDetails* details,
                                                      GSHandle* sectionHdl);
HOST_API GSErrCode ACAPI_LibraryPart_Save(API_LibPart* libPart);

HOST_API GSErrCode ACAPI_LibraryManagement_GetLibraries(GS::Array<API_LibraryInfo>* activeLibs,
                                                        Int32* embeddedLibraryIndex = nullptr);
// While on, a part created under a name that is taken replaces the registered one.
HOST_API GSErrCode ACAPI_LibraryManagement_OverwriteLibPart(bool overwrite);
HOST_API GSErrCode ACAPI_LibraryManagement_CopyFilesIntoLibrary(const IO::Location& libraryLocation,
                                                                const GS::Array<IO::Location>& filesToCopy,
                                                                bool overwrite);
