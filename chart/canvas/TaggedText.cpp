#include "chart/canvas/TaggedText.h"
#include "platform/Bitmap.h"
#include "platform/CanvasMath.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"

#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/Numbers.h"
#include "rtl/Streams.h"
#include "rtl/Strings.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstdio>
#include <set>
#include <vector>

TGraphicFileExtension GraphicFileExtension = nullptr;
TGraphicDownload GraphicDownload = nullptr;

namespace {

// Logs a message once per distinct text (bounded), so that a chart text
// with a fault does not flood the log on every paint.
void LogOnce(const String& Message)
{
  static std::set<String> Seen;
  if (Seen.size() >= 256 || !Seen.insert(Message).second)
    return;
  std::fprintf(stderr, "tagged text: %s\n", qPrintable(Message));
}

// Sizes a tag may set, in points: enough for any heading, small enough that
// a stray value cannot ask the font engine for a giant font.
constexpr float MinTagSize = 1;
constexpr float MaxTagSize = 1000;
// Largest picture size an IMG tag may ask for.
constexpr int32_t MaxImageSide = 10000;

struct TFontSnapshot {
  String Name;
  float Size = 0;
  TColor Color = 0;
  TFontStyles Style = 0;
};

struct TColorName {
  const char* Name;
  TColor Color;
};

const TColorName ColorIdents[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
};

const TColorName ColorNames[] = {{"BLACK", 0x000000}, {"RED", 0x0000FF},   {"BLUE", 0xFF0000}, {"YELLOW", 0x00FFFF},
                                 {"WHITE", 0xFFFFFF}, {"GREEN", 0x008000}, {"LIME", 0x00FF00}};

// The layout state of one text: position, line, centring, the tag stacks,
// and what the text changed on the canvas, to be given back at the end.
class TLayout {
public:
  TLayout(TZuzCanvas* C, int32_t X0, int32_t Y0, bool Draw) : Canvas(C), X(X0), Y(Y0), StartX(X0), DoDraw(Draw)
  {
    Saved = Snapshot();
    LineHeight = Canvas->FontHeight();
  }

  ~TLayout()
  {
    // Give the canvas back as the caller left it, also after a failure.
    try {
      if (FontChanged)
        Apply(Saved);
      if (SavedPen)
        Canvas->Pen()->Assign(SavedPen.get());
      if (SavedBrush)
        Canvas->Brush()->Assign(SavedBrush.get());
    } catch (const Exception& E) {
      LogOnce(QStringLiteral("canvas attributes not restored: ") + E.Message());
    }
  }

  void Run(String Text)
  {
    while (!Text.isEmpty())
      DoToken(GetToken(Text));
  }

  TPoint Extent;

private:
  static String GetToken(String& Text)
  {
    String Token;
    const qsizetype Lt = Text.indexOf(QLatin1Char('<'));
    if (Lt < 0) {
      Token = Text;
      Text.clear();
    } else if (Lt == 0) {
      const qsizetype Gt = Text.indexOf(QLatin1Char('>'), 1);
      if (Gt >= 0) {
        Token = Text.left(Gt + 1);
        Text.remove(0, Gt + 1);
      } else {
        Token = Text.mid(1);
        Text.clear();
      }
    } else {
      Token = Text.left(Lt);
      Text.remove(0, Lt);
    }
    return Token;
  }

  TFontSnapshot Snapshot() const
  {
    TZuzFont* F = Canvas->Font();
    return TFontSnapshot{F->Name(), F->SizeFloat(), F->Color(), F->Style()};
  }

  void Apply(const TFontSnapshot& S)
  {
    TZuzFont* F = Canvas->Font();
    F->SetName(S.Name);
    F->SetSizeFloat(S.Size);
    F->SetColor(S.Color);
    F->SetStyle(S.Style);
  }

  void PushCurrentFont()
  {
    FontStack.push_back(Snapshot());
    FontPushed = true;
  }

  void SetBackFont()
  {
    if (FontStack.empty())
      return;
    const TFontSnapshot S = FontStack.back();
    FontStack.pop_back();
    FontChanged = true;
    Apply(S);
    // Closing the font of a superscript or subscript ends it: the text goes
    // on where the line was before it.
    if (!Scripts.empty() && Scripts.back().Depth > FontStack.size()) {
      Y = Scripts.back().Y;
      Scripts.pop_back();
    }
  }

