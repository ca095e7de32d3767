// The drawing attributes in component streams: what a chart file holds of
// pens, brushes, gradients, shadows, fonts, view options, corners, points
// and pictures, and that reading it back gives the same settings.
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZuzBlend.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCorners.h"
#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzGradient.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/canvas/ZuzPicture.h"
#include "chart/canvas/ZuzShadow.h"

#include "platform/Filer.h"
#include "platform/ObjectText.h"
#include "platform/Published.h"
#include "rtl/Streams.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A component carrying one attribute object of each kind, as chart
// elements do.
class TAttributeHolder : public TComponent, public IRepaintTarget {
public:
  explicit TAttributeHolder(TComponent* AOwner = nullptr)
      : TComponent(AOwner), FView(std::make_unique<TView3DOptions>(this)),
        FLocation(std::make_unique<TPointXYZFloat>(nullptr, 100.0))
  {
  }
  String ClassName() const override { return QStringLiteral("TAttributeHolder"); }
  void Invalidate() override {}

  TZuzPen* Pen() const { return FPen.get(); }
  TZuzHiddenPen* HiddenPen() const { return FHiddenPen.get(); }
  TDarkGrayPen* DarkGrayPen() const { return FDarkGrayPen.get(); }
  TWhitePen* WhitePen() const { return FWhitePen.get(); }
  TZuzBrush* Brush() const { return FBrush.get(); }
  TZuzGradient* Gradient() const { return FGradient.get(); }
  TZuzShadow* Shadow() const { return FShadow.get(); }
  TZuzFont* Font() const { return FFont.get(); }
  TView3DOptions* View3D() const { return FView.get(); }
  TZuzCorners* Corners() const { return FCorners.get(); }
  TPointXYZFloat* Location() const { return FLocation.get(); }
  TZuzPicture* Picture() const { return FPicture.get(); }

private:
  std::unique_ptr<TZuzPen> FPen = std::make_unique<TZuzPen>();
  std::unique_ptr<TZuzHiddenPen> FHiddenPen = std::make_unique<TZuzHiddenPen>();
  std::unique_ptr<TDarkGrayPen> FDarkGrayPen = std::make_unique<TDarkGrayPen>();
  std::unique_ptr<TWhitePen> FWhitePen = std::make_unique<TWhitePen>();
  std::unique_ptr<TZuzBrush> FBrush = std::make_unique<TZuzBrush>();
  std::unique_ptr<TZuzGradient> FGradient = std::make_unique<TZuzGradient>();
  std::unique_ptr<TZuzShadow> FShadow = std::make_unique<TZuzShadow>();
  std::unique_ptr<TZuzFont> FFont = std::make_unique<TZuzFont>();
  std::unique_ptr<TView3DOptions> FView;
  std::unique_ptr<TZuzCorners> FCorners = std::make_unique<TZuzCorners>();
  std::unique_ptr<TPointXYZFloat> FLocation;
  std::unique_ptr<TZuzPicture> FPicture = std::make_unique<TZuzPicture>();
};

template <class T>
TPropDecl Sub(const char* Name, T* (TAttributeHolder::*Get)() const)
{
  return PropObj(Name, Get);
}

[[maybe_unused]] const TClassInfo& HolderClass =
    PublishClass<TAttributeHolder>("TAttributeHolder", "TComponent",
                                   {
                                       Sub("Pen", &TAttributeHolder::Pen),
                                       Sub("HiddenPen", &TAttributeHolder::HiddenPen),
                                       Sub("DarkGrayPen", &TAttributeHolder::DarkGrayPen),
                                       Sub("WhitePen", &TAttributeHolder::WhitePen),
                                       Sub("Brush", &TAttributeHolder::Brush),
                                       Sub("Gradient", &TAttributeHolder::Gradient),
                                       Sub("Shadow", &TAttributeHolder::Shadow),
                                       Sub("Font", &TAttributeHolder::Font),
                                       Sub("View3DOptions", &TAttributeHolder::View3D),
                                       Sub("Corners", &TAttributeHolder::Corners),
                                       Sub("Location", &TAttributeHolder::Location),
                                       Sub("Picture", &TAttributeHolder::Picture),
                                   });

