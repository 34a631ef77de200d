// The property rows of pictures, sounds and videos on the real grid: what each lists,
// what applying a changed file does (and refuses), and the actions pages with their
// kinds: a picture's nine, a sound's and a video's play and stop.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/DrawAnimate.h"
#include "media/DrawMedia.h"
#include "media/DrawMeta.h"
#include "model/DrawDoc.h"
#include "model/DrawRect.h"
#include "model/Method.h"
#include "tests/media/GifFiles.h"
#include "tests/media/SoundFiles.h"
#include "tests/media/TempFolder.h"
#include "tests/support/ArchiveHelpers.h"
#include "tests/support/GridRows.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TestHost.h"

namespace {

using Names = std::vector<CString>;

const Names kBaseRows = {"对象名称", "可见", "透明", "对象层", "按钮化"};

Names Join(const Names& a, const Names& b) {
  Names all = a;
  all.insert(all.end(), b.begin(), b.end());
  return all;
}

struct FileRow {
  int kind = 0;
  CString text, filter;
  BOOL openFile = FALSE;
};

FileRow ReadFileRowOf(CPropGrid& grid, const char* label) {
  FileRow row;
  CPropGridItem* item = grid.FindItem(CString(label));
  if (!item) return row;
  PropertyEntry entry;
  item->GetEntry(&entry, -2);
  row.kind = item->GetKind();
  row.text = entry.text;
  row.filter = entry.extra;
  row.openFile = entry.openFile;
  return row;
}

CString CannotOpen(const CString& path) { return CString("无法打开文件") + path; }

// The grid as the panel shows an object's actions page.
void ListActionsPage(CDrawObj& object, CPropGrid& grid) {
  grid.RemoveAll();
  object.ListActions(&grid, -1);
}

// As the panel does when the author picks a kind in "动作类型" to add a new action.
void PickNewKind(CDrawObj& object, CPropGrid& grid, const char* kind, int keptRows) {
  object.m_selectedAction = -1;
  grid.SetText(1, "");
  grid.SetText(2, kind);
  grid.RemoveItemsFrom(keptRows + 1);
  object.ListActions(&grid, object.ActionTypeFromName(CString(kind)));
}

void ApplyActionsPage(CDrawObj& object, CPropGrid& grid) {
  CString kind;
  grid.GetText(2, &kind);
  object.ApplyActions(&grid, object.ActionTypeFromName(kind));
}

class MediaRows : public testing::Test {
 protected:
  TestHost m_host;
  TempFolder m_files;
};

}  // namespace

// ---- the appearance page ---------------------------------------------------------------

