// CDoubleValue: a variable's value that holds a number. It shares CValue's class
// record (it declares none of its own), so it is archived as a CValue.
#pragma once

#include "model/Value.h"

class CDoubleValue : public CValue {
 public:
  CDoubleValue() = default;
  explicit CDoubleValue(double value) { SetValue(value); }

  // The number held, or 0.0 before SetValue.
  double GetValue() const override;
  void SetValue(double value);
  CValue* CreateCopy() const override;
};
