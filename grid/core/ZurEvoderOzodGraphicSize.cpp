// The size of a cell's graphic on screen (for automatic sizing) and in
// print, in pixels of the canvas given.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/FilePicture.h"
#include "grid/base/IntList.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/ImgList.h"
#include "rtl/StringList.h"

#include <algorithm>
#include <cmath>

namespace {

int32_t RoundI(double V) { return static_cast<int32_t>(std::nearbyint(V)); }

TPoint SizeOf(const TObject* O)
{
  const auto* B = dynamic_cast<const TBitmap*>(O);
  return B ? TPoint{B->Width(), B->Height()} : TPoint{0, 0};
}

bool IsCheckKind(TCellType T)
{
  return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox || T == ctTriStateCheckBox;
}

} // namespace

TPoint TZurEvoderOzod::PictureSpace(int32_t ACol, int32_t ARow, int32_t ReservedHeight)
{
  const TPoint Cell = CellSize(DisplColIndex(ACol), ARow);
  const int32_t OX = FXYOffsetTopLeftOnly ? FXYOffset.X : 2 * FXYOffset.X;
  const int32_t OY = FXYOffsetTopLeftOnly ? FXYOffset.Y : 2 * FXYOffset.Y;
  return TPoint{Cell.X - OX - 1, Cell.Y - OY - ReservedHeight - 1};
}

TPoint TZurEvoderOzod::GetCellGraphicSize(int32_t ACol, int32_t ARow) { return GetCellGraphicSizeEx(ACol, ARow, 0); }

TPoint TZurEvoderOzod::GetCellGraphicSizeEx(int32_t ACol, int32_t ARow, int32_t ReservedHeight)
{
  return GetCellGraphicSizeEx(Canvas(), ACol, ARow, ReservedHeight, 1.0);
}

TPoint TZurEvoderOzod::GetCellGraphicSizeEx(TCanvas* ACanvas, int32_t ACol, int32_t ARow, int32_t ReservedHeight,
                                            double Scale)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return TPoint{0, 0};
  if (Scale <= 0)
    Scale = 1.0;
  const String Text = GetCellEx(ACol, ARow);
  const bool Beside = G->CellHAlign() == haBeforeText || G->CellHAlign() == haAfterText;
  const bool AboveBelow = G->CellVAlign() == vaUnderText || G->CellVAlign() == vaAboveText;
  const TCustomImageList* Images = GetCellImageList(ACol, ARow);
  TPoint Size{0, 0};
  bool FullSize = true;
  switch (G->CellType()) {
  case ctBitmap:
  case ctIcon: {
    const TPoint B = SizeOf(G->CellType() == ctBitmap ? G->CellBitmap() : G->CellIcon());
    Size.X = Beside || Text.isEmpty() ? B.X : 0;
    Size.Y = G->CellType() == ctIcon || AboveBelow || Text.isEmpty() ? B.Y : 0;
    break;
  }
  case ctImageList:
  case ctDataImage:
    if (Images) {
      Size.X = Beside || Text.isEmpty() ? Images->Width() : 0;
      Size.Y = AboveBelow || Text.isEmpty() ? Images->Height() : 0;
    }
    break;
  case ctImages:
    if (Images && G->Images()) {
      const int32_t N = G->Images()->Count();
      Size = G->CellBoolean() ? TPoint{N * Images->Width(), Images->Height()}
                              : TPoint{Images->Width(), N * Images->Height()};
    }
    break;
  case ctCheckBox:
  case ctDataCheckBox:
  case ctVirtCheckBox:
  case ctRowCheckBox:
  case ctTriStateCheckBox: {
    const int32_t S = RoundI(FControlLook->CheckSize() * FDPIScale);
    Size = TPoint{S, S};
    break;
  }
  case ctRadioButton:
    Size = TPoint{FControlLook->RadioSize(), FControlLook->RadioSize()};
    break;
  case ctRadio: {
    const auto* Choices = dynamic_cast<const TStringList*>(G->CellBitmap());
    const int32_t N = Choices ? Choices->Count() : 0;
    const int32_t LineH = ACanvas->TextHeight(QStringLiteral("gh"));
    if (G->CellBoolean()) {
      for (int32_t I = 0; I < N; ++I)
        Size.X += ACanvas->TextWidth(Choices->Strings(I)) + 12;
      Size.Y = LineH;
    } else {
      Size.X = 12;
      for (int32_t I = 0; I < N; ++I)
        Size.X = std::max(Size.X, ACanvas->TextWidth(Choices->Strings(I)) + 12);
      Size.Y = std::max(16, RoundI((LineH + 3) * N / Scale));
    }
    break;
  }
  case ctPicture:
  case ctFilePicture: {
    const TPoint Space = PictureSpace(ACol, ARow, ReservedHeight);
    Size = G->GetPictureSize(Space.X, Space.Y, !Text.isEmpty(), nullptr);
    break;
  }
  case ctButton:
  case ctBitButton:
  case ctVirtButton: {
    const auto Packed = static_cast<uint32_t>(G->CellIndex());
    Size = TPoint{static_cast<int32_t>(Packed & 0xFFFF), static_cast<int32_t>(Packed >> 16)};
    const bool Full = G->CellHAlign() == haFull;
    if (!Text.isEmpty()) {
      if (G->CellHAlign() == haCenter)
        Size.X = 0;
      if (Full)
        Size.X = RoundI((ACanvas->TextWidth(G->CellText()) + 4) / Scale);
      if (!AboveBelow && !Beside)
        Size.Y = 0;
      if (AboveBelow)
        Size.X = 0;
    } else if (Full) {
      ACanvas->Font()->Assign(IsFixed(ACol, ARow) ? FFixedFont.get() : Font());
      Size.X = RoundI((ACanvas->TextWidth(G->CellText()) + 8) / Scale);
    }
    // A full-width button measures its caption, wherever it stands.
    if (Full)
      FullSize = false;
    break;
  }
  case ctProgressPie:
    Size = TPoint{20, 20};
    break;
  case ctShape:
    Size = TPoint{DefaultRowHeight() - 4, DefaultRowHeight() - 4};
    break;
  case ctRating:
    Size = TPoint{18 * G->CellAngle(), 16};
    FullSize = false;
    break;
  case ctInterface: {
    auto* Source = dynamic_cast<ICellGraphicSource*>(G->CellBitmap());
    const int32_t W = Source ? Source->Width() : 0, H = Source ? Source->Height() : 0;
    if (W == 0 || H == 0)
      Size = CellSize(DisplColIndex(ACol), ARow);
    else
      Size = TPoint{W, H};
    break;
  }
  default:
    break;
  }
  if (FullSize) {
    const TPoint Cell = CellSize(DisplColIndex(ACol), ARow);
    if (G->CellVAlign() == vaFull)
      Size.Y = Cell.Y;
    if (G->CellHAlign() == haFull)
      Size.X = Cell.X;
  }
  return Size;
}

