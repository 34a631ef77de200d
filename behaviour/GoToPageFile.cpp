#include "behaviour/GoToPageFile.h"

#include "model/DrawDoc.h"
#include "model/DrawHost.h"

namespace {
constexpr UINT kJumpTimerPeriod = 55;  // ms
}  // namespace

BOOL GoToPageFile(CDrawHost& host, const CString& path) {
  CDrawDoc* document = host.GetDocument();
  if (!document) return FALSE;
  // Both sides lower-cased (character by character, so Chinese names survive).
  CString current = document->GetPathName();
  current.MakeLower();
  CString target = path;
  target.MakeLower();

  host.KillPlaybackTimer();
  host.SetPlaybackClock(0);  // ends the walk over the old page's objects
  if (host.GetMode() != kModeEditing) host.StopObjects();

  if (current == target) {
    host.ClearDragState();
    if (!host.StartObjects()) return FALSE;
    host.SetPlaybackTimer(kJumpTimerPeriod);
    return TRUE;
  }

  host.CloseInPlaceItem();
  host.ClearDragState();
  // The document reads the page beside the current one and takes it over only when the
  // whole page was read; the old objects are destroyed once the walk is over.
  if (!document->OnOpenDocument(path)) {
    host.StopRunFromAction();
    return FALSE;
  }
  if (!host.StartObjects()) return FALSE;
  host.SetPlaybackTimer(kJumpTimerPeriod);
  host.SetPlaybackClock(0);
  return TRUE;
}
