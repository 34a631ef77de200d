// Identifiers of the framework's own texts (resources/FrameworkStrings.rc, which every
// program's resource script includes).
#pragma once

#define AFX_IDS_UNKNOWN_ERROR 0xF200
#define AFX_IDS_OUT_OF_MEMORY 0xF201
#define AFX_IDS_SAVE_FILE_FAILED 0xF202
#define AFX_IDS_ORIGINAL_UNCHANGED 0xF203
#define AFX_IDS_OPEN_FILE_FAILED 0xF204
#define AFX_IDS_SAVE_CHANGES 0xF205
#define AFX_IDS_SAVE_AS_TITLE 0xF206
#define AFX_IDS_SAVE_COPY_TITLE 0xF207
#define AFX_IDS_OPEN_TITLE 0xF208
#define AFX_IDS_ALL_FILES_FILTER 0xF209
#define AFX_IDS_NEW_DOCUMENT_FAILED 0xF20A
#define AFX_IDS_WINDOW_FAILED 0xF20B
#define AFX_IDS_UNKNOWN_FILE_KIND 0xF20C
#define AFX_IDS_PRINT_FAILED 0xF20D
#define AFX_IDS_ENTER_INTEGER 0xF20E
#define AFX_IDS_ENTER_NUMBER 0xF20F
#define AFX_IDS_INTEGER_RANGE 0xF210
#define AFX_IDS_UNSIGNED_RANGE 0xF211
#define AFX_IDS_NUMBER_RANGE 0xF212
#define AFX_IDS_TEXT_TOO_LONG 0xF213
#define AFX_IDS_PREVIEW_PAGE 0xF214  // "page %u" beside the preview's buttons
// The internet client's failures without a text of the system's own.
#define AFX_IDS_INTERNET_ERROR 0xF230

// The causes of file and archive exceptions, each cause's text at the first id plus
// the cause.
#define AFX_IDS_FILE_CAUSE_FIRST 0xF240
#define AFX_IDS_ARCHIVE_CAUSE_FIRST 0xF260

#ifndef RC_INVOKED
#include "framework/core/String.h"

// The framework's text of that id, from the program's string table.
inline CString FrameworkText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}
#endif
