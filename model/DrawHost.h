// CDrawHost: how the object model reaches the program that shows its page. Objects never
// hold their view, document or application; they ask the host of their thread. Each
// program installs one host on the thread that owns the page's window (the browser
// control one per thread), tests install their own.
#pragma once

#include "framework/core/Rect.h"
#include "framework/core/String.h"

class CDrawObj;
class CFunction;
class CDrawDoc;
class CView;

// The run modes a host reports.
constexpr int kModeRunning = 1;
constexpr int kModeEditing = 2;

// What a notice to the property panel says of its object (NotifyPropertyPanel).
constexpr WPARAM kPanelObjectSelected = 2;  // the panel shows the object's rows
constexpr WPARAM kPanelObjectAdded = 3;
constexpr WPARAM kPanelObjectRemoved = 4;
constexpr WPARAM kPanelSelectionChanged = 6;  // no object: the panel follows the selection

// The command that ends a run, posted to the active view's window.
constexpr UINT kExitRunCommand = 32768;
// The playback timer of the page view.
constexpr UINT kPlaybackTimerId = 3;

class CDrawHost {
 public:
  virtual ~CDrawHost() = default;

  // The view showing the page (never null while a page is shown) and its window, for
  // timers and posted commands.
  virtual CView* GetActiveView() = 0;
  virtual HWND GetViewWindow() = 0;
  // The page document of the active view, and the number of objects in it.
  virtual CDrawDoc* GetDocument() = 0;
  virtual int GetPageObjectCount() = 0;
  // Marks that document modified (editing only).
  virtual void SetPageModified() = 0;
  // kModeEditing or kModeRunning.
  virtual int GetMode() = 0;
  // The GDI+ smoothing mode every object draws with.
  virtual int GetSmoothingMode() = 0;
  virtual CString GetProgrammeFolder() = 0;
  virtual CString GetPageFolder() = 0;
  virtual void SetTargetMissing() = 0;

  // Repaints the object's area later, without erasing.
  virtual BOOL InvalidateObject(CDrawObj* object) = 0;
  virtual void SelectObject(CDrawObj* object, BOOL add) = 0;
  virtual void DeselectObject(CDrawObj* object) = 0;
  // Whether the active view has the object selected.
  virtual BOOL IsSelected(CDrawObj* object) = 0;
  // The first object of the page, in list order, whose name equals the name byte for
  // byte; with a non-zero filter only objects whose trajectory flag equals it.
  virtual CDrawObj* FindObjectByName(const CString& name, int trajectoryFilter) = 0;
  virtual void MoveSelectedBackward() = 0;
  virtual void MoveSelectedForward() = 0;

  // Playback bracket and clock. The tick counter and the break flag belong to the host,
  // so that two pages playing on two threads keep their own clocks.
  virtual BOOL StartObjects() = 0;
  virtual void StopObjects() = 0;
  virtual void StopRunFromAction() = 0;
  virtual void SetPlaybackClock(int tick) = 0;
  virtual BOOL IsPlaybackBreak() = 0;
  // Timer 3 of the active view: stopped, or (re)started with the period in milliseconds.
  virtual void KillPlaybackTimer() = 0;
  virtual void SetPlaybackTimer(UINT period) = 0;
  // Posts the exit command (kExitRunCommand) to the active view's window: the run ends
  // after the current tick.
  virtual void PostExitCommand() = 0;
  // Repaints the whole view later, without erasing.
  virtual void InvalidateView() = 0;
  // The view forgets a drag in progress and the object under the pointer.
  virtual void ClearDragState() = 0;
  // Closes the document's item that is active in place, when there is one.
  virtual void CloseInPlaceItem() = 0;
  // A page jump during a run, as this program loads pages (the editor and the browser
  // control from files or addresses, the player from its own package); the path arrives
  // lower-cased. 1 when the new page runs, 0 when it could not be opened or started.
  virtual BOOL GoToPage(const CString& path) = 0;
  // Whether page names reach GoToPage as written rather than lower-cased (a host that
  // loads pages from a web server, where names differ by case).
  virtual BOOL KeepsPageNameCase() { return FALSE; }

  // Conversions with the view's zoom and scroll; rectangle results are normalised.
  virtual void LPtoDP(CPoint& point) = 0;
  virtual void LPtoDPRect(CRect& rect) = 0;
  virtual void DPtoLPRect(CRect& rect) = 0;
  // A point of the view's client area in page units.
  virtual void DPtoLP(CPoint& point) {
    CRect at(point, point);
    DPtoLPRect(at);
    point = at.TopLeft();
  }

  // Editor services: the property panel and the frame's toggles and format bar. Hosts
  // without them (player, control) do nothing.
  virtual LRESULT NotifyPropertyPanel(WPARAM what, CDrawObj* object) = 0;
  // The same notice handled later, after the sender's own work (the select tool, the
  // fill toggle).
  virtual void PostPropertyPanel(WPARAM what, CDrawObj* object) {}
  virtual void SetClosedCheck(BOOL closed) = 0;
  virtual void SetFilledCheck(BOOL filled) = 0;
  virtual void SyncFormatBar() = 0;
  // Starts picking a point on the page for the selected object (the property grid's
  // control-point rows); 1 when picking started.
  virtual int BeginPickPoint() { return 0; }
  // The editor's function definition dialog on a plot's function: IDOK when the author
  // changed it. Hosts that do not edit pages answer IDCANCEL.
  virtual INT_PTR EditFunction(CFunction& function) { return IDCANCEL; }

  // Whether pages may run external programs and open absolute or network (UNC) page
  // paths. A host that plays pages from the web answers FALSE unless the hosting page
  // is itself a local file; the editor and the player answer TRUE.
  virtual BOOL AllowsLocalAccess() = 0;

  virtual BOOL FileExists(const CString& path) = 0;
  virtual CString ExistingDirPrefix(const CString& path) = 0;
};

// The host of the calling thread, or null when none is installed.
CDrawHost* GetDrawHost();
// Installs the host of the calling thread and returns the previous one.
CDrawHost* SetDrawHost(CDrawHost* host);

// The folder whose "\res" receives the files of the host's pages: the programme's, or
// before any run or save has set one, the shown page's own; empty when neither is known.
CString ProgrammeFolder();
