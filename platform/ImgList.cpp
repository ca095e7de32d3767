#include "platform/ImgList.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"

#include <QImage>
#include <QPainter>

#include <algorithm>

TIcon::TIcon() { SetTransparent(true); }
TIcon::~TIcon() = default;
String TIcon::ClassName() const { return QStringLiteral("TIcon"); }

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner) {}
TCustomImageList::~TCustomImageList() = default;
String TCustomImageList::ClassName() const { return QStringLiteral("TCustomImageList"); }

void TCustomImageList::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TCustomImageList::SetSize(int32_t AWidth, int32_t AHeight)
{
  FWidth = std::max(1, AWidth);
  FHeight = std::max(1, AHeight);
  FImages.clear();
  Changed();
}

int32_t TCustomImageList::Add(const TBitmap* Image) { return AddMasked(Image, clNone); }

int32_t TCustomImageList::AddMasked(const TBitmap* Image, TColor MaskColor)
{
  auto B = std::make_unique<TBitmap>(FWidth, FHeight);
  if (Image && !Image->Empty()) {
    QImage Fit(FWidth, FHeight, QImage::Format_RGB32);
    Fit.fill(MaskColor == clNone ? Image->ImageData()->pixel(0, Image->Height() - 1) : qRgb(255, 0, 255));
    QPainter P(&Fit);
    P.drawImage(0, 0, *Image->ImageData());
    P.end();
    B->SetImage(Fit);
  }
  if (MaskColor != clNone) {
    B->SetTransparentColor(MaskColor);
    B->SetTransparent(true);
  }
  FImages.push_back(std::move(B));
  Changed();
  return Count() - 1;
}

void TCustomImageList::Delete(int32_t Index)
{
  if (Index < 0 || Index >= Count())
    return;
  FImages.erase(FImages.begin() + Index);
  Changed();
}

void TCustomImageList::Clear()
{
  FImages.clear();
  Changed();
}

void TCustomImageList::Draw(TCanvas* Canvas, int32_t X, int32_t Y, int32_t Index, bool Enabled) const
{
  if (!Canvas || Index < 0 || Index >= Count())
    return;
  const TBitmap* B = FImages[static_cast<size_t>(Index)].get();
  if (Enabled) {
    Canvas->Draw(X, Y, B);
    return;
  }
  // Disabled: the picture in grey; the transparent colour greys with it.
  TBitmap Grey;
  Grey.Assign(const_cast<TBitmap*>(B));
  QImage* G = Grey.ImageData();
  const TColor Key = ColorToRGB(B->TransparentColor());
  const QRgb Mask = qRgb(GetRValue(Key), GetGValue(Key), GetBValue(Key));
  for (int32_t J = 0; J < G->height(); ++J)
    for (int32_t I = 0; I < G->width(); ++I) {
      const QRgb P = G->pixel(I, J);
      if (B->Transparent() && (P | 0xFF000000u) == Mask)
        continue;
      const int V = 128 + qGray(P) / 2;
      G->setPixel(I, J, qRgb(V, V, V));
    }
  Grey.SetTransparent(B->Transparent());
  Canvas->Draw(X, Y, &Grey);
}

TImageList::TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
String TImageList::ClassName() const { return QStringLiteral("TImageList"); }
