#include "chart/canvas/ZuzFilter.h"
#include "platform/Bitmap.h"
#include "chart/canvas/CanvasMessages.h"

#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/RtlMath.h"
#include "rtl/ScopeGuard.h"
#include "rtl/Streams.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

[[maybe_unused]] const TClassInfo& RegionClass =
    PublishClass<TFilterRegion>("TFilterRegion", "TPersistent",
                                {
                                    PropInt("Height", &TFilterRegion::Height, &TFilterRegion::SetHeight, 0),
                                    PropInt("Left", &TFilterRegion::Left, &TFilterRegion::SetLeft, 0),
                                    PropInt("Top", &TFilterRegion::Top, &TFilterRegion::SetTop, 0),
                                    PropInt("Width", &TFilterRegion::Width, &TFilterRegion::SetWidth, 0),
                                });

[[maybe_unused]] const TClassInfo& FilterClass =
    PublishClass<TZuzFilter>("TZuzFilter", "TCollectionItem",
                             {
                                 PropBool("Enabled", &TZuzFilter::Enabled, &TZuzFilter::SetEnabled, true),
                                 PropObj("Region", &TZuzFilter::Region, &TZuzFilter::SetRegion),
                             });

[[maybe_unused]] const TClassInfo& FilterItemsClass = PublishClass<TFilterItems>("TFilterItems", "TOwnedCollection");

[[maybe_unused]] const TClassInfo& ConvolveClass = PublishClass<TConvolveFilter>("TConvolveFilter", "TZuzFilter");

[[maybe_unused]] const TClassInfo& BlurClass =
    PublishClass<TBlurFilter>("TBlurFilter", "TConvolveFilter",
                              {
                                  PropInt("Amount", &TBlurFilter::Amount, &TBlurFilter::SetAmount, 1),
                                  PropInt("Steps", &TBlurFilter::Steps, &TBlurFilter::SetSteps, 1),
                              });

inline int32_t ClampByte(double V)
{
  if (!(V > 0))
    return 0;
  if (V >= 255)
    return 255;
  return static_cast<int32_t>(Round(V));
}

} // namespace

TFormControl::~TFormControl() = default;
void TFormControl::SetRange(int32_t, int32_t) {}

IFormCreator::~IFormCreator() = default;

// --- region ------------------------------------------------------------------------

TFilterRegion::TFilterRegion() = default;
TFilterRegion::~TFilterRegion() = default;
String TFilterRegion::ClassName() const { return QStringLiteral("TFilterRegion"); }

void TFilterRegion::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFilterRegion*>(Source)) {
    FHeight = S->FHeight;
    FLeft = S->FLeft;
    FTop = S->FTop;
    FWidth = S->FWidth;
    return;
  }
  TPersistent::Assign(Source);
}

TRect TFilterRegion::Rectangle() const { return TRect{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }

void TFilterRegion::SetRectangle(const TRect& R)
{
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Right - R.Left;
  FHeight = R.Bottom - R.Top;
}

// --- filter ------------------------------------------------------------------------

TZuzFilter::TZuzFilter(TCollection* ACollection) : TCollectionItem(ACollection)
{
  AllowRegion = true;
  FEnabled = true;
}

TZuzFilter::~TZuzFilter() = default;

String TZuzFilter::ClassName() const { return QStringLiteral("TZuzFilter"); }

void TZuzFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TZuzFilter*>(Source)) {
    SetEnabled(S->Enabled());
    SetRegion(S->Region());
    return;
  }
  TPersistent::Assign(Source);
}

void TZuzFilter::SetEnabled(bool Value)
{
  if (FEnabled == Value)
    return;
  FEnabled = Value;
  if (FChanged)
    FChanged(this);
}

TFilterRegion* TZuzFilter::Region()
{
  if (!FRegion)
    FRegion = std::make_unique<TFilterRegion>();
  return FRegion.get();
}

void TZuzFilter::SetRegion(TFilterRegion* Value)
{
  if (!Value) {
    FRegion.reset();
    return;
  }
  if (Value != FRegion.get())
    Region()->Assign(Value);
}

bool TZuzFilter::ClipToBitmap(TRect& R, const TBitmap* Bitmap)
{
  if (!Bitmap || Bitmap->Empty())
    return false;
  R.Left = std::max(R.Left, 0);
  R.Top = std::max(R.Top, 0);
  R.Right = std::min(R.Right, Bitmap->Width() - 1);
  R.Bottom = std::min(R.Bottom, Bitmap->Height() - 1);
  return R.Left <= R.Right && R.Top <= R.Bottom;
}

