#include "platform/Graphics.h"
#include "platform/CanvasTypeInfo.h"

#include "platform/Published.h"

#include <cstdlib>

const TEnumInfo PenStyleInfo("TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                                           "psInsideFrame", "psUserStyle", "psAlternate"});
const TEnumInfo PenModeInfo("TPenMode", {"pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
                                         "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
                                         "pmMask", "pmNotMask", "pmXor", "pmNotXor"});
const TEnumInfo BrushStyleInfo("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal",
                                               "bsBDiagonal", "bsCross", "bsDiagCross"});
const TEnumInfo FontStyleInfo("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
const TEnumInfo FontPitchInfo("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
const TEnumInfo AlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});

namespace {
[[maybe_unused]] const TClassInfo& GraphicsObjectClass =
    PublishClass<TGraphicsObject>("TGraphicsObject", "TPersistent");
[[maybe_unused]] const TClassInfo& PenClass =
    PublishClass<TPen>("TPen", "TGraphicsObject",
                       {
                           PropColor("Color", &TPen::Color, &TPen::SetColor, clBlack),
                           PropEnum("Mode", &TPen::Mode, &TPen::SetMode, PenModeInfo, pmCopy),
                           PropEnum("Style", &TPen::Style, &TPen::SetStyle, PenStyleInfo, psSolid),
                           PropInt("Width", &TPen::Width, &TPen::SetWidth, 1),
                       });
[[maybe_unused]] const TClassInfo& BrushClass =
    PublishClass<TBrush>("TBrush", "TGraphicsObject",
                         {
                             PropColor("Color", &TBrush::Color, &TBrush::SetColor, clWhite),
                             PropEnum("Style", &TBrush::Style, &TBrush::SetStyle, BrushStyleInfo, bsSolid),
                         });
// Size travels as Height.
[[maybe_unused]] const TClassInfo& FontClass =
    PublishClass<TFont>("TFont", "TGraphicsObject",
                        {
                            PropInt("Charset", &TFont::Charset, &TFont::SetCharset, DEFAULT_CHARSET),
                            PropColor("Color", &TFont::Color, &TFont::SetColor),
                            PropInt("Height", &TFont::Height, &TFont::SetHeight),
                            PropStr("Name", &TFont::Name, &TFont::SetName),
                            PropInt("Orientation", &TFont::Orientation, &TFont::SetOrientation, 0),
                            PropEnum("Pitch", &TFont::Pitch, &TFont::SetPitch, FontPitchInfo, fpDefault),
                            PropInt("Size", &TFont::Size, &TFont::SetSize).Stored(false),
                            PropSet("Style", &TFont::Style, &TFont::SetStyle, FontStyleInfo, 0),
                            PropInt("Quality", &TFont::Quality, &TFont::SetQuality, DEFAULT_QUALITY),
                        });
} // namespace

int32_t MulDiv(int32_t Number, int32_t Numerator, int32_t Denominator)
{
  if (Denominator == 0)
    return -1;
  const int64_t P = static_cast<int64_t>(Number) * Numerator;
  const int64_t Q = Denominator;
  int64_t R = (std::llabs(P) * 2 + std::llabs(Q)) / (std::llabs(Q) * 2);
  if ((P < 0) != (Q < 0))
    R = -R;
  return static_cast<int32_t>(R);
}

// ---------------------------------------------------------------------------

TGraphicsObject::~TGraphicsObject() = default;

String TGraphicsObject::ClassName() const { return QStringLiteral("TGraphicsObject"); }

void TGraphicsObject::Changed()
{
  if (OnChange)
    OnChange(this);
}

// ---------------------------------------------------------------------------

TPen::TPen() = default;
TPen::~TPen() = default;

String TPen::ClassName() const { return QStringLiteral("TPen"); }

