#include "chart/canvasctl/ImageFiltered.h"

#include "platform/Bitmap.h"
#include "chart/canvas/ZuzFilter.h"

#include "platform/Filer.h"
#include "rtl/Streams.h"

#include "platform/Canvas.h"

TImageFiltered::TImageFiltered(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()), FFilters(std::make_unique<TFilterItems>(nullptr))
{
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(Left(), Top(), 105, 105);
  InheritedChanged = FPicture->OnChange;
  FPicture->OnChange = [this](TObject*) { DoPictureChanged(); };
  FFilters->FOnChange = [this](TObject*) { Invalidate(); };
}

String TImageFiltered::ClassName() const { return QStringLiteral("TImageFiltered"); }

TImageFiltered::~TImageFiltered()
{
  FFilters->FOnChange = nullptr;
  FPicture->OnChange = nullptr;
}

void TImageFiltered::DropCache() { IFilteredPicture.reset(); }

void TImageFiltered::DoPictureChanged()
{
  if (IAssigning)
    return;
  DropCache();
  if (InheritedChanged)
    InheritedChanged(FPicture.get());
  Invalidate();
}

void TImageFiltered::SetFilters(TFilterItems* Value)
{
  FFilters->Assign(Value);
  DropCache();
  Invalidate();
}

void TImageFiltered::Assign(const TImageFiltered* Source)
{
  if (Source)
    SetFilters(Source->FFilters.get());
}

QByteArray TImageFiltered::FilterSignature() const
{
  // The published values of the filters as they would be saved: a change
  // of any of them (an Amount set by an editor) makes the cache stale.
  TMemoryStream S;
  {
    TWriter W(S);
    WriteFilters(W, FFilters.get());
    W.FlushBuffer();
  }
  return QByteArray(reinterpret_cast<const char*>(S.Memory()), static_cast<int>(S.Size()));
}

TBitmap* TImageFiltered::Filtered()
{
  const QByteArray Signature = FilterSignature();
  if (FFilters->Changed || Signature != ISignature) {
    DropCache();
    FFilters->Changed = false;
    ISignature = Signature;
  }
  if (IFilteredPicture)
    return IFilteredPicture.get();
  if (!FPicture->Graphic())
    return nullptr;
  IFilteredPicture = std::make_unique<TBitmap>();
  IAssigning = true;
  IFilteredPicture->Assign(FPicture->Graphic());
  IAssigning = false;
  FFilters->ApplyTo(IFilteredPicture.get());
  return IFilteredPicture.get();
}

TRect TImageFiltered::DestRect() const
{
  int W = FPicture->Width(), H = FPicture->Height();
  const int CW = Width(), CH = Height();
  if (Stretch || (Proportional && (W > CW || H > CH))) {
    if (Proportional && W > 0 && H > 0) {
      const double Aspect = double(W) / H;
      if (W > H) {
        W = CW;
        H = int(CW / Aspect);
        if (H > CH) {
          H = CH;
          W = int(CH * Aspect);
        }
      } else {
        H = CH;
        W = int(CH * Aspect);
        if (W > CW) {
          W = CW;
          H = int(CW / Aspect);
        }
      }
    } else {
      W = CW;
      H = CH;
    }
  }
  int X = 0, Y = 0;
  if (Center) {
    X = (CW - W) / 2;
    Y = (CH - H) / 2;
  }
  return TRect{X, Y, X + W, Y + H};
}

void TImageFiltered::Paint()
{
  TBitmap* B = Filtered();
  if (!B || B->Empty())
    return;
  const TRect D = DestRect();
  if (B->Width() == D.Width() && B->Height() == D.Height())
    Canvas()->Draw(0, 0, B);
  else
    Canvas()->StretchDraw(D, B);
}
