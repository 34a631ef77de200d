// Resource and command ids of the player, Mirabo. Shared by its resource script and its
// sources, so this header holds nothing but #defines.
#pragma once

// The frame's menu, accelerators, window icon and document strings.
#define IDR_MAINFRAME              128
// The first icon group: the icon the shell shows for the file (and for every package
// published from it).
#define IDI_PACKAGE                3
#define IDD_ABOUTBOX               100
// The playback view's context menu and the cursor over objects that have events.
#define IDR_RUN_MENU               197
#define IDC_EVENT_CURSOR           200

// Strings.
#define IDP_OLE_INIT_FAILED        100    // OLE 程序初始化失败...
#define IDS_DROP_TARGET_MISSING    104    // 没找到由事件驱动的对象 "%s"
#define IDS_DROP_ABILITY_MISSING   105    // 由事件驱动的对象 "%s" 的能力 "%s" 不存在!
#define IDS_NO_MEMORY              61540  // 内存不足
#define IDS_UNEXPECTED_FORMAT      61694  // 非预期文件格式
#define IDS_MAKER                  61760  // the maker's name: the registry key

// Commands.
#define ID_EXIT_RUN                32768  // Esc, "退出"
#define ID_FULL_SCREEN             32771  // "全屏"
#define ID_PAUSE_RUN               32905  // "暂停"
#define ID_START_PLAYBACK          32919  // F5
