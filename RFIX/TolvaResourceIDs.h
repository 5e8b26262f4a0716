/* Resource identifiers and the plugin version, shared by the GRC resources and the C++ code.
   Plain preprocessor definitions only: the resource compiler reads this file too. */
#ifndef TOLVA_RESOURCE_IDS_H
#define TOLVA_RESOURCE_IDS_H

#define TOLVA_STRINGIFY_(x) #x
#define TOLVA_STRINGIFY(x) TOLVA_STRINGIFY_(x)
#define TOLVA_VERSION_STRING                                                                                 \
    TOLVA_STRINGIFY(TOLVA_VERSION_MAJOR)                                                                     \
    "." TOLVA_STRINGIFY(TOLVA_VERSION_MINOR) "." TOLVA_STRINGIFY(TOLVA_VERSION_PATCH)

#define ID_ADDON_INFO 32000
#define ID_ADDON_INFO_NAME 1
#define ID_ADDON_INFO_DESCRIPTION 2

#define ID_ADDON_MENU 32505
#define ID_ADDON_MENU_TITLE 1
#define ID_ADDON_MENU_LAUNCH 2
#define ID_ADDON_MENU_LAUNCH_ITEM 1

#define ID_ADDON_IDENTIFIER 32500
#define TOLVA_DEVELOPER_ID 1414483030 /* 0x544F4C56, "TOLV" */
#define TOLVA_LOCAL_ID 1

#define ID_BROWSER_PALETTE 32500
#define ID_BROWSER_PALETTE_BROWSER 1

#define ID_GENERATE_PLAN_PALETTE 32505
#define ID_GENERATE_PLAN_BUTTON 1
#define ID_DOWNLOAD_BUTTON 2
#define ID_UPLOAD_BUTTON 3
#define ID_STATUS_TEXT 4
#define ID_VERSION_TEXT 5

#endif
