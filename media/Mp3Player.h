// CMp3Player: plays one MP3 file through the wave output device while the page keeps
// running. A decoding thread of raised priority reads frames (CMp3Stream), decodes them
// (CMp3Decoder, on its own stack) into 16-bit stereo and queues them to the device
// (CWaveOutDevice). The sound object holds one player per MP3 sound.
//
// Threads: Play, Stop, GetDuration and the destructor run on the user-interface thread;
// the decoding thread only decodes and queues, loops by rewinding within itself, and
// closes the device when it ends. The user-interface thread joins a finished thread and
// closes the reader on the next Play or Stop, or in the destructor.
#pragma once

#include <windows.h>

#include "framework/core/String.h"
#include "media/Mp3Stream.h"
#include "media/WaveOutDevice.h"
#include "model/DrawObj.h"

class CMp3Player : public CDrawObj {
 public:
  CMp3Player();
  ~CMp3Player() override;

  void SetFile(const CString& path) { m_mp3File = path; }
  // Starts playing from the first frame; ignored while a run is under way.
  void Play(BOOL loop);
  // Ends a run at once (a looping one too); the queued sound is dropped.
  void Stop();
  // Duration in milliseconds, or 0 (after a message) when the file cannot be opened.
  int GetDuration();

  // Whether a run is under way (its thread has not finished).
  BOOL IsPlaying() const;
  // Waits for the run to end by itself; FALSE when it is still going after `ms`.
  BOOL WaitUntilDone(DWORD ms) const;

 private:
  BOOL OpenAndStart();
  BOOL StartThread();
  static DWORD WINAPI ThreadEntry(void* player);
  void DecodeLoop();
  // Whether a run that reached the end starts over: looping, and no stop asked.
  BOOL LoopAgain();
  // Waits for the thread (after asking it to stop when `stop`), then closes the device
  // and the reader; FALSE when there was no thread.
  BOOL StopThread(BOOL stop);

  BOOL m_loop = FALSE;
  CMp3Stream m_stream;
  CWaveOutDevice m_waveOut;
  HANDLE m_thread = nullptr;
  CRITICAL_SECTION m_lock;  // guards m_stopFlag, m_loop and the reading of frames
  CString m_mp3File;
  BOOL m_stopFlag = FALSE;
  HANDLE m_stopEvent = nullptr;  // set with m_stopFlag, so that waits end at once
  int m_bufferSize = 26736;
  int m_sampleRate = 0;
  int m_mode = 0;
  int m_modeExtension = 0;
  int m_rateIndex = 0;
  int m_version = 1;
  int m_priority = THREAD_PRIORITY_ABOVE_NORMAL;
};

// The decoder's sample callback: the sample (already in the 16-bit range) clipped to
// -32768..32767 and truncated toward zero. A null pointer gives 0.
short ScaleMp3Sample(double* sample);
