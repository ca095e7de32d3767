#pragma once
// A picture that keeps an image file's bytes exactly as loaded (PNG, JPEG,
// GIF, BMP, icon ...) and decodes them when it is measured or drawn. The
// grid's hint information holds its picture as one.
//
// This is the picture's data side: loading, copying, streaming and
// measuring. Empty is True until bytes were loaded; Width and Height are 0
// until the picture was measured (loading from a file or stream measures,
// reading from a form does not).
#include "platform/Bitmap.h"

#include <QByteArray>

enum TPictureFormat : uint8_t { pfBMP, pfGIF, pfJPG, pfPNG, pfICO, pfTiff, pfMetaFile, pfNone };

// The format of image bytes by their leading magic numbers; pfNone below
// 44 bytes and for anything not recognised.
TPictureFormat FindPictureFormat(const uint8_t* Bytes, int64_t Size);

class TGDIPPicture : public TGraphic {
public:
  TGDIPPicture();
  ~TGDIPPicture() override;
  String ClassName() const override;
  // nullptr: cleared (OnClear fires). Another TGDIPPicture: its bytes. A
  // bitmap: its BMP file form. A picture: its graphic, as above. Any other
  // source leaves the picture empty. Fires OnChange.
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FIsEmpty; }
  int32_t Width() const override { return FWidth; }
  int32_t Height() const override { return FHeight; }
  const QImage* DrawnImage() const override;
  std::unique_ptr<TGraphic> Clone() const override;

  // Any failure leaves the picture empty.
  void LoadFromFile(const String& FileName);
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream& Stream) const;
  const QByteArray& Data() const { return FData; }
  TPictureFormat GetPictureFormat() const;
  // Decodes the bytes to take the size; False when empty or undecodable.
  bool GetImageSizes();

  const String& FileName() const { return FFileName; }
  // Degrees the picture is turned by when drawn.
  int32_t Angle() const { return FAngle; }
  void SetAngle(int32_t Value) { FAngle = Value; }
  bool TransparentBitmap() const { return FTransparentBitmap; }
  void SetTransparentBitmap(bool Value) { FTransparentBitmap = Value; }

  // Forms carry the bytes as the binary value "Data".
  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent OnClear;

private:
  void SetBytes(const QByteArray& Bytes);

  String FFileName;
  QByteArray FData;
  bool FIsEmpty = true;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  bool FTransparentBitmap = true;
  int32_t FAngle = 0;
  mutable std::unique_ptr<QImage> FDecoded;
};
