#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/CanvasMessages.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include "platform/CanvasTypeInfo.h"

#include "platform/Published.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLocale>

#include <cmath>
#include <cstdio>
#include <vector>

String ZuzFontDefaultName;
int32_t ZuzFontDefaultSize = 0;
void (*ZuzCustomFontNames)(TStringList*) = nullptr;
const char* const ZuzCustomFontFolder = "/usr/share/fonts/truetype/dseg";

namespace {
uint16_t SystemPrimaryLanguage()
{
  switch (QLocale::system().language()) {
  case QLocale::Japanese:
    return 0x11;
  case QLocale::English:
    return 0x09;
  default:
    return 0;
  }
}

// The library default font, read from the messages the first time a chart
// font needs it when start-up has not read it yet.
void EnsureDefaultFont()
{
  if (ZuzFontDefaultSize == 0 && ZuzFontDefaultName.isEmpty())
    ZuzDefaultFont();
}
} // namespace

uint16_t (*ZuzSystemPrimaryLanguage)() = SystemPrimaryLanguage;

void ZuzDefaultFont()
{
  ZuzFontDefaultName = ZuzMsg_DefaultFontName;
  ZuzFontDefaultSize = StrToInt(ZuzMsg_DefaultFontSize);
  if (ZuzSystemPrimaryLanguage() == 0x11) {
    if (ZuzFontDefaultSize == 8)
      ZuzFontDefaultSize = 9;
    if (ZuzFontDefaultName == QStringLiteral("Arial")) {
      static const char16_t Japanese[] = {0x201A, 0x006C, 0x201A, 0x0072, 0x0020, 0x201A, 0x006F, 0x0192,
                                          0x0053, 0x0192, 0x0056, 0x0192, 0x0062, 0x0192, 0x004E};
      ZuzFontDefaultName = String::fromUtf16(Japanese, 15);
    }
  }
}

// --- the two display fonts --------------------------------------------------------

namespace {
std::vector<int>& CustomFontIds()
{
  static std::vector<int> Ids;
  return Ids;
}
} // namespace

void ZuzGaugeAddFontNames(TStringList* List)
{
  List->Add(QStringLiteral("Elektra"));
  List->Add(QStringLiteral("DS-Digital"));
}

int32_t AddCustomFonts(const String& FontFolder)
{
  ZuzCustomFontNames = nullptr;
  if (!QGuiApplication::instance()) {
    std::fprintf(stderr, "chart canvas: no GUI application yet; display fonts not loaded\n");
    return 0;
  }
  struct TStandIn {
    const char* Family;
    const char* File;
  };
  static const TStandIn Fonts[] = {{"Elektra", "DSEG7Classic-Regular.ttf"}, {"DS-Digital", "DSEG7Modern-Regular.ttf"}};
  int32_t Loaded = 0;
  for (const TStandIn& F : Fonts) {
    const String Path = FontFolder + QLatin1Char('/') + QLatin1String(F.File);
    const int Id = QFile::exists(Path) ? QFontDatabase::addApplicationFont(Path) : -1;
    const QStringList Families = Id >= 0 ? QFontDatabase::applicationFontFamilies(Id) : QStringList();
    if (Families.isEmpty()) {
      std::fprintf(stderr, "chart canvas: display font %s not available (%s); the default font stands in\n", F.Family,
                   qPrintable(Path));
      continue;
    }
    CustomFontIds().push_back(Id);
    QFont::insertSubstitution(QLatin1String(F.Family), Families.first());
    ++Loaded;
  }
  if (Loaded > 0)
    ZuzCustomFontNames = ZuzGaugeAddFontNames;
  return Loaded;
}

void RemoveCustomFonts()
{
  ZuzCustomFontNames = nullptr;
  for (int Id : CustomFontIds())
    QFontDatabase::removeApplicationFont(Id);
  CustomFontIds().clear();
  QFont::removeSubstitutions(QStringLiteral("Elektra"));
  QFont::removeSubstitutions(QStringLiteral("DS-Digital"));
}

