#include "chart/canvas/ZuzBlend.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/ZuzCanvas.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFont.h"

#include "platform/Published.h"
#include "rtl/RtlMath.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The surface a canvas draws on: its buffer bitmap's image when it has one,
// else the image of its reference canvas.
QImage* SurfaceOf(TZuzCanvas* Canvas)
{
  if (auto* G = dynamic_cast<TZuzCanvas3D*>(Canvas))
    if (G->Bitmap() && !G->Bitmap()->Empty())
      return G->Bitmap()->ImageData();
  if (Canvas->ReferenceCanvas())
    return Canvas->ReferenceCanvas()->Image();
  return nullptr;
}

void CopyArea(const QImage& From, const TRect& R, TBitmap& To)
{
  QImage* T = To.ImageData();
  for (int32_t y = 0; y < R.Height(); ++y) {
    const int32_t SY = R.Top + y;
    auto* D = reinterpret_cast<QRgb*>(T->scanLine(y));
    if (SY < 0 || SY >= From.height()) {
      continue;
    }
    const auto* S = reinterpret_cast<const QRgb*>(From.constScanLine(SY));
    for (int32_t x = 0; x < R.Width(); ++x) {
      const int32_t SX = R.Left + x;
      if (SX >= 0 && SX < From.width())
        D[x] = S[SX] | 0xFF000000u;
    }
  }
}

} // namespace

TZuzBlend::TZuzBlend(TZuzCanvas* ACanvas, const TRect& R) : FCanvas(ACanvas)
{
  if (FCanvas)
    SetRectangle(R);
}

TZuzBlend::~TZuzBlend() = default;

String TZuzBlend::ClassName() const { return QStringLiteral("TZuzBlend"); }

void TZuzBlend::SetRectangle(const TRect& R)
{
  TRect N{std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right), std::max(R.Top, R.Bottom)};
  N.Left = std::max(0, N.Left);
  N.Top = std::max(0, N.Top);
  N.Right = std::max(0, N.Right);
  N.Bottom = std::max(0, N.Bottom);
  if (N.Width() <= 0)
    N.Right = N.Left + 1;
  if (N.Height() <= 0)
    N.Bottom = N.Top + 1;
  const TRect& B = FCanvas->Bounds();
  N.Right = std::min(N.Right, B.Right);
  N.Bottom = std::min(N.Bottom, B.Bottom);
  FRect = N;
  IValidSize = N.Width() > 0 && N.Height() > 0;
  if (!IValidSize)
    return;
  FBitmap = std::make_unique<TBitmap>();
  FBitmap->SetIgnorePalette(true);
  FBitmap->SetPixelFormat(pf24bit);
  FBitmap->SetSize(N.Width(), N.Height());
  if (const QImage* S = SurfaceOf(FCanvas))
    CopyArea(*S, N, *FBitmap);
}

void TZuzBlend::DoBlend(TZuzTransparency Transparency)
{
  if (FCanvas->Metafiling() || !IValidSize || !FBitmap)
    return;
  TBitmap* Target = nullptr;
  TPoint Pos{FRect.Left, FRect.Top};
  std::unique_ptr<TBitmap> Temp;
  if (auto* G = dynamic_cast<TZuzCanvas3D*>(FCanvas); G && G->Bitmap() && !G->Bitmap()->Empty()) {
    Target = G->Bitmap();
  } else {
    Temp = std::make_unique<TBitmap>(FRect.Width(), FRect.Height());
    Temp->SetIgnorePalette(true);
    if (FCanvas->ReferenceCanvas() && FCanvas->ReferenceCanvas()->Image())
      CopyArea(*FCanvas->ReferenceCanvas()->Image(), FRect, *Temp);
    Target = Temp.get();
    Pos = TPoint{0, 0};
  }
  const int32_t Align = FCanvas->TextAlign();
  ZuzBlendBitmaps(100 - Transparency, FBitmap.get(), Target, Pos);
  if (FCanvas->TextAlign() != Align) {
    FCanvas->AssignFont(FCanvas->Font());
    FCanvas->SetTextAlign(Align);
  }
  if (Temp)
    FCanvas->Draw(FRect.Left, FRect.Top, Temp.get());
}

