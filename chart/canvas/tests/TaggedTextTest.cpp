// Tagged chart text: layout and measuring with a canvas of fixed metrics,
// the tags and entities, the attribute helpers, images and their hooks, and
// the faults mended: styles leaking between texts, malformed attributes
// failing the paint, images fetched from anywhere.
#include "RecordingCanvas.h"
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/GDIPlusGraphics.h"
#include "chart/canvas/TaggedText.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"

#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTransform>

#include <gtest/gtest.h>

namespace {

// Fixed metrics: a character is 0.8 of the point size wide (one pixel more
// when bold), a line 1.5 of it high. Text calls record the font in force.
class TTagCanvas : public TRecordingCanvas {
public:
  TTagCanvas()
  {
    Font()->SetName(QStringLiteral("Arial"));
    Font()->SetSize(10);
    Font()->SetColor(clBlack);
    Font()->SetStyle(0);
    InitWindow(nullptr, nullptr, clWhite, false, TRect{0, 0, 400, 300});
  }
  TPointFloat TextSize(const String& St) override
  {
    const float S = Font()->SizeFloat();
    const bool Bold = Font()->Style() & FontStyleBit(fsBold);
    return TPointFloat{float(St.size()) * (S * 0.8f + (Bold ? 1 : 0)), S * 1.5f};
  }
  void TextOut(int32_t X, int32_t Y, const String& Text) override
  {
    const TZuzFont* F = Font();
    Log << QStringLiteral("Text(%1,%2,%3,size=%4,style=%5,color=%6,name=%7)")
               .arg(X)
               .arg(Y)
               .arg(Text)
               .arg(double(F->SizeFloat()))
               .arg(F->Style())
               .arg(F->Color(), 0, 16)
               .arg(F->Name());
  }
  void LineTo(int32_t X, int32_t Y) override
  {
    Log << QStringLiteral("LineTo(%1,%2,pen=%3)").arg(X).arg(Y).arg(Pen()->Color(), 0, 16);
  }
  QStringList Texts() const { return Calls(QStringLiteral("Text(")); }
};

// Installs hooks for one test and puts the previous ones back.
struct THooks {
  TGraphicFileExtension OldExt = GraphicFileExtension;
  TGraphicDownload OldDown = GraphicDownload;
  ~THooks()
  {
    GraphicFileExtension = OldExt;
    GraphicDownload = OldDown;
  }
};

QStringList Draw(const QString& Text, int32_t X = 0, int32_t Y = 0, int32_t Align = 0)
{
  TTagCanvas C;
  C.SetTextAlign(Align);
  HtmlTextOut(&C, X, Y, Text);
  return C.Log;
}

} // namespace

TEST(TaggedText, IsTheCanvasTaggedTextRenderer)
{
  EXPECT_EQ(ZuzHtmlTextOut, &HtmlTextOut);
  EXPECT_EQ(ZuzHtmlTextExtent, &HtmlTextExtent);
  TTagCanvas C;
  C.TZuzCanvas::TextOut(5, 6, QStringLiteral("<b>x</b>"), true);
  ASSERT_EQ(C.Texts().size(), 1);
  EXPECT_TRUE(C.Texts()[0].startsWith(QStringLiteral("Text(5,6,x,size=10,style=1,")));
}

TEST(TaggedText, LinesAndMeasuring)
{
  TTagCanvas C;
  // The wider line, and two line heights plus two.
  EXPECT_EQ(HtmlTextExtent(&C, QStringLiteral("ab<br>cdef")), (TPoint{32, 2 * 15 + 2}));
  EXPECT_EQ(HtmlTextExtent(&C, QStringLiteral("ab<P>c")), (TPoint{16, 32}));
  EXPECT_TRUE(C.Log.isEmpty()) << "measuring draws nothing";
  const QStringList T = Draw(QStringLiteral("ab<BR>cd"), 10, 20);
  ASSERT_EQ(T.size(), 2);
  EXPECT_TRUE(T[0].startsWith(QStringLiteral("Text(10,20,ab,")));
  EXPECT_TRUE(T[1].startsWith(QStringLiteral("Text(10,35,cd,")));
  // A piece ending with CR LF starts a new line at the margin.
  const QStringList U = Draw(QStringLiteral("ab\r\n<b>c</b>"), 10, 0);
  EXPECT_TRUE(U[1].startsWith(QStringLiteral("Text(10,0,c,"))) << U[1].toStdString();
}

