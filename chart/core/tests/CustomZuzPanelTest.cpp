// The chart panel: its canvas by class, the chart rectangle from margins
// and frame, painting through the buffer, text measuring, and broadcasting
// to listeners.
#include "CoreTestSupport.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/ZuzStrings.h"
#include "platform/Filer.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TOtherCanvas : public TZuzCanvas3D {
public:
  String ClassName() const override { return QStringLiteral("TOtherCanvas"); }
  bool GetSupportsFullRotation() override { return FullRotation; }
  bool FullRotation = false;
};

// A panel drawing into an image that counts its drawings.
class TCountingPanel : public TCustomZuzPanel {
public:
  explicit TCountingPanel(int32_t W = 200, int32_t H = 100)
      : TCustomZuzPanel(nullptr), Image(W, H, QImage::Format_RGB32)
  {
    SetBounds(0, 0, W, H);
    Canvas()->BindImage(&Image);
  }
  ~TCountingPanel() override { Canvas()->Release(); }
  using TCustomZuzPanel::Paint;
  void InternalDraw(const TRect& R) override
  {
    ++Draws;
    Bounds = R;
    InternalCanvas()->Brush()->SetColor(Fill);
    InternalCanvas()->FillRect(R);
  }
  QImage Image;
  int Draws = 0;
  TRect Bounds;
  TColor Fill = clRed;
};

struct TRecorder : IZuzEventListener {
  TRecorder(std::vector<std::string>& L, std::string N) : Log(L), Name(std::move(N)) {}
  void ZuzEvent(TZuzEvent* Event) override
  {
    Log.push_back(Name);
    if (OnEvent)
      OnEvent(Event);
  }
  std::vector<std::string>& Log;
  std::string Name;
  std::function<void(TZuzEvent*)> OnEvent;
};

} // namespace

TEST(ChartPanel, CanvasByExactClassName)
{
  TCustomZuzPanel Default(nullptr);
  EXPECT_EQ(Default.DefaultCanvas(), QStringLiteral("TGDIPlusCanvas"));
  EXPECT_EQ(Default.InternalCanvas()->ClassName(), QStringLiteral("TGDIPlusCanvas"));
  EXPECT_EQ(Default.InternalCanvas()->ReferenceCanvas(), Default.Canvas());

  RegisterCanvasClass(QStringLiteral("TOtherCanvas"),
                      []() -> std::unique_ptr<TCanvas3D> { return std::make_unique<TOtherCanvas>(); });
  struct Case {
    const char* Name;
    const char* Expected;
  };
  for (const Case& C : {Case{"TOtherCanvas", "TOtherCanvas"}, Case{"tothercanvas", "TZuzCanvas3D"},
                        Case{"TNoSuchCanvas", "TZuzCanvas3D"}, Case{"", "TZuzCanvas3D"}}) {
    TCustomZuzPanel P(nullptr);
    P.SetDefaultCanvas(QString::fromLatin1(C.Name));
    P.CreateDefaultCanvas();
    EXPECT_EQ(P.InternalCanvas()->ClassName(), QString::fromLatin1(C.Expected)) << C.Name;
  }
  // A canvas of the chosen kind already in place is kept.
  TCustomZuzPanel Keep(nullptr);
  TCanvas3D* Before = Keep.InternalCanvas();
  Keep.CreateDefaultCanvas();
  EXPECT_EQ(Keep.InternalCanvas(), Before);
  UnregisterCanvasClass(QStringLiteral("TOtherCanvas"));
}

TEST(ChartPanel, SwitchingCanvasesCopiesSettingsWithoutRepaintingInBetween)
{
  TCountingPanel P;
  P.Paint();
  P.SetInternalCanvas(nullptr);
  P.Paint(); // nothing was switched: the image is still valid
  EXPECT_EQ(P.Draws, 1);
  P.InternalCanvas()->SetMonochrome(true);
  P.InternalCanvas()->SetFontZoom(130);

  auto New = std::make_unique<TOtherCanvas>();
  TCanvas3D* Raw = New.get();
  P.SetInternalCanvas(std::move(New));
  EXPECT_EQ(P.InternalCanvas(), Raw);
  EXPECT_TRUE(Raw->GetMonochrome());
  EXPECT_EQ(Raw->FontZoom(), 130);
  EXPECT_EQ(Raw->ReferenceCanvas(), P.Canvas());
  EXPECT_EQ(P.DefaultCanvas(), QStringLiteral("TOtherCanvas"));
  EXPECT_TRUE(P.AutoRepaint());
}

