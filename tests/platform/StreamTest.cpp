#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "TestUtil.h"
#include "platform/Errors.h"
#include "platform/FileSystem.h"
#include "platform/Stream.h"

using namespace zemblo;
using zemblo::test::ReadAll;
using zemblo::test::TTempDir;
using zemblo::test::WriteAll;

TEST(Stream, MemoryStreamReadsWritesAndSeeks) {
  TMemoryStream m;
  m.WriteString("hello");
  EXPECT_EQ(m.Position(), 5);
  m.SetPosition(1);
  char buf[8] = {};
  EXPECT_EQ(m.Read(buf, 8), 4u);
  EXPECT_STREQ(buf, "ello");
  m.SetPosition(7);  // writing past the end fills the gap with zeros
  m.WriteString("!");
  EXPECT_EQ(m.Bytes(), std::string("hello\0\0!", 8));
  m.SetPosition(0);
  EXPECT_THROW(m.ReadBuffer(buf, 9), EReadError);
}

TEST(Stream, CopyFromZeroCopiesTheWholeSourceFromItsStart) {
  TMemoryStream src("abcdef"), dst;
  src.SetPosition(4);
  EXPECT_EQ(dst.CopyFrom(src, 0), 6);
  EXPECT_EQ(dst.Bytes(), "abcdef");
}

TEST(Stream, FileStreamErrorsNameTheFile) {
  TTempDir dir;
  EXPECT_THROW(TFileStream(dir / "missing", TFileStream::fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(dir.Path(), TFileStream::fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream(dir / "x/y", TFileStream::fmCreate), EFCreateError);
}

// Replacing a file must never destroy the old one when the new one cannot be written whole.
class SafeWrite : public ::testing::Test {
 protected:
  void TearDown() override { SetSafeWriteFailureAfter(-1); }
  TTempDir dir;
};

TEST_F(SafeWrite, ReplacesTheFileWhole) {
  WriteAll(dir / "f.ini", "old");
  WriteFileSafely(dir / "f.ini", "new\r\n");
  EXPECT_EQ(ReadAll(dir / "f.ini"), "new\r\n");
  EXPECT_EQ(ListFolder(dir.Path(), "*").size(), 1u);  // no temporary file left behind
}

TEST_F(SafeWrite, AFailedWriteKeepsTheOldFile) {
  WriteAll(dir / "f.ini", "old");
  SetSafeWriteFailureAfter(0);
  EXPECT_THROW(WriteFileSafely(dir / "f.ini", "new"), EWriteError);
  EXPECT_EQ(ReadAll(dir / "f.ini"), "old");
  EXPECT_EQ(ListFolder(dir.Path(), "*").size(), 1u);
}

TEST_F(SafeWrite, AReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into read-only folders";
  WriteAll(dir / "f.ini", "old");
  ::chmod(dir.Path().c_str(), 0555);
  EXPECT_THROW(WriteFileSafely(dir / "f.ini", "new"), EFCreateError);
  ::chmod(dir.Path().c_str(), 0755);
  EXPECT_EQ(ReadAll(dir / "f.ini"), "old");
}

TEST_F(SafeWrite, KeepsThePermissionsOfTheReplacedFile) {
  WriteAll(dir / "run", "a");
  ::chmod((dir / "run").c_str(), 0750);
  WriteFileSafely(dir / "run", "b");
  struct stat st;
  ASSERT_EQ(::stat((dir / "run").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0750u);
}
