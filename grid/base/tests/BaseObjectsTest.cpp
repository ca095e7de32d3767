// The small persistent objects of the grid foundations: the file string
// list, the file picture, the hint information and its picture, the cell
// checker base.
#include "grid/base/ControlList.h"
#include "grid/base/FilePicture.h"
#include "grid/base/FileStringList.h"
#include "grid/base/GDIPicture.h"
#include "grid/base/RurHintInfo.h"
#include "grid/base/ZurEvoderOzodCheck.h"

#include "platform/Bitmap.h"
#include "platform/Controls.h"
#include "platform/tests/QtTestApp.h"
#include "platform/Canvas.h"
#include "platform/Filer.h"
#include "rtl/StringList.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

QByteArray PngBytes(int W, int H)
{
  QImage Img(W, H, QImage::Format_ARGB32);
  Img.fill(Qt::red);
  QByteArray Bytes;
  QBuffer Buf(&Bytes);
  Buf.open(QIODevice::WriteOnly);
  Img.save(&Buf, "PNG");
  return Bytes;
}

TPictureFormat FormatOf(const QByteArray& B)
{
  return FindPictureFormat(reinterpret_cast<const uint8_t*>(B.constData()), B.size());
}

QByteArray Head(std::initializer_list<int> Bytes, int Total = 48)
{
  QByteArray B(Total, '\0');
  int I = 0;
  for (int V : Bytes)
    B[I++] = static_cast<char>(V);
  return B;
}

} // namespace

TEST(FileStringList, WritesAndReadsLineByLine)
{
  TFileStringList L;
  L.Write(QStringLiteral("a"));
  L.Write(QStringLiteral("b"));
  L.WriteLn(QStringLiteral("c"));
  L.WriteLn(QStringLiteral("d"));
  ASSERT_EQ(L.Count(), 2);
  EXPECT_EQ(L[0].toStdString(), "abc");
  L.Reset();
  String S;
  std::vector<std::string> Read;
  while (!L.Eof()) {
    L.ReadLn(S);
    Read.push_back(S.toStdString());
  }
  EXPECT_EQ(Read, (std::vector<std::string>{"abc", "d"}));
  L.ReadLn(S);
  EXPECT_TRUE(S.isEmpty());
}

