#include "chart/canvas/ZuzFilters.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/CanvasMessages.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzGradient.h"

#include "platform/ClassRegistry.h"
#include "platform/Published.h"
#include "rtl/RtlMath.h"
#include "rtl/StringList.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const TEnumInfo GrayMethodInfo("TGrayMethod", {"gmSimple", "gmEye", "gmEye2", "gmLight"});
const TEnumInfo ColorMethodInfo("TColorMethod", {"cmHue", "cmLum", "cmSat"});
const TEnumInfo MirrorDirectionInfo("TMirrorDirection", {"mdDown", "mdUp", "mdRight", "mdLeft"});

// Amount and Percent are published by each descendant of the amount filter
// with its own declared defaults.
template <class F>
const TClassInfo& PublishAmount(const char* Name, int32_t AmountDefault, bool PercentDefault)
{
  return PublishClass<F>(Name, "TAmountFilter",
                         {
                             PropInt("Amount", &F::Amount, &F::SetAmount, AmountDefault),
                             PropBool("Percent", &F::Percent, &F::SetPercent, PercentDefault),
                         });
}

[[maybe_unused]] const TClassInfo& InvertClass = PublishClass<TInvertFilter>("TInvertFilter", "TZuzFilter");
[[maybe_unused]] const TClassInfo& GrayClass = PublishClass<TGrayScaleFilter>(
    "TGrayScaleFilter", "TZuzFilter",
    {PropEnum("Method", &TGrayScaleFilter::Method, &TGrayScaleFilter::SetMethod, GrayMethodInfo, gmSimple)});
[[maybe_unused]] const TClassInfo& AmountClass = PublishClass<TAmountFilter>("TAmountFilter", "TZuzFilter");
[[maybe_unused]] const TClassInfo& MosaicClass = PublishAmount<TMosaicFilter>("TMosaicFilter", 5, false);
[[maybe_unused]] const TClassInfo& FlipClass = PublishClass<TFlipFilter>("TFlipFilter", "TZuzFilter");
[[maybe_unused]] const TClassInfo& ReverseClass = PublishClass<TReverseFilter>("TReverseFilter", "TZuzFilter");
[[maybe_unused]] const TClassInfo& BrightnessClass = PublishAmount<TBrightnessFilter>("TBrightnessFilter", 5, true);
[[maybe_unused]] const TClassInfo& ContrastClass = PublishAmount<TContrastFilter>("TContrastFilter", 5, true);
[[maybe_unused]] const TClassInfo& ColorClass =
    PublishClass<TColorFilter>("TColorFilter", "TZuzFilter",
                               {
                                   PropInt("Blue", &TColorFilter::Blue, &TColorFilter::SetBlue, 0),
                                   PropInt("Green", &TColorFilter::Green, &TColorFilter::SetGreen, 0),
                                   PropInt("Red", &TColorFilter::Red, &TColorFilter::SetRed, 0),
                               });
[[maybe_unused]] const TClassInfo& ColorReplaceClass = PublishClass<TColorReplaceFilter>(
    "TColorReplaceFilter", "TZuzFilter",
    {
        PropColor("Color", &TColorReplaceFilter::Color, &TColorReplaceFilter::SetColor, clWhite),
        PropInt("FromValue", &TColorReplaceFilter::FromValue, &TColorReplaceFilter::SetFromValue, 0),
        PropEnum("Method", &TColorReplaceFilter::Method, &TColorReplaceFilter::SetMethod, ColorMethodInfo, cmHue),
        PropInt("ToValue", &TColorReplaceFilter::ToValue, &TColorReplaceFilter::SetToValue, 0),
    });
[[maybe_unused]] const TClassInfo& HueLumSatClass = PublishClass<THueLumSatFilter>(
    "THueLumSatFilter", "TZuzFilter",
    {
        PropInt("Hue", &THueLumSatFilter::Hue, &THueLumSatFilter::SetHue, 0),
        PropInt("Luminance", &THueLumSatFilter::Luminance, &THueLumSatFilter::SetLuminance, 0),
        PropInt("Saturation", &THueLumSatFilter::Saturation, &THueLumSatFilter::SetSaturation, 0),
    });
[[maybe_unused]] const TClassInfo& SharpenClass = PublishClass<TSharpenFilter>("TSharpenFilter", "TConvolveFilter");
[[maybe_unused]] const TClassInfo& GammaClass =
    PublishAmount<TGammaCorrectionFilter>("TGammaCorrectionFilter", 70, true);
[[maybe_unused]] const TClassInfo& EmbossClass = PublishClass<TEmbossFilter>("TEmbossFilter", "TConvolveFilter");
[[maybe_unused]] const TClassInfo& SoftenClass = PublishClass<TSoftenFilter>("TSoftenFilter", "TConvolveFilter");
[[maybe_unused]] const TClassInfo& ResizeClass =
    PublishClass<TResizeFilter>("TResizeFilter", "TZuzFilter",
                                {
                                    PropInt("Height", &TResizeFilter::Height, &TResizeFilter::SetHeight, 0),
                                    PropInt("Width", &TResizeFilter::Width, &TResizeFilter::SetWidth, 0),
                                });
[[maybe_unused]] const TClassInfo& CropClass =
    PublishClass<TCropFilter>("TCropFilter", "TResizeFilter",
                              {
                                  PropInt("Left", &TCropFilter::Left, &TCropFilter::SetLeft, 0),
                                  PropBool("Smooth", &TCropFilter::Smooth, &TCropFilter::SetSmooth, false),
                                  PropInt("Top", &TCropFilter::Top, &TCropFilter::SetTop, 0),
                              });
[[maybe_unused]] const TClassInfo& RotateClass = PublishClass<TRotateFilter>(
    "TRotateFilter", "TZuzFilter",
    {
        PropFloat("Angle", &TRotateFilter::Angle, &TRotateFilter::SetAngle, 0),
        PropBool("AutoSize", &TRotateFilter::AutoSize, &TRotateFilter::SetAutoSize, true),
        PropColor("BackColor", &TRotateFilter::BackColor, &TRotateFilter::SetBackColor, clWhite),
    });