// The text form of the holder's stream, without the object's first and
// last line.
QString Written(TAttributeHolder& H)
{
  TMemoryStream Binary;
  WriteComponentToStream(Binary, &H);
  Binary.SetPosition(0);
  TMemoryStream Text;
  ObjectBinaryToText(Binary, Text);
  QString S = QString::fromUtf8(reinterpret_cast<const char*>(Text.Memory()), int(Text.Size()));
  QStringList Lines = S.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  if (Lines.size() >= 2) {
    Lines.removeFirst();
    Lines.removeLast();
  }
  for (QString& L : Lines)
    L = L.trimmed();
  return Lines.join(QLatin1Char('\n'));
}

// H written and read into a new holder.
std::unique_ptr<TAttributeHolder> ReadBack(TAttributeHolder& H)
{
  TMemoryStream Binary;
  WriteComponentToStream(Binary, &H);
  Binary.SetPosition(0);
  auto Back = std::make_unique<TAttributeHolder>();
  ReadComponentFromStream(Binary, Back.get());
  return Back;
}

} // namespace

TEST(AttributeStream, NewAttributesWriteNothing)
{
  TAttributeHolder H;
  H.Gradient()->Colors(); // a stop list with the two default stops
  H.Font()->Shadow();     // created on reading, still at its defaults
  H.Brush()->Gradient();
  EXPECT_EQ(Written(H), QString());
}