  // A superscript (Up) or subscript: half the size, moved off the line
  // until its font is closed.
  void BeginScript(bool Up)
  {
    const int32_t LineY = Y;
    NewSize(Size() / 2);
    Scripts.push_back(TScript{LineY, FontStack.size()});
    if (Up)
      Y -= FontHeight() / 2;
    else
      Y += FontHeight();
  }

  void NewSize(int32_t S)
  {
    PushCurrentFont();
    FontChanged = true;
    Canvas->Font()->SetSizeFloat(std::clamp(float(S), MinTagSize, MaxTagSize));
  }

  int32_t Size() const { return Canvas->Font()->Size(); }
  int32_t FontHeight() { return Canvas->FontHeight(); }

  void AddStyle(TFontStyle S, const String& Tag)
  {
    FontChanged = true;
    Canvas->Font()->SetStyle(Canvas->Font()->Style() | FontStyleBit(S));
    StateStack.push_back(Tag);
  }

  void RemoveStyle(TFontStyle S)
  {
    FontChanged = true;
    Canvas->Font()->SetStyle(Canvas->Font()->Style() & ~FontStyleBit(S));
  }

  void SavePenAndBrush()
  {
    if (!SavedPen) {
      SavedPen = std::make_unique<TZuzPen>();
      SavedPen->Assign(Canvas->Pen());
    }
    if (!SavedBrush) {
      SavedBrush = std::make_unique<TZuzBrush>();
      SavedBrush->Assign(Canvas->Brush());
    }
  }

  void LineBreak()
  {
    X = StartX;
    LineHeight = 0;
    const int32_t H = FontHeight();
    Y += H;
    Extent.Y += H + 2;
  }

  void DoToken(String Token)
  {
    FontPushed = false;
    if (Token.startsWith(QLatin1String("\r\n"))) {
      Y += FontHeight();
      X = StartX;
      LineHeight = 0;
      Token.remove(0, 2);
      if (Token.isEmpty())
        return;
    }
    const String U = UpperCase(Token);
    if (!DoTag(Token, U)) {
      OutputText(Token);
      return;
    }
    LastTagPushedFont = FontPushed;
  }

  bool DoTag(const String& Token, const String& U)
  {
    static const char* const Headers[] = {"<H1>", "<H2>", "<H3>", "<H4>", "<H5>", "<H6>"};
    static const int32_t HeaderSizes[] = {48, 36, 24, 18, 12, 8};
    auto Is = [&](const char* T) { return U == QLatin1String(T); };
    if (Is("<BR>") || Is("<P>")) {
      LineBreak();
    } else if (Is("<BIG>")) {
      NewSize(Size() + 2);
      Y -= 4;
    } else if (Is("<SMALL>")) {
      NewSize(Size() - 2);
      Y -= 1;
    } else if (Is("</BIG>")) {
      SetBackFont();
      Y += 2;
    } else if (Is("</SMALL>")) {
      SetBackFont();
      Y -= 2;
    } else if (Is("</SUB>") || Is("</SUPER>") || Is("</SUP>")) {
      SetBackFont();
    } else if (Is("<SUB>")) {
      BeginScript(false);
    } else if (Is("<SUPER>") || Is("<SUP>")) {
      BeginScript(true);
    } else if (Is("<PRE>")) {
      PushCurrentFont();
      ProcessFont(QStringLiteral("<FONT NAME=\"COURIER NEW\">"));
    } else if (Is("<CENTER>")) {
      Centred = true;
    } else if (Is("<B>") || Is("<BOLD>") || Is("<STRONG>")) {
      AddStyle(fsBold, U);
    } else if (Is("<I>")) {
      AddStyle(fsItalic, U);
    } else if (Is("<U>")) {
      AddStyle(fsUnderline, U);
    } else if (Is("<STRIKE>")) {
      AddStyle(fsStrikeOut, U);
    } else if (U.startsWith(QLatin1String("<IMG "))) {
      DoImage(Token);
    } else if (Is("</B>") || Is("</BOLD>") || Is("</STRONG>")) {
      RemoveStyle(fsBold);
    } else if (Is("</I>")) {
      RemoveStyle(fsItalic);
    } else if (Is("</U>")) {
      RemoveStyle(fsUnderline);
    } else if (Is("</STRIKE>")) {
      RemoveStyle(fsStrikeOut);
    } else if (IsHeaderEndTag(U) || U.startsWith(QLatin1String("</FONT")) || Is("</PRE>")) {
      SetBackFont();
    } else if (Is("</CENTER>")) {
      Centred = false;
    } else if (U.startsWith(QLatin1String("<FONT "))) {
      PushCurrentFont();
      ProcessFont(Token);
    } else if (Is("</>")) {
      if (LastTagPushedFont) {
        SetBackFont();
      } else if (!StateStack.empty()) {
        const String S = StateStack.back();
        StateStack.pop_back();
        DoToken(QStringLiteral("</") + S.mid(1));
        return true;
      }
      // A "</>" with nothing open closes nothing and draws nothing.
    } else if (Is("<HR>")) {
      X = StartX;
      if (DoDraw) {
        SavePenAndBrush();
        Canvas->Pen()->SetStyle(psSolid);
        Canvas->Pen()->SetWidth(1);
        Canvas->Pen()->SetColor(0x808080);
        Canvas->DoHorizLine(X, X + 100, Y);
      }
      Y += FontHeight();
    } else {
      for (int i = 0; i < 6; ++i)
        if (Is(Headers[i])) {
          NewSize(HeaderSizes[i]);
          return true;
        }
      return false;
    }
    return true;
  }

