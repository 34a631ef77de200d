// Resource and command ids of the editor Kordel. Shared by its resource script and its
// sources, so this header holds nothing but #defines. The standard ids (file, edit,
// help commands, the standard bars) come from the framework's AfxRes.h.
#pragma once

#include "framework/ui/AfxRes.h"

// --- Resources ---
#define IDR_MAINFRAME 2              // menu, accelerators, icon, document strings, standard toolbar
#define IDD_ABOUTBOX 100
#define IDR_TOOLBOX 115              // tool box toolbar
#define IDB_TOOLBOX 116
#define IDR_EFFECT_BAR 118
#define IDR_FORMAT_BAR 139
#define IDB_FORMAT_BAR 141
#define IDD_PROPERTY_PANEL 143
#define IDD_GALLERY_PANEL 145
#define IDR_ALIGN_BAR 244
#define IDB_STANDARD 282
#define IDB_EFFECT_BAR 284
#define IDB_ALIGN_BAR 285
#define IDB_SPLASH 327
#define IDB_FONT_GLYPHS 338          // the font list's two 16 x 15 glyphs: device font, TrueType
// The tool box's pickers: their cell strips and the zoom picker's cursors.
#define IDB_POINT_PICKER 187
#define IDB_ZOOM_PICKER 267
#define IDC_ZOOM_IN_CURSOR 268
#define IDC_ZOOM_OUT_CURSOR 269
#define IDC_ZOOM_RESET_CURSOR 296
#define IDC_ABOUT_VERSION 1000
// Controls of the property panel (dialog 143) and the gallery panel (dialog 145).
#define IDC_PROPERTY_NAMES 173
#define IDC_PROPERTY_TABS 180
#define IDC_PROPERTY_ADD 206
#define IDC_PROPERTY_CLEAR 203
#define IDC_GALLERY_TABS 198
#define IDC_ABOUT_MAKER 1001
#define IDC_ABOUT_YEARS 1002

// --- Strings ---
#define IDS_FORMAT_BAR_TITLE 4          // 格式化
#define IDP_OLE_INIT_FAILED 101
#define IDS_TOOLBOX_TITLE 115           // 工具箱
#define IDS_EFFECT_BAR_TITLE 118        // 效果栏
#define IDS_ALIGN_BAR_TITLE 285
#define IDS_OUT_OF_MEMORY 61599         // 内存不足
#define IDS_FOLDER_PICKER_TITLE AFX_IDS_FOLDER_PICKER_TITLE  // 目录选择
#define IDS_FOLDER_DIALOG_OK 61603      // 确定
#define IDS_PAGE_SETTINGS_TEXT 61609    // 参数设置
#define IDS_TAB_ACTIONS 61656           // 动作
#define IDS_TAB_APPEARANCE 61657        // 外观
#define IDS_TAB_INTERACTIONS 61658      // 交互
#define IDS_MAKER_KEY 61700             // the registry key: the maker's name
#define IDS_SPLASH_YEARS 61706
#define IDS_SPLASH_MAKER 61707
#define IDS_SPLASH_FACE 61731           // 仿宋_GB2312
#define IDS_GDIPLUS_MISSING 61907       // 请先安装GDI+再运行
#define IDS_PICTURE_LOAD_FAILED 61908   // a dropped file that is no picture
#define IDS_WEB_FOLDER_TITLE 61816      // 选择课件目录
#define IDS_CREATE_FILE_FAILED 61813    // 生成文件失败
#define IDS_CREATE_OUT_OF_MEMORY 61481  // 内存不足，不能创建新对象。
#define IDS_SAVE_FILE_TITLE 61733       // 保存文件
#define IDS_BITMAP_FILTER 61734         // 位图文件(*.bmp)|*.bmp|所有文件(*.*)|*.*||

