// Buttons, pictures and the other cell objects: the Add, Create, Has, Get
// and Remove families over a merged range, who frees what, and the kinds'
// own rules (progress values, markers, balloons, comments, rotation).
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/FilePicture.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "platform/Bitmap.h"
#include "platform/ImgList.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

template <typename T>
class TTrackedAs : public T {
public:
  explicit TTrackedAs(bool* Freed) : FFreed(Freed) {}
  ~TTrackedAs() override { *FFreed = true; }

private:
  bool* FFreed;
};
using TTrackedBitmap = TTrackedAs<TBitmap>;
using TTrackedList = TTrackedAs<TStringList>;

// A grid with an image list and the range (1,1)-(2,2) merged.
class CellObjects : public ::testing::Test {
protected:
  void SetUp() override
  {
    EnsureQtApplication();
    Images.SetSize(12, 10);
    TBitmap B(12, 10);
    Images.Add(&B);
    Images.Add(&B);
    G.SetGridImages(&Images);
    G.SetColCount(6);
    G.SetRowCount(6);
    G.MergeCells(1, 1, 2, 2);
  }
  TImageList Images{nullptr};
  TZurEvoderOzod G{nullptr};
  TBitmap Bitmap{8, 8};
  TIcon Icon;
  TPicture Picture;
  TFilePicture FilePicture;
};

using TCellOp = std::function<void(TZurEvoderOzod&, int32_t, int32_t)>;
using TCellQuery = std::function<bool(TZurEvoderOzod&, int32_t, int32_t)>;

} // namespace