TEST(TaggedText, EntitiesAndStrayBrackets)
{
  struct TCase {
    const char* Text;
    const char* Drawn;
  } Cases[] = {
      {"&amp;lt;", "&lt;"}, // replacements do not cascade
      {"&LT;", "&LT;"},     // entities are case-sensitive
      {"&lt;b&gt; &quot;q&quot;", "<b> \"q\""},
      {"a < b", "a  b"}, // a lone "<" disappears
  };
  for (const TCase& T : Cases) {
    QString All;
    for (const QString& L : Draw(QString::fromLatin1(T.Text)))
      All += L.section(QLatin1Char(','), 2, 2);
    EXPECT_EQ(All, QString::fromLatin1(T.Drawn)) << T.Text;
  }
}

TEST(TaggedText, StyleTagsInAnyCase)
{
  const QStringList T = Draw(QStringLiteral("<b>B</b><I>I</i><u>U</U><strike>S</strike><STRONG>G</>N"));
  ASSERT_EQ(T.size(), 6);
  const char* Styles[] = {"style=1,", "style=2,", "style=4,", "style=8,", "style=1,", "style=0,"};
  for (int i = 0; i < 6; ++i)
    EXPECT_TRUE(T[i].contains(QLatin1String(Styles[i]))) << T[i].toStdString();
  // A B tag with a space before its ">" is no tag.
  EXPECT_TRUE(Draw(QStringLiteral("<b >x"))[0].contains(QLatin1String("<b >")));
}

TEST(TaggedText, NothingLeaksIntoTheNextText)
{
  TTagCanvas C;
  HtmlTextOut(&C, 0, 0, QStringLiteral("<b><font color=red size=20>open"));
  EXPECT_EQ(C.Font()->Style(), 0);
  EXPECT_EQ(C.Font()->Color(), clBlack);
  EXPECT_FLOAT_EQ(C.Font()->SizeFloat(), 10);
  C.Log.clear();
  // A "</>" in the next text has nothing of the first to close.
  HtmlTextOut(&C, 0, 0, QStringLiteral("<i>a</>b"));
  const QStringList T = C.Texts();
  ASSERT_EQ(T.size(), 2);
  EXPECT_TRUE(T[0].contains(QLatin1String("style=2,")));
  EXPECT_TRUE(T[1].contains(QLatin1String("style=0,color=0,")));
  // Right alignment measures, then draws: a relative size applies once.
  const QStringList R = Draw(QStringLiteral("<font size=+2>x"), 100, 0, TA_RIGHT);
  ASSERT_EQ(R.size(), 1);
  EXPECT_TRUE(R[0].contains(QLatin1String("size=12,"))) << R[0].toStdString();
}

TEST(TaggedText, FontTags)
{
  struct TCase {
    const char* Text;
    const char* Want; // in the first piece
  } Cases[] = {
      {"<FONT COLOR=#FF0000>x", "color=ff,"},
      {"<font color=\"clSkyBlue\">x", "color=f0caa6,"},
      {"<font size=+2>x", "size=12,"},
      {"<font size=-3>x", "size=7,"},
      {"<font size=12.5>x", "size=12.5,"},
      {"<font name=\"Times New Roman\" color=blue>x", "name=Times New Roman)"},
      {"<font face=Arial size=14>x", "size=14,"},                 // an unknown attribute is skipped
      {"<font color=#F00 size=14>x", "size=14,style=0,color=0,"}, // so is a bad colour
      {"<font size=big color=red>x", "size=10,style=0,color=ff,"},
      {"<font weight=\"bold, italic\">x", "style=3,"},
      {"<font weight=heavy size=11>x", "size=11,style=0,"},
      {"<h1>x</h1>y", "size=48,"},
      {"<pre>x", "name=COURIER NEW)"},
      {"<font>x", ",<font>,"}, // a FONT tag without attributes is text
  };
  for (const TCase& T : Cases) {
    QStringList L;
    EXPECT_NO_THROW(L = Draw(QString::fromLatin1(T.Text))) << T.Text;
    ASSERT_FALSE(L.isEmpty()) << T.Text;
    EXPECT_TRUE(L[0].contains(QString::fromLatin1(T.Want))) << T.Text << " -> " << L[0].toStdString();
  }
}

