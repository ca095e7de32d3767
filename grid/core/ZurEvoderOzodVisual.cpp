// The colours, font and alignment of each cell, for painting and measuring.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/CellProperties.h"
#include "grid/base/GridBehaviour.h"
#include "grid/base/IntList.h"
#include "grid/base/rurutil.h"
#include "grid/core/GridAppearance.h"
#include "grid/core/GridSettings.h"
#include "platform/Graphics.h"
#include "rtl/FormatSettings.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <cmath>

namespace {

// Kinds of cells whose controls draw over the cell's own background.
constexpr TCellTypes ControlCells = CellTypeBit(ctCheckBox) | CellTypeBit(ctDataCheckBox) | CellTypeBit(ctRadio) |
                                    CellTypeBit(ctButton) | CellTypeBit(ctBitButton) | CellTypeBit(ctRadioButton) |
                                    CellTypeBit(ctVirtButton);

} // namespace

bool TZurEvoderOzod::CanShowSelection() const
{
  return FShowSelection && (!FAutoHideSelection || const_cast<TZurEvoderOzod*>(this)->Focused());
}

TColor TZurEvoderOzod::BlendColor(TColor Col1, TColor Col2, int32_t Perc)
{
  if (Perc >= 100)
    return Col1;
  if (Perc <= 0 || Col1 == clNone)
    return Col2;
  if (Col2 == clNone)
    return Col1;
  const TColor A = ColorToRGB(Col1), B = ColorToRGB(Col2);
  const double P = Perc / 100.0;
  auto Mix = [P](int32_t X, int32_t Y) {
    return static_cast<uint32_t>(std::min(255.0, std::nearbyint(P * X + (1 - P) * Y)));
  };
  return RGBColor(Mix(GetRValue(A), GetRValue(B)), Mix(GetGValue(A), GetGValue(B)), Mix(GetBValue(A), GetBValue(B)));
}

TColor TZurEvoderOzod::ColorMixer(TColor Col1, TColor Col2, bool Mix, int32_t Perc)
{
  return Mix ? BlendColor(Col1, Col2, Perc) : Col1;
}

bool TZurEvoderOzod::CellFloat(int32_t ACol, int32_t ARow, double& Value)
{
  const String Text = Trim(GetCellEx(ACol, ARow));
  const TAutoType T = IsType(Text);
  if (T != atNumeric && T != atFloat && T != atScientific)
    return false;
  return TryStrToFloat(ToFixedDecSep(Text).replace(u'.', FormatSettings.DecimalSeparator), Value);
}

