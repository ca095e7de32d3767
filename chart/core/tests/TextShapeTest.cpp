// Framed boxes and text boxes: lines of text, sizing with margins, the
// drawing of frame, rotation, shadow, callout and children, hit tests,
// copying and the older stored shadow values.
#include "CoreTestSupport.h"

#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzShadow.h"
#include "chart/canvas/tests/RecordingCanvas.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/TextShape.h"
#include "platform/Filer.h"
#include "platform/ObjectText.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TShadowCanvas : public TRecordingCanvas {
public:
  void SmoothShadow(TZuzShadow*, const TRect& R, bool IsEllipse, int32_t RoundSize, std::span<const TPoint>, int32_t,
                    double, double) override
  {
    Rec("SmoothShadow",
        {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom), double(IsEllipse), double(RoundSize)});
  }
  void Frame3D(TRect& R, TColor Top, TColor Bottom, int32_t Width) override
  {
    Rec("Frame3D",
        {double(R.Left), double(R.Top), double(R.Right), double(R.Bottom), double(Top), double(Bottom), double(Width)});
    R = TRect{R.Left + Width, R.Top + Width, R.Right - Width, R.Bottom - Width};
  }
  void ClipEllipse(const TRect&, bool) override { Rec("ClipEllipse"); }
  void PolygonWithZ(std::span<const TPoint> P, int32_t) override { Polygon(P); }
};

// A chart panel whose drawing is recorded (its text is still measured with
// the real fonts).
struct TRecordedPanel {
  TImageChart Panel{300, 200};
  TShadowCanvas* Canvas;
  TRecordedPanel()
  {
    auto C = std::make_unique<TShadowCanvas>();
    Canvas = C.get();
    Panel.SetInternalCanvas(std::move(C));
    Panel.SetView3D(false);
  }
};

} // namespace

TEST(TextShape, LinesOfTheText)
{
  struct Case {
    const char* Text;
    int32_t Lines;
    QStringList Drawn;
  };
  const Case Cases[] = {
      {"A\rB", 2, {QStringLiteral("A"), QStringLiteral("B")}},
      {"A\r\nB", 2, {QStringLiteral("A"), QStringLiteral("B")}},
      {"one line", 1, {QStringLiteral("one line")}},
      {"A\r\rC", 3, {QStringLiteral("A"), QStringLiteral("C")}},
      {"", 0, {}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Text);
    TRecordedPanel P;
    TCustomTextShape S(&P.Panel);
    S.SetText(QString::fromLatin1(C.Text));
    S.CalcBounds(&P.Panel);
    EXPECT_EQ(S.INumLines, C.Lines);
    P.Canvas->Log.clear();
    S.Draw();
    QStringList Drawn;
    for (const QString& L : P.Canvas->Calls(QStringLiteral("TextOut(")))
      Drawn << L.section(QLatin1Char(','), 2).chopped(1);
    EXPECT_EQ(Drawn, C.Drawn);
  }
}

TEST(TextShape, SizeFromTextAndMargins)
{
  TImageChart Panel;
  TCustomTextShape S(&Panel);
  S.SetText(QStringLiteral("Salinity\rPSU"));
  Panel.TryAssignFont(S.Font());
  int32_t Lines = 0;
  const TPoint Text = Panel.MultiLineTextSize(S.Text(), ttfNormal, Lines);
  struct Case {
    const char* Name;
    TMarginUnits Units;
    int32_t Margin;
    bool Transparent, Framed;
    int32_t Width, Height;
  };
  // Framed: the pen (width 1) adds 2 each way; margins count twice across.
  const Case Cases[] = {
      {"pixels", maPixels, 3, false, true, Text.X + 2 + 2 * 6, Text.Y + 2 + 6},
      {"no frame", maPixels, 3, false, false, Text.X + 2 * 6, Text.Y + 6},
      {"transparent boxes ignore their margins", maPixels, 3, true, true, Text.X, Text.Y},
      {"percent of the text height", maPercentFont, 10, false, true,
       Text.X + 2 + 2 * 2 * int32_t(std::lround(Text.Y * 0.1)), Text.Y + 2 + 2 * int32_t(std::lround(Text.Y * 0.1))},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    S.Margins()->SetUnits(C.Units);
    for (auto Set : {&TMargins::SetLeft, &TMargins::SetTop, &TMargins::SetRight, &TMargins::SetBottom})
      (S.Margins()->*Set)(C.Margin);
    S.SetTransparent(C.Transparent);
    S.Pen()->SetVisible(C.Framed);
    S.ShapeBounds = TRect{10, 20, 10, 20};
    S.CalcBounds(&Panel);
    EXPECT_EQ(S.INumLines, 2);
    EXPECT_EQ(S.ShapeBounds.Left, 10);
    EXPECT_EQ(S.Width(), C.Width);
    EXPECT_EQ(S.Height(), C.Height);
  }
  // The pixel margins of a percent-of-font box with a 13-pixel text.
  TMargins M(nullptr);
  M.Calculate(100, 50, 13);
  EXPECT_EQ(M.ILast, (TRect{1, 1, 1, 1}));
  M.SetUnits(maPercentSize);
  M.Calculate(100, 50, 13);
  EXPECT_EQ(M.ILast, (TRect{10, 2, 10, 2}));
  EXPECT_EQ(M.HorizSize(), 20);
}