TEST(AttributeStream, ChangedValuesAreWrittenAndReadBack)
{
  const struct {
    const char* Name;
    std::function<void(TAttributeHolder&)> Change;
    const char* Want; // the lines written, in order
  } Cases[] = {
      {"hidden pen", [](TAttributeHolder& H) { H.Pen()->Hide(); }, "Pen.Visible = False"},
      {"hidden pen made visible", [](TAttributeHolder& H) { H.HiddenPen()->Show(); }, "HiddenPen.Visible = True"},
      {"pen details",
       [](TAttributeHolder& H) {
         H.Pen()->SetWidth(3);
         H.Pen()->SetEndStyle(esFlat);
         H.Pen()->SetJoinStyle(jsMitter);
         H.Pen()->SetSmallDots(true);
         H.Pen()->SetSmallSpace(2);
         H.Pen()->SetColor(clRed);
         H.Pen()->SetMode(pmXor);
         H.Pen()->SetStyle(psDot);
       },
       "Pen.Width = 3\nPen.EndStyle = esFlat\nPen.JoinStyle = jsMitter\nPen.SmallDots = True\n"
       "Pen.SmallSpace = 2\nPen.Color = clRed\nPen.Mode = pmXor\nPen.Style = psDot"},
      {"gradient pen", [](TAttributeHolder& H) { H.Pen()->Fill()->Gradient()->SetVisible(true); },
       "Pen.Fill.Gradient.Visible = True"},
      // Against their own defaults: black is a choice on these pens.
      {"grey and white pens in black",
       [](TAttributeHolder& H) {
         H.DarkGrayPen()->SetColor(clBlack);
         H.WhitePen()->SetColor(clBlack);
       },
       "DarkGrayPen.Color = clBlack\nWhitePen.Color = clBlack"},
      {"grey pen at its colour", [](TAttributeHolder& H) { H.DarkGrayPen()->SetColor(0x808080); }, ""},
      // White is a choice against the brush's default colour.
      {"white brush", [](TAttributeHolder& H) { H.Brush()->SetColor(clWhite); }, "Brush.Color = clWhite"},
      {"hatched brush",
       [](TAttributeHolder& H) {
         H.Brush()->SetBackColor(clBlue);
         H.Brush()->SetHatchStyle(hsWeave);
         H.Brush()->SetStyle(bsCross);
       },
       "Brush.BackColor = clBlue\nBrush.HatchStyle = hsWeave\nBrush.Style = bsCross"},
      // The hatch style brings a hatch; the solid style after it must stay.
      {"solid brush after a platform hatch",
       [](TAttributeHolder& H) {
         H.Brush()->SetHatchStyle(hsCross);
         H.Brush()->SetStyle(bsSolid);
       },
       "Brush.HatchStyle = hsCross\nBrush.Style = bsSolid"},
      {"gradient of two stops",
       [](TAttributeHolder& H) {
         H.Gradient()->SetVisible(true);
         H.Gradient()->SetDirection(gdRadial);
         H.Gradient()->SetStartColor(clRed);
         H.Gradient()->SetEndColor(clBlue);
         H.Gradient()->SetBalance(30);
         H.Gradient()->SetAngle(15);
         H.Gradient()->SetRadialX(4);
       },
       "Gradient.Angle = 15\nGradient.Balance = 30\nGradient.Direction = gdRadial\nGradient.EndColor = clBlue\n"
       "Gradient.RadialX = 4\nGradient.StartColor = clRed\nGradient.Visible = True"},
      {"gradient with a middle colour", [](TAttributeHolder& H) { H.Gradient()->SetMidColor(clLime); },
       "Gradient.MidColor = clLime"},
      {"stops the colours cannot describe", [](TAttributeHolder& H) { H.Gradient()->Colors()->Add(0.25, clRed, 40); },
       "Gradient.Colors = <\nitem\nColor = clWhite\nend\nitem\nColor = clRed\nOffset = 0.25\nTransparency = 40\n"
       "end\nitem\nColor = clYellow\nOffset = 1.0\nend>\nGradient.MidColor = clRed"},
      {"sub-gradient",
       [](TAttributeHolder& H) {
         H.Gradient()->SubGradient()->SetTransparency(30);
         H.Gradient()->SubGradient()->SetVisible(true);
       },
       "Gradient.SubGradient.Visible = True\nGradient.SubGradient.Transparency = 30"},
      {"shadow",
       [](TAttributeHolder& H) {
         H.Shadow()->SetClip(true);
         H.Shadow()->SetColor(clBlack);
         H.Shadow()->SetDirection(sdLeftTop);
         H.Shadow()->SetVertSize(4);
         H.Shadow()->SetSmooth(false);
         H.Shadow()->SetTransparency(0);
       },
       "Shadow.Clip = True\nShadow.Color = clBlack\nShadow.Direction = sdLeftTop\nShadow.Smooth = False\n"
       "Shadow.Transparency = 0\nShadow.VertSize = 4"},
      // The emboss's own direction is its default; the shadow's is not.
      {"emboss towards the shadow's side",
       [](TAttributeHolder& H) {
         H.Font()->Emboss()->SetDirection(sdLeftTop);
         H.Font()->Shadow()->SetDirection(sdRightBottom);
       },
       ""},
      {"font",
       [](TAttributeHolder& H) {
         TZuzFont* F = H.Font();
         F->SetName(QStringLiteral("Courier New"));
         F->SetSizeFloat(10.5f);
         F->SetColor(clNavy);
         F->SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsItalic));
         F->SetQuality(fqClearType);
         F->SetInterCharSize(2);
         F->SetDepth(1.5);
         F->Shadow()->SetSize(3);
         F->Emboss()->SetDirection(sdRightBottom);
         F->OutLine()->Show();
         F->Brush()->Gradient()->SetVisible(true);
       },
       "Font.Height = -13\nFont.Color = clNavy\nFont.Name = 'Courier New'\nFont.SizeFloat = 10.5s\n"
       "Font.Brush.Gradient.Visible = True\nFont.Depth = 1.5\nFont.Emboss.Direction = sdRightBottom\n"
       "Font.InterCharSize = 2\nFont.OutLine.Visible = True\nFont.Quality = fqClearType\n"
       "Font.Shadow.HorizSize = 3\nFont.Shadow.VertSize = 3\nFont.Style = [fsBold, fsItalic]"},
      {"view",
       [](TAttributeHolder& H) {
         H.View3D()->SetOrthogonal(false);
         H.View3D()->SetRotation(10);
         H.View3D()->SetPerspective(150);
         H.View3D()->SetZoomText(ztAuto);
       },
       "View3DOptions.Orthogonal = False\nView3DOptions.Perspective = 100\nView3DOptions.Rotation = 10\n"
       "View3DOptions.ZoomText = ztAuto"},
      {"corners", [](TAttributeHolder& H) { H.Corners()->LeftTop()->SetStyle(cosBevel); },
       "Corners.LeftTop.Style = cosBevel"},
      // A zero coordinate against a default of 100 travels as its own entry.
      {"point at zero depth",
       [](TAttributeHolder& H) {
         H.Location()->SetZ(0);
         H.Location()->SetX(7);
       },
       "Location.X = 7.0s\nLocation.ZZero = True"},
  };
  for (const auto& C : Cases) {
    TAttributeHolder H;
    C.Change(H);
    const QString Text = Written(H);
    EXPECT_EQ(Text, QString::fromUtf8(C.Want)) << C.Name;
    auto Back = ReadBack(H);
    EXPECT_EQ(Written(*Back), Text) << C.Name << " read back";
  }
}