void TZuzFilter::Apply(TBitmap* Bitmap)
{
  if (!Bitmap)
    return;
  const int64_t W = Bitmap->Width(), H = Bitmap->Height();
  int64_t L = 0, T = 0, Rt = W - 1, B = H - 1;
  if (FRegion && AllowRegion) {
    // A region from a chart file may name any numbers; the sums are taken
    // wide and the result is limited to the bitmap before any row is used.
    L = FRegion->Left();
    T = FRegion->Top();
    Rt = FRegion->Width() != 0 ? std::min(W - 1, L + FRegion->Width()) : std::max(L, W - 1);
    B = FRegion->Height() != 0 ? std::min(H - 1, T + FRegion->Height()) : std::max(T, H - 1);
  }
  auto Limit = [](int64_t V) { return static_cast<int32_t>(std::clamp<int64_t>(V, -1, INT32_MAX)); };
  TRect R{Limit(L), Limit(T), Limit(Rt), Limit(B)};
  if (!ClipToBitmap(R, Bitmap))
    return;
  Apply(Bitmap, R);
}

void TZuzFilter::Apply(TBitmap* Bitmap, const TRect&)
{
  if (!ReuseLines)
    CalcLines(Bitmap);
}

bool TZuzFilter::BeginApply(TBitmap* Bitmap, TRect& R)
{
  if (!ClipToBitmap(R, Bitmap))
    return false;
  TZuzFilter::Apply(Bitmap, R);
  return !Empty();
}

void TZuzFilter::CalcLines(TBitmap* Bitmap)
{
  if (RGBA) {
    Lines.clear();
    ZuzCalcLines(LinesRGBA, Bitmap, true);
  } else {
    LinesRGBA.clear();
    ZuzCalcLines(Lines, Bitmap, false);
  }
}

bool TZuzFilter::Empty() const { return Rows().empty(); }

void TZuzFilter::CreateEditor(IFormCreator*, const TNotifyEvent& AChanged) { FChanged = AChanged; }

String TZuzFilter::Description() const { return ClassName(); }

void TZuzFilter::PrepareForGallery() {}

void TZuzFilter::ApplyTo(TFilterClass FilterClass, TBitmap* Bitmap)
{
  if (!FilterClass || !FilterClass->InheritsFrom(ClassInfoFor<TZuzFilter>()))
    return;
  std::unique_ptr<TCollectionItem> Item(FilterClass->CreateItem(nullptr));
  if (auto* F = dynamic_cast<TZuzFilter*>(Item.get()))
    F->Apply(Bitmap);
}

// --- filter list ----------------------------------------------------------------------

TFilterItems::TFilterItems(TPersistent* AOwner) : TOwnedCollection(AOwner, ClassInfoFor<TZuzFilter>()) {}

TFilterItems::~TFilterItems()
{
  // Destroying the items notifies nobody who may already be gone.
  FOnChange = nullptr;
}

String TFilterItems::ClassName() const { return QStringLiteral("TFilterItems"); }

TZuzFilter* TFilterItems::Add(TFilterClass FilterClass)
{
  if (!FilterClass || !FilterClass->InheritsFrom(ClassInfoFor<TZuzFilter>()))
    throw EFilerError(QStringLiteral("Cannot create %1").arg(FilterClass ? FilterClass->ClassName() : String()));
  return static_cast<TZuzFilter*>(CreateItem(FilterClass, -1));
}

TZuzFilter* TFilterItems::Get(int32_t Index) const { return static_cast<TZuzFilter*>(Items(Index)); }

void TFilterItems::Put(int32_t Index, TZuzFilter* Value) { Get(Index)->Assign(Value); }

void TFilterItems::ApplyTo(TBitmap* ABitmap)
{
  for (int32_t i = 0; i < Count(); ++i) {
    TZuzFilter* F = Get(i);
    if (F->Enabled())
      F->Apply(ABitmap);
  }
}

void TFilterItems::Assign(TPersistent* Source)
{
  auto* Src = dynamic_cast<TFilterItems*>(Source);
  if (!Src) {
    TOwnedCollection::Assign(Source);
    return;
  }
  if (Src == this)
    return;
  Clear();
  BeginUpdate();
  const auto Updating = ScopeExit([&] { EndUpdate(); });
  for (int32_t i = 0; i < Src->Count(); ++i) {
    TZuzFilter* From = Src->Get(i);
    const TClassInfo* C = ClassInfoOf(From);
    Add(C ? C : ClassInfoFor<TZuzFilter>())->Assign(From);
  }
}

void TFilterItems::Update(TCollectionItem*) { Changed = true; }

void TFilterItems::Notify(TCollectionItem* Item, TCollectionNotification Action)
{
  TOwnedCollection::Notify(Item, Action);
  if (FOnChange)
    FOnChange(this);
}

