// CDrawAnimate: a moving picture on the page. AVI, MPEG and DAT clips play through a
// DirectShow filter graph whose video window is a child of the view, over the object's
// rectangle; Flash movies and streams go to the hosted player windows. The player is
// made the first time the object is drawn into a view, by the file's extension. The
// page's play and stop actions drive it; a page stored with embedding (mode 2) carries
// the clip's bytes, which a reader plays from a private copy.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/core/ComPtr.h"
#include "media/EmbeddedMedia.h"
#include "media/RealAudio.h"
#include "media/ShockwaveFlash.h"
#include "model/DrawObj.h"
#include "model/MediaPlayback.h"

// The DirectShow interfaces (<dshow.h> brings macros that clash with the framework's
// names: only the source includes it).
struct IGraphBuilder;
struct IMediaControl;
struct IMediaSeeking;
struct IVideoWindow;

// Which player a file goes to, by its extension (any case).
enum class AnimatePlayer { graph, flash, realPlayer };
AnimatePlayer AnimatePlayerFor(const CString& fileName);

// Whole seconds of a DirectShow duration (100 ns units) in playback ticks, 18.2 a second.
int AnimateTicksOf(LONGLONG duration);

class CDrawAnimate : public CDrawObj, public CMediaPlayback {
  DECLARE_SERIAL(CDrawAnimate)

 public:
  CDrawAnimate();
  explicit CDrawAnimate(const CRect& position);
  ~CDrawAnimate() override;

  // Lets go of every player; the name-changed flag tells whether the bare file name
  // changed. The path is kept lower-cased; its player is chosen at the next draw.
  void SetMediaFile(const CString& path);
  void ClearMedia();
  void Play(BOOL loop);
  // Stops the player; with destroy it is also released (made again at the next draw).
  void Stop(BOOL destroy);

  // The DirectShow graph over the rectangle (device units of the view's window).
  void OpenGraph(const CString& path, HWND viewWindow, const CRect& rect);
  BOOL RunGraph();
  void RewindGraph();
  void StopGraph();
  void ReleaseGraph();

  // CMediaPlayback.
  void PlayMedia(BOOL loop) override { Play(loop); }
  void RestartMedia() override { RewindGraph(); }
  void StopMedia(BOOL release) override { Stop(release); }
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
  void SetRect(const CRect& rect, CView* view) override;
  int OnOpen(CView* view) override;
  CDrawObj* Clone(CDrawObj* target) override;
  CDrawObj* Duplicate(CDrawDoc* document) override;
  void RestorePlayState(CView* view) override;
  int CollectResources(int mode) override;
  void SerializeEmbedded(CArchive& ar, int mode) override;
  void OnDeselect(CView* view) override;
  void SetSuspended(BOOL deleted) override;

  // The controls the Flash and RealPlayer windows host (the players' own by default).
  void SetPlayerClassIds(const CLSID& flash, const CLSID& realPlayer) {
    m_flashClsid = flash;
    m_realPlayerClsid = realPlayer;
  }
  CShockwaveFlash* GetFlashWindow() const { return m_flash.get(); }
  CRealAudio* GetRealPlayerWindow() const { return m_realPlayer.get(); }
  // How long a stop waits at most for the RealPlayer to report it, in milliseconds.
  static constexpr DWORD kRealPlayerStopWait = 3000;

  // Plays the clip at the next paint while the page is edited (until deselected).
  void SetPreview() { m_preview = TRUE; }

  const CString& GetFileName() const { return m_fileName; }
  CString GetPlayPath() const { return m_embedded.PlayPath(m_fileName); }
  int GetPlayLength() const { return m_playLength; }
  BOOL IsPlaying() const { return m_playing; }
  BOOL IsNameChanged() const { return m_nameChanged; }
  const CEmbeddedMedia& GetEmbedded() const { return m_embedded; }
  BOOL HasGraph() const { return m_graph ? TRUE : FALSE; }
  IGraphBuilder* GetGraph() const { return m_graph.get(); }

  // The three stored settings (meaning left open; read and written only).
  DWORD m_setting0 = 0;
  DWORD m_setting2 = 1;
  DWORD m_setting3 = 0;
  DWORD m_setting1 = 3;

 private:
  // Makes the player the file calls for, once per file: a file that failed is not tried
  // again until the file changes.
  void EnsurePlayer();
  void CreateFlash(HWND viewWindow);
  void CreateRealPlayer(HWND viewWindow);
  void StopRealPlayer();
  // Stops and deletes the hosted player windows.
  void DeletePlayerWindows();
  CRect DeviceRect() const;

  CString m_fileName;
  int m_playLength = 0;
  BOOL m_playing = FALSE;
  BOOL m_preview = FALSE;
  BOOL m_playerTried = FALSE;
  ComPtr<IGraphBuilder> m_graph;
  ComPtr<IMediaControl> m_control;
  ComPtr<IMediaSeeking> m_seeking;
  ComPtr<IVideoWindow> m_videoWindow;
  std::unique_ptr<CRealAudio> m_realPlayer;
  std::unique_ptr<CShockwaveFlash> m_flash;
  CLSID m_flashClsid = CLSID_ShockwaveFlash;
  CLSID m_realPlayerClsid = CLSID_RealPlayer;
  CEmbeddedMedia m_embedded;
  BOOL m_nameChanged = FALSE;
};
