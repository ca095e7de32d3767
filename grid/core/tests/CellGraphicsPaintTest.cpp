// Cell graphics as the grid draws them: every kind of cell object in two
// control styles against golden images, the check and radio looks of all
// styles, what the drawing reads from each record, the set-up screen's
// buttons and check boxes end to end, and the measured sizes.
#include "grid/core/ZurEvoderOzod.h"

#include "PaintedGrid.h"

#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/GridSettings.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ImgList.h"
#include "platform/tests/GoldenImage.h"
#include "platform/tests/QtTestApp.h"
#include "rtl/StringList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A self-drawing cell object: a filled square of its colour.
class TSwatch : public TObject, public ICellGraphicSource {
public:
  explicit TSwatch(TColor C) : FColor(C) {}
  void Draw(TCanvas* Canvas, const TRect& R, TComponent*, bool, int32_t, int32_t) override
  {
    Canvas->Brush()->SetColor(FColor);
    Canvas->FillRect(TRect{R.Left + 4, R.Top + 4, R.Left + 16, R.Top + 16});
  }
  int32_t Width() override { return 12; }
  int32_t Height() override { return 12; }
  bool IsBefore() override { return false; }

private:
  TColor FColor;
};

// A 12 x 12 bitmap: a frame of one colour around a white inside, on a
// magenta ground in its corner pixels.
std::unique_ptr<TBitmap> Glyph(TColor C, int32_t Side = 12)
{
  auto B = std::make_unique<TBitmap>(Side, Side);
  TCanvas* K = B->Canvas();
  K->Brush()->SetColor(clFuchsia);
  K->FillRect(TRect{0, 0, Side, Side});
  K->Brush()->SetColor(C);
  K->FillRect(TRect{1, 1, Side - 1, Side - 1});
  K->Brush()->SetColor(clWhite);
  K->FillRect(TRect{4, 4, Side - 4, Side - 4});
  return B;
}

