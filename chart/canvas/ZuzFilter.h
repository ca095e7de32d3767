#pragma once
// The picture filter framework: a filter changes a bitmap in place, either
// whole or inside its optional region; a picture carries an ordered list of
// filters that is applied to a copy of the picture whenever it is drawn and
// travels with the chart as the stream value "FilterItems".
//
// Every value a filter takes from a chart file is untrusted: regions are
// limited to the bitmap, convolution weights that sum to zero are applied
// unnormalised, pass counts and result sizes are capped, so that no filter
// reads or writes outside its bitmap or runs without end.
#include "platform/GraphicsTypes.h"
#include "platform/PixelRows.h"
#include "platform/Collection.h"
#include "platform/Events.h"

#include <array>
#include <memory>

class TBitmap;
class TClassInfo;
class TReader;
class TWriter;
class TStream;

// A registered filter class (a TZuzFilter descendant).
using TFilterClass = const TClassInfo*;

// Results of geometric filters (resize, crop, rotate, mirror) beyond this
// many pixels are refused: the filter leaves the bitmap as it was.
constexpr int64_t MaxFilterPixels = 16777215;
// Passes of a multi-pass blur run at most this often.
constexpr int32_t MaxFilterSteps = 100;

// A control the filters editor made for one filter property. The editor's
// own widget stands behind it; filters only adjust its range.
class TFormControl {
public:
  virtual ~TFormControl();
  virtual void SetRange(int32_t AMin, int32_t AMax);
};

// What a filter asks of the filters editor to edit its published
// properties; the editor owns the controls it returns.
class IFormCreator {
public:
  virtual ~IFormCreator();
  // A check box bound to the Boolean property PropName; OnChange (may be
  // empty) runs after each toggle.
  virtual TFormControl* AddCheckBox(const String& PropName, const String& ACaption, const TNotifyEvent& OnChange) = 0;
  virtual TFormControl* AddColor(const String& PropName, const String& ACaption) = 0;
  // A drop-down list of the enumeration values of PropName.
  virtual TFormControl* AddCombo(const String& PropName) = 0;
  virtual TFormControl* AddInteger(const String& PropName, const String& ACaption, int32_t AMin, int32_t AMax) = 0;
  virtual TFormControl* AddScroll(const String& PropName, int32_t AMin, int32_t AMax) = 0;
};

// The part of a bitmap a filter works on. Published Height, Left, Top,
// Width (declared default 0 each).
class TFilterRegion : public TPersistent {
public:
  TFilterRegion();
  ~TFilterRegion() override;
  String ClassName() const override;
  // From another region: the four values; other sources raise.
  void Assign(TPersistent* Source) override;

  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value) { FHeight = Value; }
  int32_t Left() const { return FLeft; }
  void SetLeft(int32_t Value) { FLeft = Value; }
  int32_t Top() const { return FTop; }
  void SetTop(int32_t Value) { FTop = Value; }
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value) { FWidth = Value; }
  // (Left, Top, Left + Width, Top + Height).
  TRect Rectangle() const;
  void SetRectangle(const TRect& R);

private:
  int32_t FHeight = 0;
  int32_t FLeft = 0;
  int32_t FTop = 0;
  int32_t FWidth = 0;
};

// The base of every picture filter; a plain TZuzFilter changes nothing but
// lists a bitmap's rows. Published: Enabled (declared default True), Region.
class TZuzFilter : public TCollectionItem {
public:
  explicit TZuzFilter(TCollection* ACollection = nullptr);
  ~TZuzFilter() override;
  String ClassName() const override;
  // From another filter: Enabled and Region; other sources raise.
  void Assign(TPersistent* Source) override;

