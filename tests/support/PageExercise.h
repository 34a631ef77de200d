// What a program does with a page file someone gave it: read it with the editor's or
// the player's reader, paint it (in the editor also with every object selected, handles
// and all, as the editor's view paints a selection), play its transition and 40 ticks,
// paint it again and store it. Shared by the table of hostile pages and the mutation campaign: a page must
// come through this refused cleanly or played, never crash or hang.
#pragma once

#include <windows.h>

#include <vector>

#include "behaviour/RenderPageTransition.h"
#include "framework/core/Archive.h"
#include "framework/core/ArchiveException.h"
#include "framework/core/FileException.h"
#include "framework/core/MemFile.h"
#include "framework/core/UserException.h"
#include "framework/ui/DC.h"
#include "framework/ui/View.h"
#include "model/DrawDoc.h"
#include "tests/support/PageBitmap.h"
#include "tests/support/TestHost.h"

enum class PageOutcome { accepted, refused };

// The view a selection is painted for: the page draws the handles of the objects the
// host says are selected when the view it paints for is the active one.
class SelectionView : public CView {
 public:
  void OnDraw(CDC*) override {}
};

struct PageExerciseResult {
  PageOutcome outcome = PageOutcome::refused;
  std::vector<BYTE> stored;  // the page as it was stored after playing, when accepted
};

// Exceptions other than the archive's, the file's and the user's are not caught: they
// are not a clean refusal. Without play, the page is only read.
inline PageExerciseResult ExercisePage(const std::vector<BYTE>& bytes, CDrawDoc::Reader reader,
                                       const CString& pageFolder = CString(), bool play = true) {
  constexpr int kTicks = 40;
  PageExerciseResult result;
  CDrawDoc page(reader);
  try {
    CMemFile file(bytes);
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &page;
    page.Serialize(ar);
  } catch (const CArchiveException&) {
    return result;
  } catch (const CFileException&) {
    return result;
  } catch (const CUserException&) {
    return result;
  }
  result.outcome = PageOutcome::accepted;
  if (!play) return result;

  TestHost host;
  host.document = &page;
  host.mode = kModeRunning;
  // Nothing a page asks for leaves its folder: no program starts, no far page loads.
  host.allowsLocalAccess = FALSE;
  host.pageFolder = pageFolder;
  PageBitmap shown(320, 240), drawn(320, 240);
  CDC dc(drawn.dc());
  page.Draw(&dc, nullptr);
  if (reader == CDrawDoc::Reader::editor) {
    SelectionView view;
    host.mode = kModeEditing;
    host.activeView = &view;
    for (CDrawObj* o : host.Page()) host.selection.push_back(o);
    page.Draw(&dc, &view);
    host.selection.clear();
    host.activeView = nullptr;
    host.mode = kModeRunning;
  }
  if (page.m_transitionPending) {
    TransitionHooks hooks;
    hooks.pause = [](int) {};
    hooks.random = [] { return 12345; };
    const RECT box = {0, 0, 320, 240};
    RenderPageTransition(shown.dc(), drawn.dc(), box, page.m_transitionKind, page.m_transitionDirection,
                         page.m_transitionDelay, hooks);
  }
  host.StartObjects();
  for (int i = 0; i < kTicks && host.document == &page; ++i) host.Tick();
  page.Draw(&dc, nullptr);
  host.StopObjects();
  try {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &page;
    page.Serialize(ar);
    ar.Close();
    result.stored = file.Bytes();
  } catch (const CArchiveException&) {
    // More events or actions than the format counts: refused on storing.
  } catch (const CFileException&) {
  } catch (const CUserException&) {
  }
  return result;
}