bool ZuzAlphaBlendChecked = false;
bool ZuzCanAlphaBlend = false;

bool CheckWinAlphaBlend() { return false; }

void ZuzBlendBitmaps(double Percent, TBitmap* ABitmap, TBitmap* BBitmap, const TPoint& BOrigin)
{
  if (!ABitmap || !BBitmap || ABitmap->Empty() || BBitmap->Empty())
    return;
  if (!ZuzAlphaBlendChecked) {
    ZuzCanAlphaBlend = ZuzOnWindowsNT && CheckWinAlphaBlend();
    ZuzAlphaBlendChecked = true;
  }
  // A transparency above 100 (a byte from a chart file) would push the mix
  // past both colours.
  if (!(Percent >= 0))
    Percent = 0;
  else if (Percent > 100)
    Percent = 100;
  ABitmap->SetPixelFormat(pf24bit);
  BBitmap->SetPixelFormat(pf24bit);
  const int32_t X = std::max(BOrigin.X, 0), Y = std::max(BOrigin.Y, 0);
  const int32_t W = std::min(ABitmap->Width(), BBitmap->Width() - X);
  const int32_t H = std::min(ABitmap->Height(), BBitmap->Height() - Y);
  if (W <= 0 || H <= 0)
    return;
  const int32_t C = 256 - static_cast<int32_t>(Round(Percent * 2.56));
  const QImage* A = ABitmap->ImageData();
  QImage* B = BBitmap->ImageData();
  for (int32_t j = 0; j < H; ++j) {
    const auto* AL = reinterpret_cast<const QRgb*>(A->constScanLine(j));
    auto* BL = reinterpret_cast<QRgb*>(B->scanLine(Y + j));
    for (int32_t i = 0; i < W; ++i) {
      const QRgb a = AL[i];
      QRgb b = BL[X + i];
      int32_t br = qRed(b), bg = qGreen(b), bb = qBlue(b);
      // A pure white background pixel is first made slightly off-white, so
      // that later white-keyed transparency leaves blended pixels alone.
      if (br == 255 && bg == 255 && bb == 255)
        br = 254;
      auto Mix = [C](int32_t ac, int32_t bc) {
        const int32_t d = (ac - bc) * C;
        // Floor division by 256 (an arithmetic shift), also for negative
        // differences.
        return bc + (d >> 8);
      };
      BL[X + i] = qRgb(Mix(qRed(a), br), Mix(qGreen(a), bg), Mix(qBlue(a), bb));
    }
  }
}

// --- smooth stretching -------------------------------------------------------

float Lanczos3Filter(float X)
{
  if (X == 0)
    return 1;
  const float T = std::fabs(X);
  if (T >= 3)
    return 0;
  const float Pi = 3.14159265358979f;
  const float A = static_cast<float>(std::sin(Pi * T) / (Pi * T));
  const float B = static_cast<float>(std::sin(Pi * T / 3) / (Pi * T / 3));
  return A * B;
}

float TriangleFilter(float X)
{
  const float T = std::fabs(X);
  return T < 1 ? 1 - T : 0;
}

namespace {

struct TContributor {
  int32_t Pixel;
  int32_t Weight;
};

using TContributorList = std::vector<TContributor>;

void CalcSampling(std::vector<TContributorList>& Lists, int32_t SrcSize, int32_t DstSize, float Scale,
                  TFilterKernel Filter, float Radius)
{
  const float Inv = 1 / Scale;
  const float Width = Radius * Inv;
  const float WeightScale = Scale < 1 ? 1024 * Scale : 1024;
  for (int32_t i = 0; i < DstSize; ++i) {
    TContributorList& L = Lists[i];
    L.clear();
    const float Centre = i * Inv;
    const int64_t From = static_cast<int64_t>(std::floor(Centre - Width));
    const int64_t To = static_cast<int64_t>(std::ceil(Centre + Width));
    for (int64_t j = From; j <= To; ++j) {
      const float Arg = Scale < 1 ? (Centre - j) * Scale : (Centre - j);
      const int32_t W = static_cast<int32_t>(Round(Filter(Arg) * WeightScale));
      if (W == 0)
        continue;
      int64_t Idx = j < 0 ? -j : (j >= SrcSize ? 2 * int64_t(SrcSize) - 1 - j : j);
      if (Idx < 0)
        Idx = -Idx;
      // A window wider than twice the source can still reflect outside it.
      Idx = std::clamp<int64_t>(Idx, 0, SrcSize - 1);
      L.push_back({static_cast<int32_t>(Idx), W});
    }
  }
}

inline int32_t ClampChannel(int32_t Sum)
{
  if (Sum > 261120)
    return 255;
  if (Sum < 0)
    return 0;
  return Sum >> 10;
}

} // namespace

