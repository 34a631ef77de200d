// CMethod: one action of a drawing object or of a page — its kind, its timing, the
// name by which events call it, and the parameters its kind reads. Objects hold their
// actions by value; the owner's record writes the count and then each action's record.
#pragma once

#include "framework/core/Archive.h"
#include "framework/core/Rect.h"
#include "model/PointArray.h"

class CMethod : public CObject {
  DECLARE_SERIAL(CMethod)

 public:
  // Action kinds: m_nType holds exactly one of these bits; an object's action mask is
  // the OR of its actions' kinds. 0x4, 0x200, 0x2000 and 0x80000 are no kinds.
  static constexpr DWORD typeTranslate = 0x1;
  static constexpr DWORD typeRotate = 0x2;
  static constexpr DWORD typeEffect = 0x8;
  static constexpr DWORD typePageSwitch = 0x10;
  static constexpr DWORD typeShowHide = 0x20;
  static constexpr DWORD typeLayer = 0x40;
  static constexpr DWORD typeExit = 0x80;
  static constexpr DWORD typeRunProgram = 0x100;
  static constexpr DWORD typePlayMedia = 0x400;
  static constexpr DWORD typeStopMedia = 0x800;
  static constexpr DWORD typeControlPoint = 0x1000;
  static constexpr DWORD typeChangePicture = 0x4000;
  static constexpr DWORD typeSetData = 0x8000;
  static constexpr DWORD typeDisplay = 0x10000;
  static constexpr DWORD typeCalculate = 0x20000;
  static constexpr DWORD typeCartoon = 0x40000;
  static constexpr DWORD typeGif = 0x100000;

  struct TypeEntry {
    DWORD type;
    UINT nameId;  // string-table id of the display name; 0: the kind has none
  };
  static const TypeEntry s_types[17];
  static constexpr int typeCount = 17;

  // The display name of a kind, read from the string table now; empty for a value that
  // is no kind or a kind without a name.
  static CString TypeDisplayName(DWORD type);

  CMethod();
  // Copies carry every archived field except the reserved strings 27 to 30 (nothing
  // gives them a meaning, and copies have always dropped them), plus m_bTracing. A copy
  // starts with an empty point list, no saved activation and no run snapshot; an
  // assignment keeps the destination's own point list, saved activation, run snapshot
  // and reserved strings 27 to 30.
  CMethod(const CMethod& other);
  CMethod& operator=(const CMethod& other);
  // Moving relocates the whole record (arrays move their elements when they grow or
  // close a gap), so nothing is dropped.
  CMethod(CMethod&& other) noexcept = default;
  CMethod& operator=(CMethod&& other) noexcept = default;
  ~CMethod() override = default;

  // The action record, item by item. Loading puts an ability to sleep: an action that
  // waits for an event never starts from a stored activation.
  void Serialize(CArchive& ar) override;

  // The record's fields in record order; the numbers are the items' positions in it.
  DWORD m_nType = 0;             // 1
  BOOL m_nByEvent = 0;           // 2
  int m_nStart = 0;              // 3
  int m_nDuration = -1;          // 4
  int m_nExtraTime = 0;          // 5
  int m_nValue = 1;              // 6
  CString m_strTarget;           // 7
  BOOL m_bLoop = 0;              // 8
  BOOL m_bTwoWay = 0;            // 9
  int m_nReserved10 = 1;         // 10
  int m_nSpeed = 10;             // 11
  int m_nReserved12 = 0;         // 12
  BOOL m_bRotateLoop = 0;        // 13
  BOOL m_bRotateTwoWay = 0;      // 14
  int m_nReserved15 = 1;         // 15
  int m_nStep = 10;              // 16
  CPoint m_ptCentre;             // 17
  int m_nPathIndex = 0;          // 18
  CString m_strCentre;           // 19
  CString m_strPath;             // 20
  int m_nEffect = 1;             // 21
  int m_nDirection = 8;          // 22
  double m_dReserved23 = 0.0;    // 23
  double m_dReserved24 = 0.0;    // 24
  int m_nStartAngle = -1;        // 25
  int m_nEndAngle = 360;         // 26
  CString m_strReserved27;       // 27
  CString m_strReserved28;       // 28
  CString m_strReserved29;       // 29
  CString m_strReserved30;       // 30
  int m_nLayerSteps = 0;         // 31
  int m_nReserved32 = -1;        // 32
  int m_nActivation = -1;        // 33
  int m_nRotateFrames = 0;       // 34
  double m_dRotateCorrection = 0.0;          // 35
  BOOL m_bPathTrace = 0;                     // 36
  int m_nReserved36[4] = {0, 1, 1, 0};       // 36
  int m_nReserved37 = 1;         // 37
  int m_nControlPoint = 1;       // 38
  CString m_strName;             // 39
  CString m_strPicture;          // 40
  CString m_strSource;           // 41
  int m_nReserved42 = 0;         // 42
  CString m_strExpression;       // 43
  int m_nIndex = 0;              // 44
  int m_nMode = 0;               // 45
  int m_nReserved46 = 0;         // 46
  int m_nInterval = 0;           // 47
  int m_nSetType = 0;            // 48
  WORD m_wReserved49 = 0;        // 49
  double m_dReserved50 = 1.0;    // 50
  double m_dReserved51 = 1.0;    // 51
  CRect m_rcReserved52;          // 52: zeros, so no stray bytes reach a file
  CString m_strReserved53;       // 53
  BOOL m_bGifPlay = 0;           // 54
  int m_nReserved55[2] = {0, 0}; // 55
  double m_dReserved56 = 0.0;    // 56
  double m_dReserved57 = 0.0;    // 57
  CString m_strReserved58;       // 58
  CString m_strReserved59;       // 59

  // Not archived.
  int m_nSavedActivation = -1;   // activation to restore when a run ends
  BOOL m_bTracing = 0;           // a traced motion is active
  CPointArray m_path;            // the resolved trajectory of the current run
  // Stored fields that a run changes, taken when it starts and put back when it ends, so
  // that a test run leaves the page as the author saved it.
  struct RunSnapshot {
    int pathIndex = 0;
    CPoint centre;
    int rotateFrames = 0;
    double rotateCorrection = 0.0;
    CString source;
  } m_runSnapshot;

 private:
  void CopyCarriedFields(const CMethod& other);
};
