// Our bitmap reader against Qt's own on every file of the fuzz target's seed corpus.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cstdlib>

#include "TestUtil.h"
#include "window/Bitmap.h"
#include "window/KXCtl.h"

using namespace zemblo;

TEST(Bitmap, AgreesWithQtsReaderOnTheSeedCorpus) {
  const QString dir = QString::fromStdString(test::SourceDir() + "fuzz/window/corpus/bitmap/");
  const QStringList files = QDir(dir).entryList({"*.bmp"}, QDir::Files, QDir::Name);
  ASSERT_GT(files.size(), 20);
  int compared = 0;
  for (const QString& name : files) {
    SCOPED_TRACE(name.toStdString());
    const std::string bytes = test::ReadAll((dir + name).toStdString());
    if (name.startsWith("broken_")) {
      EXPECT_THROW(DecodeBitmap(bytes), EInvalidBitmap);
      continue;
    }
    QImage theirs(dir + name, "BMP");
    ASSERT_FALSE(theirs.isNull());
    theirs = theirs.convertToFormat(QImage::Format_ARGB32);
    TBitmapData ours = DecodeBitmap(bytes);
    ASSERT_EQ(ours.Width, theirs.width());
    ASSERT_EQ(ours.Height, theirs.height());
    // Qt widens 5- and 6-bit channels by shifting, we by rounding: allow that difference.
    const int tol = name.contains("555") || name.contains("565") ? 8 : 0;
    // Qt leaves the pixels no run of an RLE stream reaches black; we give them colour 0, as
    // other readers do (the unit tests check those): compare the pixels the runs wrote.
    const bool rle = name.startsWith("rle");
    int bad = 0;
    std::string picture;
    for (int y = 0; y < ours.Height; ++y, picture += "\n")
      for (int x = 0; x < ours.Width; ++x) {
        QRgb a = ours.Pixel(x, y), b = theirs.pixel(x, y);
        picture += QString::asprintf("%06X/%06X ", a & 0xFFFFFF, b & 0xFFFFFF).toStdString();
        if (rle && (b & 0xFFFFFF) == 0) continue;
        if (std::abs(qRed(a) - qRed(b)) > tol || std::abs(qGreen(a) - qGreen(b)) > tol ||
            std::abs(qBlue(a) - qBlue(b)) > tol)
          ++bad;
      }
    EXPECT_EQ(bad, 0) << "ours/Qt's:\n" << picture;
    // What the box and the window draw is the same picture.
    EXPECT_EQ(WrapBitmap(ours).pixel(ours.Width - 1, 0), ours.Pixel(ours.Width - 1, 0));
    ++compared;
  }
  EXPECT_GE(compared, 20);
}
