// CDrawMeta: a picture on the page: any picture file GDI+ reads (bitmaps, GIF, JPEG,
// PNG, TIFF, icons, metafiles), stretched over its rectangle or tiled across it, with
// one colour made transparent when the object is not opaque. An animated GIF or a TIFF
// of several pages becomes one bitmap per frame, stepped by the page's GIF actions.
// Without a picture the object shows a built-in placeholder. A page stored with
// embedding (mode 2) carries the picture itself: one frame as JPEG, several as one
// TIFF of pages.
//
// Frame 0 is the base's picture (m_picture), so everything the base does with a picture
// (snapshots, clones, the colour key) applies to it; the further frames are this
// object's. Raster frames are held upside down, as the page's y-up mapping wants them;
// a metafile is held upright and flipped when drawn.
#pragma once

#include <memory>
#include <vector>

#include "model/DrawObj.h"
#include "model/MetaFile.h"

class CDrawMeta : public CDrawObj {
  DECLARE_SERIAL(CDrawMeta)

 public:
  CDrawMeta();
  explicit CDrawMeta(const CRect& position);
  ~CDrawMeta() override;

  void Serialize(CArchive& ar) override;
  BOOL LoadPicture(const CString& path) override;
  void ApplyColourKey(Gdiplus::Graphics* graphics) override;
  CString ActionTypeName(DWORD flag, int& index) override;
  int ActionTypeFromName(const CString& name) override;
  DWORD ActionTypeAt(int index) override;
  void ResetPropertyPage(int group, CView* view) override;
  int DrawObject(CDC* dc, CView* view) override;
  int OnOpen(CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  void SavePlayState(CView* view, CDrawObj* owner) override;
  void RestorePlayState(CView* view) override;
  void SerializeEmbedded(CArchive& ar, int mode) override;
  void OnDeselect(CView* view) override;
  void RevertVisibilityLayer() override;
  void SaveVisibilityLayer() override;
  int SetPictureFile(const CString& file) override;
  void ListGeneral(CPropGrid* grid) override;
  void ApplyGeneral(CPropGrid* grid) override;
  // A GIF action has no rows of its own.
  int ListExtraActionRows(CPropGrid* grid, CMethod& action) override;
  BOOL ApplyExtraActionRows(CPropGrid* grid, CMethod& action) override;

  // Fills a new GIF action (kind 0x100000, switched on), named after the current action
  // or by the naming rule of new actions.
  void MakeGifAction(CMethod& action);
  // The names of the kinds a new action of this picture may take: the first eight, and
  // "GIF动画" only for a picture with frames.
  std::vector<CString> ActionKindNames();

  // Frame i (0 .. m_frameCount - 1), or null.
  CPicture* GetFrame(int index) const;
  // The frame step the picture file gave, or the one used when it gives none; stored in
  // the base record.
  int& GifStepSetting() { return m_reservedA[0]; }

  CString m_savedFile;
  BOOL m_preview = FALSE;
  DWORD m_reserved = 0;

 private:
  // Frames, name and frame index kept while a run or an effect may change them.
  struct Snapshot {
    bool taken = false;
    CString file;
    std::vector<std::unique_ptr<CPicture>> frames;  // frame 0 first; empty: none was held
    int frameIndex = 0;
    int keyApplied = 0;
  };

  // Makes the frames from a decoded picture (not flipped yet) of `count` frames; the
  // frame step comes from its delay, else from the setting.
  void TakeFrames(std::unique_ptr<CPicture> source, UINT count);
  void DropPicture();
  void Take(Snapshot& snapshot);
  bool GiveBack(Snapshot& snapshot);

  std::vector<std::unique_ptr<CPicture>> m_moreFrames;  // frames 1 .. m_frameCount - 1
  std::unique_ptr<CMetaFile> m_placeholder;
  // The name whose file could not be loaded: not tried again on every paint.
  CString m_failedFile;
  Snapshot m_playSnapshot;
  Snapshot m_effectSnapshot;
};
