#include "grid/base/CellProperties.h"

#include "grid/base/BaseGrid.h"
#include "grid/base/RurTypeInfo.h"
#include "platform/CanvasTypeInfo.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Published.h"

namespace {

using P = TCellProperties;
[[maybe_unused]] const TClassInfo& CellPropertiesClass = PublishClass<P>(
    "TCellProperties", "TPersistent",
    {
        PropInt("OwnerCol", &P::OwnerCol, &P::SetOwnerCol).Stored(false),
        PropInt("OwnerRow", &P::OwnerRow, &P::SetOwnerRow).Stored(false),
        PropInt("CellObject", &P::CellObject, &P::SetCellObject),
        PropEnum("BrushStyle", &P::BrushStyle, &P::SetBrushStyle, BrushStyleInfo),
        PropColor("BrushColor", &P::BrushColor, &P::SetBrushColor),
        PropColor("BrushColorTo", &P::BrushColorTo, &P::SetBrushColorTo),
        PropInt("FontSize", &P::FontSize, &P::SetFontSize),
        PropColor("FontColor", &P::FontColor, &P::SetFontColor),
        PropSet("FontStyle", &P::FontStyle, &P::SetFontStyle, FontStyleInfo),
        PropInt("CellSpanY", &P::CellSpanY, &P::SetCellSpanY),
        PropInt("CellSpanX", &P::CellSpanX, &P::SetCellSpanX),
        PropInt("BorderWidth", &P::BorderWidth, &P::SetBorderWidth),
        PropColor("BorderColor", &P::BorderColor, &P::SetBorderColor),
        PropEnum("Alignment", &P::Alignment, &P::SetAlignment, AlignmentInfo),
        PropEnum("VAlignment", &P::VAlignment, &P::SetVAlignment, VAlignmentInfo),
        PropBool("WordWrap", &P::WordWrap, &P::SetWordWrap),
        PropBool("IsBaseCell", &P::IsBaseCell, &P::SetIsBaseCell),
        PropInt("NodeLevel", &P::NodeLevel, &P::SetNodeLevel),
        PropEnum("Editor", &P::Editor, &P::SetEditor, EditorTypeInfo),
        PropStr("FontName", &P::FontName, &P::SetFontName),
        PropBool("ReadOnly", &P::ReadOnly, &P::SetReadOnly),
        PropEnum("GradientDirection", &P::GradientDirection, &P::SetGradientDirection, CellGradientDirectionInfo),
        PropObj("Control", &P::Control, &P::SetControl),
    });

} // namespace

TCellProperties::TCellProperties(TBaseGrid* AOwner, int32_t ACol, int32_t ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow)
{
  if (FOwnerGrid) {
    FWordWrap = FOwnerGrid->FWordWrap;
    FOwnerGrid->FHasCellProps = true;
  }
}

TCellProperties::~TCellProperties() = default;

String TCellProperties::ClassName() const { return QStringLiteral("TCellProperties"); }

void TCellProperties::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TCellProperties*>(Source);
  if (!S)
    return;
  FIsBaseCell = S->FIsBaseCell;
  FCellSpanX = S->FCellSpanX;
  FCellSpanY = S->CellSpanY();
  FOwnerRow = S->FOwnerRow;
  FOwnerCol = S->FOwnerCol;
  FObject = S->FObject;
  FAlignment = S->FAlignment;
  FBorderColor = S->FBorderColor;
  FBorderWidth = S->FBorderWidth;
  FBrushColor = S->FBrushColor;
  FBrushStyle = S->FBrushStyle;
  FFontColor = S->FFontColor;
  FFontStyle = S->FFontStyle;
  FFontName = S->FFontName;
  FFontHeight = S->FFontHeight;
  FReadOnly = S->FReadOnly;
  FEditor = S->FEditor;
  FVAlignment = S->FVAlignment;
  FWordWrap = S->FWordWrap;
  FNodeLevel = S->FNodeLevel;
  FControl = S->FControl;
  FMergeCollaps = S->FMergeCollaps;
}

void TCellProperties::SetDefaults(TAlignment HAlign, TVAlignment VAlign, bool AWordWrap, const TFont& AFont,
                                  TColor ABrushColor, TColor ABrushColorTo, TCellGradientDirection Direction)
{
  FCalcType = acNONE;
  FAlignment = HAlign;
  FVAlignment = VAlign;
  FWordWrap = AWordWrap;
  FFontName = AFont.Name();
  FFontHeight = AFont.Height();
  FFontStyle = AFont.Style();
  FFontColor = AFont.Color();
  FBrushColor = ABrushColor;
  FBrushColorTo = ABrushColorTo;
  FGradientDirection = Direction;
}

void TCellProperties::Repaint()
{
  if (FOwnerGrid)
    FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor Value)
{
  FBrushColor = Value;
  Repaint();
}

void TCellProperties::SetBrushColorTo(TColor Value)
{
  FBrushColorTo = Value;
  Repaint();
}

void TCellProperties::SetVAlignment(TVAlignment Value)
{
  FVAlignment = Value;
  Repaint();
}

void TCellProperties::SetWordWrap(bool Value)
{
  FWordWrap = Value;
  Repaint();
}