TEST(ChartPanel, ChartRectangleFromMarginsAndFrame)
{
  struct Case {
    const char* Name;
    std::function<void(TCustomZuzPanel&)> Setup;
    TRect Expected;
  };
  // A 400 x 250 panel; its raised outer bevel takes 1 pixel.
  const Case Cases[] = {
      {"default percent margins", [](TCustomZuzPanel&) {}, {1 + 12, 1 + 10, 400 - 1 - 12, 250 - 1 - 10}},
      {"pixel margins",
       [](TCustomZuzPanel& P) {
         P.SetMarginUnits(muPixels);
         P.SetMarginLeft(120);
       },
       {121, 5, 396, 245}},
      {"no bevel, a border pen",
       [](TCustomZuzPanel& P) {
         P.SetBevelOuter(bvNone);
         P.Border()->SetVisible(true);
         P.Border()->SetWidth(3);
         P.SetMarginUnits(muPixels);
       },
       {6, 7, 394, 243}},
      {"both bevels and a border width",
       [](TCustomZuzPanel& P) {
         P.SetBevelInner(bvLowered);
         P.SetBevelWidth(2);
         P.SetBorderWidth(1);
         P.SetMarginUnits(muPixels);
         for (int I = 0; I < 4; ++I)
           P.SetMargin(I, 0);
       },
       {5, 5, 395, 245}},
      {"shadow and emboss",
       [](TCustomZuzPanel& P) {
         P.SetMarginUnits(muPixels);
         for (int I = 0; I < 4; ++I)
           P.SetMargin(I, 0);
         P.Shadow()->SetVisible(true);
         P.Shadow()->SetHorizSize(4);
         P.Shadow()->SetVertSize(-2);
         P.Emboss()->SetVisible(true);
         P.Emboss()->SetHorizSize(-3);
         P.Emboss()->SetVertSize(5);
       },
       {1, 1 + 2 + 5, 399 - 4 - 3, 249}},
      {"margins larger than the panel",
       [](TCustomZuzPanel& P) {
         P.SetMarginUnits(muPixels);
         P.SetMarginLeft(300);
         P.SetMarginRight(300);
         P.SetMarginTop(200);
         P.SetMarginBottom(200);
       },
       {301, 201, 302, 202}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TCountingPanel P(400, 250);
    C.Setup(P);
    P.Draw();
    EXPECT_EQ(P.ChartRect, C.Expected);
    EXPECT_EQ(P.ChartWidth(), C.Expected.Right - C.Expected.Left);
    EXPECT_EQ(P.ChartHeight(), C.Expected.Bottom - C.Expected.Top);
    EXPECT_EQ(P.ChartXCenter(), (C.Expected.Left + C.Expected.Right) / 2);
  }
  // A chart rectangle of the user's own stays.
  TCountingPanel Fixed(400, 250);
  Fixed.SetChartRect(TRect{10, 20, 110, 120});
  Fixed.Draw();
  EXPECT_EQ(Fixed.ChartRect, (TRect{10, 20, 110, 120}));
}

TEST(ChartPanel, PaintCopiesTheBufferUntilSomethingChanged)
{
  TCountingPanel P;
  P.Paint();
  EXPECT_EQ(P.Draws, 1);
  EXPECT_EQ(P.Bounds, (TRect{0, 0, 200, 100}));
  P.Paint(); // nothing changed: the buffer is copied
  EXPECT_EQ(P.Draws, 1);
  P.SetMarginLeft(10);
  P.SetMarginTop(10); // two changes, one drawing
  P.Paint();
  P.Paint();
  EXPECT_EQ(P.Draws, 2);
  P.SetMarginLeft(10); // the same value changes nothing
  P.Paint();
  EXPECT_EQ(P.Draws, 2);

  // With AutoRepaint off, changes do not mark the buffer.
  P.SetAutoRepaint(false);
  P.SetMarginLeft(20);
  P.Invalidate();
  P.Paint();
  EXPECT_EQ(P.Draws, 2);
  P.SetAutoRepaint(true); // does not repaint by itself
  P.Paint();
  EXPECT_EQ(P.Draws, 2);
  P.Invalidate();
  P.Paint();
  EXPECT_EQ(P.Draws, 3);
}

TEST(ChartPanel, DrawingShowsTheImageUnlessAskedNotTo)
{
  TCountingPanel P;
  P.Paint();
  EXPECT_EQ(P.Image.pixelColor(100, 50), QColor(Qt::red));
  P.DontShowImage = true;
  P.Fill = clBlue;
  P.Invalidate();
  P.Paint();
  EXPECT_EQ(P.Draws, 2);
  EXPECT_EQ(P.Image.pixelColor(100, 50), QColor(Qt::red));
}

TEST(ChartPanel, LinesOfText)
{
  struct Case {
    const char* Text;
    int32_t Lines;
  };
  const Case Cases[] = {
      {"", 1}, {"a", 1}, {"a\r", 1}, {"ab\r", 1}, {"a\rb", 2}, {"a\r\nb", 2}, {"a\rb\r", 2}, {"\r\r", 2}, {"a\nb", 1},
  };
  TCustomZuzPanel P(nullptr);
  for (const Case& C : Cases)
    EXPECT_EQ(P.LinesOfText(QString::fromLatin1(C.Text)), C.Lines) << C.Text;
  const String Saved = ZuzLineSeparator;
  ZuzLineSeparator = QStringLiteral("<br>");
  EXPECT_EQ(P.LinesOfText(QStringLiteral("a<br>b<br>c")), 3);
  ZuzLineSeparator = Saved;
}

TEST(ChartPanel, MultiLineTextSize)
{
  TImageChart P;
  TCanvas3D* C = P.InternalCanvas();
  const int32_t H = C->TextHeight(QStringLiteral("W"));
  struct Case {
    const char* Text;
    int32_t Lines;
    const char* Widest;
  };
  const Case Cases[] = {
      {"", 0, ""},
      {"short\r\na much longer line\rx", 3, "a much longer line"},
      {"one\r", 1, "one"},
      {"a\r\rab", 3, "ab"},
      {"line\nfeed", 1, "line\nfeed"}, // a line feed alone breaks nothing
  };
  for (const Case& T : Cases) {
    SCOPED_TRACE(T.Text);
    int32_t Lines = -1;
    const TPoint S = P.MultiLineTextSize(QString::fromLatin1(T.Text), ttfNormal, Lines);
    EXPECT_EQ(Lines, T.Lines);
    EXPECT_EQ(S.Y, T.Lines * H);
    EXPECT_EQ(S.X, T.Lines ? C->TextWidth(QString::fromLatin1(T.Widest)) : 0);
  }
}

TEST(ChartPanel, ResizeZoomsTextFromTheFirstDrawnSize)
{
  TImageChart P(200, 100);
  P.SetBounds(0, 0, 300, 120);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 100); // not drawn yet, manual zoom text
  P.SetBounds(0, 0, 200, 100);
  P.Draw();
  P.SetBounds(0, 0, 300, 120);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 100); // manual zoom text
  P.View3DOptions()->SetZoomText(ztAuto);
  P.SetBounds(0, 0, 300, 121);
  P.SetBounds(0, 0, 300, 120);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 150);
  P.SetBounds(0, 0, 100, 150);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 150); // the larger growth: +50% height
  P.SetBounds(0, 0, 100, 50);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 50);
  P.IncludeState(csLoading);
  P.SetBounds(0, 0, 400, 100);
  EXPECT_EQ(P.View3DOptions()->FontZoom(), 50);
}