  // The whole bitmap, or the filter's region limited to the bitmap (nothing
  // when the region lies outside it).
  void Apply(TBitmap* Bitmap);
  // R is inclusive: R.Right and R.Bottom are the last column and row. The
  // base lists the rows unless ReuseLines.
  virtual void Apply(TBitmap* Bitmap, const TRect& R);
  // Keeps AChanged; descendants then declare their controls.
  virtual void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged);
  // The caption the filters editor shows.
  virtual String Description() const;
  // Puts showy parameters in before a gallery preview.
  virtual void PrepareForGallery();

  // An instance of FilterClass with its defaults, applied to the whole
  // bitmap.
  static void ApplyTo(TFilterClass FilterClass, TBitmap* Bitmap);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Created on first read.
  TFilterRegion* Region();
  TFilterRegion* RegionIfAny() const { return FRegion.get(); }
  // A copy of Value; nullptr frees the region.
  void SetRegion(TFilterRegion* Value);

  // Lists the rows of Bitmap in the current mode (RGBA or not).
  void CalcLines(TBitmap* Bitmap);
  // No rows listed in the current mode.
  bool Empty() const;
  // The rows of the current mode.
  const TRGBArray& Rows() const { return RGBA ? LinesRGBA : Lines; }

  bool AllowRegion = true;
  TNotifyEvent FChanged;
  bool ReuseLines = false;
  bool RGBA = false;
  TRGBArray Lines;
  TRGBAArray LinesRGBA;

  // R limited to the bitmap; false when nothing of it is inside.
  static bool ClipToBitmap(TRect& R, const TBitmap* Bitmap);

protected:
  // The common start of a filter's Apply: R limited to the bitmap, the base
  // Apply for the rows; false when there is nothing to filter.
  bool BeginApply(TBitmap* Bitmap, TRect& R);

private:
  bool FEnabled = true;
  std::unique_ptr<TFilterRegion> FRegion;
};

// The filters of a picture, in the order they apply.
class TFilterItems : public TOwnedCollection {
public:
  explicit TFilterItems(TPersistent* AOwner);
  ~TFilterItems() override;
  String ClassName() const override;
  // From another filter list: a filter of the same class with the same
  // values for each of its filters.
  void Assign(TPersistent* Source) override;

  // A new filter of FilterClass at the end of the list.
  TZuzFilter* Add(TFilterClass FilterClass);
  TZuzFilter* Get(int32_t Index) const;
  // Assigns Value into the filter at Index.
  void Put(int32_t Index, TZuzFilter* Value);
  // Every enabled filter in list order.
  void ApplyTo(TBitmap* ABitmap);

  TNotifyEvent FOnChange;
  // Set by every update of the list; the filtered image control clears it.
  bool Changed = false;

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
};

// A 3 x 3 convolution. Weights in memory order: above-left, above,
// above-right, left, centre, right, below-left, below, below-right.
class TConvolveFilter : public TZuzFilter {
public:
  explicit TConvolveFilter(TCollection* ACollection = nullptr);
  ~TConvolveFilter() override;
  String ClassName() const override;
  using TZuzFilter::Apply;
  // The interior of R (its border row and column keep their pixels).
  void Apply(TBitmap* Bitmap, const TRect& R) override;

  void CreateBuffer(int32_t Width, int32_t Height);
  void FreeBuffer();

  std::unique_ptr<TBitmap> BufferBitmap;
  std::unique_ptr<TZuzFilter> BufferFilter;
  bool KeepBuffer = false;
  TRect Rect;
  std::array<float, 9> Weights{1, 1, 1, 1, 1, 1, 1, 1, 1};
};

// A box blur of Steps passes. Published Amount (the centre weight,
// declared default 1) and Steps (declared default 1).
class TBlurFilter : public TConvolveFilter {
public:
  explicit TBlurFilter(TCollection* ACollection = nullptr);
  ~TBlurFilter() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  using TZuzFilter::Apply;
  // Steps passes (at most MaxFilterSteps) over the bitmap's own pixel
  // layout.
  void Apply(TBitmap* Bitmap, const TRect& R) override;
  void CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged) override;
  String Description() const override;

  int32_t Amount() const { return FAmount; }
  void SetAmount(int32_t Value) { FAmount = Value; }
  int32_t Steps() const { return FSteps; }
  void SetSteps(int32_t Value) { FSteps = Value; }

private:
  int32_t FAmount = 1;
  int32_t FSteps = 1;
};

// --- unit services ----------------------------------------------------------------

// A read-only stream over the program's embedded resource Name (a Qt
// resource ":/Name"); nullptr when there is none.
std::unique_ptr<TStream> ZuzResourceStream(const String& Name);
// Class groups do not exist on this platform: every registered class is
// visible to name look-ups. Kept for callers that activate the group first.
void ZuzActivateGroup();
// A registered class by name; nullptr when there is none.
const TClassInfo* ZuzGetClass(const String& Name);

// The "FilterItems" stream value of a filter list (a collection of filters,
// each led by its class name). Reading accepts only registered filter
// classes and raises EClassNotFound for any other name.
void ReadFilters(TReader& Reader, TFilterItems* Filters);
void WriteFilters(TWriter& Writer, TFilterItems* Filters);
