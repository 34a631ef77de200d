// The mutation campaign: valid page files, packages, component libraries and MP3
// streams damaged in every way Mutate knows, each fed to what reads it. A clean refusal
// or a page played is fine; an exception of another kind, a crash or a hang is a
// finding: its input is kept, and the campaign goes on in a new worker process from the
// next case.
//
// Usage: campaign [--seed S] [--cases N] [--first K] [--target page|package|library|mp3]
//                 [--from-seed I] [--mp3 FOLDER] [--findings FOLDER] [--timeout SECONDS]
//                 [--quiet]
//        campaign --replay FILE
//        campaign --write-seeds FOLDER [--mp3 FOLDER]
// Prints the cases, accepted, refused and findings of each target; exits with 1 when
// there was any finding. Cases are numbered from K; the same seed and number always
// make the same input, so a finding can be made again with --first and --cases 1.
// --from-seed keeps one target's cases to its seed I (as --write-seeds numbers them),
// to campaign a seed that has just joined.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <typeinfo>
#include <vector>

#include "framework/core/Codepage.h"
#include "framework/core/Exception.h"
#include "framework/core/MessageBox.h"
#include "framework/ui/ModalSink.h"
#include "graphics/GdiplusSession.h"
#include "tests/campaign/Mutator.h"
#include "tests/campaign/Targets.h"

namespace {

constexpr int kMaxTargets = 4;

// What a worker tells its supervisor, in memory both map: the case it is on, and counts.
struct Progress {
  volatile LONG64 current;
  volatile LONG64 finished;
  volatile LONG64 accepted[kMaxTargets];
  volatile LONG64 refused[kMaxTargets];
  volatile LONG exceptionCode;  // of a crash, when the worker could still say it
  volatile LONG completed;      // the worker went through all its cases
  char what[200];               // of an exception that was no clean refusal
};

struct Options {
  uint64_t seed = 1;
  uint64_t cases = 1000;
  uint64_t first = 0;
  std::string target;
  long long fromSeed = -1;
  std::string mp3Folder;
  std::string findings = "campaign-findings";
  int timeoutSeconds = 20;
  bool quiet = false;
  bool worker = false;
  std::string mapping;
  std::string replay;
  std::string seedFolder;
};

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    auto next = [&]() -> const char* { ++i; return value; };
    if (a == "--quiet") o.quiet = true;
    else if (!value) return false;
    else if (a == "--seed") o.seed = std::strtoull(next(), nullptr, 10);
    else if (a == "--cases") o.cases = std::strtoull(next(), nullptr, 10);
    else if (a == "--first") o.first = std::strtoull(next(), nullptr, 10);
    else if (a == "--target") o.target = next();
    else if (a == "--from-seed") o.fromSeed = std::atoll(next());
    else if (a == "--mp3") o.mp3Folder = next();
    else if (a == "--findings") o.findings = next();
    else if (a == "--timeout") o.timeoutSeconds = std::atoi(next());
    else if (a == "--worker") { o.worker = true; o.mapping = next(); }
    else if (a == "--replay") o.replay = next();
    else if (a == "--write-seeds") o.seedFolder = next();
    else return false;
  }
  return true;
}

// Which target a case goes to, by the targets' weights.
size_t PickTarget(const std::vector<Target>& targets, CaseRandom& random) {
  int total = 0;
  for (const Target& t : targets) total += t.weight;
  int pick = static_cast<int>(random.Below(static_cast<size_t>(total)));
  for (size_t i = 0; i < targets.size(); ++i)
    if ((pick -= targets[i].weight) < 0) return i;
  return 0;
}

struct Case {
  size_t target;
  std::vector<uint8_t> bytes;
  std::string mutations;
};

Case MakeCase(const std::vector<Target>& targets, const Options& o, uint64_t index) {
  CaseRandom random = CaseSource(o.seed, index);
  Case c;
  c.target = PickTarget(targets, random);
  const Target& t = targets[c.target];
  c.bytes = t.seeds[random.Below(t.seeds.size())];
  c.mutations = Mutate(c.bytes, random);
  return c;
}

std::vector<Target> SelectTargets(const Options& o) {
  std::vector<Target> all = MakeTargets(o.mp3Folder), chosen;
  for (Target& t : all)
    if (o.target.empty() || o.target == t.name) chosen.push_back(std::move(t));
  if (o.fromSeed >= 0) {
    if (chosen.size() != 1 || static_cast<size_t>(o.fromSeed) >= chosen[0].seeds.size()) return {};
    chosen[0].seeds = {chosen[0].seeds[static_cast<size_t>(o.fromSeed)]};
  }
  return chosen;
}

