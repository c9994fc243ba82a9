// Resource numbers of the pictures both programs carry (RCDATA, GIF files
// from assets/). Shared by the resource scripts and the code.
#pragma once

#define IDR_SKIN 101
#define IDR_CLOSE_NORMAL 102
#define IDR_CLOSE_HOVER 103
#define IDR_CLOSE_PRESSED 104
#define IDR_PANEL 105
#define IDR_NEXT_NORMAL 106
#define IDR_NEXT_HOVER 107
#define IDR_NEXT_PRESSED 108

// Resource types by number: the resource compiler takes the names RT_ICON and
// RT_GROUP_ICON for new named types, not for these.
#define ICON_IMAGE 3  // RT_ICON
#define ICON_GROUP 14  // RT_GROUP_ICON