TEST(ChartPanel, DefaultFontStandsInWhenAsked)
{
  TImageChart P;
  P.DefaultFont()->SetName(QStringLiteral("Courier"));
  TZuzFont Own;
  Own.SetName(QStringLiteral("Times"));
  P.TryAssignFont(&Own);
  EXPECT_EQ(P.InternalCanvas()->Font()->Name(), QStringLiteral("Times"));
  Own.SetDefaultFont(true);
  P.TryAssignFont(&Own);
  EXPECT_EQ(P.InternalCanvas()->Font()->Name(), QStringLiteral("Courier"));

  // In 3D the font follows the view's zoom.
  P.View3DOptions()->SetZoom(200);
  P.InternalCanvas()->InitWindow(P.Canvas(), P.View3DOptions(), clWhite, true, TRect{0, 0, 10, 10});
  Own.SetDefaultFont(false);
  Own.SetSize(8);
  P.PrepareFont3D(&Own);
  EXPECT_FLOAT_EQ(P.InternalCanvas()->Font()->SizeFloat(), 16);
  P.SetView3D(false);
  P.PrepareFont3D(&Own);
  EXPECT_FLOAT_EQ(P.InternalCanvas()->Font()->SizeFloat(), 8);

  // A theme's font stands in for the panel's own.
  auto Theme = std::make_unique<TCustomZuzPanel>(nullptr);
  Theme->DefaultFont()->SetName(QStringLiteral("Verdana"));
  P.SetTheme(std::move(Theme));
  EXPECT_EQ(P.GetDefaultFont()->Name(), QStringLiteral("Verdana"));
}