// --- Publishing: the executable-package and installer dialogs ---
#define IDD_PACKAGE 102
#define IDD_SETUP_PACK 244
#define IDC_PAGE_LIST 251
#define IDC_OUTPUT_PATH 1001
#define IDC_ICON_COMBO 1020
#define IDC_BROWSE_OUTPUT 1022
#define IDC_SIZE_ESTIMATE 1025
#define IDC_BUILD_STATUS 1027
#define IDC_BUILD_PROGRESS 1030
#define IDC_ADD_FOLDER 1032
#define IDC_ADD_FILES 1035
#define IDC_SET_FIRST_PAGE 1036
#define IDC_EXE_NAME 1037
#define IDC_FIRST_PAGE 1038
#define IDC_DELETE_FILES 1039
#define IDC_BUILD 1042
#define IDS_COLUMN_NAME 63639           // 文件名称
#define IDS_COLUMN_SIZE 63640           // 文件大小
#define IDS_COLUMN_PATH 63641           // 地址
#define IDS_CHOOSE_PAGE_FOLDER 63642    // 选择目录
#define IDS_PAGE_FILTER 63643           // 页面(*.rvx)|*.rvx|所有文件 (*.*) |*.*||
#define IDS_OUTPUT_MISSING 63645        // 请确定安装程序位置!
#define IDS_NO_PAGES 63646              // 请选择课件页文件!
#define IDS_NO_FIRST_PAGE 63648         // 请确定首页!
#define IDS_EXE_NAME_MISSING 63649      // 请输入可执行程序名!
#define IDS_OUTPUT_BAD 63650            // 安装程序名有误,请重新输入!
#define IDS_UNKNOWN_ERROR 63651         // 未知错误
#define IDS_BUILD_DONE 63652            // 创建成功!
#define IDS_EXE_NAME_IS_PATH 63653      // 错误文件名!%s ...
#define IDS_EXE_NAME_BAD_CHARS 63654    // 错误文件名! %s ...
#define IDS_EXE_NAME_DOT 63655          // 文件名不能以.开头
#define IDS_ICON_NOT_WRITTEN 63647      // the copy's icon could not be replaced

// --- Publishing: the web page and the FTP upload ---
#define IDD_WEB_PAGE 131
#define IDB_FTP_UP 132                  // the browse dialog's up button
#define IDI_FTP_FOLDER 136              // a remote folder in the browse dialog's list
#define IDD_FTP_BROWSE 257
#define IDD_FTP_UPLOAD 258
#define IDC_WEB_TARGET 1009
#define IDC_WEB_PAGE_NAME 1011
#define IDC_WEB_FIRST_PAGE 1012
#define IDC_WEB_DELETE_FILES 1013
#define IDC_WEB_SET_FIRST_PAGE 1014
#define IDC_WEB_ADD_FOLDER 1024
#define IDC_WEB_ADD_FILES 1029
#define IDC_WEB_PAGE_LIST 1033
#define IDC_WEB_BROWSE_TARGET 1041
#define IDC_FTP_USER 1002
#define IDC_FTP_PASSWORD 1003
#define IDC_FTP_ADDRESS 1004            // the upload's address; the browse dialog's path
#define IDC_FTP_PORT 1005
#define IDC_FTP_ADD_FOLDER 1007
#define IDC_FTP_DELETE_FILES 1008
#define IDC_FTP_UP 1013
#define IDC_FTP_BROWSE 1014
#define IDC_FTP_PROGRESS 1030
#define IDC_FTP_LIST 1034               // the upload's files; the browse dialog's folders
#define IDC_FTP_ADD_FILES 1035
#define IDS_WEB_COLUMN_NAME 63656       // 页文件名
#define IDS_WEB_COLUMN_FOLDER 63657     // 所在目录
#define IDS_FTP_FILTER 63658            // 所有文件 (*.*) |*.*||
#define IDS_FIRST_PAGE_DELETED 63659    // 提示!您删除了首页!
#define IDS_WEB_TARGET_MISSING 63660    // 请选择要生成的课件目录
#define IDS_WEB_PAGE_NAME_MISSING 63661 // 请输入要创建的网页名
#define IDS_WEB_COPY_FAILED 63662       // 无法复制文件%s到%s
#define IDS_WEB_TARGET_BAD 63663        // 目录名错误,无法创建
#define IDS_FTP_NO_FILES 63664          // 请选择需要上传的文件!
#define IDS_FTP_USER_MISSING 63665      // 请输入用户名!
#define IDS_FTP_PASSWORD_MISSING 63666  // 请输入密码!
#define IDS_FTP_PORT_MISSING 63667      // 请输入端口!
#define IDS_FTP_ADDRESS_MISSING 63668   // 请输入地址!
#define IDS_FTP_SERVER_MISSING 63669    // 请至少输入服务器名或服务器地址!
#define IDS_FTP_SEND_FAILED 63670       // 发送%s 文件失败!
#define IDS_FTP_SENT 63671              // 传送完毕!
#define IDS_CABINET_HOST 63690          // the control's download server; empty: none

// --- Context menus of the page view ---
#define IDR_MENU_OBJECT 103             // an object under the pointer
#define IDR_MENU_PAGE 196               // the page, in a window
#define IDR_MENU_RUN 197                // a running page
#define IDR_MENU_VIDEO 199              // a video object
#define IDR_MENU_PAGE_FULL_SCREEN 203   // the page, full screen
#define IDR_MENU_GROUP 205              // a composite or glued object

