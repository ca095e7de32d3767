// The filter framework: regions, the 3 x 3 convolution and blur, filter
// lists, chart pictures and the "FilterItems" stream value.
#include "TestSupport.h"

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "chart/canvas/FloatXY.h"
#include "chart/canvas/ZuzBrush.h"
#include "chart/canvas/ZuzCanvas3D.h"
#include "chart/canvas/ZuzFilter.h"
#include "chart/canvas/ZuzFilters.h"
#include "chart/canvas/ZuzPicture.h"

#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Remembers the rectangle its Apply receives.
class TProbeFilter : public TZuzFilter {
public:
  using TZuzFilter::Apply;
  using TZuzFilter::TZuzFilter;
  void Apply(TBitmap* Bitmap, const TRect& R) override
  {
    TZuzFilter::Apply(Bitmap, R);
    Seen = R;
    ++Calls;
  }
  TRect Seen{-1, -1, -1, -1};
  int Calls = 0;
};

void SetPixel(TBitmap& B, int X, int Y, TColor C)
{
  B.ImageData()->setPixel(X, Y, qRgb(GetRValue(C), GetGValue(C), GetBValue(C)));
}
TColor PixelAt(const TBitmap& B, int X, int Y) { return PixelOf(*B.ImageData(), X, Y); }

std::unique_ptr<TBitmap> Filled(int W, int H, TColor C)
{
  auto B = std::make_unique<TBitmap>(W, H);
  B->ImageData()->fill(qRgb(GetRValue(C), GetGValue(C), GetBValue(C)));
  return B;
}

QByteArray Bytes(TMemoryStream& S) { return QByteArray(reinterpret_cast<const char*>(S.Memory()), int(S.Size())); }

} // namespace

TEST(FilterRegion, RectangleTheFilterWorksOn)
{
  struct {
    bool HasRegion;
    TRect Region; // Left, Top, Width, Height
    TRect Want;   // inclusive; Left -1: not applied
  } Cases[] = {
      {false, {}, {0, 0, 99, 79}},
      {true, {0, 0, 0, 0}, {0, 0, 99, 79}},
      {true, {10, 10, 20, 20}, {10, 10, 30, 30}},
      {true, {90, 70, 50, 50}, {90, 70, 99, 79}},
      // Values from a chart file that reach outside the bitmap are limited
      // to it, and a region wholly outside filters nothing.
      {true, {-5, -7, 0, 0}, {0, 0, 99, 79}},
      {true, {-50, -50, 60, 55}, {0, 0, 10, 5}},
      {true, {5, 5, INT_MAX, INT_MAX}, {5, 5, 99, 79}},
      {true, {INT_MAX, 3, 0, 0}, {-1, -1, -1, -1}},
      {true, {200, 3, 5, 5}, {-1, -1, -1, -1}},
      {true, {-100, 3, 10, 5}, {-1, -1, -1, -1}},
  };
  for (const auto& C : Cases) {
    TProbeFilter F;
    if (C.HasRegion) {
      F.Region()->SetLeft(C.Region.Left);
      F.Region()->SetTop(C.Region.Top);
      F.Region()->SetWidth(C.Region.Right);
      F.Region()->SetHeight(C.Region.Bottom);
    }
    TBitmap B(100, 80);
    F.Apply(&B);
    EXPECT_EQ(F.Seen, C.Want) << C.Region.Left << "," << C.Region.Top << "," << C.Region.Right;
  }
  TFilterRegion R;
  R.SetRectangle(TRect{3, 4, 10, 20});
  EXPECT_EQ(R.Width(), 7);
  EXPECT_EQ(R.Rectangle(), (TRect{3, 4, 10, 20}));
}

TEST(ConvolveFilter, BlurAveragesTheInteriorOnly)
{
  // A white dot on black: the box average spreads it over its neighbours;
  // the border row and column of the rectangle keep their pixels.
  auto B = Filled(5, 5, clBlack);
  SetPixel(*B, 2, 2, clWhite);
  SetPixel(*B, 0, 4, clWhite);
  TBlurFilter Blur;
  Blur.Apply(B.get());
  EXPECT_EQ(PixelAt(*B, 1, 1), RGBColor(28, 28, 28) + 0u); // (255 + 0 * 8) div 9
  EXPECT_EQ(PixelAt(*B, 2, 2), RGBColor(28, 28, 28) + 0u);
  EXPECT_EQ(PixelAt(*B, 0, 4), clWhite);
  EXPECT_EQ(PixelAt(*B, 4, 4), clBlack);

  // Amount 0 averages the eight neighbours: the dot itself goes dark.
  auto D = Filled(5, 5, clBlack);
  SetPixel(*D, 2, 2, clWhite);
  TBlurFilter Ring;
  Ring.SetAmount(0);
  Ring.Apply(D.get());
  EXPECT_EQ(PixelAt(*D, 2, 2), clBlack);
  EXPECT_EQ(PixelAt(*D, 1, 2), RGBColor(32, 32, 32) + 0u); // round(255 / 8)

  // Rectangles one or two pixels wide have no interior.
  for (const int W : {1, 2}) {
    auto Thin = Filled(W, 6, clBlack);
    SetPixel(*Thin, 0, 3, clWhite);
    const QImage Before = *Thin->ImageData();
    Blur.Apply(Thin.get());
    EXPECT_EQ(*Thin->ImageData(), Before) << W;
  }
}