// --- convolution -------------------------------------------------------------------------

TConvolveFilter::TConvolveFilter(TCollection* ACollection) : TZuzFilter(ACollection) {}
TConvolveFilter::~TConvolveFilter() = default;
String TConvolveFilter::ClassName() const { return QStringLiteral("TConvolveFilter"); }

void TConvolveFilter::CreateBuffer(int32_t Width, int32_t Height)
{
  BufferFilter = std::make_unique<TZuzFilter>();
  BufferFilter->RGBA = RGBA;
  BufferBitmap = std::make_unique<TBitmap>(std::max(0, Width), std::max(0, Height));
  BufferFilter->Apply(BufferBitmap.get());
  // A bitmap too thin to hold pixels still needs its (empty) row list.
  if (BufferBitmap->Empty())
    BufferFilter->CalcLines(BufferBitmap.get());
}

void TConvolveFilter::FreeBuffer()
{
  BufferFilter.reset();
  BufferBitmap.reset();
}

void TConvolveFilter::Apply(TBitmap* Bitmap, const TRect& R)
{
  TZuzFilter::Apply(Bitmap, R);
  if (Empty())
    return;
  Rect = R;
  Rect.Top = std::max(Rect.Top, 0);
  Rect.Left = std::max(Rect.Left, 0);
  Rect.Bottom = std::min(Rect.Bottom, Bitmap->Height() - 1);
  Rect.Right = std::min(Rect.Right, Bitmap->Width() - 1);
  // Two rows or columns or fewer have no interior pixel.
  if (Rect.Right - Rect.Left < 2 || Rect.Bottom - Rect.Top < 2)
    return;
  if (!KeepBuffer)
    CreateBuffer(Rect.Right - Rect.Left, Rect.Bottom - Rect.Top);
  const TRGBArray& Src = Rows();
  const TRGBArray& Buf = BufferFilter->Rows();
  // The buffer a multi-pass caller keeps must cover this rectangle.
  if (static_cast<int32_t>(Buf.size()) < Rect.Bottom - Rect.Top || !BufferBitmap ||
      BufferBitmap->Width() < Rect.Right - Rect.Left) {
    if (!KeepBuffer)
      FreeBuffer();
    return;
  }
  bool AllOnes = true;
  double Sum = 0;
  for (float W : Weights) {
    AllOnes = AllOnes && W == 1;
    Sum += W;
  }
  // Weights that cancel out (edge kernels, a blur amount of -8) cannot be
  // normalised; they are applied as they are.
  const float Factor = Sum == 0 ? 1.0f : static_cast<float>(1 / Sum);
  for (int32_t y = Rect.Top + 1; y < Rect.Bottom; ++y) {
    const uint8_t* Above = Src[static_cast<size_t>(y - 1)];
    const uint8_t* Row = Src[static_cast<size_t>(y)];
    const uint8_t* Below = Src[static_cast<size_t>(y + 1)];
    uint8_t* Out = Buf[static_cast<size_t>(y - Rect.Top)];
    for (int32_t x = Rect.Left + 1; x < Rect.Right; ++x) {
      const int32_t L = (x - 1) * PixelBytes, C = x * PixelBytes, Rt = (x + 1) * PixelBytes;
      uint8_t* O = Out + (x - Rect.Left) * PixelBytes;
      for (int32_t k = 0; k < 3; ++k) {
        if (AllOnes) {
          const int32_t S = Above[L + k] + Above[C + k] + Above[Rt + k] + Row[L + k] + Row[C + k] + Row[Rt + k] +
                            Below[L + k] + Below[C + k] + Below[Rt + k];
          O[k] = static_cast<uint8_t>(S / 9);
        } else {
          const float S = Weights[0] * Above[L + k] + Weights[1] * Above[C + k] + Weights[2] * Above[Rt + k] +
                          Weights[3] * Row[L + k] + Weights[4] * Row[C + k] + Weights[5] * Row[Rt + k] +
                          Weights[6] * Below[L + k] + Weights[7] * Below[C + k] + Weights[8] * Below[Rt + k];
          O[k] = static_cast<uint8_t>(ClampByte(double(Factor * S)));
        }
      }
      O[3] = Row[C + 3];
    }
  }
  const size_t Bytes = static_cast<size_t>(Rect.Right - Rect.Left - 1) * PixelBytes;
  for (int32_t y = Rect.Top + 1; y < Rect.Bottom; ++y)
    std::memcpy(Src[static_cast<size_t>(y)] + (Rect.Left + 1) * PixelBytes,
                Buf[static_cast<size_t>(y - Rect.Top)] + PixelBytes, Bytes);
  if (!KeepBuffer)
    FreeBuffer();
}

