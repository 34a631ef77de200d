#include "tests/campaign/Targets.h"

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

#include "framework/core/Codepage.h"
#include "framework/core/File.h"
#include "media/MemoryByteSource.h"
#include "media/Mp3Decoder.h"
#include "media/Mp3Stream.h"
#include "model/ObjLib.h"
#include "package/PackageIndex.h"
#include "tests/campaign/SeedPages.h"
#include "tests/support/PageExercise.h"

namespace {

// Both readers read the page; one of them, by the length of the input, plays it.
bool RunPage(const std::vector<uint8_t>& bytes, const CString& folder) {
  const bool playerPlays = bytes.size() % 2 != 0;
  bool accepted = ExercisePage(bytes, CDrawDoc::Reader::editor, folder, !playerPlays).outcome == PageOutcome::accepted;
  accepted |= ExercisePage(bytes, CDrawDoc::Reader::player, folder, playerPlays).outcome == PageOutcome::accepted;
  return accepted;
}

void WriteBytes(const CString& path, const std::vector<uint8_t>& bytes) {
  CFile file(path, CFile::modeCreate | CFile::modeWrite);
  file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
}

bool RunPackage(const std::vector<uint8_t>& bytes, const CString& folder) {
  const CString path = folder + "case.pkg";
  WriteBytes(path, bytes);
  PackageIndex index;
  if (index.Read(path) != kPackageOk) return false;
  const CString extracted = folder + "extracted\\";
  ::CreateDirectoryW(codepage::ToWide(extracted.str()).c_str(), nullptr);
  CFile package(path, CFile::modeRead | CFile::shareDenyWrite);
  for (int i = 0; i < index.GetCount() && i < 4; ++i) {
    const PackageEntry& entry = index.GetEntry(i);
    // The player reads a page from where the directory says it lies.
    const size_t from = std::min<size_t>(entry.GetOffset(), bytes.size());
    const size_t to = from + std::min<size_t>(entry.GetSize(), bytes.size() - from);
    ExercisePage(std::vector<uint8_t>(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                                      bytes.begin() + static_cast<std::ptrdiff_t>(to)),
                 CDrawDoc::Reader::player, folder);
    if (index.ExtractPackageEntry(package, i, extracted) == kPackageOk)
      ::DeleteFileW(codepage::ToWide((extracted + entry.GetName()).str()).c_str());
  }
  return true;
}

bool RunMp3(const std::vector<uint8_t>& bytes, const CString&) {
  CMp3Stream stream;
  if (!stream.Open(std::make_unique<CMemoryByteSource>(bytes))) return false;
  CMp3Decoder decoder;
  std::vector<short> out(4608);
  bool started = false;
  int mainData, id, mode, modeExtension, rateIndex;
  while (const uint8_t* frame = stream.ReadFrame(&mainData, &id, &mode, &modeExtension, &rateIndex)) {
    if (!started) {
      decoder.Init(id, mode, modeExtension, rateIndex, nullptr);
      started = true;
    }
    int count = 0;
    decoder.DecodeFrame(frame, stream.HasCrc(), mainData, out.data(), static_cast<int>(out.size()), count, id, mode,
                        modeExtension, rateIndex);
  }
  return true;
}

// A component library as the gallery and the export dialog take it: read from its file,
// each component drawn as its thumbnail is, then written back over the file.
bool RunLibrary(const std::vector<uint8_t>& bytes, const CString& folder) {
  const CString path = folder + "case.lib";
  WriteBytes(path, bytes);
  CObjLib lib;
  try {
    lib.LoadFile(path);
  } catch (const CArchiveException&) {
    lib.DeleteObjects();
    return false;
  }
  if (!lib.m_bValid) return false;
  TestHost host;
  PageBitmap thumbnail(62, 62);
  CDC dc(thumbnail.dc());
  for (POSITION pos = lib.m_objects.GetHeadPosition(); pos;)
    static_cast<CDrawObj*>(lib.m_objects.GetNext(pos))->Draw(&dc, nullptr);
  bool stored = true;
  try {
    lib.StoreFile(path);
  } catch (const CArchiveException&) {
    stored = false;  // more events or actions than the format counts
  }
  lib.DeleteObjects();
  return stored;
}

// Libraries of the seed pages' objects, a few pages to a library.
std::vector<std::vector<uint8_t>> SeedLibraries(const std::vector<SeedPage>& pages) {
  std::vector<std::vector<uint8_t>> seeds;
  for (size_t first = 0; first < pages.size(); first += 3) {
    CObjLib lib;
    lib.m_strDescription = "seed components";
    std::vector<std::unique_ptr<CDrawDoc>> docs;
    for (size_t i = first; i < pages.size() && i < first + 3; ++i) {
      docs.push_back(std::make_unique<CDrawDoc>());
      CMemFile file(pages[i].bytes);
      CArchive ar(&file, CArchive::load);
      ar.m_pDocument = docs.back().get();
      docs.back()->Serialize(ar);
      for (POSITION pos = docs.back()->m_objects.GetHeadPosition(); pos;)
        lib.AddObject(static_cast<CDrawObj*>(docs.back()->m_objects.GetNext(pos)));
    }
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    lib.Serialize(ar);
    ar.Close();
    seeds.push_back(file.Bytes());
  }
  return seeds;
}

void PutU32(std::vector<uint8_t>& bytes, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A package as the writer lays it out: a stub, the pages, their records, the count and
// the marker.
std::vector<uint8_t> ComposePackage(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& files) {
  std::vector<uint8_t> bytes(64, 0x90), directory;
  bytes[0] = 'M';
  bytes[1] = 'Z';
  for (const auto& file : files) {
    PutU32(directory, static_cast<uint32_t>(bytes.size()));
    PutU32(directory, static_cast<uint32_t>(file.second.size()));
    directory.insert(directory.end(), file.first.begin(), file.first.end());
    PutU32(directory, static_cast<uint32_t>(file.first.size()));
    bytes.insert(bytes.end(), file.second.begin(), file.second.end());
  }
  bytes.insert(bytes.end(), directory.begin(), directory.end());
  PutU32(bytes, static_cast<uint32_t>(files.size()));
  const char marker[] = "!QOVA_SFX!";
  bytes.insert(bytes.end(), marker, marker + 10);
  return bytes;
}

std::vector<uint8_t> ReadWhole(const std::string& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() > limit) bytes.resize(limit);
  return bytes;
}

}  // namespace