TEST(TaggedText, ClosingTags)
{
  struct TCase {
    const char* Text;
    const char* Last; // the last piece's font
  } Cases[] = {
      {"<font color=red>a</font>b", "style=0,color=0,"},
      {"<font color=red>a</>b", "style=0,color=0,"},
      {"<b><font color=red>a</></>b", "style=0,color=0,"},
      {"<b><i><font size=20>x</font>y", "size=10,style=3,"},
      {"<h2>a</h2>b", "size=10,"},
      {"<big>a</big>b", "size=10,"},
      {"a</>b", "size=10,style=0,"}, // nothing open: "</>" draws nothing
  };
  for (const TCase& T : Cases) {
    const QStringList L = Draw(QString::fromLatin1(T.Text));
    ASSERT_FALSE(L.isEmpty());
    EXPECT_TRUE(L.back().contains(QString::fromLatin1(T.Last))) << T.Text << " -> " << L.back().toStdString();
    for (const QString& S : L)
      EXPECT_FALSE(S.contains(QLatin1String("</"))) << T.Text;
  }
}

TEST(TaggedText, SuperscriptAndSubscriptKeepTheLine)
{
  struct TCase {
    const char* Text;
    const char* Script; // the small piece
    const char* After;  // the piece after it, back on the line
  } Cases[] = {
      // Up by half the 5-point line (7 div 2), down by a whole one.
      {"a<sup>2</sup>b", "Text(8,97,2,size=5,", "Text(12,100,b,size=10,"},
      {"a<SUPER>2</SUPER>b", "Text(8,97,2,size=5,", "Text(12,100,b,size=10,"},
      {"a<sub>2</sub>b", "Text(8,107,2,size=5,", "Text(12,100,b,size=10,"},
      {"a<sup>2</>b", "Text(8,97,2,size=5,", "Text(12,100,b,size=10,"},
      {"a<sup>x<sub>y</sub>z</sup>b", "Text(8,97,x,size=5,", "Text(18,100,b,size=10,"},
  };
  for (const TCase& T : Cases) {
    const QStringList L = Draw(QString::fromLatin1(T.Text), 0, 100);
    ASSERT_GE(L.size(), 3) << T.Text;
    EXPECT_TRUE(L[1].startsWith(QString::fromLatin1(T.Script))) << T.Text << " -> " << L[1].toStdString();
    EXPECT_TRUE(L.back().startsWith(QString::fromLatin1(T.After))) << T.Text << " -> " << L.back().toStdString();
  }
}

TEST(TaggedText, AlignmentMovesTheWholeText)
{
  const QString Text = QStringLiteral("abcdefghij"); // 80 pixels
  EXPECT_TRUE(Draw(Text, 200, 0, TA_RIGHT)[0].startsWith(QStringLiteral("Text(120,0,")));
  EXPECT_TRUE(Draw(Text, 200, 0, TA_CENTER)[0].startsWith(QStringLiteral("Text(160,0,")));
  EXPECT_TRUE(Draw(Text, 200, 0, TA_RIGHT + TA_BOTTOM)[0].startsWith(QStringLiteral("Text(200,0,")));
  TTagCanvas C;
  C.SetTextAlign(TA_RIGHT);
  HtmlTextOut(&C, 200, 0, Text);
  EXPECT_EQ(C.TextAlign(), TA_RIGHT);
  // Centred lines centre on the canvas bounds (0 to 400).
  const QStringList L = Draw(QStringLiteral("<center>abcd"));
  EXPECT_TRUE(L[0].startsWith(QStringLiteral("Text(184,0,")));
}

