// Buttons, pictures and the other cell objects: each kind is a cell
// graphic record whose general fields keep the kind's values (the record's
// own documentation says which). Add operations keep a reference to the
// caller's object, Create operations make one that the record frees; both
// replace whatever record the cell had.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/FilePicture.h"
#include "grid/base/IntList.h"
#include "platform/Bitmap.h"
#include "platform/ImgList.h"
#include "rtl/StringList.h"

#include <cmath>

namespace {

bool Is(const TCellGraphic* G, TCellType T) { return G && G->CellType() == T; }

bool IsBalloonCarrier(const TCellGraphic* G)
{
  const TCellType T = G->CellType();
  return T == ctIcon || T == ctCheckBox || T == ctDataCheckBox || T == ctRadioButton;
}

} // namespace

TCellGraphic* TZurEvoderOzod::MakeGraphic(int32_t ACol, int32_t ARow) { return CreateCellGraphic(ACol, ARow); }

// ---------------------------------------------------------------- bitmaps, icons, pictures

void TZurEvoderOzod::AddBitmap(int32_t ACol, int32_t ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal,
                               TCellVAlign val)
{
  MakeGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
  RepaintCell(DisplColIndex(ACol), ARow);
}

TBitmap* TZurEvoderOzod::CreateBitmap(int32_t ACol, int32_t ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
  auto* B = new TBitmap();
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetBitmap(B, Transparent, hal, val);
  G->SetCellCreated(true);
  return B;
}

TBitmap* TZurEvoderOzod::GetBitmap(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return Is(G, ctBitmap) ? dynamic_cast<TBitmap*>(G->CellBitmap()) : nullptr;
}

bool TZurEvoderOzod::RemoveBitmap(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctBitmap); }

void TZurEvoderOzod::AddIcon(int32_t ACol, int32_t ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
  MakeGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
  RepaintCell(DisplColIndex(ACol), ARow);
}

TIcon* TZurEvoderOzod::CreateIcon(int32_t ACol, int32_t ARow, TCellHAlign hal, TCellVAlign val)
{
  auto* I = new TIcon();
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetIcon(I, hal, val);
  G->SetCellCreated(true);
  return I;
}

bool TZurEvoderOzod::RemoveIcon(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctIcon); }

void TZurEvoderOzod::AddPicture(int32_t ACol, int32_t ARow, TPicture* APicture, bool Transparent,
                                TStretchMode StretchMode, int32_t Padding, TCellHAlign hal, TCellVAlign val)
{
  MakeGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
  RepaintCell(DisplColIndex(ACol), ARow);
}

TPicture* TZurEvoderOzod::CreatePicture(int32_t ACol, int32_t ARow, bool Transparent, TStretchMode StretchMode,
                                        int32_t Padding, TCellHAlign hal, TCellVAlign val)
{
  auto* P = new TPicture();
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetPicture(P, Transparent, StretchMode, Padding, hal, val);
  G->SetCellCreated(true);
  return P;
}

TPicture* TZurEvoderOzod::GetPicture(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return Is(G, ctPicture) ? dynamic_cast<TPicture*>(G->CellBitmap()) : nullptr;
}

bool TZurEvoderOzod::RemovePicture(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctPicture); }

void TZurEvoderOzod::AddFilePicture(int32_t ACol, int32_t ARow, TFilePicture* AFilePicture, bool Transparent,
                                    TStretchMode StretchMode, int32_t Padding, TCellHAlign hal, TCellVAlign val)
{
  MakeGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, StretchMode, Padding, hal, val);
  RepaintCell(DisplColIndex(ACol), ARow);
}

TFilePicture* TZurEvoderOzod::CreateFilePicture(int32_t ACol, int32_t ARow, bool Transparent, TStretchMode StretchMode,
                                                int32_t Padding, TCellHAlign hal, TCellVAlign val)
{
  auto* P = new TFilePicture();
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetFilePicture(P, Transparent, StretchMode, Padding, hal, val);
  G->SetCellCreated(true);
  return P;
}

TFilePicture* TZurEvoderOzod::GetFilePicture(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return Is(G, ctFilePicture) ? dynamic_cast<TFilePicture*>(G->CellBitmap()) : nullptr;
}

