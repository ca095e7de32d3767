#include "app/setup/SetupModel.h"

#include "app/setup/SetupChoices.h"

#include "app/core/CoreData.h"
#include "app/core/ModularInstruments.h"
#include "app/core/OutputStrings.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "serial/SioTicks.h"

#include <iterator>

namespace {

const String NoText;

// The most points the history-length field lets stand.
constexpr int32_t MaxViewPointsOnScreen = 1440;

} // namespace

int32_t SlotOfSetupRow(int32_t Row)
{
  if (Row == SetupRowQuorndeck)
    return slConductivity;
  const int32_t K = ModularOfSetupRow(Row);
  return K != 0 ? ModularSlot(K) : -1;
}

// ---------------------------------------------------------------------------
// Numeric edit

TNumEditModel::TNumEditModel(double MinValue, double MaxValue, int32_t Decimals)
    : FMinValue(MinValue), FMaxValue(MaxValue), FDecimals(Decimals)
{
}

void TNumEditModel::SetText(const String& Text)
{
  FText = Text;
  if (OnChange)
    OnChange();
}

double TNumEditModel::Value() const
{
  if (FText.isEmpty())
    return FMinValue;
  return StrToFloat(FText);
}

void TNumEditModel::SetValue(double Value)
{
  SetText(FloatToStr(Value));
  if (Value >= FMinValue && Value <= FMaxValue)
    FText = FloatToStrF(Value, TFloatFormat::ffFixed, 15, FDecimals);
}

// ---------------------------------------------------------------------------
// Set-up model

TSetupModel::TSetupModel(TCoreData& Core)
    : FCore(Core), FEdits{TNumEditModel(900, 1200, 4),  TNumEditModel(8, 11, 7),   TNumEditModel(-180, 180, 3),
                          TNumEditModel(1, 6000, 0),    TNumEditModel(1, 6000, 0), TNumEditModel(60, 1440, 0),
                          TNumEditModel(-1000, 1000, 3)}
{
  FEdits[0].OnChange = [this] { FCore.Local_Density = FEdits[0].Value(); };
  FEdits[1].OnChange = [this] { FCore.Local_Gravity = FEdits[1].Value(); };
  FEdits[2].OnChange = [this] { FCore.ApplyLatitude(FEdits[2].Value()); };
  // These three are whole numbers: the value goes through its shortest text,
  // so a fraction typed into them fails to convert and changes nothing.
  FEdits[3].OnChange = [this] { FCore.Maximum_Pressure = StrToInt(FloatToStr(FEdits[3].Value())); };
  FEdits[4].OnChange = [this] { FCore.Pressure_Resolution = StrToInt(FloatToStr(FEdits[4].Value())); };
  FEdits[5].OnChange = [this] { FCore.Maximum_View_Points = StrToInt(FloatToStr(FEdits[5].Value())); };
  FEdits[6].OnChange = [this] { FCore.Altimeter_Offset = FEdits[6].Value(); };
  Delay = [](int32_t Ticks) { DelayTicks(Ticks, 1); };
  FComboBox1 = QStringLiteral("1500");
  FComboBox2 = QStringLiteral("1000");
  FComboBox2Index = 2;
}

TSetupModel::~TSetupModel() = default;

String TSetupModel::Name() const { return QStringLiteral("MDISetup"); }

void TSetupModel::DataUpdate()
{
  // The rows whose instrument or output is fitted, with their status texts.
  struct TRow {
    int32_t Row;
    bool Fitted;
    String Text;
  };
  // An output's status carries the count of telegrams it skipped.
  const TRow Rows[] = {
      {SetupRowQuorndeck, FCore.SlotFitted(slConductivity), FCore.PortData1},
      {SetupRowOutput1, FCore.Output_1_Fitted == 1, FCore.OutputStatusShown(1)},
      {SetupRowOutput1 + 1, FCore.Output_2_Fitted == 1, FCore.OutputStatusShown(2)},
      {SetupRowOutput1 + 2, FCore.Output_3_Fitted == 1, FCore.OutputStatusShown(3)},
      {SetupRowOutput1 + 3, FCore.Output_4_Fitted == 1, FCore.OutputStatusShown(4)},
      {SetupRowQYR1, FCore.SlotFitted(slQYR1), FCore.PortData3},
      {SetupRowQYR1 + 1, FCore.SlotFitted(slQYR2), FCore.PortData4},
      {SetupRowQYR1 + 2, FCore.SlotFitted(slQYR3), FCore.PortData5},
      {SetupRowQYR1 + 3, FCore.SlotFitted(slQYR4), FCore.PortData6},
      {SetupRowAtmospheric, FCore.SlotFitted(slAP1), FCore.PortData7},
  };
  for (const TRow& R : Rows)
    if (R.Fitted)
      SetStatusCell(R.Row, R.Text);
  if (FCore.Hooks.ProcessMessages)
    FCore.Hooks.ProcessMessages();
}

void TSetupModel::ZurEvoderOzod1ButtonClick(int32_t Column, int32_t Row)
{
  if (!OnButtonClick)
    return;
  const std::weak_ptr<int> Life = FLife;
  const bool Done = OnButtonClick(Column, Row);
  if (Life.expired())
    return;
  if (Row == SetupRowQuorndeck && Done) {
    if (Column == SetupColumnInterrupt)
      FBitBtn1Enabled = true;
    else if (Column == SetupColumnRun)
      FBitBtn1Visible = false;
  }
  DataUpdate();
}

void TSetupModel::BitBtn1Click()
{
  if (FBitBtn1Enabled && FBitBtn1Visible && OnSetTime)
    OnSetTime();
}

