#include "chart/core/ChartTitle.h"

#include "chart/canvas/ZuzFont.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/CustomZuzPanel.h"
#include "platform/CanvasMath.h"
#include "platform/Published.h"
#include "rtl/StringList.h"

#include <algorithm>

namespace {
const TEnumInfo AlignmentInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});

[[maybe_unused]] const TClassInfo& StringsShapeClass =
    PublishClass<TStringsShape>("TStringsShape", "TTextShape", {PropStrings("Text", &TStringsShape::GetText)});

using T = TChartTitle;
[[maybe_unused]] const TClassInfo& TitleClass =
    PublishClass<T>("TChartTitle", "TStringsShape",
                    {
                        PropBool("AdjustFrame", &T::AdjustFrame, &T::SetAdjustFrame, true),
                        PropEnum("Alignment", &T::Alignment, &T::SetAlignment, AlignmentInfo, taCenter),
                        PropInt("VertMargin", &T::VertMargin, &T::SetVertMargin, 5),
                    });
[[maybe_unused]] const TClassInfo& FootTitleClass = PublishClass<TChartFootTitle>("TChartFootTitle", "TChartTitle");
} // namespace

String RemoveLastLineBreak(const String& S)
{
  if (S.size() > 2 && S.endsWith(QStringLiteral("\r\n")))
    return S.left(S.size() - 2);
  return S;
}

TStringsShape::TStringsShape(TCustomZuzPanel* AOwner) : TTextShape(AOwner), FTitleText(std::make_unique<TStringList>())
{
  FTitleText->OnChange = [this](TObject*) { LinesChanged(); };
}

TStringsShape::~TStringsShape() { FTitleText->OnChange = nullptr; }

String TStringsShape::ClassName() const { return QStringLiteral("TStringsShape"); }

void TStringsShape::LinesChanged()
{
  if (IChangingText)
    return;
  IChangingText = true;
  TCustomTextShape::SetText(RemoveLastLineBreak(FTitleText->Text()));
  IChangingText = false;
  Repaint();
}

void TStringsShape::ChangedText()
{
  if (!IChangingText) {
    IChangingText = true;
    FTitleText->SetText(Text());
    IChangingText = false;
  }
  TTextShape::ChangedText();
}

void TStringsShape::SetText(TStringList* Strings)
{
  if (Strings)
    FTitleText->Assign(*Strings);
  else
    FTitleText->Clear();
}

String TStringsShape::Caption() const { return FTitleText->Count() > 0 ? FTitleText->Strings(0) : String(); }

void TStringsShape::SetCaption(const String& Text)
{
  if (Text.isEmpty())
    FTitleText->Clear();
  else
    FTitleText->SetText(Text);
}

void TStringsShape::Clear() { FTitleText->Clear(); }

// ---------------------------------------------------------------------------

TChartTitle::TChartTitle(TCustomZuzPanel* AOwner) : TStringsShape(AOwner)
{
  SetAlignment(taCenter);
  SetDraw3D(false);
  InitTextAlignment(taCenter);
  InitTransparent(true);
  Font()->InitColor(0xFF0000);
}

String TChartTitle::ClassName() const { return QStringLiteral("TChartTitle"); }

void TChartTitle::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TChartTitle*>(Source)) {
    FAdjustFrame = S->FAdjustFrame;
    SetText(S->GetText());
    FVertMargin = S->FVertMargin;
  }
  TZuzCustomShapePosition::Assign(Source);
}

bool TChartTitle::ShouldDraw() const { return Visible() && GetText()->Count() > 0; }

bool TChartTitle::Clicked(const TPoint& P) const
{
  return Visible() && P.X >= ShapeBounds.Left && P.X <= ShapeBounds.Right && P.Y >= ShapeBounds.Top &&
         P.Y <= ShapeBounds.Bottom;
}

void TChartTitle::SetAdjustFrame(bool Value) { Change(FAdjustFrame, Value); }

void TChartTitle::SetVertMargin(int32_t Value) { Change(FVertMargin, Value); }

void TChartTitle::DrawTitle()
{
  if (!ShouldDraw() || !FParent)
    return;
  TCustomZuzPanel* Chart = FParent;
  SetAutoSize(true);
  CalcBounds(Chart);
  const int32_t P = Frame()->Visible() && Frame()->Width() > 1 ? Frame()->Width() / 2 : 0;
  if (!CustomPosition()) {
    const int32_t ChartW = Chart->Width();
    const int32_t X0 = Chart->BorderSize() + PixelRound(ChartW * 0.02);
    const int32_t W = Width(), H = Height();
    const int32_t Y = IOnTop ? Chart->ChartRect.Top + P : Chart->ChartRect.Bottom - H - P;
    int32_t X = X0, NewW = W;
    if (FAdjustFrame) {
      if (Alignment() == taRightJustify)
        X = ChartW - W - X0;
      else if (Alignment() == taCenter)
        X = std::max((Chart->ChartRect.Left + Chart->ChartRect.Right) / 2 - W / 2, X0);
    } else {
      SetAutoSize(false);
      NewW = ChartW - 2 * X0;
    }
    ShapeBounds = TRect{X, Y, X + NewW, Y + H};
  }
  Draw();
  if (!CustomPosition()) {
    if (IOnTop)
      Chart->ChartRect.Top = ShapeBounds.Bottom + FVertMargin + P;
    else
      Chart->ChartRect.Bottom = ShapeBounds.Top - P - FVertMargin;
    Chart->ReCalcWidthHeight();
  }
}

TChartFootTitle::TChartFootTitle(TCustomZuzPanel* AOwner) : TChartTitle(AOwner)
{
  IOnTop = false;
  Font()->InitColor(0x0000FF);
  Font()->InitStyle(FontStyleBit(fsItalic));
}

String TChartFootTitle::ClassName() const { return QStringLiteral("TChartFootTitle"); }
