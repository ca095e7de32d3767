#pragma once
// Pictures of the platform: the abstract graphic, the bitmap with its own
// device canvas, and the picture that holds any graphic. A bitmap keeps its
// pixels in an image buffer; new pixels are white.
#include "platform/GraphicsTypes.h"
#include "platform/Component.h"
#include "platform/Events.h"

#include <memory>

class QImage;
class TCanvas;
class TStream;

enum TPixelFormat : uint8_t { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode : uint8_t { tmAuto, tmFixed };

class TGraphic : public TPersistent {
public:
  TGraphic();
  ~TGraphic() override;
  String ClassName() const override;

  virtual bool Empty() const = 0;
  virtual int32_t Width() const = 0;
  virtual int32_t Height() const = 0;
  // The pixels as they are drawn (transparent parts with alpha 0); nullptr
  // when empty.
  virtual const QImage* DrawnImage() const = 0;
  virtual std::unique_ptr<TGraphic> Clone() const = 0;
  virtual bool IsMetafile() const { return false; }

  bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);

  TNotifyEvent OnChange;
  virtual void Changed();

private:
  bool FTransparent = false;
};

class TBitmap : public TGraphic {
public:
  TBitmap();
  TBitmap(int32_t W, int32_t H);
  ~TBitmap() override;
  String ClassName() const override;
  // From another bitmap: a copy of its pixels and settings; nullptr empties.
  void Assign(TPersistent* Source) override;

  bool Empty() const override;
  int32_t Width() const override;
  int32_t Height() const override;
  const QImage* DrawnImage() const override;
  std::unique_ptr<TGraphic> Clone() const override;

  void SetWidth(int32_t Value);
  void SetHeight(int32_t Value);
  // Keeps the pixels that still fit; new ones are white.
  void SetSize(int32_t W, int32_t H);
  // The bitmap's own device canvas.
  TCanvas* Canvas();
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value) { FPixelFormat = Value; }
  bool IgnorePalette() const { return FIgnorePalette; }
  void SetIgnorePalette(bool Value) { FIgnorePalette = Value; }
  // tmAuto: the colour of the bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value) { FTransparentMode = Value; }

  // The pixel buffer (32 bits per pixel, 0xffRRGGBB).
  QImage* ImageData();
  const QImage* ImageData() const;
  // Replaces the pixels by a copy of Image.
  void SetImage(const QImage& Image);

  // BMP file form.
  void SaveToStream(TStream& Stream) const;
  // Any picture file form the platform reads; raises EInvalidGraphic when the
  // bytes are no picture.
  void LoadFromStream(TStream& Stream);
  void LoadFromFile(const String& FileName);

  // Component streams carry a bitmap as the binary value "Data": a 32-bit
  // byte count, then the picture file (none for an empty bitmap).
  void DefineProperties(TFiler* Filer) override;
  void WriteData(TStream& Stream) const;
  // Raises EReadError "Stream read error" for a count beyond the stream.
  void ReadData(TStream& Stream);

private:
  std::unique_ptr<QImage> FImage;
  mutable std::unique_ptr<QImage> FDrawn;
  std::unique_ptr<TCanvas> FCanvas;
  TPixelFormat FPixelFormat = pfDevice;
  bool FIgnorePalette = false;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
};

class TPicture : public TPersistent {
public:
  TPicture();
  ~TPicture() override;
  String ClassName() const override;
  // From another picture: a copy of its graphic; from a graphic: a copy of it;
  // nullptr empties the picture.
  void Assign(TPersistent* Source) override;

  TGraphic* Graphic() const { return FGraphic.get(); }
  // Holds a copy of Value; nullptr empties the picture.
  void SetGraphic(const TGraphic* Value);
  // The graphic as a bitmap, made empty when the picture holds none.
  TBitmap* Bitmap();
  int32_t Width() const;
  int32_t Height() const;
  void LoadFromFile(const String& FileName);
  // The graphic travels in component streams as the binary value "Data":
  // its class name (length byte, then the name) and the graphic's own data
  // (for a bitmap: a 32-bit byte count, then the picture file).
  void DefineProperties(TFiler* Filer) override;

  TNotifyEvent OnChange;
  virtual void Changed();

private:
  void ReadData(TStream& Stream);
  void WriteData(TStream& Stream) const;

  std::unique_ptr<TGraphic> FGraphic;
};
