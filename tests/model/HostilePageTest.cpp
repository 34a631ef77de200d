// Pages whose values no author would make (huge coordinates, angles and widths, counts
// that lie): each is read by the editor and the player, painted, played and stored
// without a crash, or refused with its message. The files in tests/model/hostile are
// inputs the mutation campaign found; the table below holds the faults reported by hand.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/File.h"
#include "model/DrawLine.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/DrawText.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PageExercise.h"

namespace {

std::vector<BYTE> PageWith(CDrawObj* object) {
  CDrawDoc page;
  object->m_name = "hostile";
  page.m_objects.AddTail(object);
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  ar.m_pDocument = &page;
  page.Serialize(ar);
  ar.Close();
  return file.Bytes();
}

// Played by both readers; what was stored after playing is a page both read again.
void ExpectPlayedOrRefused(const std::vector<BYTE>& bytes) {
  for (CDrawDoc::Reader reader : {CDrawDoc::Reader::editor, CDrawDoc::Reader::player}) {
    SCOPED_TRACE(reader == CDrawDoc::Reader::editor ? "editor" : "player");
    MessageBoxCapture boxes(IDCANCEL);
    const PageExerciseResult result = ExercisePage(bytes, reader);
    if (result.outcome == PageOutcome::accepted && !result.stored.empty())
      EXPECT_EQ(PageOutcome::accepted, ExercisePage(result.stored, reader).outcome);
  }
}

CDrawRect* Shape(int shape, const CRect& where) {
  auto* o = new CDrawRect(CRect(-40, 30, 40, -30));
  o->m_shape = shape;
  o->m_position = where;
  return o;
}

CDrawPoly* Poly(int kind, std::vector<CPoint> points) {
  auto* o = new CDrawPoly(CRect(-40, 30, 40, -30));
  o->m_polyKind = kind;
  for (const CPoint& p : points) o->AddPoint(p, nullptr);
  return o;
}

// A move along a short track from the start: the object is stepped and painted moving.
CDrawObj* Moving(CDrawObj* o) {
  CMethod move;
  move.m_nType = CMethod::typeTranslate;
  move.m_nDuration = 1000;
  move.m_nActivation = 0;
  move.m_nSpeed = 7;
  move.m_bLoop = TRUE;
  CMethod turn;
  turn.m_nType = CMethod::typeRotate;
  turn.m_nDuration = 1000;
  turn.m_nActivation = 0;
  turn.m_nEndAngle = INT_MAX;
  o->m_actions.Add(move);
  o->m_actions.Add(turn);
  o->m_actionMask = CMethod::typeTranslate | CMethod::typeRotate;
  return o;
}

TEST(HostilePage, ValuesNoAuthorMakesArePaintedPlayedOrSkipped) {
  const struct {
    const char* what;
    std::function<CDrawObj*()> make;
  } rows[] = {
      {"ellipse sector of huge start and sweep",
       [] {
         CDrawRect* o = Shape(kShapeEllipse, CRect(-40, 30, 40, -30));
         o->m_shapeParam3 = -2013235812;
         o->m_shapeParam4 = -29891524;
         return o;
       }},
      {"rectangle with a huge right", [] { return Shape(kShapeRectangle, CRect(-40, 30, 16776996, -30)); }},
      {"rounded rectangle with a huge negative bottom",
       [] { return Shape(kShapeRoundRectangle, CRect(-40, 30, 40, -268435456)); }},
      {"ellipse with a huge negative left", [] { return Shape(kShapeEllipse, CRect(-654311724, 30, 40, -30)); }},
      {"rectangle spanning the whole range", [] { return Shape(kShapeRectangle, CRect(INT_MIN, INT_MAX, INT_MAX, INT_MIN)); }},
      {"rounded rectangle with huge corners",
       [] {
         CDrawRect* o = Shape(kShapeRoundRectangle, CRect(-40, 30, 40, -30));
         o->m_cornerWidth = o->m_cornerHeight = INT_MAX;
         return o;
       }},
      {"rectangle with a huge pen",
       [] {
         CDrawRect* o = Shape(kShapeRectangle, CRect(-40, 30, 40, -30));
         o->m_pen.lopnWidth = {INT_MAX, INT_MAX};
         return o;
       }},
      // The editor draws a selected trajectory's end handles with its pen.
      {"trajectory with a huge pen and far ends",
       [] {
         CDrawRect* o = Shape(kShapeEllipse, CRect(-40, 30, 40, -30));
         o->ToggleTrajectory();
         o->m_pen.lopnWidth = {INT_MAX, INT_MAX};
         o->m_shapeParam1 = INT_MIN;
         o->m_shapeParam2 = 5;
         o->m_position = CRect(-2000000000, 30, 40, -2100000000);
         return o;
       }},
      // Wide enough to be made, too wide for the handles' outline to be built in time.
      {"trajectory with a pen of 2^24",
       [] {
         CDrawRect* o = Shape(kShapeRectangle, CRect(-120, 90, 120, -90));
         o->ToggleTrajectory();
         o->m_pen.lopnWidth = {16777217, 0};
         return o;
       }},
      {"moving line with a far end", [] { return Moving(new CDrawLine(CRect(-20, 0, 2000000000, -1500000000))); }},
      {"moving polygon with far vertices",
       [] { return Moving(Poly(kPolyLines, {{0, 0}, {2100000000, 5}, {-2100000000, 1900000000}})); }},
      {"moving curve with far vertices",
       [] { return Moving(Poly(kPolyCurve, {{0, 0}, {-2000000000, -2000000000}, {2000000000, 7}, {3, 2000000000}})); }},
      {"text with a huge font in a huge box",
       [] {
         auto* o = new CDrawText(CRect(-2000000000, 2000000000, 2000000000, -2000000000));
         o->m_displayText = "text";
         o->m_logFont.lfHeight = INT_MIN;
         return o;
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    CDrawObj* object = row.make();
    ExpectPlayedOrRefused(PageWith(object));
  }
}

std::vector<std::string> FixtureNames() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = ::FindFirstFileA(HOSTILE_PAGE_DIR "/*", &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (::FindNextFileA(find, &found));
  ::FindClose(find);
  return names;
}

std::vector<BYTE> ReadFixture(const std::string& name) {
  CFile file((std::string(HOSTILE_PAGE_DIR "/") + name).c_str(), CFile::modeRead);
  std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
  if (!bytes.empty()) file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
  return bytes;
}

TEST(HostilePage, CampaignFindingsArePlayedOrRefused) {
  for (const std::string& name : FixtureNames()) {
    SCOPED_TRACE(name);
    const std::vector<BYTE> bytes = ReadFixture(name);
    ExpectPlayedOrRefused(bytes);
    // Opened as a file, a refused page says why once and leaves the document empty.
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const CString path = CString(temp) + "hostile-fixture.rvx";
    {
      CFile file(path, CFile::modeCreate | CFile::modeWrite);
      file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    }
    MessageBoxCapture boxes(IDCANCEL);
    CDrawDoc page;
    if (!page.OnOpenDocument(path)) {
      EXPECT_EQ(1u, boxes.boxes().size());
      EXPECT_TRUE(page.m_objects.IsEmpty());
    }
    ::DeleteFileA(path);
  }
}

}  // namespace