TEST_F(MediaRows, EachKindListsItsFileRowAfterTheBase) {
  const struct {
    const char* kind;
    std::function<std::unique_ptr<CDrawObj>()> make;
    Names rows;
    const char* fileLabel;
    const char* filterHead;
  } cases[] = {
      {"picture",
       [] {
         auto o = std::make_unique<CDrawMeta>(CRect(0, 0, 40, 30));
         o->m_pictureFile = "c:\\pictures\\sky.bmp";
         o->m_picturePlacement = 1;
         return std::unique_ptr<CDrawObj>(std::move(o));
       },
       Join(kBaseRows, {"拉伸背景图", "图象文件"}), "图象文件", "所有文件 (*.*)|*.*|位图文件(*.bmp)|*.bmp|"},
      {"sound",
       [] {
         auto o = std::make_unique<CDrawMedia>(CRect(0, 0, 32, 32));
         o->SetMediaFile("C:\\Sounds\\Bell.WAV");
         return std::unique_ptr<CDrawObj>(std::move(o));
       },
       Join(kBaseRows, {"文件名"}), "文件名", "声音文件(*.wav)|*.wav|音乐文件(*.mid)|*.mid|MP3文件(*.mp3)|*.mp3||"},
      {"video",
       [] {
         auto o = std::make_unique<CDrawAnimate>(CRect(0, 0, 32, 32));
         o->SetMediaFile("C:\\Clips\\Sea.AVI");
         return std::unique_ptr<CDrawObj>(std::move(o));
       },
       Join(kBaseRows, {"文件名"}), "文件名", "Avi文件(*.avi)|*.avi|视频文件(*.dat)|*.dat|"},
  };
  const CString expectedFiles[] = {"c:\\pictures\\sky.bmp", "c:\\sounds\\bell.wav", "c:\\clips\\sea.avi"};
  int i = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    std::unique_ptr<CDrawObj> o = c.make();
    o->m_name = "对象";
    CPropGrid grid;
    o->ListGeneral(&grid);
    EXPECT_EQ(RowNames(grid), c.rows);
    EXPECT_EQ(RowText(grid, "对象名称"), "对象");
    const FileRow file = ReadFileRowOf(grid, c.fileLabel);
    EXPECT_EQ(file.kind, kPropFile);
    EXPECT_EQ(file.text, expectedFiles[i++]);
    EXPECT_TRUE(file.openFile);
    EXPECT_EQ(file.filter.Left(static_cast<int>(strlen(c.filterHead))), c.filterHead);
    EXPECT_EQ(file.filter.Right(2), "||");
  }
  // The picture's stretch flag is a yes/no row.
  CDrawMeta picture(CRect(0, 0, 10, 10));
  picture.m_picturePlacement = 1;
  CPropGrid grid;
  picture.ListGeneral(&grid);
  ASSERT_TRUE(grid.FindItem(CString("拉伸背景图")));
  EXPECT_EQ(grid.FindItem(CString("拉伸背景图"))->GetKind(), kPropFlag);
  EXPECT_EQ(RowFlag(grid, "拉伸背景图"), 1);
}

