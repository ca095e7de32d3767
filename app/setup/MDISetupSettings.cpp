// The settings under the set-up grid: the controls, their limits and what
// each stores in the core.
#include "app/setup/MDISetup.h"

#include "app/core/CoreData.h"
#include "app/core/OutputStrings.h"
#include "app/setup/SetupChoices.h"
#include "app/setup/SetupHost.h"
#include "app/windows/QvNumEdit.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"

#include <QScopeGuard>

#include <exception>
#include <iterator>

namespace {

// The numeric fields, QvNumEdit1..QvNumEdit7.
struct TNumField {
  const char* Caption;
  double MinValue;
  double MaxValue;
  int32_t Decimals;
};
constexpr TNumField NumFields[7] = {{"Density Value", 900, 1200, 4},     {"Gravity Value", 8, 11, 7},
                                    {"Latitude Value", -180, 180, 3},    {"Max Pressure, dBar", 1, 6000, 0},
                                    {"Array Resolution", 1, 6000, 0},    {"Max. Viewable Points", 60, 1440, 0},
                                    {"Altimeter Offset", -1000, 1000, 3}};
constexpr int32_t HistoryEdit = 6;
constexpr int32_t MostViewPoints = 1440;

const char* const FormatCaptions[OfferedOutputFormatCount] = {
    "Tarnwick", "SeaKing Long", "SeaKing Long Decimal", "Digiquartz",
    "UK90 STD", "Grevon Proc",  "Grevon Proc (prefix)"};
const char* const Frequencies[] = {"1", "2", "4", "8"};

const char* const DefaultGrevonProcPrefix = "%D0074042700";
const char* const DefaultSeaKingPrefix = "%D0070042703";
const char* const DefaultBathyMetricCode = "007";
const char* const DefaultSeaKingLongValid = "031";

TGroupBox* MakeGroup(TWinControl* Parent, const char* Caption, int32_t X, int32_t Y, int32_t W, int32_t H)
{
  auto* G = new TGroupBox(Parent);
  G->SetParent(Parent);
  G->SetCaption(QString::fromLatin1(Caption));
  G->SetBounds(X, Y, W, H);
  return G;
}

TLabel* MakeLabel(TWinControl* Parent, const char* Caption, int32_t X, int32_t Y)
{
  auto* L = new TLabel(Parent);
  L->SetParent(Parent);
  L->SetCaption(QString::fromLatin1(Caption));
  L->SetLeft(X);
  L->SetTop(Y);
  return L;
}

TEdit* MakeEdit(TWinControl* Parent, const char* Name, int32_t MaxLength, int32_t X, int32_t Y, int32_t W)
{
  auto* E = new TEdit(Parent);
  E->SetName(QString::fromLatin1(Name));
  E->SetParent(Parent);
  E->SetMaxLength(MaxLength);
  E->SetBounds(X, Y, W, 21);
  return E;
}

TPanel* MakePanel(TWinControl* Parent, const char* Name, int32_t X, int32_t Y, int32_t W)
{
  auto* P = new TPanel(Parent);
  P->SetName(QString::fromLatin1(Name));
  P->SetParent(Parent);
  P->SetBevelOuter(bvLowered);
  P->SetCaption(String());
  P->SetBounds(X, Y, W, 21);
  return P;
}

TRadioGroup* MakeRadioGroup(TWinControl* Parent, const char* Name, const char* Caption, int32_t X, int32_t Y, int32_t W,
                            int32_t H)
{
  auto* R = new TRadioGroup(Parent);
  R->SetName(QString::fromLatin1(Name));
  R->SetParent(Parent);
  R->SetCaption(QString::fromLatin1(Caption));
  R->SetBounds(X, Y, W, H);
  return R;
}

TComboBox* MakeCombo(TWinControl* Parent, const char* Name, int32_t X, int32_t Y, int32_t W,
                     std::initializer_list<const char*> Items)
{
  auto* C = new TComboBox(Parent);
  C->SetName(QString::fromLatin1(Name));
  C->SetParent(Parent);
  C->SetBounds(X, Y, W, 21);
  for (const char* T : Items)
    C->Items()->Add(QString::fromLatin1(T));
  return C;
}

String NumberText(double Value, int32_t Decimals) { return FloatToStrF(Value, TFloatFormat::ffFixed, 18, Decimals); }

} // namespace