// --- the chart font -----------------------------------------------------------------

namespace {
const TEnumInfo FontQualityInfo("TFontQuality", {"fqBest", "fqNormal", "fqDefault", "fqClearType"});

// Declared under the graphics object rather than the platform font: the
// chart font redeclares Charset, Color, Height, Name, Style and Quality with
// its own stored rules. Outline, shadow and emboss are written when they
// exist (a new one writes nothing, so the file is the same as writing them
// always, without creating them just to write them).
[[maybe_unused]] const TClassInfo& ZuzFontClass = PublishClass<TZuzFont>(
    "TZuzFont", "TGraphicsObject",
    {
        PropBool("DefaultFont", &TZuzFont::DefaultFont, &TZuzFont::SetDefaultFont, false),
        PropInt("Charset", &TZuzFont::Charset, &TZuzFont::SetCharset, DEFAULT_CHARSET),
        PropInt("Height", &TZuzFont::Height, &TZuzFont::SetHeight).Stored(&TZuzFont::IsHeightStored),
        PropColor("Color", &TZuzFont::Color, &TZuzFont::SetColor).Stored(&TZuzFont::IsColorStored),
        PropStr("Name", &TZuzFont::Name, &TZuzFont::SetName).Stored(&TZuzFont::IsNameStored),
        PropFloat("SizeFloat", &TZuzFont::SizeFloat, &TZuzFont::SetSizeFloat).Stored(&TZuzFont::IsSizeFloatStored),
        PropObj("Brush", &TZuzFont::Brush, &TZuzFont::SetBrush),
        PropFloat("Depth", &TZuzFont::Depth, &TZuzFont::SetDepth).Stored(&TZuzFont::IsDepthStored),
        PropObj("Emboss", &TZuzFont::Emboss, &TZuzFont::SetEmboss).Stored(&TZuzFont::HasEmboss),
        PropObj("Gradient", &TZuzFont::Gradient, &TZuzFont::SetGradient).Stored(false),
        PropInt("InterCharSize", &TZuzFont::InterCharSize, &TZuzFont::SetInterCharSize, 0),
        PropObj("OutLine", &TZuzFont::OutLine, &TZuzFont::SetOutLine).Stored(&TZuzFont::HasOutLine),
        PropObj("Picture", &TZuzFont::Picture, &TZuzFont::SetPicture).Stored(false),
        PropEnum("Quality", &TZuzFont::Quality, &TZuzFont::SetQuality, FontQualityInfo, fqDefault),
        PropObj("Shadow", &TZuzFont::Shadow, &TZuzFont::SetShadow).Stored(&TZuzFont::HasShadow),
        PropSet("Style", &TZuzFont::Style, &TZuzFont::SetStyle, FontStyleInfo).Stored(&TZuzFont::IsStyleStored),
        PropInt("Orientation", &TZuzFont::Orientation, &TZuzFont::SetOrientation, 0),
        PropEnum("Pitch", &TZuzFont::Pitch, &TZuzFont::SetPitch, FontPitchInfo, fpDefault),
        PropInt("Size", &TZuzFont::Size, &TZuzFont::SetSize).Stored(false),
    });
} // namespace

TZuzFont::TZuzFont(TNotifyEvent ChangedEvent)
{
  EnsureDefaultFont();
  FQuality = fqDefault;
  FBrush = std::make_unique<TZuzBrush>();
  InitColor(clBlack);
  if (Charset() != DEFAULT_CHARSET)
    SetCharset(DEFAULT_CHARSET);
  if (Size() != ZuzFontDefaultSize && ZuzFontDefaultSize > 0)
    SetSize(ZuzFontDefaultSize);
  SetName(ZuzFontDefaultName);
  FBrush->OnChange = ChangedEvent;
  OnChange = std::move(ChangedEvent);
}

TZuzFont::~TZuzFont() = default;

String TZuzFont::ClassName() const { return QStringLiteral("TZuzFont"); }