TEST(TextShape, FrameRotationAndBevel)
{
  TRecordedPanel P;
  TZuzShape S(&P.Panel);
  S.SetBevel(bvRaised);
  S.Shadow()->SetVisible(false);
  const TRect R{10, 10, 110, 60};
  S.Draw(&P.Panel, R, 0, 0);
  EXPECT_EQ(P.Canvas->Calls(QStringLiteral("Rectangle")).size(), 1);
  EXPECT_EQ(P.Canvas->Calls(QStringLiteral("Frame3D")),
            QStringList{QStringLiteral("Frame3D(10,10,110,60,16777215,10526880,2)")});

  // Rounded corners switch the style; 0 keeps it.
  S.SetRoundSize(0);
  EXPECT_EQ(S.ShapeStyle(), fosRectangle);
  S.SetRoundSize(8);
  EXPECT_EQ(S.ShapeStyle(), fosRoundRectangle);

  // A rotated ellipse is a rotated quadrilateral without bevel.
  S.SetShapeStyle(fosEllipse);
  P.Canvas->Log.clear();
  S.Draw(&P.Panel, R, 30, 0);
  EXPECT_EQ(P.Canvas->Calls(QStringLiteral("Polygon")).size(), 1);
  EXPECT_TRUE(P.Canvas->Calls(QStringLiteral("Ellipse")).isEmpty());
  EXPECT_TRUE(P.Canvas->Calls(QStringLiteral("Frame3D")).isEmpty());

  // Hit tests: the rectangle with its edges, or the rotated corners.
  S.SetAngle(0);
  EXPECT_TRUE(S.ClickedShape(TPoint{110, 60}, R));
  EXPECT_TRUE(S.ClickedShape(TPoint{12, 12}, R));
  S.SetAngle(30);
  EXPECT_FALSE(S.ClickedShape(TPoint{12, 12}, R)); // the corner turned away
  EXPECT_TRUE(S.ClickedShape(TPoint{60, 35}, R));
}

TEST(TextShape, ShadowsAndTransparentBoxes)
{
  TRecordedPanel P;
  TZuzShape S(&P.Panel);
  S.Shadow()->SetVisible(true);
  S.Shadow()->SetSize(3);
  S.Shadow()->SetTransparency(0);
  const TRect R{10, 10, 110, 60};
  S.Draw(&P.Panel, R, 0, 0);
  EXPECT_EQ(P.Canvas->Calls(QStringLiteral("SmoothShadow")).size(), 1);
  // A clear brush casts no shadow.
  S.Brush()->SetStyle(bsClear);
  P.Canvas->Log.clear();
  S.Draw(&P.Panel, R, 0, 0);
  EXPECT_TRUE(P.Canvas->Calls(QStringLiteral("SmoothShadow")).isEmpty());

  // A transparent box draws nothing of its own, but its children.
  TZuzShape Box(&P.Panel);
  Box.SetTransparent(true);
  TZuzShapeItem* Child = Box.Children()->Add();
  EXPECT_TRUE(Child->Shape()->Transparent()); // children start transparent
  Child->Shape()->SetTransparent(false);
  Child->Shape()->Shadow()->SetVisible(false);
  Child->Shape()->ShapeBounds = TRect{0, 0, 40, 20};
  Box.ShapeBounds = R;
  P.Canvas->Log.clear();
  Box.Draw();
  EXPECT_EQ(P.Canvas->Calls(QStringLiteral("Rectangle")),
            QStringList{QStringLiteral("Rectangle(10,10,50,30)")}); // the child, at the box's top left

  // Copying a box without shadow frees the target's.
  TZuzShape NoShadow(nullptr);
  NoShadow.SetShadow(nullptr);
  S.Assign(&NoShadow);
  EXPECT_EQ(S.ShadowIfAny(), nullptr);
  P.Canvas->Log.clear();
  S.Brush()->SetStyle(bsSolid);
  S.Draw(&P.Panel, R, 0, 0);
  EXPECT_TRUE(P.Canvas->Calls(QStringLiteral("SmoothShadow")).isEmpty());
}

