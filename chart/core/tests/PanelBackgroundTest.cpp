// The chart background and the zoom state: what the background paints in
// which order (erase, shadow, fill with border, back image, bevels), the
// back image's modes, the rubber band's aspect and the zoom settings.
#include "CoreTestSupport.h"

#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/canvas/tests/RecordingCanvas.h"
#include "chart/core/ChartLegend.h"
#include "chart/core/ChartTitle.h"
#include "chart/core/CustomChart.h"
#include "chart/core/CustomZuzPanelExtended.h"
#include "platform/Bitmap.h"
#include "platform/Filer.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

class TBackgroundCanvas : public TRecordingCanvas {
public:
  void SmoothShadow(TZuzShadow*, const TRect& R, bool, int32_t, std::span<const TPoint>, int32_t, double,
                    double) override
  {
    Rec("Shadow", {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom)});
  }
  void Frame3D(TRect& R, TColor Top, TColor Bottom, int32_t Width) override
  {
    Rec("Frame3D",
        {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom), double(Top), double(Bottom), double(Width)});
    R = TRect{R.Left + Width, R.Top + Width, R.Right - Width, R.Bottom - Width};
  }
  void StretchDraw(const TRect& R, const TGraphic*) override
  {
    Rec("StretchDraw", {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom)});
  }
  bool CanClipHere = true;
};

class TBackgroundPanel : public TCustomZuzPanelExtended {
public:
  TBackgroundPanel() : TCustomZuzPanelExtended(nullptr)
  {
    auto C = std::make_unique<TBackgroundCanvas>();
    Canvas = C.get();
    SetInternalCanvas(std::move(C));
    SetView3D(false);
  }
  void SetPrinting(bool Value) { FPrinting = Value; }
  TBackgroundCanvas* Canvas;
};

std::unique_ptr<TBitmap> Picture(int32_t W, int32_t H)
{
  auto B = std::make_unique<TBitmap>();
  B->SetSize(W, H);
  return B;
}

} // namespace

