#include "grid/base/GDIPicture.h"

#include "platform/Filer.h"
#include "platform/Published.h"
#include "rtl/Streams.h"

#include <QDebug>
#include <QImage>

namespace {

[[maybe_unused]] const TClassInfo& GDIPPictureClass = PublishClass<TGDIPPicture>("TGDIPPicture", "TPersistent");

uint32_t LE32(const uint8_t* P) { return P[0] | (P[1] << 8) | (P[2] << 16) | (static_cast<uint32_t>(P[3]) << 24); }
uint16_t LE16(const uint8_t* P) { return static_cast<uint16_t>(P[0] | (P[1] << 8)); }

QByteArray ReadAll(TStream& Stream)
{
  const int64_t Size = Stream.Size() - Stream.Position();
  QByteArray Bytes;
  if (Size <= 0)
    return Bytes;
  Bytes.resize(static_cast<qsizetype>(Size));
  Stream.ReadBuffer(Bytes.data(), static_cast<int32_t>(Size));
  return Bytes;
}

} // namespace

TPictureFormat FindPictureFormat(const uint8_t* B, int64_t Size)
{
  if (!B || Size < 44)
    return pfNone;
  if (B[0] == 0x49 && B[1] == 0x49)
    return B[2] == 0x2A && B[3] == 0x00 ? pfTiff : pfNone;
  if (B[0] == 0x42 && B[1] == 0x4D)
    return pfBMP;
  if (B[0] == 0x4D && B[1] == 0x4D)
    return B[2] == 0x00 && B[3] == 0x2A ? pfTiff : pfNone;
  if (B[0] == 0xFF && B[1] == 0xD8)
    return pfJPG;
  static const uint8_t Png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (std::equal(Png, Png + 8, B))
    return pfPNG;
  if (B[0] == 0xD7 && B[1] == 0xCD && B[2] == 0xC6 && B[3] == 0x9A)
    return pfMetaFile;
  if (LE32(B) == 1 && B[40] == ' ' && B[41] == 'E' && B[42] == 'M' && B[43] == 'F')
    return pfMetaFile;
  if (B[0] == 'G' && B[1] == 'I' && B[2] == 'F')
    return pfGIF;
  if (LE16(B + 2) == 1)
    return pfICO;
  return pfNone;
}

TGDIPPicture::TGDIPPicture() = default;
TGDIPPicture::~TGDIPPicture() = default;

String TGDIPPicture::ClassName() const { return QStringLiteral("TGDIPPicture"); }

void TGDIPPicture::SetBytes(const QByteArray& Bytes)
{
  FData = Bytes;
  FIsEmpty = Bytes.isEmpty();
  FDecoded.reset();
  FWidth = FHeight = 0;
}

void TGDIPPicture::Assign(TPersistent* Source)
{
  FIsEmpty = true;
  if (!Source) {
    SetBytes(QByteArray());
    Changed();
    if (OnClear)
      OnClear(this);
    return;
  }
  if (auto* Pic = dynamic_cast<TPicture*>(Source)) {
    Assign(Pic->Graphic());
    return;
  }
  if (auto* Other = dynamic_cast<TGDIPPicture*>(Source))
    SetBytes(Other->FData);
  else if (auto* Bmp = dynamic_cast<TBitmap*>(Source)) {
    TMemoryStream S;
    if (!Bmp->Empty())
      Bmp->SaveToStream(S);
    S.SetPosition(0);
    SetBytes(ReadAll(S));
  } else {
    // Nothing this picture can take the bytes of.
    return;
  }
  Changed();
  GetImageSizes();
}

const QImage* TGDIPPicture::DrawnImage() const
{
  if (FIsEmpty)
    return nullptr;
  if (!FDecoded) {
    auto Image = std::make_unique<QImage>();
    if (!Image->loadFromData(FData))
      return nullptr;
    FDecoded = std::make_unique<QImage>(Image->convertToFormat(QImage::Format_ARGB32));
  }
  return FDecoded.get();
}

std::unique_ptr<TGraphic> TGDIPPicture::Clone() const
{
  auto Copy = std::make_unique<TGDIPPicture>();
  Copy->SetBytes(FData);
  Copy->FWidth = FWidth;
  Copy->FHeight = FHeight;
  Copy->FAngle = FAngle;
  Copy->FTransparentBitmap = FTransparentBitmap;
  Copy->FFileName = FFileName;
  return Copy;
}

void TGDIPPicture::LoadFromFile(const String& FileName)
{
  try {
    TMemoryStream S;
    S.LoadFromFile(FileName);
    S.SetPosition(0);
    SetBytes(ReadAll(S));
  } catch (const std::exception& E) {
    qWarning().noquote() << "Picture" << FileName << "not loaded:" << E.what();
    SetBytes(QByteArray());
    return;
  }
  FFileName = FileName;
  if (OnClear)
    OnClear(this);
  GetImageSizes();
  Changed();
}

void TGDIPPicture::LoadFromStream(TStream* Stream)
{
  if (!Stream)
    return;
  SetBytes(ReadAll(*Stream));
  GetImageSizes();
  Changed();
}

void TGDIPPicture::SaveToStream(TStream& Stream) const
{
  if (!FData.isEmpty())
    Stream.WriteBuffer(FData.constData(), static_cast<int32_t>(FData.size()));
}

TPictureFormat TGDIPPicture::GetPictureFormat() const
{
  return FindPictureFormat(reinterpret_cast<const uint8_t*>(FData.constData()), FData.size());
}

bool TGDIPPicture::GetImageSizes()
{
  const QImage* Image = DrawnImage();
  if (!Image)
    return false;
  FWidth = Image->width();
  FHeight = Image->height();
  return true;
}

void TGDIPPicture::DefineProperties(TFiler* Filer)
{
  TGraphic::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      QStringLiteral("Data"), [this](TStream& S) { SetBytes(ReadAll(S)); }, [this](TStream& S) { SaveToStream(S); },
      !FIsEmpty);
}