TEST(ConvolveFilter, WeightsThatCancelOutAreAppliedUnnormalised)
{
  // A blur amount of -8 makes the nine weights sum to 0: the pixel becomes
  // the sum of its neighbours less eight times itself, limited to 0..255.
  auto B = Filled(3, 3, RGBColor(10, 10, 10));
  SetPixel(*B, 1, 1, RGBColor(2, 20, 0));
  TBlurFilter Edge;
  Edge.SetAmount(-8);
  Edge.Apply(B.get());
  EXPECT_EQ(PixelAt(*B, 1, 1), RGBColor(80 - 16, 0, 80));
}

TEST(ConvolveFilter, PassesAreCapped)
{
  // A pass count from a chart file cannot keep the blur running for ever:
  // beyond the cap every further pass is left out.
  auto A = Filled(12, 12, clBlack);
  auto B = Filled(12, 12, clBlack);
  SetPixel(*A, 6, 6, clWhite);
  SetPixel(*B, 6, 6, clWhite);
  TBlurFilter Capped, Huge;
  Capped.SetSteps(MaxFilterSteps);
  Huge.SetSteps(INT_MAX);
  Capped.Apply(A.get());
  Huge.Apply(B.get());
  EXPECT_EQ(*A->ImageData(), *B->ImageData());
}

TEST(FilterItems, AssignCopiesClassesAndValues)
{
  TFilterItems Source(nullptr), Target(nullptr);
  auto* Blur = static_cast<TBlurFilter*>(Source.Add(ClassInfoFor<TBlurFilter>()));
  Blur->SetSteps(4);
  Blur->Region()->SetLeft(7);
  static_cast<TGrayScaleFilter*>(Source.Add(ClassInfoFor<TGrayScaleFilter>()))->SetMethod(gmEye2);
  auto* Rotate = static_cast<TRotateFilter*>(Source.Add(ClassInfoFor<TRotateFilter>()));
  Rotate->SetAngle(33.5);
  Rotate->SetEnabled(false);
  Target.Add(ClassInfoFor<TInvertFilter>());
  int Changes = 0;
  Target.FOnChange = [&](TObject*) { ++Changes; };
  Target.Assign(&Source);
  ASSERT_EQ(Target.Count(), 3);
  EXPECT_GT(Changes, 0);
  EXPECT_TRUE(Target.Changed);
  auto* B2 = dynamic_cast<TBlurFilter*>(Target.Get(0));
  ASSERT_NE(B2, nullptr);
  EXPECT_EQ(B2->Steps(), 4);
  EXPECT_EQ(B2->Region()->Left(), 7);
  auto* G2 = dynamic_cast<TGrayScaleFilter*>(Target.Get(1));
  ASSERT_NE(G2, nullptr);
  EXPECT_EQ(G2->Method(), gmEye2);
  auto* R2 = dynamic_cast<TRotateFilter*>(Target.Get(2));
  ASSERT_NE(R2, nullptr);
  EXPECT_EQ(R2->Angle(), 33.5);
  EXPECT_FALSE(R2->Enabled());
  EXPECT_THROW(Target.Add(ClassInfoFor<TFilterRegion>()), EFilerError);
}