void TMDISetup::MakeSettingsControls()
{
  constexpr int32_t Top = 350;
  auto NumEdit = [this](int32_t Edit, TWinControl* Parent, int32_t X, int32_t Y, int32_t W) {
    const TNumField& F = NumFields[Edit - 1];
    auto* E = new TQvNumEdit(Parent);
    E->SetName(QStringLiteral("QvNumEdit%1").arg(Edit));
    E->SetParent(Parent);
    E->SetBounds(X, Y, W, 21);
    E->SetMaxValue(F.MaxValue);
    E->SetMinValue(F.MinValue);
    E->SetDecimals(F.Decimals);
    E->OnAccept = [this, Edit](TObject*) { QvNumEditAccept(Edit); };
    E->OnError = [this, Edit](TObject*, bool& CanExit) { QvNumEditError(Edit, CanExit); };
    QvNumEdits[static_cast<size_t>(Edit - 1)] = E;
    return E;
  };

  // Density and gravity are kept but not offered.
  NumEdit(1, this, 0, 0, 80)->SetVisible(false);
  NumEdit(2, this, 0, 0, 80)->SetVisible(false);

  TGroupBox* Qyr = MakeGroup(this, "QYR", 4, Top, 170, 215);
  MakeLabel(Qyr, "Latitude Value", 8, 16);
  NumEdit(3, Qyr, 8, 30, 150);
  MakeLabel(Qyr, "Sampling Rate, ms", 8, 54);
  ComboBox2 = MakeCombo(Qyr, "ComboBox2", 8, 68, 150, {});
  ComboBox2->SetStyle(csDropDownList);
  ComboBox2->SetHint(QStringLiteral("Select required sample rate from list."));
  ComboBox2->SetShowHint(true);
  for (const TSampleInterval& I : SampleIntervals)
    ComboBox2->Items()->Add(QString::fromLatin1(I.KirvoRate));
  ComboBox2->SetItemIndex(2);
  ComboBox2->OnChange = [this](TObject*) { ComboBox2Change(); };
  MakeLabel(Qyr, "Max. Viewable Points", 8, 92);
  NumEdit(6, Qyr, 8, 106, 150);
  MakeLabel(Qyr, "Tare Value", 8, 130);
  Panel2 = MakePanel(Qyr, "Panel2", 8, 144, 150);
  MakeLabel(Qyr, "Tare Date Time", 8, 168);
  Panel3 = MakePanel(Qyr, "Panel3", 8, 182, 150);

  TGroupBox* Density = MakeGroup(this, "Density Array", 178, Top, 136, 100);
  MakeLabel(Density, "Max Pressure, dBar", 8, 16);
  NumEdit(4, Density, 8, 30, 112);
  MakeLabel(Density, "Array Resolution", 8, 54);
  NumEdit(5, Density, 8, 68, 112);

  TGroupBox* Height = MakeGroup(this, "Height Above Sea Level", 178, Top + 104, 136, 46);
  QvNumEdit8 = MakeEdit(Height, "QvNumEdit8", 2, 8, 18, 112);
  QvNumEdit8->SetText(QStringLiteral("0"));
  QvNumEdit8->OnChange = [this](TObject*) { QvNumEdit8Change(); };

  TGroupBox* Clock = MakeGroup(this, "Clock Settings", 178, Top + 154, 136, 61);
  Panel1 = MakePanel(Clock, "Panel1", 8, 14, 112);
  Panel1->SetHint(QStringLiteral("Display of instrument time."));
  Panel1->SetShowHint(true);
  BitBtn1 = new TButton(Clock);
  BitBtn1->SetName(QStringLiteral("BitBtn1"));
  BitBtn1->SetParent(Clock);
  BitBtn1->SetCaption(QStringLiteral("Set Time"));
  BitBtn1->SetHint(QStringLiteral("Select to set instrument time to PC time."));
  BitBtn1->SetShowHint(true);
  BitBtn1->SetBounds(8, 36, 112, 21);
  BitBtn1->SetEnabled(false);
  BitBtn1->OnClick = [this](TObject*) { BitBtn1Click(); };

  TGroupBox* Altimeter = MakeGroup(this, "Altimeter", 318, Top, 154, 215);
  RadioGroup1 = MakeRadioGroup(Altimeter, "RadioGroup1", "Type", 8, 16, 138, 70);
  for (const char* T : {"Benthos", "Tarnwick / Tritech", "Kongsberg"})
    RadioGroup1->Items()->Add(QString::fromLatin1(T));
  RadioGroup1->SetItemIndex(0);
  RadioGroup1->OnClick = [this](TObject*) { RadioGroup1Click(); };
  MakeLabel(Altimeter, "Altimeter Offset", 8, 92);
  NumEdit(7, Altimeter, 8, 106, 138);
  MakeLabel(Altimeter, "SV Value, m/s", 8, 130);
  ComboBox1 = MakeCombo(Altimeter, "ComboBox1", 8, 144, 138, {"1500", "Calculated", "Measured"});
  ComboBox1->SetText(QStringLiteral("1500"));
  ComboBox1->OnChange = [this](TObject*) { ComboBox1Change(); };

  TGroupBox* Strings = MakeGroup(this, "Output String Settings", 476, Top, 312, 150);
  MakeLabel(Strings, "Grevon_Proc (subsea) Prefix", 8, 16);
  GrevonProcPrefix = MakeEdit(Strings, "GrevonProcPrefix", 12, 8, 30, 140);
  GrevonProcPrefix->OnChange = [this](TObject*) { GrevonProcPrefixChange(); };
  MakeLabel(Strings, "Bathymetric System Code", 8, 54);
  BathyMetricCode = MakeEdit(Strings, "BathyMetricCode", 3, 8, 68, 60);
  BathyMetricCode->OnChange = [this](TObject*) { BathyMetricCodeChange(); };
  // Kept for the telegrams, not offered.
  SeaKingLongPrefix = MakeEdit(Strings, "SeaKingLongPrefix", 12, 160, 30, 140);
  SeaKingLongPrefix->SetVisible(false);
  SeaKingLongPrefix->OnChange = [this](TObject*) { SeaKingLongPrefixChange(); };
  SeaKingLongDecimalPrefix = MakeEdit(Strings, "SeaKingLongDecimalPrefix", 12, 160, 68, 140);
  SeaKingLongDecimalPrefix->SetVisible(false);
  SeaKingLongDecimalPrefix->OnChange = [this](TObject*) { SeaKingLongDecimalPrefixChange(); };
  SeaKingLongValid = MakeEdit(Strings, "SeaKingLongValid", 3, 160, 106, 60);
  SeaKingLongValid->SetVisible(false);
  SeaKingLongValid->OnChange = [this](TObject*) { SeaKingLongValidChange(); };
  ResetPrefix = new TButton(Strings);
  ResetPrefix->SetName(QStringLiteral("ResetPrefix"));
  ResetPrefix->SetParent(Strings);
  ResetPrefix->SetCaption(QStringLiteral("Restore Defaults"));
  ResetPrefix->SetBounds(8, 110, 140, 25);
  ResetPrefix->OnClick = [this](TObject*) { ResetPrefixClick(); };

  RadioGroup7 = MakeRadioGroup(this, "RadioGroup7", "Frequency", 476, Top + 154, 312, 61);
  RadioGroup7->SetColumns(4);
  for (const char* T : {"1 Hz", "2 Hz", "4 Hz", "8 Hz"})
    RadioGroup7->Items()->Add(QString::fromLatin1(T));
  RadioGroup7->SetItemIndex(0);
  RadioGroup7->OnClick = [this](TObject*) { RadioGroup7Click(); };

  for (int32_t N = 1; N <= 4; ++N) {
    TRadioGroup* R = MakeRadioGroup(this, "", "", 4 + (N - 1) * 196, Top + 219, 192, 124);
    R->SetName(QStringLiteral("RadioGroup%1").arg(N + 1));
    R->SetCaption(QStringLiteral("Output %1 Format").arg(N));
    for (const char* T : FormatCaptions)
      R->Items()->Add(QString::fromLatin1(T));
    R->SetItemIndex(0);
    R->OnClick = [this, N](TObject*) { FormatClick(N); };
    FormatGroups[static_cast<size_t>(N - 1)] = R;
  }
}

