// CDrawView: the test run (F5, pause, the tools' commands around it).
#include <array>

#include "editor/DrawApp.h"
#include "editor/DrawTool.h"
#include "editor/DrawView.h"
#include "editor/MainFrame.h"
#include "framework/ui/CmdUI.h"
#include "media/DrawAnimate.h"
#include "model/DrawDoc.h"
#include "model/DrawHost.h"
#include "resources/KordelIds.h"

namespace {

// The tool commands and the shapes they make current.
struct ToolCommand {
  UINT id;
  int shape;
  bool available;  // false: the kind of object it makes is not in the editor yet
};
constexpr std::array<ToolCommand, 22> kToolCommands = {{
    {ID_TOOL_SELECT, kToolSelect, true},
    {ID_TOOL_CROP, kToolCapture, true},
    {ID_TOOL_PEN_COLOUR, kToolPenColour, true},
    {ID_TOOL_BRUSH, kToolBrush, true},
    {ID_TOOL_COLOUR_PICKER, kToolColourPicker, true},
    {ID_TOOL_FILL_COLOUR, kToolFillColour, true},
    {ID_TOOL_TEXT, kToolText, true},
    {ID_TOOL_PICTURE, kToolPicture, true},
    {ID_TOOL_LINE, kToolLine, true},
    {ID_TOOL_RECT, kToolRect, true},
    {ID_TOOL_ROUND_RECT, kToolRoundRect, true},
    {ID_TOOL_ELLIPSE, kToolEllipse, true},
    {ID_TOOL_POLYGON, kToolPolygon, true},
    {ID_TOOL_CURVE, kToolCurve, true},
    {ID_TOOL_POINT, kToolPoint, true},
    {ID_TOOL_OLE_OBJECT, kToolOleObject, false},
    {ID_TOOL_ANIMATION, kToolVideo, true},
    {ID_TOOL_SOUND, kToolSound, true},
    {ID_TOOL_GLUE, kToolGlue, true},
    {ID_TOOL_FUNCTION, kToolFunction, true},
    {ID_TOOL_ROTATE, kToolRotate, true},
    {ID_TOOL_ZOOM, kToolZoom, true},
}};

const ToolCommand* FindToolCommand(UINT id) {
  for (const ToolCommand& command : kToolCommands)
    if (command.id == id) return &command;
  return nullptr;
}

}  // namespace

void CDrawView::SetCurrentShape(int shape) {
  CDrawTool* current = CDrawTool::FindTool(s_nCurrentShape);
  if (current && current->IsBuilding()) current->OnCancel();
  s_nCurrentShape = shape;
}

int CDrawView::BeginPickPoint() {
  if (m_selection.IsEmpty() || Running()) return 0;
  SetCurrentShape(kToolPick);
  return 1;
}

void CDrawView::OnEditProperties() {
  if (m_selection.GetCount() != 1 || s_nCurrentShape != kToolSelect) return;
  if (CMainFrame* frame = Frame()) frame->ShowControlBar(&frame->m_wndPropertyBar, TRUE, FALSE);
  if (CDrawTool* tool = CDrawTool::FindTool(kToolSelect)) tool->OnEditProperties(this);
}

void CDrawView::OnUpdateEditProperties(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_selection.GetCount() == 1 && s_nCurrentShape == kToolSelect && !Running());
}

void CDrawView::OnToolCommand(UINT nID) {
  const ToolCommand* command = FindToolCommand(nID);
  if (!command || !command->available) return;
  SetCurrentShape(command->shape);
  if (command->shape == kToolSelect) SetZoomMode(0);
  if (command->shape == kToolCapture) CDrawTool::c_selectMode = kSelectNetSelect;
  // The zoom and point tools open their picker under the tool box's button.
  CMainFrame* frame = Frame();
  if (frame && frame->m_wndToolBox.IsVisible()) {
    if (command->shape == kToolZoom) frame->m_wndToolBox.ShowZoomPicker();
    if (command->shape == kToolPoint) frame->m_wndToolBox.ShowPointPicker();
  }
}

void CDrawView::OnUpdateToolCommand(CCmdUI* pCmdUI) {
  const ToolCommand* command = FindToolCommand(pCmdUI->m_nID);
  // Gluing needs at least two selected objects to pin together.
  const bool glueable = !command || command->shape != kToolGlue || m_selection.GetCount() >= 2;
  pCmdUI->Enable(command && command->available && !Running() && glueable);
  pCmdUI->SetRadio(command && s_nCurrentShape == command->shape);
}

void CDrawView::OnTestPage() {
  CDrawDoc* doc = GetDocument();
  CDrawApp* app = GetDrawApp();
  // A second F5 during a run would save the running state over the editing state.
  if (!doc || !app || Running()) return;
  if (!doc->SaveModified()) return;
  // After the prompt: a page saved there for the first time runs from its new folder.
  const CString path = doc->GetPathName();
  const int slash = path.ReverseFind('\\');
  app->m_strPageFolder = slash > 0 ? path.Left(slash + 1) : CString();

  SetCurrentShape(kToolSelect);  // a figure still being drawn is not run half-built
  Select(nullptr, FALSE);
  SetFocus();
  m_run.GetClock().SetTick(4);
  CMainFrame* frame = Frame();
  if (frame) frame->m_wndGalleryPanel.SetWindowsEnabled(FALSE);
  if (frame && !frame->IsFullScreen()) frame->SendMessage(WM_COMMAND, ID_VIEW_FULL_SCREEN);
  if (!StartObjects()) {
    // The objects that did prepare are put back at once; the window waits for Esc.
    StopObjects();
    return;
  }
  Invalidate(FALSE);
  app->m_nMode = kModeRunning;
  m_run.SetTimer(CPageRun::kResumePeriod);
  m_run.GetClock().SetTick(0);
}

void CDrawView::OnPauseRun() {
  if (Running()) m_run.TogglePause();
}

void CDrawView::OnPreview() {
  auto* video = dynamic_cast<CDrawAnimate*>(GetLastSelected());
  if (!video) return;
  video->SetPreview();
  InvalObj(video);
}

void CDrawView::OnUpdatePauseRun(CCmdUI* pCmdUI) {
  pCmdUI->Enable(Running());
  pCmdUI->SetCheck(m_run.IsPaused() ? 1 : 0);
}
