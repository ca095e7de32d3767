#pragma once
// The platform's graphic objects: pens, brushes and fonts of a device
// canvas (TCanvas, Canvas.h). Each holds its settings and calls OnChange
// after every effective change; setting a value a property already holds
// is silent, while Assign always notifies. The canvas realises them on its
// device when it next draws.
#include "platform/GraphicsTypes.h"
#include "platform/Component.h"
#include "platform/Events.h"

#include <memory>
#include <vector>

class TBitmap;

class TGraphicsObject : public TPersistent {
public:
  TGraphicsObject() = default;
  ~TGraphicsObject() override;
  String ClassName() const override;

  TNotifyEvent OnChange;
  // Calls OnChange with this object as sender when one is set.
  virtual void Changed();
};

// A device pen made outside a pen's own properties: a geometric pen with
// caps, joins and optional dash entries, or a cosmetic alternate pen.
struct TPenHandle {
  bool Geometric = false;
  TPenStyle Style = psSolid;
  int32_t Width = 1;
  TColor Color = clBlack;
  uint8_t EndCap = 0;              // 0 round, 1 square, 2 flat
  uint8_t Join = 0;                // 0 round, 1 bevel, 2 mitre
  std::vector<uint32_t> UserStyle; // alternating dash and gap lengths in pixels (psUserStyle)
  bool operator==(const TPenHandle&) const = default;
};

// End-cap and join flags of a geometric pen, as the device takes them.
constexpr uint32_t PS_GEOMETRIC = 0x10000;
constexpr uint32_t PS_ENDCAP_ROUND = 0;
constexpr uint32_t PS_ENDCAP_SQUARE = 0x100;
constexpr uint32_t PS_ENDCAP_FLAT = 0x200;
constexpr uint32_t PS_JOIN_ROUND = 0;
constexpr uint32_t PS_JOIN_BEVEL = 0x1000;
constexpr uint32_t PS_JOIN_MITER = 0x2000;

class TPen : public TGraphicsObject {
public:
  TPen();
  ~TPen() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  // The raster operation of everything drawn while the pen is selected.
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);

  // The device pen. Changing colour, width or style replaces a custom
  // handle by a plain pen again, as a new device pen is made from them.
  const TPenHandle* Handle() const { return FHandle.get(); }
  void SetHandle(const TPenHandle& Value);
  void ClearHandle();

private:
  TColor FColor = clBlack;
  int32_t FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
  std::unique_ptr<TPenHandle> FHandle;
};

class TBrush : public TGraphicsObject {
public:
  TBrush();
  ~TBrush() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);
  // A pattern bitmap that replaces colour and style; not owned.
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);

private:
  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
};

class TFont : public TGraphicsObject {
public:
  TFont();
  ~TFont() override;
  String ClassName() const override;
  // Copies name, height, colour, style, charset, pitch and orientation; the
  // height is converted when the two fonts' pixels per inch differ.
  void Assign(TPersistent* Source) override;

  const String& Name() const { return FName; }
  void SetName(const String& Value);
  // Negative: character height in pixels; positive: cell height.
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value);
  // Points, from and to the height through PixelsPerInch.
  int32_t Size() const;
  void SetSize(int32_t Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  // Tenths of a degree.
  int32_t Orientation() const { return FOrientation; }
  void SetOrientation(int32_t Value);
  // Device font quality (DEFAULT_QUALITY ...).
  uint8_t Quality() const { return FQuality; }
  void SetQuality(uint8_t Value);
  // Changing it keeps the height in pixels (the size in points follows).
  int32_t PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int32_t Value) { FPixelsPerInch = Value; }

private:
  String FName;
  int32_t FHeight;
  TColor FColor = clWindowText;
  TFontStyles FStyle = 0;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TFontPitch FPitch = fpDefault;
  int32_t FOrientation = 0;
  uint8_t FQuality = DEFAULT_QUALITY;
  int32_t FPixelsPerInch;
};

// Pixels per inch of the screen the program draws for.
constexpr int32_t ScreenPixelsPerInch = 96;

// Number * Numerator / Denominator in 64 bits, rounded half away from zero;
// -1 for a zero denominator, as the device's multiply-divide answers.
int32_t MulDiv(int32_t Number, int32_t Numerator, int32_t Denominator);
