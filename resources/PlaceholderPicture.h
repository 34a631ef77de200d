// The picture drawn by a picture object that holds none: a placeable Windows metafile
// stored as resource type "WMF_PIC". Shared by the programs' resource scripts (through
// PlaceholderPicture.rc) and the code that loads it, so this header holds only #defines.
#pragma once

#define IDR_PLACEHOLDER_PICTURE 264
#define RT_PLACEHOLDER_PICTURE "WMF_PIC"