bool TZurEvoderOzod::RemoveFilePicture(int32_t ACol, int32_t ARow)
{
  return RemoveCellGraphic(ACol, ARow, ctFilePicture);
}

// ---------------------------------------------------------------- images of the image list

void TZurEvoderOzod::SetGridImages(TCustomImageList* Value)
{
  if (FGridImages)
    FGridImages->RemoveFreeNotification(this);
  FGridImages = Value;
  if (Value)
    Value->FreeNotification(this);
}

TCustomImageList* TZurEvoderOzod::GetCellImageList(int32_t, int32_t) { return FGridImages; }

void TZurEvoderOzod::AddImageIdx(int32_t ACol, int32_t ARow, int32_t Aidx, TCellHAlign hal, TCellVAlign val)
{
  if (!FGridImages)
    return;
  MakeGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::GetImageIdx(int32_t ACol, int32_t ARow, int32_t& Idx)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!FGridImages || !Is(G, ctImageList))
    return false;
  Idx = G->CellIndex();
  return true;
}

bool TZurEvoderOzod::SetImageIdx(int32_t ACol, int32_t ARow, int32_t Idx)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!FGridImages || !Is(G, ctImageList))
    return false;
  G->SetCellIndex(Idx);
  return true;
}

bool TZurEvoderOzod::RemoveImageIdx(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctImageList); }

void TZurEvoderOzod::AddDataImage(int32_t ACol, int32_t ARow, int32_t Aidx, TCellHAlign hal, TCellVAlign val)
{
  if (!FGridImages)
    return;
  MakeGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
  if (GetCellEx(ACol, ARow).isEmpty())
    SetInts(ACol, ARow, Aidx);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::HasDataImage(int32_t ACol, int32_t ARow)
{
  return IsCellGraphic(ACol, ARow, CellTypeBit(ctDataImage));
}

void TZurEvoderOzod::RemoveDataImage(int32_t ACol, int32_t ARow)
{
  RemoveCellGraphic(ACol, ARow, ctDataImage);
  SetCellEx(ACol, ARow, String());
}

void TZurEvoderOzod::AddMultiImage(int32_t ACol, int32_t ARow, int32_t Dir, TCellHAlign hal, TCellVAlign val)
{
  if (!FGridImages)
    return;
  MakeGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Dir, hal, val, [this](TObject* S, int32_t C, int32_t R) {
    MultiImageChanged(S, C, R);
  });
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::RemoveMultiImage(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctImages); }

void TZurEvoderOzod::MultiImageChanged(TObject*, int32_t ACol, int32_t ARow) { RepaintCell(DisplColIndex(ACol), ARow); }

// The grid has no picture container to name pictures from: it makes no
// data pictures, and a stored one draws and measures nothing.
void TZurEvoderOzod::AddDataPicture(int32_t, int32_t, const String&, TCellHAlign, TCellVAlign) {}

bool TZurEvoderOzod::HasDataPicture(int32_t ACol, int32_t ARow)
{
  return IsCellGraphic(ACol, ARow, CellTypeBit(ctDataPicture));
}

void TZurEvoderOzod::RemoveDataPicture(int32_t ACol, int32_t ARow)
{
  RemoveCellGraphic(ACol, ARow, ctDataPicture);
  SetCellEx(ACol, ARow, String());
}

// ---------------------------------------------------------------- buttons

void TZurEvoderOzod::AddButton(int32_t ACol, int32_t ARow, int32_t bw, int32_t bh, const String& Caption,
                               TCellHAlign hal, TCellVAlign val)
{
  MakeGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::AddBitButton(int32_t ACol, int32_t ARow, int32_t bw, int32_t bh, const String& Caption,
                                  TBitmap* Glyph, TCellHAlign hal, TCellVAlign val)
{
  MakeGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
  RepaintCell(DisplColIndex(ACol), ARow);
}

TBitmap* TZurEvoderOzod::CreateBitButton(int32_t ACol, int32_t ARow, int32_t bw, int32_t bh, const String& Caption,
                                         TCellHAlign hal, TCellVAlign val)
{
  auto* Glyph = new TBitmap();
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetBitButton(bw, bh, Caption, Glyph, hal, val);
  G->SetCellCreated(true);
  RepaintCell(DisplColIndex(ACol), ARow);
  return Glyph;
}

String TZurEvoderOzod::GetButtonText(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
  return G ? G->CellText() : String();
}

void TZurEvoderOzod::SetButtonText(int32_t ACol, int32_t ARow, const String& Caption)
{
  if (TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow)) {
    G->SetCellText(Caption);
    RepaintCell(ACol, ARow);
  }
}