// One cell of every kind, 6 columns of 92 x 30 pixels.
class TKindsGrid {
public:
  explicit TKindsGrid(TGridControlStyle Style) : G(6 * 92 + 2, 6 * 30 + 2)
  {
    Images.SetSize(12, 10);
    for (TColor C : {clRed, clBlue, clGreen}) {
      TBitmap B(12, 10);
      B.Canvas()->Brush()->SetColor(C);
      B.Canvas()->FillRect(TRect{0, 0, 12, 10});
      Images.Add(&B);
    }
    G.SetGridImages(&Images);
    G.SetColCount(6);
    G.SetRowCount(6);
    G.SetFixedCols(0);
    G.SetFixedRows(0);
    G.SetDefaultColWidth(92);
    G.SetDefaultRowHeight(30);
    G.SetHideFocusRect(true);
    G.SetVAlignment(vtaCenter);
    // Editable, so that controls look active.
    G.SetOptions(G.Options() | GridOptionBit(goEditing));
    G.ControlLook()->SetControlStyle(Style);
    G.ControlLook()->SetRadioSize(12);

    G.SetCells(0, 0, QStringLiteral("bmp"));
    G.AddBitmap(0, 0, Bitmap.get(), true, haBeforeText, vaCenter);
    G.SetCells(1, 0, QStringLiteral("icon"));
    G.AddIcon(1, 0, &Icon, haAfterText, vaTop);
    G.AddImageIdx(2, 0, 1, haCenter, vaCenter);
    G.AddDataImage(3, 0, 2, haLeft, vaCenter);
    G.AddMultiImage(4, 0, 0, haLeft, vaCenter);
    G.GetCellImages(4, 0)->Add(0);
    G.GetCellImages(4, 0)->Add(2);
    G.GetCellImages(4, 0)->Add(1);
    G.SetCells(5, 0, QStringLiteral("pic"));
    Picture.SetGraphic(Bitmap.get());
    G.AddPicture(5, 0, &Picture, false, Stretch, 0, haRight, vaFull);

    G.SetCells(0, 1, QStringLiteral("on"));
    G.AddCheckBox(0, 1, true, false);
    G.SetCells(1, 1, QStringLiteral("off"));
    G.AddCheckBox(1, 1, false, false);
    G.SetCells(2, 1, QStringLiteral("Y"));
    G.AddCheckBox(2, 1, true, true);
    G.SetCells(3, 1, QStringLiteral("mixed"));
    G.AddCheckBox(3, 1, cbGrayed);
    G.SetCells(4, 1, QStringLiteral("on"));
    G.AddRadioButton(4, 1, true);
    G.SetCells(5, 1, QStringLiteral("off"));
    G.AddRadioButton(5, 1, false);

    TStringList* Choices = G.CreateRadio(0, 2, 1, 1);
    Choices->Add(QStringLiteral("A"));
    Choices->Add(QStringLiteral("B"));
    G.MergeCells(0, 2, 2, 1);
    G.AddButton(2, 2, 60, 20, QStringLiteral("Set Up"), haCenter, vaCenter);
    G.AddBitButton(3, 2, 24, 24, String(), Bitmap.get(), haCenter, vaCenter);
    G.AddButton(4, 2, 60, 20, QStringLiteral("Down"), haCenter, vaCenter);
    G.PushButton(4, 2, true);
    G.SetCells(5, 2, QStringLiteral("txt"));
    G.AddComment(5, 2, QStringLiteral("note"));

    G.SetCells(0, 3, QStringLiteral("40"));
    G.AddProgress(0, 3, 0x00C08000, clWhite);
    G.SetCells(1, 3, QStringLiteral("80"));
    G.AddRurProgress(1, 3, 0, 100);
    G.SetCells(2, 3, QStringLiteral("pie"));
    G.AddProgressPie(2, 3, clRed, 60);
    G.SetCells(3, 3, QStringLiteral("-4"));
    G.AddRangeIndicator(3, 3, 10, clRed, clGreen, false);
    G.AddShape(4, 3, csDiamond, clYellow, clBlack, haCenter, vaCenter);
    G.AddShape(5, 3, csArrowUp, clLime, clNavy, haLeft, vaCenter);

    G.SetCells(0, 4, QStringLiteral("3.7"));
    G.AddRating(0, 4, 5, clYellow, clSilver);
    G.MergeCells(0, 4, 2, 1);
    G.AddRotated(2, 4, 90, QStringLiteral("up"));
    G.AddRotated(3, 4, 45, QStringLiteral("slant"));
    G.AddInterfacedCell(4, 4, &Swatch);
    G.SetCells(5, 4, QStringLiteral("abc"));
    G.AddMarker(5, 4, 1, 1);

    G.SetCells(0, 5, QStringLiteral("tri"));
    G.AddCheckBox(0, 5, cbChecked);
    G.SetCells(1, 5, QStringLiteral("flat"));
    G.AddButton(1, 5, 40, 16, QStringLiteral("wide caption here"), haLeft, vaBottom);
  }
  std::unique_ptr<TBitmap> Bitmap = Glyph(clNavy);
  TIcon Icon;
  TPicture Picture;
  TSwatch Swatch{clPurple};
  TImageList Images{nullptr};
  TPaintedGrid G;
};

} // namespace

TEST(CellGraphicsPaint, EveryKindInTwoControlStyles)
{
  EnsureQtApplication();
  struct Case {
    TGridControlStyle Style;
    const char* Golden;
  };
  for (const Case& C : {Case{csClassic, "cell_objects_classic"}, Case{csWinXP, "cell_objects_winxp"}}) {
    SCOPED_TRACE(C.Golden);
    TKindsGrid K(C.Style);
    K.Icon.Assign(Glyph(clGreen, 10).get());
    const QImage Image = K.G.Painted();
    EXPECT_GOLDEN(Image, QString::fromLatin1(C.Golden), 16, 60);
  }
}