std::vector<Target> MakeTargets(const std::string& mp3Folder) {
  std::vector<Target> targets;
  Target page{"page", "rvx", 16, {}, RunPage};
  std::vector<SeedPage> pages = MakeSeedPages();
  for (const SeedPage& seed : pages) page.seeds.push_back(seed.bytes);
  targets.push_back(page);

  Target package{"package", "pkg", 2, {}, RunPackage};
  for (size_t i = 0; i < pages.size(); i += 2)
    package.seeds.push_back(
        ComposePackage({{"home.rvx", pages[i].bytes}, {"page2.rvx", pages[(i + 1) % pages.size()].bytes}}));
  targets.push_back(package);

  Target library{"library", "lib", 2, SeedLibraries(pages), RunLibrary};
  targets.push_back(library);

  if (!mp3Folder.empty()) {
    Target mp3{"mp3", "mp3", 2, {}, RunMp3};
    // The beginnings of a few small files of different kinds keep each case short.
    for (const char* name : {"tone_mono.mp3", "noise_crc.mp3", "freeformat.mp3", "tagged.mp3", "mpeg25.mp3",
                             "noise_22k.mp3", "mix_joint_192.mp3"}) {
      std::vector<uint8_t> bytes = ReadWhole(mp3Folder + "/" + name, 12000);
      if (!bytes.empty()) mp3.seeds.push_back(std::move(bytes));
    }
    if (!mp3.seeds.empty()) targets.push_back(mp3);
  }
  return targets;
}