  static bool IsHeaderEndTag(const String& U)
  {
    return U.size() == 5 && U.startsWith(QLatin1String("</H")) && U[3] >= QLatin1Char('1') &&
           U[3] <= QLatin1Char('6') && U[4] == QLatin1Char('>');
  }

  // FONT attributes: each applied on its own; one that cannot be applied is
  // skipped (and logged once) so that the text still paints.
  void ProcessFont(const String& Tag)
  {
    const String List = Tag.mid(6, Tag.size() - 7);
    const int32_t N = HtmlNumFields(List);
    FontChanged = true;
    for (int32_t i = 1; i <= N; ++i) {
      String Name, Value;
      HtmlField(List, i, Name, Value);
      try {
        ApplyFontField(UpperCase(Name), Value);
      } catch (const Exception& E) {
        LogOnce(E.Message() + QStringLiteral(" (attribute skipped)"));
      }
    }
  }

  void ApplyFontField(const String& Name, const String& Value)
  {
    TZuzFont* F = Canvas->Font();
    if (Name == QLatin1String("NAME") || Name == QLatin1String("FAMILY")) {
      F->SetName(StripQuotes(Value));
    } else if (Name == QLatin1String("SIZE")) {
      const String V = StripQuotes(Value);
      const double D = HTMLStrToFloat(V);
      const double S = V.startsWith(QLatin1Char('+')) || V.startsWith(QLatin1Char('-')) ? F->SizeFloat() + D : D;
      F->SetSizeFloat(std::clamp(float(S), MinTagSize, MaxTagSize));
    } else if (Name == QLatin1String("COLOR")) {
      F->SetColor(HtmlToColor(Value));
    } else if (Name == QLatin1String("WEIGHT")) {
      TFontStyles S = 0;
      const String UV = UpperCase(StripQuotes(Value));
      for (const String& W : UV.split(QLatin1Char(','))) {
        const String Word = Trim(W);
        if (Word == QLatin1String("BOLD"))
          S |= FontStyleBit(fsBold);
        else if (Word == QLatin1String("ITALIC"))
          S |= FontStyleBit(fsItalic);
        else if (Word == QLatin1String("UNDERLINE"))
          S |= FontStyleBit(fsUnderline);
        else if (Word == QLatin1String("STRIKE"))
          S |= FontStyleBit(fsStrikeOut);
        else if (Word != QLatin1String("NORMAL"))
          throw EConvertError(QStringLiteral("Unknown field in FONT WEIGHT=") + UV);
      }
      F->SetStyle(S);
    } else {
      throw EConvertError(QStringLiteral("Unknown field in FONT: ") + Name);
    }
  }