// --- Status bar panes ---
#define ID_INDICATOR_PANE1 300
#define ID_INDICATOR_X 301
#define ID_INDICATOR_Y 302

// --- Bars (a bar's show/hide command is its window id) ---
#define ID_VIEW_STANDARD_BAR AFX_IDW_TOOLBAR     // 59392
#define ID_VIEW_STATUS AFX_IDW_STATUS_BAR        // 59393
#define ID_VIEW_TOOLBOX 115
#define ID_VIEW_EFFECT_BAR 118
#define ID_VIEW_FORMAT_BAR 139
#define ID_VIEW_ALIGN_BAR 244
#define ID_VIEW_PROPERTY_BAR 32877
#define ID_VIEW_PROGRAMME_BAR 32878

// --- Commands ---
#define ID_FILL_TOGGLE 273
#define ID_CLOSED_TOGGLE 274
#define ID_EXIT_RUN 32768
#define ID_TOOL_SELECT 32770
#define ID_TOOL_CROP 32771
#define ID_TOOL_PEN_COLOUR 32772
#define ID_TOOL_BRUSH 32773
#define ID_TOOL_COLOUR_PICKER 32774
#define ID_TOOL_FILL_COLOUR 32775
#define ID_TOOL_PICTURE 32776
#define ID_TOOL_TEXT 32777
#define ID_TOOL_LINE 32778
#define ID_TOOL_RECT 32779
#define ID_TOOL_ROUND_RECT 32780
#define ID_TOOL_ELLIPSE 32781
#define ID_TOOL_POLYGON 32782
#define ID_TOOL_CURVE 32783
#define ID_TOOL_POINT 32784
#define ID_TOOL_OLE_OBJECT 32785
#define ID_TOOL_ANIMATION 32786
#define ID_TOOL_SOUND 32787
#define ID_DASH_CAP_FLAT 32796
#define ID_DASH_CAP_ROUND 32797
#define ID_DASH_CAP_TRIANGLE 32798
#define ID_OBJECT_TO_FRONT 32802
#define ID_OBJECT_TO_BACK 32803
#define ID_OBJECT_FORWARD 32804
#define ID_OBJECT_BACKWARD 32805
#define ID_PAGE_CHANGED 32806
#define ID_VIEW_GRID 32808
#define ID_EDIT_PROPERTIES 32816
#define ID_VIEW_FULL_SCREEN 32819
#define ID_DASH_STYLE_SOLID 32853
#define ID_DASH_STYLE_DASH 32854
#define ID_DASH_STYLE_DOT 32855
#define ID_DASH_STYLE_DASH_DOT 32856
#define ID_DASH_STYLE_DASH_DOT_DOT 32857
#define ID_START_CAP_FIRST 32858
#define ID_START_CAP_LAST 32864
#define ID_END_CAP_FIRST 32867
#define ID_END_CAP_LAST 32873
#define ID_VIEW_AXES 32896
#define ID_PAUSE_RUN 32905
#define ID_ROTATE_LEFT 32906
#define ID_ROTATE_RIGHT 32907
#define ID_OBJECT_COMPOSE 32915
#define ID_OBJECT_DECOMPOSE 32916
#define ID_PAGE_SETTINGS 32917
#define ID_TEST_PAGE 32919
#define ID_MAKE_SETUP 32920
#define ID_TOGGLE_TRAJECTORY 32922
#define ID_TOOL_GLUE 32929
#define ID_OBJECT_UNGLUE 32930
#define ID_PREVIEW 32937
#define ID_WORKSPACE_SETTINGS 32943
#define ID_MAKE_EXE 32944
#define ID_ALIGN_LEFT 32945
#define ID_ALIGN_RIGHT 32946
#define ID_ALIGN_TOP 32947
#define ID_ALIGN_BOTTOM 32948
#define ID_CENTRE_VERTICALLY 32949
#define ID_CENTRE_HORIZONTALLY 32950
#define ID_SPACE_HORIZONTALLY 32951
#define ID_SPACE_VERTICALLY 32952
#define ID_SAME_WIDTH 32953
#define ID_SAME_HEIGHT 32954
#define ID_SAME_SIZE 32955
#define ID_ALIGN_CENTRE 32956
#define ID_MATCH_PICTURE_SIZE 32958
#define ID_TOOL_FUNCTION 32959
#define ID_RECORD_SOUND 32965
#define ID_EXPORT_COMPONENT 32966
#define ID_MAKE_WEB_PAGE 32967
#define ID_ADJUST_SHAPE 32968
#define ID_WEB_PUBLISH 32969
#define ID_DASH_CAP_MENU 32970
#define ID_TOOL_ZOOM 32973
#define ID_TOOL_ROTATE 32974
#define ID_TEXT_BOLD 32978
#define ID_TEXT_ITALIC 32979
#define ID_TEXT_UNDERLINE 32980
#define ID_TEXT_COLOUR 32981
#define ID_TEXT_ALIGN_LEFT 32982
#define ID_TEXT_ALIGN_CENTRE 32983
#define ID_TEXT_ALIGN_RIGHT 32984
#define ID_LOCK 32987
#define ID_EFFECT_BUTTON_32988 32988
#define ID_EFFECT_BUTTON_32989 32989
#define ID_OBJECT_SCALING 32990
#define ID_UNLOCK_ALL 32991
#define ID_LINE_COLOUR 33001
#define ID_FILL_COLOUR 33002
#define ID_DASH_STYLE_MENU 33003
#define ID_START_CAP_MENU 33004
#define ID_END_CAP_MENU 33005
#define ID_LINE_WIDTH 33006
#define ID_EFFECT_BUTTON_33007 33007
#define ID_EFFECT_BUTTON_33008 33008
#define ID_RECENT_PROGRAMME_FIRST 36001
#define ID_RECENT_PROGRAMME_LAST 36004
#define ID_HELP_TOPICS ID_HELP_FINDER    // 57667
#define ID_HELP_CONTENTS ID_HELP         // 57670

