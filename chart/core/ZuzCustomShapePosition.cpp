#include "chart/core/ZuzCustomShapePosition.h"

#include "platform/Published.h"

namespace {
const TEnumInfo AlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
const TEnumInfo VertTextAlignInfo("TVertTextAlign", {"vtaCenter", "vtaTop", "vtaBottom"});

using P = TZuzCustomShapePosition;
[[maybe_unused]] const TClassInfo& PositionClass = PublishClass<P>(
    "TZuzCustomShapePosition", "TCustomTextShape",
    {
        PropBool("CustomPosition", &P::CustomPosition, &P::SetCustomPosition).Stored(&P::IsCustomPositionStored),
        PropInt("Left", &P::GetLeft, &P::SetLeft).Stored(&P::IsPositionStored),
        PropInt("Top", &P::GetTop, &P::SetTop).Stored(&P::IsPositionStored),
    });

using T = TTextShape;
[[maybe_unused]] const TClassInfo& TextShapeClass = PublishClass<T>(
    "TTextShape", "TZuzCustomShapePosition",
    {
        PropEnum("Alignment", &T::Alignment, &T::SetAlignment, AlignmentInfo, taLeftJustify),
        PropBool("AutoSize", &T::AutoSize, &T::SetAutoSize, true),
        PropBool("ClipText", &T::ClipText, &T::SetClipText, true),
        PropInt("Cursor", &T::Cursor, &T::SetCursor, 0),
        PropStr("Text", &T::Text, &T::SetText),
        PropEnum("VertTextAlign", &T::VertTextAlign, &T::SetVertTextAlign, VertTextAlignInfo, vtaCenter),
    });
} // namespace

TZuzCustomShapePosition::TZuzCustomShapePosition(TCustomZuzPanel* AOwner) : TCustomTextShape(AOwner) {}

String TZuzCustomShapePosition::ClassName() const { return QStringLiteral("TZuzCustomShapePosition"); }

void TZuzCustomShapePosition::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TZuzCustomShapePosition*>(Source)) {
    FCustomPosition = S->FCustomPosition;
    if (FCustomPosition) {
      ShapeBounds.Right = S->ShapeBounds.Left + ShapeBounds.Width();
      ShapeBounds.Left = S->ShapeBounds.Left;
      ShapeBounds.Bottom = S->ShapeBounds.Top + ShapeBounds.Height();
      ShapeBounds.Top = S->ShapeBounds.Top;
    }
  }
  TCustomTextShape::Assign(Source);
}

void TZuzCustomShapePosition::SetCustomPosition(bool Value) { Change(FCustomPosition, Value); }

void TZuzCustomShapePosition::SetLeft(int32_t Value)
{
  SetCustomPosition(true);
  const int32_t W = ShapeBounds.Width();
  if (FParent)
    FParent->SetIntegerProperty(ShapeBounds.Left, Value);
  else
    ShapeBounds.Left = Value;
  ShapeBounds.Right = ShapeBounds.Left + W;
}

void TZuzCustomShapePosition::SetTop(int32_t Value)
{
  SetCustomPosition(true);
  const int32_t H = ShapeBounds.Height();
  if (FParent)
    FParent->SetIntegerProperty(ShapeBounds.Top, Value);
  else
    ShapeBounds.Top = Value;
  ShapeBounds.Bottom = ShapeBounds.Top + H;
}

TTextShape::TTextShape(TCustomZuzPanel* AOwner) : TZuzCustomShapePosition(AOwner) {}

String TTextShape::ClassName() const { return QStringLiteral("TTextShape"); }
