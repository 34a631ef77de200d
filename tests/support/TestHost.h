// A host for the object model in tests: a page held as a plain list (or, for page jumps,
// a page document), a 1:1 y-up mapping to device units, a playback clock driven tick by
// tick, and a record of what the objects asked of their host.
#pragma once

#include <vector>

#include "behaviour/GoToPageFile.h"
#include "framework/core/ObList.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "model/DrawObj.h"
#include "model/PlaybackClock.h"

class TestHost : public CDrawHost {
 public:
  TestHost() : m_previous(SetDrawHost(this)) {}
  ~TestHost() override { SetDrawHost(m_previous); }
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  CView* GetActiveView() override { return activeView; }
  HWND GetViewWindow() override { return nullptr; }
  CDrawDoc* GetDocument() override { return document; }
  int GetPageObjectCount() override { return static_cast<int>(Page().size()); }
  void SetPageModified() override { ++modifiedCount; }
  int GetMode() override { return mode; }
  int GetSmoothingMode() override { return 4; }  // anti-aliased
  CString GetProgrammeFolder() override { return programmeFolder; }
  CString GetPageFolder() override { return pageFolder; }
  void SetTargetMissing() override { targetMissing = true; }
  int BeginPickPoint() override {
    ++pickPointCount;
    return 1;
  }

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
  BOOL IsSelected(CDrawObj* object) override {
    for (CDrawObj* o : selection)
      if (o == object) return TRUE;
    return FALSE;
  }
  CDrawObj* FindObjectByName(const CString& name, int trajectoryFilter) override {
    for (CDrawObj* o : Page())
      if (o->m_name == name && (trajectoryFilter == 0 || o->m_trajectory == trajectoryFilter)) return o;
    return nullptr;
  }
  void MoveSelectedBackward() override {}
  void MoveSelectedForward() override {}

  // As the editor's view does it.
  BOOL StartObjects() override {
    ++starts;
    selection.clear();
    targetMissing = false;
    for (CDrawObj* o : Page()) o->SavePlayState(nullptr, nullptr);
    return !targetMissing;
  }
  void StopObjects() override {
    ++stops;
    for (CDrawObj* o : Page()) o->RestorePlayState(nullptr);
    InvalidateView();
    clock.SetTick(0);
  }
  void StopRunFromAction() override {
    ++stopRequests;
    KillPlaybackTimer();
    clock.SetTick(0);
    if (mode != kModeEditing) StopObjects();
  }
  void SetPlaybackClock(int tick) override { clock.SetPlaybackClock(tick); }
  BOOL IsPlaybackBreak() override { return clock.IsPlaybackBreak(); }
  void KillPlaybackTimer() override { timerPeriod = 0; }
  void SetPlaybackTimer(UINT period) override { timerPeriod = period; }
  void PostExitCommand() override { ++exitCommands; }
  void InvalidateView() override { ++viewInvalidations; }
  void ClearDragState() override { ++dragClears; }
  void CloseInPlaceItem() override {}
  BOOL GoToPage(const CString& path) override {
    jumps.push_back(path);
    return GoToPageFile(*this, path);
  }

  // One message of timer 3.
  void Tick() {
    if (document) {
      clock.OnTimer(*this, document->m_objects, nullptr);
    } else {
      CObList page;
      for (CDrawObj* o : objects) page.AddTail(o);
      clock.OnTimer(*this, page, nullptr);
    }
  }
  // The objects of the page: the document's when one is set.
  std::vector<CDrawObj*> Page() const {
    if (!document) return objects;
    std::vector<CDrawObj*> page;
    for (POSITION pos = document->m_objects.GetHeadPosition(); pos;)
      page.push_back(static_cast<CDrawObj*>(document->m_objects.GetNext(pos)));
    return page;
  }

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
  void SyncFormatBar() override { ++formatBarSyncs; }
  BOOL AllowsLocalAccess() override { return allowsLocalAccess; }
  BOOL FileExists(const CString& path) override { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
  CString ExistingDirPrefix(const CString& path) override { return path; }

  struct Notice {
    WPARAM what;
    CDrawObj* object;
  };

  int mode = kModeEditing;
  CView* activeView = nullptr;
  int zoom = 1;
  BOOL allowsLocalAccess = TRUE;
  std::vector<CDrawObj*> objects;  // the page, not owned
  CDrawDoc* document = nullptr;     // when set, the page instead of objects
  std::vector<CDrawObj*> selection;
  std::vector<CDrawObj*> invalidated;
  std::vector<Notice> panelNotices;
  CString programmeFolder;
  CString pageFolder;
  int modifiedCount = 0;
  int pickPointCount = 0;
  int formatBarSyncs = 0;
  int stopRequests = 0;
  int starts = 0;
  int stops = 0;
  int exitCommands = 0;
  int viewInvalidations = 0;
  int dragClears = 0;
  UINT timerPeriod = 0;  // 0: timer 3 stopped
  std::vector<CString> jumps;
  CPlaybackClock clock;
  BOOL closedCheck = FALSE;
  BOOL filledCheck = FALSE;
  bool targetMissing = false;

 private:
  CDrawHost* m_previous;
};
