// CDrawObj: the base of every object that can stand on a page. It holds what all kinds
// share (rectangles, rotation, pen and brush, caption, events, actions, variables and
// expression, playback state) and declares, in one fixed order, the operations through
// which the editor, the playback clock and the property panel drive every kind.
#pragma once

#include <windows.h>
#include <objidl.h>  // gdiplus.h needs it first
#include <gdiplus.h>

#include "framework/core/Array.h"
#include "framework/core/MapStringToOb.h"
#include "framework/core/Rect.h"
#include "model/DoublePoint.h"
#include "model/Expression.h"
#include "model/HPEvent.h"
#include "model/Method.h"

class CArchive;
class CDC;
class CView;
class CDrawDoc;
class CDrawCompObj;
class CDrawJoinObj;
class CPicture;
class CPropGrid;

// Bits of m_flags.
constexpr DWORD kFlagCompositeMember = 0x1;
constexpr DWORD kFlagCompositeMember2 = 0x2;
constexpr DWORD kFlagGlueMember = 0x8;
constexpr DWORD kFlagEffectRunning = 0x100;

// The version every record is stored with; older versions stop after the rotation centre.
constexpr WORD kDrawObjVersion = 0x0101;

class CDrawObj : public CObject {
  DECLARE_SERIAL(CDrawObj)

 public:
  CDrawObj();
  explicit CDrawObj(const CRect& position);
  ~CDrawObj() override;
  CDrawObj(const CDrawObj&) = delete;
  CDrawObj& operator=(const CDrawObj&) = delete;

  // Non-virtual operations.
  void DrawHandle(CDC* dc, int x, int y, int r, int shape, COLORREF colour);
  void SetDashCap(int cap);
  void SetDashStyle(int style);
  void SetColour(COLORREF colour, int kind);
  void SetLineWidth(int width);
  void ToggleTrajectory();
  void SetColourKey(COLORREF colour);
  // Visibility and layer back from their snapshot (SaveVisibilityLayer), without the
  // repaint RevertVisibilityLayer asks for; composites restore their members with it.
  void RestoreVisibilityLayer();
  // Appearance effects. SetEffectParams stores the running effect's kind, direction,
  // step, raster operation and delay between frames (in m_framePeriod), then repaints.
  void SetEffectParams(int kind, int direction, int step, int rop, int delay);
  // The name an action of that type takes on the actions page: an edited action keeps
  // the name of the one at m_selectedAction; a new one is the type's name followed by the
  // first number from 1 + the count of that type's actions that no action bears.
  CString NameAction(DWORD type);
  // The page area the effect works in: the bounding box of the turned corners,
  // normalised and widened by the pen width on every side.
  CRect GetEffectRect() const;
  // Ticks an effect of that kind, direction, delay and step lasts on this object:
  // frames times delay; 0 for a step below 1 or a kind or direction without frames.
  int GetEffectLength(int kind, int direction, int delay, int step) const;
  // Whether the object is a member of a composite or glued object (bits 0, 1 and 3 of
  // m_flags). Its owner is the composite when set, else the glued object, else none;
  // GetMemberOwner answers only for members, whose names are looked up among their
  // owner's members (a member without an owner looks names up on the page).
  BOOL IsMember() const { return (m_flags & (kFlagCompositeMember | kFlagCompositeMember2 | kFlagGlueMember)) != 0; }
  CDrawObj* GetOwner() const;
  CDrawObj* GetMemberOwner() const;
  // Shows the next frame of an animated picture.
  void StepGifFrame();

  // Picture fills of the shapes: the fill picture decoded when first needed (once, and
  // again when the colour key changed since it was keyed), drawn into the path.
  void LoadPictureIfNeeded();
  void DrawPictureFill(Gdiplus::Graphics& graphics, Gdiplus::GraphicsPath& path);
  // The area the outline covers once turned about the rotation centre and stroked with
  // the pen, outward to whole units; the pen-inflated rectangle when it has none.
  CRect TurnedPathBounds(Gdiplus::GraphicsPath& path);
  COLORREF m_appliedKey = 0;  // the colour key the fill picture was keyed with

