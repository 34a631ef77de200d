// String ids of the media objects' messages. Shared by the programs' resource scripts
// (through MediaStrings.rc) and the code that shows the texts, so this header holds
// nothing but #defines.
#pragma once

#define IDS_CANNOT_OPEN_FILE          61735  // 无法打开文件%s
#define IDS_CANNOT_OPEN_SOUND_DEVICE  61736  // 无法打开声音设备