void TZurEvoderOzod::PushButton(int32_t ACol, int32_t ARow, bool Push)
{
  TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
  if (!G || G->CellType() == ctNode)
    return;
  G->SetCellBoolean(Push);
  RepaintCell(ACol, ARow);
}

TRect TZurEvoderOzod::ButtonRect(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(RealColIndex(ACol), ARow);
  if (!G)
    return TRect{};
  const TRect Cell = CellRect(ACol, ARow);
  // The painter stored where it drew the button: top in the high word,
  // left in the low word.
  const auto Offset = static_cast<uint32_t>(static_cast<int64_t>(std::nearbyint(G->CellValue())));
  const auto Size = static_cast<uint32_t>(G->CellIndex());
  TRect R;
  R.Left = Cell.Left + static_cast<int32_t>(Offset & 0xFFFF);
  R.Top = Cell.Top + static_cast<int32_t>(Offset >> 16);
  R.Right = R.Left + static_cast<int32_t>(Size & 0xFFFF);
  R.Bottom = R.Top + static_cast<int32_t>(Size >> 16);
  if (G->CellHAlign() == haFull)
    R.Right = R.Left + Cell.Width();
  if (G->CellVAlign() == vaFull)
    R.Bottom = R.Top + Cell.Height();
  return R;
}

bool TZurEvoderOzod::HasButton(int32_t ACol, int32_t ARow)
{
  return IsCellGraphic(ACol, ARow, CellTypeBit(ctButton) | CellTypeBit(ctBitButton) | CellTypeBit(ctVirtButton));
}

bool TZurEvoderOzod::RemoveButton(int32_t ACol, int32_t ARow)
{
  return RemoveCellGraphic(ACol, ARow, ctButton) || RemoveCellGraphic(ACol, ARow, ctBitButton);
}

bool TZurEvoderOzod::RemoveBitButton(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctBitButton); }

void TZurEvoderOzod::RemoveAllButtons()
{
  for (int32_t C = 0; C < AllColCount(); ++C)
    for (int32_t R = 0; R < RowCount(); ++R)
      if (HasButton(C, R))
        RemoveButton(C, R);
}

// ---------------------------------------------------------------- progress, pies, ranges, shapes, ratings

void TZurEvoderOzod::AddProgressFormatted(int32_t ACol, int32_t ARow, TColor FGColor, TColor FGTextColor,
                                          TColor BKColor, TColor BKTextColor, const String& Fmt, int32_t Min,
                                          int32_t Max, double Scale)
{
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetCellType(ctProgress);
  G->SetCellBitmapColor(FGColor);
  G->SetCellIconColor(BKColor);
  G->SetCellIndex(static_cast<int32_t>(FGTextColor));
  G->SetCellAngle(static_cast<int32_t>(BKTextColor));
  G->SetCellBoolean(true);
  G->SetCellErrFrom(Min);
  G->SetCellErrLen(Max);
  G->SetCellText(Fmt);
  G->SetCellValue(Scale);
  G->SetCellHAlign(haLeft);
  G->SetCellVAlign(vaTop);
  if (FAutoNumAlign)
    SetAlignments(ACol, ARow, taRightJustify);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::AddProgressEx(int32_t ACol, int32_t ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor)
{
  AddProgressFormatted(ACol, ARow, FGColor, FGTextColor, BKColor, BKTextColor, String(), 0, 100, 0);
}

void TZurEvoderOzod::AddProgress(int32_t ACol, int32_t ARow, TColor FGColor, TColor BKColor)
{
  // The text on each part takes the part's inverse colour.
  AddProgressEx(ACol, ARow, FGColor, 0, BKColor, 0);
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  G->SetCellIndex(0);
  G->SetCellAngle(0);
  G->SetCellBoolean(false);
}

bool TZurEvoderOzod::HasProgress(int32_t ACol, int32_t ARow)
{
  return IsCellGraphic(ACol, ARow, CellTypeBit(ctProgress));
}

bool TZurEvoderOzod::RemoveProgress(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctProgress); }