TEST(TaggedText, RuleAndPlaceholderDrawOnlyWhenDrawingAndGiveThePenBack)
{
  TTagCanvas C;
  C.Pen()->SetColor(clBlue);
  C.Pen()->SetWidth(3);
  C.Brush()->SetColor(clYellow);
  HtmlTextOut(&C, 10, 10, QStringLiteral("<hr>x"));
  EXPECT_EQ(C.Calls(QStringLiteral("MoveTo")), QStringList{QStringLiteral("MoveTo(10,10)")});
  EXPECT_EQ(C.Calls(QStringLiteral("LineTo")), QStringList{QStringLiteral("LineTo(110,10,pen=808080)")});
  EXPECT_TRUE(C.Texts()[0].startsWith(QStringLiteral("Text(10,25,x,")));
  EXPECT_EQ(C.Pen()->Color(), clBlue);
  EXPECT_EQ(C.Pen()->Width(), 3);

  THooks H;
  GraphicFileExtension = TaggedTextBitmapForExtension;
  GraphicDownload = [](const String&, TMemoryStream&) -> int32_t { return 1; };
  C.Log.clear();
  HtmlTextOut(&C, 10, 10, QStringLiteral("<IMG SRC=\"missing.png\">x"));
  EXPECT_EQ(C.Calls(QStringLiteral("Rectangle")), QStringList{QStringLiteral("Rectangle(10,10,50,50)")});
  EXPECT_EQ(C.Calls(QStringLiteral("MoveTo")).size(), 2); // the two diagonals
  EXPECT_TRUE(C.Texts()[0].startsWith(QStringLiteral("Text(10,10,x,"))) << "the position does not move";
  EXPECT_EQ(C.Brush()->Color(), clYellow);
  C.Log.clear();
  HtmlTextOut(&C, 10, 10, QStringLiteral("<img width=20>x"));
  EXPECT_TRUE(C.Calls(QStringLiteral("Rectangle")).isEmpty()) << "no source: nothing at all";
  C.Log.clear();
  HtmlTextExtent(&C, QStringLiteral("<hr><img src=missing.png>"));
  EXPECT_TRUE(C.Log.isEmpty());
}

TEST(TaggedText, ImagesFromLocalFiles)
{
  QTemporaryDir Dir;
  ASSERT_TRUE(Dir.isValid());
  const QString Png = Dir.filePath(QStringLiteral("dot.png"));
  QImage Img(8, 6, QImage::Format_RGB32);
  Img.fill(Qt::red);
  ASSERT_TRUE(Img.save(Png));
  THooks H;
  GraphicFileExtension = TaggedTextBitmapForExtension;
  GraphicDownload = TaggedTextLocalDownload;
  TTagCanvas C;
  HtmlTextOut(&C, 10, 20, QStringLiteral("<img src=\"%1\">x").arg(Png));
  EXPECT_EQ(C.Calls(QStringLiteral("Draw")), QStringList{QStringLiteral("Draw(10,20)")});
  // The text continues after the picture, lowered by its height less 10.
  EXPECT_TRUE(C.Texts()[0].startsWith(QStringLiteral("Text(18,16,x,"))) << C.Texts()[0].toStdString();
  EXPECT_EQ(HtmlTextExtent(&C, QStringLiteral("<img src=%1 width=30 height=40>").arg(Png)), (TPoint{30, 40}));
  C.Log.clear();
  HtmlTextOut(&C, 10, 20, QStringLiteral("<img src=%1 width=30 height=40>").arg(Png));
  EXPECT_EQ(C.Calls(QStringLiteral("StretchDraw")).size(), 1);
  // Bytes that are no picture give the placeholder.
  const QString Bad = Dir.filePath(QStringLiteral("bad.png"));
  QFile F(Bad);
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write("not a picture");
  F.close();
  C.Log.clear();
  HtmlTextOut(&C, 10, 20, QStringLiteral("<img src=%1>").arg(Bad));
  EXPECT_EQ(C.Calls(QStringLiteral("Rectangle")).size(), 1);
  // A format the platform cannot read gives no graphic.
  EXPECT_EQ(TaggedTextBitmapForExtension(QStringLiteral(".XYZ")), nullptr);
  EXPECT_NE(TaggedTextBitmapForExtension(QStringLiteral(".PNG")), nullptr);
}

