// Shared-memory files and the data source that offers them to the clipboard and drags.
#include <gtest/gtest.h>

#include <climits>
#include <new>
#include <vector>

#include "framework/core/SharedFile.h"
#include "framework/ui/OleDataObject.h"
#include "framework/ui/OleDataSource.h"

TEST(SharedFileTest, GrowsByItsStepAndHandsOverExactlyWhatWasWritten) {
  CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
  std::vector<BYTE> bytes(5000);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>(i * 7);
  file.Write(bytes.data(), 10);
  file.Write(bytes.data() + 10, static_cast<UINT>(bytes.size() - 10));
  EXPECT_EQ(5000u, file.GetLength());
  HGLOBAL block = file.Detach();
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(0u, file.GetLength());
  ASSERT_EQ(5000u, ::GlobalSize(block));

  // Read back through a file that may not grow the block it was given.
  CSharedFile reader;
  reader.SetHandle(block, FALSE);
  std::vector<BYTE> back(6000);
  EXPECT_EQ(5000u, reader.Read(back.data(), 6000));
  back.resize(5000);
  EXPECT_EQ(bytes, back);
  EXPECT_EQ(0u, reader.Read(back.data(), 1));
  reader.Seek(4999, CFile::begin);
  EXPECT_THROW(reader.Write(bytes.data(), 2), CFileException);
}

TEST(SharedFileTest, AWriteBeyondWhatMemoryHoldsThrowsAndKeepsTheFile) {
  CSharedFile file(GMEM_MOVEABLE, 4096);
  file.Write("abc", 3);
  for (const LONGLONG place : {LONGLONG(1) << 62, LLONG_MAX}) {
    file.Seek(place, CFile::begin);
    EXPECT_THROW(file.Write("d", 1), std::bad_alloc);
    EXPECT_EQ(3u, file.GetLength());
  }
  EXPECT_THROW(file.Seek(-1, CFile::begin), CFileException);
}

TEST(OleDataSourceTest, EachReceiverGetsItsOwnCopyOfTheFormatsCached) {
  auto* source = new COleDataSource;
  const CLIPFORMAT format = static_cast<CLIPFORMAT>(::RegisterClipboardFormatA("DataTransferTest"));
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 3);
  memcpy(::GlobalLock(block), "abc", 3);
  ::GlobalUnlock(block);
  source->CacheGlobalData(format, block);
  COleDataObject data;
  data.Attach(source->GetInterface(), TRUE);

  EXPECT_TRUE(data.IsDataAvailable(format));
  EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
  EXPECT_EQ(nullptr, data.GetGlobalData(CF_TEXT));
  for (int i = 0; i < 2; ++i) {
    std::unique_ptr<CFile> file = data.GetFileData(format);
    ASSERT_NE(nullptr, file);
    char text[4] = {};
    EXPECT_EQ(3u, file->Read(text, 4));
    EXPECT_STREQ("abc", text);
  }
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(S_OK, data.GetIDataObject()->EnumFormatEtc(DATADIR_GET, &formats));
  FORMATETC first = {};
  ULONG fetched = 0;
  EXPECT_EQ(S_OK, formats->Next(1, &first, &fetched));
  EXPECT_EQ(format, first.cfFormat);
  EXPECT_EQ(static_cast<DWORD>(TYMED_HGLOBAL), first.tymed);
  EXPECT_EQ(S_FALSE, formats->Next(1, &first, &fetched));
  formats->Release();
}
