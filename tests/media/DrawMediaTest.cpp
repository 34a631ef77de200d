// The sound object: its file and kind, its records in a page, the private copies its
// embedded bytes are played from, and its icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "framework/core/Archive.h"
#include "framework/ui/DC.h"
#include "media/DrawMedia.h"
#include "media/EmbeddedMediaFolder.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "tests/media/SoundFiles.h"
#include "tests/media/TempFolder.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TestHost.h"

namespace {

bool Exists(const CString& path) { return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

Bytes ReadAll(const CString& path) {
  Bytes bytes;
  HANDLE h = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  bytes.resize(::GetFileSize(h, nullptr));
  DWORD got = 0;
  ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  ::CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

CString Folder(const CString& path) { return path.Left(path.ReverseFind('\\')); }

Bytes StorePage(CDrawDoc& page) {
  return StoreToBytes([&](CArchive& ar) {
    ar.m_pDocument = &page;
    page.Serialize(ar);
  });
}

void LoadPage(const Bytes& bytes, CDrawDoc& page) {
  LoadFromBytes(bytes, [&](CArchive& ar) {
    ar.m_pDocument = &page;
    page.Serialize(ar);
  });
}

CDrawMedia* AddSound(CDrawDoc& page, const CString& file) {
  auto* sound = new CDrawMedia(CRect(0, 32, 32, 0));
  sound->m_name = "sound";
  sound->SetMediaFile(file);
  page.m_objects.AddTail(sound);
  return sound;
}

void AddSentinel(CDrawDoc& page) {
  auto* sentinel = new CDrawRect(CRect(-7, 9, 11, -13));
  sentinel->m_name = "sentinel";
  page.m_objects.AddTail(sentinel);
}

template <typename T>
T* ObjectAt(CDrawDoc& page, int index) {
  POSITION pos = page.m_objects.FindIndex(index);
  return pos ? dynamic_cast<T*>(page.m_objects.GetAt(pos)) : nullptr;
}

void ExpectSentinel(CDrawDoc& page) {
  auto* sentinel = ObjectAt<CDrawRect>(page, page.m_objects.GetCount() - 1);
  ASSERT_NE(nullptr, sentinel);
  EXPECT_STREQ("sentinel", sentinel->m_name);
  EXPECT_EQ(CRect(-7, 9, 11, -13), sentinel->m_position);
}

// Replaces the first occurrence of `from` in the bytes by `to`.
bool Splice(Bytes& bytes, const Bytes& from, const Bytes& to) {
  auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
  if (at == bytes.end()) return false;
  at = bytes.erase(at, at + static_cast<std::ptrdiff_t>(from.size()));
  bytes.insert(at, to.begin(), to.end());
  return true;
}

Bytes Text(const std::string& s) {
  Bytes b = {static_cast<BYTE>(s.size())};
  AppendText(b, s);
  return b;
}

}  // namespace

TEST(DrawMedia, SetMediaFileTakesTheKindFromTheNamesExtension) {
  struct Row {
    const char* start;  // the file before the call ("" for a new object)
    const char* path;
    WORD kind;
    const char* file;  // after the call
    bool nameChanged;
  };
  const Row rows[] = {
      {"", "x.MID", kSoundMidi, "x.mid", true},
      {"", "x.wav", kSoundWave, "x.wav", true},
      {"", "C:\\A\\B.Mp3", kSoundMp3, "c:\\a\\b.mp3", true},
      {"c:\\a\\start.wav", "D:\\Other\\START.WAV", kSoundWave, "d:\\other\\start.wav", false},
      {"c:\\a\\start.wav", "c:\\a\\other.wav", kSoundWave, "c:\\a\\other.wav", true},
      // Unknown: kind 0, the file stays. No extension: nothing changes (the flag stays
      // as the start left it), and a dot in a folder's name is no extension.
      {"c:\\a\\start.wav", "x.ogg", kSoundUnknown, "c:\\a\\start.wav", true},
      {"c:\\a\\start.mp3", "noext", kSoundMp3, "c:\\a\\start.mp3", true},
      {"c:\\a\\start.mp3", "C:\\v1.2\\sound", kSoundMp3, "c:\\a\\start.mp3", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    CDrawMedia sound;
    if (*row.start) sound.SetMediaFile(row.start);
    sound.SetMediaFile(row.path);
    EXPECT_EQ(row.kind, sound.GetKind());
    EXPECT_STREQ(row.file, sound.GetFileName());
    EXPECT_EQ(row.nameChanged, sound.IsNameChanged() != FALSE);
  }
}

// A sound taken from a drive path, as a page stored with embedding writes it.
class SoundPage : public testing::Test {
 protected:
  void SetUp() override {
    m_data = soundtest::WaveData(256);  // 1 KB of samples
    m_wave = soundtest::WaveFile(m_data);
    m_source = m_files.Write(L"b.wav", m_wave).c_str();
  }

  TempFolder m_files;
  Bytes m_data, m_wave;
  CString m_source;
};

TEST_F(SoundPage, RecordsOfASoundFromADrivePath) {
  CDrawDoc page;
  CDrawMedia* sound = AddSound(page, m_source);
  sound->CollectResources(2);
  EXPECT_STREQ("b.wav", sound->GetFileName());  // the record holds the bare name

  const Bytes object = StoreToBytes([&](CArchive& ar) { sound->Serialize(ar); });
  Bytes tail;
  AppendWord(tail, kSoundWave);
  AppendText(tail, std::string("\x05") + "b.wav");
  ASSERT_GE(object.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), object.end() - static_cast<std::ptrdiff_t>(tail.size())))
      << Hex(Bytes(object.end() - 16, object.end()));

  const Bytes embedded = StoreToBytes([&](CArchive& ar) {
    ar.m_pDocument = &page;
    sound->SerializeEmbedded(ar, 2);
  });
  Bytes expected = Text("b.wav");
  AppendDword(expected, static_cast<unsigned long>(m_wave.size()));
  AppendDword(expected, kSoundWave);
  expected.insert(expected.end(), m_wave.begin(), m_wave.end());
  EXPECT_EQ(expected, embedded) << Hex(embedded);

  // Afterwards the object plays what the page carries: its copy in the page's folder.
  EXPECT_STREQ("b.wav", sound->GetEmbedded().GetSourcePath());
  const CString copy = sound->GetFileName();
  EXPECT_NE(m_source, copy);
  EXPECT_EQ("\\b.wav", std::string(copy.Right(6)));
  EXPECT_EQ(m_wave, ReadAll(copy));

  // Other modes write nothing.
  EXPECT_TRUE(StoreToBytes([&](CArchive& ar) { sound->SerializeEmbedded(ar, 0); }).empty());
}

TEST_F(SoundPage, ReadersPlayACopyThatGoesWithThePage) {
  CDrawDoc page;
  AddSound(page, m_source);
  AddSentinel(page);
  const Bytes bytes = StorePage(page);

  CString copy;
  for (CDrawDoc::Reader reader : {CDrawDoc::Reader::editor, CDrawDoc::Reader::player}) {
    auto loaded = std::make_unique<CDrawDoc>(reader);
    LoadPage(bytes, *loaded);
    auto* sound = ObjectAt<CDrawMedia>(*loaded, 0);
    ASSERT_NE(nullptr, sound);
    ExpectSentinel(*loaded);
    copy = sound->GetPlayPath();
    EXPECT_TRUE(sound->GetEmbedded().IsEmbedded());
    EXPECT_EQ(kSoundWave, sound->GetKind());
    EXPECT_EQ(m_wave, ReadAll(copy));
    EXPECT_STRNE(m_source, copy);
    loaded.reset();
    EXPECT_FALSE(Exists(copy));
    EXPECT_FALSE(Exists(Folder(copy)));  // no copy outlives its page, nor its folder
  }
}

TEST_F(SoundPage, DamagedOrHostileRecordsKeepThePageInStep) {
  CDrawDoc page;
  AddSound(page, m_source);
  AddSentinel(page);
  const Bytes good = StorePage(page);
  Bytes lengthAndKind;
  AppendDword(lengthAndKind, static_cast<unsigned long>(m_wave.size()));
  AppendDword(lengthAndKind, kSoundWave);
  Bytes recordHead = Text("b.wav");
  recordHead.insert(recordHead.end(), lengthAndKind.begin(), lengthAndKind.end());
  Bytes objectTail;
  AppendWord(objectTail, kSoundWave);
  const Bytes objectName = Text("b.wav");
  objectTail.insert(objectTail.end(), objectName.begin(), objectName.end());

  auto withRecordName = [&](const std::string& name) {
    Bytes b = good;
    Bytes head = Text(name);
    head.insert(head.end(), lengthAndKind.begin(), lengthAndKind.end());
    EXPECT_TRUE(Splice(b, recordHead, head));
    return b;
  };
  struct Row {
    const char* what;
    Bytes bytes;
    bool copied;             // a copy is played
    const char* fileName;    // what the object plays when there is no copy
  };
  Bytes pathInObject = good;
  Bytes pathTail;
  AppendWord(pathTail, kSoundWave);
  const Bytes pathName = Text("c:\\sounds\\b.wav");
  pathTail.insert(pathTail.end(), pathName.begin(), pathName.end());
  ASSERT_TRUE(Splice(pathInObject, objectTail, pathTail));
  Bytes kindSeven = good;
  Bytes seven = recordHead;
  seven[seven.size() - 4] = 7;
  ASSERT_TRUE(Splice(kindSeven, recordHead, seven));
  Bytes empty = good;
  {
    Bytes head = Text("b.wav");
    AppendDword(head, 0);
    AppendDword(head, kSoundWave);
    Bytes whole = recordHead;
    whole.insert(whole.end(), m_wave.begin(), m_wave.end());
    ASSERT_TRUE(Splice(empty, whole, head));
  }
  const Row rows[] = {
      {"plain", good, true, nullptr},
      {"record kind 7 (ignored)", kindSeven, true, nullptr},
      {"object names a path", pathInObject, false, "c:\\sounds\\b.wav"},
      {"length 0", empty, false, "b.wav"},
      {"..\\..\\x.dll", withRecordName("..\\..\\x.dll"), false, "b.wav"},
      {"C:\\x.wav", withRecordName("C:\\x.wav"), false, "b.wav"},
      {"empty name", withRecordName(""), false, "b.wav"},
      {".", withRecordName("."), false, "b.wav"},
      {"..", withRecordName(".."), false, "b.wav"},
      {"CON", withRecordName("CON"), false, "b.wav"},
      {"con.wav", withRecordName("con.wav"), false, "b.wav"},
      {"lone lead byte", withRecordName("\xB2"), false, "b.wav"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CDrawDoc loaded(CDrawDoc::Reader::player);
    LoadPage(row.bytes, loaded);
    auto* sound = ObjectAt<CDrawMedia>(loaded, 0);
    ASSERT_NE(nullptr, sound);
    ExpectSentinel(loaded);
    EXPECT_EQ(row.copied, sound->GetEmbedded().IsEmbedded() != FALSE);
    if (row.copied)
      EXPECT_EQ(m_wave, ReadAll(sound->GetPlayPath()));
    else
      EXPECT_STREQ(row.fileName, sound->GetFileName());
  }

  // A length past the end is damage: the page is refused, nothing is half-read.
  Bytes past = good;
  Bytes huge = Text("b.wav");
  AppendDword(huge, 0x7FFFFFF0);
  AppendDword(huge, kSoundWave);
  ASSERT_TRUE(Splice(past, recordHead, huge));
  CDrawDoc loaded(CDrawDoc::Reader::player);
  EXPECT_THROW(LoadPage(past, loaded), CArchiveException);
}

TEST_F(SoundPage, ACopyThatCannotBeWrittenIsSkipped) {
  CDrawDoc page;
  AddSound(page, m_source);
  AddSentinel(page);
  const Bytes bytes = StorePage(page);
  for (CDrawDoc::Reader reader : {CDrawDoc::Reader::editor, CDrawDoc::Reader::player}) {
    SCOPED_TRACE(reader == CDrawDoc::Reader::editor ? "editor" : "player");
    CDrawDoc loaded(reader);
    // A folder of the copy's name stands where the copy would go.
    auto folder = CEmbeddedMediaFolder::ForPage(&loaded);
    ASSERT_NE(nullptr, folder);
    ASSERT_TRUE(::CreateDirectoryA(folder->GetPath() + "\\b.wav", nullptr));
    MessageBoxCapture boxes;
    LoadPage(bytes, loaded);
    auto* sound = ObjectAt<CDrawMedia>(loaded, 0);
    ASSERT_NE(nullptr, sound);
    ExpectSentinel(loaded);
    EXPECT_FALSE(sound->GetEmbedded().IsEmbedded());
    EXPECT_STREQ("b.wav", sound->GetFileName());
    // The reading programs say so; the editor reads on silently.
    EXPECT_EQ(reader == CDrawDoc::Reader::player ? 1u : 0u, boxes.boxes().size());
  }
}

TEST_F(SoundPage, SameNamedSoundsOfPagesAndObjectsKeepTheirOwnBytes) {
  TempFolder other;
  const Bytes otherWave = soundtest::WaveFile(soundtest::WaveData(300, 2));
  const Bytes thirdWave = soundtest::WaveFile(soundtest::WaveData(200, 3));
  const CString otherSource = other.Write(L"b.wav", otherWave).c_str();
  CDrawDoc first, second;
  AddSound(first, m_source);
  AddSound(first, otherSource);
  TempFolder third;
  AddSound(second, third.Write(L"b.wav", thirdWave).c_str());
  const Bytes firstBytes = StorePage(first), secondBytes = StorePage(second);

  CDrawDoc a(CDrawDoc::Reader::player), b(CDrawDoc::Reader::player);
  LoadPage(firstBytes, a);
  LoadPage(secondBytes, b);
  const CString paths[] = {ObjectAt<CDrawMedia>(a, 0)->GetPlayPath(), ObjectAt<CDrawMedia>(a, 1)->GetPlayPath(),
                           ObjectAt<CDrawMedia>(b, 0)->GetPlayPath()};
  EXPECT_EQ(m_wave, ReadAll(paths[0]));
  EXPECT_EQ(otherWave, ReadAll(paths[1]));
  EXPECT_EQ(thirdWave, ReadAll(paths[2]));
  for (const CString& path : paths) EXPECT_EQ("\\b.wav", std::string(path.Right(6)));  // names stay bare
}

TEST_F(SoundPage, ADuplicateKeepsItsSoundAfterTheOriginalGoes) {
  CDrawDoc page;
  AddSound(page, m_source);
  const Bytes bytes = StorePage(page);
  CDrawDoc loaded(CDrawDoc::Reader::editor);
  LoadPage(bytes, loaded);
  auto* original = ObjectAt<CDrawMedia>(loaded, 0);
  auto* duplicate = static_cast<CDrawMedia*>(original->Clone(nullptr));
  ASSERT_NE(nullptr, duplicate);
  loaded.m_objects.AddTail(duplicate);
  const CString copy = original->GetPlayPath();
  EXPECT_EQ(copy, duplicate->GetPlayPath());
  loaded.m_objects.RemoveHead();
  delete original;
  EXPECT_EQ(m_wave, ReadAll(copy));

  // Saved and read again, the duplicate still carries the bytes.
  const Bytes again = StorePage(loaded);
  CDrawDoc reread(CDrawDoc::Reader::player);
  LoadPage(again, reread);
  EXPECT_EQ(m_wave, ReadAll(ObjectAt<CDrawMedia>(reread, 0)->GetPlayPath()));
}

TEST(DrawMedia, ShowsItsIconWhileEditingAndNothingInARun) {
  TestHost host;
  MemoryBitmap bitmap(64, 64);
  CDC dc(bitmap.dc());
  CDrawMedia sound(CRect(8, 8, 40, 40));
  auto inside = [&] {
    int marked = 0;
    for (int y = 8; y < 40; ++y)
      for (int x = 8; x < 40; ++x) marked += bitmap.Pixel(x, y) != RGB(255, 255, 255);
    return marked;
  };
  host.mode = kModeEditing;
  sound.DrawObject(&dc, nullptr);
  EXPECT_GT(inside(), 100);
  EXPECT_EQ(RGB(255, 255, 255), bitmap.Pixel(50, 50));

  bitmap.Fill(RGB(255, 255, 255));
  host.mode = kModeRunning;
  sound.DrawObject(&dc, nullptr);
  EXPECT_EQ(0, inside());
  sound.m_buttonised = 1;  // a push button still shows its frame
  sound.DrawObject(&dc, nullptr);
  EXPECT_GT(inside(), 0);
}
