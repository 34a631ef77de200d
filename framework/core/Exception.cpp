#include "framework/core/Exception.h"

#include "framework/core/MessageBox.h"

int CException::ReportError(UINT nType) const { return AfxMessageBox(GetErrorMessage(), nType); }
