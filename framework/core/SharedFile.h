// CSharedFile: a file held in global memory that can be handed to the clipboard or to a
// drag (moveable and DDE-shareable by default). Writing grows the block by whole steps;
// Detach hands the block over, and SetHandle reads (or writes) a block given by others.
#pragma once

#include <windows.h>

#include "framework/core/File.h"

class CSharedFile : public CFile {
 public:
  explicit CSharedFile(UINT nAllocFlags = GMEM_MOVEABLE | GMEM_DDESHARE, UINT nGrowBytes = 4096);
  ~CSharedFile() override;

  // Takes a block: its whole size is the file's length. With bAllowGrow the file may
  // write past it (the block is reallocated); otherwise writing there fails. The file
  // owns the block until Detach, and frees it when closed or destroyed.
  void SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow = TRUE);
  // Hands the block over (trimmed to the length written) and leaves the file empty.
  HGLOBAL Detach();

  BOOL Open(const char*, UINT, CFileException* error = nullptr) override;
  void Close() override;
  void Abort() override;
  UINT Read(void* buffer, UINT count) override;
  void Write(const void* buffer, UINT count) override;
  ULONGLONG Seek(LONGLONG offset, UINT from) override;
  ULONGLONG GetPosition() const override { return m_nPosition; }
  ULONGLONG GetLength() const override { return m_nFileSize; }
  void SetLength(ULONGLONG length) override;
  void Flush() override {}

 private:
  void Release();
  // Makes the block at least that large (in whole growth steps).
  void GrowTo(SIZE_T size);

  UINT m_nAllocFlags;
  UINT m_nGrowBytes;
  BOOL m_bAllowGrow = TRUE;
  HGLOBAL m_hGlobal = nullptr;
  BYTE* m_lpBuffer = nullptr;  // locked while the file holds the block
  SIZE_T m_nBufferSize = 0;
  SIZE_T m_nFileSize = 0;
  SIZE_T m_nPosition = 0;
};
