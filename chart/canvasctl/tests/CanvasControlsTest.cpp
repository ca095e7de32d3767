// The canvas editor controls: symbol buttons, the colour button and its
// dialog, the flat combo box, painted check boxes and the filtered image.
#include "chart/canvasctl/ComboFlat.h"
#include "chart/canvasctl/EditColor.h"
#include "chart/canvasctl/ImageFiltered.h"
#include "chart/canvasctl/VisualEditor.h"
#include "chart/canvasctl/ZuzButton.h"
#include "chart/canvasctl/ZuzDrawCheckBox.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/ChartCanvasInit.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFilters.h"

#include "platform/ClassRegistry.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class TWidgetEnvironment : public ::testing::Environment {
public:
  void SetUp() override
  {
    if (!QApplication::instance()) {
      setenv("QT_QPA_PLATFORM", "offscreen", 0);
      static int Argc = 1;
      static char Name[] = "chart_canvasctl_tests";
      static char* Argv[] = {Name, nullptr};
      new QApplication(Argc, Argv);
    }
    InitializeChartCanvas();
    InitializeCanvasControls();
  }
};
const auto* Registered = ::testing::AddGlobalTestEnvironment(new TWidgetEnvironment);

TColor At(const QImage& I, int X, int Y)
{
  const QRgb P = I.pixel(X, Y);
  return RGBColor(qRed(P), qGreen(P), qBlue(P));
}

int Count(const QImage& I, TColor C)
{
  int N = 0;
  for (int y = 0; y < I.height(); ++y)
    for (int x = 0; x < I.width(); ++x)
      if (At(I, x, y) == C)
        ++N;
  return N;
}

// A colour dialog that answers as the test says and counts its calls.
struct TFakeDialog {
  TFakeDialog()
  {
    Saved = ZuzColorDialog;
    ZuzColorDialog = [this](TComponent*, TColor& C, TColorDialogOptions O, std::vector<TColor>& Custom) {
      ++Calls;
      Options = O;
      SeenCustom = Custom;
      if (!Accept)
        return false;
      C = Answer;
      Custom = NewCustom;
      return true;
    };
  }
  ~TFakeDialog() { ZuzColorDialog = Saved; }
  TColorDialogProc Saved;
  bool Accept = true;
  TColor Answer = clRed;
  std::vector<TColor> NewCustom, SeenCustom;
  TColorDialogOptions Options = 0;
  int Calls = 0;
};

} // namespace

TEST(ZuzButton, SymbolRectangle)
{
  const struct {
    const char* Caption;
    int32_t SymbolWidth, W, H;
    TRect Want;
  } Cases[] = {
      {"Color", 0, 75, 25, {56, 7, 69, 19}},
      {"", 0, 75, 25, {9, 7, 66, 19}},
      {"", 0, 20, 25, {4, 7, 16, 19}},
      {"", 30, 75, 25, {45, 7, 69, 19}},
  };
  for (const auto& C : Cases) {
    TZuzButton B;
    B.SetCaption(QString::fromLatin1(C.Caption));
    B.SetSymbolWidth(C.SymbolWidth);
    B.SetBounds(0, 0, C.W, C.H);
    EXPECT_EQ(B.SymbolRectangle(), C.Want) << C.Caption << C.W;
  }
}

TEST(ButtonColor, LinkedPropertyShowsAndTakesTheColour)
{
  TRotateFilter Target;
  Target.SetBackColor(clTeal);
  TButtonColor B;
  B.LinkProperty(&Target, QStringLiteral("BackColor"));
  ASSERT_NE(B.Info, nullptr);
  EXPECT_EQ(B.SymbolColor(), clTeal);
  B.SetSymbolColor(clNavy);
  EXPECT_EQ(Target.BackColor(), clNavy);
  // A name the object lacks: the button's own colour serves.
  B.LinkProperty(&Target, QStringLiteral("NoSuchColor"));
  EXPECT_EQ(B.Info, nullptr);
  B.SetSymbolColor(clOlive);
  EXPECT_EQ(B.SymbolColor(), clOlive);
  EXPECT_EQ(Target.BackColor(), clNavy);
  B.LinkProperty(nullptr, QString());
  EXPECT_EQ(B.Instance, nullptr);
  B.GetColorProc = [] { return clPurple; };
  EXPECT_EQ(B.SymbolColor(), clPurple);
}