TEST_F(MediaRows, APictureTakesAFileThatLoadsAndKeepsItsOwnOtherwise) {
  const CString red = m_files.Write(L"red.bmp", SolidBmpFile(6, 4, RGB(255, 0, 0))).c_str();
  const CString blue = m_files.Write(L"blue.bmp", SolidBmpFile(3, 5, RGB(0, 0, 255))).c_str();
  const CString junk = m_files.Write(L"junk.bmp", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}).c_str();
  const CString missing = m_files.File(L"gone.bmp").c_str();

  CDrawMeta picture(CRect(0, 0, 60, 40));
  picture.m_name = "图片0";
  picture.m_pictureFile = red;
  ASSERT_TRUE(picture.LoadPicture(red));

  const struct {
    const char* name;
    CString typed;
    bool taken;
    CSize size;  // of the picture held afterwards
  } cases[] = {
      {"a missing file", missing, false, CSize(6, 4)},
      {"bytes that are no picture", junk, false, CSize(6, 4)},
      {"a bare name", "blue.bmp", false, CSize(6, 4)},
      {"a picture", blue, true, CSize(3, 5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CString before = picture.m_pictureFile;
    CPropGrid grid;
    picture.ListGeneral(&grid);
    grid.SetText(CString("图象文件"), c.typed);
    MessageBoxCapture boxes;
    picture.ApplyGeneral(&grid);
    if (c.taken) {
      EXPECT_TRUE(boxes.boxes().empty());
      EXPECT_EQ(picture.m_pictureFile, c.typed);
    } else {
      ASSERT_EQ(boxes.boxes().size(), 1u);
      EXPECT_EQ(boxes.boxes()[0].text, CannotOpen(c.typed));
      EXPECT_TRUE(boxes.boxes()[0].flags & MB_ICONERROR);
      EXPECT_EQ(picture.m_pictureFile, before);
      EXPECT_EQ(RowText(grid, "图象文件"), before);  // the row shows what the object holds
    }
    ASSERT_TRUE(picture.HasPicture());
    EXPECT_EQ(picture.GetPictureSize(), c.size);
  }

  // An emptied row takes the picture away; the placeholder shows instead.
  CPropGrid grid;
  picture.ListGeneral(&grid);
  grid.SetText(CString("图象文件"), "");
  picture.ApplyGeneral(&grid);
  EXPECT_TRUE(picture.m_pictureFile.IsEmpty());
  EXPECT_FALSE(picture.HasPicture());
}

TEST_F(MediaRows, APictureTakesTheStretchFlagAndNothingWhenItsNameIsEmptied) {
  CDrawMeta picture(CRect(0, 0, 60, 40));
  picture.m_name = "图片0";
  picture.m_picturePlacement = 0;
  CPropGrid grid;
  picture.ListGeneral(&grid);
  grid.SetFlag(CString("拉伸背景图"), TRUE);
  picture.ApplyGeneral(&grid);
  EXPECT_EQ(picture.m_picturePlacement, 1);
  const size_t invalidated = m_host.invalidated.size();

  // An emptied name refuses the whole page: the base puts the name back.
  grid.SetText(CString("对象名称"), "");
  grid.SetFlag(CString("拉伸背景图"), FALSE);
  picture.ApplyGeneral(&grid);
  EXPECT_EQ(picture.m_name, "图片0");
  EXPECT_EQ(picture.m_picturePlacement, 1);
  EXPECT_EQ(m_host.invalidated.size(), invalidated);
}

TEST_F(MediaRows, ASoundTakesAFileItCanPlay) {
  const CString wave = m_files.Write(L"Ring.WAV", soundtest::WaveFile(soundtest::WaveData(64))).c_str();
  const CString midi = m_files.Write(L"tune.mid", soundtest::MidiFile()).c_str();
  const CString other = m_files.Write(L"song.ogg", {'O', 'g', 'g', 'S'}).c_str();
  const CString missing = m_files.File(L"gone.wav").c_str();

  CDrawMedia sound(CRect(0, 0, 32, 32));
  sound.m_name = "声音0";
  const struct {
    const char* name;
    CString typed;
    bool taken;
    WORD kind;  // afterwards
  } cases[] = {
      {"a wave", wave, true, kSoundWave},
      {"a missing file", missing, false, kSoundWave},
      {"a kind no player takes", other, false, kSoundWave},
      {"a folder", CString(m_files.File(L"").c_str()), false, kSoundWave},
      {"a MIDI file", midi, true, kSoundMidi},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const CString before = sound.GetFileName();
    CPropGrid grid;
    sound.ListGeneral(&grid);
    grid.SetText(CString("文件名"), c.typed);
    MessageBoxCapture boxes;
    sound.ApplyGeneral(&grid);
    if (c.taken) {
      EXPECT_TRUE(boxes.boxes().empty());
      CString lower = c.typed;
      lower.MakeLower();
      EXPECT_EQ(sound.GetFileName(), lower);
    } else {
      ASSERT_EQ(boxes.boxes().size(), 1u);
      EXPECT_EQ(boxes.boxes()[0].text, CannotOpen(c.typed));
      EXPECT_EQ(sound.GetFileName(), before);
      EXPECT_EQ(RowText(grid, "文件名"), before);
    }
    EXPECT_EQ(sound.GetKind(), c.kind);
  }
}

TEST_F(MediaRows, AVideoTakesAClipThatExists) {
  const CString clip = m_files.Write(L"Sea.AVI", {'R', 'I', 'F', 'F'}).c_str();
  const CString missing = m_files.File(L"gone.avi").c_str();
  CDrawAnimate video(CRect(0, 0, 32, 32));
  video.m_name = "影像0";

  CPropGrid grid;
  video.ListGeneral(&grid);
  grid.SetText(CString("文件名"), missing);
  {
    MessageBoxCapture boxes;
    video.ApplyGeneral(&grid);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, CannotOpen(missing));
  }
  EXPECT_TRUE(video.GetFileName().IsEmpty());
  EXPECT_EQ(RowText(grid, "文件名"), "");

  grid.SetText(CString("文件名"), clip);
  video.ApplyGeneral(&grid);
  CString lower = clip;
  lower.MakeLower();
  EXPECT_EQ(video.GetFileName(), lower);

  grid.RemoveAll();
  video.ListGeneral(&grid);
  grid.SetText(CString("文件名"), "");
  video.ApplyGeneral(&grid);
  EXPECT_TRUE(video.GetFileName().IsEmpty());
}

// ---- the actions page ------------------------------------------------------------------

