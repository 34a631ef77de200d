#include "model/Method.h"

#include "resources/ModelStrings.h"

IMPLEMENT_SERIAL(CMethod, CObject, 0)

const CMethod::TypeEntry CMethod::s_types[17] = {
    {typeTranslate, IDS_ACTION_TRANSLATE},
    {typeRotate, IDS_ACTION_ROTATE},
    {typeEffect, IDS_ACTION_EFFECT},
    {typePageSwitch, IDS_ACTION_PAGE_SWITCH},
    {typeShowHide, IDS_ACTION_SHOW_HIDE},
    {typeLayer, IDS_ACTION_LAYER},
    {typeExit, IDS_ACTION_EXIT},
    {typeRunProgram, IDS_ACTION_RUN_PROGRAM},
    {typePlayMedia, IDS_ACTION_PLAY},
    {typeStopMedia, IDS_ACTION_STOP},
    {typeControlPoint, IDS_ACTION_CONTROL_POINT},
    {typeChangePicture, 0},
    {typeSetData, IDS_ACTION_SET_DATA},
    {typeDisplay, IDS_ACTION_DISPLAY},
    {typeCalculate, IDS_ACTION_CALCULATE},
    {typeCartoon, IDS_ACTION_CARTOON},
    {typeGif, IDS_ACTION_GIF},
};

CString CMethod::TypeDisplayName(DWORD type) {
  CString name;
  for (const TypeEntry& entry : s_types) {
    if (entry.type == type) {
      if (entry.nameId != 0) name.LoadString(entry.nameId);
      break;
    }
  }
  return name;
}

CMethod::CMethod() = default;

CMethod::CMethod(const CMethod& other) : CObject(other) { CopyCarriedFields(other); }

CMethod& CMethod::operator=(const CMethod& other) {
  if (this != &other) CopyCarriedFields(other);
  return *this;
}

void CMethod::CopyCarriedFields(const CMethod& o) {
  m_nType = o.m_nType;
  m_nByEvent = o.m_nByEvent;
  m_nStart = o.m_nStart;
  m_nDuration = o.m_nDuration;
  m_nExtraTime = o.m_nExtraTime;
  m_nValue = o.m_nValue;
  m_strTarget = o.m_strTarget;
  m_bLoop = o.m_bLoop;
  m_bTwoWay = o.m_bTwoWay;
  m_nReserved10 = o.m_nReserved10;
  m_nSpeed = o.m_nSpeed;
  m_nReserved12 = o.m_nReserved12;
  m_bRotateLoop = o.m_bRotateLoop;
  m_bRotateTwoWay = o.m_bRotateTwoWay;
  m_nReserved15 = o.m_nReserved15;
  m_nStep = o.m_nStep;
  m_ptCentre = o.m_ptCentre;
  m_nPathIndex = o.m_nPathIndex;
  m_strCentre = o.m_strCentre;
  m_strPath = o.m_strPath;
  m_nEffect = o.m_nEffect;
  m_nDirection = o.m_nDirection;
  m_dReserved23 = o.m_dReserved23;
  m_dReserved24 = o.m_dReserved24;
  m_nStartAngle = o.m_nStartAngle;
  m_nEndAngle = o.m_nEndAngle;
  // Items 27 to 30 stay behind (see the header).
  m_nLayerSteps = o.m_nLayerSteps;
  m_nReserved32 = o.m_nReserved32;
  m_nActivation = o.m_nActivation;
  m_nRotateFrames = o.m_nRotateFrames;
  m_dRotateCorrection = o.m_dRotateCorrection;
  m_bPathTrace = o.m_bPathTrace;
  for (int i = 0; i < 4; ++i) m_nReserved36[i] = o.m_nReserved36[i];
  m_nReserved37 = o.m_nReserved37;
  m_nControlPoint = o.m_nControlPoint;
  m_strName = o.m_strName;
  m_strPicture = o.m_strPicture;
  m_strSource = o.m_strSource;
  m_nReserved42 = o.m_nReserved42;
  m_strExpression = o.m_strExpression;
  m_nIndex = o.m_nIndex;
  m_nMode = o.m_nMode;
  m_nReserved46 = o.m_nReserved46;
  m_nInterval = o.m_nInterval;
  m_nSetType = o.m_nSetType;
  m_wReserved49 = o.m_wReserved49;
  m_dReserved50 = o.m_dReserved50;
  m_dReserved51 = o.m_dReserved51;
  m_rcReserved52 = o.m_rcReserved52;
  m_strReserved53 = o.m_strReserved53;
  m_bGifPlay = o.m_bGifPlay;
  m_nReserved55[0] = o.m_nReserved55[0];
  m_nReserved55[1] = o.m_nReserved55[1];
  m_dReserved56 = o.m_dReserved56;
  m_dReserved57 = o.m_dReserved57;
  m_strReserved58 = o.m_strReserved58;
  m_strReserved59 = o.m_strReserved59;
  m_bTracing = o.m_bTracing;
}

