// CDrawMedia: a sound on the page. WAV and MIDI files play through the multimedia
// command interface, MP3 files through the built-in MP3 player. While the page is
// edited the object shows a 32 x 32 icon; in a run it is invisible (but a button frame).
// The page's play and stop actions drive it; a page stored with embedding (mode 2)
// carries the sound's bytes, which a reader plays from a private copy.
#pragma once

#include "model/MediaPlayback.h"
#include "framework/ui/Bitmap.h"
#include "media/EmbeddedMedia.h"
#include "media/MciSound.h"
#include "media/Mp3Player.h"
#include "model/DrawObj.h"

// m_kind.
constexpr WORD kSoundUnknown = 0;
constexpr WORD kSoundMidi = 1;
constexpr WORD kSoundWave = 2;
constexpr WORD kSoundMp3 = 3;

class CDrawMedia : public CDrawObj, public CMediaPlayback {
  DECLARE_SERIAL(CDrawMedia)

 public:
  CDrawMedia();
  explicit CDrawMedia(const CRect& position);
  ~CDrawMedia() override;

  // Takes the kind from the extension (after the last '.' of the part after the last
  // backslash): "mid" 1, "wav" 2, "mp3" 3. Without an extension nothing changes; an
  // unknown one sets kind 0 and keeps the file. A known kind takes the path, lower-cased.
  void SetMediaFile(const CString& path);
  // The kind the extension gives (kSoundUnknown for another), or -1 without one.
  static int KindOfFile(const CString& path);
  void Play(BOOL loop);
  // WAV and MIDI: from the start again.
  void Restart();
  void Stop();

  // CMediaPlayback.
  void PlayMedia(BOOL loop) override { Play(loop); }
  void RestartMedia() override { Restart(); }
  void StopMedia(BOOL) override { Stop(); }
  int GetPlayTicks() override { return m_playLength; }

  void Serialize(CArchive& ar) override;
  CString ActionTypeName(DWORD flag, int& index) override;
  int ActionTypeFromName(const CString& name) override;
  DWORD ActionTypeAt(int index) override;
  void ListGeneral(CPropGrid* grid) override;
  void ListActions(CPropGrid* grid, int type) override;
  void ApplyGeneral(CPropGrid* grid) override;
  void ShowExistingAction(CPropGrid* grid, int index) override;
  int ListExtraActionRows(CPropGrid* grid, CMethod& action) override;
  BOOL ApplyExtraActionRows(CPropGrid* grid, CMethod& action) override;
  void ResetPropertyPage(int group, CView* view) override;
  int DrawObject(CDC* dc, CView* view) override;
  int OnOpen(CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  void RestorePlayState(CView* view) override;
  int CollectResources(int mode) override;
  void SerializeEmbedded(CArchive& ar, int mode) override;
  void OnDeselect(CView* view) override;
  void SetSuspended(BOOL deleted) override;

  const CString& GetFileName() const { return m_fileName; }
  WORD GetKind() const { return m_kind; }
  int GetPlayLength() const { return m_playLength; }
  BOOL IsNameChanged() const { return m_nameChanged; }
  const CEmbeddedMedia& GetEmbedded() const { return m_embedded; }
  // What Play opens: the file name when it is a path, else the copy or the source.
  CString GetPlayPath() const { return m_embedded.PlayPath(m_fileName); }
  CMciSound& GetMciSound() { return m_mciSound; }

 private:
  BOOL IsReadingBuild() const;
  void PlayMci(const CString& path);

  CString m_fileName;
  int m_playLength = 0;
  CBitmap m_icon;
  WORD m_kind = kSoundWave;
  CMciSound m_mciSound;
  CMp3Player m_mp3Player;
  CEmbeddedMedia m_embedded;
  BOOL m_nameChanged = FALSE;
};