CString WorkFolder() {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  CString folder;
  folder.Format("%scampaign-%lu\\", temp, ::GetCurrentProcessId());
  ::CreateDirectoryA(folder, nullptr);
  return folder;
}

Progress* g_progress = nullptr;

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  if (g_progress) g_progress->exceptionCode = static_cast<LONG>(info->ExceptionRecord->ExceptionCode);
  ::TerminateProcess(::GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

int RunWorker(const Options& o) {
  HANDLE mapping = ::OpenFileMappingA(FILE_MAP_WRITE, FALSE, o.mapping.c_str());
  if (!mapping) return 2;
  g_progress = static_cast<Progress*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(Progress)));
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  ::SetUnhandledExceptionFilter(ReportCrash);
  CGdiplusSession gdiplus;
  // Pages may ask questions and show messages: nobody answers, as if cancelled.
  AfxSetMessageBoxSink([](const CString&, UINT) { return IDCANCEL; });
  AfxSetModalSink([](ModalCall& call) -> INT_PTR { return call.kind == ModalCall::popupMenu ? 0 : IDCANCEL; });
  const std::vector<Target> targets = SelectTargets(o);
  const CString folder = WorkFolder();
  for (uint64_t i = o.first; i < o.first + o.cases; ++i) {
    g_progress->current = static_cast<LONG64>(i);
    const Case c = MakeCase(targets, o, i);
    try {
      if (targets[c.target].run(c.bytes, folder))
        ++g_progress->accepted[c.target];
      else
        ++g_progress->refused[c.target];
    } catch (const CException& e) {
      std::snprintf(g_progress->what, sizeof g_progress->what, "uncaught %s", typeid(e).name());
      return 4;
    } catch (const std::exception& e) {
      std::snprintf(g_progress->what, sizeof g_progress->what, "uncaught %s: %s", typeid(e).name(), e.what());
      return 4;
    }
    ++g_progress->finished;
  }
  ::DeleteFileA(folder + "case.pkg");
  ::RemoveDirectoryA(folder + "extracted");
  ::RemoveDirectoryA(folder);
  g_progress->completed = 1;
  return 0;
}

void KeepFinding(const Options& o, const std::vector<Target>& targets, uint64_t index, const std::string& why) {
  const Case c = MakeCase(targets, o, index);
  const Target& t = targets[c.target];
  ::CreateDirectoryA(o.findings.c_str(), nullptr);
  char name[64];
  std::snprintf(name, sizeof name, "seed%llu-case%llu.%s", static_cast<unsigned long long>(o.seed),
                static_cast<unsigned long long>(index), t.extension.c_str());
  const std::string path = o.findings + "\\" + name;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(c.bytes.data(), 1, c.bytes.size(), f);
    std::fclose(f);
  }
  std::printf("finding: %s case %llu: %s\n  kept in %s\n%s", t.name.c_str(), static_cast<unsigned long long>(index),
              why.c_str(), path.c_str(), c.mutations.c_str());
  std::fflush(stdout);
}

// One kept input, fed in this process to the target its extension names: for looking
// at a finding (under a debugger, or after a mend).
int Replay(const Options& o) {
  CGdiplusSession gdiplus;
  AfxSetMessageBoxSink([](const CString&, UINT) { return IDCANCEL; });
  AfxSetModalSink([](ModalCall& call) -> INT_PTR { return call.kind == ModalCall::popupMenu ? 0 : IDCANCEL; });
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(o.replay.c_str(), "rb")) {
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
  }
  const std::string extension = o.replay.substr(o.replay.rfind('.') + 1);
  for (const Target& t : MakeTargets(o.mp3Folder)) {
    if (t.extension != extension) continue;
    const bool accepted = t.run(bytes, WorkFolder());
    std::printf("%s: %s\n", o.replay.c_str(), accepted ? "accepted" : "refused");
    return 0;
  }
  std::fprintf(stderr, "campaign: no target reads .%s files\n", extension.c_str());
  return 2;
}

// The valid inputs the cases are made from, one file each.
int WriteSeeds(const Options& o) {
  CGdiplusSession gdiplus;
  ::CreateDirectoryA(o.seedFolder.c_str(), nullptr);
  for (const Target& t : MakeTargets(o.mp3Folder))
    for (size_t i = 0; i < t.seeds.size(); ++i) {
      const std::string path = o.seedFolder + "\\" + t.name + std::to_string(i) + "." + t.extension;
      if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(t.seeds[i].data(), 1, t.seeds[i].size(), f);
        std::fclose(f);
      }
    }
  return 0;
}

