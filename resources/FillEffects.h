// The fill effects dialog: its templates, controls and texts.
#pragma once

#define IDD_GRADIENT_PAGE 238
#define IDD_PATTERN_PAGE 239
#define IDD_PICTURE_PAGE 240
#define IDD_FILL_EFFECTS 246

#define IDC_FE_DARK_LABEL 174
#define IDC_FE_START_SPIN 1009
#define IDC_FE_END_SPIN 1011
#define IDC_FE_SECOND_PICKER 1078     // gradient end, pattern background
#define IDC_FE_FIRST_PICKER 1080      // gradient start, pattern foreground
#define IDC_FE_ONE_COLOUR 1095
#define IDC_FE_TWO_COLOURS 1096
#define IDC_FE_STYLE_FROM_EDGES 1107
#define IDC_FE_STYLE_TO_CENTRE 1108
#define IDC_FE_STYLE_OWN_CENTRE 1109
#define IDC_FE_END_ALPHA 1112
#define IDC_FE_SHADE 1114
#define IDC_FE_TABS 1116
#define IDC_FE_LIGHT_LABEL 1117
#define IDC_FE_SAMPLE 1121
#define IDC_FE_NAME 1123              // the hatch's name, the picture's file
#define IDC_FE_HATCH_WELL 1131
#define IDC_FE_START_ALPHA 1149
#define IDC_FE_START_EDIT 1150
#define IDC_FE_END_EDIT 1151
#define IDC_FE_STYLE_HORIZONTAL 1152
#define IDC_FE_STYLE_VERTICAL 1153
#define IDC_FE_STYLE_DIAGONAL_UP 1154
#define IDC_FE_CHOOSE_PICTURE 1155
#define IDC_FE_PLACEMENT 1156

#define IDS_FE_GRADIENT_TAB 63610  // 渐变
#define IDS_FE_PATTERN_TAB 63611   // 图案
#define IDS_FE_PICTURE_TAB 63612   // 图片
