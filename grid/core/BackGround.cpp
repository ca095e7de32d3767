#include "grid/core/BackGround.h"

#include "platform/Bitmap.h"
#include "platform/Published.h"

namespace {

const TEnumInfo DisplayInfo("TBackGroundDisplay", {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"});
const TEnumInfo CellsInfo("TBackGroundCells", {"bcNormal", "bcFixed", "bcAll"});

using B = TBackGround;
[[maybe_unused]] const TClassInfo& BackGroundClass =
    PublishClass<B>("TBackGround", "TPersistent",
                    {
                        PropInt("Top", &B::Top, &B::SetTop, 0),
                        PropInt("Left", &B::Left, &B::SetLeft, 0),
                        PropEnum("Display", &B::Display, &B::SetDisplay, DisplayInfo, bdTile),
                        PropObj("Bitmap", &B::Bitmap, &B::SetBitmap),
                        PropEnum("Cells", &B::Cells, &B::SetCells, CellsInfo, bcNormal),
                        PropColor("Color", &B::Color, &B::SetColor, clWindow),
                        PropColor("ColorTo", &B::ColorTo, &B::SetColorTo, clBtnFace),
                    });

} // namespace

TBackGround::TBackGround() : FBitmap(std::make_unique<TBitmap>()) {}
TBackGround::~TBackGround() = default;
String TBackGround::ClassName() const { return QStringLiteral("TBackGround"); }

void TBackGround::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TBackGround::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TBackGround*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FTop = S->FTop;
  FLeft = S->FLeft;
  FDisplay = S->FDisplay;
  FBitmap->Assign(S->FBitmap.get());
  FCells = S->FCells;
  FColor = S->FColor;
  FColorTo = S->FColorTo;
  Changed();
}

void TBackGround::SetTop(int32_t Value)
{
  FTop = Value;
  Changed();
}

void TBackGround::SetLeft(int32_t Value)
{
  FLeft = Value;
  Changed();
}

void TBackGround::SetDisplay(TBackGroundDisplay Value)
{
  FDisplay = Value;
  Changed();
}

void TBackGround::SetBitmap(TBitmap* Value)
{
  FBitmap->Assign(Value);
  Changed();
}

void TBackGround::SetCells(TBackGroundCells Value)
{
  FCells = Value;
  Changed();
}

void TBackGround::SetColor(TColor Value)
{
  FColor = Value;
  Changed();
}

void TBackGround::SetColorTo(TColor Value)
{
  FColorTo = Value;
  Changed();
}