TEST_F(MediaRows, TheKindsEachObjectOffers) {
  CDrawMeta still(CRect(0, 0, 10, 10));
  CDrawMeta animated(CRect(0, 0, 10, 10));
  ASSERT_TRUE(animated.LoadPicture(m_files.Write(L"three.gif", ThreeFrameGif(10)).c_str()));
  ASSERT_EQ(animated.m_frameCount, 3);
  CDrawMedia sound(CRect(0, 0, 32, 32));
  CDrawAnimate video(CRect(0, 0, 32, 32));

  const Names pictureKinds = {"平移运动", "特技效果", "页面切换",     "显示或隐藏",
                              "改变层",   "退出",     "调用外部程序", "控制点平移运动"};
  const struct {
    const char* name;
    CDrawObj* object;
    Names kinds;
    Names rows;  // of the page as first listed
  } cases[] = {
      {"still picture",
       &still,
       pictureKinds,
       {"已有动作", "动作类型", "交互", "起始时刻", "持续时间", "循环平移", "双向平移", "轨迹名", "平移速度"}},
      {"animated picture",
       &animated,
       Join(pictureKinds, {"GIF动画"}),
       {"已有动作", "动作类型", "交互", "起始时刻", "持续时间", "循环平移", "双向平移", "轨迹名", "平移速度"}},
      {"sound", &sound, {"播放", "停止"}, {"已有动作", "动作类型", "交互", "起始时刻", "播放时间", "循环播放"}},
      {"video", &video, {"播放", "停止"}, {"已有动作", "动作类型", "交互", "起始时刻", "播放时间", "循环播放"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CPropGrid grid;
    ListActionsPage(*c.object, grid);
    EXPECT_EQ(RowChoices(grid, "动作类型"), c.kinds);
    EXPECT_EQ(RowText(grid, "动作类型"), c.kinds.front());
    EXPECT_EQ(RowNames(grid), c.rows);
    // Every kind listed maps back to its position.
    for (size_t i = 0; i < c.kinds.size(); ++i)
      EXPECT_EQ(c.object->ActionTypeFromName(c.kinds[i]), static_cast<int>(i)) << c.kinds[i].GetString();
  }
}

TEST_F(MediaRows, PlayAndStopActionsAreAddedFromTheirRows) {
  for (bool video : {false, true}) {
    SCOPED_TRACE(video ? "video" : "sound");
    std::unique_ptr<CDrawObj> object;
    if (video)
      object = std::make_unique<CDrawAnimate>(CRect(0, 0, 32, 32));
    else
      object = std::make_unique<CDrawMedia>(CRect(0, 0, 32, 32));
    CPropGrid grid;
    ListActionsPage(*object, grid);
    EXPECT_EQ(RowFlag(grid, "交互"), 0);
    EXPECT_EQ(RowNumber(grid, "起始时刻"), 0);
    EXPECT_EQ(RowNumber(grid, "播放时间"), CMethod().m_nDuration);
    EXPECT_EQ(RowFlag(grid, "循环播放"), 0);

    grid.SetFlag(CString("交互"), TRUE);
    grid.SetNumber(CString("起始时刻"), 5);
    grid.SetNumber(CString("播放时间"), 40);
    grid.SetFlag(CString("循环播放"), TRUE);
    ApplyActionsPage(*object, grid);
    ASSERT_EQ(object->m_actions.GetSize(), 1);
    const CMethod& play = object->m_actions[0];
    EXPECT_EQ(play.m_nType, CMethod::typePlayMedia);
    EXPECT_EQ(play.m_strName, "播放1");
    EXPECT_EQ(play.m_nByEvent, 1);
    EXPECT_EQ(play.m_nStart, 5);
    EXPECT_EQ(play.m_nDuration, 40);
    EXPECT_EQ(play.m_bLoop, 1);
    EXPECT_EQ(object->m_actionMask, CMethod::typePlayMedia);
    EXPECT_EQ(RowChoices(grid, "已有动作"), Names{"播放1"});

    // A stop keeps the first two rows and has only its timing.
    PickNewKind(*object, grid, "停止", 2);
    EXPECT_EQ(RowNames(grid), (Names{"已有动作", "动作类型", "交互", "起始时刻"}));
    grid.SetNumber(CString("起始时刻"), 90);
    ApplyActionsPage(*object, grid);
    ASSERT_EQ(object->m_actions.GetSize(), 2);
    const CMethod& stop = object->m_actions[1];
    EXPECT_EQ(stop.m_nType, CMethod::typeStopMedia);
    EXPECT_EQ(stop.m_strName, "停止1");
    EXPECT_EQ(stop.m_nStart, 90);
    EXPECT_EQ(stop.m_nValue, 1);  // stops with the player let go
    EXPECT_EQ(object->m_actionMask, CMethod::typePlayMedia | CMethod::typeStopMedia);

    // A negative start is refused and changes nothing.
    PickNewKind(*object, grid, "播放", 2);
    grid.SetNumber(CString("起始时刻"), -1);
    {
      MessageBoxCapture boxes;
      ApplyActionsPage(*object, grid);
      ASSERT_EQ(boxes.boxes().size(), 1u);
      EXPECT_EQ(boxes.boxes()[0].text, "起始时刻不能小于0!\n请重新设定起始时刻");
    }
    EXPECT_EQ(object->m_actions.GetSize(), 2);
  }
}

TEST_F(MediaRows, AShownActionIsEditedInItsOwnRows) {
  CDrawMedia sound(CRect(0, 0, 32, 32));
  CMethod stop;
  stop.m_nType = CMethod::typeStopMedia;
  stop.m_strName = "停止1";
  stop.m_nStart = 30;
  CMethod play;
  play.m_nType = CMethod::typePlayMedia;
  play.m_strName = "播放1";
  play.m_nStart = 7;
  play.m_nDuration = 25;
  play.m_bLoop = 1;
  sound.m_actions.Add(stop);
  sound.m_actions.Add(play);

  CPropGrid grid;
  ListActionsPage(sound, grid);
  sound.ShowExistingAction(&grid, 1);
  EXPECT_EQ(RowNames(grid), (Names{"已有动作", "动作类型", "交互", "起始时刻", "播放时间", "循环播放"}));
  EXPECT_EQ(RowText(grid, "动作类型"), "播放");
  EXPECT_EQ(RowNumber(grid, "起始时刻"), 7);
  EXPECT_EQ(RowNumber(grid, "播放时间"), 25);
  EXPECT_EQ(RowFlag(grid, "循环播放"), 1);

  sound.ShowExistingAction(&grid, 0);
  EXPECT_EQ(RowNames(grid), (Names{"已有动作", "动作类型", "交互", "起始时刻"}));
  EXPECT_EQ(RowText(grid, "动作类型"), "停止");
  EXPECT_EQ(RowNumber(grid, "起始时刻"), 30);

  // Listed afresh with an action shown, the page shows that action's kind and rows.
  ListActionsPage(sound, grid);
  EXPECT_EQ(RowText(grid, "已有动作"), "停止1");
  EXPECT_EQ(RowText(grid, "动作类型"), "停止");
  EXPECT_EQ(RowNames(grid), (Names{"已有动作", "动作类型", "交互", "起始时刻"}));

  // Editing keeps the name and the place.
  sound.ShowExistingAction(&grid, 1);
  grid.SetNumber(CString("播放时间"), 60);
  grid.SetFlag(CString("循环播放"), FALSE);
  ApplyActionsPage(sound, grid);
  ASSERT_EQ(sound.m_actions.GetSize(), 2);
  EXPECT_EQ(sound.m_actions[1].m_strName, "播放1");
  EXPECT_EQ(sound.m_actions[1].m_nDuration, 60);
  EXPECT_EQ(sound.m_actions[1].m_bLoop, 0);
  EXPECT_EQ(sound.m_actions[1].m_nStart, 7);
}

TEST_F(MediaRows, ASoundsRowsSurviveASaveAndReload) {
  const Bytes wave = soundtest::WaveFile(soundtest::WaveData(64, 3));
  const CString source = m_files.Write(L"chime.wav", wave).c_str();
  CDrawDoc page;
  auto* sound = new CDrawMedia(CRect(0, 32, 32, 0));
  sound->m_name = "声音0";
  page.m_objects.AddTail(sound);
  auto* sentinel = new CDrawRect(CRect(-7, 9, 11, -13));
  sentinel->m_name = "sentinel";
  page.m_objects.AddTail(sentinel);

  CPropGrid general;
  sound->ListGeneral(&general);
  general.SetText(CString("对象名称"), "铃声");
  general.SetText(CString("文件名"), source);
  sound->ApplyGeneral(&general);
  CPropGrid actions;
  ListActionsPage(*sound, actions);
  actions.SetNumber(CString("起始时刻"), 12);
  actions.SetNumber(CString("播放时间"), 36);
  actions.SetFlag(CString("循环播放"), TRUE);
  ApplyActionsPage(*sound, actions);

  const Bytes bytes = StoreToBytes([&](CArchive& ar) {
    ar.m_pDocument = &page;
    page.Serialize(ar);
  });
  CDrawDoc loaded(CDrawDoc::Reader::editor);
  LoadFromBytes(bytes, [&](CArchive& ar) {
    ar.m_pDocument = &loaded;
    loaded.Serialize(ar);
  });
  ASSERT_EQ(loaded.m_objects.GetCount(), 2);
  auto* back = dynamic_cast<CDrawMedia*>(loaded.m_objects.GetHead());
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(dynamic_cast<CDrawRect*>(loaded.m_objects.GetTail())->m_name, "sentinel");
  EXPECT_EQ(back->m_name, "铃声");
  EXPECT_EQ(back->GetKind(), kSoundWave);
  CString name = back->GetFileName();
  EXPECT_EQ(name.Mid(name.ReverseFind('\\') + 1), "chime.wav");

  CPropGrid shown;
  back->m_selectedAction = -1;
  ListActionsPage(*back, shown);
  back->ShowExistingAction(&shown, 0);
  EXPECT_EQ(RowChoices(shown, "已有动作"), Names{"播放1"});
  EXPECT_EQ(RowText(shown, "动作类型"), "播放");
  EXPECT_EQ(RowNumber(shown, "起始时刻"), 12);
  EXPECT_EQ(RowNumber(shown, "播放时间"), 36);
  EXPECT_EQ(RowFlag(shown, "循环播放"), 1);
}

TEST_F(MediaRows, AnAnimatedPictureAddsAGifAction) {
  CDrawMeta picture(CRect(0, 0, 10, 10));
  ASSERT_TRUE(picture.LoadPicture(m_files.Write(L"three.gif", ThreeFrameGif(10)).c_str()));
  CPropGrid grid;
  ListActionsPage(picture, grid);
  PickNewKind(picture, grid, "GIF动画", 4);
  EXPECT_EQ(RowNames(grid), (Names{"已有动作", "动作类型", "交互", "起始时刻"}));  // no rows of its own
  grid.SetNumber(CString("起始时刻"), 3);
  ApplyActionsPage(picture, grid);
  ASSERT_EQ(picture.m_actions.GetSize(), 1);
  const CMethod& gif = picture.m_actions[0];
  EXPECT_EQ(gif.m_nType, CMethod::typeGif);
  EXPECT_EQ(gif.m_strName, "GIF动画1");
  EXPECT_EQ(gif.m_bGifPlay, 1);
  EXPECT_EQ(gif.m_nValue, 0);
  EXPECT_EQ(gif.m_nStart, 3);
  EXPECT_EQ(picture.m_actionMask, CMethod::typeGif);

  // A translation of the same picture still goes through its own rows.
  PickNewKind(picture, grid, "平移运动", 4);
  EXPECT_EQ(RowText(grid, "轨迹名"), "");
  {
    MessageBoxCapture boxes;
    ApplyActionsPage(picture, grid);
    EXPECT_EQ(boxes.boxes().size(), 1u);  // no trajectory named
  }
  EXPECT_EQ(picture.m_actions.GetSize(), 1);
}