void TZurEvoderOzod::AddRurProgress(int32_t ACol, int32_t ARow, int32_t Min, int32_t Max)
{
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetCellType(ctXPProgress);
  G->SetCellErrFrom(Min);
  G->SetCellErrLen(Max);
  G->SetCellText(String());
  G->SetCellBoolean(false);
  G->SetCellHAlign(haLeft);
  G->SetCellVAlign(vaTop);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::RemoveRurProgress(int32_t ACol, int32_t ARow)
{
  return RemoveCellGraphic(ACol, ARow, ctXPProgress);
}

void TZurEvoderOzod::AddProgressPie(int32_t ACol, int32_t ARow, TColor Color, int32_t Value)
{
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetCellType(ctProgressPie);
  G->SetCellAngle(Value);
  G->SetCellErrFrom(static_cast<int32_t>(Color));
  G->SetCellHAlign(haBeforeText);
  G->SetCellVAlign(vaTop);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::SetProgressPie(int32_t ACol, int32_t ARow, int32_t Value)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!Is(G, ctProgressPie))
    return;
  G->SetCellAngle(Value);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::RemoveProgressPie(int32_t ACol, int32_t ARow)
{
  return RemoveCellGraphic(ACol, ARow, ctProgressPie);
}

void TZurEvoderOzod::AddRangeIndicator(int32_t ACol, int32_t ARow, int32_t Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue)
{
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetCellType(ctRangeIndicator);
  G->SetCellBitmapColor(NegColor);
  G->SetCellIconColor(PosColor);
  G->SetCellIndex(Range);
  G->SetCellBoolean(ShowValue);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::RemoveRangeIndicator(int32_t ACol, int32_t ARow)
{
  return RemoveCellGraphic(ACol, ARow, ctRangeIndicator);
}

void TZurEvoderOzod::AddShape(int32_t ACol, int32_t ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val)
{
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetCellType(ctShape);
  G->SetCellBitmapColor(LineColor);
  G->SetCellIndex(static_cast<int32_t>(FillColor));
  G->SetCellAngle(Shape);
  G->SetCellHAlign(hal);
  G->SetCellVAlign(val);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::SetShapeColor(int32_t ACol, int32_t ARow, TColor FillColor)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!Is(G, ctShape))
    return;
  G->SetCellIndex(static_cast<int32_t>(FillColor));
  RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TZurEvoderOzod::GetShapeColor(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return Is(G, ctShape) ? static_cast<TColor>(G->CellIndex()) : clNone;
}

bool TZurEvoderOzod::HasShape(int32_t ACol, int32_t ARow) { return IsCellGraphic(ACol, ARow, CellTypeBit(ctShape)); }
bool TZurEvoderOzod::RemoveShape(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctShape); }

void TZurEvoderOzod::AddRating(int32_t ACol, int32_t ARow, int32_t Scale, TColor FillColor, TColor EmptyColor)
{
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetCellType(ctRating);
  G->SetCellBitmapColor(EmptyColor);
  G->SetCellIndex(static_cast<int32_t>(FillColor));
  G->SetCellAngle(Scale);
  G->SetCellHAlign(haFull);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::HasRating(int32_t ACol, int32_t ARow) { return IsCellGraphic(ACol, ARow, CellTypeBit(ctRating)); }
bool TZurEvoderOzod::RemoveRating(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctRating); }

bool TZurEvoderOzod::DoRatingChange(int32_t ACol, int32_t ARow, double& NewRate)
{
  bool Allow = true;
  if (OnRatingChange)
    OnRatingChange(this, ACol, ARow, NewRate, Allow);
  return Allow;
}

// ---------------------------------------------------------------- scroll bars

void TZurEvoderOzod::AddScrollBar(int32_t ACol, int32_t ARow, bool AutoRange)
{
  TCellGraphic* G = MakeGraphic(ACol, ARow);
  G->SetCellType(ctScrollbar);
  G->SetCellIndex(0);
  G->SetCellAngle(0);
  G->SetCellErrFrom(100);
  G->SetCellBoolean(AutoRange);
  if (AutoRange)
    CellTextChange(ACol, ARow);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::SetScrollPosition(int32_t ACol, int32_t ARow, int32_t Pos)
{
  TCellGraphic* G = CheckedGraphic(ACol, ARow);
  if (!Is(G, ctScrollbar))
    return;
  G->SetCellIndex(Pos);
  RepaintCell(DisplColIndex(ACol), ARow);
}

int32_t TZurEvoderOzod::GetScrollPosition(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = CheckedGraphic(ACol, ARow);
  return Is(G, ctScrollbar) ? G->CellIndex() : -1;
}

void TZurEvoderOzod::SetScrollProp(int32_t ACol, int32_t ARow, TScrollProp Prop)
{
  TCellGraphic* G = CheckedGraphic(ACol, ARow);
  if (!Is(G, ctScrollbar))
    return;
  G->SetCellAngle(Prop.PageSize);
  G->SetCellErrFrom(Prop.Range);
}

TScrollProp TZurEvoderOzod::GetScrollProp(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = CheckedGraphic(ACol, ARow);
  if (!Is(G, ctScrollbar))
    return TScrollProp{-1, -1};
  return TScrollProp{G->CellAngle(), G->CellErrFrom()};
}

bool TZurEvoderOzod::HasScrollBar(int32_t ACol, int32_t ARow)
{
  return IsCellGraphic(ACol, ARow, CellTypeBit(ctScrollbar));
}

bool TZurEvoderOzod::HasAutoRangeScrollBar(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = CheckedGraphic(ACol, ARow);
  return Is(G, ctScrollbar) && G->CellBoolean();
}

bool TZurEvoderOzod::RemoveScrollBar(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctScrollbar); }

// ---------------------------------------------------------------- rotated text, interfaced cells

void TZurEvoderOzod::AddRotated(int32_t ACol, int32_t ARow, int16_t AAngle, const String& s)
{
  MakeGraphic(ACol, ARow)->SetAngle(AAngle);
  SetCellEx(ACol, ARow, s);
}

void TZurEvoderOzod::SetRotated(int32_t ACol, int32_t ARow, int16_t AAngle)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  (G ? G : MakeGraphic(ACol, ARow))->SetAngle(AAngle);
  RepaintCell(DisplColIndex(ACol), ARow);
}

