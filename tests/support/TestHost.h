// A host for the object model in tests: a page held as a plain list, a 1:1 y-up mapping
// to device units, and a record of what the objects asked of their host.
#pragma once

#include <vector>

#include "model/DrawHost.h"
#include "model/DrawObj.h"

class TestHost : public CDrawHost {
 public:
  TestHost() : m_previous(SetDrawHost(this)) {}
  ~TestHost() override { SetDrawHost(m_previous); }
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  CView* GetActiveView() override { return nullptr; }
  HWND GetViewWindow() override { return nullptr; }
  CDrawDoc* GetDocument() override { return nullptr; }
  int GetPageObjectCount() override { return static_cast<int>(objects.size()); }
  void SetPageModified() override { ++modifiedCount; }
  int GetMode() override { return mode; }
  int GetSmoothingMode() override { return 4; }  // anti-aliased
  CString GetProgrammeFolder() override { return programmeFolder; }
  CString GetPageFolder() override { return pageFolder; }
  void SetTargetMissing() override { targetMissing = true; }

  BOOL InvalidateObject(CDrawObj* object) override {
    invalidated.push_back(object);
    return TRUE;
  }
  void SelectObject(CDrawObj* object, BOOL add) override {
    if (!add) {
      for (CDrawObj* o : selection) o->OnDeselect(nullptr);
      selection.clear();
    }
    if (!object) return;
    for (CDrawObj* o : selection)
      if (o == object) return;
    if (object->m_locked) return;
    selection.push_back(object);
    object->OnSelect(nullptr);
    object->Invalidate();
  }
  void DeselectObject(CDrawObj* object) override {
    for (size_t i = 0; i < selection.size(); ++i)
      if (selection[i] == object) selection.erase(selection.begin() + static_cast<std::ptrdiff_t>(i--));
  }
  CDrawObj* FindObjectByName(const CString& name, int trajectoryFilter) override {
    for (CDrawObj* o : objects)
      if (o->m_name == name && (trajectoryFilter == 0 || o->m_trajectory == trajectoryFilter)) return o;
    return nullptr;
  }
  void MoveSelectedBackward() override {}
  void MoveSelectedForward() override {}

  BOOL StartObjects() override { return TRUE; }
  void StopObjects() override {}
  void StopRunFromAction() override { ++stopRequests; }
  void SetPlaybackClock(int tick) override {
    clock = tick;
    playbackBreak = TRUE;
  }
  BOOL IsPlaybackBreak() override { return playbackBreak; }

  // Device units are page units times the zoom, y growing downwards. Rectangles back in
  // page units are left un-normalised, as the views leave them.
  void LPtoDP(CPoint& p) override {
    p.x *= zoom;
    p.y *= -zoom;
  }
  void LPtoDPRect(CRect& r) override {
    r.left *= zoom;
    r.right *= zoom;
    r.top *= -zoom;
    r.bottom *= -zoom;
    r.NormalizeRect();
  }
  void DPtoLPRect(CRect& r) override {
    r.left /= zoom;
    r.right /= zoom;
    r.top /= -zoom;
    r.bottom /= -zoom;
  }

  LRESULT NotifyPropertyPanel(WPARAM what, CDrawObj* object) override {
    panelNotices.push_back({what, object});
    return 0;
  }
  void SetClosedCheck(BOOL closed) override { closedCheck = closed; }
  void SetFilledCheck(BOOL filled) override { filledCheck = filled; }
  void SyncFormatBar() override {}
  BOOL AllowsLocalAccess() override { return allowsLocalAccess; }
  BOOL FileExists(const CString& path) override { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
  CString ExistingDirPrefix(const CString& path) override { return path; }

  struct Notice {
    WPARAM what;
    CDrawObj* object;
  };

  int mode = kModeEditing;
  int zoom = 1;
  BOOL allowsLocalAccess = TRUE;
  std::vector<CDrawObj*> objects;  // the page, not owned
  std::vector<CDrawObj*> selection;
  std::vector<CDrawObj*> invalidated;
  std::vector<Notice> panelNotices;
  CString programmeFolder;
  CString pageFolder;
  int modifiedCount = 0;
  int stopRequests = 0;
  int clock = 0;
  BOOL playbackBreak = FALSE;
  BOOL closedCheck = FALSE;
  BOOL filledCheck = FALSE;
  bool targetMissing = false;

 private:
  CDrawHost* m_previous;
};