TPoint TZurEvoderOzod::GetPrintGraphicSize(int32_t ACol, int32_t ARow, int32_t AWidth, int32_t AHeight, double Scale)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return TPoint{0, 0};
  const TCellType T = G->CellType();
  const TCustomImageList* Images = GetCellImageList(ACol, ARow);
  switch (T) {
  case ctBitmap:
    return SizeOf(G->CellBitmap());
  case ctIcon:
    return SizeOf(G->CellIcon());
  case ctImageList:
  case ctDataImage:
    return Images ? TPoint{Images->Width(), Images->Height()} : TPoint{0, 0};
  case ctImages:
    return GetCellGraphicSizeEx(Canvas(), ACol, ARow, 0, Scale);
  case ctNode:
  case ctProgressPie:
    return TPoint{20, 20};
  case ctRadio: {
    const TPoint Screen = GetCellGraphicSizeEx(Canvas(), ACol, ARow, 0, Scale);
    if (G->CellBoolean())
      return Screen;
    const auto* Choices = dynamic_cast<const TStringList*>(G->CellBitmap());
    return TPoint{Screen.X, Canvas()->TextHeight(QStringLiteral("gh")) * (Choices ? Choices->Count() : 0)};
  }
  case ctPicture:
  case ctFilePicture:
  case ctDataPicture:
    return G->GetPictureSize(AWidth, AHeight, false, nullptr);
  case ctProgress:
  case ctXPProgress:
    return TPoint{ColWidths(DisplColIndex(ACol)), RowHeights(ARow)};
  case ctButton:
  case ctBitButton:
  case ctVirtButton: {
    const auto Packed = static_cast<uint32_t>(G->CellIndex());
    return TPoint{static_cast<int32_t>(Packed & 0xFFFF), static_cast<int32_t>(Packed >> 16)};
  }
  case ctInterface: {
    auto* Source = dynamic_cast<ICellGraphicSource*>(G->CellBitmap());
    const TPoint Cell = CellSize(DisplColIndex(ACol), ARow);
    const int32_t W = Source ? Source->Width() : 0, H = Source ? Source->Height() : 0;
    return TPoint{W == 0 ? Cell.X : W, H == 0 ? Cell.Y : H};
  }
  case ctRadioButton:
    return TPoint{FControlLook->RadioSize(), FControlLook->RadioSize()};
  case ctShape: {
    const int32_t S = RowHeights(ARow) - 2 * FXYOffset.Y;
    return TPoint{S, S};
  }
  default:
    return IsCheckKind(T) ? GetCellGraphicSizeEx(Canvas(), ACol, ARow, 0, Scale) : TPoint{0, 0};
  }
}
