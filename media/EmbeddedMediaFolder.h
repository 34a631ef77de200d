// CEmbeddedMediaFolder: the private folder, under the system's temporary folder, in
// which one page keeps the copies of the sound and video files embedded in it. Players
// need real files under their own names (the extension chooses the device), so a copy
// keeps its bare name; pages, programs and objects sharing a name must still never
// overwrite or delete each other's copies, so every page has a folder of its own and
// same-named copies of one page go into numbered subfolders.
//
// A copy is shared by the objects that play it (a duplicate shares its original's) and
// deleted with the last of them; the folder goes with its page and its last copy.
#pragma once

#include <memory>
#include <vector>

#include "framework/core/String.h"

class CDrawDoc;

class CEmbeddedMediaFolder : public std::enable_shared_from_this<CEmbeddedMediaFolder> {
 public:
  // One copied file; deleted (with its subfolder) when the last holder lets it go.
  class Copy {
   public:
    Copy(std::shared_ptr<CEmbeddedMediaFolder> folder, int slot, const CString& path);
    ~Copy();
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;
    const CString& GetPath() const { return m_path; }

   private:
    std::shared_ptr<CEmbeddedMediaFolder> m_folder;
    int m_slot;
    CString m_path;
  };

  // A new, empty folder; null when none can be made.
  static std::shared_ptr<CEmbeddedMediaFolder> Create();
  // The folder of the page (made on first use and kept by the page), or a folder of its
  // own when there is no page. Null when no folder can be made.
  static std::shared_ptr<CEmbeddedMediaFolder> ForPage(CDrawDoc* page);

  ~CEmbeddedMediaFolder();
  CEmbeddedMediaFolder(const CEmbeddedMediaFolder&) = delete;
  CEmbeddedMediaFolder& operator=(const CEmbeddedMediaFolder&) = delete;

  const CString& GetPath() const { return m_path; }

  // Creates the file for a copy named name (a plain file name) and returns it open for
  // writing (GENERIC_WRITE) through file, or null when it cannot be created (the file
  // handle is then INVALID_HANDLE_VALUE). The copy owns the file from here on.
  std::shared_ptr<Copy> CreateCopy(const CString& name, HANDLE& file);
  // A copy of an existing file; null when it cannot be copied.
  std::shared_ptr<Copy> CopyFrom(const CString& source, const CString& name);

 private:
  explicit CEmbeddedMediaFolder(const CString& path) : m_path(path) {}
  // The first slot whose name is not taken by a live copy: 0 is the folder itself,
  // n > 0 its subfolder n. The subfolder is made.
  int ReserveSlot(const CString& lowerName, CString& folder);
  void ReleaseSlot(int slot, const CString& path);

  CString m_path;
  struct Entry {
    int slot;
    CString lowerName;
  };
  std::vector<Entry> m_live;
};