TEST(ButtonColor, DialogResultsAndCustomColours)
{
  FreeZuzCustomColorList();
  TFakeDialog Dialog;
  TButtonColor B;
  B.SetSymbolColor(clBlue);
  int Clicks = 0;
  B.OnClick = [&](TObject*) { ++Clicks; };

  Dialog.Answer = clRed;
  Dialog.NewCustom = {clLime, clYellow};
  B.Click();
  EXPECT_EQ(Dialog.Calls, 1);
  EXPECT_EQ(Dialog.Options, cdFullOpen);
  EXPECT_EQ(B.SymbolColor(), clRed);
  EXPECT_EQ(Clicks, 1);
  ASSERT_NE(ZuzCustomColorList(), nullptr);
  EXPECT_EQ(*ZuzCustomColorList(), (std::vector<TColor>{clLime, clYellow}));

  // The same colour again: nothing fires.
  B.Click();
  EXPECT_EQ(Clicks, 1);
  // Cancelled: the colour and the custom colours stay; the next dialog
  // opened anywhere starts with the remembered custom colours.
  Dialog.Accept = false;
  Dialog.NewCustom = {clBlack};
  B.SetFullOpen(false);
  B.Click();
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Dialog.Options, 0);
  EXPECT_EQ(B.SymbolColor(), clRed);
  EXPECT_EQ(Dialog.SeenCustom, (std::vector<TColor>{clLime, clYellow}));
  TColor C = clAqua;
  EXPECT_FALSE(EditColorDialog(nullptr, C, 0));
  EXPECT_EQ(C, clAqua);
  EXPECT_EQ(*ZuzCustomColorList(), (std::vector<TColor>{clLime, clYellow}));
}