  void OutputText(String Piece)
  {
    Piece.replace(QLatin1String("&lt;"), QLatin1String("<"));
    Piece.replace(QLatin1String("&gt;"), QLatin1String(">"));
    Piece.replace(QLatin1String("&amp;"), QLatin1String("&"));
    Piece.replace(QLatin1String("&quot;"), QLatin1String("\""));
    const bool EndsWithBreak = Piece.endsWith(QLatin1String("\r\n"));
    if (EndsWithBreak)
      Piece.chop(2);
    if (!Piece.isEmpty()) {
      const TPointFloat S = Canvas->TextSize(Piece);
      const int32_t W = PixelRound(S.x), H = PixelRound(S.y);
      if (Centred)
        X = (Canvas->Bounds().Left + Canvas->Bounds().Right) / 2 - W / 2;
      if (LineHeight == 0)
        LineHeight = FontHeight();
      else if (LineHeight > S.y && Scripts.empty())
        Y += LineHeight - H - 1;
      if (DoDraw)
        Canvas->TextOut(X, Y, Piece);
      X += W;
      Extent.X = std::max(Extent.X, X);
      if (LineHeight < S.y)
        LineHeight = H - 1;
      Extent.Y = std::max(Extent.Y, LineHeight);
    }
    if (EndsWithBreak) {
      LineHeight = 0;
      X = StartX;
    }
  }

  void ImageNotFound(int32_t W, int32_t H)
  {
    if (!DoDraw)
      return;
    if (W == 0)
      W = 40;
    if (H == 0)
      H = 40;
    SavePenAndBrush();
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(1);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(clWhite);
    Canvas->Rectangle(X, Y, X + W, Y + H);
    Canvas->Line(X, Y, X + W - 1, Y + H - 1);
    Canvas->Line(X, Y + H - 1, X + W - 1, Y);
  }

  void DoImage(String Tag)
  {
    int32_t Width = 0, Height = 0;
    String Source;
    Tag.remove(0, 5);
    if (Tag.startsWith(QLatin1String("\r\n")))
      Tag.remove(0, 2);
    if (Tag.endsWith(QLatin1Char('>')))
      Tag.chop(1);
    const int32_t N = HtmlNumFields(Tag);
    for (int32_t i = 1; i <= N; ++i) {
      String Name, Value;
      HtmlField(Tag, i, Name, Value);
      Name = UpperCase(Name);
      if (Name == QLatin1String("WIDTH"))
        Width = std::clamp(HTMLStrToInt(Value, 0), 0, MaxImageSide);
      else if (Name == QLatin1String("HEIGHT"))
        Height = std::clamp(HTMLStrToInt(Value, 0), 0, MaxImageSide);
      else if (Name == QLatin1String("SRC"))
        Source = Value;
    }
    if (Source.isEmpty())
      return;
    Source = Trim(Source);
    if (Source.startsWith(QLatin1Char('"')))
      Source.remove(0, 1);
    if (Source.endsWith(QLatin1Char('"')))
      Source.chop(1);
    std::unique_ptr<TGraphic> G =
        GraphicFileExtension ? GraphicFileExtension(UpperCase(ExtractFileExt(Source))) : nullptr;
    auto* B = dynamic_cast<TBitmap*>(G.get());
    if (!B) {
      ImageNotFound(Width, Height);
      return;
    }
    TMemoryStream Stream;
    if (!GraphicDownload || GraphicDownload(Source, Stream) != 0 || Stream.Size() == 0) {
      ImageNotFound(Width, Height);
      return;
    }
    try {
      Stream.SetPosition(0);
      B->LoadFromStream(Stream);
      if (Width == 0)
        Width = std::min(B->Width(), MaxImageSide);
      if (Height == 0)
        Height = std::min(B->Height(), MaxImageSide);
      if (DoDraw) {
        if (Width == B->Width() && Height == B->Height())
          Canvas->Draw(X, Y, B);
        else if (X > 0 && Y > 0)
          Canvas->StretchDraw(
              Centred ? TRect{X - Width / 2, Y, X + Width / 2, Y + Height} : TRect{X, Y, X + Width, Y + Height}, B);
      }
    } catch (const Exception& E) {
      LogOnce(QStringLiteral("image \"") + Source + QStringLiteral("\" not shown: ") + E.Message());
      ImageNotFound(Width, Height);
      return;
    }
    X += Width;
    Y += Height - 10;
    LineHeight = Height;
    Extent.X = std::max(Extent.X, Width);
    Extent.Y = std::max(Extent.Y, Height);
  }