// Every family made at the base cell of a merged range: Has answers for
// every cell of the range (Has looks at the base) except where Has is
// "Get is not nil" (bitmaps, pictures, file pictures), which sees only the
// cell itself; Remove takes only its own kind.
TEST_F(CellObjects, FamiliesOverAMergedRange)
{
  struct Family {
    const char* Name;
    TCellType Type;
    TCellOp Make;
    TCellQuery Has;
    bool HasSeesTheRange;
    TCellQuery Remove;
  };
  const Family Families[] = {
      {"bitmap", ctBitmap, [&](auto& Z, int c, int r) { Z.AddBitmap(c, r, &Bitmap, true, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.HasBitmap(c, r); }, false,
       [](auto& Z, int c, int r) { return Z.RemoveBitmap(c, r); }},
      {"created bitmap", ctBitmap, [](auto& Z, int c, int r) { Z.CreateBitmap(c, r, false, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.GetBitmap(c, r) != nullptr; }, false,
       [](auto& Z, int c, int r) { return Z.RemoveBitmap(c, r); }},
      {"icon", ctIcon, [&](auto& Z, int c, int r) { Z.AddIcon(c, r, &Icon, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.IsCellGraphic(c, r, CellTypeBit(ctIcon)); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveIcon(c, r); }},
      {"picture", ctPicture,
       [&](auto& Z, int c, int r) { Z.AddPicture(c, r, &Picture, false, noStretch, 0, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.HasPicture(c, r); }, false,
       [](auto& Z, int c, int r) { return Z.RemovePicture(c, r); }},
      {"file picture", ctFilePicture,
       [&](auto& Z, int c, int r) { Z.AddFilePicture(c, r, &FilePicture, false, Stretch, 2, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.HasFilePicture(c, r); }, false,
       [](auto& Z, int c, int r) { return Z.RemoveFilePicture(c, r); }},
      {"image index", ctImageList, [](auto& Z, int c, int r) { Z.AddImageIdx(c, r, 1, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.IsCellGraphic(c, r, CellTypeBit(ctImageList)); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveImageIdx(c, r); }},
      {"data image", ctDataImage, [](auto& Z, int c, int r) { Z.AddDataImage(c, r, 1, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.HasDataImage(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveCellGraphic(c, r, ctDataImage); }},
      {"images", ctImages, [](auto& Z, int c, int r) { Z.AddMultiImage(c, r, 0, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.IsCellGraphic(c, r, CellTypeBit(ctImages)); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveMultiImage(c, r); }},
      {"button", ctButton,
       [](auto& Z, int c, int r) { Z.AddButton(c, r, 30, 16, QStringLiteral("Go"), haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.HasButton(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveButton(c, r); }},
      {"bit button", ctBitButton,
       [](auto& Z, int c, int r) { Z.CreateBitButton(c, r, 38, 38, String(), haCenter, vaCenter); },
       [](auto& Z, int c, int r) { return Z.HasButton(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveBitButton(c, r); }},
      {"progress", ctProgress, [](auto& Z, int c, int r) { Z.AddProgress(c, r, clGreen, clWhite); },
       [](auto& Z, int c, int r) { return Z.HasProgress(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveProgress(c, r); }},
      {"gauge", ctXPProgress, [](auto& Z, int c, int r) { Z.AddRurProgress(c, r, 0, 50); },
       [](auto& Z, int c, int r) { return Z.IsCellGraphic(c, r, CellTypeBit(ctXPProgress)); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveRurProgress(c, r); }},
      {"pie", ctProgressPie, [](auto& Z, int c, int r) { Z.AddProgressPie(c, r, clRed, 40); },
       [](auto& Z, int c, int r) { return Z.IsCellGraphic(c, r, CellTypeBit(ctProgressPie)); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveProgressPie(c, r); }},
      {"range", ctRangeIndicator, [](auto& Z, int c, int r) { Z.AddRangeIndicator(c, r, 10, clRed, clGreen, true); },
       [](auto& Z, int c, int r) { return Z.IsCellGraphic(c, r, CellTypeBit(ctRangeIndicator)); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveRangeIndicator(c, r); }},
      {"shape", ctShape, [](auto& Z, int c, int r) { Z.AddShape(c, r, csStar, clYellow, clBlack, haLeft, vaTop); },
       [](auto& Z, int c, int r) { return Z.HasShape(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveShape(c, r); }},
      {"rating", ctRating, [](auto& Z, int c, int r) { Z.AddRating(c, r, 5, clYellow, clSilver); },
       [](auto& Z, int c, int r) { return Z.HasRating(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveRating(c, r); }},
      {"scroll bar", ctScrollbar, [](auto& Z, int c, int r) { Z.AddScrollBar(c, r, false); },
       [](auto& Z, int c, int r) { return Z.HasScrollBar(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveScrollBar(c, r); }},
      {"rotated", ctRotated, [](auto& Z, int c, int r) { Z.AddRotated(c, r, 90, QStringLiteral("up")); },
       [](auto& Z, int c, int r) { return Z.IsCellGraphic(c, r, CellTypeBit(ctRotated)); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveRotated(c, r); }},
      {"balloon", ctBalloon,
       [](auto& Z, int c, int r) { Z.AddBalloon(c, r, QStringLiteral("T"), QStringLiteral("x"), biInfo); },
       [](auto& Z, int c, int r) { return Z.IsCellGraphic(c, r, CellTypeBit(ctBalloon)); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveBalloon(c, r), true; }},
      {"check box", ctCheckBox, [](auto& Z, int c, int r) { Z.AddCheckBox(c, r, true, false); },
       [](auto& Z, int c, int r) { return Z.HasCheckBox(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveCheckBox(c, r), true; }},
      {"radio group", ctRadio, [](auto& Z, int c, int r) { Z.CreateRadio(c, r, 0, -1); },
       [](auto& Z, int c, int r) { return Z.IsRadio(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveRadio(c, r); }},
      {"radio button", ctRadioButton, [](auto& Z, int c, int r) { Z.AddRadioButton(c, r, true); },
       [](auto& Z, int c, int r) { return Z.HasRadioButton(c, r); }, true,
       [](auto& Z, int c, int r) { return Z.RemoveRadioButton(c, r), true; }},
  };
  for (const Family& F : Families) {
    SCOPED_TRACE(F.Name);
    F.Make(G, 1, 1);
    EXPECT_EQ(G.GetCellType(1, 1), F.Type);
    EXPECT_TRUE(F.Has(G, 1, 1));
    for (const TPoint Covered : {TPoint{2, 1}, TPoint{1, 2}, TPoint{2, 2}})
      EXPECT_EQ(F.Has(G, Covered.X, Covered.Y), F.HasSeesTheRange) << Covered.X << "," << Covered.Y;
    EXPECT_FALSE(F.Has(G, 3, 1));
    // Another kind's Remove leaves the record.
    EXPECT_FALSE(G.RemoveCellGraphic(1, 1, F.Type == ctShape ? ctRating : ctShape));
    EXPECT_EQ(G.GetCellType(1, 1), F.Type);
    EXPECT_TRUE(F.Remove(G, 1, 1));
    EXPECT_FALSE(F.Has(G, 1, 1));
    EXPECT_EQ(G.GetCellType(1, 1), ctEmpty);
  }
}

// Without an image list the image kinds make nothing; a data image names
// its index in an empty cell and is the cell's integer afterwards.
TEST_F(CellObjects, ImageKindsNeedTheImageList)
{
  G.AddDataImage(4, 4, 1, haLeft, vaTop);
  EXPECT_EQ(G.Cells(4, 4).toStdString(), "1");
  int32_t Idx = -1;
  G.AddImageIdx(4, 3, 0, haLeft, vaTop);
  EXPECT_TRUE(G.GetImageIdx(4, 3, Idx));
  EXPECT_EQ(Idx, 0);
  EXPECT_TRUE(G.SetImageIdx(4, 3, 1));
  G.GetImageIdx(4, 3, Idx);
  EXPECT_EQ(Idx, 1);

  G.SetGridImages(nullptr);
  for (auto Make : {+[](TZurEvoderOzod& Z) { Z.AddImageIdx(5, 5, 0, haLeft, vaTop); },
                    +[](TZurEvoderOzod& Z) { Z.AddDataImage(5, 5, 0, haLeft, vaTop); },
                    +[](TZurEvoderOzod& Z) { Z.AddMultiImage(5, 5, 1, haLeft, vaTop); },
                    +[](TZurEvoderOzod& Z) { Z.AddDataPicture(5, 5, QStringLiteral("logo"), haLeft, vaTop); }}) {
    Make(G);
    EXPECT_EQ(G.GetCellType(5, 5), ctEmpty);
  }
  EXPECT_FALSE(G.GetImageIdx(4, 3, Idx)); // no list, no index
  // The list going away takes the grid's reference with it.
  auto* Owned = new TImageList(nullptr);
  G.SetGridImages(Owned);
  delete Owned;
  EXPECT_EQ(G.GridImages(), nullptr);

  // A data image's record goes and the text with it, even when the
  // record was of another kind.
  G.AddBitmap(3, 4, &Bitmap, false, haLeft, vaTop);
  G.SetCells(3, 4, QStringLiteral("7"));
  G.RemoveDataImage(3, 4);
  EXPECT_TRUE(G.Cells(3, 4).isEmpty());
  EXPECT_EQ(G.GetBitmap(3, 4), &Bitmap);
}

// Created objects die with their record, handed-in ones never.
TEST_F(CellObjects, CreatedObjectsAreFreedHandedInOnesKept)
{
  bool GlyphFreed = false, TheirsFreed = false;
  // A made glyph replaced by another bit button goes with its record.
  bool ListFreed = false, TheirListFreed = false;
  G.CreateBitButton(4, 1, 38, 38, String(), haCenter, vaCenter);
  delete G.GetCellGraphic(4, 1)->CellBitmap();
  G.GetCellGraphic(4, 1)->SetCellBitmap(new TTrackedBitmap(&GlyphFreed));
  G.CreateBitButton(4, 1, 38, 38, String(), haCenter, vaCenter);
  EXPECT_TRUE(GlyphFreed);
  // The caller's glyph outlives the record.
  TTrackedBitmap Theirs(&TheirsFreed);
  G.AddBitButton(4, 2, 20, 20, QStringLiteral("Run"), &Theirs, haLeft, vaTop);
  G.CreateBitButton(4, 2, 38, 38, String(), haCenter, vaCenter);
  G.RemoveButton(4, 2);
  EXPECT_FALSE(TheirsFreed);
  // A radio group made by the grid owns its choices; one handed in does not.
  G.CreateRadio(4, 3, 0, 0);
  delete G.GetCellGraphic(4, 3)->CellBitmap();
  G.GetCellGraphic(4, 3)->SetCellBitmap(new TTrackedList(&ListFreed));
  G.RemoveRadio(4, 3);
  EXPECT_TRUE(ListFreed);
  TTrackedList Theirs2(&TheirListFreed);
  G.AddRadio(4, 3, 0, 0, &Theirs2);
  G.RemoveRadio(4, 3);
  EXPECT_FALSE(TheirListFreed);
}

// The packed button size, pushing, the caption, and the rectangle the
// painter stored, found from a display column with hidden columns before it.
TEST_F(CellObjects, ButtonsByDisplayColumn)
{
  G.AddButton(4, 3, 30, 16, QStringLiteral("Set Up"), haLeft, vaTop);
  const TCellGraphic* B = G.GetCellGraphic(4, 3);
  EXPECT_EQ(B->CellIndex(), 16 * 65536 + 30);
  EXPECT_FALSE(B->CellBoolean());
  G.HideColumn(3);
  EXPECT_EQ(G.GetButtonText(3, 3).toStdString(), "Set Up");
  G.SetButtonText(3, 3, QStringLiteral("Run"));
  EXPECT_EQ(B->CellText().toStdString(), "Run");
  G.PushButton(3, 3, true);
  EXPECT_TRUE(B->CellBoolean());
  // The painter keeps the button's place in the cell: 5 down, 7 across.
  G.GetCellGraphic(4, 3)->SetCellValue(5 * 65536 + 7);
  const TRect Cell = G.CellRect(3, 3);
  EXPECT_EQ(G.ButtonRect(3, 3), (TRect{Cell.Left + 7, Cell.Top + 5, Cell.Left + 37, Cell.Top + 21}));
  EXPECT_EQ(G.ButtonRect(2, 3), TRect{});
  G.RemoveAllButtons();
  EXPECT_FALSE(G.HasButton(4, 3));
}

// Progress bars keep colours, ranges and formats; the marker shares their
// range fields; pies, shapes and scroll bars keep and give their values.
TEST_F(CellObjects, KindsKeepTheirValues)
{
  G.AddProgress(4, 1, clGreen, clWhite);
  const TCellGraphic* P = G.GetCellGraphic(4, 1);
  EXPECT_EQ(P->CellBitmapColor(), clGreen);
  EXPECT_EQ(P->CellIconColor(), clWhite);
  EXPECT_EQ(P->CellErrFrom(), 0);
  EXPECT_EQ(P->CellErrLen(), 100);
  EXPECT_FALSE(P->CellBoolean());
  G.AddProgressFormatted(4, 2, clBlue, clWhite, clWhite, clBlack, QStringLiteral("%.0f m"), 10, 60, 2.0);
  const TCellGraphic* F = G.GetCellGraphic(4, 2);
  EXPECT_TRUE(F->CellBoolean());
  EXPECT_EQ(F->CellErrFrom(), 10);
  EXPECT_EQ(F->CellErrLen(), 60);
  EXPECT_EQ(F->CellText().toStdString(), "%.0f m");
  EXPECT_EQ(F->CellValue(), 2.0);
  // A marker on a progress cell takes over its range.
  G.AddMarker(4, 1, 3, 4);
  EXPECT_EQ(G.GetCellType(4, 1), ctProgress);
  EXPECT_EQ(P->CellErrFrom(), 3);
  G.RemoveMarker(4, 1);
  EXPECT_EQ(P->CellErrLen(), 0);
  EXPECT_EQ(G.GetCellType(4, 1), ctProgress);
  // A marker alone is a record of its own, and goes with it.
  G.AddMarker(5, 1, 1, 2);
  int32_t Pos = -1, Len = -1;
  G.GetMarker(5, 1, Pos, Len);
  EXPECT_EQ(Pos, 1);
  EXPECT_EQ(Len, 2);
  G.RemoveMarker(5, 1);
  EXPECT_EQ(G.GetCellType(5, 1), ctEmpty);

  G.AddShape(4, 3, csCircle, clRed, clBlack, haLeft, vaTop);
  G.SetShapeColor(4, 3, clLime);
  EXPECT_EQ(G.GetShapeColor(4, 3), clLime);
  EXPECT_EQ(G.GetShapeColor(5, 3), clNone);

  G.AddScrollBar(4, 4, false);
  EXPECT_EQ(G.GetScrollPosition(4, 4), 0);
  EXPECT_EQ(G.GetScrollProp(4, 4).Range, 100);
  G.SetScrollPosition(4, 4, 30);
  G.SetScrollProp(4, 4, TScrollProp{10, 50});
  EXPECT_EQ(G.GetScrollPosition(4, 4), 30);
  EXPECT_EQ(G.GetScrollProp(4, 4).PageSize, 10);
  EXPECT_EQ(G.GetScrollPosition(5, 4), -1);
  EXPECT_EQ(G.GetScrollProp(5, 4).Range, -1);

  // Rotation turns any record into rotated text.
  G.AddCheckBox(4, 5, true, false);
  G.SetRotated(4, 5, -90);
  int32_t Angle = 0;
  EXPECT_TRUE(G.IsRotated(4, 5, Angle));
  EXPECT_EQ(Angle, 270);
  EXPECT_FALSE(G.HasCheckBox(4, 5));
}

// Balloons: a record of their own, or attached to a carrier; comments on
// any record, a picture's text standing for its comment.
TEST_F(CellObjects, BalloonsAndComments)
{
  String Title, Text;
  TBalloonIcon Icon = biNone;
  G.AddBalloon(4, 1, QStringLiteral("Depth"), QStringLiteral("in metres"), biWarning);
  EXPECT_TRUE(G.HasBalloon(4, 1));
  EXPECT_TRUE(G.IsBalloon(4, 1, Title, Text, Icon));
  EXPECT_EQ(Title.toStdString(), "Depth");
  EXPECT_EQ(Icon, biWarning);

  G.AddCheckBox(4, 2, false, false);
  G.AddBalloon(4, 2, QStringLiteral("Fitted"), QStringLiteral("instrument present"), biInfo);
  EXPECT_FALSE(G.HasBalloon(4, 2)); // a carrier, not a balloon record
  EXPECT_TRUE(G.IsBalloon(4, 2, Title, Text, Icon));
  EXPECT_EQ(Text.toStdString(), "instrument present");
  G.RemoveBalloon(4, 2);
  EXPECT_FALSE(G.IsBalloon(4, 2, Title, Text, Icon));
  EXPECT_TRUE(G.HasCheckBox(4, 2));
  // A button carries no balloon: the cell stays as it is.
  G.AddButton(4, 3, 10, 10, String(), haLeft, vaTop);
  G.AddBalloon(4, 3, QStringLiteral("x"), QStringLiteral("y"), biInfo);
  EXPECT_FALSE(G.IsBalloon(4, 3, Title, Text, Icon));

  G.AddComment(5, 1, QStringLiteral("checked"));
  String Comment;
  EXPECT_TRUE(G.IsComment(5, 1, Comment));
  EXPECT_EQ(G.GetCellType(5, 1), ctNone);
  EXPECT_FALSE(G.GetCellEmpty(5, 1));
  G.SetComment(4, 3, QStringLiteral("on the button"));
  EXPECT_EQ(G.GetCellType(4, 3), ctButton);
  EXPECT_EQ(G.GetComment(4, 3).toStdString(), "on the button");
  G.AddPicture(5, 2, &Picture, false, noStretch, 0, haLeft, vaTop);
  G.GetCellGraphic(5, 2)->SetCellText(QStringLiteral("logo"));
  EXPECT_TRUE(G.IsComment(5, 2, Comment));
  EXPECT_EQ(Comment.toStdString(), "logo");
  G.RemoveAllComments();
  EXPECT_FALSE(G.IsComment(5, 1, Comment));
  EXPECT_TRUE(G.GetCellEmpty(5, 1));
}
