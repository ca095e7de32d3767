#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

TGraphic::TGraphic() = default;
TGraphic::~TGraphic() = default;

String TGraphic::ClassName() const { return QStringLiteral("TGraphic"); }

void TGraphic::SetTransparent(bool Value)
{
  if (FTransparent == Value)
    return;
  FTransparent = Value;
  Changed();
}

void TGraphic::Changed()
{
  if (OnChange)
    OnChange(this);
}

// ---------------------------------------------------------------------------

TBitmap::TBitmap() : FImage(std::make_unique<QImage>()), FCanvas(std::make_unique<TCanvas>())
{
  FCanvas->BindImage(FImage.get());
}

TBitmap::TBitmap(int32_t W, int32_t H) : TBitmap() { SetSize(W, H); }

TBitmap::~TBitmap() { FCanvas->Release(); }

String TBitmap::ClassName() const { return QStringLiteral("TBitmap"); }

void TBitmap::Assign(TPersistent* Source)
{
  if (!Source) {
    SetSize(0, 0);
    return;
  }
  if (auto* B = dynamic_cast<TBitmap*>(Source)) {
    if (B == this)
      return;
    SetImage(*B->FImage);
    FPixelFormat = B->FPixelFormat;
    FIgnorePalette = B->FIgnorePalette;
    FTransparentColor = B->FTransparentColor;
    FTransparentMode = B->FTransparentMode;
    SetTransparent(B->Transparent());
    return;
  }
  if (auto* G = dynamic_cast<TGraphic*>(Source)) {
    const QImage* Img = G->DrawnImage();
    SetImage(Img ? *Img : QImage());
    return;
  }
  TGraphic::Assign(Source);
}

bool TBitmap::Empty() const { return FImage->isNull() || FImage->width() == 0 || FImage->height() == 0; }
int32_t TBitmap::Width() const { return FImage->isNull() ? 0 : FImage->width(); }
int32_t TBitmap::Height() const { return FImage->isNull() ? 0 : FImage->height(); }