  TZuzCanvas* Canvas;
  int32_t X, Y, StartX;
  int32_t LineHeight = 0;
  bool DoDraw;
  bool Centred = false;
  bool FontPushed = false;
  bool LastTagPushedFont = false;
  bool FontChanged = false;
  std::vector<TFontSnapshot> FontStack;
  struct TScript {
    int32_t Y;    // the line's position before the script
    size_t Depth; // font stack size with the script's font saved
  };
  std::vector<TScript> Scripts;
  std::vector<String> StateStack;
  TFontSnapshot Saved;
  std::unique_ptr<TZuzPen> SavedPen;
  std::unique_ptr<TZuzBrush> SavedBrush;
};

} // namespace

// --- entry points -----------------------------------------------------------------------------

TPoint InternalHtmlText(TZuzCanvas* ACanvas, int32_t x, int32_t y, const String& Text, bool DoDraw)
{
  if (!ACanvas)
    return TPoint{};
  TLayout L(ACanvas, x, y, DoDraw);
  L.Run(Text);
  return L.Extent;
}

TPoint HtmlTextExtent(TZuzCanvas* ACanvas, const String& Text) { return InternalHtmlText(ACanvas, 0, 0, Text, false); }

void HtmlTextOut(TZuzCanvas* ACanvas, int32_t x, int32_t y, const String& Text)
{
  if (!ACanvas)
    return;
  const int32_t Align = ACanvas->TextAlign();
  if (Align != TA_CENTER && Align != TA_RIGHT) {
    InternalHtmlText(ACanvas, x, y, Text, true);
    return;
  }
  int32_t W = InternalHtmlText(ACanvas, 0, 0, Text, false).X;
  if (Align == TA_CENTER)
    W /= 2;
  ACanvas->SetTextAlign(TA_LEFT);
  struct TRestore {
    TZuzCanvas* C;
    int32_t A;
    ~TRestore() { C->SetTextAlign(A); }
  } Restore{ACanvas, Align};
  InternalHtmlText(ACanvas, x - W, y, Text, true);
}

// --- attribute helpers ---------------------------------------------------------------------------

int32_t HtmlNumFields(const String& Text) { return static_cast<int32_t>(Text.count(QLatin1Char('='))); }

void HtmlField(const String& Text, int32_t Index, String& Name, String& Value)
{
  Name.clear();
  Value.clear();
  std::vector<qsizetype> Eq;
  for (qsizetype i = 0; i < Text.size(); ++i)
    if (Text[i] == QLatin1Char('='))
      Eq.push_back(i);
  if (Index < 1 || Index > static_cast<int32_t>(Eq.size()))
    return;
  // Where the name of attribute k starts: after the last space before its
  // "=" (and after the previous "=").
  auto NameStart = [&](size_t k) -> qsizetype {
    if (k == 0)
      return 0;
    const qsizetype Prev = Eq[k - 1] + 1;
    const qsizetype Space = Text.lastIndexOf(QLatin1Char(' '), Eq[k] - 1);
    return Space >= Prev ? Space : Prev;
  };
  const size_t K = static_cast<size_t>(Index - 1);
  const qsizetype Start = NameStart(K);
  Name = Trim(Text.mid(Start, Eq[K] - Start));
  const qsizetype End = K + 1 < Eq.size() ? NameStart(K + 1) : Text.size();
  Value = Trim(Text.mid(Eq[K] + 1, End - Eq[K] - 1));
}

String StripQuotes(const String& Text)
{
  String S = Trim(Text);
  if (S.isEmpty())
    return S;
  if (S.startsWith(QLatin1Char('"')) || S.startsWith(QLatin1Char('\'')))
    S.remove(0, 1);
  if (S.endsWith(QLatin1Char('"')) || S.endsWith(QLatin1Char('\'')))
    S.chop(1);
  return S;
}

int32_t HTMLStrToInt(const String& Text, int32_t Default)
{
  int32_t V = 0;
  return TryStrToInt(StripQuotes(Text), V) ? V : Default;
}