void TMDISetup::FillSettings()
{
  const TCoreData& C = FHost.Core();
  ++FFilling;
  const auto Done = qScopeGuard([this] { --FFilling; });
  GrevonProcPrefix->SetText(C.Grevon_Proc_Prefix);
  SeaKingLongPrefix->SetText(C.Sea_King_Long_Prefix);
  SeaKingLongDecimalPrefix->SetText(C.Sea_King_Long_Decimal_Prefix);
  BathyMetricCode->SetText(C.Bathy_Metric_Code);
  SeaKingLongValid->SetText(C.Sea_King_Long_Valid);
  for (int32_t N = 1; N <= 4; ++N) {
    int32_t Item = 0;
    for (int32_t I = 0; I < OfferedOutputFormatCount; ++I)
      if (C.OutputFormat(N) == QLatin1String(OutputFormats[I].Name))
        Item = I;
    FormatGroups[static_cast<size_t>(N - 1)]->SetItemIndex(Item);
  }
  int32_t Frequency = 0;
  for (int32_t I = 0; I < static_cast<int32_t>(std::size(Frequencies)); ++I)
    if (C.Output_Frequency == QLatin1String(Frequencies[I]))
      Frequency = I;
  RadioGroup7->SetItemIndex(Frequency);
}

// ---------------------------------------------------------------------------
// What the core fills