void TZurEvoderOzod::GetVisualProperties(int32_t ACol, int32_t ARow, TGridDrawState& AState, bool Printing, bool Select,
                                         bool Remap, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                         TColor& MirrorColorTo, TFont* AFont, TAlignment& HAlign, TVAlignment& VAlign,
                                         bool& WordWrap, TCellGradientDirection& GD)
{
  const int32_t FC = TBaseGrid::FixedCols(), FR = TBaseGrid::FixedRows();
  const bool InFixedArea = ACol < FC || ARow < FR;
  AFont->Assign(InFixedArea ? FFixedFont.get() : Font());
  const int32_t R = Remap ? RemapCol(ACol) : ACol;
  ABrush->SetColor(clNone);
  ColorTo = MirrorColor = MirrorColorTo = clNone;

  // The cell's own record.
  bool OwnColor = false, ControlCell = false, ControlOwnColor = false;
  if (HasCellProperties(R, ARow)) {
    const TCellProperties* CP = GetCellProperties(R, ARow);
    const TCellType Type = GetCellType(R, ARow);
    ControlCell = ControlCells & CellTypeBit(Type);
    if (Type == ctNone || Type == ctRotated || Type == ctEmpty) {
      if (CP->BrushColor() != clNone) {
        ABrush->SetColor(CP->BrushColor());
        OwnColor = true;
      }
    } else {
      ABrush->SetColor(CP->BrushColor());
      ControlOwnColor = ControlCell && CP->BrushColor() != clNone;
      OwnColor = CP->BrushColor() != clNone;
    }
    if (CP->FontColor() != clNone)
      AFont->SetColor(CP->FontColor());
    if (CP->FontStyle() != 0)
      AFont->SetStyle(CP->FontStyle());
    WordWrap = CP->WordWrap();
    ColorTo = CP->BrushColorTo();
    GD = CP->GradientDirection();
  } else {
    ControlCell = ControlCells & CellTypeBit(GetCellType(R, ARow));
  }
  if (AState & GridDrawBit(gdSelected))
    GD = GradientVertical;

  // Grid colours: window colour, bands, fixed areas.
  if ((ABrush->Color() == clNone || ControlCell) && !ControlOwnColor) {
    if (ABrush->Color() == clNone)
      ABrush->SetColor(Color());
    const bool BandArea = ACol >= FC && ACol < ColCount() + FNumHidden - FFixedRightCols && ARow >= FR &&
                          ARow < RowCount() - FFixedFooters;
    if (FBands->Active() && (!Printing || FBands->Print()) && BandArea) {
      if (FBands->TotalLength() > 0)
        ABrush->SetColor((ARow - FR) % FBands->TotalLength() < FBands->PrimaryLength() ? FBands->PrimaryColor()
                                                                                       : FBands->SecondaryColor());
    }
    if (InFixedArea || DisplColIndex(R) >= ColCount() - FFixedRightCols || ARow >= RowCount() - FFixedFooters)
      ABrush->SetColor(FixedColor());
  }

  // Fixed cells: their colour, font and the look's gradient.
  const bool Fixed = IsFixed(R, ARow) || InFixedArea;
  if (Fixed && !OwnColor) {
    if (!Printing) {
      ABrush->SetColor(FixedColor());
      AFont->Assign(FFixedFont.get());
      AState |= GridDrawBit(gdFixed);
    }
    if (FLook > glClassic && FLook != glListView) {
      ABrush->SetColor(FZURGrad[fgFrom]);
      ColorTo = FZURGrad[fgTo];
      MirrorColor = FZURGrad[fgMirrorFrom];
      MirrorColorTo = FZURGrad[fgMirrorTo];
    }
  }

  if (ARow == FFilterEdit->Row() && HasFilterEdit(R, ARow)) {
    ABrush->SetColor(FFilterEdit->Color());
    ColorTo = MirrorColor = MirrorColorTo = FFilterEdit->Color();
  }

  // Numbers in their automatic colours.
  if (FAutoColor->ColorsDefined()) {
    double V = 0;
    if (CellFloat(R, ARow, V)) {
      const TColorSetting* S = V < 0 ? FAutoColor->NegativeNumber() : FAutoColor->PositiveNumber();
      if (S->TextColor() != clNone)
        AFont->SetColor(S->TextColor());
      if (S->BkgColor() != clNone)
        ABrush->SetColor(S->BkgColor());
    }
  }

  if (Printing)
    GetCellPrintColor(R, ARow, AState, ABrush, AFont);
  else
    GetCellColor(R, ARow, AState, ABrush, AFont);

  if (OnGetCellGradient) {
    TColor C = ABrush->Color();
    OnGetCellGradient(this, ARow, R, C, ColorTo, MirrorColor, MirrorColorTo, GD);
    ABrush->SetColor(C);
  }

  // The selection: disjunct rows, columns and cells, or the rectangle.
  const TColor UnselBrush = ABrush->Color(), UnselFont = AFont->Color();
  const bool CanShow = CanShowSelection();
  auto SelectionColours = [&] {
    ColorTo = FSelectionColorTo;
    MirrorColor = FSelectionMirrorColor;
    MirrorColorTo = FSelectionMirrorColorTo;
    if (FSelectionTextColor != clNone)
      AFont->SetColor(FSelectionTextColor);
  };
  auto SelectionBrush = [&] {
    ABrush->SetColor(ABrush->Color() == Color() ? FSelectionColor
                                                : ColorMixer(FSelectionColor, ABrush->Color(), FSelectionColorMixer,
                                                             FSelectionColorMixerFactor));
  };
  const TMouseActions* MA = FMouseActions.get();
  const int32_t SelRow =
      (MA->DisjunctRowSelect() && MA->RowSelectPersistent()) || FUseEnabledRows ? RemapRowInv(ARow) : ARow;
  const bool Selectable = !Fixed && Select && !Printing && CanShow;
  if (Selectable && MA->DisjunctRowSelect()) {
    const bool RowOn = RowSelected(SelRow);
    if (((!FMouseDown || ARow != Row()) && RowOn) || (FMouseDown && !RowOn && (AState & GridDrawBit(gdSelected)))) {
      AState = GridDrawBit(gdSelected);
      SelectionBrush();
      SelectionColours();
    } else {
      AState &= ~GridDrawBit(gdSelected);
    }
  }
  if (Selectable && MA->DisjunctColSelect()) {
    const bool ColOn = ColSelected(ACol);
    if (((!FMouseDown || ACol != Col()) && ColOn) || (FMouseDown && !ColOn && (AState & GridDrawBit(gdSelected)))) {
      AState = GridDrawBit(gdSelected);
      ABrush->SetColor(FSelectionColor);
      SelectionColours();
    }
  }
  const bool Disjunct = MA->DisjunctRowSelect() || MA->DisjunctColSelect();
  if ((Selectable && !MA->DisjunctCellSelect() && IsSelected(ACol, ARow) && !Disjunct) ||
      ((AState & GridDrawBit(gdSelected)) && FMouseDown && CanShow)) {
    SelectionBrush();
    SelectionColours();
    AState |= GridDrawBit(gdSelected);
  }
  if (MA->DisjunctCellSelect() && CanShow) {
    if (FSelectedCells->IndexOf((ARow << 16) | (ACol & 0xFFFF)) >= 0) {
      ABrush->SetColor(FSelectionColor);
      SelectionColours();
      AState |= GridDrawBit(gdSelected);
    } else if (ACol == Col() && ARow == Row()) {
      AState &= ~GridDrawBit(gdSelected);
      ABrush->SetColor(UnselBrush);
      AFont->SetColor(UnselFont);
    }
  }

  if (FUseDisabledFont && ((FUseEnabledRows && !RowEnabled(SelRow)) || !Enabled()))
    AFont->SetColor(FDisabledFontColor);
  if (!Printing && CanShow && MA->DisjunctRowSelect() && ARow != Row() && IsSelected(ACol, ARow) &&
      FSelectionColorTo == clNone && FShowFocusedSelectionColor)
    ABrush->SetColor(ChangeColorPerc(ABrush->Color(), -10));

  GetCellWordWrap(R, ARow, WordWrap);
  const auto Align = GetCellAlignment(R, ARow);
  HAlign = Align.first;
  VAlign = Align.second;
}