int RunSupervisor(int argc, char** argv, const Options& o) {
  CGdiplusSession gdiplus;  // the seeds are measured with GDI+
  const std::vector<Target> targets = SelectTargets(o);
  if (targets.empty()) {
    std::fprintf(stderr, "campaign: no such target or seed\n");
    return 2;
  }
  char mappingName[64];
  std::snprintf(mappingName, sizeof mappingName, "campaign-progress-%lu", ::GetCurrentProcessId());
  HANDLE mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Progress), mappingName);
  auto* progress = static_cast<Progress*>(::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(Progress)));
  std::string common;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--first" || a == "--cases") {
      ++i;
      continue;
    }
    common += " \"" + a + "\"";
  }
  char self[MAX_PATH];
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);

  std::vector<uint64_t> findings;
  const uint64_t end = o.first + o.cases;
  uint64_t next = o.first;
  while (next < end) {
    progress->current = static_cast<LONG64>(next);
    progress->exceptionCode = 0;
    progress->completed = 0;
    progress->what[0] = '\0';
    char range[96];
    std::snprintf(range, sizeof range, " --worker %s --first %llu --cases %llu", mappingName,
                  static_cast<unsigned long long>(next), static_cast<unsigned long long>(end - next));
    std::string command = std::string("\"") + self + "\"" + common + range;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      std::fprintf(stderr, "campaign: cannot start a worker (%lu)\n", ::GetLastError());
      return 2;
    }
    ::CloseHandle(process.hThread);
    // A case that makes no progress for the timeout is a hang.
    LONG64 seen = -1;
    DWORD quietSince = ::GetTickCount();
    bool hung = false;
    while (::WaitForSingleObject(process.hProcess, 250) == WAIT_TIMEOUT) {
      const LONG64 now = progress->finished;
      if (now != seen) {
        seen = now;
        quietSince = ::GetTickCount();
      } else if (::GetTickCount() - quietSince > static_cast<DWORD>(o.timeoutSeconds) * 1000) {
        ::TerminateProcess(process.hProcess, 5);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        hung = true;
        break;
      }
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    // A worker may end without a crash being reported (a stack overflow can take the
    // process down with its handler): only one that says it went through is done.
    if (progress->completed && !hung) break;
    const uint64_t failed = static_cast<uint64_t>(progress->current);
    char why[300];
    if (hung)
      std::snprintf(why, sizeof why, "no progress for %d s", o.timeoutSeconds);
    else if (progress->what[0])
      std::snprintf(why, sizeof why, "%s", progress->what);
    else
      std::snprintf(why, sizeof why, "crash 0x%08lX (exit code 0x%08lX)", static_cast<unsigned long>(progress->exceptionCode),
                    static_cast<unsigned long>(code));
    findings.push_back(failed);
    KeepFinding(o, targets, failed, why);
    // The failed case is counted as a case of its target, neither accepted nor refused.
    next = failed + 1;
  }

  uint64_t accepted = 0, refused = 0;
  for (size_t t = 0; t < targets.size(); ++t) {
    accepted += static_cast<uint64_t>(progress->accepted[t]);
    refused += static_cast<uint64_t>(progress->refused[t]);
    if (!o.quiet)
      std::printf("%-8s accepted %llu, refused %llu\n", targets[t].name.c_str(),
                  static_cast<unsigned long long>(progress->accepted[t]),
                  static_cast<unsigned long long>(progress->refused[t]));
  }
  std::printf("seed %llu: cases %llu, accepted %llu, refused %llu, findings %zu\n",
              static_cast<unsigned long long>(o.seed), static_cast<unsigned long long>(o.cases),
              static_cast<unsigned long long>(accepted), static_cast<unsigned long long>(refused), findings.size());
  return findings.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: campaign [--seed S] [--cases N] [--first K] [--target page|package|library|mp3]\n"
                 "                [--from-seed I] [--mp3 FOLDER] [--findings FOLDER] [--timeout SECONDS] [--quiet]\n");
    return 2;
  }
  if (!o.replay.empty()) return Replay(o);
  if (!o.seedFolder.empty()) return WriteSeeds(o);
  return o.worker ? RunWorker(o) : RunSupervisor(argc, argv, o);
}