// What the drawing takes from the records, checked on the pixels: the
// rating's stars, the check state, the radio group's chosen item, the
// comment marker and the image of a data image.
TEST(CellGraphicsPaint, DrawingFollowsTheRecords)
{
  EnsureQtApplication();
  TKindsGrid K(csClassic);
  auto Paint = [&] { return K.G.Painted(); };
  QImage Image = Paint();
  const TRect Rating = K.G.CellRect(0, 4);
  // 3.7 of five stars: three full, one half, one empty, 18 pixels apart.
  auto StarColour = [&](int32_t Star, int32_t DX) {
    const int32_t X = Rating.Left + K.G.XYOffset().X + Star * 18 + DX;
    const int32_t Y = Rating.Top + K.G.XYOffset().Y + 8;
    return PixelOf(Image, X, Y);
  };
  for (int32_t S = 0; S < 3; ++S)
    EXPECT_EQ(StarColour(S, 8), clYellow) << S;
  EXPECT_EQ(StarColour(3, 5), clYellow);  // the half star's filled left
  EXPECT_EQ(StarColour(3, 11), clSilver); // its empty right
  EXPECT_EQ(StarColour(4, 8), clSilver);

  // A data image draws the image its text names.
  const TRect DataImage = K.G.CellRect(3, 0);
  EXPECT_GT(CountColor(Image, clGreen, DataImage), 60);
  K.G.SetCells(3, 0, QStringLiteral("0"));
  Image = Paint();
  EXPECT_EQ(CountColor(Image, clGreen, DataImage), 0);
  EXPECT_GT(CountColor(Image, clRed, DataImage), 60);
  K.G.SetCells(3, 0, QStringLiteral("9")); // no such image
  Image = Paint();
  EXPECT_EQ(CountColor(Image, clRed, DataImage), 0);

  // The comment's corner in the comment colour; none without a comment.
  const TRect Commented = K.G.CellRect(5, 2);
  EXPECT_GT(CountColor(Image, 0x000000FF, Commented), 5);
  K.G.RemoveComment(5, 2);
  EXPECT_EQ(CountColor(Paint(), 0x000000FF, Commented), 0);

  // A check box's mark comes and goes with its state.
  auto Cell = [&](const QImage& I, int32_t C, int32_t R) {
    const TRect B = K.G.CellRect(C, R);
    return I.copy(B.Left, B.Top, B.Width(), B.Height());
  };
  const QImage Unchecked = Cell(Paint(), 1, 1);
  K.G.ToggleCheck(1, 1, false);
  EXPECT_NE(Cell(Paint(), 1, 1), Unchecked);
  K.G.ToggleCheck(1, 1, false);
  EXPECT_EQ(Cell(Paint(), 1, 1), Unchecked);

  // A radio button without its mark stays unmarked in an empty cell.
  K.G.SetCells(5, 1, String());
  const QImage Off = Cell(Paint(), 5, 1);
  K.G.SetRadioButtonState(5, 1, true);
  EXPECT_NE(Cell(Paint(), 5, 1), Off);
  K.G.SetRadioButtonState(5, 1, false);
  EXPECT_EQ(Cell(Paint(), 5, 1), Off);

  // A marked stretch of text is underlined in red; modified rows get their
  // bar at the right of column 0.
  const TRect Marked = K.G.CellRect(5, 4);
  EXPECT_GT(CountColor(Paint(), clRed, Marked), 4);
  K.G.RemoveMarker(5, 4);
  EXPECT_EQ(CountColor(Paint(), clRed, Marked), 0);
  K.G.ShowModified()->SetEnabled(true);
  K.G.SetRowModified(5, true);
  Image = Paint();
  EXPECT_GE(CountColor(Image, 0x0000FFFF, K.G.CellRect(0, 5)), 4 * 25);
  EXPECT_EQ(CountColor(Image, 0x0000FFFF, K.G.CellRect(0, 1)), 0);

  // The radio group marks the item whose caption is the text when it has
  // no index.
  const QImage Chosen = Cell(Paint(), 0, 2); // index 1: "B"
  K.G.SetRadioIdx(0, 2, -1);
  const QImage None = Cell(Paint(), 0, 2);
  EXPECT_NE(None, Chosen);
  K.G.SetCells(0, 2, QStringLiteral("B"));
  EXPECT_EQ(Cell(Paint(), 0, 2), Chosen);
}