// The function definition dialog: its template, controls and texts.
#define IDD_FUNCTION_DEF 212
#define IDC_FUN_KIND 234
#define IDC_FUN_PARAMETER 1004
#define IDC_FUN_INDEPENDENT 1006
#define IDC_FUN_DEPENDENT 1009
#define IDC_FUN_FIRST_FORMULA 1010
#define IDC_FUN_SECOND_FORMULA 1005
#define IDC_FUN_FIRST_LABEL 264
#define IDC_FUN_SECOND_LABEL 236
#define IDC_FUN_END_KIND 230
#define IDC_FUN_LEFT 235
#define IDC_FUN_RIGHT 232
#define IDC_FUN_STEP 233
#define IDC_FUN_INTERVALS 1031
#define IDC_FUN_ADD 1002
#define IDC_FUN_DELETE 1040
#define IDS_FUN_KIND_FIRST 63770           // 常规函数, 参数方程, 极坐标方程
#define IDS_FUN_COLUMN_FIRST 63773         // 区间类型, 左端值, 右端值, 分割值
#define IDS_FUN_INTERVAL_UNDEFINED 63777   // 区间定义有误
#define IDS_FUN_MIN_STEP 63778             // 区间最小单位不能小于
#define IDS_FUN_OVERLAP 63779              // 区间不能重叠
#define IDS_FUN_PARAMETER_NOT_LETTER 63780 // 参变量必需为字母
#define IDS_FUN_FIRST_FORMULA_BAD 63781    // 自变量式语法有误
#define IDS_FUN_SECOND_FORMULA_BAD 63782   // 因变量式语法有误

// The media gallery, its thumbnail windows and the component-library output dialog
// (the sounds' thumbnail is the sound object's icon).
#define IDB_GALLERY_VIDEO 177
#define IDB_GALLERY_PICTURES 179
#define IDB_GALLERY_SHAPES 180
#define IDB_GALLERY_COMPONENTS 211
#define IDR_MENU_GALLERY 198               // one item: ID_WORKSPACE_SETTINGS
#define IDR_MENU_COMPONENT 245             // one item: ID_DELETE_COMPONENT
#define IDC_THUMBNAILS 1003
#define ID_DELETE_COMPONENT 32921          // 删除
#define IDD_LIB_OUTPUT 243
#define IDC_LIB_FILE 259
#define IDC_LIB_APPEND 260
#define IDC_LIB_NAME 261
#define IDC_LIB_CLEAR 262
#define IDC_LIB_NEW 263
#define IDC_LIB_BROWSE 211
#define IDS_GALLERY_VIDEO 61614            // 影像
#define IDS_GALLERY_SOUNDS 61617           // 声音
#define IDS_GALLERY_PICTURES 61618         // 图片
#define IDS_GALLERY_SHAPES 61654           // 图元
#define IDS_GALLERY_COMPONENTS 61810       // 积件
#define IDS_LIB_FILE_TITLE 61807           // 积件库文件
#define IDS_LIB_FILE_FILTER 61808          // 积件库文件(*.lib)|*.lib||
#define IDS_LIB_NAME_EMPTY 61812           // 库文件名不能为空
#define IDS_CONFIRM_DELETE_COMPONENT 61814 // 确要删除此项吗
#define IDS_LIB_SAME_FILE 63622            // 新库文件名必须与原库文件名不同

#include "resources/ColourControls.h"
#include "resources/FillEffects.h"
