#include "editor/SoundRecorder.h"

#include <vector>

#include "editor/FileHelpers.h"
#include "framework/core/Codepage.h"
#include "framework/core/MessageBox.h"
#include "model/DrawHost.h"
#include "resources/KordelIds.h"

namespace {

// How many names ChooseFileName tries before it gives up.
constexpr int kNameAttempts = 1000;

std::wstring Wide(const CString& path) { return codepage::ToWide(path.str()); }

}  // namespace

CSoundRecorder::CSoundRecorder(const WaveInFunctions& device) : m_soundIn(device) {
  m_soundIn.SetDataCallback(&CSoundRecorder::OnRecordData, this);
  m_soundIn.SetStoppedCallback(&CSoundRecorder::OnInputStopped);
}

CSoundRecorder::~CSoundRecorder() { StopRecording(); }

CString CSoundRecorder::ChooseFileName(const CString& folder, TempFileNameFunction tempFileName) {
  // Each ".tmp" stays until the end, so that the next name asked for is another one.
  std::vector<CString> temporary;
  CString chosen;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    char path[MAX_PATH] = {};
    if (!tempFileName(folder.GetString(), "snd", 0, path)) break;
    const CString tmp(path);
    temporary.push_back(tmp);
    if (tmp.GetLength() < 3) break;
    const CString wav = tmp.Left(tmp.GetLength() - 3) + "wav";
    // Made here, so that a recording that appears meanwhile is not opened over either.
    HANDLE file = ::CreateFileW(Wide(wav).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      ::CloseHandle(file);
      chosen = wav;
      break;
    }
    if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  for (const CString& tmp : temporary) ::DeleteFileW(Wide(tmp).c_str());
  return chosen;
}

std::unique_ptr<CWaveFile> CSoundRecorder::CreateWaveFile(const CString& name, const CWaveFormat& format) {
  return std::make_unique<CWaveFile>(name, format);
}

BOOL CSoundRecorder::StartRecording() {
  if (IsRecording() || m_pWaveFile) return FALSE;
  // Without a page folder there is no "res" to record into (not the root of a drive).
  const CString folder = ProgrammeFolder();
  const CString name = folder.IsEmpty() ? CString() : ChooseFileName(folder + "\\res");
  if (name.IsEmpty()) {
    AfxMessageBox(IDS_CREATE_FILE_FAILED);
    return FALSE;
  }
  m_strFileName = name;
  m_bWriteFailed = false;
  m_pWaveFile = CreateWaveFile(name, m_soundIn.m_format);
  if (!m_pWaveFile->IsOpen()) {
    m_pWaveFile.reset();
    ::DeleteFileW(Wide(name).c_str());
    AfxMessageBox(IDS_CREATE_FILE_FAILED);
    return FALSE;
  }
  if (m_soundIn.Start()) return TRUE;
  // Once the device is closed (or never opened) the header-only file can go.
  if (m_soundIn.Stop()) {
    m_pWaveFile.reset();
    ::DeleteFileW(Wide(name).c_str());
  }
  return FALSE;
}

void CSoundRecorder::StopRecording() { m_soundIn.Stop(); }

void CSoundRecorder::OnRecordData(CDataBuffer& buffer, void* context) {
  auto* recorder = static_cast<CSoundRecorder*>(context);
  if (!recorder->m_pWaveFile || recorder->m_bWriteFailed) return;
  if (!recorder->m_pWaveFile->Write(buffer)) {
    recorder->m_bWriteFailed = true;
    recorder->m_soundIn.Stop();
  }
}

void CSoundRecorder::OnInputStopped(void* context) {
  auto* recorder = static_cast<CSoundRecorder*>(context);
  recorder->m_pWaveFile.reset();
  if (recorder->m_bWriteFailed) ShowWarningFormat("Unable to write to file");
}
