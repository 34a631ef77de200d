// CSoundRecorder: Kordel's recording of sound from the default wave input device into a
// new wave file ("snd" and four hex digits, ".wav") in the "res" folder of the current
// programme, the folder a page's resources are collected into. The input thread
// (CSoundIn) writes the blocks; when it has stopped and given everything back it closes
// the file, which fixes the chunk sizes.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include "framework/core/String.h"
#include "media/SoundIn.h"
#include "media/WaveFile.h"

class CSoundRecorder {
 public:
  // The system's temporary-name function, or a stand-in with its contract.
  using TempFileNameFunction = decltype(&::GetTempFileNameA);

  explicit CSoundRecorder(const WaveInFunctions& device = WaveInFunctions());
  // Stops a recording (the file complete) and ends the input thread.
  virtual ~CSoundRecorder();
  CSoundRecorder(const CSoundRecorder&) = delete;
  CSoundRecorder& operator=(const CSoundRecorder&) = delete;

  // Creates the file and starts the input. Without a folder to record into, or a file
  // that cannot be created, shows "生成文件失败"; a device that cannot start is reported
  // by the input, and no file is left behind. TRUE when recording.
  BOOL StartRecording();
  // Stops the input, which closes the file; waits for that within the input's bound.
  void StopRecording();
  // Whether the device is recording (a failed write stops it of itself).
  BOOL IsRecording() const { return m_soundIn.IsRecording(); }
  // The file of the last recording started.
  const CString& GetFileName() const { return m_strFileName; }

  // The input's data callback, on the input thread: appends the bytes to the file. A
  // short write stops the input; "Unable to write to file" follows once it has stopped.
  static void OnRecordData(CDataBuffer& buffer, void* context);

  // Reserves a new "snd….wav" in the folder: the names come from tempFileName (prefix
  // "snd"), and one whose ".wav" already exists is passed over, so no earlier recording
  // is written over. The ".tmp" files it made are removed again. Empty when the folder
  // gives no name (it does not exist, or no free name was found).
  static CString ChooseFileName(const CString& folder, TempFileNameFunction tempFileName = &::GetTempFileNameA);

 protected:
  // The file the recording goes to (a test puts a file of its own here).
  virtual std::unique_ptr<CWaveFile> CreateWaveFile(const CString& name, const CWaveFormat& format);

 private:
  // On the input thread once the device is closed: closes the file, then tells of a
  // failed write.
  static void OnInputStopped(void* context);

  // The input's callbacks use these until its thread has ended, so they come first.
  std::unique_ptr<CWaveFile> m_pWaveFile;  // none when not recording into a file
  std::atomic<bool> m_bWriteFailed{false};
  CSoundIn m_soundIn;
  CString m_strFileName;
};
