// CDataTextSource: an object whose text a set-data action can take as its data (a text
// object gives the text it shows: the calculator display or the typed answer). Objects
// of the rectangle family give their caption without this interface.
#pragma once

#include "framework/core/String.h"

class CDataTextSource {
 public:
  virtual CString GetDataText() = 0;

 protected:
  CDataTextSource() = default;
  ~CDataTextSource() = default;  // never deleted through this interface
  CDataTextSource(const CDataTextSource&) = default;
  CDataTextSource& operator=(const CDataTextSource&) = default;
};