TEST(PanelBackground, PaintedInItsOrder)
{
  struct Case {
    const char* Name;
    std::function<void(TBackgroundPanel&)> Setup;
    QStringList Calls;
  };
  const TRect R{0, 0, 100, 80};
  const Case Cases[] = {
      {"plain: the fill covers all, so no erase; raised bevel",
       [](TBackgroundPanel&) {},
       {QStringLiteral("Rectangle(0,0,101,81)"), QStringLiteral("Frame3D(0,0,100,80,16777215,10526880,1)")}},
      {"a visible border leaves the erase",
       [](TBackgroundPanel& P) {
         P.SetBevelOuter(bvNone);
         P.Border()->SetVisible(true);
       },
       {QStringLiteral("EraseBackground()"), QStringLiteral("Rectangle(0,0,100,80)")}},
      {"no colour: no erase, but the visible border",
       [](TBackgroundPanel& P) {
         P.SetColor(clNone);
         P.SetBevelOuter(bvNone);
         P.Border()->SetVisible(true);
       },
       {QStringLiteral("Rectangle(0,0,100,80)")}},
      {"no colour and no border: nothing",
       [](TBackgroundPanel& P) {
         P.SetColor(clNone);
         P.SetBevelOuter(bvNone);
       },
       {}},
      {"a shadow of 3 takes 4 pixels at the right and bottom",
       [](TBackgroundPanel& P) {
         P.SetBevelOuter(bvNone);
         P.Shadow()->SetVisible(true);
         P.Shadow()->SetSize(3);
       },
       {QStringLiteral("EraseBackground()"), QStringLiteral("Shadow(3,3,99,79)"),
        QStringLiteral("Rectangle(0,0,97,77)")}},
      {"rounded border",
       [](TBackgroundPanel& P) {
         P.SetBevelOuter(bvLowered);
         P.SetBorderRound(10);
       },
       {QStringLiteral("EraseBackground()"), QStringLiteral("RoundRect(0,0,101,81,10,10)"),
        QStringLiteral("RoundRect(1,1,99,79,10,10)")}},
      {"printing without background",
       [](TBackgroundPanel& P) {
         P.SetPrinting(true);
         ZuzPaintBackgroundWhenPrinting = false;
       },
       {}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TBackgroundPanel P;
    C.Setup(P);
    P.Canvas->Log.clear();
    P.PanelPaint(R);
    ZuzPaintBackgroundWhenPrinting = true;
    QStringList Calls;
    for (const QString& L : P.Canvas->Log)
      if (!L.startsWith(QStringLiteral("MoveTo")) && !L.startsWith(QStringLiteral("LineTo")))
        Calls << L;
    EXPECT_EQ(Calls, C.Calls);
  }
}

TEST(PanelBackground, HidesWhateverThePictureHeldBefore)
{
  // Drawn once over black and once over white, the background must give
  // the same pixels: the erase may be left out only where the fill covers.
  struct Case {
    const char* Name;
    std::function<void(TChart&)> Setup;
  };
  const auto Gradient = [](TGradientDirection D) {
    return [D](TChart& C) {
      C.Gradient()->SetDirection(D);
      C.Gradient()->SetVisible(true);
    };
  };
  const Case Cases[] = {
      {"solid colour", [](TChart&) {}},
      {"vertical gradient, as the display windows",
       [](TChart& C) {
         C.SetColor(4194304);
         C.Gradient()->SetStartColor(15378841);
         C.Gradient()->SetEndColor(16777088);
         C.Gradient()->SetVisible(true);
       }},
      {"horizontal gradient", Gradient(gdLeftRight)},
      {"diagonal gradient", Gradient(gdDiagonalUp)},
      {"radial gradient", Gradient(gdRadial)},
      {"translucent gradient",
       [](TChart& C) {
         C.Gradient()->SetVisible(true);
         C.Gradient()->Colors()->Items(0)->SetTransparency(50);
       }},
      {"rounded corners", [](TChart& C) { C.SetBorderRound(12); }},
      {"wide border",
       [](TChart& C) {
         C.Border()->SetVisible(true);
         C.Border()->SetWidth(3);
       }},
      {"shadow",
       [](TChart& C) {
         C.Shadow()->SetVisible(true);
         C.Shadow()->SetSize(4);
       }},
  };
  for (const Case& K : Cases)
    for (const bool GDIPlus : {true, false}) {
      SCOPED_TRACE(std::string(K.Name) + (GDIPlus ? ", anti-aliased canvas" : ", aliased canvas"));
      QImage Shown[2];
      for (int I = 0; I < 2; ++I) {
        TImageTChart C(160, 120);
        if (GDIPlus)
          C.SetInternalCanvas(std::make_unique<TGDIPlusCanvas>());
        else
          C.SetInternalCanvas(std::make_unique<TZuzCanvas3D>());
        C.SetBufferedDisplay(false);
        C.SetView3D(false);
        C.Title()->SetVisible(false);
        C.Legend()->SetVisible(false);
        K.Setup(C);
        C.Image.fill(I == 0 ? Qt::black : Qt::white);
        C.Draw();
        Shown[I] = C.Image;
      }
      EXPECT_EQ(Shown[0], Shown[1]);
    }
}

TEST(PanelBackground, BackImageOverOrUnderTheGradient)
{
  for (const bool Translucent : {false, true}) {
    SCOPED_TRACE(Translucent ? "translucent gradient" : "opaque gradient");
    TBackgroundPanel P;
    P.SetBevelOuter(bvNone);
    P.Gradient()->SetVisible(true);
    if (Translucent)
      P.Gradient()->Colors()->Items(0)->SetTransparency(40);
    P.BackImage()->SetGraphic(Picture(20, 20).get());
    P.PanelPaint(TRect{0, 0, 100, 80});
    QStringList Calls;
    for (const QString& L : P.Canvas->Log)
      if (L.startsWith(QStringLiteral("Rectangle")) || L.startsWith(QStringLiteral("StretchDraw")))
        Calls << L.section(QLatin1Char('('), 0, 0);
    QStringList Want = {QStringLiteral("Rectangle"), QStringLiteral("StretchDraw")};
    if (Translucent)
      Want << QStringLiteral("Rectangle");
    EXPECT_EQ(Calls, Want);
  }
  // The back colour is the gradient's start while the gradient shows.
  TBackgroundPanel P;
  P.SetColor(clBlue);
  EXPECT_EQ(P.GetBackColor(), clBlue);
  P.Gradient()->SetVisible(true);
  P.Gradient()->SetStartColor(clLime);
  EXPECT_EQ(P.GetBackColor(), clLime);
}

TEST(PanelBackground, BackImageModes)
{
  struct Case {
    const char* Name;
    TZuzBackImageMode Mode;
    int32_t Left, Top, Right, Bottom;
    QStringList Calls;
  };
  const Case Cases[] = {
      {"stretched", pbmStretch, 0, 0, 0, 0, {QStringLiteral("StretchDraw(10,10,110,60)")}},
      {"tiled: 4 x 2 tiles of 30 x 30",
       pbmTile,
       0,
       0,
       0,
       0,
       {QStringLiteral("Draw(10,10)"), QStringLiteral("Draw(40,10)"), QStringLiteral("Draw(70,10)"),
        QStringLiteral("Draw(100,10)"), QStringLiteral("Draw(10,40)"), QStringLiteral("Draw(40,40)"),
        QStringLiteral("Draw(70,40)"), QStringLiteral("Draw(100,40)")}},
      {"custom place, own size", pbmCustom, 10, 5, 0, 0, {QStringLiteral("Draw(20,15)")}},
      {"custom place, 40 pixels wide", pbmCustom, 10, 5, 40, 0, {QStringLiteral("StretchDraw(20,15,60,45)")}},
      {"centred", pbmCenter, 0, 0, 0, 0, {QStringLiteral("Draw(45,20)")}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TBackgroundPanel P;
    TBackImage* B = P.BackImage();
    B->SetGraphic(Picture(30, 30).get());
    B->SetMode(C.Mode);
    B->SetLeft(C.Left);
    B->SetTop(C.Top);
    B->SetRight(C.Right);
    B->SetBottom(C.Bottom);
    P.Canvas->Log.clear();
    P.DrawBitmap(TRect{10, 10, 110, 60}, 0);
    QStringList Calls;
    for (const QString& L : P.Canvas->Log)
      if (L.startsWith(QStringLiteral("Draw(")) || L.startsWith(QStringLiteral("StretchDraw(")))
        Calls << L;
    EXPECT_EQ(Calls, C.Calls);
    if (C.Mode == pbmTile)
      EXPECT_EQ(P.Canvas->Calls(QStringLiteral("ClipRectangle")),
                QStringList{QStringLiteral("ClipRectangle(10,10,110,60)")});
  }
  // Bounds take Right and Bottom as edges, the picture's size when 0.
  TBackImage B;
  B.SetGraphic(Picture(30, 20).get());
  B.SetLeft(5);
  B.SetTop(6);
  EXPECT_EQ(B.GetBounds(), (TRect{5, 6, 35, 26}));
}

TEST(PanelBackground, TheRubberBandKeepsTheAspect)
{
  struct Case {
    int32_t X, Y;
    int32_t X1, Y1;
  };
  // A chart rectangle of 400 x 200, dragged from (50, 50).
  const Case Cases[] = {{150, 60, 150, 100}, {60, 150, 250, 150}, {50, 50, 50, 50}};
  for (const Case& C : Cases) {
    TZuzZoom Z;
    Z.Activate(50, 50);
    Z.CorrectAspectRatio(TRect{0, 0, 400, 200}, C.X, C.Y);
    EXPECT_EQ(Z.X1, C.X1) << C.X << "," << C.Y;
    EXPECT_EQ(Z.Y1, C.Y1) << C.X << "," << C.Y;
  }
  // The band as drawn.
  TBackgroundPanel P;
  P.Zoom()->Activate(10, 20);
  P.Zoom()->X1 = 30;
  P.Zoom()->Y1 = 40;
  P.Zoom()->Pen()->SetColor(clRed);
  P.DrawZoomRectangle();
  EXPECT_EQ(P.Canvas->Calls(QStringLiteral("Rectangle")), QStringList{QStringLiteral("Rectangle(10,20,30,40)")});
  EXPECT_EQ(P.Canvas->Pen()->Color(), clRed); // the recording canvas cannot draw in XOR
  EXPECT_EQ(P.Canvas->Pen()->Width(), 3);
}

TEST(PanelBackground, ZoomSettingsAndTheirCopies)
{
  TZuzZoom A, B;
  EXPECT_TRUE(A.Allow());
  EXPECT_EQ(A.AnimatedSteps(), 8);
  EXPECT_EQ(A.MinimumPixels(), 16);
  EXPECT_EQ(A.MouseButton(), mbLeft);
  EXPECT_EQ(A.Pen()->Color(), clSilver);
  EXPECT_EQ(A.Brush()->Style(), bsClear);
  B.SetAllow(false);
  B.SetMinimumPixels(30);
  B.SetKeyShift(ssCtrl);
  B.SetHistory(true);
  B.AxesHistory().push_back(TZoomSnapshot{});
  A.Assign(&B); // B made no pen or brush: A's go too
  EXPECT_FALSE(A.Allow());
  EXPECT_EQ(A.KeyShift(), ssCtrl);
  EXPECT_EQ(A.MinimumPixels(), 16); // not copied
  EXPECT_EQ(A.PenIfAny(), nullptr);
  EXPECT_EQ(A.BrushIfAny(), nullptr);
  EXPECT_TRUE(A.History());
  B.SetHistory(false);
  EXPECT_TRUE(B.AxesHistory().empty());

  TBackgroundPanel P;
  int Undone = 0;
  P.OnUndoZoom = [&](TObject*) { ++Undone; };
  P.SetZoomed(true);
  P.UndoZoom();
  EXPECT_EQ(Undone, 1);
  EXPECT_FALSE(P.Zoomed());
}

TEST(PanelBackground, SettingsTravelWithThePanel)
{
  TBackgroundPanel P;
  P.PrintMargins = TRect{15, 22, 15, 22};
  P.Gradient()->SetVisible(true);
  P.Gradient()->SetStartColor(15378841);
  P.SetScrollMouseButton(mbMiddle);
  P.Zoom()->SetAllow(false);
  TMemoryStream S;
  WriteComponentToStream(S, &P);
  S.SetPosition(0);
  TBackgroundPanel Back;
  ReadComponentFromStream(S, &Back);
  EXPECT_EQ(Back.PrintMargins, (TRect{15, 22, 15, 22}));
  EXPECT_TRUE(Back.Gradient()->Visible());
  EXPECT_EQ(Back.Gradient()->StartColor(), TColor(15378841));
  EXPECT_EQ(Back.ScrollMouseButton(), mbMiddle);
  EXPECT_FALSE(Back.Zoom()->Allow());
}