TEST(TaggedText, DefaultDownloadReadsLocalRegularFilesOnly)
{
  QTemporaryDir Dir;
  const QString Good = Dir.filePath(QStringLiteral("a.bmp"));
  QFile F(Good);
  ASSERT_TRUE(F.open(QIODevice::WriteOnly));
  F.write("0123456789");
  F.close();
  const QString Big = Dir.filePath(QStringLiteral("big.png"));
  QFile G(Big);
  ASSERT_TRUE(G.open(QIODevice::WriteOnly));
  ASSERT_TRUE(G.resize(MaxTaggedImageBytes + 1)); // sparse: no real disk use
  G.close();
  struct TCase {
    QString Source;
    int32_t Want;
  } Cases[] = {
      {Good, 0},
      {QStringLiteral("  ") + Good + QStringLiteral(" "), 0},
      {QStringLiteral("http://example.com/a.png"), 1},
      {QStringLiteral("HTTPS://example.com/a.png"), 1},
      {QStringLiteral("httpfile.png"), 1}, // anything starting with "http"
      {QStringLiteral("file://") + Good, 1},
      {QStringLiteral("ftp://host/a.png"), 1},
      {QStringLiteral("/dev/zero"), 1},
      {Dir.path(), 1},
      {Dir.filePath(QStringLiteral("none.png")), 1},
      {QString(), 1},
      {Big, 2},
  };
  for (const TCase& T : Cases) {
    TMemoryStream S;
    EXPECT_EQ(TaggedTextLocalDownload(T.Source, S), T.Want) << T.Source.toStdString();
    EXPECT_EQ(S.Size(), T.Want == 0 ? 10 : 0) << T.Source.toStdString();
  }
}

TEST(TaggedText, HooksChosenByTheProgramStay)
{
  THooks H;
  static QStringList Asked;
  Asked.clear();
  GraphicDownload = [](const String& Source, TMemoryStream&) -> int32_t {
    Asked << Source;
    return 5;
  };
  GraphicFileExtension = TaggedTextBitmapForExtension;
  InitializeTaggedText(); // already installed ones are kept
  TTagCanvas C;
  HtmlTextOut(&C, 0, 0, QStringLiteral("<img src=\"x.png\">"));
  EXPECT_EQ(Asked, QStringList{QStringLiteral("x.png")});
  EXPECT_EQ(C.Calls(QStringLiteral("Rectangle")).size(), 1);
  GraphicDownload = nullptr; // no hook: a failed image
  HtmlTextOut(&C, 0, 0, QStringLiteral("<img src=y.png>"));
  EXPECT_EQ(C.Calls(QStringLiteral("Rectangle")).size(), 2);
}