void TSetupModel::ZurEvoderOzod1CheckBoxClick(int32_t Column, int32_t Row, bool Checked)
{
  if (Column == SetupColumnAtmos) {
    const int32_t Slot = SlotOfSetupRow(Row);
    if (Slot >= 0)
      FCore.SerialArray[static_cast<size_t>(Slot)][SerialAtmos] = Checked ? QStringLiteral("1") : QStringLiteral("0");
    return;
  }
  if (Column != SetupColumnFitted || Row < SetupRowQuorndeck || Row >= SetupRowCount)
    return;
  const std::weak_ptr<int> Life = FLife;
  if (OnFittedClick)
    OnFittedClick(Row, Checked);
  // The reload may already have closed this screen.
  if (!Life.expired())
    Close();
}

void TSetupModel::Close()
{
  if (OnClose)
    OnClose(this); // frees this object: nothing may follow
}

void TSetupModel::SetQvNumEditValue(int32_t Edit, double Value) { QvNumEdit(Edit).SetValue(Value); }

void TSetupModel::SetQvNumEdit8Text(const String& Text)
{
  FQvNumEdit8 = Text;
  FCore.Height_Above_Sea_Level = Text;
}

void TSetupModel::SetPanelCaption(int32_t Panel, const String& Caption)
{
  if (Panel < 1 || Panel > 3)
    throw ERangeError(QStringLiteral("Set-up panel %1 outside 1..3").arg(Panel));
  FPanels[static_cast<size_t>(Panel - 1)] = Caption;
}

void TSetupModel::SetComboBox1Text(const String& Text) { FComboBox1 = Text; }

void TSetupModel::SetComboBox2Text(const String& Text)
{
  FComboBox2 = Text;
  FComboBox2Index = -1;
  for (int32_t I = 0; I < SampleIntervalCount; ++I)
    if (Text == QLatin1String(SampleIntervals[I].KirvoRate))
      FComboBox2Index = I;
}

void TSetupModel::SetRadioGroup1ItemIndex(int32_t Index)
{
  FRadioGroup1 = Index;
  RadioGroup1Click(Index);
}

void TSetupModel::SetStatusCell(int32_t Row, const String& Text)
{
  if (Row < 0 || Row >= SetupRowCount)
    throw ERangeError(QStringLiteral("Set-up grid row %1 outside 0..%2").arg(Row).arg(SetupRowCount - 1));
  FStatus[static_cast<size_t>(Row)] = Text;
}

TNumEditModel& TSetupModel::QvNumEdit(int32_t Edit)
{
  if (Edit < 1 || Edit > static_cast<int32_t>(FEdits.size()))
    throw ERangeError(QStringLiteral("QvNumEdit%1 is not one of QvNumEdit1..QvNumEdit7").arg(Edit));
  return FEdits[static_cast<size_t>(Edit - 1)];
}

const String& TSetupModel::PanelCaption(int32_t Panel) const
{
  if (Panel < 1 || Panel > 3)
    return NoText;
  return FPanels[static_cast<size_t>(Panel - 1)];
}

const String& TSetupModel::StatusCell(int32_t Row) const
{
  if (Row < 0 || Row >= SetupRowCount)
    return NoText;
  return FStatus[static_cast<size_t>(Row)];
}

// ---------------------------------------------------------------------------
// Operator's handlers

void TSetupModel::QvNumEdit6Exit()
{
  if (FCore.Maximum_View_Points <= MaxViewPointsOnScreen)
    return;
  FCore.Maximum_View_Points = MaxViewPointsOnScreen;
  QvNumEdit(6).SetValue(MaxViewPointsOnScreen);
  if (OnMessage)
    OnMessage(QStringLiteral("Error: Max Viewable Point value can't be greater than 1440."));
}

void TSetupModel::RadioGroup1Click(int32_t Index)
{
  if (Index >= 0 && Index <= 2)
    FCore.Altimeter_Flag = Index;
}

void TSetupModel::ComboBox1Change(const String& Text)
{
  FComboBox1 = Text;
  // The operator may still be typing: the text is judged once it settles.
  if (Delay)
    Delay(36);
  FComboBox1 = AcceptedSoundVelocity(FComboBox1);
  FCore.SV_Value = FComboBox1;
}

void TSetupModel::ComboBox2Change(int32_t Index)
{
  // No interval chosen: the two rates stay as they are, together. Storing
  // anything else would have the modules sample at a rate that does not
  // match the instrument's interval.
  if (Index < 0 || Index >= SampleIntervalCount) {
    FComboBox2Index = -1;
    return;
  }
  FComboBox2Index = Index;
  FComboBox2 = QLatin1String(SampleIntervals[Index].KirvoRate);
  FCore.Kirvo_Rate = FComboBox2;
  FCore.Rate = QLatin1String(SampleIntervals[Index].Rate);
}

void TSetupModel::OutputFormatClick(int32_t Output, int32_t Index)
{
  if (Index < 0 || Index >= OfferedOutputFormatCount)
    return;
  String* const Formats[] = {&FCore.Output_1_Format, &FCore.Output_2_Format, &FCore.Output_3_Format,
                             &FCore.Output_4_Format};
  *Formats[Output - 1] = QLatin1String(OutputFormats[Index].Name);
}

void TSetupModel::RadioGroup2Click(int32_t Index) { OutputFormatClick(1, Index); }
void TSetupModel::RadioGroup3Click(int32_t Index) { OutputFormatClick(2, Index); }
void TSetupModel::RadioGroup4Click(int32_t Index) { OutputFormatClick(3, Index); }
void TSetupModel::RadioGroup5Click(int32_t Index) { OutputFormatClick(4, Index); }

void TSetupModel::GrevonProcPrefixChange(const String& Text) { FCore.Grevon_Proc_Prefix = Text; }