// --- blur ------------------------------------------------------------------------------

TBlurFilter::TBlurFilter(TCollection* ACollection) : TConvolveFilter(ACollection)
{
  FAmount = 1;
  FSteps = 1;
}

TBlurFilter::~TBlurFilter() = default;
String TBlurFilter::ClassName() const { return QStringLiteral("TBlurFilter"); }
String TBlurFilter::Description() const { return ZuzMsg_Blur; }

void TBlurFilter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TBlurFilter*>(Source)) {
    FAmount = S->FAmount;
    FSteps = S->FSteps;
  }
  TZuzFilter::Assign(Source);
}

void TBlurFilter::CreateEditor(IFormCreator* Creator, const TNotifyEvent& AChanged)
{
  TZuzFilter::CreateEditor(Creator, AChanged);
  Creator->AddScroll(QStringLiteral("Steps"), 1, 20);
  Creator->AddScroll(QStringLiteral("Amount"), 0, 50);
}

void TBlurFilter::Apply(TBitmap* Bitmap, const TRect& R)
{
  if (!Bitmap || Bitmap->Empty())
    return;
  Weights.fill(1);
  Weights[4] = static_cast<float>(FAmount);
  RGBA = ZuzBitsPerPixel(Bitmap) == 32;
  CalcLines(Bitmap);
  ReuseLines = true;
  KeepBuffer = true;
  // The buffer covers the rectangle as the convolution will limit it.
  TRect Area = R;
  ClipToBitmap(Area, Bitmap);
  CreateBuffer(std::abs(Area.Right - Area.Left), std::abs(Area.Bottom - Area.Top));
  const int32_t Passes = std::min(FSteps, MaxFilterSteps);
  const auto Restore = ScopeExit([&] {
    FreeBuffer();
    ReuseLines = false;
    KeepBuffer = false;
  });
  for (int32_t i = 0; i < Passes; ++i)
    TConvolveFilter::Apply(Bitmap, R);
}

// --- unit services ------------------------------------------------------------------------

std::unique_ptr<TStream> ZuzResourceStream(const String& Name)
{
  if (Name.isEmpty())
    return nullptr;
  QFile F(QStringLiteral(":/") + Name);
  if (!F.exists() || !F.open(QIODevice::ReadOnly))
    return nullptr;
  const QByteArray Bytes = F.readAll();
  auto S = std::make_unique<TMemoryStream>();
  if (!Bytes.isEmpty())
    S->WriteBuffer(Bytes.constData(), static_cast<int32_t>(Bytes.size()));
  S->SetPosition(0);
  return S;
}

void ZuzActivateGroup() {}

const TClassInfo* ZuzGetClass(const String& Name)
{
  ZuzActivateGroup();
  return GetClass(Name);
}

// --- streaming ------------------------------------------------------------------------------

void WriteFilters(TWriter& Writer, TFilterItems* Filters)
{
  const String SavedPath = Writer.PropPath();
  Writer.WriteValue(vaCollection);
  if (Filters)
    for (int32_t i = 0; i < Filters->Count(); ++i) {
      TZuzFilter* F = Filters->Get(i);
      Writer.WriteListBegin();
      // Each filter's values are plain names, whatever object holds the list.
      Writer.SetPropPath(String());
      Writer.WritePropName(QStringLiteral("ItemClass"));
      Writer.WriteString(F->ClassName());
      Writer.WriteProperties(F);
      Writer.SetPropPath(String());
      Writer.WriteListEnd();
    }
  Writer.WriteListEnd();
  Writer.SetPropPath(SavedPath);
}

void ReadFilters(TReader& Reader, TFilterItems* Filters)
{
  Filters->BeginUpdate();
  const auto Updating = ScopeExit([&] { Filters->EndUpdate(); });
  if (!Reader.EndOfList())
    Filters->Clear();
  Reader.CheckValue(vaCollection);
  while (!Reader.EndOfList()) {
    const TValueType T = Reader.NextValue();
    if (T == vaInt8 || T == vaInt16 || T == vaInt32)
      Reader.ReadInteger();
    Reader.CheckValue(vaList);
    Reader.ReadStr();
    const String Name = Reader.ReadString();
    const TClassInfo* C = FindClass(Name);
    // A chart file names the class to create: only filters may be made.
    if (!C->InheritsFrom(ClassInfoFor<TZuzFilter>()))
      throw EClassNotFound(QStringLiteral("Class %1 not found").arg(Name));
    TZuzFilter* F = Filters->Add(C);
    while (!Reader.EndOfList())
      Reader.ReadProperty(F);
    Reader.ReadListEnd();
  }
  Reader.ReadListEnd();
}
