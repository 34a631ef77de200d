// The test control's class id and the id of its default source of events.
#pragma once

#include <windows.h>

// {0F3998CF-FF72-4069-93D0-69AB5096FE1F}
const CLSID CLSID_TestControl = {0x0f3998cf, 0xff72, 0x4069, {0x93, 0xd0, 0x69, 0xab, 0x50, 0x96, 0xfe, 0x1f}};
#define TEST_CONTROL_CLSID_TEXT "{0F3998CF-FF72-4069-93D0-69AB5096FE1F}"
// {5BF09D61-4C6C-4F40-BEC9-F4621174CA46}
const IID DIID_TestControlEvents = {0x5bf09d61, 0x4c6c, 0x4f40, {0xbe, 0xc9, 0xf4, 0x62, 0x11, 0x74, 0xca, 0x46}};
