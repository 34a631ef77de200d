// CMetaFileDC: a device context that records into a Windows or enhanced metafile.
// Create or CreateEnhanced opens the recording; Close or CloseEnhanced ends it and hands
// the metafile to the caller, who deletes it. A recording still open when the object
// dies is ended and its metafile deleted.
#pragma once

#include <windows.h>

#include "framework/ui/DC.h"

class CMetaFileDC : public CDC {
 public:
  CMetaFileDC() = default;
  ~CMetaFileDC() override { Discard(); }

  // A Windows metafile in memory (fileName null) or in that file.
  BOOL Create(const char* fileName = nullptr) {
    Discard();
    m_hDC = ::CreateMetaFileA(fileName);
    m_enhanced = false;
    return m_hDC != nullptr;
  }
  // An enhanced metafile; bounds in 0.01 mm, null to measure what is drawn.
  BOOL CreateEnhanced(CDC* reference, const char* fileName, const RECT* bounds, const char* description) {
    Discard();
    m_hDC = ::CreateEnhMetaFileA(reference ? reference->GetSafeHdc() : nullptr, fileName, bounds, description);
    m_enhanced = true;
    return m_hDC != nullptr;
  }

  HMETAFILE Close() {
    if (!m_hDC || m_enhanced) return nullptr;
    return ::CloseMetaFile(Detach());
  }
  HENHMETAFILE CloseEnhanced() {
    if (!m_hDC || !m_enhanced) return nullptr;
    return ::CloseEnhMetaFile(Detach());
  }

 private:
  void Discard() {
    if (!m_hDC) return;
    if (m_enhanced) {
      if (HENHMETAFILE h = ::CloseEnhMetaFile(Detach())) ::DeleteEnhMetaFile(h);
    } else {
      if (HMETAFILE h = ::CloseMetaFile(Detach())) ::DeleteMetaFile(h);
    }
  }

  bool m_enhanced = false;
};