TQvNumEdit* TMDISetup::QvNumEdit(int32_t Edit) const
{
  if (Edit < 1 || Edit > static_cast<int32_t>(QvNumEdits.size()))
    return nullptr;
  return QvNumEdits[static_cast<size_t>(Edit - 1)];
}

void TMDISetup::SetQvNumEditValue(int32_t Edit, double Value)
{
  TQvNumEdit* E = QvNumEdit(Edit);
  if (!E)
    throw ERangeError(QStringLiteral("QvNumEdit%1 is not one of QvNumEdit1..QvNumEdit7").arg(Edit));
  {
    ++FFilling;
    const auto Done = qScopeGuard([this] { --FFilling; });
    E->SetValue(Value);
  }
  // The exact value goes back, not the field's rounding of it: a loaded
  // latitude must reach the gravity as it was.
  StoreNumber(Edit, Value);
}

void TMDISetup::SetQvNumEdit8Text(const String& Text)
{
  ++FFilling;
  const auto Done = qScopeGuard([this] { --FFilling; });
  QvNumEdit8->SetText(Text);
}

void TMDISetup::SetPanelCaption(int32_t Panel, const String& Caption)
{
  TPanel* const Panels[] = {Panel1, Panel2, Panel3};
  if (Panel < 1 || Panel > 3)
    throw ERangeError(QStringLiteral("Set-up panel %1 outside 1..3").arg(Panel));
  Panels[Panel - 1]->SetCaption(Caption);
}

String TMDISetup::PanelCaption(int32_t Panel) const
{
  TPanel* const Panels[] = {Panel1, Panel2, Panel3};
  return Panel < 1 || Panel > 3 ? String() : Panels[Panel - 1]->Caption();
}

void TMDISetup::SetComboBox1Text(const String& Text)
{
  ++FFilling;
  const auto Done = qScopeGuard([this] { --FFilling; });
  ComboBox1->SetText(Text);
}

void TMDISetup::SetComboBox2Text(const String& Text)
{
  ++FFilling;
  const auto Done = qScopeGuard([this] { --FFilling; });
  ComboBox2->SetItemIndex(ComboBox2->Items()->IndexOf(Text));
}

void TMDISetup::SetRadioGroup1ItemIndex(int32_t Index)
{
  ++FFilling;
  const auto Done = qScopeGuard([this] { --FFilling; });
  RadioGroup1->SetItemIndex(Index);
}

// ---------------------------------------------------------------------------
// The operator's changes

void TMDISetup::QvNumEditAccept(int32_t Edit)
{
  if (TQvNumEdit* E = QvNumEdit(Edit); E && FFilling == 0)
    StoreNumber(Edit, E->Value());
}

void TMDISetup::StoreNumber(int32_t Edit, double V)
{
  TCoreData& C = FHost.Core();
  switch (Edit) {
  case 1:
    C.Local_Density = V;
    break;
  case 2:
    C.Local_Gravity = V;
    break;
  case 3:
    C.ApplyLatitude(V);
    break;
  case 4:
    C.Maximum_Pressure = StrToInt(FloatToStr(V));
    break;
  case 5:
    C.Pressure_Resolution = StrToInt(FloatToStr(V));
    break;
  case 6:
    C.Maximum_View_Points = StrToInt(FloatToStr(V));
    break;
  case 7:
    C.Altimeter_Offset = V;
    break;
  default:
    break;
  }
}

void TMDISetup::QvNumEditError(int32_t Edit, bool& CanExit)
{
  TQvNumEdit* E = QvNumEdit(Edit);
  // A value the core holds outside a field's limits is shown as it is.
  if (!E || FFilling != 0)
    return;
  double Typed = 0;
  if (Edit == HistoryEdit && TryStrToFloat(E->Text(), Typed) && Typed > MostViewPoints) {
    E->SetValue(MostViewPoints);
    FHost.ShowMessage(QStringLiteral("Error: Max Viewable Point value can't be greater than 1440."));
    return;
  }
  const TNumField& F = NumFields[Edit - 1];
  CanExit = false;
  FHost.ShowMessage(
      QStringLiteral("%1 must be a number from %2 to %3.")
          .arg(QString::fromLatin1(F.Caption), NumberText(F.MinValue, F.Decimals), NumberText(F.MaxValue, F.Decimals)));
}

