#include "behaviour/GoToPageFile.h"

#include "behaviour/PageRun.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"

BOOL GoToPageFile(CDrawHost& host, const CString& path) {
  CDrawDoc* document = host.GetDocument();
  if (!document) return FALSE;
  host.KillPlaybackTimer();
  host.SetPlaybackClock(0);  // ends the walk over the old page's objects
  if (host.GetMode() != kModeEditing) host.StopObjects();

  if (document->IsShowingPage(path)) {
    host.ClearDragState();
    if (!host.StartObjects()) return FALSE;
    host.SetPlaybackTimer(CPageRun::kResumePeriod);
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
  host.SetPlaybackTimer(CPageRun::kResumePeriod);
  host.SetPlaybackClock(0);
  return TRUE;
}
