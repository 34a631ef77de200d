// CPictureSnapshot: an object's picture name and decoded picture, kept while a run or
// an effect may change them and given back afterwards. A picture embedded in a page
// lives only in memory (its name is bare and its temporary file is gone), so releasing
// it to be "reloaded" would lose it; the snapshot keeps the original picture itself and
// the object draws from a copy in the meantime, which anything may replace or release.
#pragma once

#include "framework/core/String.h"

class CDrawObj;
class CPicture;

class CPictureSnapshot {
 public:
  CPictureSnapshot() = default;
  ~CPictureSnapshot();
  CPictureSnapshot(const CPictureSnapshot&) = delete;
  CPictureSnapshot& operator=(const CPictureSnapshot&) = delete;

  bool IsTaken() const { return m_taken; }
  const CString& File() const { return m_file; }

  // Remembers the object's picture name and takes its picture, leaving a copy in its
  // place. A snapshot taken before and not given back is replaced.
  void Take(CDrawObj& object);
  // Puts the remembered name back and, when a picture was taken, that very picture
  // (the copy or whatever replaced it is released). Without a picture, a changed name
  // releases the current one so that the remembered name loads on the next draw.
  // Returns whether anything changed; does nothing when no snapshot was taken.
  bool GiveBack(CDrawObj& object);

 private:
  void Clear();

  bool m_taken = false;
  CString m_file;
  CPicture* m_picture = nullptr;
  int m_keyApplied = 0;
};