[[maybe_unused]] const TClassInfo& MirrorClass = PublishClass<TMirrorFilter>(
    "TMirrorFilter", "TZuzFilter",
    {PropEnum("Direction", &TMirrorFilter::Direction, &TMirrorFilter::SetDirection, MirrorDirectionInfo, mdDown)});
[[maybe_unused]] const TClassInfo& TileClass =
    PublishClass<TTileFilter>("TTileFilter", "TZuzFilter",
                              {
                                  PropInt("NumCols", &TTileFilter::NumCols, &TTileFilter::SetNumCols, 3),
                                  PropInt("NumRows", &TTileFilter::NumRows, &TTileFilter::SetNumRows, 3),
                              });
[[maybe_unused]] const TClassInfo& BevelClass =
    PublishClass<TBevelFilter>("TBevelFilter", "TZuzFilter",
                               {
                                   PropInt("Bright", &TBevelFilter::Bright, &TBevelFilter::SetBright, 64),
                                   PropInt("Size", &TBevelFilter::Size, &TBevelFilter::SetSize, 15),
                               });
[[maybe_unused]] const TClassInfo& EqualizeClass = PublishClass<TEqualizeFilter>("TEqualizeFilter", "TZuzFilter");
[[maybe_unused]] const TClassInfo& ZoomClass =
    PublishClass<TZoomFilter>("TZoomFilter", "TZuzFilter",
                              {
                                  PropFloat("Percent", &TZoomFilter::Percent, &TZoomFilter::SetPercent, 0),
                                  PropBool("Smooth", &TZoomFilter::Smooth, &TZoomFilter::SetSmooth, false),
                              });
[[maybe_unused]] const TClassInfo& SobelClass = PublishClass<TSobelFilter>("TSobelFilter", "TZuzFilter");
[[maybe_unused]] const TClassInfo& SepiaClass = PublishClass<TSepiaFilter>("TSepiaFilter", "TZuzFilter");

inline uint8_t Clamp255(int64_t V) { return static_cast<uint8_t>(std::clamp<int64_t>(V, 0, 255)); }

// Round of a value that may come from any number in a chart file: limited
// to the device range first, as coordinates are.
inline int64_t SafeRound(double V) { return PixelRound(V); }

template <class F>
void ForEachPixel(const TRGBArray& Rows, const TRect& R, F&& Fn)
{
  for (int32_t y = R.Top; y <= R.Bottom; ++y) {
    uint8_t* Row = Rows[static_cast<size_t>(y)];
    for (int32_t x = R.Left; x <= R.Right; ++x)
      Fn(Row + x * PixelBytes);
  }
}

inline TRGB PixelRGB(const uint8_t* P) { return TRGB{P[0], P[1], P[2]}; }

bool SizeAllowed(int64_t W, int64_t H) { return W >= 1 && H >= 1 && W * H <= MaxFilterPixels; }

std::unique_ptr<TStringList> FilterClassNames;

} // namespace

// --- invert, grey scale -------------------------------------------------------------

String TInvertFilter::ClassName() const { return QStringLiteral("TInvertFilter"); }
String TInvertFilter::Description() const { return ZuzMsg_Invert; }

void TInvertFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  ForEachPixel(Rows(), R, [](uint8_t* P) {
    P[0] = 255 - P[0];
    P[1] = 255 - P[1];
    P[2] = 255 - P[2];
  });
}

String TGrayScaleFilter::ClassName() const { return QStringLiteral("TGrayScaleFilter"); }
String TGrayScaleFilter::Description() const { return ZuzMsg_GrayScale; }

void TGrayScaleFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TGrayScaleFilter*>(Source))
    FMethod = S->FMethod;
  TZuzFilter::Assign(Source);
}

void TGrayScaleFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddCombo(QStringLiteral("Method"));
}

void TGrayScaleFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const TGrayMethod M = FMethod;
  ForEachPixel(Rows(), R, [M](uint8_t* P) {
    const int32_t B = P[0], G = P[1], Rd = P[2];
    int32_t V;
    switch (M) {
    case gmEye:
      V = static_cast<int32_t>(Round(0.299 * Rd + 0.587 * G + 0.114 * B));
      break;
    case gmEye2:
      V = (11 * Rd + 16 * G + 5 * B) >> 5;
      break;
    case gmLight:
      V = (std::max({Rd, G, B}) + std::min({Rd, G, B})) >> 1;
      break;
    default:
      V = (Rd + G + B) / 3;
      break;
    }
    P[0] = P[1] = P[2] = Clamp255(V);
  });
}

// --- amount filters -------------------------------------------------------------------

TAmountFilter::TAmountFilter(TCollection* ACollection) : TZuzFilter(ACollection)
{
  FPercent = true;
  FAmount = 5;
}

String TAmountFilter::ClassName() const { return QStringLiteral("TAmountFilter"); }

void TAmountFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TAmountFilter*>(Source)) {
    FAmount = S->FAmount;
    FPercent = S->FPercent;
  }
  TZuzFilter::Assign(Source);
}

void TAmountFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  const int32_t Min = IOnlyPositive ? 0 : (FPercent ? -100 : -255);
  FScrollBar = Creator->AddScroll(QStringLiteral("Amount"), Min, FPercent ? 100 : 255);
  Creator->AddCheckBox(QStringLiteral("Percent"), ZuzMsg_Percent, [this](TObject* S) { ResetScroll(S); });
}

void TAmountFilter::ResetScroll(TObject*)
{
  if (FScrollBar)
    FScrollBar->SetRange(IOnlyPositive ? 0 : (FPercent ? -100 : -255), FPercent ? 100 : 255);
}

TMosaicFilter::TMosaicFilter(TCollection* ACollection) : TAmountFilter(ACollection)
{
  FAmount = 8;
  FPercent = false;
  IOnlyPositive = true;
}

String TMosaicFilter::ClassName() const { return QStringLiteral("TMosaicFilter"); }
String TMosaicFilter::Description() const { return ZuzMsg_Mosaic; }

void TMosaicFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R) || FAmount < 1)
    return;
  int64_t Size = FAmount;
  if (FPercent)
    Size = std::max<int64_t>(1, SafeRound(std::min(R.Right - R.Left, R.Bottom - R.Top) * double(FAmount) * 0.01));
  const TRGBArray& L = Rows();
  auto Block = [&](int32_t X0, int32_t Y0, int32_t X1, int32_t Y1) {
    int64_t Sum[3] = {0, 0, 0};
    for (int32_t y = Y0; y <= Y1; ++y)
      for (int32_t x = X0; x <= X1; ++x)
        for (int k = 0; k < 3; ++k)
          Sum[k] += L[static_cast<size_t>(y)][x * PixelBytes + k];
    const float Inv = 1.0f / float(int64_t(X1 - X0 + 1) * (Y1 - Y0 + 1));
    uint8_t Avg[3];
    for (int k = 0; k < 3; ++k)
      Avg[k] = Clamp255(Round(double(float(Sum[k]) * Inv)));
    for (int32_t y = Y0; y <= Y1; ++y)
      for (int32_t x = X0; x <= X1; ++x)
        for (int k = 0; k < 3; ++k)
          L[static_cast<size_t>(y)][x * PixelBytes + k] = Avg[k];
  };
  auto RowOfBlocks = [&](int32_t Y0, int32_t Y1) {
    int64_t Left = R.Left;
    while (Left < R.Right - Size) {
      Block(static_cast<int32_t>(Left), Y0, static_cast<int32_t>(Left + Size - 1), Y1);
      Left += Size;
    }
    if (Left < R.Right)
      Block(static_cast<int32_t>(Left), Y0, R.Right, Y1);
  };
  int64_t Top = R.Top;
  while (Top < R.Bottom - Size) {
    RowOfBlocks(static_cast<int32_t>(Top), static_cast<int32_t>(Top + Size - 1));
    Top += Size;
  }
  if (Top < R.Bottom)
    RowOfBlocks(static_cast<int32_t>(Top), R.Bottom);
}

String TBrightnessFilter::ClassName() const { return QStringLiteral("TBrightnessFilter"); }
String TBrightnessFilter::Description() const { return ZuzMsg_Brightness; }
void TBrightnessFilter::PrepareForGallery() { FAmount = 30; }

void TBrightnessFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  if (FAmount == 0)
    return;
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const int64_t D =
      FPercent ? static_cast<int64_t>(Round(double(static_cast<float>(FAmount * 0.01) * 255.0f))) : int64_t(FAmount);
  ForEachPixel(Rows(), R, [D](uint8_t* P) {
    for (int k = 0; k < 3; ++k)
      P[k] = Clamp255(P[k] + D);
  });
}

String TContrastFilter::ClassName() const { return QStringLiteral("TContrastFilter"); }
String TContrastFilter::Description() const { return ZuzMsg_Contrast; }
void TContrastFilter::PrepareForGallery() { FAmount = 60; }

void TContrastFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const bool Percent = FPercent;
  const int64_t Amount = FAmount;
  const float A = static_cast<float>(FAmount * 0.01);
  ForEachPixel(Rows(), R, [=](uint8_t* P) {
    for (int k = 0; k < 3; ++k) {
      const int64_t C = P[k];
      const int64_t F = Percent ? Round(double(float(C) * A)) : Amount;
      P[k] = Clamp255(C + (F * (C - 128)) / 256);
    }
  });
}

TGammaCorrectionFilter::TGammaCorrectionFilter(TCollection* ACollection) : TAmountFilter(ACollection)
{
  FAmount = 70;
  IOnlyPositive = true;
}

String TGammaCorrectionFilter::ClassName() const { return QStringLiteral("TGammaCorrectionFilter"); }
String TGammaCorrectionFilter::Description() const { return ZuzMsg_GammaCorrection; }

void TGammaCorrectionFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const double A = std::fabs(double(FAmount));
  const double G = std::max(FPercent ? A * 0.01 : A / 255, 0.001);
  uint8_t T[256];
  T[0] = 0;
  for (int i = 1; i < 256; ++i)
    T[i] = Clamp255(Round(std::exp(std::log(i / 255.0) / G) * 255));
  ForEachPixel(Rows(), R, [&T](uint8_t* P) {
    P[0] = T[P[0]];
    P[1] = T[P[1]];
    P[2] = T[P[2]];
  });
}

// --- flip, reverse ---------------------------------------------------------------------

String TFlipFilter::ClassName() const { return QStringLiteral("TFlipFilter"); }
String TFlipFilter::Description() const { return ZuzMsg_Flip; }

void TFlipFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const TRGBArray& L = Rows();
  const size_t Bytes = static_cast<size_t>(R.Right - R.Left + 1) * PixelBytes;
  for (int32_t y = R.Top; y < R.Top + (R.Bottom - R.Top + 1) / 2; ++y)
    std::swap_ranges(L[static_cast<size_t>(y)] + R.Left * PixelBytes,
                     L[static_cast<size_t>(y)] + R.Left * PixelBytes + Bytes,
                     L[static_cast<size_t>(R.Top + R.Bottom - y)] + R.Left * PixelBytes);
}

String TReverseFilter::ClassName() const { return QStringLiteral("TReverseFilter"); }
String TReverseFilter::Description() const { return ZuzMsg_Reverse; }

void TReverseFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const TRGBArray& L = Rows();
  for (int32_t y = R.Top; y <= R.Bottom; ++y) {
    uint8_t* Row = L[static_cast<size_t>(y)];
    for (int32_t x = R.Left; x < R.Left + (R.Right - R.Left + 1) / 2; ++x)
      std::swap_ranges(Row + x * PixelBytes, Row + (x + 1) * PixelBytes, Row + (R.Left + R.Right - x) * PixelBytes);
  }
}

// --- colour ------------------------------------------------------------------------------

String TColorFilter::ClassName() const { return QStringLiteral("TColorFilter"); }
String TColorFilter::Description() const { return ZuzMsg_Color; }

void TColorFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TColorFilter*>(Source)) {
    FRed = S->FRed;
    FGreen = S->FGreen;
    FBlue = S->FBlue;
  }
  TZuzFilter::Assign(Source);
}

void TColorFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddScroll(QStringLiteral("Red"), -255, 255);
  Creator->AddScroll(QStringLiteral("Green"), -255, 255);
  Creator->AddScroll(QStringLiteral("Blue"), -255, 255);
}

void TColorFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  if (FRed == 0 && FGreen == 0 && FBlue == 0)
    return;
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const int64_t Rd = FRed, G = FGreen, B = FBlue;
  ForEachPixel(Rows(), R, [=](uint8_t* P) {
    if (B != 0)
      P[0] = Clamp255(P[0] + B);
    if (G != 0)
      P[1] = Clamp255(P[1] + G);
    if (Rd != 0)
      P[2] = Clamp255(P[2] + Rd);
  });
}

String TColorReplaceFilter::ClassName() const { return QStringLiteral("TColorReplaceFilter"); }
String TColorReplaceFilter::Description() const { return ZuzMsg_ColorReplacer; }

void TColorReplaceFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TColorReplaceFilter*>(Source)) {
    FColor = S->FColor;
    FFromValue = S->FFromValue;
    FMethod = S->FMethod;
    FToValue = S->FToValue;
  }
  TZuzFilter::Assign(Source);
}

void TColorReplaceFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddCombo(QStringLiteral("Method"));
  Creator->AddScroll(QStringLiteral("FromValue"), 0, 255);
  Creator->AddScroll(QStringLiteral("ToValue"), 0, 255);
  Creator->AddColor(QStringLiteral("Color"), ZuzMsg_Color);
}

void TColorReplaceFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const uint8_t NR = GetRValue(FColor), NG = GetGValue(FColor), NB = GetBValue(FColor);
  const TColorMethod M = FMethod;
  const int32_t From = FFromValue, To = FToValue;
  ForEachPixel(Rows(), R, [=](uint8_t* P) {
    uint16_t H, L, S;
    RGBToHLS(PixelRGB(P), H, L, S);
    const int32_t V = M == cmHue ? H : (M == cmLum ? L : S);
    if (From <= V && V <= To) {
      P[0] = NB;
      P[1] = NG;
      P[2] = NR;
    }
  });
}

String THueLumSatFilter::ClassName() const { return QStringLiteral("THueLumSatFilter"); }
String THueLumSatFilter::Description() const { return ZuzMsg_HueLumSat; }

void THueLumSatFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<THueLumSatFilter*>(Source)) {
    FHue = S->FHue;
    FLuminance = S->FLuminance;
    FSaturation = S->FSaturation;
  }
  TZuzFilter::Assign(Source);
}

void THueLumSatFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddScroll(QStringLiteral("Hue"), -255, 255);
  Creator->AddScroll(QStringLiteral("Luminance"), -255, 255);
  Creator->AddScroll(QStringLiteral("Saturation"), -255, 255);
}

void THueLumSatFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  if (FHue == 0 && FLuminance == 0 && FSaturation == 0)
    return;
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const int64_t DH = FHue, DL = FLuminance, DS = FSaturation;
  ForEachPixel(Rows(), R, [=](uint8_t* P) {
    uint16_t H, L, S;
    RGBToHLS(PixelRGB(P), H, L, S);
    if (DH != 0)
      H = Clamp255(H + DH);
    if (DL != 0)
      L = Clamp255(L + DL);
    if (DS != 0)
      S = Clamp255(S + DS);
    TRGB Out;
    HLSToRGB(H, L, S, Out);
    P[0] = Out.Blue;
    P[1] = Out.Green;
    P[2] = Out.Red;
  });
}

String TSepiaFilter::ClassName() const { return QStringLiteral("TSepiaFilter"); }
String TSepiaFilter::Description() const { return ZuzMsg_Sepia; }

void TSepiaFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  ForEachPixel(Rows(), R, [](uint8_t* P) {
    const double B = P[0], G = P[1], Rd = P[2];
    P[2] = Clamp255(Round(0.393 * Rd + 0.769 * G + 0.189 * B));
    P[1] = Clamp255(Round(0.349 * Rd + 0.686 * G + 0.168 * B));
    P[0] = Clamp255(Round(0.272 * Rd + 0.534 * G + 0.131 * B));
  });
}

// --- convolutions ------------------------------------------------------------------------

TSharpenFilter::TSharpenFilter(TCollection* ACollection) : TConvolveFilter(ACollection)
{
  Weights = {-0.125f, -0.125f, -0.125f, -0.125f, 2.0f, -0.125f, -0.125f, -0.125f, -0.125f};
}
String TSharpenFilter::ClassName() const { return QStringLiteral("TSharpenFilter"); }
String TSharpenFilter::Description() const { return ZuzMsg_Sharpen; }

TEmbossFilter::TEmbossFilter(TCollection* ACollection) : TConvolveFilter(ACollection)
{
  Weights = {0, -1, 0, -1, 1, 1, 0, -1, 0};
}
String TEmbossFilter::ClassName() const { return QStringLiteral("TEmbossFilter"); }
String TEmbossFilter::Description() const { return ZuzMsg_Emboss; }

TSoftenFilter::TSoftenFilter(TCollection* ACollection) : TConvolveFilter(ACollection)
{
  Weights = {0, 0, 0, 0, 1, 1, 0, 1, 1};
}
String TSoftenFilter::ClassName() const { return QStringLiteral("TSoftenFilter"); }
String TSoftenFilter::Description() const { return ZuzMsg_AntiAlias; }

// --- resize, crop, zoom --------------------------------------------------------------------

std::unique_ptr<TBitmap> SmoothBitmap(TBitmap* Bitmap, int32_t Width, int32_t Height)
{
  if (!Bitmap || !SizeAllowed(Width, Height))
    return nullptr;
  auto B = std::make_unique<TBitmap>(Width, Height);
  SmoothStretch(Bitmap, B.get());
  return B;
}

