#include "chart/core/AxisLabels.h"

#include "chart/canvas/ZuzFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/ZuzConst.h"
#include "platform/Published.h"

namespace {

const TEnumInfo LabelAlignInfo("TAxisLabelAlign", {"alDefault", "alOpposite", "alCenter"});
const TEnumInfo LabelStyleInfo("TAxisLabelStyle",
                               {"talAuto", "talNone", "talValue", "talMark", "talText", "talPointValue"});
const TEnumInfo LabelsPositionInfo("TAxisLabelsPosition", {"lpAtTick", "lpBeforeTick", "lpAfterTick", "lpCenter"});

using L = TAxisLabels;
[[maybe_unused]] const TClassInfo& LabelsClass =
    PublishClass<L>("TAxisLabels", "TPersistent",
                    {
                        PropEnum("Align", &L::Align, &L::SetAlign, LabelAlignInfo, alDefault),
                        PropBool("Alternate", &L::Alternate, &L::SetAlternate, false),
                        PropInt("Angle", &L::Angle, &L::SetAngle, 0),
                        PropBool("Behind", &L::Behind, &L::SetBehind, false),
                        PropBool("Exponent", &L::Exponent, &L::SetExponent, false),
                        PropObj("Format", &L::Format, &L::SetFormat),
                        PropBool("GridIgnoresLabelSize", &L::GridIgnoresLabelSize, &L::SetGridIgnoresLabelSize, false),
                        PropInt("MarginToAxis", &L::MarginToAxis, &L::SetMarginToAxis, 10),
                        PropBool("MultiLine", &L::MultiLine, &L::SetMultiLine, false),
                        PropBool("OnAxis", &L::OnAxis, &L::SetOnAxis, true),
                        PropBool("RoundFirst", &L::RoundFirst, &L::SetRoundFirst, true),
                        PropInt("Separation", &L::Separation, &L::SetSeparation, 10),
                        PropInt("Size", &L::Size, &L::SetSize, 0),
                        PropEnum("Style", &L::Style, &L::SetStyle, LabelStyleInfo, talAuto),
                        PropEnum("Position", &L::Position, &L::SetPosition, LabelsPositionInfo, lpAtTick),
                        PropBool("UseImages", &L::UseImages, &L::SetUseImages, true),
                        PropBool("Visible", &L::Visible, &L::SetVisible, true),
                    });

} // namespace

TAxisLabels::TAxisLabels(TChartAxis* AAxis)
    : FAutomatic(std::make_unique<TAutomaticText>([AAxis](TObject*) {
        if (AAxis->ParentChart())
          AAxis->ParentChart()->Invalidate();
      })),
      FAxis(AAxis)
{
}

TAxisLabels::~TAxisLabels() = default;

String TAxisLabels::ClassName() const { return QStringLiteral("TAxisLabels"); }

void TAxisLabels::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TAxisLabels*>(Source);
  if (!S) {
    TPersistent::Assign(Source);
    return;
  }
  FAlign = S->FAlign;
  FAlternate = S->FAlternate;
  FAngle = S->FAngle;
  FAutomatic->Assign(S->FAutomatic.get());
  FBehind = S->FBehind;
  FExponent = S->FExponent;
  FGridIgnoresSize = S->FGridIgnoresSize;
  FMargin = S->FMargin;
  FMultiLine = S->FMultiLine;
  FOnAxis = S->FOnAxis;
  FPosition = S->FPosition;
  FSeparation = S->FSeparation;
  FSize = S->FSize;
  FStyle = S->FStyle;
  FRoundFirst = S->FRoundFirst;
  FUseImages = S->FUseImages;
}

void TAxisLabels::SetBool(bool& Field, bool Value)
{
  if (FAxis->ParentChart())
    FAxis->ParentChart()->SetBooleanProperty(Field, Value);
  else
    Field = Value;
}

void TAxisLabels::SetInt(int32_t& Field, int32_t Value)
{
  if (FAxis->ParentChart())
    FAxis->ParentChart()->SetIntegerProperty(Field, Value);
  else
    Field = Value;
}

template <class T>
void TAxisLabels::SetOther(T& Field, T Value)
{
  if (Field == Value)
    return;
  Field = Value;
  if (FAxis->ParentChart())
    FAxis->ParentChart()->Invalidate();
}

void TAxisLabels::SetAlign(TAxisLabelAlign Value) { SetOther(FAlign, Value); }
void TAxisLabels::SetAlternate(bool Value) { SetBool(FAlternate, Value); }
void TAxisLabels::SetAngle(int32_t Value) { SetInt(FAngle, ((Value % 360) + 360) % 360); }
void TAxisLabels::SetAutomatic(TAutomaticText* Value) { FAutomatic->Assign(Value); }
void TAxisLabels::SetBehind(bool Value) { SetBool(FBehind, Value); }
void TAxisLabels::SetExponent(bool Value) { SetBool(FExponent, Value); }
void TAxisLabels::SetGridIgnoresLabelSize(bool Value) { SetBool(FGridIgnoresSize, Value); }
void TAxisLabels::SetMarginToAxis(int32_t Value) { SetInt(FMargin, Value); }
void TAxisLabels::SetMultiLine(bool Value) { SetBool(FMultiLine, Value); }
void TAxisLabels::SetOnAxis(bool Value) { SetBool(FOnAxis, Value); }
void TAxisLabels::SetRoundFirst(bool Value) { SetBool(FRoundFirst, Value); }
void TAxisLabels::SetSize(int32_t Value) { SetInt(FSize, Value); }
void TAxisLabels::SetStyle(TAxisLabelStyle Value) { SetOther(FStyle, Value); }
void TAxisLabels::SetPosition(TAxisLabelsPosition Value) { SetOther(FPosition, Value); }
void TAxisLabels::SetUseImages(bool Value) { SetBool(FUseImages, Value); }

void TAxisLabels::SetSeparation(int32_t Value)
{
  if (Value < 0)
    throw AxisException(ZuzMsg_AxisLabelSep);
  SetInt(FSeparation, Value);
}

TAxisLabelsFormat* TAxisLabels::Format() const { return FAxis->Items()->Format(); }

void TAxisLabels::SetFormat(TAxisLabelsFormat* Value) { Format()->Assign(Value); }

TZuzFont* TAxisLabels::Font() const { return Format()->Font(); }

void TAxisLabels::SetFont(TZuzFont* Value) { Format()->SetFont(Value); }

bool TAxisLabels::Visible() const { return Format()->Visible(); }

void TAxisLabels::SetVisible(bool Value) { Format()->SetVisible(Value); }
