#pragma once

#include "ACAPinc.h"

#include <string>
#include <vector>

// Library part files in the stand-in's own text format (docs/library-parts.md): a header naming the
// part, then its sections (master script, 3D script, 2D script, comment, parameters).
namespace StandIn {

struct LibraryPartText {
    GS::UniString name; // the document name
    API_LibTypeID type = APILib_ObjectID;
    bool placeable = true;
    std::string ownUnID;
    std::string parentUnID;
    // Script texts keep the host's line ends: every line ends with GS::EOL.
    std::string masterScript;
    std::string script3D;
    std::string script2D;
    std::string comment;
    std::vector<API_AddParType> parameters;
};

// Throws GS::Exception naming the line of the first problem.
HOST_API LibraryPartText ReadLibraryPart(const std::string& text);
HOST_API std::string WriteLibraryPart(const LibraryPartText& part);

// The lines of a parameter section ("A length 0.9"); throws GS::Exception on a malformed line.
HOST_API std::vector<API_AddParType> ReadParameterLines(const std::string& text);
HOST_API std::string WriteParameterLines(const std::vector<API_AddParType>& parameters);

} // namespace StandIn