bool TZurEvoderOzod::IsRotated(int32_t ACol, int32_t ARow, int32_t& aAngle)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!Is(G, ctRotated))
    return false;
  aAngle = G->CellAngle();
  return true;
}

bool TZurEvoderOzod::RemoveRotated(int32_t ACol, int32_t ARow) { return RemoveCellGraphic(ACol, ARow, ctRotated); }

void TZurEvoderOzod::AddInterfacedCell(int32_t ACol, int32_t ARow, TObject* AObject)
{
  MakeGraphic(ACol, ARow)->SetInterfacedCell(AObject);
  RepaintCell(DisplColIndex(ACol), ARow);
}

TObject* TZurEvoderOzod::GetInterfacedCell(int32_t ACol, int32_t ARow)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  return Is(G, ctInterface) ? G->CellBitmap() : nullptr;
}

bool TZurEvoderOzod::RemoveInterfacedCell(int32_t ACol, int32_t ARow)
{
  return RemoveCellGraphic(ACol, ARow, ctInterface);
}

// ---------------------------------------------------------------- balloons

void TZurEvoderOzod::AddBalloon(int32_t ACol, int32_t ARow, const String& Title, const String& Text, TBalloonIcon Icon)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (G && !IsBalloonCarrier(G))
    return;
  auto List = std::make_unique<TStringList>();
  List->Add(Title);
  List->Add(Text);
  if (G) {
    // A list attached before goes with the new one.
    if (G->CellAngle() == 1)
      delete dynamic_cast<TStringList*>(G->CellBitmap());
    G->SetCellAngle(1);
  } else {
    G = MakeGraphic(ACol, ARow);
    G->SetCellType(ctBalloon);
    G->SetCellAngle(0);
  }
  G->SetCellIndex(Icon);
  G->SetCellBitmap(List.release());
}