TEST(AttributeStream, ReadBackValuesMatchTheWrittenOnes)
{
  TAttributeHolder H;
  H.Brush()->SetHatchStyle(hsCross);
  H.Brush()->SetStyle(bsSolid);
  H.Location()->SetZ(0);
  H.Font()->SetSizeFloat(10.5f);
  H.Gradient()->SetMidColor(clRed);
  H.Gradient()->Colors()->Items(1)->SetOffset(0.4);
  auto Back = ReadBack(H);
  EXPECT_EQ(Back->Brush()->HatchStyle(), hsCross);
  EXPECT_EQ(Back->Brush()->Style(), bsSolid);
  EXPECT_EQ(Back->Location()->Z(), 0.0f);
  EXPECT_EQ(Back->Location()->X(), 100.0f);
  EXPECT_EQ(Back->Font()->Size(), 10);
  EXPECT_FLOAT_EQ(Back->Font()->SizeFloat(), 10.5f);
  ASSERT_NE(Back->Gradient()->ColorsIfAny(), nullptr);
  ASSERT_EQ(Back->Gradient()->Colors()->Count(), 3);
  EXPECT_DOUBLE_EQ(Back->Gradient()->Colors()->Items(1)->Offset(), 0.4);
  EXPECT_EQ(Back->Gradient()->MidColor(), clRed);
  EXPECT_FALSE(Back->Font()->EmbossIfAny()); // nothing of it was written
}

TEST(AttributeStream, PicturesCarryTheirPixels)
{
  TAttributeHolder H;
  TBitmap B(3, 2);
  B.ImageData()->fill(QColor(0, 0, 255));
  B.ImageData()->setPixelColor(2, 1, QColor(255, 0, 0));
  H.Picture()->SetGraphic(&B);
  EXPECT_TRUE(Written(H).startsWith(QStringLiteral("Picture.Data = {")));
  auto Back = ReadBack(H);
  ASSERT_NE(Back->Picture()->Graphic(), nullptr);
  ASSERT_EQ(Back->Picture()->Width(), 3);
  ASSERT_EQ(Back->Picture()->Height(), 2);
  EXPECT_EQ(PixelOf(*Back->Picture()->Graphic()->DrawnImage(), 0, 0), clBlue);
  EXPECT_EQ(PixelOf(*Back->Picture()->Graphic()->DrawnImage(), 2, 1), clRed);

  // An empty bitmap comes back empty.
  TAttributeHolder E;
  E.Picture()->Bitmap();
  auto EmptyBack = ReadBack(E);
  ASSERT_NE(EmptyBack->Picture()->Graphic(), nullptr);
  EXPECT_TRUE(EmptyBack->Picture()->Graphic()->Empty());
}

TEST(AttributeStream, DamagedPictureDataIsRefused)
{
  auto Data = [](const QByteArray& Bytes) {
    TMemoryStream S;
    TWriter W(S);
    W.WriteBinaryData(Bytes);
    W.FlushBuffer();
    return QByteArray(reinterpret_cast<const char*>(S.Memory()), int(S.Size()));
  };
  auto Le32 = [](int32_t V) { return QByteArray(reinterpret_cast<const char*>(&V), 4); };
  const struct {
    const char* Name;
    QByteArray Bytes;
  } Cases[] = {
      {"unknown class", QByteArray("\x08TMissing", 9) + Le32(0)},
      {"size beyond the data", QByteArray("\x07TBitmap", 8) + Le32(1000) + QByteArray(10, 'x')},
      {"negative size", QByteArray("\x07TBitmap", 8) + Le32(-5)},
      {"no picture in the bytes", QByteArray("\x07TBitmap", 8) + Le32(4) + QByteArray("abcd")},
      {"cut short", QByteArray("\x07TBit", 5)},
  };
  for (const auto& C : Cases) {
    TMemoryStream S;
    {
      TWriter W(S);
      W.WritePropName(QStringLiteral("Data"));
      W.FlushBuffer();
    }
    const QByteArray Value = Data(C.Bytes);
    S.WriteBuffer(Value.constData(), int32_t(Value.size()));
    S.SetPosition(0);
    TZuzPicture P;
    TReader R(S);
    EXPECT_ANY_THROW(R.ReadProperty(&P)) << C.Name;
    EXPECT_EQ(P.Graphic(), nullptr) << C.Name;
  }
}
