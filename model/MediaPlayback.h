// CMediaPlayback: what the play and stop actions ask of a sound or video object. The
// media objects implement it beside their CDrawObj base, each with its own operations
// (the sound object plays, restarts and stops its device; the video object runs,
// rewinds and stops its player), so the actions need not know their classes.
#pragma once

#include <windows.h>

class CMediaPlayback {
 public:
  // Starts playback; with loop set the play action restarts it once per pass.
  virtual void PlayMedia(BOOL loop) = 0;
  // Plays again from the beginning (a looping pass ended).
  virtual void RestartMedia() = 0;
  // Stops playback; a video object with release set also lets go of its player (a
  // sound object closes its device whatever the flag).
  virtual void StopMedia(BOOL release) = 0;
  // Ticks per pass, known once playback started; 0 means no restarts.
  virtual int GetPlayTicks() = 0;

 protected:
  CMediaPlayback() = default;
  ~CMediaPlayback() = default;  // never deleted through this interface
  CMediaPlayback(const CMediaPlayback&) = default;
  CMediaPlayback& operator=(const CMediaPlayback&) = default;
};
