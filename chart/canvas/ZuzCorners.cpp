#include "chart/canvas/ZuzCorners.h"
#include "chart/canvas/ZuzCanvas.h"
#include "chart/canvas/ZuzPath.h"

#include "platform/Published.h"

#include <cstdlib>

namespace {
const TEnumInfo CornerStyleInfo("TZuzCornerStyle", {"cosRound", "cosBevel", "cosNone"});

[[maybe_unused]] const TClassInfo& CornerClass =
    PublishClass<TZuzCorner>("TZuzCorner", "TPersistent",
                             {PropEnum("Style", &TZuzCorner::Style, &TZuzCorner::SetStyle, CornerStyleInfo, cosRound)});
[[maybe_unused]] const TClassInfo& CornersClass =
    PublishClass<TZuzCorners>("TZuzCorners", "TPersistent",
                              {
                                  PropObj("LeftBottom", &TZuzCorners::LeftBottom, &TZuzCorners::SetLeftBottom),
                                  PropObj("LeftTop", &TZuzCorners::LeftTop, &TZuzCorners::SetLeftTop),
                                  PropObj("RightBottom", &TZuzCorners::RightBottom, &TZuzCorners::SetRightBottom),
                                  PropObj("RightTop", &TZuzCorners::RightTop, &TZuzCorners::SetRightTop),
                              });
} // namespace

TZuzCorner::TZuzCorner(TNotifyEvent Changed) : IChanged(std::move(Changed)) {}

String TZuzCorner::ClassName() const { return QStringLiteral("TZuzCorner"); }

void TZuzCorner::Assign(TPersistent* Source)
{
  if (auto* C = dynamic_cast<TZuzCorner*>(Source)) {
    FStyle = C->FStyle;
    return;
  }
  TPersistent::Assign(Source);
}

void TZuzCorner::SetStyle(TZuzCornerStyle Value)
{
  if (FStyle == Value)
    return;
  FStyle = Value;
  if (IChanged)
    IChanged(this);
}

// ---------------------------------------------------------------------------

TZuzCorners::TZuzCorners(TNotifyEvent Changed)
    : FLeftBottom(std::make_unique<TZuzCorner>(Changed)), FLeftTop(std::make_unique<TZuzCorner>(Changed)),
      FRightBottom(std::make_unique<TZuzCorner>(Changed)), FRightTop(std::make_unique<TZuzCorner>(Changed))
{
}

TZuzCorners::~TZuzCorners() = default;

String TZuzCorners::ClassName() const { return QStringLiteral("TZuzCorners"); }

void TZuzCorners::Assign(TPersistent* Source)
{
  if (auto* C = dynamic_cast<TZuzCorners*>(Source)) {
    FLeftBottom->Assign(C->FLeftBottom.get());
    FLeftTop->Assign(C->FLeftTop.get());
    FRightBottom->Assign(C->FRightBottom.get());
    FRightTop->Assign(C->FRightTop.get());
    return;
  }
  TPersistent::Assign(Source);
}

// A corner is always there; a missing one (nil in a file) leaves it as it is.
void TZuzCorners::SetLeftBottom(TZuzCorner* Value)
{
  if (Value)
    FLeftBottom->SetStyle(Value->Style());
}
void TZuzCorners::SetLeftTop(TZuzCorner* Value)
{
  if (Value)
    FLeftTop->SetStyle(Value->Style());
}
void TZuzCorners::SetRightBottom(TZuzCorner* Value)
{
  if (Value)
    FRightBottom->SetStyle(Value->Style());
}
void TZuzCorners::SetRightTop(TZuzCorner* Value)
{
  if (Value)
    FRightTop->SetStyle(Value->Style());
}

std::unique_ptr<TZuzBasePath> TZuzCorners::GetPath(TZuzCanvas* ACanvas, const TRect& R, int32_t X, int32_t Y) const
{
  const int32_t L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  auto P = ACanvas->CreatePath();
  int32_t W = std::max(1, (X / 2) * 2);
  int32_t H = std::max(1, (Y / 2) * 2);
  if (std::abs(Rt - L) < W)
    W = std::abs(Rt - L);
  if (std::abs(B - T) < H)
    H = std::abs(B - T);
  const int32_t W2 = W / 2, H2 = H / 2;
  const TZuzCornerStyle RT = FRightTop->Style(), RB = FRightBottom->Style(), LB = FLeftBottom->Style(),
                        LT = FLeftTop->Style();

  switch (RT) {
  case cosRound:
    if (LT == cosNone) {
      P->MoveTo(L, T);
      P->LineTo(Rt - W, T);
    }
    P->ArcTo(Rt - W, T, W, H, 270, 90);
    break;
  case cosBevel:
    P->MoveTo(Rt - W2, T);
    P->LineTo(Rt, T + H2);
    break;
  case cosNone:
    P->MoveTo(Rt, T);
    break;
  }

  // Where the outline continues after a round corner it goes on by a line
  // along the edge rather than a new figure, so that the whole outline is
  // one figure that fills and strokes alike on every canvas.
  if (RB == cosRound) {
    if (RT != cosRound)
      P->LineTo(Rt, B - H);
    P->ArcTo(Rt - W, B - H, W, H, 0, 90);
  } else {
    if (RT == cosRound)
      P->LineTo(Rt, T + H);
    if (RB == cosBevel) {
      P->LineTo(Rt, B - H2);
      P->LineTo(Rt - W2, B);
    } else {
      P->LineTo(Rt, B);
    }
  }

  if (LB == cosRound) {
    if (RB != cosRound)
      P->LineTo(L + W, B);
    P->ArcTo(L, B - H, W, H, 90, 90);
  } else {
    if (RB == cosRound)
      P->LineTo(Rt - W, B);
    if (LB == cosBevel) {
      P->LineTo(L + W2, B);
      P->LineTo(L, B - H2);
    } else {
      P->LineTo(L, B);
    }
  }

  if (LT == cosRound) {
    if (LB != cosRound)
      P->LineTo(L, T + H);
    P->ArcTo(L, T, W, H, 180, 90);
  } else {
    if (LB == cosRound)
      P->LineTo(L, B - H);
    if (LT == cosBevel) {
      P->LineTo(L, T + H2);
      P->LineTo(L + W2, T);
    } else if (RT != cosRound) {
      P->LineTo(L, T);
    }
  }
  P->Close();
  return P;
}