TEST(ZuzPicture, FilteredIsACopyOnlyWhenThereAreFilters)
{
  TZuzPicture P;
  EXPECT_EQ(P.Filtered(), nullptr);
  auto Red = Filled(4, 3, clRed);
  P.SetGraphic(Red.get());
  EXPECT_EQ(P.Filtered(), P.Graphic());
  P.Filters(); // an empty list changes nothing
  EXPECT_EQ(P.Filtered(), P.Graphic());

  P.Filters()->Add(ClassInfoFor<TInvertFilter>())->SetEnabled(false);
  TGraphic* Copy = P.Filtered();
  ASSERT_NE(Copy, P.Graphic());
  EXPECT_EQ(PixelOf(*Copy->DrawnImage(), 1, 1), clRed);

  P.Filters()->Get(0)->SetEnabled(true);
  EXPECT_EQ(PixelOf(*P.Filtered()->DrawnImage(), 1, 1), clAqua);
  EXPECT_EQ(PixelOf(*P.Graphic()->DrawnImage(), 1, 1), clRed);

  TZuzPicture Other;
  Other.Assign(&P);
  ASSERT_NE(Other.FiltersIfAny(), nullptr);
  EXPECT_EQ(Other.Filters()->Count(), 1);
  EXPECT_EQ(PixelOf(*Other.Filtered()->DrawnImage(), 0, 0), clAqua);
  TZuzPicture Plain;
  Other.Assign(&Plain);
  EXPECT_EQ(Other.FiltersIfAny(), nullptr);

  // A brush picture is drawn through its filters.
  TBufferedCanvas C(20, 20);
  C.Canvas->Brush()->Image()->SetGraphic(Red.get());
  C.Canvas->Brush()->Image()->Filters()->Add(ClassInfoFor<TInvertFilter>());
  C.Canvas->Rectangle(0, 0, 20, 20);
  EXPECT_EQ(C.Pixel(10, 10), clAqua);
}

TEST(FilterStream, WritesClassNamesAndChangedValues)
{
  TFilterItems L(nullptr);
  static_cast<TBlurFilter*>(L.Add(ClassInfoFor<TBlurFilter>()))->SetSteps(3);
  static_cast<TGrayScaleFilter*>(L.Add(ClassInfoFor<TGrayScaleFilter>()))->SetMethod(gmEye);
  TMemoryStream S;
  {
    TWriter W(S);
    WriteFilters(W, &L);
    W.FlushBuffer();
  }
  auto Name = [](const char* N) { return QByteArray(1, char(qstrlen(N))) + N; };
  auto Str = [](const char* N) { return QByteArray(1, char(vaString)) + QByteArray(1, char(qstrlen(N))) + N; };
  const QByteArray Want = QByteArray(1, char(vaCollection)) + QByteArray(1, char(vaList)) + Name("ItemClass") +
                          Str("TBlurFilter") + Name("Steps") + QByteArray(1, char(vaInt8)) + QByteArray(1, 3) +
                          QByteArray(1, 0) + QByteArray(1, char(vaList)) + Name("ItemClass") + Str("TGrayScaleFilter") +
                          Name("Method") + QByteArray(1, char(vaIdent)) + Name("gmEye") + QByteArray(1, 0) +
                          QByteArray(1, 0);
  EXPECT_EQ(Bytes(S).toHex(), Want.toHex());

  TFilterItems Back(nullptr);
  Back.Add(ClassInfoFor<TSepiaFilter>());
  S.SetPosition(0);
  {
    TReader R(S);
    ReadFilters(R, &Back);
  }
  ASSERT_EQ(Back.Count(), 2);
  auto* B = dynamic_cast<TBlurFilter*>(Back.Get(0));
  ASSERT_NE(B, nullptr);
  EXPECT_EQ(B->Steps(), 3);
  auto* G = dynamic_cast<TGrayScaleFilter*>(Back.Get(1));
  ASSERT_NE(G, nullptr);
  EXPECT_EQ(G->Method(), gmEye);
}

TEST(FilterStream, OnlyRegisteredFilterClassesAreMade)
{
  auto StreamNaming = [](const char* ClassName) {
    auto S = std::make_unique<TMemoryStream>();
    TWriter W(*S);
    W.WriteValue(vaCollection);
    W.WriteListBegin();
    W.WritePropName(QStringLiteral("ItemClass"));
    W.WriteString(QString::fromLatin1(ClassName));
    W.WriteListEnd();
    W.WriteListEnd();
    W.FlushBuffer();
    S->SetPosition(0);
    return S;
  };
  // An unknown name, and a registered class that is no filter.
  for (const char* Name : {"TNoSuchFilter", "TFilterRegion", "TZuzPicture"}) {
    auto S = StreamNaming(Name);
    TFilterItems L(nullptr);
    TReader R(*S);
    EXPECT_THROW(ReadFilters(R, &L), EClassNotFound) << Name;
    EXPECT_EQ(L.UpdateCount(), 0) << Name;
    EXPECT_EQ(L.Count(), 0) << Name;
  }
}

