// String and bitmap ids of the media objects. Shared by the programs' resource scripts
// (through MediaStrings.rc) and the code that shows the texts, so this header holds
// nothing but #defines.
#pragma once

#define IDS_CANNOT_OPEN_FILE          61735  // 无法打开文件%s
#define IDS_CANNOT_OPEN_SOUND_DEVICE  61736  // 无法打开声音设备
#define IDS_OPEN_FILE_TITLE           61538  // 打开文件
#define IDS_SOUND_FILE_FILTER         61803  // 声音文件(*.wav)|*.wav|...
#define IDS_ANIMATE_FILE_FILTER       61539  // Avi文件(*.avi)|*.avi|...
#define IDS_DISK_FULL                 63638  // 磁盘空间不够!

// The icon a sound object shows while its page is edited (32 x 32).
#define IDB_SOUND_ICON                176
