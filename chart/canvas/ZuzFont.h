#pragma once
// The chart font: a platform font with a fill brush, an outline pen, a drop
// shadow, an emboss, a quality hint, extra character spacing, a fractional
// point size and a 3D depth. It holds the settings and notifies its owner;
// the canvases draw them.
//
// Published, in this order (declared default; stored rule):
//   DefaultFont (False), Charset (1), Height (-; IsHeightStored),
//   Color (-; IsColorStored), Name (-; IsNameStored), SizeFloat (0;
//   IsSizeFloatStored), Brush (-; always), Depth (0; IsDepthStored),
//   Emboss (-; HasEmboss), Gradient (never), InterCharSize (0), OutLine (-;
//   HasOutLine), Picture (never), Quality (fqDefault), Shadow (-;
//   HasShadow), Style (-; IsStyleStored), then the platform's Orientation
//   (0), Pitch (fpDefault) and Size (never: it travels as Height).
#include "chart/canvas/CanvasTypes.h"
#include "platform/Graphics.h"

#include <memory>

class TZuzBrush;
class TZuzHiddenPen;
class TZuzShadow;
class TZuzEmboss;
class TZuzGradient;
class TZuzPicture;

class TZuzFont : public TFont {
public:
  explicit TZuzFont(TNotifyEvent ChangedEvent = {});
  ~TZuzFont() override;
  String ClassName() const override;
  // From a chart font also brush, default flag, depth, emboss, spacing,
  // outline, quality, shadow and size decimals; then the platform font copy.
  // The declared default colour and style stay.
  void Assign(TPersistent* Source) override;

  TZuzBrush* Brush() const { return FBrush.get(); }
  void SetBrush(TZuzBrush* Value);
  bool DefaultFont() const { return FDefault; }
  void SetDefaultFont(bool Value);
  double Depth() const { return FDepth; }
  void SetDepth(double Value);
  int32_t InterCharSize() const { return FInterCharSize; }
  void SetInterCharSize(int32_t Value);
  TFontQuality Quality() const { return FQuality; }
  void SetQuality(TFontQuality Value);
  // The point size with its fraction.
  float SizeFloat() const;
  void SetSizeFloat(float Value);
  // Created on first read with the font's change handler of that moment;
  // nullptr frees them.
  TZuzHiddenPen* OutLine();
  void SetOutLine(TZuzHiddenPen* Value);
  TZuzShadow* Shadow();
  void SetShadow(TZuzShadow* Value);
  TZuzEmboss* Emboss();
  void SetEmboss(TZuzEmboss* Value);
  TZuzHiddenPen* OutLineIfAny() const { return FOutLine.get(); }
  TZuzShadow* ShadowIfAny() const { return FShadow.get(); }
  TZuzEmboss* EmbossIfAny() const { return FEmboss.get(); }
  // The brush's picture and gradient.
  TZuzPicture* Picture();
  void SetPicture(TZuzPicture* Value);
  TZuzGradient* Gradient();
  void SetGradient(TZuzGradient* Value);

  // The owner's default colour (also the brush's) and style, set without
  // notification.
  void InitColor(TColor Value);
  void InitStyle(TFontStyles Value);

  bool IsHeightStored() const;
  bool IsNameStored() const;
  bool IsColorStored() const { return Color() != IDefColor; }
  bool IsStyleStored() const { return Style() != IDefStyle; }
  bool IsDepthStored() const { return FDepth != 0; }
  bool IsSizeFloatStored() const { return FSizeDecimals != 0; }
  bool HasOutLine() const { return FOutLine != nullptr; }
  bool HasShadow() const { return FShadow != nullptr; }
  bool HasEmboss() const { return FEmboss != nullptr; }

private:
  std::unique_ptr<TZuzBrush> FBrush;
  float FSizeDecimals = 0;
  bool FDefault = false;
  double FDepth = 0;
  int32_t FInterCharSize = 0;
  std::unique_ptr<TZuzHiddenPen> FOutLine;
  TFontQuality FQuality = fqDefault;
  TColor IDefColor = clBlack;
  TFontStyles IDefStyle = 0;
  std::unique_ptr<TZuzEmboss> FEmboss;
  std::unique_ptr<TZuzShadow> FShadow;
};

// The library's default font, set by ZuzDefaultFont at start-up.
extern String ZuzFontDefaultName;
extern int32_t ZuzFontDefaultSize;

// Reads the default font name and size from the library messages; raises
// EConvertError when the size message is no number. With a Japanese system
// locale (primary language 0x11) the size 8 becomes 9 and "Arial" the
// locale's default face name.
void ZuzDefaultFont();
// Primary language of the system locale, as the platform numbers languages
// (0x09 English, 0x11 Japanese); replaceable for tests.
extern uint16_t (*ZuzSystemPrimaryLanguage)();

// The two display fonts carried by the library ("Elektra", "DS-Digital"):
// loads their stand-ins from FontFolder and maps the two family names onto
// them. A missing folder or file is logged and skipped; the names then fall
// back to the default font. Returns how many were loaded.
int32_t AddCustomFonts(const String& FontFolder);
void RemoveCustomFonts();
// Appends "Elektra" and "DS-Digital".
class TStringList;
void ZuzGaugeAddFontNames(TStringList* List);
// Set while the display fonts are available: adds their names to a font list.
extern void (*ZuzCustomFontNames)(TStringList* List);
// Folder of the stand-in display fonts.
extern const char* const ZuzCustomFontFolder;
