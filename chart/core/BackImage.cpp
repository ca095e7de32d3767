#include "chart/core/BackImage.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/CustomZuzPanelExtended.h"
#include "platform/Published.h"

#include <QScopeGuard>

namespace {

const TEnumInfo BackImageModeInfo("TZuzBackImageMode", {"pbmStretch", "pbmTile", "pbmCenter", "pbmCustom"});
const TEnumInfo StretchQualityInfo("TCanvasStretchQuality", {"sqHigh", "sqLow"});

[[maybe_unused]] const TClassInfo& BackImageClass = PublishClass<TBackImage>(
    "TBackImage", "TPicture",
    {
        PropInt("Bottom", &TBackImage::Bottom, &TBackImage::SetBottom, 0),
        PropInt("Left", &TBackImage::Left, &TBackImage::SetLeft, 0),
        PropInt("Right", &TBackImage::Right, &TBackImage::SetRight, 0),
        PropInt("Top", &TBackImage::Top, &TBackImage::SetTop, 0),
        PropEnum("DrawQuality", &TBackImage::DrawQuality, &TBackImage::SetDrawQuality, StretchQualityInfo, sqHigh),
        PropBool("Inside", &TBackImage::Inside, &TBackImage::SetInside, false),
        PropEnum("Mode", &TBackImage::Mode, &TBackImage::SetMode, BackImageModeInfo, pbmStretch),
    });

bool Perspective(TCanvas3D* C) { return C->View3DOptions() && !C->View3DOptions()->Orthogonal(); }

} // namespace

TBackImage::TBackImage() = default;

String TBackImage::ClassName() const { return QStringLiteral("TBackImage"); }

void TBackImage::Assign(TPersistent* Source)
{
  if (auto* B = dynamic_cast<TBackImage*>(Source)) {
    FLeft = B->FLeft;
    FTop = B->FTop;
    FRight = B->FRight;
    FBottom = B->FBottom;
    FDrawQuality = B->FDrawQuality;
    FInside = B->FInside;
    FMode = B->FMode;
  }
  TZuzPicture::Assign(Source);
}

template <class T>
void TBackImage::Change(T& Field, T Value)
{
  if (Field == Value)
    return;
  Field = Value;
  Changed();
}

void TBackImage::SetLeft(int32_t Value) { Change(FLeft, Value); }
void TBackImage::SetTop(int32_t Value) { Change(FTop, Value); }
void TBackImage::SetRight(int32_t Value) { Change(FRight, Value); }
void TBackImage::SetBottom(int32_t Value) { Change(FBottom, Value); }
void TBackImage::SetDrawQuality(TCanvasStretchQuality Value) { Change(FDrawQuality, Value); }
void TBackImage::SetInside(bool Value) { Change(FInside, Value); }
void TBackImage::SetMode(TZuzBackImageMode Value) { Change(FMode, Value); }

TRect TBackImage::GetBounds() const
{
  return TRect{FLeft, FTop, FRight == 0 ? FLeft + Width() : FRight, FBottom == 0 ? FTop + Height() : FBottom};
}

void TBackImage::SetBounds(const TRect& R)
{
  FLeft = R.Left;
  FTop = R.Top;
  FRight = R.Right;
  FBottom = R.Bottom;
  Changed();
}

void TBackImage::Draw(TCustomZuzPanel* Panel, const TRect& Rect, int32_t Z)
{
  TGraphic* G = Filtered();
  if (!Panel || !G)
    return;
  TCanvas3D* C = Panel->InternalCanvas();
  const TCanvasStretchQuality OldQuality = C->StretchDrawQuality();
  C->SetStretchDrawQuality(FDrawQuality);
  const auto Restore = qScopeGuard([&] { C->SetStretchDrawQuality(OldQuality); });
  TRect R = Rect;
  // A picture at depth seen straight on is the projected rectangle; the
  // flat view keeps the top edge below the wall's line.
  const auto Calc3DRect = [&] {
    R = C->CalcRect3D(R, Z);
    if (!Panel->View3D())
      ++R.Top;
  };
  if (FMode == pbmStretch) {
    if (Z != 0 && !Perspective(C)) {
      Calc3DRect();
      C->StretchDraw(R, G);
    } else if (Z != 0)
      C->StretchDraw(R, G, Z, cpZ);
    else
      C->StretchDraw(R, G);
    return;
  }
  const bool Clip = Panel->CanClip();
  if (Clip) {
    if (Z != 0)
      C->ClipCube(R, 0, Panel->Width3D());
    else
      C->ClipRectangle(R);
  }
  const auto UnClip = qScopeGuard([&] {
    if (Clip)
      C->UnClipRectangle();
  });
  if (Z != 0 && !Perspective(C))
    Calc3DRect();
  const int32_t W = R.Width(), H = R.Height();
  if (FMode == pbmTile) {
    const int32_t PW = G->Width(), PH = G->Height();
    if (PW <= 0 || PH <= 0)
      return;
    for (int32_t Y = 0; Y < H; Y += PH)
      for (int32_t X = 0; X < W; X += PW) {
        const TRect Tile{R.Left + X, R.Top + Y, R.Left + X + PW, R.Top + Y + PH};
        if (Z > 0 && Perspective(C))
          C->StretchDraw(Tile, G, Z, cpZ);
        else
          C->Draw(Tile.Left, Tile.Top, G);
      }
    return;
  }
  if (auto* Extended = dynamic_cast<TCustomZuzPanelExtended*>(Panel))
    Extended->FillPanelRect(R);
  if (FMode == pbmCustom) {
    R.Left += FLeft;
    R.Top += FTop;
    R.Right = R.Left + (FRight == 0 ? G->Width() : FRight);
    R.Bottom = R.Top + (FBottom == 0 ? G->Height() : FBottom);
  } else {
    const int32_t DX = (G->Width() - W) / 2, DY = (G->Height() - H) / 2;
    R = TRect{R.Left - DX, R.Top - DY, R.Right + DX, R.Bottom + DY};
  }
  if (Z != 0 && Perspective(C))
    C->StretchDraw(R, G, Z, cpZ);
  else if (FRight != 0 || FBottom != 0)
    C->StretchDraw(R, G);
  else
    C->Draw(R.Left, R.Top, G);
}