void TMDISetup::QvNumEdit8Change()
{
  Storing([this] { FHost.Core().Height_Above_Sea_Level = QvNumEdit8->Text(); });
}

void TMDISetup::RadioGroup1Click()
{
  const int32_t I = RadioGroup1->ItemIndex();
  Storing([&] {
    if (I >= 0 && I <= 2)
      FHost.Core().Altimeter_Flag = I;
  });
}

void TMDISetup::FormatClick(int32_t Output)
{
  const int32_t I = FormatGroups[static_cast<size_t>(Output - 1)]->ItemIndex();
  if (FFilling != 0 || I < 0 || I >= OfferedOutputFormatCount)
    return;
  TCoreData& C = FHost.Core();
  String* const Formats[] = {&C.Output_1_Format, &C.Output_2_Format, &C.Output_3_Format, &C.Output_4_Format};
  *Formats[Output - 1] = QLatin1String(OutputFormats[I].Name);
}

void TMDISetup::RadioGroup2Click() { FormatClick(1); }
void TMDISetup::RadioGroup3Click() { FormatClick(2); }
void TMDISetup::RadioGroup4Click() { FormatClick(3); }
void TMDISetup::RadioGroup5Click() { FormatClick(4); }

void TMDISetup::RadioGroup7Click()
{
  const int32_t I = RadioGroup7->ItemIndex();
  Storing([&] {
    if (I >= 0 && I < static_cast<int32_t>(std::size(Frequencies)))
      FHost.Core().Output_Frequency = QLatin1String(Frequencies[I]);
  });
}

void TMDISetup::ComboBox1Change()
{
  if (FFilling != 0)
    return;
  // The operator may still be typing: the text is judged once it settles.
  const std::weak_ptr<int> Life = FLife;
  FHost.Delay(36);
  if (Life.expired())
    return;
  const String T = ComboBox1->Text();
  const String Kept = AcceptedSoundVelocity(T);
  if (Kept != T)
    ComboBox1->SetText(Kept);
  FHost.Core().SV_Value = ComboBox1->Text();
}

void TMDISetup::ComboBox2Change()
{
  const int32_t I = ComboBox2->ItemIndex();
  // No interval chosen: the two rates stay as they are, together; storing
  // anything else would have the modules sample at a rate that does not
  // match the instrument's.
  if (FFilling != 0 || I < 0 || I >= SampleIntervalCount)
    return;
  TCoreData& C = FHost.Core();
  C.Kirvo_Rate = QLatin1String(SampleIntervals[I].KirvoRate);
  C.Rate = QLatin1String(SampleIntervals[I].Rate);
}

void TMDISetup::GrevonProcPrefixChange()
{
  Storing([this] { FHost.Core().Grevon_Proc_Prefix = GrevonProcPrefix->Text(); });
}

void TMDISetup::SeaKingLongPrefixChange()
{
  Storing([this] { FHost.Core().Sea_King_Long_Prefix = SeaKingLongPrefix->Text(); });
}

void TMDISetup::SeaKingLongDecimalPrefixChange()
{
  Storing([this] { FHost.Core().Sea_King_Long_Decimal_Prefix = SeaKingLongDecimalPrefix->Text(); });
}

void TMDISetup::BathyMetricCodeChange()
{
  Storing([this] { FHost.Core().Bathy_Metric_Code = BathyMetricCode->Text(); });
}

void TMDISetup::SeaKingLongValidChange()
{
  Storing([this] { FHost.Core().Sea_King_Long_Valid = SeaKingLongValid->Text(); });
}

void TMDISetup::ResetPrefixClick()
{
  GrevonProcPrefix->SetText(QString::fromLatin1(DefaultGrevonProcPrefix));
  SeaKingLongPrefix->SetText(QString::fromLatin1(DefaultSeaKingPrefix));
  SeaKingLongDecimalPrefix->SetText(QString::fromLatin1(DefaultSeaKingPrefix));
  BathyMetricCode->SetText(QString::fromLatin1(DefaultBathyMetricCode));
  SeaKingLongValid->SetText(QString::fromLatin1(DefaultSeaKingLongValid));
}

void TMDISetup::BitBtn1Click()
{
  if (FButtonBusy)
    return;
  FButtonBusy = true;
  const std::weak_ptr<int> Life = FLife;
  FHost.SetInstrumentTime();
  if (!Life.expired())
    FButtonBusy = false;
}