void TPen::Assign(TPersistent* Source)
{
  if (auto* P = dynamic_cast<TPen*>(Source)) {
    if (P == this)
      return;
    FColor = P->FColor;
    FWidth = P->FWidth;
    FStyle = P->FStyle;
    FMode = P->FMode;
    FHandle = P->FHandle ? std::make_unique<TPenHandle>(*P->FHandle) : nullptr;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TPen::SetColor(TColor Value)
{
  if (FColor == Value && !FHandle)
    return;
  FColor = Value;
  FHandle.reset();
  Changed();
}

void TPen::SetWidth(int32_t Value)
{
  if (FWidth == Value && !FHandle)
    return;
  FWidth = Value;
  FHandle.reset();
  Changed();
}

void TPen::SetStyle(TPenStyle Value)
{
  if (FStyle == Value && !FHandle)
    return;
  FStyle = Value;
  FHandle.reset();
  Changed();
}

void TPen::SetMode(TPenMode Value)
{
  if (FMode == Value)
    return;
  FMode = Value;
  Changed();
}

void TPen::SetHandle(const TPenHandle& Value)
{
  if (FHandle && *FHandle == Value)
    return;
  FHandle = std::make_unique<TPenHandle>(Value);
  Changed();
}

void TPen::ClearHandle()
{
  if (!FHandle)
    return;
  FHandle.reset();
  Changed();
}

// ---------------------------------------------------------------------------

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

String TBrush::ClassName() const { return QStringLiteral("TBrush"); }

void TBrush::Assign(TPersistent* Source)
{
  if (auto* B = dynamic_cast<TBrush*>(Source)) {
    if (B == this)
      return;
    FColor = B->FColor;
    FStyle = B->FStyle;
    FBitmap = B->FBitmap;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TBrush::SetColor(TColor Value)
{
  // A colour makes a clear brush solid, as the platform brush does.
  if (FColor == Value && FStyle != bsClear)
    return;
  FColor = Value;
  if (FStyle == bsClear)
    FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value)
{
  if (FStyle == Value)
    return;
  FStyle = Value;
  Changed();
}

void TBrush::SetBitmap(TBitmap* Value)
{
  if (FBitmap == Value)
    return;
  FBitmap = Value;
  Changed();
}

// ---------------------------------------------------------------------------

TFont::TFont() : FName(QStringLiteral("Tahoma")), FPixelsPerInch(ScreenPixelsPerInch)
{
  FHeight = -MulDiv(8, FPixelsPerInch, 72);
}

TFont::~TFont() = default;

String TFont::ClassName() const { return QStringLiteral("TFont"); }

void TFont::Assign(TPersistent* Source)
{
  if (auto* F = dynamic_cast<TFont*>(Source)) {
    if (F == this)
      return;
    const int32_t NewHeight =
        F->FPixelsPerInch == FPixelsPerInch ? F->FHeight : MulDiv(F->FHeight, FPixelsPerInch, F->FPixelsPerInch);
    FName = F->FName;
    FHeight = NewHeight;
    FColor = F->FColor;
    FStyle = F->FStyle;
    FCharset = F->FCharset;
    FPitch = F->FPitch;
    FOrientation = F->FOrientation;
    FQuality = F->FQuality;
    Changed();
    return;
  }
  TGraphicsObject::Assign(Source);
}

void TFont::SetName(const String& Value)
{
  if (Value.isEmpty() || FName == Value)
    return;
  FName = Value;
  Changed();
}

void TFont::SetHeight(int32_t Value)
{
  if (FHeight == Value)
    return;
  FHeight = Value;
  Changed();
}

int32_t TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int32_t Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetColor(TColor Value)
{
  if (FColor == Value)
    return;
  FColor = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value)
{
  if (FStyle == Value)
    return;
  FStyle = Value;
  Changed();
}

void TFont::SetCharset(TFontCharset Value)
{
  if (FCharset == Value)
    return;
  FCharset = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value)
{
  if (FPitch == Value)
    return;
  FPitch = Value;
  Changed();
}

void TFont::SetOrientation(int32_t Value)
{
  if (FOrientation == Value)
    return;
  FOrientation = Value;
  Changed();
}

void TFont::SetQuality(uint8_t Value)
{
  if (FQuality == Value)
    return;
  FQuality = Value;
  Changed();
}

// ---------------------------------------------------------------------------

TColor ColorToRGB(TColor C)
{
  // The platform's default colour scheme, indexed by system colour number
  // (written as 0xRRGGBB for reading).
  static constexpr uint32_t SystemColors[31] = {
      0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, //  0..7
      0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0, //  8..15
      0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, // 16..23
      0xFFFFE1, 0xB5B5B5, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,           // 24..30
  };
  if (IsSystemColor(C)) {
    const uint32_t V = SystemColors[C & 0xFF];
    return RGBColor((V >> 16) & 0xFF, (V >> 8) & 0xFF, V & 0xFF);
  }
  return C & 0x00FFFFFFu;
}
