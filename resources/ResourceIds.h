#pragma once
// Resource ids shared by the resource script and the program. Images are
// PNG data of the custom type IMAGE.

#define KVA_RT_IMAGE L"IMAGE"

// RCDATA
#define KVA_RC_CATALOGUE_HIVE 280       // built-in catalogue, as .reg text
#define KVA_RC_EMPTY_SETTINGS_HIVE 281  // settings hive with the root key only
#define KVA_RC_SERVICE_STATES 283       // svcstates.ini

// IMAGE
#define KVA_IMG_TOOL_ICON_FIRST 141     // tool icons: 141-760
#define KVA_IMG_TOOL_ICON_LAST 760
#define KVA_IMG_OWN_TOOL 162            // default icon of the user's own tools
#define KVA_IMG_SELECTION 168           // saved-selection list icon
#define KVA_IMG_LOGO 177                // 64 x 64 logo
#define KVA_IMG_GROUP_FIRST 230         // group header images: 230-254
#define KVA_IMG_GROUP_LAST 254
#define KVA_IMG_SECTION 758             // section icon
