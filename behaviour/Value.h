// CValue: a named variable's value, kept in a drawing object's (or a user function's)
// map from names to values. A plain CValue holds no number and reads as 0.0; the
// number-holding kind is CDoubleValue.
//
// The archived record of a value is empty: a map of variables stores each name with a
// "CValue" class tag and nothing else, so every variable reads back as a plain CValue
// (value 0.0). Pages in circulation depend on that layout.
#pragma once

#include <memory>

#include "framework/core/MapStringToOb.h"
#include "framework/core/Object.h"

class CValue : public CObject {
  DECLARE_SERIAL(CValue)
 public:
  CValue() = default;
  ~CValue() override = default;
  CValue(const CValue&) = delete;
  CValue& operator=(const CValue&) = delete;

  // Takes ownership of storage (which may be null); a previous storage is freed.
  virtual void SetStorage(double* storage);
  // A plain value has no number.
  virtual double GetValue() const { return 0.0; }
  // A new value of the same kind holding the same number, owned by the caller.
  virtual CValue* CreateCopy() const;

  // Fills target with copies of source's values under the same names; a name already
  // in target has its old value deleted. Entries that are not values are skipped.
  static void CopyVariables(const CMapStringToOb& source, CMapStringToOb& target);
  // Deletes every value in the map and empties it.
  static void DeleteVariables(CMapStringToOb& map);
  // Reads a map of variables as the map archives itself, replacing what the map held,
  // but takes only new values: a page may come from the web, and a back reference or
  // another class there would leave two owners of one object.
  static void LoadVariables(CArchive& ar, CMapStringToOb& map);

 protected:
  const double* GetStorage() const { return m_storage.get(); }

 private:
  std::unique_ptr<double> m_storage;
};
