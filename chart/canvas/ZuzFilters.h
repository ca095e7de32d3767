#pragma once
// The picture filters a user can stack on a chart picture: colour
// adjustments, convolutions, geometric changes and effects, their registry
// (the filters editor offers its entries), the colour-space conversions
// between RGB and hue/lightness/saturation (0..240 each) and the gradient
// rotation hook. Each filter changes the bitmap in place; see ZuzFilter.h
// for the framework and the limits every filter keeps.
#include "chart/canvas/ZuzCanvas.h"
#include "chart/canvas/ZuzFilter.h"

#include <span>

class TCustomZuzGradient;
class TStringList;

enum TGrayMethod : uint8_t { gmSimple, gmEye, gmEye2, gmLight };
enum TColorMethod : uint8_t { cmHue, cmLum, cmSat };
enum TMirrorDirection : uint8_t { mdDown, mdUp, mdRight, mdLeft };

// Each colour byte := 255 - byte.
class TInvertFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
};

// Published Method (gmSimple).
class TGrayScaleFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  TGrayMethod Method() const { return FMethod; }
  void SetMethod(TGrayMethod Value) { FMethod = Value; }

private:
  TGrayMethod FMethod = gmSimple;
};

// The base of the filters with one amount, in percent or absolute.
// Descendants publish Amount and Percent with their own defaults.
class TAmountFilter : public TZuzFilter {
public:
  explicit TAmountFilter(TCollection* ACollection = nullptr);
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  int32_t Amount() const { return FAmount; }
  void SetAmount(int32_t Value) { FAmount = Value; }
  bool Percent() const { return FPercent; }
  void SetPercent(bool Value) { FPercent = Value; }

protected:
  void ResetScroll(TObject* Sender);
  int32_t FAmount = 5;
  bool FPercent = true;
  TFormControl* FScrollBar = nullptr;
  bool IOnlyPositive = false;
};

// Blocks of their average colour. Amount 8, Percent False.
class TMosaicFilter : public TAmountFilter {
public:
  explicit TMosaicFilter(TCollection* ACollection = nullptr);
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
};

// Upside down within the rectangle.
class TFlipFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
};

// Left to right within the rectangle.
class TReverseFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
};

class TBrightnessFilter : public TAmountFilter {
public:
  using TAmountFilter::TAmountFilter;
  String ClassName() const override;
  using TZuzFilter::Apply;
  // Amount 0 leaves the bitmap untouched.
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
  void PrepareForGallery() override;
};

class TContrastFilter : public TAmountFilter {
public:
  using TAmountFilter::TAmountFilter;
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
  void PrepareForGallery() override;
};

// Offsets added to each channel. Published Red, Green, Blue (0).
class TColorFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  int32_t Red() const { return FRed; }
  void SetRed(int32_t Value) { FRed = Value; }
  int32_t Green() const { return FGreen; }
  void SetGreen(int32_t Value) { FGreen = Value; }
  int32_t Blue() const { return FBlue; }
  void SetBlue(int32_t Value) { FBlue = Value; }

private:
  int32_t FRed = 0, FGreen = 0, FBlue = 0;
};

// Pixels whose hue, lightness or saturation lies in FromValue..ToValue take
// Color. Published Color (white), FromValue (0), Method (cmHue), ToValue (0).
class TColorReplaceFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  uint8_t FromValue() const { return FFromValue; }
  void SetFromValue(uint8_t Value) { FFromValue = Value; }
  TColorMethod Method() const { return FMethod; }
  void SetMethod(TColorMethod Value) { FMethod = Value; }
  uint8_t ToValue() const { return FToValue; }
  void SetToValue(uint8_t Value) { FToValue = Value; }

private:
  TColor FColor = clWhite;
  uint8_t FFromValue = 0;
  TColorMethod FMethod = cmHue;
  uint8_t FToValue = 0;
};

// Offsets added to hue, lightness and saturation. Published Hue,
// Luminance, Saturation (0).
class THueLumSatFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  int32_t Hue() const { return FHue; }
  void SetHue(int32_t Value) { FHue = Value; }
  int32_t Luminance() const { return FLuminance; }
  void SetLuminance(int32_t Value) { FLuminance = Value; }
  int32_t Saturation() const { return FSaturation; }
  void SetSaturation(int32_t Value) { FSaturation = Value; }

private:
  int32_t FHue = 0, FLuminance = 0, FSaturation = 0;
};

class TSharpenFilter : public TConvolveFilter {
public:
  explicit TSharpenFilter(TCollection* ACollection = nullptr);
  String ClassName() const override;
  String Description() const override;
};

// Amount 70, Percent True.
class TGammaCorrectionFilter : public TAmountFilter {
public:
  explicit TGammaCorrectionFilter(TCollection* ACollection = nullptr);
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
};

class TEmbossFilter : public TConvolveFilter {
public:
  explicit TEmbossFilter(TCollection* ACollection = nullptr);
  String ClassName() const override;
  String Description() const override;
};

