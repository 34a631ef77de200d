// Kordel's picture and sound tools: the objects they make, the picture chosen by a
// double click, the sound's icon while editing, and a sound file dropped on a sound.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "editor/DrawTool.h"
#include "editor/DrawView.h"
#include "editor/MainFrame.h"
#include "framework/ui/CmdUI.h"
#include "media/DrawAnimate.h"
#include "media/DrawMedia.h"
#include "media/DrawMeta.h"
#include "graphics/ImageHelpers.h"
#include "resources/KordelIds.h"
#include "tests/editor/EditorFixture.h"
#include "tests/media/Canvas.h"
#include "tests/media/SoundFiles.h"
#include "tests/media/TempFolder.h"
#include "tests/media/VideoFiles.h"
#include "tests/support/MemoryBitmap.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/ModalCapture.h"

namespace {

HDROP DropOf(const CString& file) {
  const size_t size = sizeof(DROPFILES) + file.GetLength() + 2;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  auto* drop = static_cast<DROPFILES*>(::GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), file.GetString(), file.GetLength());
  ::GlobalUnlock(block);
  return static_cast<HDROP>(block);
}

}  // namespace

class MediaToolTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    NewPage();
    Frame()->MoveWindow(0, 0, 1200, 900);
    Frame()->RecalcLayout();
    View()->m_bActive = TRUE;
    CDrawView::s_nCurrentShape = kToolSelect;
  }
  void TearDown() override {
    CDrawView::SetCurrentShape(kToolSelect);
    ::ReleaseCapture();
    EditorTest::TearDown();
  }
  void Send(UINT message, UINT flags, CPoint logical) {
    View()->LPtoDPPoint(logical);
    View()->SendMessage(message, flags, MAKELPARAM(logical.x, logical.y));
  }
  void Drag(CPoint from, CPoint to) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, from);
    Send(WM_MOUSEMOVE, MK_LBUTTON, to);
    Send(WM_LBUTTONUP, 0, to);
  }
  CDrawObj* Last() const { return static_cast<CDrawObj*>(Doc()->m_objects.GetTail()); }
  // The view painted into a bitmap; the colour at a page point.
  COLORREF PaintedAt(CPoint logical) {
    CRect client;
    View()->GetClientRect(&client);
    MemoryBitmap bitmap(client.Width(), client.Height());
    CDC dc(bitmap.dc());
    View()->OnPrepareDC(&dc);
    View()->OnDraw(&dc);
    View()->LPtoDPPoint(logical);
    return bitmap.Pixel(logical.x, logical.y);
  }
};

TEST_F(MediaToolTest, ThePictureToolsObjectTakesTheFileChosenByADoubleClick) {
  CTestCmdUI command(ID_TOOL_PICTURE);
  command.DoUpdate(Frame(), TRUE);
  EXPECT_TRUE(command.m_bEnabled);
  View()->SendMessage(WM_COMMAND, ID_TOOL_PICTURE);
  Drag(CPoint(-60, 40), CPoint(60, -40));
  auto* picture = dynamic_cast<CDrawMeta*>(Last());
  ASSERT_NE(nullptr, picture);
  EXPECT_STREQ("图片0", picture->m_name);
  EXPECT_EQ(1, Doc()->m_nameCounters[kToolPicture]);
  // Until it has a file, the placeholder: not the paper.
  EXPECT_NE(RGB(255, 255, 255), PaintedAt(CPoint(0, 0)));

  TempFolder files;
  const CString red =
      files.Write(L"red.bmp", [] {
        std::vector<BYTE> bytes;
        auto solid = MakePicture(8, 8, std::vector<Gdiplus::ARGB>(64, kRed));
        EncodeImage(*solid, L"image/bmp", FALSE, bytes);
        return bytes;
      }()).c_str();
  ModalCapture dialogs([&](ModalCall& call) -> INT_PTR {
    if (call.kind != ModalCall::fileDialog) return IDCANCEL;
    call.path = red;
    return IDOK;
  });
  CDrawView::SetCurrentShape(kToolSelect);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CPoint(0, 0));
  ASSERT_EQ(1u, dialogs.calls().size());
  EXPECT_STREQ("打开文件", dialogs.calls()[0].title);
  EXPECT_STREQ(red, picture->m_pictureFile);
  // Away from the selected object's handles, which mark its centre and corners.
  EXPECT_EQ(RGB(255, 0, 0), PaintedAt(CPoint(30, -20)));
}

