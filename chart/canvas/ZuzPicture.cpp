#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzFilter.h"

#include "platform/Filer.h"
#include "platform/Published.h"

namespace {
[[maybe_unused]] const TClassInfo& PictureClass = PublishClass<TZuzPicture>(
    "TZuzPicture", "TPicture", {PropObj("Filters", &TZuzPicture::Filters, &TZuzPicture::SetFilters).Stored(false)});
} // namespace

TZuzPicture::TZuzPicture() = default;

TZuzPicture::~TZuzPicture()
{
  // The list's change handler points back here.
  if (FFilters)
    FFilters->FOnChange = nullptr;
}

String TZuzPicture::ClassName() const { return QStringLiteral("TZuzPicture"); }

void TZuzPicture::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TZuzPicture*>(Source))
    if (P != this)
      SetFilters(P->FFilters.get());
  TPicture::Assign(Source);
}

TFilterItems* TZuzPicture::Filters()
{
  if (!FFilters)
    FFilters = std::make_unique<TFilterItems>(this);
  return FFilters.get();
}

void TZuzPicture::SetFilters(TFilterItems* Value)
{
  if (!Value) {
    FFilters.reset();
    return;
  }
  if (Value != FFilters.get())
    Filters()->Assign(Value);
}

void TZuzPicture::Repaint() { Changed(); }

void TZuzPicture::AssignGraphic(TBitmap* ABitmap, const TGraphic* AGraphic)
{
  if (!ABitmap)
    return;
  ABitmap->Assign(const_cast<TGraphic*>(AGraphic));
}

TGraphic* TZuzPicture::Filtered()
{
  if (!FFilters || FFilters->Count() == 0 || !Graphic())
    return Graphic();
  if (!IBitmap)
    IBitmap = std::make_unique<TBitmap>();
  AssignGraphic(IBitmap.get(), Graphic());
  FFilters->ApplyTo(IBitmap.get());
  return IBitmap.get();
}

void TZuzPicture::DefineProperties(TFiler* Filer)
{
  TPicture::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("FilterItems"), [this](TReader& R) { ReadFilters(R, Filters()); },
      [this](TWriter& W) { WriteFilters(W, FFilters.get()); }, FFilters && FFilters->Count() > 0);
}

void TZuzPicture::ReadFilters(TReader& Reader, TFilterItems* Filters) { ::ReadFilters(Reader, Filters); }

void TZuzPicture::WriteFilters(TWriter& Writer, TFilterItems* Filters) { ::WriteFilters(Writer, Filters); }