// Check boxes and radio buttons in every control style, checked and not,
// enabled and not; the mixed box in each.
TEST(CellGraphicsPaint, CheckAndRadioLooksOfEveryStyle)
{
  EnsureQtApplication();
  TPaintedGrid G(7 * 26 + 2, 7 * 24 + 2);
  G.SetColCount(7);
  G.SetRowCount(7);
  G.SetFixedCols(0);
  G.SetFixedRows(0);
  G.SetDefaultColWidth(26);
  G.SetDefaultRowHeight(24);
  G.SetHideFocusRect(true);
  G.ControlLook()->SetCheckedGlyph(Glyph(clGreen).get());
  G.ControlLook()->SetUnCheckedGlyph(Glyph(clMaroon).get());
  G.ControlLook()->SetRadioOnGlyph(Glyph(clBlue).get());
  G.ControlLook()->SetRadioOffGlyph(Glyph(clGray).get());
  // Rows: checked, unchecked, mixed, read-only checked; radio on, off,
  // read-only on. Columns: the seven styles, each drawn by the cell's own
  // column through the drawing event.
  for (int32_t C = 0; C < 7; ++C) {
    G.AddCheckBox(C, 0, true, false);
    G.AddCheckBox(C, 1, false, false);
    G.AddCheckBox(C, 2, cbGrayed);
    G.AddCheckBox(C, 3, true, false);
    G.AddRadioButton(C, 4, true);
    G.AddRadioButton(C, 5, false);
    G.AddRadioButton(C, 6, true);
  }
  G.SetOptions(G.Options() | GridOptionBit(goEditing));
  G.OnCanEditCell = [](TObject*, int32_t ARow, int32_t, bool& CanEdit) { CanEdit = ARow != 3 && ARow != 6; };
  QImage Image(G.Width(), G.Height(), QImage::Format_RGB32);
  Image.fill(Qt::white);
  for (int32_t Style = csClassic; Style <= csTheme; ++Style) {
    G.ControlLook()->SetControlStyle(static_cast<TGridControlStyle>(Style));
    const QImage Part = G.Painted();
    const TRect Col = G.CellRect(Style, 0);
    for (int32_t Y = 0; Y < Image.height(); ++Y)
      for (int32_t X = Col.Left; X < Col.Right; ++X)
        Image.setPixel(X, Y, Part.pixel(X, Y));
  }
  EXPECT_GOLDEN(Image, QStringLiteral("check_radio_styles"), 16, 40);
}

