// A copy through the shell's file operation: a source list and a destination list of
// paths, each path closed by a NUL and each list by a second NUL.
#pragma once

#include <vector>

#include "framework/core/AfxTypes.h"

class CShellFileOp {
 public:
  enum List { source = 0, destination = 1 };

  CShellFileOp();
  CShellFileOp(CShellFileOp&&) = default;
  CShellFileOp& operator=(CShellFileOp&&) = default;
  CShellFileOp(const CShellFileOp&) = delete;
  CShellFileOp& operator=(const CShellFileOp&) = delete;

  // list 0 is the source list, 1 the destination list.
  void AddPath(int list, const char* path);
  void SetFlags(UINT flags) { m_flags = flags; }
  // Copies the sources to the destinations with no owner window: 0 on success, otherwise
  // the shell's error (ERROR_CANCELLED when the shell reports an aborted operation).
  int Copy();

  // The list as the shell takes it, double-NUL terminated, in the programs' code page.
  const std::vector<char>& GetList(int list) const { return list == source ? m_source : m_destination; }

 private:
  std::vector<char> m_source;
  std::vector<char> m_destination;
  UINT m_flags = 0;
};
