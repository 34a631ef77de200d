// Resource ids of setup, the installer of a published programme. Shared by its resource
// script and its sources, so this header holds nothing but #defines.
#pragma once

#define IDD_SETUP_ABOUTBOX         100
#define IDD_INSTALL                102
#define IDI_SETUP                  128

// Controls of the installation dialog.
#define IDC_GROUP_NAME             1000
#define IDC_INSTALL_FOLDER         1001
#define IDC_BROWSE_FOLDER          1002
#define IDC_INSTALL_PROGRESS       1003
#define IDC_INSTALL_STATUS         1004
#define IDC_PROGRAMME_NAME         1005

// The about entry of the system menu (its low four bits are the system's own).
#define IDM_SETUP_ABOUT            0x10

// Strings.
#define IDS_SETUP_ABOUT            101    // 关于安装(&A)...
#define IDS_CHOOSE_FOLDER          102    // 选择目录
#define IDS_FOLDER_EMPTY           104    // 目录不能为空
#define IDS_CREATING_GROUP         117    // 创建程序组
#define IDS_ASK_DESKTOP_LINK       118    // 是否在桌面添加快捷方式?