void SmoothStretch(TBitmap* Src, TBitmap* Dst, TFilterKernel Filter, float Radius)
{
  if (!Src || !Dst)
    return;
  const int32_t SW = Src->Width(), SH = Src->Height(), DW = Dst->Width(), DH = Dst->Height();
  if (SW <= 1 || SH <= 1 || DW <= 1 || DH <= 1)
    return;
  Src->SetPixelFormat(pf24bit);
  Dst->SetPixelFormat(pf24bit);
  QImage Work(DW, SH, QImage::Format_RGB32);
  const float XScale = float(DW - 1) / float(SW - 1);
  const float YScale = float(DH - 1) / float(SH - 1);
  std::vector<TContributorList> Lists(static_cast<size_t>(std::max(DW, DH)));
  const size_t Room = static_cast<size_t>(Radius * 2 / std::min(XScale, YScale)) + 3;
  for (auto& L : Lists)
    L.reserve(Room);

  const QImage* S = Src->ImageData();
  CalcSampling(Lists, SW, DW, XScale, Filter, Radius);
  for (int32_t y = 0; y < SH; ++y) {
    const auto* SL = reinterpret_cast<const QRgb*>(S->constScanLine(y));
    auto* WL = reinterpret_cast<QRgb*>(Work.scanLine(y));
    for (int32_t x = 0; x < DW; ++x) {
      int32_t R = 0, G = 0, B = 0;
      for (const TContributor& C : Lists[x]) {
        const QRgb P = SL[C.Pixel];
        R += C.Weight * qRed(P);
        G += C.Weight * qGreen(P);
        B += C.Weight * qBlue(P);
      }
      WL[x] = qRgb(ClampChannel(R), ClampChannel(G), ClampChannel(B));
    }
  }
  if (DH <= 2)
    return;
  CalcSampling(Lists, SH, DH, YScale, Filter, Radius);
  QImage* D = Dst->ImageData();
  for (int32_t x = 0; x < DW; ++x) {
    for (int32_t y = 0; y < DH; ++y) {
      int32_t R = 0, G = 0, B = 0;
      for (const TContributor& C : Lists[y]) {
        const QRgb P = reinterpret_cast<const QRgb*>(Work.constScanLine(C.Pixel))[x];
        R += C.Weight * qRed(P);
        G += C.Weight * qGreen(P);
        B += C.Weight * qBlue(P);
      }
      reinterpret_cast<QRgb*>(D->scanLine(y))[x] = qRgb(ClampChannel(R), ClampChannel(G), ClampChannel(B));
    }
  }
}

void SmoothStretch(TBitmap* Src, TBitmap* Dst, TSmoothStretchOption Option)
{
  if (Option == ssBestPerformance)
    SmoothStretch(Src, Dst, TriangleFilter, 1);
  else
    SmoothStretch(Src, Dst, Lanczos3Filter, 3);
}

void SmoothStretch(TBitmap* Src, TBitmap* Dst) { SmoothStretch(Src, Dst, ssBestQuality); }

// ---------------------------------------------------------------------------

namespace {
[[maybe_unused]] const TClassInfo& WhitePenClass = PublishClass<TWhitePen>("TWhitePen", "TZuzPen");
} // namespace

TWhitePen::TWhitePen(TNotifyEvent OnChangeEvent) : TZuzPen(std::move(OnChangeEvent)) { InitColor(clWhite); }

String TWhitePen::ClassName() const { return QStringLiteral("TWhitePen"); }