bool TZurEvoderOzod::IsBalloon(int32_t ACol, int32_t ARow, String& Title, String& Text, TBalloonIcon& Icon)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G || !(G->CellType() == ctBalloon || (IsBalloonCarrier(G) && G->CellAngle() == 1)))
    return false;
  if (const auto* List = dynamic_cast<const TStringList*>(G->CellBitmap()); List && List->Count() >= 2) {
    Title = List->Strings(0);
    Text = List->Strings(1);
    Icon = static_cast<TBalloonIcon>(G->CellIndex());
  }
  return true;
}

bool TZurEvoderOzod::HasBalloon(int32_t ACol, int32_t ARow) { return Is(GetCellGraphic(ACol, ARow), ctBalloon); }

void TZurEvoderOzod::RemoveBalloon(int32_t ACol, int32_t ARow)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return;
  if (IsBalloonCarrier(G) && G->CellAngle() == 1) {
    G->SetCellAngle(0);
    // A radio button's group shares the field: the list is the record's
    // only when it is one.
    delete dynamic_cast<TStringList*>(G->CellBitmap());
    G->SetCellBitmap(nullptr);
    return;
  }
  RemoveCellGraphic(ACol, ARow, ctBalloon);
}

// ---------------------------------------------------------------- comments and markers

void TZurEvoderOzod::AddColorComment(int32_t ACol, int32_t ARow, const String& Comment, TColor Color)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    G = MakeGraphic(ACol, ARow);
  G->SetCellComment(Comment);
  G->SetCommentColor(Color);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::AddComment(int32_t ACol, int32_t ARow, const String& Comment)
{
  AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

void TZurEvoderOzod::SetComment(int32_t ACol, int32_t ARow, const String& Value)
{
  if (TCellGraphic* G = GetCellGraphic(ACol, ARow)) {
    G->SetCellComment(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
  } else {
    AddComment(ACol, ARow, Value);
  }
}

bool TZurEvoderOzod::IsComment(int32_t ACol, int32_t ARow, String& Comment)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return false;
  if (G->CellType() == ctPicture && !G->CellText().isEmpty()) {
    Comment = G->CellText();
    return true;
  }
  if (G->CellComment().isEmpty())
    return false;
  Comment = G->CellComment();
  return true;
}

String TZurEvoderOzod::GetComment(int32_t ACol, int32_t ARow)
{
  String Comment;
  return IsComment(ACol, ARow, Comment) ? Comment : String();
}

void TZurEvoderOzod::RemoveComment(int32_t ACol, int32_t ARow)
{
  if (TCellGraphic* G = GetCellGraphic(ACol, ARow)) {
    G->SetCellComment(String());
    RepaintCell(DisplColIndex(ACol), ARow);
  }
}

void TZurEvoderOzod::RemoveAllComments()
{
  for (int32_t C = 0; C < ColCount(); ++C)
    for (int32_t R = 0; R < RowCount(); ++R)
      if (TCellGraphic* G = GetCellGraphic(C, R))
        G->SetCellComment(String());
  Invalidate();
}

void TZurEvoderOzod::AddMarker(int32_t ACol, int32_t ARow, int32_t ErrPos, int32_t ErrLen)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G) {
    G = MakeGraphic(ACol, ARow);
    G->SetCellType(ctEmpty);
  }
  G->SetCellErrFrom(ErrPos);
  G->SetCellErrLen(ErrLen);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::GetMarker(int32_t ACol, int32_t ARow, int32_t& ErrPos, int32_t& ErrLen)
{
  const TCellGraphic* G = GetCellGraphic(ACol, ARow);
  ErrPos = G ? G->CellErrFrom() : 0;
  ErrLen = G ? G->CellErrLen() : 0;
}

void TZurEvoderOzod::RemoveMarker(int32_t ACol, int32_t ARow)
{
  TCellGraphic* G = GetCellGraphic(ACol, ARow);
  if (!G)
    return;
  if (G->CellType() == ctEmpty) {
    FreeCellGraphic(ACol, ARow);
    return;
  }
  G->SetCellErrFrom(0);
  G->SetCellErrLen(0);
  RepaintCell(DisplColIndex(ACol), ARow);
}

void TZurEvoderOzod::RemoveAllMarkers()
{
  for (int32_t C = 0; C < ColCount(); ++C)
    for (int32_t R = 0; R < RowCount(); ++R)
      RemoveMarker(C, R);
}