TEST(TaggedTextHelpers, Attributes)
{
  struct TCase {
    const char* List;
    int32_t Index;
    const char* Name;
    const char* Value;
  } Cases[] = {
      {"name=Arial size=12", 1, "name", "Arial"},
      {"name=Arial size=12", 2, "size", "12"},
      {"name=Times New Roman color=red", 1, "name", "Times New Roman"},
      {"name=Times New Roman color=red", 2, "color", "red"},
      {"name=Arial color =red", 1, "name", "Arial color"}, // the word before a spaced "=" joins the value
      {"name=Arial color =red", 2, "", "red"},
      {" src = \"a b.png\" ", 1, "src", "\"a b.png\""},
      {"a=1", 2, "", ""},
      {"no fields", 1, "", ""},
  };
  for (const TCase& T : Cases) {
    String N, V;
    HtmlField(QString::fromLatin1(T.List), T.Index, N, V);
    EXPECT_EQ(N, QString::fromLatin1(T.Name)) << T.List << " " << T.Index;
    EXPECT_EQ(V, QString::fromLatin1(T.Value)) << T.List << " " << T.Index;
  }
  EXPECT_EQ(HtmlNumFields(QStringLiteral("a=1 b=2 c=3")), 3);
  EXPECT_EQ(HtmlNumFields(QStringLiteral("none")), 0);
  EXPECT_EQ(StripQuotes(QStringLiteral("  \"Arial'  ")), QStringLiteral("Arial"));
  EXPECT_EQ(StripQuotes(QStringLiteral("   ")), QString());
  EXPECT_EQ(HTMLStrToInt(QStringLiteral("'42'"), 7), 42);
  EXPECT_EQ(HTMLStrToInt(QStringLiteral("4x"), 7), 7);
  EXPECT_DOUBLE_EQ(HTMLStrToFloat(QStringLiteral("\"2.5\"")), 2.5);
  EXPECT_THROW(HTMLStrToFloat(QStringLiteral("big")), EConvertError);
  EXPECT_EQ(ZuzStr(-12), QStringLiteral("-12"));
}

TEST(TaggedTextHelpers, Colours)
{
  struct TCase {
    const char* Text;
    TColor Want;
  } Cases[] = {
      {"red", 0x0000FF},
      {" Lime ", 0x00FF00},
      {"#FF0000", 0x0000FF},
      {"#00ff80", 0x80FF00},
      {"\"#0000FF\"", 0xFF0000},
      {"clSkyBlue", 0xF0CAA6},
      {"CLBTNFACE", clBtnFace},
      {"clNone", clNone},
      {"$FF", 0xFF},
      {"0x10", 16},
      {"123", 123},
      {"-1", 0xFFFFFFFF},
      {"nonsense", 0},
      {"", 0},
  };
  for (const TCase& T : Cases)
    EXPECT_EQ(HtmlToColor(QString::fromLatin1(T.Text)), T.Want) << T.Text;
  EXPECT_THROW(HtmlToColor(QStringLiteral("#F00")), EConvertError);
  EXPECT_THROW(HexToColor(QStringLiteral("#GG0000")), EConvertError);
  EXPECT_EQ(HexToColor(QStringLiteral("abc")), clDefault);
}

TEST(TaggedText, RotatedOnTheAntiAliasedCanvasAsOneLabel)
{
  // The pieces of a turned label follow one turned line: the label rises
  // from its origin as a narrow column instead of a row of short columns.
  QImage Dest(120, 160, QImage::Format_RGB32);
  TCanvas DC;
  DC.BindImage(&Dest);
  TGDIPlusCanvas C;
  C.InitWindow(&DC, nullptr, clWhite, false, TRect{0, 0, 120, 160});
  C.ResetState();
  C.FillRect(TRect{0, 0, 120, 160});
  C.Font()->SetSize(12);
  C.RotateLabel(60, 150, QStringLiteral("ab<b>cd</b><font color=red>ef</font>"), 90, true);
  const QImage I = C.BufferImage()->copy();
  TRect Ink{120, 160, 0, 0};
  int32_t Red = 0;
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 120; ++x) {
      const TColor P = PixelOf(I, x, y);
      if (P != clWhite)
        Ink =
            TRect{std::min(Ink.Left, x), std::min(Ink.Top, y), std::max(Ink.Right, x + 1), std::max(Ink.Bottom, y + 1)};
      Red += GetRValue(P) > 200 && GetGValue(P) < 100;
    }
  EXPECT_LT(Ink.Top, 115);
  EXPECT_LT(Ink.Right - Ink.Left, 25);
  EXPECT_GT(Red, 5);
  EXPECT_EQ(C.Font()->Style(), 0);
  EXPECT_TRUE(C.Graphics()->Transform().isIdentity());
}