TEST(ButtonColor, PaintsItsSymbol)
{
  auto Grab = [](TButtonColor& B) { return B.Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
  TButtonColor B;
  B.SetBounds(0, 0, 75, 25);
  B.SetCaption(QStringLiteral("Color"));
  B.SetSymbolColor(RGBColor(10, 200, 30));
  EXPECT_GT(Count(Grab(B), RGBColor(10, 200, 30)), 50);
  EXPECT_EQ(At(Grab(B), 62, 13), RGBColor(10, 200, 30));
  B.SetSymbolColor(clNone);
  EXPECT_EQ(Count(Grab(B), RGBColor(10, 200, 30)), 0);
  B.SetSymbolColor(RGBColor(10, 200, 30));
  B.SetEnabled(false);
  EXPECT_EQ(Count(Grab(B), RGBColor(10, 200, 30)), 0);
  B.SetEnabled(true);
  B.SetSymbolVisible(false);
  EXPECT_EQ(Count(Grab(B), RGBColor(10, 200, 30)), 0);
}

TEST(ComboFlat, ItemsAndSelection)
{
  TComboFlat C;
  EXPECT_TRUE(C.CurrentItem().isEmpty());
  EXPECT_EQ(C.SelectedObject(), nullptr);
  TRotateFilter Marker;
  C.Add(QStringLiteral("One"));
  C.AddObject(QStringLiteral("Two"), &Marker);
  C.SetItemIndex(-1);
  EXPECT_TRUE(C.CurrentItem().isEmpty());
  C.SetItemIndex(1);
  EXPECT_EQ(C.CurrentItem(), QStringLiteral("Two"));
  EXPECT_EQ(C.SelectedObject(), &Marker);
  C.SetBounds(0, 0, 80, 21);
  EXPECT_EQ(C.DropDownWidth(), 80);
  C.SetDropDownWidth(150);
  EXPECT_EQ(C.DropDownWidth(), 150);
  // The list's items are ItemHeight pixels high.
  auto* Box = qobject_cast<QComboBox*>(C.Handle());
  const QModelIndex First = Box->model()->index(0, 0);
  EXPECT_EQ(C.ItemHeight(), 13);
  EXPECT_EQ(Box->view()->sizeHintForIndex(First).height(), 13);
  C.SetItemHeight(20);
  C.SetItemHeight(0);
  EXPECT_EQ(C.ItemHeight(), 20);
  EXPECT_EQ(Box->view()->sizeHintForIndex(First).height(), 20);
  // Flat unless the mouse is over it.
  const QImage Flat = Box->grab().toImage();
  C.Inside = true;
  const QImage Native = Box->grab().toImage();
  EXPECT_NE(Flat, Native);
}

TEST(DrawCheckBox, ThroughTheCanvas)
{
  QImage Image(40, 20, QImage::Format_RGB32);
  Image.fill(Qt::yellow);
  TCanvas Device;
  Device.BindImage(&Image);
  TZuzCanvas3D C;
  C.SetUseBuffer(false);
  C.SetCanvas(&Device);
  Device.SetTextAlign(TA_BOTTOM);
  C.DrawCheckBox(2, 2, true, clWhite, true);
  C.DrawCheckBox(20, 2, false, clWhite, false);
  C.SetCanvas(nullptr);
  Device.Release();
  EXPECT_EQ(Device.TextAlign(), TA_LEFT | TA_TOP);
  EXPECT_EQ(At(Image, 8, 9), clBlack);  // the tick
  EXPECT_EQ(At(Image, 4, 12), clWhite); // inside the box
  EXPECT_EQ(At(Image, 26, 8), clWhite); // an empty radio button
  EXPECT_EQ(At(Image, 1, 1), clYellow); // outside
  EXPECT_EQ(At(Image, 15, 1), clYellow);
}

TEST(ImageFiltered, CachesUntilSomethingChanges)
{
  TImageFiltered I;
  I.SetBounds(0, 0, 8, 6);
  EXPECT_EQ(I.Filtered(), nullptr);
  TBitmap Red(8, 6);
  Red.ImageData()->fill(qRgb(200, 0, 0));
  I.Picture()->SetGraphic(&Red);
  auto* B = static_cast<TBrightnessFilter*>(I.Filters()->Add(ClassInfoFor<TBrightnessFilter>()));
  B->SetPercent(false);
  B->SetAmount(10);
  TBitmap* First = I.Filtered();
  ASSERT_NE(First, nullptr);
  EXPECT_EQ(At(*First->ImageData(), 1, 1), RGBColor(210, 10, 10));
  EXPECT_EQ(I.Filtered(), First);
  B->SetAmount(30);
  EXPECT_EQ(At(*I.Filtered()->ImageData(), 1, 1), RGBColor(230, 30, 30));
  I.Picture()->SetGraphic(nullptr);
  EXPECT_EQ(I.Filtered(), nullptr);
  // Painting without a picture paints nothing (and does not fail).
  I.Handle()->grab();

  TImageFiltered Copy;
  Copy.Assign(&I);
  EXPECT_EQ(Copy.Filters()->Count(), 1);
  Copy.Stretch = true;
  Copy.SetBounds(0, 0, 30, 20);
  Copy.Picture()->SetGraphic(&Red);
  EXPECT_EQ(Copy.DestRect(), (TRect{0, 0, 30, 20}));
  Copy.Proportional = true;
  Copy.Center = true;
  EXPECT_EQ(Copy.DestRect(), (TRect{2, 0, 28, 20}));
}

TEST(VisualEditor, TellsItsOwnerOfChanges)
{
  TVisualEditor E;
  E.MarkDirty(); // no owner yet: nothing to tell
  TVisualEditor* Told = nullptr;
  E.OnDirty = [&](TVisualEditor* Sender) { Told = Sender; };
  E.MarkDirty();
  EXPECT_EQ(Told, &E);
}
