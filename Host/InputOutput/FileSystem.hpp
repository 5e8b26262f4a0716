#pragma once

#include "Location.hpp"

namespace IO {

class HOST_API FileSystem {
public:
    static FileSystem singleton; // use fileSystem

    enum {
        FileNotFound = FileSystemErrors + 0,
        FolderNotFound = FileSystemErrors + 1,
        SourceNotFound = FileSystemErrors + 2,
        TargetNotFound = FileSystemErrors + 3,
        TargetExists = FileSystemErrors + 4,
        NotAFile = FileSystemErrors + 5,
        NotAFolder = FileSystemErrors + 6,
        AccessDenied = FileSystemErrors + 7
    };

    // TargetExists when something is there already; FolderNotFound without the parent folder.
    GSErrCode CreateFolder(const Location& loc,
                           AccessDeniedTreatment adTreatment = AccessDeniedIsErrorInPrivateLocations);
    bool Contains(const Location& loc) const;
    bool IsFolder(const Location& loc) const;
};

HOST_API extern FileSystem& fileSystem;

} // namespace IO
