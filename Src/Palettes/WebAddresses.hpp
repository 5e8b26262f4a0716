#pragma once

#include "UniString.hpp"

// Where the web application's pages are. The addresses are build constants: the add-on reads no
// configuration of its own.
namespace WebAddresses {

inline constexpr const char* ProductionEnvironmentName = "production";
inline constexpr const char* GeneratePlanPage = "generate-plan";
inline constexpr const char* DownloadPage = "download";

GS::UniString GetProductionUrl();
// Its own constant, so it stays put when the base address changes.
GS::UniString GetUploadUrl();
// The address with exactly one "/" before the page word when it already ends in one.
GS::UniString JoinUrlPath(const GS::UniString& address, const GS::UniString& pageWord);

} // namespace WebAddresses