// The mean of a pixel, its right, lower and lower-right neighbours.
class TSoftenFilter : public TConvolveFilter {
public:
  explicit TSoftenFilter(TCollection* ACollection = nullptr);
  String ClassName() const override;
  String Description() const override;
};

// The whole bitmap smoothly resized. Published Width, Height (0: nothing).
class TResizeFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  void PrepareForGallery() override;
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value) { FWidth = Value; }
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value) { FHeight = Value; }

protected:
  int32_t FWidth = 0, FHeight = 0;
};

// The part (Left, Top, Width, Height) stretched over the whole bitmap.
// Published Left (0), Smooth (False), Top (0).
class TCropFilter : public TResizeFilter {
public:
  using TResizeFilter::TResizeFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  int32_t Left() const { return FLeft; }
  void SetLeft(int32_t Value) { FLeft = Value; }
  int32_t Top() const { return FTop; }
  void SetTop(int32_t Value) { FTop = Value; }
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value) { FSmooth = Value; }

private:
  int32_t FLeft = 0, FTop = 0;
  bool FSmooth = false;
};

// Published Angle (0; degrees anticlockwise), AutoSize (True), BackColor
// (white; clNone makes the new corners transparent).
class TRotateFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  void PrepareForGallery() override;
  double Angle() const { return FAngle; }
  void SetAngle(double Value) { FAngle = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor Value) { FBackColor = Value; }

private:
  double FAngle = 0;
  bool FAutoSize = true;
  TColor FBackColor = clWhite;
};

// The bitmap doubled with its mirror image. Published Direction (mdDown).
class TMirrorFilter : public TZuzFilter {
public:
  explicit TMirrorFilter(TCollection* ACollection = nullptr);
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  TMirrorDirection Direction() const { return FDirection; }
  void SetDirection(TMirrorDirection Value) { FDirection = Value; }

private:
  TMirrorDirection FDirection = mdDown;
};

// Published NumCols, NumRows (3); values below 1 become 1.
class TTileFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  int32_t NumCols() const { return FNumCols; }
  void SetNumCols(int32_t Value) { FNumCols = Value; }
  int32_t NumRows() const { return FNumRows; }
  void SetNumRows(int32_t Value) { FNumRows = Value; }

private:
  int32_t FNumCols = 3, FNumRows = 3;
};

// Lightened top and left, darkened bottom and right bands. Published
// Bright (64), Size (15).
class TBevelFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  int32_t Bright() const { return FBright; }
  void SetBright(int32_t Value) { FBright = Value; }
  int32_t Size() const { return FSize; }
  void SetSize(int32_t Value) { FSize = Value; }

private:
  int32_t FBright = 64, FSize = 15;
};

// Each channel of the interior stretched to 0..255.
class TEqualizeFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
};

// The centre of the rectangle enlarged. Published Percent (10), Smooth
// (False).
class TZoomFilter : public TZuzFilter {
public:
  explicit TZoomFilter(TCollection* ACollection = nullptr);
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;
  void PrepareForGallery() override;
  double Percent() const { return FPercent; }
  void SetPercent(double Value) { FPercent = Value; }
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value) { FSmooth = Value; }

private:
  double FPercent = 10;
  bool FSmooth = false;
};

// Edges in grey.
class TSobelFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
};

class TSepiaFilter : public TZuzFilter {
public:
  using TZuzFilter::TZuzFilter;
  String ClassName() const override;
  using TZuzFilter::Apply;
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  String Description() const override;
};

// --- registry -------------------------------------------------------------------------

// Names of the registered filter classes, in registration order; nullptr
// before the first registration.
TStringList* ZuzFilterClasses();
// Adds each class not yet listed (and registers it for streams).
void ZuzRegisterFilters(std::span<const TFilterClass> Filters);
void ZuzUnRegisterFilters(std::span<const TFilterClass> Filters);
// The 25 filters of the library, in their registration order.
std::vector<TFilterClass> ZuzLibraryFilters();
// Registers the library's filters and installs the gradient rotation; the
// canvas start-up calls it. Both may be called more than once.
void InitializeZuzFilters();
void FinalizeZuzFilters();

// --- services -------------------------------------------------------------------------

// A new Width x Height bitmap holding Bitmap smoothly resampled (nullptr
// when the size is refused); the caller owns it.
std::unique_ptr<TBitmap> SmoothBitmap(TBitmap* Bitmap, int32_t Width, int32_t Height);

void RGBToHLS(const TRGB& RGB, uint16_t& H, uint16_t& L, uint16_t& S);
void ColorToHLS(TColor Color, uint16_t& H, uint16_t& L, uint16_t& S);
void HLSToRGB(uint16_t H, uint16_t L, uint16_t S, TRGB& RGB);
TColor HLSToColor(uint16_t H, uint16_t L, uint16_t S);

// The gradient rotation hook: the rotate filter at the gradient's angle
// over the whole bitmap; nothing for bitmaps over 16777215 pixels.
void RotateGradient(TCustomZuzGradient* Gradient, TBitmap* Bitmap);
