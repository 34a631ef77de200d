// CEmbeddedMedia: the bytes of a sound or video file carried inside a page, and the
// temporary copy they are played from. Both media objects hold one and write and read
// its record after the page's object list (the page's embedding mode 2):
//
//   name (string: the source's bare file name, or its path when it has no drive)
//   length L (u32; 0 when no bytes follow), kind (u32; ignored when reading), L bytes.
//
// Every record written is read back in step: a record is written whenever the object
// has a file name, and the reader consumes exactly L bytes whether it keeps them or not.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/core/String.h"
#include "media/EmbeddedMediaFolder.h"

class CArchive;
class CDrawDoc;

class CEmbeddedMedia {
 public:
  // Where a player finds the file of that file name: the name itself when it is a path,
  // otherwise the copy when there is one, otherwise the source path, or the bare name.
  CString PlayPath(const CString& fileName) const;

  // Writes the record. A source path with a drive that can be read gives its bytes; the
  // object then plays a copy of them in the page's folder (the returned path, which the
  // caller makes its file name) and the source path becomes the bare name. Otherwise the
  // record holds no bytes and an empty path is returned.
  CString Store(CArchive& ar, const CString& fileName, DWORD kind);
  // Reads the record. When the object's file name is bare and the record's name is a
  // plain file name with bytes, they become a copy in the page's folder and its path is
  // returned; otherwise the bytes are skipped and an empty path is returned (the object
  // keeps its name). A copy that cannot be written is shown in a message box when
  // report is set. Damaged data (a length past the end) throws the archive's exception.
  CString Load(CArchive& ar, const CString& fileName, BOOL report);

  // Before a page is stored: a file name that is a path becomes the source path and the
  // name a bare one; mode 0 copies the file into the programme's "\res" folder first
  // (keeping the path when that fails), mode 1 changes nothing.
  int CollectResources(CString& fileName, int mode);

  // A clone plays the same copy and embeds the same source.
  void ShareWith(CEmbeddedMedia& clone) const;
  // Forgets the copy (deleted once nothing else plays it).
  void Release() { m_copy.reset(); }

  BOOL IsEmbedded() const { return m_copy != nullptr; }
  CString GetCopyPath() const { return m_copy ? m_copy->GetPath() : CString(); }
  const CString& GetSourcePath() const { return m_sourcePath; }
  void SetSourcePath(const CString& path) { m_sourcePath = path; }
  DWORD GetEmbeddedLength() const { return m_embeddedLength; }

 private:
  CString m_sourcePath;
  std::shared_ptr<CEmbeddedMediaFolder::Copy> m_copy;
  DWORD m_embeddedLength = 0;
};

// The page a record is written or read for: the archive's document, else the host's.
CDrawDoc* PageOfArchive(CArchive& ar);