TEST(ChartPanel, ListenersHearEventsInOrder)
{
  TCustomZuzPanel P(nullptr);
  std::vector<std::string> Log;
  TRecorder A(Log, "A"), B(Log, "B"), C(Log, "C");
  P.AddListener(&A);
  P.AddListener(&B);
  P.AddListener(&A); // once only
  P.AddListener(&C);
  P.SetView3D(false);
  EXPECT_EQ(Log, (std::vector<std::string>{"A", "B", "C"}));
  Log.clear();
  P.SetView3D(false); // unchanged: no event
  EXPECT_TRUE(Log.empty());

  // A listener removing itself does not make the next one miss the event.
  B.OnEvent = [&](TZuzEvent*) { P.RemoveListener(&B); };
  P.SetView3D(true);
  EXPECT_EQ(Log, (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(P.ListenerCount(), 2);

  // A listener that cancels a mouse event stops it; other events go on.
  Log.clear();
  A.OnEvent = [&](TZuzEvent* E) {
    auto* M = dynamic_cast<TZuzMouseEvent*>(E);
    ASSERT_NE(M, nullptr);
    EXPECT_EQ(M->Sender, &P);
    EXPECT_EQ(M->X, 7);
    EXPECT_EQ(M->Shift, ssShift | ssLeft);
    P.SetCancelMouse(true);
  };
  P.BroadcastMouseEvent(meDown, mbLeft, ssShift | ssLeft, 7, 9);
  EXPECT_EQ(Log, (std::vector<std::string>{"A"}));
}

TEST(ChartPanel, ClippingAndColours)
{
  TImageChart P;
  auto Rotating = std::make_unique<TOtherCanvas>();
  Rotating->FullRotation = true;
  P.SetInternalCanvas(std::move(Rotating));
  EXPECT_FALSE(P.CanClip()); // a canvas that turns in full 3D
  P.SetView3D(false);
  EXPECT_TRUE(P.CanClip());
  P.InternalCanvas()->SetMetafiling(true);
  EXPECT_TRUE(P.CanClip());
  ZuzClipMetafileOutput = false;
  EXPECT_FALSE(P.CanClip());
  ZuzClipMetafileOutput = true;

  EXPECT_EQ(GetDefaultColor(0), clRed);
  EXPECT_EQ(GetDefaultColor(21), clGreen); // 20 colours, then again
  EXPECT_EQ(P.PanelColor(clBtnFace), ColorToRGB(clBtnFace));
  EXPECT_TRUE(P.IsScreenHighColor());
}

TEST(ChartPanel, SettingsTravelWithThePanel)
{
  TCustomZuzPanel P(nullptr);
  P.View3DOptions()->SetRotation(10);
  P.View3DOptions()->SetOrthogonal(false);
  P.SetMarginUnits(muPixels);
  P.SetMarginLeft(60);
  P.SetView3D(false);
  P.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
  TMemoryStream S;
  WriteComponentToStream(S, &P);
  S.SetPosition(0);
  TCustomZuzPanel Back(nullptr);
  ReadComponentFromStream(S, &Back);
  EXPECT_EQ(Back.View3DOptions()->Rotation(), 10);
  EXPECT_FALSE(Back.View3DOptions()->Orthogonal());
  EXPECT_EQ(Back.View3DOptions()->Elevation(), 345);
  EXPECT_EQ(Back.MarginUnits(), muPixels);
  EXPECT_EQ(Back.MarginLeft(), 60);
  EXPECT_EQ(Back.MarginTop(), 4);
  EXPECT_FALSE(Back.View3D());
  EXPECT_EQ(Back.DefaultCanvas(), QStringLiteral("TZuzCanvas3D"));
  EXPECT_EQ(Back.InternalCanvas()->ClassName(), QStringLiteral("TZuzCanvas3D"));

  // A nil value in a file leaves the panel's own options.
  Back.SetView3DOptions(nullptr);
  EXPECT_EQ(Back.View3DOptions()->Rotation(), 10);

  TCustomZuzPanel Copy(nullptr);
  Copy.Assign(&P);
  EXPECT_EQ(Copy.MarginLeft(), 60);
  EXPECT_EQ(Copy.View3DOptions()->Rotation(), 10);
  EXPECT_FALSE(Copy.View3D());
}