const QImage* TBitmap::DrawnImage() const
{
  if (Empty())
    return nullptr;
  if (!Transparent())
    return FImage.get();
  const TColor T = ColorToRGB(TransparentColor());
  const QRgb Key = qRgb(GetRValue(T), GetGValue(T), GetBValue(T));
  FDrawn = std::make_unique<QImage>(FImage->convertToFormat(QImage::Format_ARGB32));
  for (int y = 0; y < FDrawn->height(); ++y) {
    auto* Line = reinterpret_cast<QRgb*>(FDrawn->scanLine(y));
    for (int x = 0; x < FDrawn->width(); ++x)
      if ((Line[x] | 0xFF000000u) == Key)
        Line[x] = 0;
  }
  return FDrawn.get();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const
{
  auto B = std::make_unique<TBitmap>();
  B->Assign(const_cast<TBitmap*>(this));
  return B;
}

void TBitmap::SetWidth(int32_t Value) { SetSize(Value, Height()); }
void TBitmap::SetHeight(int32_t Value) { SetSize(Width(), Value); }

void TBitmap::SetSize(int32_t W, int32_t H)
{
  W = std::max(0, W);
  H = std::max(0, H);
  if (W == Width() && H == Height() && !FImage->isNull())
    return;
  FCanvas->Release();
  QImage New;
  if (W > 0 && H > 0) {
    New = QImage(W, H, QImage::Format_RGB32);
    if (New.isNull())
      throw EOutOfMemory(QStringLiteral("Out of memory"));
    New.fill(0xFFFFFFFFu);
    if (!FImage->isNull()) {
      QPainter P(&New);
      P.setCompositionMode(QPainter::CompositionMode_Source);
      P.drawImage(0, 0, *FImage);
    }
  }
  *FImage = New;
  FCanvas->BindImage(FImage.get());
  Changed();
}

TCanvas* TBitmap::Canvas() { return FCanvas.get(); }

TColor TBitmap::TransparentColor() const
{
  if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
    return FTransparentColor;
  if (Empty())
    return clDefault;
  const QRgb C = FImage->pixel(0, FImage->height() - 1);
  return RGBColor(qRed(C), qGreen(C), qBlue(C));
}

void TBitmap::SetTransparentColor(TColor Value)
{
  FTransparentColor = Value;
  FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
  Changed();
}

QImage* TBitmap::ImageData() { return FImage.get(); }
const QImage* TBitmap::ImageData() const { return FImage.get(); }

void TBitmap::SetImage(const QImage& Image)
{
  FCanvas->Release();
  // A deep copy: a painter may later write into these pixels directly.
  *FImage = Image.isNull() ? QImage() : Image.convertToFormat(QImage::Format_RGB32).copy();
  FCanvas->BindImage(FImage.get());
  Changed();
}

void TBitmap::SaveToStream(TStream& Stream) const
{
  QByteArray Bytes;
  QBuffer Buf(&Bytes);
  Buf.open(QIODevice::WriteOnly);
  FImage->save(&Buf, "BMP");
  Stream.WriteBuffer(Bytes.constData(), static_cast<int32_t>(Bytes.size()));
}

void TBitmap::LoadFromStream(TStream& Stream)
{
  const int64_t Count = Stream.Size() - Stream.Position();
  if (Count <= 0 || Count > 0x7FFFFFFF)
    throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
  QByteArray Bytes(static_cast<qsizetype>(Count), '\0');
  Stream.ReadBuffer(Bytes.data(), static_cast<int32_t>(Count));
  QImage Img;
  if (!Img.loadFromData(Bytes))
    throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
  SetImage(Img);
}

void TBitmap::LoadFromFile(const String& FileName)
{
  QImage Img;
  if (!Img.load(FileName))
    throw EInvalidGraphic(QStringLiteral("Bitmap image is not valid"));
  SetImage(Img);
}

// ---------------------------------------------------------------------------

namespace {
[[maybe_unused]] const TClassInfo& PictureClass = PublishClass<TPicture>("TPicture", "TPersistent");
[[maybe_unused]] const TClassInfo& BitmapClass = PublishClass<TBitmap>("TBitmap", "TPersistent");
} // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

String TPicture::ClassName() const { return QStringLiteral("TPicture"); }

void TPicture::Assign(TPersistent* Source)
{
  if (!Source) {
    SetGraphic(nullptr);
    return;
  }
  if (auto* P = dynamic_cast<TPicture*>(Source)) {
    if (P != this)
      SetGraphic(P->Graphic());
    return;
  }
  if (auto* G = dynamic_cast<TGraphic*>(Source)) {
    SetGraphic(G);
    return;
  }
  TPersistent::Assign(Source);
}

void TPicture::SetGraphic(const TGraphic* Value)
{
  if (!Value && !FGraphic)
    return;
  FGraphic = Value ? Value->Clone() : nullptr;
  if (FGraphic)
    FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

TBitmap* TPicture::Bitmap()
{
  auto* B = dynamic_cast<TBitmap*>(FGraphic.get());
  if (!B) {
    auto New = std::make_unique<TBitmap>();
    if (FGraphic)
      New->Assign(FGraphic.get());
    B = New.get();
    FGraphic = std::move(New);
    FGraphic->OnChange = [this](TObject*) { Changed(); };
  }
  return B;
}

int32_t TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int32_t TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const String& FileName)
{
  auto B = std::make_unique<TBitmap>();
  B->LoadFromFile(FileName);
  FGraphic = std::move(B);
  FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TPicture::DefineProperties(TFiler* Filer)
{
  TPersistent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      QStringLiteral("Data"), [this](TStream& S) { ReadData(S); }, [this](TStream& S) { WriteData(S); },
      FGraphic != nullptr);
}

void TPicture::WriteData(TStream& Stream) const
{
  const QByteArray Name = FGraphic->ClassName().toUtf8();
  const uint8_t Length = static_cast<uint8_t>(Name.size());
  Stream.WriteBuffer(&Length, 1);
  Stream.WriteBuffer(Name.constData(), Length);
  if (const auto* B = dynamic_cast<const TBitmap*>(FGraphic.get()))
    B->WriteData(Stream);
  else
    TBitmap().WriteData(Stream);
}

// The bytes come from a file: every length is checked against what is there.
void TPicture::ReadData(TStream& Stream)
{
  uint8_t Length = 0;
  Stream.ReadBuffer(&Length, 1);
  QByteArray Name(Length, '\0');
  if (Length > 0)
    Stream.ReadBuffer(Name.data(), Length);
  if (QString::fromUtf8(Name).compare(QStringLiteral("TBitmap"), Qt::CaseInsensitive) != 0)
    throw EInvalidGraphic(QStringLiteral("Unknown picture class %1").arg(QString::fromUtf8(Name)));
  auto B = std::make_unique<TBitmap>();
  B->ReadData(Stream);
  FGraphic = std::move(B);
  FGraphic->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

void TBitmap::WriteData(TStream& Stream) const
{
  TMemoryStream Data;
  if (!Empty())
    SaveToStream(Data);
  const int32_t Size = static_cast<int32_t>(Data.Size());
  Stream.WriteBuffer(&Size, 4);
  if (Size > 0)
    Stream.WriteBuffer(Data.Memory(), Size);
}

// The bytes come from a file: the length is checked against what is there.
void TBitmap::ReadData(TStream& Stream)
{
  int32_t Size = 0;
  Stream.ReadBuffer(&Size, 4);
  if (Size < 0 || Size > Stream.Size() - Stream.Position())
    throw EReadError(QStringLiteral("Stream read error"));
  if (Size == 0) {
    Assign(nullptr);
    return;
  }
  TMemoryStream Data;
  Data.CopyFrom(Stream, Size);
  Data.SetPosition(0);
  LoadFromStream(Data);
}

void TBitmap::DefineProperties(TFiler* Filer)
{
  TGraphic::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      QStringLiteral("Data"), [this](TStream& S) { ReadData(S); }, [this](TStream& S) { WriteData(S); }, !Empty());
}

void TPicture::Changed()
{
  if (OnChange)
    OnChange(this);
}
