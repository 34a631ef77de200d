// The colour controls: the colour selection dialog, the colour popup dialog and the
// texts of the colour well's entries.
#pragma once

#define IDB_COLOUR_WHEEL 133
#define IDB_COLOUR_TRIANGLE 135
#define IDD_COLOUR_POPUP 137
#define IDD_COLOUR_SELECT 259

#define IDC_CS_RED 1003
#define IDC_CS_GREEN 1004
#define IDC_CS_BLUE 1005
#define IDC_CS_HUE 1018
#define IDC_CS_SATURATION 1026
#define IDC_CS_BRIGHTNESS 1027
#define IDC_CS_RGB_AREA 1022
#define IDC_CS_HSB_AREA 1033
#define IDC_CS_INITIAL 1031
#define IDC_CS_CURRENT 1032
#define IDC_CS_RED_SPIN 1034
#define IDC_CS_GREEN_SPIN 1035
#define IDC_CS_BLUE_SPIN 1036
#define IDC_CS_HUE_SPIN 1037
#define IDC_CS_SATURATION_SPIN 1038
#define IDC_CS_BRIGHTNESS_SPIN 1039

#define IDS_WELL_AUTOMATIC 63613    // 自动设定
#define IDS_WELL_MORE_COLOURS 63614 // 更多颜色...
#define IDS_WELL_FILL_EFFECTS 63615 // 渐变效果...
#define IDS_WELL_NO_FILL 63616      // 清除填充