  // Virtual operations, in their fixed order.
  void Serialize(CArchive& ar) override;
  virtual BOOL LoadPicture(const CString& path);
  virtual void ApplyColourKey(Gdiplus::Graphics* graphics);
  virtual BOOL IsPlainShape();
  virtual void SetControlPoint(int x, int y);
  virtual void MakeSquare(CView* view);
  virtual void ScaleAbout(double factor, double centreX, double centreY, CView* view);
  virtual BOOL GetBounds(Gdiplus::Rect& bounds);
  virtual BOOL HasPicture();
  virtual CSize GetPictureSize();
  virtual int DataTypeFromName(const CString& name, int group);
  virtual CString DataTypeName(int item, int group);
  virtual CString ActionTypeName(DWORD flag, int& index);
  virtual int ActionTypeFromName(const CString& name);
  // The action kind at a position of the actions page's type list, or 0 past its end.
  virtual DWORD ActionTypeAt(int index);
  virtual CString TriggerName(DWORD flag, int& index);
  virtual int TriggerFromName(const CString& name);
  virtual void ResetPropertyPage(int group, CView* view);
  virtual int GetHandleCount();
  virtual CPoint GetHandle(int handle);
  virtual HCURSOR GetHandleCursor(int handle);
  virtual int Draw(CDC* dc, CView* view);
  virtual int DrawObject(CDC* dc, CView* view);
  virtual int DrawEffect(CDC* dc, CView* view);
  virtual void DrawTracker(CDC* dc, int state);
  virtual void SetRect(const CRect& rect, CView* view);
  virtual void SetAngle(double angle, BOOL relative, CView* view);
  virtual void SetAngleRect(double angle, double centreX, double centreY, int mode, CView* view);
  virtual void ApplyRotation();
  virtual int HitTest(CPoint point, CView* view, BOOL selected);
  virtual BOOL Intersects(const CRect& rect);
  virtual void MoveHandleTo(int handle, int x, int y, CView* view);
  virtual int OnOpen(CView* view);
  virtual int OnOpenDefault(CView* view);
  virtual CDrawObj* Clone(CDrawObj* target);
  virtual CDrawObj* Duplicate(CDrawDoc* document);
  virtual void Delete();
  virtual CRect GetDrawBounds();
  virtual void ResetTransform();
  virtual void MapRect(const CRect& from, const CRect& to, CRect& result);
  virtual void Invalidate();
  virtual void SavePlayState(CView* view, CDrawObj* owner);
  virtual void RestorePlayState(CView* view);
  virtual int CollectResources(int mode);
  virtual void SerializeEmbedded(CArchive& ar, int mode);
  virtual void DrawSunkenFrame(CDC* dc);
  virtual void DrawRaisedFrame(CDC* dc);
  virtual int GetButtonState();
  virtual int SetButtonState(int state);
  virtual void ResolvePaths(CView* view, CMethod* action, CDrawObj* owner, BOOL report);
  virtual void OnSelect(CView* view);
  virtual void OnDeselect(CView* view);
  virtual CDrawObj* FindMember(const CString& name, int trajectoryFilter);
  virtual int GetTotalTime();
  virtual void RevertVisibilityLayer();
  virtual void SaveVisibilityLayer();
  virtual void ResolveRotationCentres(CView* view, CDrawObj* owner);
  virtual double Distance(double x, double y);
  virtual CDoublePoint RotateHelper(CView* view, const CString& name);
  virtual void StepGif(int t, CView* view);
  virtual void StepRotate(int t, CView* view);
  virtual int StepTranslate(int t, CView* view);
  virtual void StepLayer(int t, CView* view);
  virtual void StepExit(int t, CView* view);
  virtual void StepEffect(int t, CView* view);
  virtual void StepStopMedia(int t, CView* view);
  virtual void StepPlayMedia(int t, CView* view);
  // Serves the three kinds of action that have no step of their own.
  virtual void StepUnused(int t, CView* view);
  virtual void StepShowHide(int t, CView* view);
  virtual void StepRunProgram(int t, CView* view);
  virtual void StepPageSwitch(int t, CView* view);
  virtual void StepChangePicture(int t, CView* view);
  virtual void StepControlPoint(int t, CView* view);
  virtual void StepSetData(int t, CView* view);
  virtual void StepDisplay(int t, CView* view);
  virtual void StepCartoon(int t, CView* view);
  virtual void ResetRotation();
  virtual void SetupOrbit(double x, double y);
  virtual void AngleHelper(CMethod* action);
  virtual int DriveKeyDown(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveKeyUp(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveTimer(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveMouseLeave(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveMouseEnter(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveDoubleClick(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveRightButtonUp(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveRightButtonDown(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveMouseMove(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveLeftButtonUp(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveLeftButtonDown(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual int DriveDragDrop(int tick, int x, int y, int key, const CString& text, CDrawObj* second, CDrawObj* third);
  virtual BOOL HasEventDrivenAction();
  // Indexes of the first record of that name (bytes compared exactly), or -1.
  virtual int FindEventByName(const CString& name);
  virtual int FindActionByName(const CString& name);
  virtual int GetPathPoints(int step, CMethod* action, int mode);
  virtual double GetPathLength();
  virtual void Step(int t, CView* view);
  virtual int Drive(int index, int tick, int x, int y, int key, const CString& text, CDrawObj* second,
                    CDrawObj* third);
  virtual void ListGeneral(CPropGrid* grid);
  virtual void ListActions(CPropGrid* grid, int index);
  virtual void ListInteractions(CPropGrid* grid, int index);
  virtual void ApplyGeneral(CPropGrid* grid);
  virtual void ApplyActions(CPropGrid* grid, int type);
  virtual void ApplyInteractions(CPropGrid* grid);
  virtual void ShowExistingAction(CPropGrid* grid, int index);
  virtual void ShowExistingInteraction(CPropGrid* grid, int index);
  virtual void ListEffectDirections(CPropGrid* grid, int kind, int direction);
  virtual int TopEdgeHandle();
  virtual int BottomEdgeHandle();
  virtual int RightEdgeHandle();
  virtual int LeftEdgeHandle();
  virtual int SetPictureFile(const CString& file);
  // The rows of the kinds only some objects take (a sound's or video's play and stop, a
  // picture's GIF steps); the apply side receives the record with its kind already set.
  virtual int ListExtraActionRows(CPropGrid* grid, CMethod& action);
  virtual int ListActionSetData(CPropGrid* grid, CMethod& action);
  virtual int ListActionDisplay(CPropGrid* grid, CMethod& action);
  virtual int ListActionCalculate(CPropGrid* grid, CMethod& action);
  virtual int ListActionControlPoint(CPropGrid* grid, CMethod& action);
  virtual int ListActionProgram(CPropGrid* grid, CMethod& action);
  virtual int ListActionExit(CPropGrid* grid, CMethod& action);
  virtual int ListActionLayer(CPropGrid* grid, CMethod& action);
  virtual int ListActionShowHide(CPropGrid* grid, CMethod& action);
  virtual int ListActionPageSwitch(CPropGrid* grid, CMethod& action);
  virtual int ListActionEffect(CPropGrid* grid, CMethod& action);
  virtual int ListActionRotation(CPropGrid* grid, CMethod& action);
  virtual int ListActionTranslation(CPropGrid* grid, CMethod& action);
  virtual int ListActionCartoon(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionCartoon(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionSetData(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionDisplay(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionCalculate(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionControlPoint(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionProgram(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionExit(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionLayer(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionShowHide(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionPageSwitch(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionEffect(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionRotation(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyActionTranslation(CPropGrid* grid, CMethod& action);
  virtual BOOL ApplyExtraActionRows(CPropGrid* grid, CMethod& action);
  virtual void SetSuspended(BOOL deleted);
  virtual BOOL IsSuspended();
  virtual int ApplyDisplayAction(const CString& text, const CString& format, double a, double b, double c);
  virtual int UnusedDataHook(const CString& text, double a, double b, double c, const CString& other);
  virtual void ApplySetDataAction(double a, double b, const CString& text, const CString& other);
  virtual void SetCartoonFrame(int a, int b, int c);
  // Whether the object can be written into a component library.
  virtual BOOL CanExport();

  // The record's fields, in declared order.
  WORD m_version = kDrawObjVersion;
  CString m_name;
  CRect m_position;
  CRect m_baseRect;
  double m_angle = 0.0;
  CString m_caption;
  COLORREF m_captionColour = 0;
  COLORREF m_auxColour = 0xFFFFFF;
  int m_visible = 1;
  int m_closed = 0;
  int m_outlined = 1;
  int m_filled = 1;
  int m_gradientStyle = 0;
  int m_pictureFill = 0;
  int m_picturePlacement = 1;
  int m_shapeVariant = 0;
  int m_trajectory = 0;
  int m_resolveState = 0;
  LOGPEN m_pen = {PS_INSIDEFRAME, {1, 1}, 0};
  LOGBRUSH m_brush = {BS_SOLID, 0xC0C0C0, 0};
  int m_reservedAfterBrush = 0;
  CString m_pictureFile;
  DWORD m_triggerMask = 0;
  DWORD m_actionMask = 0;
  int m_shapeParam1 = 1;
  int m_shapeParam2 = 8;
  CPoint m_point1;
  CPoint m_point2;
  CRect m_refRect;
  CDoublePoint m_transformCentre;
  CDoublePoint m_scale;
  CRect m_savedRect;
  int m_buttonised = 0;
  int m_buttonEnable = 1;
  int m_layer = 0;
  DWORD m_flags = 0;
  CDoublePoint m_rotationCentre;
  int m_fillKind = 0;
  int m_lineKind = 0;
  int m_fillGradient = 0;
  int m_lineGradient = 0;
  COLORREF m_fillColour2 = 0xFFFFFF;
  COLORREF m_lineColour2 = 0xFFFFFF;
  double m_reservedDouble = 0.0;
  int m_fillAlpha = 0;
  int m_fillAlpha2 = 0;
  int m_lineAlpha = 0;
  int m_lineAlpha2 = 0;
  COLORREF m_colourKey = 0xFFFFFF;
  int m_reservedD = 255;
  int m_shapeParam3 = 0;
  int m_shapeParam4 = 0;
  int m_dashCap = 0;
  int m_reservedE = 0;
  int m_startCap = 0;
  int m_endCap = 0;
  int m_reservedF[5] = {};
  CString m_text1;
  CString m_text2;
  CString m_text3;
  double m_dataValue = 0.0;
  int m_dataWord1 = 0;
  int m_dataWord2 = 0;
  int m_firstOperand = 1;
  CArray<CHPEvent, CHPEvent&> m_events;
  CArray<CMethod, CMethod&> m_actions;
  int m_reservedA[10] = {};
  int m_reservedB[32] = {};
  CString m_reservedTexts[4];
  double m_reservedDoubles[5] = {};
  int m_reservedC[5] = {};
  int m_plotParams[3] = {};
  CString m_savedText2;
  CString m_savedText3;
  CMapStringToOb* m_variables;
  CExpression m_expression;

  // Run-time state, not stored.
  int m_frameCount = 1;
  int m_frameIndex = 0;
  int m_framePeriod = 0;
  CPicture* m_picture = nullptr;
  // Filled by SaveVisibilityLayer and by SavePlayState alike: a snapshot taken during a
  // run replaces what the run will restore when it ends.
  int m_savedLayer = 0;
  int m_buttonState = 0;
  int m_selectedAction = -1;
  int m_selectedEvent = -1;
  int m_effectKind = 0;
  int m_effectDirection = 0;
  int m_effectStep = 1;
  int m_effectRop = SRCCOPY;  // an effect running before its first parameters copies plainly
  int m_effectProgress = 0;
  double m_savedAngle = 0.0;
  int m_savedVisible = 0;
  // What SavePlayState keeps for RestorePlayState beyond the fields above.
  struct PlayState {
    BOOL saved = FALSE;  // a run has started and not yet ended
    DWORD flags = 0;
    CSize size;  // absolute width and height of the position
    CDoublePoint transformCentre;
    CDoublePoint scale;
    double dataValue = 0.0;
    int dataWord1 = 0;
    int dataWord2 = 0;
    int firstOperand = 1;
    // Effects set the frame period too: an animated picture keeps its own speed.
    int framePeriod = 0;
    // Stored fields that the run rewrites on its way (resolving centres, turning,
    // moving): put back too, so that a test run changes nothing the page file holds.
    CRect savedRect;
    CRect baseRect;
    CDoublePoint rotationCentre;
  } m_playState;
  CDrawCompObj* m_ownerComposite = nullptr;
  CDrawJoinObj* m_ownerGlue = nullptr;
  struct RotationState {
    double orbitRadius = -1.0;
    CSize orbitSize;
    double orbitAngle = 0.0;
    double startOrbitAngle = 0.0;
    double furtherAngle = 0.0;
  } m_rotationState;
  int m_activeHandle = 1;
  int m_showActiveHandle = 0;
  int m_colourKeyApplied = 0;
  int m_deleted = 0;
  int m_locked = 0;
  HGDIOBJ m_gdiObject = nullptr;

  // The handle's hit square (6 x 6 device pixels) in page units.
  CRect GetHandleRect(int handle, CView* view);

 private:
  void ReleaseVariables();
  void DrawButtonFrame(CDC* dc, COLORREF c1, COLORREF c2);
  void LoadVariables(CArchive& ar);
};

// The text after the last '.' of a path (character-aware), or an empty string.
CString GetFileExtension(const CString& path);