// The set-up screen's grid: fitted check boxes, two-choice radio groups,
// 38 x 38 bit buttons with glyphs from bitmap files, a stretched last
// column. Drawn, the buttons are found where they were drawn, pushed and
// released; the check boxes toggle with their event.
TEST(CellGraphicsPaint, SetupScreenButtonsAndCheckBoxes)
{
  EnsureQtApplication();
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  TPaintedGrid G(680, 3 * 42 + 26);
  G.SetColCount(9);
  G.SetRowCount(4);
  G.SetDefaultColWidth(60);
  G.SetDefaultRowHeight(42);
  G.SetRowHeights(0, 24);
  G.SetHideFocusRect(true);
  G.SetOptions(G.Options() | GridOptionBit(goEditing));
  G.ControlLook()->SetControlStyle(csClassic);
  G.ControlLook()->SetDropDownAlwaysVisible(true);
  G.SetActiveCellShow(true);
  G.SetActiveCellColor(clBtnFace);
  const char* Heads[] = {"Fitted", "Port", "Instrument", "Status", "", "Interrupt", "Set Up", "Run", "Notes"};
  for (int32_t C = 0; C < 9; ++C)
    G.SetCells(C, 0, QString::fromLatin1(Heads[C]));
  const TColor Colours[] = {clRed, clBlue, clGreen};
  for (int32_t I = 0; I < 3; ++I) {
    const QString File = Dir.path() + QStringLiteral("/glyph%1.bmp").arg(I);
    ASSERT_TRUE(Glyph(Colours[I], 24)->ImageData()->save(File, "BMP"));
  }
  for (int32_t R = 1; R < 4; ++R) {
    G.AddCheckBox(0, R, R != 2, false);
    TStringList* Ports = G.CreateRadio(1, R, 1, R == 3 ? 1 : 0);
    Ports->Add(QStringLiteral("RS232"));
    Ports->Add(QStringLiteral("RS485"));
    G.SetCells(2, R, QStringLiteral("Profiler %1").arg(R));
    G.SetCells(3, R, R == 2 ? QStringLiteral("not fitted") : QStringLiteral("running"));
    for (int32_t C = 5; C < 8; ++C)
      G.CreateBitButton(C, R, 38, 38, String(), haCenter, vaCenter)
          ->LoadFromFile(Dir.path() + QStringLiteral("/glyph%1.bmp").arg(C - 5));
  }
  G.SetColWidths(1, 130);
  G.SetColWidths(4, 20);
  G.ColumnSize()->SetStretch(true);
  G.StretchRightColumn();
  EXPECT_GOLDEN(G.Painted(), QStringLiteral("setup_screen_cells"), 16, 60);

  // Each button where it was drawn: 38 x 38, centred in its cell, its
  // glyph inside.
  const QImage Image = G.Painted();
  for (int32_t R = 1; R < 4; ++R)
    for (int32_t C = 5; C < 8; ++C) {
      SCOPED_TRACE(std::to_string(C) + "," + std::to_string(R));
      const TRect B = G.ButtonRect(C, R), Cell = G.CellRect(C, R);
      EXPECT_EQ(B.Width(), 38);
      EXPECT_EQ(B.Height(), 38);
      EXPECT_LE(std::abs((B.Left + B.Right) - (Cell.Left + Cell.Right)), 4);
      EXPECT_LE(std::abs((B.Top + B.Bottom) - (Cell.Top + Cell.Bottom)), 4);
      EXPECT_GT(CountColor(Image, Colours[C - 5], B), 200);
      EXPECT_EQ(CountColor(Image, clFuchsia, B), 0); // the glyph's ground is transparent
    }
  // Pushed, a button draws sunk (its glyph one pixel lower); released, as
  // before.
  const TRect B = G.ButtonRect(6, 2);
  G.PushButton(6, 2, true);
  const QImage Down = G.Painted();
  EXPECT_NE(Down.copy(B.Left, B.Top, 38, 38), Image.copy(B.Left, B.Top, 38, 38));
  G.PushButton(6, 2, false);
  EXPECT_EQ(G.Painted().copy(B.Left, B.Top, 38, 38), Image.copy(B.Left, B.Top, 38, 38));
  // The application hears of the button through its click handler.
  std::vector<std::pair<int32_t, int32_t>> Clicks;
  G.OnButtonClick = [&](TObject*, int32_t C, int32_t R) { Clicks.emplace_back(C, R); };
  G.DoButtonClick(7, 3);
  EXPECT_EQ(Clicks, (std::vector<std::pair<int32_t, int32_t>>{{7, 3}}));

  // The fitted column.
  std::vector<std::pair<int32_t, bool>> Fitted;
  G.OnCheckBoxChange = [&](TObject*, int32_t, int32_t R, bool S) { Fitted.emplace_back(R, S); };
  EXPECT_TRUE(G.ToggleCheck(0, 2, true));
  EXPECT_TRUE(G.IsChecked(0, 2));
  EXPECT_EQ(Fitted, (std::vector<std::pair<int32_t, bool>>{{2, true}}));
  int32_t Port = -1;
  EXPECT_TRUE(G.GetRadioIdx(1, 3, Port));
  EXPECT_EQ(Port, 1);
  // Sized to their content, the rows keep room for the buttons.
  G.AutoSizeRows(false, 0);
  for (int32_t R = 1; R < 4; ++R)
    EXPECT_GE(G.RowHeights(R), 38) << R;
}