void CMethod::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_nType << m_nByEvent << m_nStart << m_nDuration << m_nExtraTime << m_nValue;
    ar << m_strTarget;
    ar << m_bLoop << m_bTwoWay << m_nReserved10 << m_nSpeed << m_nReserved12 << m_bRotateLoop
       << m_bRotateTwoWay << m_nReserved15 << m_nStep;
    ar << m_ptCentre.x << m_ptCentre.y;
    ar << m_nPathIndex;
    ar << m_strCentre << m_strPath;
    ar << m_nEffect << m_nDirection << m_dReserved23 << m_dReserved24 << m_nStartAngle
       << m_nEndAngle;
    ar << m_strReserved27 << m_strReserved28 << m_strReserved29 << m_strReserved30;
    ar << m_nLayerSteps << m_nReserved32 << m_nActivation << m_nRotateFrames
       << m_dRotateCorrection;
    ar << m_bPathTrace;
    for (int word : m_nReserved36) ar << word;
    ar << m_nReserved37 << m_nControlPoint;
    ar << m_strName << m_strPicture << m_strSource;
    ar << m_nReserved42;
    ar << m_strExpression;
    ar << m_nIndex << m_nMode << m_nReserved46 << m_nInterval << m_nSetType;
    ar << m_wReserved49;
    ar << m_dReserved50 << m_dReserved51;
    ar << m_rcReserved52.left << m_rcReserved52.top << m_rcReserved52.right
       << m_rcReserved52.bottom;
    ar << m_strReserved53;
    ar << m_bGifPlay << m_nReserved55[0] << m_nReserved55[1] << m_dReserved56 << m_dReserved57;
    ar << m_strReserved58 << m_strReserved59;
  } else {
    ar >> m_nType >> m_nByEvent >> m_nStart >> m_nDuration >> m_nExtraTime >> m_nValue;
    ar >> m_strTarget;
    ar >> m_bLoop >> m_bTwoWay >> m_nReserved10 >> m_nSpeed >> m_nReserved12 >> m_bRotateLoop
       >> m_bRotateTwoWay >> m_nReserved15 >> m_nStep;
    ar >> m_ptCentre.x >> m_ptCentre.y;
    ar >> m_nPathIndex;
    ar >> m_strCentre >> m_strPath;
    ar >> m_nEffect >> m_nDirection >> m_dReserved23 >> m_dReserved24 >> m_nStartAngle
       >> m_nEndAngle;
    ar >> m_strReserved27 >> m_strReserved28 >> m_strReserved29 >> m_strReserved30;
    ar >> m_nLayerSteps >> m_nReserved32 >> m_nActivation >> m_nRotateFrames
       >> m_dRotateCorrection;
    ar >> m_bPathTrace;
    for (int& word : m_nReserved36) ar >> word;
    ar >> m_nReserved37 >> m_nControlPoint;
    ar >> m_strName >> m_strPicture >> m_strSource;
    ar >> m_nReserved42;
    ar >> m_strExpression;
    ar >> m_nIndex >> m_nMode >> m_nReserved46 >> m_nInterval >> m_nSetType;
    ar >> m_wReserved49;
    ar >> m_dReserved50 >> m_dReserved51;
    ar >> m_rcReserved52.left >> m_rcReserved52.top >> m_rcReserved52.right
       >> m_rcReserved52.bottom;
    ar >> m_strReserved53;
    ar >> m_bGifPlay >> m_nReserved55[0] >> m_nReserved55[1] >> m_dReserved56 >> m_dReserved57;
    ar >> m_strReserved58 >> m_strReserved59;

    if (m_nByEvent == 1 && m_nActivation >= 0) m_nActivation = -1;
  }
}