String TResizeFilter::ClassName() const { return QStringLiteral("TResizeFilter"); }
String TResizeFilter::Description() const { return ZuzMsg_Resize; }

void TResizeFilter::PrepareForGallery()
{
  FWidth = 50;
  FHeight = 50;
}

void TResizeFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TResizeFilter*>(Source)) {
    FWidth = S->FWidth;
    FHeight = S->FHeight;
  }
  TZuzFilter::Assign(Source);
}

void TResizeFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddInteger(QStringLiteral("Width"), ZuzMsg_Width, 0, 10000);
  Creator->AddInteger(QStringLiteral("Height"), ZuzMsg_Height, 0, 10000);
}

void TResizeFilter::Apply(TBitmap* Bitmap, const TRect&)
{
  if (!Bitmap || FWidth < 1 || FHeight < 1)
    return;
  std::unique_ptr<TBitmap> Temp = SmoothBitmap(Bitmap, FWidth, FHeight);
  if (!Temp)
    return;
  Bitmap->SetImage(*Temp->ImageData());
}

String TCropFilter::ClassName() const { return QStringLiteral("TCropFilter"); }
String TCropFilter::Description() const { return ZuzMsg_Crop; }

void TCropFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TCropFilter*>(Source)) {
    FLeft = S->FLeft;
    FTop = S->FTop;
    FSmooth = S->FSmooth;
  }
  TResizeFilter::Assign(Source);
}

void TCropFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TResizeFilter::CreateEditor(Creator, AChanged);
  Creator->AddInteger(QStringLiteral("Left"), ZuzMsg_Left, 0, 10000);
  Creator->AddInteger(QStringLiteral("Top"), ZuzMsg_Top, 0, 10000);
  Creator->AddCheckBox(QStringLiteral("Smooth"), ZuzMsg_Smooth, {});
}

void TCropFilter::Apply(TBitmap* Bitmap, const TRect&)
{
  if (!Bitmap || Bitmap->Empty() || FWidth <= 0 || FHeight <= 0 || !SizeAllowed(FWidth, FHeight))
    return;
  // The source rectangle's far corner is (Left + Width - 1, Top + Height -
  // 1) taken as exclusive, so Width - 1 columns stretch over Width. Pixels
  // named outside the bitmap stay white instead of being read.
  TBitmap Temp(FWidth, FHeight);
  const int64_t SW = int64_t(FWidth) - 1, SH = int64_t(FHeight) - 1;
  if (SW > 0 && SH > 0) {
    const QImage* Src = Bitmap->ImageData();
    QImage* Dst = Temp.ImageData();
    for (int32_t y = 0; y < FHeight; ++y) {
      const int64_t SY = int64_t(FTop) + y * SH / FHeight;
      if (SY < 0 || SY >= Src->height())
        continue;
      const auto* SL = reinterpret_cast<const uint32_t*>(Src->constScanLine(static_cast<int>(SY)));
      auto* DL = reinterpret_cast<uint32_t*>(Dst->scanLine(y));
      for (int32_t x = 0; x < FWidth; ++x) {
        const int64_t SX = int64_t(FLeft) + x * SW / FWidth;
        if (SX >= 0 && SX < Src->width())
          DL[x] = SL[SX];
      }
    }
  }
  if (FSmooth)
    SmoothStretch(&Temp, Bitmap);
  else
    Bitmap->Canvas()->StretchDraw(TRect{0, 0, Bitmap->Width(), Bitmap->Height()}, &Temp);
}

TZoomFilter::TZoomFilter(TCollection* ACollection) : TZuzFilter(ACollection) { FPercent = 10; }
String TZoomFilter::ClassName() const { return QStringLiteral("TZoomFilter"); }
String TZoomFilter::Description() const { return ZuzMsg_Zoom; }
void TZoomFilter::PrepareForGallery() { FPercent = 60; }

void TZoomFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TZoomFilter*>(Source)) {
    FPercent = S->FPercent;
    FSmooth = S->FSmooth;
  }
  TZuzFilter::Assign(Source);
}

void TZoomFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddScroll(QStringLiteral("Percent"), 0, 100);
  Creator->AddCheckBox(QStringLiteral("Smooth"), ZuzMsg_Smooth, {});
}

void TZoomFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!ClipToBitmap(R, Bitmap))
    return;
  const int32_t W = R.Right - R.Left + 1, H = R.Bottom - R.Top + 1;
  const int64_t DX = SafeRound(W * FPercent * 0.005), DY = SafeRound(H * FPercent * 0.005);
  TCropFilter Crop;
  Crop.SetWidth(static_cast<int32_t>(std::clamp<int64_t>(W - 2 * DX, 1, W)));
  Crop.SetHeight(static_cast<int32_t>(std::clamp<int64_t>(H - 2 * DY, 1, H)));
  Crop.SetSmooth(FSmooth);
  auto Offset = [](int64_t V) { return static_cast<int32_t>(std::clamp<int64_t>(V, INT32_MIN, INT32_MAX)); };
  if (Bitmap->Width() == W && Bitmap->Height() == H) {
    Crop.SetLeft(Offset(R.Left + DX));
    Crop.SetTop(Offset(R.Top + DY));
    Crop.Apply(Bitmap);
    return;
  }
  TBitmap Part(W, H);
  Part.Canvas()->CopyRect(TRect{0, 0, W, H}, Bitmap->Canvas(), TRect{R.Left, R.Top, R.Right + 1, R.Bottom + 1});
  Crop.SetLeft(Offset(DX));
  Crop.SetTop(Offset(DY));
  Crop.Apply(&Part);
  Bitmap->Canvas()->Draw(R.Left, R.Top, &Part);
}

// --- rotate, mirror, tile -----------------------------------------------------------------

String TRotateFilter::ClassName() const { return QStringLiteral("TRotateFilter"); }
String TRotateFilter::Description() const { return ZuzMsg_Rotate; }
void TRotateFilter::PrepareForGallery() { FAngle = 45; }

void TRotateFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TRotateFilter*>(Source)) {
    FAngle = S->FAngle;
    FAutoSize = S->FAutoSize;
    FBackColor = S->FBackColor;
  }
  TZuzFilter::Assign(Source);
}

void TRotateFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddScroll(QStringLiteral("Angle"), 0, 360);
  Creator->AddColor(QStringLiteral("BackColor"), ZuzMsg_Back);
  Creator->AddCheckBox(QStringLiteral("AutoSize"), ZuzMsg_Autosize, {});
}

void TRotateFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  // Whole turns come off the angle itself; an angle no number can reduce
  // (infinite, not a number) counts as no turn.
  if (!std::isfinite(FAngle))
    FAngle = 0;
  if (FAngle > 360) {
    FAngle = std::fmod(FAngle, 360.0);
    if (FAngle == 0)
      FAngle = 360;
  }
  if (FAngle == 180) {
    TFlipFilter Flip;
    Flip.Apply(Bitmap);
    TReverseFilter Reverse;
    Reverse.Apply(Bitmap);
    return;
  }
  if (FAngle == 0)
    return;
  const int32_t W = Bitmap->Width(), H = Bitmap->Height();
  const bool Quarter = FAngle == 90 || FAngle == 270;
  const float Theta = static_cast<float>((360 - FAngle) * 3.14159265358979323846 / 180);
  const float S = std::sin(Theta), C = std::cos(Theta);
  int64_t NW = W, NH = H;
  if (Quarter) {
    NW = H;
    NH = W;
  } else if (FAutoSize) {
    const float FW = float(W), FH = float(H);
    if (S * C > 0) {
      NW = std::llabs(SafeRound(FW * C + FH * S));
      NH = std::llabs(SafeRound(FW * S + FH * C));
    } else {
      NW = std::llabs(SafeRound(FW * C - FH * S));
      NH = std::llabs(SafeRound(FW * S - FH * C));
    }
    NW = std::max<int64_t>(1, NW);
    NH = std::max<int64_t>(1, NH);
  }
  if (!SizeAllowed(NW, NH))
    return;
  TBitmap New(static_cast<int32_t>(NW), static_cast<int32_t>(NH));
  if (W > 1 && H > 1) {
    if (FBackColor == clNone) {
      New.SetTransparent(true);
    } else if (ColorToRGB(FBackColor) != clWhite) {
      New.Canvas()->Brush()->SetColor(ColorToRGB(FBackColor));
      New.Canvas()->FillRect(TRect{0, 0, New.Width(), New.Height()});
      New.Canvas()->Release();
    }
  }
  TZuzFilter Rows;
  Rows.CalcLines(&New);
  const TRGBArray& Old = this->Rows();
  const TRGBArray& Dst = Rows.Rows();
  auto Copy = [&](int32_t DX, int32_t DY, int32_t SX, int32_t SY) {
    std::copy_n(Old[static_cast<size_t>(SY)] + SX * PixelBytes, PixelBytes,
                Dst[static_cast<size_t>(DY)] + DX * PixelBytes);
  };
  if (FAngle == 90) {
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x)
        Copy(H - 1 - y, x, x, y);
  } else if (FAngle == 270) {
    for (int32_t y = 0; y < H; ++y)
      for (int32_t x = 0; x < W; ++x)
        Copy(y, W - 1 - x, x, y);
  } else {
    for (int32_t y = 0; y < NH; ++y)
      for (int32_t x = 0; x < NW; ++x) {
        const float DX = float(x - NW / 2), DY = float(y - NH / 2);
        const int64_t SX = SafeRound(DX * C - DY * S + float(W / 2));
        const int64_t SY = SafeRound(DX * S + DY * C + float(H / 2));
        if (SX >= 0 && SX < W && SY >= 0 && SY < H)
          Copy(x, y, static_cast<int32_t>(SX), static_cast<int32_t>(SY));
      }
  }
  Bitmap->Assign(&New);
}

TMirrorFilter::TMirrorFilter(TCollection* ACollection) : TZuzFilter(ACollection) { AllowRegion = false; }
String TMirrorFilter::ClassName() const { return QStringLiteral("TMirrorFilter"); }
String TMirrorFilter::Description() const { return ZuzMsg_Mirror; }

void TMirrorFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TMirrorFilter*>(Source))
    FDirection = S->FDirection;
  TZuzFilter::Assign(Source);
}

void TMirrorFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddCombo(QStringLiteral("Direction"));
}

void TMirrorFilter::Apply(TBitmap* Bitmap, const TRect&)
{
  if (!Bitmap || Bitmap->Empty())
    return;
  const int32_t W = Bitmap->Width(), H = Bitmap->Height();
  const bool Vertical = FDirection == mdDown || FDirection == mdUp;
  if (!SizeAllowed(Vertical ? W : 2 * int64_t(W), Vertical ? 2 * int64_t(H) : H))
    return;
  const QImage Plain = *Bitmap->ImageData();
  const QImage Mirrored = Plain.mirrored(!Vertical, Vertical);
  QImage Both(Vertical ? W : 2 * W, Vertical ? 2 * H : H, QImage::Format_RGB32);
  auto Place = [&Both](const QImage& Part, int32_t X, int32_t Y) {
    for (int32_t y = 0; y < Part.height(); ++y)
      std::copy_n(reinterpret_cast<const uint32_t*>(Part.constScanLine(y)), Part.width(),
                  reinterpret_cast<uint32_t*>(Both.scanLine(Y + y)) + X);
  };
  switch (FDirection) {
  case mdDown:
    Place(Plain, 0, 0);
    Place(Mirrored, 0, H);
    break;
  case mdUp:
    Place(Mirrored, 0, 0);
    Place(Plain, 0, H);
    break;
  case mdRight:
    Place(Plain, 0, 0);
    Place(Mirrored, W, 0);
    break;
  case mdLeft:
    Place(Mirrored, 0, 0);
    Place(Plain, W, 0);
    break;
  }
  Bitmap->SetImage(Both);
}