void TZurEvoderOzod::GetFontProperties(int32_t ACol, int32_t RCol, int32_t ARow, TGridDrawState& AState, TFont* AFont,
                                       TBrush* ABrush, bool)
{
  const bool Fixed = IsFixed(RCol, ARow) || ACol < TBaseGrid::FixedCols() || ARow < TBaseGrid::FixedRows();
  AFont->Assign(Fixed ? FFixedFont.get() : Font());
  if (HasCellProperties(RCol, ARow))
    ApplyRecordFont(GetCellProperties(RCol, ARow), AFont);
  GetCellColor(RCol, ARow, AState, ABrush, AFont);
}

std::pair<TAlignment, TVAlignment> TZurEvoderOzod::GetCellAlignment(int32_t ACol, int32_t ARow)
{
  TAlignment HAlign = FDefaultAlignment;
  TVAlignment VAlign = FVAlignment;
  if (FAutoNumAlign) {
    // A formula shows its value, which joins it in the numbers' alignment
    // once formulas are calculated.
    const String Text = Trim(GetCellEx(ACol, ARow));
    const TAutoType T = IsType(Text);
    if (T == atNumeric || T == atFloat || T == atScientific)
      HAlign = taRightJustify;
  } else if (HasCellProperties(ACol, ARow)) {
    const TCellProperties* CP = GetCellProperties(ACol, ARow);
    HAlign = CP->Alignment();
    VAlign = CP->VAlignment();
  }
  GetCellAlign(ACol, ARow, HAlign, VAlign);
  return {HAlign, VAlign};
}