// The size of each kind as automatic sizing and printing ask for it.
TEST(CellGraphicsPaint, MeasuredSizes)
{
  EnsureQtApplication();
  TPaintedGrid G(400, 200);
  G.SetDefaultColWidth(90);
  G.SetDefaultRowHeight(90);
  // A 100 x 50 picture fitted into the space an 80 x 80 cell leaves.
  G.SetXYOffsetTopLeftOnly(true);
  G.SetXYOffset(TPoint{0, 0});
  G.SetColWidths(1, 81);
  G.SetRowHeights(1, 81);
  TBitmap Big(100, 50);
  TPicture Picture;
  Picture.SetGraphic(&Big);
  struct Fit {
    TStretchMode Mode;
    TPoint Size;
  };
  for (const Fit& F : {Fit{StretchWithAspectRatio, {80, 40}}, Fit{Shrink, {80, 80}}, Fit{noStretch, {100, 50}},
                       Fit{Stretch, {80, 80}}, Fit{ShrinkWithAspectRatio, {80, 40}}}) {
    G.AddPicture(1, 1, &Picture, false, F.Mode, 0, haLeft, vaTop);
    EXPECT_EQ(G.GetCellGraphicSize(1, 1), F.Size) << int(F.Mode);
  }
  G.AddPicture(1, 1, &Picture, false, StretchWithAspectRatio, 10, haLeft, vaTop);
  EXPECT_EQ(G.GetCellGraphicSize(1, 1), (TPoint{70, 35})); // padding first
  EXPECT_EQ(G.GetPrintGraphicSize(1, 1, 50, 50, 1.0), (TPoint{40, 20}));

  // A full-width button measures its caption: in a cell with text its
  // height goes, placed neither beside nor above or below the text.
  G.SetCells(2, 1, QStringLiteral("x"));
  G.AddButton(2, 1, 30, 20, QStringLiteral("Run"), haFull, vaTop);
  EXPECT_EQ(G.GetCellGraphicSize(2, 1), (TPoint{G.Canvas()->TextWidth(QStringLiteral("Run")) + 4, 0}));
  G.AddButton(2, 2, 30, 20, QStringLiteral("Run"), haCenter, vaTop);
  EXPECT_EQ(G.GetCellGraphicSize(2, 2), (TPoint{30, 20}));
  G.SetCells(2, 2, QStringLiteral("y"));
  EXPECT_EQ(G.GetCellGraphicSize(2, 2), (TPoint{0, 0}));

  // A check box at 1.5 times the screen scale: 15 x 1.5 = 22.5, to the even.
  G.AddCheckBox(3, 1, true, false);
  G.FDPIScale = 1.5;
  EXPECT_EQ(G.GetCellGraphicSize(3, 1), (TPoint{22, 22}));
  G.FDPIScale = 1.0;
  // A data picture without a picture container, a rating, a full-height
  // shape, a pie, a radio group stacked.
  G.CreateCellGraphic(3, 2)->SetDataPicture(haLeft, vaTop);
  EXPECT_EQ(G.GetCellGraphicSize(3, 2), (TPoint{0, 0}));
  G.AddRating(1, 2, 4, clYellow, clSilver);
  EXPECT_EQ(G.GetCellGraphicSize(1, 2), (TPoint{72, 16}));
  G.AddShape(1, 3, csCircle, clRed, clBlack, haLeft, vaFull);
  EXPECT_EQ(G.GetCellGraphicSize(1, 3), (TPoint{86, 90}));
  G.AddProgressPie(2, 3, clRed, 10);
  EXPECT_EQ(G.GetCellGraphicSize(2, 3), (TPoint{20, 20}));
  TStringList* Choices = G.CreateRadio(3, 3, 0, 0);
  Choices->Add(QStringLiteral("a"));
  Choices->Add(QStringLiteral("b"));
  Choices->Add(QStringLiteral("c"));
  const int32_t LineH = G.Canvas()->TextHeight(QStringLiteral("gh"));
  EXPECT_EQ(G.GetCellGraphicSize(3, 3).Y, std::max(16, (LineH + 3) * 3));
  EXPECT_EQ(G.GetPrintGraphicSize(3, 3, 0, 0, 1.0).Y, LineH * 3);
  EXPECT_EQ(G.GetCellGraphicSize(0, 0), (TPoint{0, 0}));
}
