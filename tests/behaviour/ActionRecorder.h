// Test doubles for the discrete actions: an object that stands for every kind the
// actions treat specially (media, an owner of members, a text data source, a data and
// calculation target) and writes what it is asked into a log, and a host that writes
// the page operations it is asked for into the same log and moves objects in a page
// document as the editor's view does.
#pragma once

#include <string>
#include <vector>

#include "model/DataTextSource.h"
#include "model/MediaPlayback.h"
#include "model/MemberOrder.h"
#include "tests/behaviour/PlaybackProbe.h"
#include "tests/support/TestHost.h"

using ActionLog = std::vector<std::string>;

inline std::string LogText(const CString& s) { return s.str(); }

// Each entry is prefixed with the frame the recorder's step is on ("3:play 1").
class CActionRecorder : public CDrawObj, public CMediaPlayback, public CMemberOrder, public CDataTextSource {
 public:
  CActionRecorder(const char* name, ActionLog& log) : CDrawObj(CRect(0, 10, 10, 0)), m_log(log) { m_name = name; }

  void Step(int t, CView* view) override {
    frame = t;
    CDrawObj::Step(t, view);
  }
  void Write(const std::string& entry) { m_log.push_back(std::to_string(frame) + ":" + entry); }

  // Media.
  void PlayMedia(BOOL loop) override { Write("play " + std::to_string(loop)); }
  void RestartMedia() override { Write("restart"); }
  void StopMedia(BOOL release) override { Write("stop " + std::to_string(release)); }
  int GetPlayTicks() override { return playTicks; }
  // Members.
  void MoveMemberBackward(CDrawObj* member) override { Write("back " + LogText(member->m_name)); }
  void MoveMemberForward(CDrawObj* member) override { Write("front " + LogText(member->m_name)); }
  int GetMemberCount() override { return memberCount; }
  void SetCartoonFrame(int a, int b, int c) override {
    Write("cartoon " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
  }
  // Data.
  CString GetDataText() override { return dataText; }
  void ApplySetDataAction(double index, double mode, const CString& formula, const CString& source) override {
    Write("set " + std::to_string(static_cast<int>(index)) + " " + std::to_string(static_cast<int>(mode)) + " " +
          LogText(formula) + " [" + LogText(source) + "]");
  }
  int ApplyDisplayAction(const CString& text, const CString& expected, double mode, double kind,
                         double write) override {
    Write("display " + LogText(text) + " [" + LogText(expected) + "] " + std::to_string(static_cast<int>(mode)) + " " +
          std::to_string(static_cast<int>(kind)) + " " + std::to_string(static_cast<int>(write)));
    return 0;
  }
  // Geometry and pictures.
  void MoveHandleTo(int handle, int x, int y, CView*) override {
    Write("handle " + std::to_string(handle) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  int SetPictureFile(const CString& file) override {
    Write("picture " + LogText(file));
    return CDrawObj::SetPictureFile(file);
  }
  void Invalidate() override { Write("invalidate"); }

  int frame = -1;
  int playTicks = 0;
  int memberCount = 0;
  CString dataText;

 private:
  ActionLog& m_log;
};

// A plain object that belongs to none of the special kinds.
class CPlainObject : public CDrawObj {
 public:
  explicit CPlainObject(const char* name) : CDrawObj(CRect(0, 10, 10, 0)) { m_name = name; }
};

class CActionHost : public TestHost {
 public:
  explicit CActionHost(ActionLog& log) : m_log(log) {}

  // Prefixed with the frame being stepped ("5:host exit").
  void Write(const std::string& entry) {
    m_log.push_back(std::to_string(clock.GetTick() - CPlaybackClock::kFirstSteppedTick) + ":host " + entry);
  }
  void KillPlaybackTimer() override {
    Write("kill timer");
    TestHost::KillPlaybackTimer();
  }
  void SetPlaybackTimer(UINT period) override {
    Write("timer " + std::to_string(period));
    TestHost::SetPlaybackTimer(period);
  }
  void PostExitCommand() override {
    Write("exit");
    TestHost::PostExitCommand();
  }
  BOOL GoToPage(const CString& path) override {
    Write("go " + LogText(path));
    jumps.push_back(path);
    return document ? GoToPageFile(*this, path) : TRUE;
  }
  // The selected object one place toward the back or the front of the page document,
  // the layers renumbered: as the editor's view moves it.
  void MoveSelectedBackward() override { MoveSelected(-1); }
  void MoveSelectedForward() override { MoveSelected(1); }

 private:
  void MoveSelected(int direction) {
    Write(direction < 0 ? "move back" : "move front");
    if (!document || selection.empty()) return;
    CObList& list = document->m_objects;
    POSITION pos = list.Find(selection.front());
    if (!pos) return;
    POSITION neighbour = pos;
    if (direction < 0)
      list.GetPrev(neighbour);
    else
      list.GetNext(neighbour);
    if (!neighbour) return;
    CObject* moved = list.GetAt(pos);
    list.SetAt(pos, list.GetAt(neighbour));
    list.SetAt(neighbour, moved);
    document->RenumberObjects(FALSE);
  }

  ActionLog& m_log;
};