TEST_F(MediaToolTest, ASoundIs32By32AndShowsItsIconOnlyWhileEditing) {
  View()->SendMessage(WM_COMMAND, ID_TOOL_SOUND);
  Drag(CPoint(0, 0), CPoint(100, -70));
  auto* sound = dynamic_cast<CDrawMedia*>(Last());
  ASSERT_NE(nullptr, sound);
  EXPECT_STREQ("声音0", sound->m_name);
  CRect r = sound->m_position;
  r.NormalizeRect();
  EXPECT_EQ(CSize(32, 32), r.Size());
  const CPoint inside((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  View()->Select(nullptr);
  int marked = 0;
  for (int dx = -12; dx <= 12; dx += 4) marked += PaintedAt(inside + CPoint(dx, 0)) != RGB(255, 255, 255);
  EXPECT_GT(marked, 0) << "the icon";
  app->m_nMode = 1;
  Doc()->m_transitionPending = 0;
  for (int dx = -12; dx <= 12; dx += 4) EXPECT_EQ(RGB(255, 255, 255), PaintedAt(inside + CPoint(dx, 0)));
  app->m_nMode = 2;
}

TEST_F(MediaToolTest, AWavDroppedOnASelectedSoundPlays) {
  auto* sound = new CDrawMedia(CRect(0, 32, 32, 0));
  Doc()->Add(sound);
  View()->Select(sound);
  TempFolder files;
  const CString wave = files.Write(L"drop.wav", soundtest::WaveFile(soundtest::WaveData(4410))).c_str();
  Doc()->SetModifiedFlag(FALSE);
  MessageBoxCapture boxes;
  Frame()->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(wave)));
  CString lower = wave;
  lower.MakeLower();
  EXPECT_STREQ(lower, sound->GetFileName());
  EXPECT_EQ(kSoundWave, sound->GetKind());
  EXPECT_TRUE(Doc()->IsModified());
  EXPECT_STREQ("", Doc()->m_backPictureFile);
  if (waveOutGetNumDevs() > 0) {
    EXPECT_TRUE(sound->GetMciSound().IsOpen());
    EXPECT_TRUE(boxes.boxes().empty());
  } else {
    // No wave device here: the play is refused with the system's message.
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_STREQ("MCI Error", boxes.boxes()[0].caption);
  }
  sound->Stop();
}

TEST_F(MediaToolTest, TheVideoToolsObjectPlaysItsClipInPreviewUntilDeselected) {
  ::CoInitialize(nullptr);
  CTestCmdUI command(ID_TOOL_ANIMATION);
  command.DoUpdate(Frame(), TRUE);
  EXPECT_TRUE(command.m_bEnabled);
  View()->SendMessage(WM_COMMAND, ID_TOOL_ANIMATION);
  Drag(CPoint(-60, 40), CPoint(60, -40));
  auto* video = dynamic_cast<CDrawAnimate*>(Last());
  ASSERT_NE(nullptr, video);
  EXPECT_STREQ("影像0", video->m_name);
  EXPECT_EQ(1, Doc()->m_nameCounters[kToolVideo]);

  TempFolder files;
  const CString clip = files.Write(L"clip.avi", videotest::AviFile(RGB(0, 0, 255), 39, 10)).c_str();
  ModalCapture dialogs([&](ModalCall& call) -> INT_PTR {
    if (call.kind != ModalCall::fileDialog) return IDCANCEL;
    call.path = clip;
    return IDOK;
  });
  CDrawView::SetCurrentShape(kToolSelect);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, CPoint(0, 0));
  ASSERT_EQ(1u, dialogs.calls().size());
  EXPECT_STREQ("打开文件", dialogs.calls()[0].title);
  CString lower = clip;
  lower.MakeLower();
  EXPECT_STREQ(lower, video->GetFileName());

  PaintedAt(CPoint(0, 0));
  ASSERT_TRUE(video->HasGraph());
  EXPECT_EQ(54, video->GetPlayLength());
  EXPECT_FALSE(video->IsPlaying());
  View()->Select(video);
  View()->SendMessage(WM_COMMAND, ID_PREVIEW);
  PaintedAt(CPoint(0, 0));
  EXPECT_TRUE(video->IsPlaying());
  View()->Select(nullptr);
  EXPECT_FALSE(video->IsPlaying());
  ::CoUninitialize();
}