double HTMLStrToFloat(const String& Text) { return StrToFloat(StripQuotes(Text)); }

String ZuzStr(int32_t Num) { return IntToStr(Num); }

TColor HexToColor(const String& Value)
{
  const String V = Trim(Value);
  if (!V.startsWith(QLatin1Char('#')))
    return clDefault;
  auto Pair = [&](int Pos) -> uint32_t {
    const String P = V.mid(Pos, 2);
    if (P.size() != 2)
      throw EConvertError(QStringLiteral("'") + V + QStringLiteral("' is not a valid integer value"));
    return static_cast<uint32_t>(StrToInt(QStringLiteral("$") + P)) & 0xFF;
  };
  const uint32_t R = Pair(1), G = Pair(3), B = Pair(5);
  return R + G * 256 + B * 65536;
}

TColor HtmlToColor(const String& Value)
{
  String V = UpperCase(Trim(Value));
  if (V.startsWith(QLatin1Char('"')))
    V.remove(0, 1);
  if (V.endsWith(QLatin1Char('"')))
    V.chop(1);
  for (const TColorName& N : ColorNames)
    if (V == QLatin1String(N.Name))
      return N.Color;
  if (V.startsWith(QLatin1Char('#')))
    return HexToColor(V);
  for (const TColorName& N : ColorIdents)
    if (V.compare(QLatin1String(N.Name), Qt::CaseInsensitive) == 0)
      return N.Color;
  int32_t I = 0;
  if (TryStrToInt(V, I))
    return static_cast<TColor>(I);
  return 0;
}

// --- image hooks -------------------------------------------------------------------------------------

std::unique_ptr<TGraphic> TaggedTextBitmapForExtension(const String& Extension)
{
  if (!Extension.startsWith(QLatin1Char('.')) || Extension.size() < 2)
    return nullptr;
  const QByteArray Format = Extension.mid(1).toLower().toLatin1();
  if (!QImageReader::supportedImageFormats().contains(Format))
    return nullptr;
  return std::make_unique<TBitmap>();
}

int32_t TaggedTextLocalDownload(const String& Source, TMemoryStream& Stream)
{
  const String Name = Trim(Source);
  if (Name.isEmpty())
    return 1;
  // Painting never waits for the network.
  if (Name.startsWith(QLatin1String("http"), Qt::CaseInsensitive) || Name.contains(QLatin1String("://"))) {
    LogOnce(QStringLiteral("image \"") + Name + QStringLiteral("\" not fetched: network addresses are not read"));
    return 1;
  }
  // Only regular files: a device or a pipe could block the paint or never
  // end.
  const QFileInfo Info(Name);
  if (!Info.exists() || !Info.isFile())
    return 1;
  if (Info.size() > MaxTaggedImageBytes) {
    LogOnce(QStringLiteral("image \"") + Name + QStringLiteral("\" not shown: larger than the picture limit"));
    return 2;
  }
  QFile F(Name);
  if (!F.open(QIODevice::ReadOnly))
    return 3;
  const QByteArray Bytes = F.read(MaxTaggedImageBytes + 1);
  if (Bytes.size() > MaxTaggedImageBytes)
    return 2;
  if (Bytes.isEmpty())
    return 3;
  Stream.WriteBuffer(Bytes.constData(), static_cast<int32_t>(Bytes.size()));
  return 0;
}

void InitializeTaggedText()
{
  ZuzHtmlTextOut = HtmlTextOut;
  ZuzHtmlTextExtent = HtmlTextExtent;
  if (!GraphicFileExtension)
    GraphicFileExtension = TaggedTextBitmapForExtension;
  if (!GraphicDownload)
    GraphicDownload = TaggedTextLocalDownload;
}

void FinalizeTaggedText()
{
  if (ZuzHtmlTextOut == HtmlTextOut)
    ZuzHtmlTextOut = nullptr;
  if (ZuzHtmlTextExtent == HtmlTextExtent)
    ZuzHtmlTextExtent = nullptr;
  if (GraphicFileExtension == TaggedTextBitmapForExtension)
    GraphicFileExtension = nullptr;
  if (GraphicDownload == TaggedTextLocalDownload)
    GraphicDownload = nullptr;
}