TEST(TextShape, ChildrenGetThePanelOfTheirBox)
{
  TZuzShape Box(nullptr);
  TZuzShapeItem* Child = Box.Children()->Add();
  EXPECT_EQ(Child->Shape()->ParentChart(), nullptr);
  EXPECT_EQ(Child->OwnerShape(), &Box);
  TImageChart Panel;
  Box.SetParent(&Panel);
  EXPECT_EQ(Child->Shape()->ParentChart(), &Panel);
}

TEST(TextShape, CalloutPointer)
{
  struct Case {
    const char* Name;
    int32_t Position;
    QStringList Pointer; // the lines from the base's near end to its far end
  };
  // A 200 x 40 box at (0, 100) with square corners, the pointer on top.
  const Case Cases[] = {
      {"in the middle",
       50,
       {QStringLiteral("Path.LineTo(80,100)"), QStringLiteral("Path.LineTo(100,90)"),
        QStringLiteral("Path.LineTo(120,100)")}},
      {"at the start, kept on the side",
       100,
       {QStringLiteral("Path.LineTo(0,100)"), QStringLiteral("Path.LineTo(20,90)"),
        QStringLiteral("Path.LineTo(40,100)")}},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    TRecordedPanel P;
    TZuzShape S(&P.Panel);
    S.ShapeCallout()->SetSide(csTop);
    S.ShapeCallout()->SetPosition(C.Position);
    S.Shadow()->SetVisible(false);
    P.Canvas->Log.clear();
    S.Draw(&P.Panel, TRect{0, 100, 200, 140}, 0, 0);
    const QStringList Path = P.Canvas->Calls(QStringLiteral("Path."));
    ASSERT_GE(Path.size(), 4);
    EXPECT_EQ(Path[0], QStringLiteral("Path.MoveTo(0,100)"));
    EXPECT_EQ(Path.mid(1, 3), C.Pointer);
    EXPECT_TRUE(Path.contains(QStringLiteral("Path.Close()")));
    EXPECT_TRUE(Path.contains(QStringLiteral("Path.Draw()")));
  }
}

TEST(TextShape, ClippingOfTheText)
{
  struct Case {
    const char* Name;
    bool AutoSize;
    int32_t Angle;
    bool Clipped;
  };
  for (const Case& C : {Case{"auto-sized", true, 0, false}, Case{"fixed size", false, 0, true},
                        Case{"fixed size, rotated", false, 30, false}}) {
    SCOPED_TRACE(C.Name);
    TRecordedPanel P;
    TCustomTextShape S(&P.Panel);
    S.SetText(QStringLiteral("Hello"));
    S.SetAutoSize(C.AutoSize);
    S.CalcBounds(&P.Panel);
    P.Canvas->Log.clear();
    S.Draw(&P.Panel, TRect{0, 0, 20, 10}, C.Angle, 0);
    EXPECT_EQ(!P.Canvas->Calls(QStringLiteral("ClipRectangle")).isEmpty(), C.Clipped);
  }
}

TEST(TextShape, OlderShadowValuesAreRead)
{
  const QByteArray Text = "object Chart: TCustomAxisPanel\n"
                          "  LeftAxis.Title.ShadowColor = clGray\n"
                          "  LeftAxis.Title.ShadowSize = 4\n"
                          "  BottomAxis.Title.ShadowColor = 255\n"
                          "end\n";
  TMemoryStream In, Binary;
  In.WriteBuffer(Text.constData(), int32_t(Text.size()));
  In.SetPosition(0);
  ObjectTextToBinary(In, Binary);
  Binary.SetPosition(0);
  TImageChart Chart;
  ReadComponentFromStream(Binary, &Chart);
  EXPECT_EQ(Chart.LeftAxis()->Title()->Shadow()->Color(), clGray);
  EXPECT_EQ(Chart.LeftAxis()->Title()->Shadow()->Size(), 4);
  EXPECT_EQ(Chart.BottomAxis()->Title()->Shadow()->Color(), clRed);
}