String TTileFilter::ClassName() const { return QStringLiteral("TTileFilter"); }
String TTileFilter::Description() const { return ZuzMsg_Tile; }

void TTileFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TTileFilter*>(Source)) {
    FNumCols = S->FNumCols;
    FNumRows = S->FNumRows;
  }
  TZuzFilter::Assign(Source);
}

void TTileFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddInteger(QStringLiteral("NumCols"), ZuzMsg_Columns, 1, 1000);
  Creator->AddInteger(QStringLiteral("NumRows"), ZuzMsg_Rows, 1, 1000);
}

void TTileFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  FNumCols = std::max(FNumCols, 1);
  FNumRows = std::max(FNumRows, 1);
  TRect R = AR;
  if (!ClipToBitmap(R, Bitmap))
    return;
  const int32_t TW = (R.Right - R.Left) / FNumCols, TH = (R.Bottom - R.Top) / FNumRows;
  if (TW < 1 || TH < 1)
    return;
  std::unique_ptr<TBitmap> Small = SmoothBitmap(Bitmap, TW, TH);
  if (!Small)
    return;
  TCanvas* C = Bitmap->Canvas();
  for (int32_t Row = 0; Row < FNumRows; ++Row)
    for (int32_t Col = 0; Col < FNumCols; ++Col)
      C->Draw(TW * Col, TH * Row, Small.get());
  C->Release();
}

// --- bevel, equalize, sobel ----------------------------------------------------------------

String TBevelFilter::ClassName() const { return QStringLiteral("TBevelFilter"); }
String TBevelFilter::Description() const { return ZuzMsg_Bevel; }

void TBevelFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TBevelFilter*>(Source)) {
    FBright = S->FBright;
    FSize = S->FSize;
  }
  TZuzFilter::Assign(Source);
}

void TBevelFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddScroll(QStringLiteral("Bright"), 1, 255);
  Creator->AddScroll(QStringLiteral("Size"), 1, 1000);
}

void TBevelFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const TRGBArray& L = Rows();
  const int64_t B = FBright;
  auto Lighten = [&](int32_t x, int32_t y) {
    uint8_t* P = L[static_cast<size_t>(y)] + x * PixelBytes;
    for (int k = 0; k < 3; ++k)
      P[k] = Clamp255(P[k] + B);
  };
  auto Darken = [&](int32_t x, int32_t y) {
    uint8_t* P = L[static_cast<size_t>(y)] + x * PixelBytes;
    for (int k = 0; k < 3; ++k)
      P[k] = Clamp255(P[k] - B);
  };
  const int32_t HalfH = (R.Bottom - R.Top) / 2, HalfW = (R.Right - R.Left) / 2;
  // Bands beyond the middle of the rectangle change nothing, whatever the
  // size asks for.
  const int32_t Bands = std::min(FSize, std::max(HalfH, HalfW));
  for (int32_t k = 0; k < Bands; ++k) {
    if (k < HalfH)
      for (int32_t x = R.Left + k; x <= R.Right - k; ++x) {
        Lighten(x, R.Top + k);
        Darken(x, R.Bottom - k);
      }
    if (k < HalfW)
      for (int32_t y = R.Top + k + 1; y <= R.Bottom - k; ++y) {
        Lighten(R.Left + k, y);
        Darken(R.Right - k, y);
      }
  }
}

String TEqualizeFilter::ClassName() const { return QStringLiteral("TEqualizeFilter"); }
String TEqualizeFilter::Description() const { return ZuzMsg_Equalize; }

void TEqualizeFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const TRect In{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
  if (In.Left > In.Right || In.Top > In.Bottom)
    return;
  int32_t Min[3] = {255, 255, 255}, Max[3] = {0, 0, 0};
  ForEachPixel(Rows(), In, [&](uint8_t* P) {
    for (int k = 0; k < 3; ++k) {
      Min[k] = std::min<int32_t>(Min[k], P[k]);
      Max[k] = std::max<int32_t>(Max[k], P[k]);
    }
  });
  bool Full = true;
  for (int k = 0; k < 3; ++k)
    Full = Full && Min[k] == 0 && Max[k] == 255;
  if (Full)
    return;
  float Factor[3];
  for (int k = 0; k < 3; ++k)
    Factor[k] = Max[k] == Min[k] ? 0.0f : 255.0f / float(Max[k] - Min[k]);
  ForEachPixel(Rows(), In, [&](uint8_t* P) {
    for (int k = 0; k < 3; ++k)
      P[k] = Clamp255(Round(double(float(P[k] - Min[k]) * Factor[k])));
  });
}

String TSobelFilter::ClassName() const { return QStringLiteral("TSobelFilter"); }
String TSobelFilter::Description() const { return ZuzMsg_Sobel; }

void TSobelFilter::Apply(TBitmap* Bitmap, const TRect& AR)
{
  TRect R = AR;
  if (!BeginApply(Bitmap, R))
    return;
  const int32_t W = R.Right - R.Left + 1, H = R.Bottom - R.Top + 1;
  if (W < 3 || H < 3)
    return;
  std::vector<int32_t> Grey(static_cast<size_t>(W) * H, 0);
  auto G = [&](int32_t x, int32_t y) -> int32_t& { return Grey[static_cast<size_t>(y - R.Top) * W + (x - R.Left)]; };
  const TRGBArray& L = Rows();
  for (int32_t y = R.Top + 1; y < R.Bottom; ++y)
    for (int32_t x = R.Left + 1; x < R.Right; ++x) {
      const uint8_t* P = L[static_cast<size_t>(y)] + x * PixelBytes;
      G(x, y) = (P[0] + P[1] + P[2]) / 3;
    }
  for (int32_t y = R.Top + 1; y < R.Bottom; ++y)
    for (int32_t x = R.Left + 1; x < R.Right; ++x) {
      const int32_t GX =
          (G(x - 1, y - 1) - G(x + 1, y - 1)) + 2 * (G(x - 1, y) - G(x + 1, y)) + (G(x - 1, y + 1) - G(x + 1, y + 1));
      const int32_t GY =
          (G(x - 1, y - 1) - G(x - 1, y + 1)) + 2 * (G(x, y - 1) - G(x, y + 1)) + (G(x + 1, y - 1) - G(x + 1, y + 1));
      const uint8_t V = static_cast<uint8_t>(std::min(255, std::abs(GX) + std::abs(GY)));
      uint8_t* P = L[static_cast<size_t>(y)] + x * PixelBytes;
      P[0] = P[1] = P[2] = V;
    }
}

