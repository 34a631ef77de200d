// CStringArray: a growable array of strings.
#pragma once

#include "framework/core/Array.h"
#include "framework/core/String.h"

class CStringArray : public CArray<CString, const CString&> {};