TEST(FilterStream, PictureCarriesItsFiltersAsACustomValue)
{
  TZuzPicture P;
  auto* Bevel = static_cast<TBevelFilter*>(P.Filters()->Add(ClassInfoFor<TBevelFilter>()));
  Bevel->SetSize(4);
  Bevel->Region()->SetWidth(12);
  TMemoryStream S;
  {
    TWriter W(S);
    W.WriteProperties(&P);
    W.WriteListEnd();
    W.FlushBuffer();
  }
  EXPECT_TRUE(Bytes(S).contains("FilterItems"));
  EXPECT_TRUE(Bytes(S).contains("Region.Width"));
  S.SetPosition(0);
  TZuzPicture Q;
  {
    TReader R(S);
    while (!R.EndOfList())
      R.ReadProperty(&Q);
  }
  ASSERT_NE(Q.FiltersIfAny(), nullptr);
  ASSERT_EQ(Q.Filters()->Count(), 1);
  auto* B = dynamic_cast<TBevelFilter*>(Q.Filters()->Get(0));
  ASSERT_NE(B, nullptr);
  EXPECT_EQ(B->Size(), 4);
  EXPECT_EQ(B->Region()->Width(), 12);

  // An empty list writes nothing.
  TZuzPicture Empty;
  Empty.Filters();
  TMemoryStream E;
  {
    TWriter W(E);
    W.WriteProperties(&Empty);
    W.FlushBuffer();
  }
  EXPECT_FALSE(Bytes(E).contains("FilterItems"));
}

namespace {
// Lists the controls a filter asks for.
class TRecordingCreator : public IFormCreator {
public:
  struct TControl : TFormControl {
    TControl(TRecordingCreator* O, QString N) : Owner(O), Name(std::move(N)) {}
    void SetRange(int32_t AMin, int32_t AMax) override
    {
      Owner->Log << QStringLiteral("%1.SetRange(%2,%3)").arg(Name).arg(AMin).arg(AMax);
    }
    TRecordingCreator* Owner;
    QString Name;
  };
  TFormControl* Make(const QString& Entry, const QString& Name)
  {
    Log << Entry;
    Controls.push_back(std::make_unique<TControl>(this, Name));
    return Controls.back().get();
  }
  TFormControl* AddCheckBox(const String& P, const String& C, const TNotifyEvent& OnChange) override
  {
    CheckBoxChange = OnChange;
    return Make(QStringLiteral("CheckBox(%1,%2)").arg(P, C), P);
  }
  TFormControl* AddColor(const String& P, const String& C) override
  {
    return Make(QStringLiteral("Color(%1,%2)").arg(P, C), P);
  }
  TFormControl* AddCombo(const String& P) override { return Make(QStringLiteral("Combo(%1)").arg(P), P); }
  TFormControl* AddInteger(const String& P, const String& C, int32_t Min, int32_t Max) override
  {
    return Make(QStringLiteral("Integer(%1,%2,%3,%4)").arg(P, C).arg(Min).arg(Max), P);
  }
  TFormControl* AddScroll(const String& P, int32_t Min, int32_t Max) override
  {
    return Make(QStringLiteral("Scroll(%1,%2,%3)").arg(P).arg(Min).arg(Max), P);
  }
  QStringList Log;
  TNotifyEvent CheckBoxChange;
  std::vector<std::unique_ptr<TControl>> Controls;
};
} // namespace

TEST(FilterEditor, ControlsFollowTheFilter)
{
  const struct {
    TFilterClass Class;
    QStringList Want;
  } Cases[] = {
      {ClassInfoFor<TBlurFilter>(), {"Scroll(Steps,1,20)", "Scroll(Amount,0,50)"}},
      {ClassInfoFor<TMosaicFilter>(), {"Scroll(Amount,0,255)", "CheckBox(Percent,Percent)"}},
      {ClassInfoFor<TBrightnessFilter>(), {"Scroll(Amount,-100,100)", "CheckBox(Percent,Percent)"}},
      {ClassInfoFor<TCropFilter>(),
       {"Integer(Width,Width,0,10000)", "Integer(Height,Height,0,10000)", "Integer(Left,Left,0,10000)",
        "Integer(Top,Top,0,10000)", "CheckBox(Smooth,Smooth)"}},
      {ClassInfoFor<TRotateFilter>(), {"Scroll(Angle,0,360)", "Color(BackColor,Back)", "CheckBox(AutoSize,Autosize)"}},
      {ClassInfoFor<TTileFilter>(), {"Integer(NumCols,Columns,1,1000)", "Integer(NumRows,Rows,1,1000)"}},
      {ClassInfoFor<TInvertFilter>(), {}},
  };
  for (const auto& C : Cases) {
    std::unique_ptr<TCollectionItem> Item(C.Class->CreateItem(nullptr));
    auto* F = static_cast<TZuzFilter*>(Item.get());
    TRecordingCreator Creator;
    int Changed = 0;
    F->CreateEditor(&Creator, [&](TObject*) { ++Changed; });
    EXPECT_EQ(Creator.Log, C.Want) << C.Class->ClassName().toStdString();
    F->SetEnabled(!F->Enabled());
    EXPECT_EQ(Changed, 1);
  }
  // Switching the brightness to absolute values widens its scroll bar.
  TBrightnessFilter B;
  TRecordingCreator Creator;
  B.CreateEditor(&Creator, {});
  B.SetPercent(false);
  ASSERT_TRUE(Creator.CheckBoxChange);
  Creator.CheckBoxChange(&B);
  EXPECT_EQ(Creator.Log.last(), QStringLiteral("Amount.SetRange(-255,255)"));
}