// --- colour space ---------------------------------------------------------------------------

void RGBToHLS(const TRGB& RGB, uint16_t& H, uint16_t& L, uint16_t& S)
{
  const float R = RGB.Red, G = RGB.Green, B = RGB.Blue;
  const float Max = std::max({R, G, B}), Min = std::min({R, G, B});
  float FL = ((Max + Min) * 240 + 255) / 510;
  if (Max == Min) {
    H = 160;
    S = 0;
    L = static_cast<uint16_t>(Round(FL));
    return;
  }
  const float D = Max - Min;
  float FS;
  if (FL <= 120)
    FS = (D * 240 + (Max + Min) / 2) / (Max + Min);
  else
    FS = (D * 240 + (510 - Max - Min) / 2) / (510 - Max - Min);
  const float RD = ((Max - R) * 40 + D / 2) / D;
  const float GD = ((Max - G) * 40 + D / 2) / D;
  const float BD = ((Max - B) * 40 + D / 2) / D;
  float FH;
  if (R == Max)
    FH = BD - GD;
  else if (G == Max)
    FH = 80 + RD - BD;
  else
    FH = 160 + GD - RD;
  if (FH < 0)
    FH += 240;
  if (FH > 240)
    FH -= 240;
  H = static_cast<uint16_t>(Round(FH));
  L = static_cast<uint16_t>(Round(FL));
  S = static_cast<uint16_t>(Round(FS));
}

void ColorToHLS(TColor Color, uint16_t& H, uint16_t& L, uint16_t& S)
{
  RGBToHLS(TRGB{GetBValue(Color), GetGValue(Color), GetRValue(Color)}, H, L, S);
}

void HLSToRGB(uint16_t H, uint16_t L, uint16_t S, TRGB& RGB)
{
  if (S == 0) {
    const uint8_t V = Clamp255(std::min<int64_t>(255, Round(double(float(L) * 255 / 240))));
    RGB = TRGB{V, V, V};
    return;
  }
  const float FL = L, FS = S;
  const float M2 = FL <= 120 ? (FL * (240 + FS) + 120) / 240 : FL + FS - (FL * FS + 120) / 240;
  const float M1 = 2 * FL - M2;
  auto Channel = [M1, M2](float h) {
    if (h < 0)
      h += 240;
    if (h > 240)
      h -= 240;
    float V;
    if (h < 40)
      V = M1 + (h * (M2 - M1) + 20) / 40;
    else if (h < 120)
      V = M2;
    else if (h < 160)
      V = M1 + ((M2 - M1) * (160 - h) + 20) / 40;
    else
      V = M1;
    const int64_t IV = Round(double(V));
    return Clamp255(std::min<int64_t>(255, Round(double((float(IV) * 255 + 120) / 240))));
  };
  RGB.Red = Channel(float(H) + 80);
  RGB.Green = Channel(float(H));
  RGB.Blue = Channel(float(H) - 80);
}

TColor HLSToColor(uint16_t H, uint16_t L, uint16_t S)
{
  TRGB C;
  HLSToRGB(H, L, S, C);
  return RGBColor(C.Red, C.Green, C.Blue);
}

// --- registry and hook ------------------------------------------------------------------------

TStringList* ZuzFilterClasses() { return FilterClassNames.get(); }

void ZuzRegisterFilters(std::span<const TFilterClass> Filters)
{
  ZuzActivateGroup();
  if (!FilterClassNames)
    FilterClassNames = std::make_unique<TStringList>();
  for (TFilterClass C : Filters) {
    if (!C || FilterClassNames->IndexOf(C->ClassName()) >= 0)
      continue;
    FilterClassNames->Add(C->ClassName());
    RegisterClass(C);
  }
}

void ZuzUnRegisterFilters(std::span<const TFilterClass> Filters)
{
  ZuzActivateGroup();
  if (!FilterClassNames)
    return;
  for (TFilterClass C : Filters) {
    if (!C)
      continue;
    const int32_t I = FilterClassNames->IndexOf(C->ClassName());
    if (I >= 0)
      FilterClassNames->Delete(I);
    UnRegisterClass(C);
  }
}

std::vector<TFilterClass> ZuzLibraryFilters()
{
  return {&InvertClass,
          &GrayClass,
          &MosaicClass,
          &FlipClass,
          &ReverseClass,
          &BrightnessClass,
          &ContrastClass,
          &ColorClass,
          &ColorReplaceClass,
          &HueLumSatClass,
          ClassInfoFor<TBlurFilter>(),
          &SharpenClass,
          &GammaClass,
          &EmbossClass,
          &SoftenClass,
          &CropClass,
          &ResizeClass,
          &RotateClass,
          &MirrorClass,
          &TileClass,
          &BevelClass,
          &EqualizeClass,
          &ZoomClass,
          &SobelClass,
          &SepiaClass};
}

void RotateGradient(TCustomZuzGradient* Gradient, TBitmap* Bitmap)
{
  if (!Gradient || !Bitmap || Bitmap->Empty())
    return;
  if (int64_t(Bitmap->Width()) * Bitmap->Height() > 16777215)
    return;
  TRotateFilter Rotate;
  Rotate.SetAngle(Gradient->Angle());
  Rotate.Apply(Bitmap);
}

void InitializeZuzFilters()
{
  ZuzActivateGroup();
  const std::vector<TFilterClass> Library = ZuzLibraryFilters();
  ZuzRegisterFilters(Library);
  ZuzGradientRotateHook = RotateGradient;
}

void FinalizeZuzFilters()
{
  ZuzGradientRotateHook = nullptr;
  FilterClassNames.reset();
}