TEST(GDIPicture, FindsTheFormatByMagicNumbers)
{
  struct Case {
    const char* What;
    QByteArray Bytes;
    TPictureFormat Expected;
  };
  const QByteArray Png = Head({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
  QByteArray Emf = Head({1, 0, 0, 0});
  Emf.replace(40, 4, " EMF");
  const Case Cases[] = {
      {"png", Png, pfPNG},
      {"png, 43 bytes", Png.left(43), pfNone},
      {"tiff II", Head({'I', 'I', 0x2A, 0}), pfTiff},
      {"II not tiff", Head({'I', 'I', 0, 0, 'G', 'I', 'F'}), pfNone},
      {"tiff MM", Head({'M', 'M', 0, 0x2A}), pfTiff},
      {"bmp", Head({'B', 'M'}), pfBMP},
      {"jpeg", Head({0xFF, 0xD8, 0xFF}), pfJPG},
      {"placeable metafile", Head({0xD7, 0xCD, 0xC6, 0x9A}), pfMetaFile},
      {"enhanced metafile", Emf, pfMetaFile},
      {"gif", Head({'G', 'I', 'F', '8'}), pfGIF},
      {"icon", Head({0, 0, 1, 0}), pfICO},
      {"cursor", Head({0, 0, 2, 0}), pfNone},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    EXPECT_EQ(FormatOf(C.Bytes), C.Expected);
  }
}

TEST(GDIPicture, KeepsBytesAndTravelsThroughForms)
{
  const QByteArray Bytes = PngBytes(7, 5);
  TGDIPPicture P;
  EXPECT_TRUE(P.Empty());
  TMemoryStream In;
  In.WriteBuffer(Bytes.constData(), static_cast<int32_t>(Bytes.size()));
  In.SetPosition(0);
  P.LoadFromStream(&In);
  EXPECT_FALSE(P.Empty());
  EXPECT_EQ(P.Data(), Bytes);
  EXPECT_EQ(P.Width(), 7);
  EXPECT_EQ(P.Height(), 5);
  EXPECT_EQ(P.GetPictureFormat(), pfPNG);

  TGDIPPicture Copy;
  Copy.Assign(&P);
  EXPECT_EQ(Copy.Data(), Bytes);
  EXPECT_EQ(Copy.Width(), 7);

  int32_t Clears = 0;
  Copy.OnClear = [&](TObject*) { ++Clears; };
  Copy.Assign(nullptr);
  EXPECT_TRUE(Copy.Empty());
  EXPECT_EQ(Clears, 1);

  TBitmap Bmp(3, 2);
  Copy.Assign(&Bmp);
  EXPECT_EQ(Copy.GetPictureFormat(), pfBMP);
  EXPECT_EQ(Copy.Width(), 3);
}

TEST(RurHintInfo, AssignCopiesOnlyFromHintInfo)
{
  TRurHintInfo A;
  A.SetTitle(QStringLiteral("Title"));
  A.Notes()->Add(QStringLiteral("line"));
  A.SetShowHelp(true);
  A.SetWideTitle(QStringLiteral("w"));
  const QByteArray Bytes = PngBytes(2, 2);
  TMemoryStream In;
  In.WriteBuffer(Bytes.constData(), static_cast<int32_t>(Bytes.size()));
  In.SetPosition(0);
  A.Picture()->LoadFromStream(&In);

  TRurHintInfo B;
  B.Assign(&A);
  EXPECT_EQ(B.Title().toStdString(), "Title");
  EXPECT_EQ(B.Notes()->Count(), 1);
  EXPECT_TRUE(B.ShowHelp());
  EXPECT_EQ(B.WideTitle().toStdString(), "w");
  EXPECT_EQ(B.Picture()->Data(), Bytes);

  TFont Other;
  B.Assign(&Other);
  EXPECT_EQ(B.Title().toStdString(), "Title");

  TRurHintInfo C;
  EXPECT_TRUE(C.IsEmpty());
  C.Notes()->Add(QStringLiteral("note"));
  EXPECT_FALSE(C.IsEmpty());
  C.Notes()->Clear();
  C.Picture()->Assign(A.Picture());
  EXPECT_TRUE(C.IsEmpty()); // the picture does not count
}

TEST(ZurEvoderOzodCheck, BaseLeavesTextAndForgetsAFreedGrid)
{
  TZurEvoderOzodCheck Check(nullptr);
  EXPECT_EQ(Check.LastResult(), mrOk);
  String Result;
  Check.SetLastResult(2);
  Check.Correct(1, 1, Result, QStringLiteral("teh"));
  EXPECT_EQ(Result.toStdString(), "teh");
  EXPECT_EQ(Check.LastResult(), mrOk);
  Check.SetLastResult(2);
  Check.MarkError(1, 1, Result, QStringLiteral("x"));
  EXPECT_EQ(Result.toStdString(), "x");
  EXPECT_EQ(Check.LastResult(), mrOk);

  auto* Grid = new TComponent(nullptr);
  Check.SetGrid(Grid);
  EXPECT_EQ(Check.Grid(), Grid);
  delete Grid;
  EXPECT_EQ(Check.Grid(), nullptr);
}

TEST(FilePicture, TakesTheSizeOfAnExistingFile)
{
  QTemporaryDir Dir;
  const String Name = Dir.filePath(QStringLiteral("p.png"));
  QImage(6, 4, QImage::Format_RGB32).save(Name);
  TFilePicture P;
  P.SetWidth(1);
  P.SetFilename(Dir.filePath(QStringLiteral("missing.png")));
  EXPECT_EQ(P.Width(), 1);
  P.SetFilename(Name);
  EXPECT_EQ(P.Width(), 6);
  EXPECT_EQ(P.Height(), 4);

  TFilePicture Q;
  Q.Assign(&P);
  EXPECT_EQ(Q.Filename(), Name);
  EXPECT_EQ(Q.Height(), 4);

  TBitmap Target(10, 10);
  Target.Canvas()->Brush()->SetColor(clWhite);
  P.DrawPicture(Target.Canvas(), TRect{0, 0, 10, 10});
  EXPECT_NE(Target.ImageData()->pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(ControlList, ItemsByCellWithoutOwningTheControls)
{
  EnsureQtApplication();
  TControlList L;
  TWinControl A(nullptr), B(nullptr);
  L.AddControl(1, 2, &A);
  L.AddControl(3, 4, &B);
  L.AddControl(1, 2, &B);
  EXPECT_EQ(L.ControlIndex(1, 2), 0);
  EXPECT_EQ(L.ControlIndex(3, 4), 1);
  EXPECT_EQ(L.ControlIndex(5, 5), -1);
  EXPECT_EQ(L.GetControl(1)->FObject, &B);
  EXPECT_THROW(L.GetControl(3), EListError);
  EXPECT_TRUE(L.HasHandle(B.Handle()));
  TWinControl Unplaced(nullptr);
  EXPECT_FALSE(L.HasHandle(Unplaced.Handle()));
  L.RemoveControl(1);
  EXPECT_EQ(L.ControlIndex(3, 4), -1);
  EXPECT_TRUE(L.HasHandle(B.Handle())); // still placed at (1, 2)
  EXPECT_TRUE(B.Visible());             // the control itself stays
  L.ClearControls();
  EXPECT_EQ(L.Count(), 0);
}