TEST(FilterRegistry, NamesAreListedOnce)
{
  ASSERT_NE(ZuzFilterClasses(), nullptr);
  EXPECT_EQ(ZuzFilterClasses()->Count(), 25);
  EXPECT_EQ(ZuzFilterClasses()->Strings(0), QStringLiteral("TInvertFilter"));
  EXPECT_EQ(ZuzFilterClasses()->Strings(10), QStringLiteral("TBlurFilter"));
  EXPECT_EQ(ZuzFilterClasses()->Strings(24), QStringLiteral("TSepiaFilter"));
  const TFilterClass Twice[] = {ClassInfoFor<TFlipFilter>(), ClassInfoFor<TFlipFilter>()};
  ZuzRegisterFilters(Twice);
  EXPECT_EQ(ZuzFilterClasses()->Count(), 25);

  const TFilterClass Probe[] = {ClassInfoFor<TZuzFilter>()};
  ZuzUnRegisterFilters(Probe); // not listed: the list stays
  EXPECT_EQ(ZuzFilterClasses()->Count(), 25);
  RegisterClass(ClassInfoFor<TZuzFilter>());

  const TFilterClass Sepia[] = {ClassInfoFor<TSepiaFilter>()};
  ZuzUnRegisterFilters(Sepia);
  EXPECT_EQ(ZuzFilterClasses()->Count(), 24);
  EXPECT_EQ(ZuzGetClass(QStringLiteral("TSepiaFilter")), nullptr);
  ZuzRegisterFilters(Sepia);
  EXPECT_EQ(ZuzFilterClasses()->Count(), 25);
  EXPECT_EQ(ZuzGetClass(QStringLiteral("TSepiaFilter")), ClassInfoFor<TSepiaFilter>());
  EXPECT_EQ(ZuzGetClass(QStringLiteral("TNoSuchClass")), nullptr);
  EXPECT_EQ(ZuzResourceStream(QStringLiteral("NO_SUCH_RESOURCE")), nullptr);

  // Every registered class describes itself and survives its own editor.
  for (int i = 0; i < ZuzFilterClasses()->Count(); ++i) {
    const TClassInfo* C = ZuzGetClass(ZuzFilterClasses()->Strings(i));
    ASSERT_NE(C, nullptr);
    std::unique_ptr<TCollectionItem> Item(C->CreateItem(nullptr));
    auto* F = dynamic_cast<TZuzFilter*>(Item.get());
    ASSERT_NE(F, nullptr) << C->ClassName().toStdString();
    EXPECT_FALSE(F->Description().isEmpty());
    EXPECT_NE(F->Description(), F->ClassName());
  }
}

TEST(FloatXY, ChangesAndStoredValues)
{
  int Changes = 0;
  TFloatXYZ P([&](TObject*) { ++Changes; });
  P.IDefaultX = 2;
  P.SetX(2);
  P.SetY(0);
  EXPECT_EQ(Changes, 1); // only X changed
  P.SetZ(1.5f);
  EXPECT_EQ(Changes, 2);
  TMemoryStream S;
  {
    TWriter W(S);
    W.WriteProperties(&P);
    W.FlushBuffer();
  }
  // X equals its default and is not written; Y is at 0 and neither; Z is.
  EXPECT_FALSE(Bytes(S).contains("\x01X"));
  EXPECT_TRUE(Bytes(S).contains("\x01Z"));
  TFloatXYZ Q;
  Q.SetX(9);
  Q.Assign(&P);
  EXPECT_EQ(Q.Point(), (TPoint3DFloat{2, 0, 1.5f}));
  EXPECT_EQ(Changes, 2);
  TFilterRegion Other;
  EXPECT_THROW(Q.Assign(&Other), EConvertError);
}