void TZuzFont::Assign(TPersistent* Source)
{
  if (auto* F = dynamic_cast<TZuzFont*>(Source)) {
    if (F == this)
      return;
    FBrush->Assign(F->FBrush.get());
    FDefault = F->FDefault;
    FDepth = F->FDepth;
    SetEmboss(F->FEmboss.get());
    FInterCharSize = F->FInterCharSize;
    SetOutLine(F->FOutLine.get());
    FQuality = F->FQuality;
    SetShadow(F->FShadow.get());
    FSizeDecimals = F->FSizeDecimals;
  }
  TFont::Assign(Source);
}

void TZuzFont::SetBrush(TZuzBrush* Value) { FBrush->Assign(Value); }

void TZuzFont::SetDefaultFont(bool Value)
{
  if (FDefault == Value)
    return;
  FDefault = Value;
  Changed();
}

void TZuzFont::SetDepth(double Value)
{
  if (FDepth == Value)
    return;
  FDepth = Value;
  Changed();
}

void TZuzFont::SetInterCharSize(int32_t Value)
{
  if (FInterCharSize == Value)
    return;
  FInterCharSize = Value;
  Changed();
}

void TZuzFont::SetQuality(TFontQuality Value)
{
  if (FQuality == Value)
    return;
  FQuality = Value;
  Changed();
}

float TZuzFont::SizeFloat() const { return static_cast<float>(Size()) + FSizeDecimals; }

void TZuzFont::SetSizeFloat(float Value)
{
  if (Value == SizeFloat())
    return;
  const float Whole = std::floor(Value);
  FSizeDecimals = Value - Whole;
  const int32_t NewSize = static_cast<int32_t>(Whole);
  // A change of the fraction alone is a change too.
  if (NewSize != Size())
    SetSize(NewSize);
  else
    Changed();
}

TZuzHiddenPen* TZuzFont::OutLine()
{
  if (!FOutLine)
    FOutLine = std::make_unique<TZuzHiddenPen>(OnChange);
  return FOutLine.get();
}

void TZuzFont::SetOutLine(TZuzHiddenPen* Value)
{
  if (!Value)
    FOutLine.reset();
  else
    OutLine()->Assign(Value);
}

TZuzShadow* TZuzFont::Shadow()
{
  if (!FShadow)
    FShadow = std::make_unique<TZuzShadow>(OnChange);
  return FShadow.get();
}

void TZuzFont::SetShadow(TZuzShadow* Value)
{
  if (!Value)
    FShadow.reset();
  else
    Shadow()->Assign(Value);
}

TZuzEmboss* TZuzFont::Emboss()
{
  if (!FEmboss)
    FEmboss = std::make_unique<TZuzEmboss>(OnChange);
  return FEmboss.get();
}

void TZuzFont::SetEmboss(TZuzEmboss* Value)
{
  if (!Value)
    FEmboss.reset();
  else
    Emboss()->Assign(Value);
}

TZuzPicture* TZuzFont::Picture() { return FBrush->Image(); }
void TZuzFont::SetPicture(TZuzPicture* Value) { FBrush->SetImage(Value); }
TZuzGradient* TZuzFont::Gradient() { return FBrush->Gradient(); }
void TZuzFont::SetGradient(TZuzGradient* Value) { FBrush->SetGradient(Value); }

void TZuzFont::InitColor(TColor Value)
{
  FBrush->InitColor(Value);
  TNotifyEvent Saved = std::move(OnChange);
  OnChange = nullptr;
  SetColor(Value);
  IDefColor = Value;
  OnChange = std::move(Saved);
}

void TZuzFont::InitStyle(TFontStyles Value)
{
  TNotifyEvent Saved = std::move(OnChange);
  OnChange = nullptr;
  SetStyle(Value);
  IDefStyle = Value;
  OnChange = std::move(Saved);
}

bool TZuzFont::IsHeightStored() const { return Size() != ZuzFontDefaultSize; }
bool TZuzFont::IsNameStored() const { return Name() != ZuzFontDefaultName; }
