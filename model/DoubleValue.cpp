#include "model/DoubleValue.h"

double CDoubleValue::GetValue() const {
  const double* storage = GetStorage();
  return storage ? *storage : 0.0;
}

void CDoubleValue::SetValue(double value) { SetStorage(new double(value)); }

CValue* CDoubleValue::CreateCopy() const { return new CDoubleValue(GetValue()); }
