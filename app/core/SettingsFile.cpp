#include "app/core/SettingsFile.h"

#include "app/core/OutputStrings.h"
#include "rtl/Files.h"
#include "rtl/IniFile.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"

#include <QDir>

#include <cmath>
#include <cstdlib>

namespace {

String Quoted(const String& S)
{
  // The text comes from a file that may hold anything; the status bar shows
  // a short excerpt.
  constexpr int MaxShown = 24;
  const String Shown = S.size() > MaxShown ? S.left(MaxShown) + QStringLiteral("...") : S;
  return QLatin1Char('"') + Shown + QLatin1Char('"');
}

// Default texts of the slot keys, for slots that are not slot 0.
const char* const SlotKeys[] = {"Fitted", "Atmos", "Label",   "Units", "Output Format",
                                "Port",   "Baud",  "Address", "Mode",  "Packet"};

// "Measured", "Calculated" or a whole number of m/s from 1300 to 1700, as
// the set-up screen accepts them.
bool ValidSVValue(const String& S)
{
  if (S == QLatin1String("Measured") || S == QLatin1String("Calculated"))
    return true;
  int32_t V = 0;
  return TryStrToInt(S, V) && V >= 1300 && V <= 1700;
}

// Whether every value a mask formats reads back as a number. The value
// table is read back by the calculations and by the sample store (every item
// of every sample), so a mask that writes thousands separators, a unit or a
// text for zero would make every sample fail from then on.
bool MaskReadsBack(const String& Mask)
{
  for (const double V : {-1234567.891, -0.5, 0.0, 0.5, 1234567.891}) {
    double Back = 0;
    if (!TryStrToFloat(FormatFloat(Mask, V), Back))
      return false;
  }
  return true;
}

} // namespace

// ---------------------------------------------------------------------------
// Name and place

String DefaultSetupFolder() { return ProgramConfigFolder(); }

String SettingsFileParameter()
{
  if (ParamCount() >= 1) {
    const String Name = ParamStr(1).mid(1);
    if (!Name.isEmpty())
      return Name;
  }
  return QString::fromLatin1(DefaultSettingsFileName);
}

String SettingsFilePath(const String& SetupFolder)
{
  const String Name = SettingsFileParameter();
  if (QDir::isAbsolutePath(Name))
    return Name;
  return IncludeTrailingPathDelimiter(SetupFolder) + Name;
}

String SettingsCaption(const String& Name)
{
  return QStringLiteral("Fathomix Display  -  INI File: \"") + Name + QLatin1Char('"');
}

String RateOfKirvoRate(const String& KirvoRate)
{
  static const QStringList Intervals = {QStringLiteral("250"),  QStringLiteral("500"),  QStringLiteral("1000"),
                                        QStringLiteral("2000"), QStringLiteral("3000"), QStringLiteral("4000"),
                                        QStringLiteral("5000")};
  if (!Intervals.contains(KirvoRate))
    return String();
  if (KirvoRate == QLatin1String("250"))
    return QStringLiteral("4");
  if (KirvoRate == QLatin1String("500"))
    return QStringLiteral("2");
  return QStringLiteral("1");
}

String OutputSection(int32_t N) { return QStringLiteral("Output %1").arg(N); }
String SerialSection(int32_t N) { return QStringLiteral("Serial %1").arg(N); }
String DisplaySection(int32_t N) { return QStringLiteral("Display %1").arg(N); }

// ---------------------------------------------------------------------------
// Checked reading

TSettingsReader::TSettingsReader(TIniFile& Ini) : FIni(Ini) {}

void TSettingsReader::AddProblem(const String& Text) { FProblems.append(Text); }

void TSettingsReader::Refuse(const String& Section, const String& Key, const String& Text, const String& Why,
                             const String& Default)
{
  AddProblem(QStringLiteral("[%1] %2 %3 %4; %5 used")
                 .arg(Section, Key, Quoted(Text), Why, Default.isEmpty() ? QStringLiteral("\"\"") : Default));
}

int32_t TSettingsReader::ReadInteger(const String& Section, const String& Key, int32_t Default, int32_t Min,
                                     int32_t Max)
{
  const String Text = FIni.ReadString(Section, Key, String());
  if (Text.isEmpty())
    return Default;
  int32_t Value = 0;
  if (!TryStrToInt(Text, Value)) {
    Refuse(Section, Key, Text, QStringLiteral("is not a whole number"), IntToStr(Default));
    return Default;
  }
  if (Value < Min || Value > Max) {
    Refuse(Section, Key, Text, QStringLiteral("is outside %1 to %2").arg(Min).arg(Max), IntToStr(Default));
    return Default;
  }
  return Value;
}

double TSettingsReader::ReadFloat(const String& Section, const String& Key, double Default, double Min, double Max)
{
  const String Text = FIni.ReadString(Section, Key, String());
  if (Text.isEmpty())
    return Default;
  double Value = 0;
  if (!TryStrToFloat(Text, Value) || !std::isfinite(Value)) {
    Refuse(Section, Key, Text, QStringLiteral("is not a number"), FloatToStr(Default));
    return Default;
  }
  if (Value < Min || Value > Max) {
    Refuse(Section, Key, Text, QStringLiteral("is outside %1 to %2").arg(FloatToStr(Min), FloatToStr(Max)),
           FloatToStr(Default));
    return Default;
  }
  return Value;
}

String TSettingsReader::ReadString(const String& Section, const String& Key, const String& Default)
{
  return FIni.ReadString(Section, Key, Default);
}

String TSettingsReader::ReadChoice(const String& Section, const String& Key, const String& Default,
                                   const QStringList& Allowed)
{
  const String Text = FIni.ReadString(Section, Key, Default);
  if (Allowed.contains(Text))
    return Text;
  Refuse(Section, Key, Text, QStringLiteral("is not one of the choices"), Quoted(Default));
  return Default;
}

// ---------------------------------------------------------------------------
// The output and "Quorndeck" keys

void ReadOutputAndQuorndeck(TSettingsReader& R, TCoreData& Core)
{
  int32_t* const Fitted[] = {&Core.Output_1_Fitted, &Core.Output_2_Fitted, &Core.Output_3_Fitted,
                             &Core.Output_4_Fitted};
  int32_t* const Port[] = {&Core.Output_1_Port, &Core.Output_2_Port, &Core.Output_3_Port, &Core.Output_4_Port};
  int32_t* const Baud[] = {&Core.Output_1_Baud, &Core.Output_2_Baud, &Core.Output_3_Baud, &Core.Output_4_Baud};
  for (int32_t N = 1; N <= 4; ++N) {
    const String S = OutputSection(N);
    *Fitted[N - 1] = R.ReadInteger(S, QStringLiteral("Fitted"), 0, 0, 1);
    *Port[N - 1] = R.ReadInteger(S, QStringLiteral("Port"), 2, FirstComPort, LastComPort);
    *Baud[N - 1] = R.ReadInteger(S, QStringLiteral("Baud"), 19200, MinBaud, MaxBaud);
  }

  const String Q = QString::fromLatin1(QuorndeckSection);
  const double Huge = 1e300;
  Core.serial_no = R.ReadString(Q, QStringLiteral("Serial No"), QStringLiteral("0"));
  Core.Local_Density = R.ReadFloat(Q, QStringLiteral("Local Density"), 1023.0147, 900, 1200);
  Core.Local_Gravity = R.ReadFloat(Q, QStringLiteral("Local Gravity"), 9.8167459, 8, 11);
  Core.Local_Latitude = R.ReadFloat(Q, QStringLiteral("Local Latitude"), 50.42741, -180, 180);
  Core.Height_Above_Sea_Level = R.ReadString(Q, QStringLiteral("Height Above Sea Level"), QStringLiteral("00"));
  Core.Maximum_Pressure = R.ReadInteger(Q, QStringLiteral("Maximum Pressure"), 6000, 1, 6000);
  Core.Pressure_Resolution = R.ReadInteger(Q, QStringLiteral("Pressure Resolution"), 1, 1, 6000);
  if (Core.Maximum_Pressure / Core.Pressure_Resolution < 2) {
    // No depth bin would be left: every sample would fail its depth step
    // and be dropped for as long as the program runs.
    R.AddProblem(QStringLiteral("[%1] Maximum Pressure %2 with Pressure Resolution %3 leaves no depth bins; "
                                "6000 and 1 used")
                     .arg(Q)
                     .arg(Core.Maximum_Pressure)
                     .arg(Core.Pressure_Resolution));
    Core.Maximum_Pressure = 6000;
    Core.Pressure_Resolution = 1;
  }
  Core.Maximum_View_Points = R.ReadInteger(Q, QStringLiteral("Maximum View Points"), 1440, 1, MaxViewPoints);
  Core.Altimeter_Offset = R.ReadFloat(Q, QStringLiteral("Altimeter Offset"), -1000.0, -1000, 1000);
  Core.Pressure_Tare = R.ReadFloat(Q, QStringLiteral("Pressure Tare"), 0, -Huge, Huge);
  Core.pressure_tare_time =
      R.ReadString(Q, QStringLiteral("Pressure Tare Time"), QStringLiteral("01/01/2007 00:00:00"));
  Core.SV_Value = R.ReadString(Q, QStringLiteral("SV Value"), QStringLiteral("1500"));
  if (!ValidSVValue(Core.SV_Value)) {
    R.AddProblem(QStringLiteral("[%1] SV Value %2 is not \"Measured\", \"Calculated\" or 1300 to 1700; "
                                "\"1500\" used")
                     .arg(Q, Quoted(Core.SV_Value)));
    Core.SV_Value = QStringLiteral("1500");
  }
  Core.Kirvo_Rate = R.ReadString(Q, QStringLiteral("KIRVO Rate"), QStringLiteral("1000"));
  Core.Rate = RateOfKirvoRate(Core.Kirvo_Rate);
  if (Core.Rate.isEmpty()) {
    R.AddProblem(QStringLiteral("[%1] KIRVO Rate %2 is not an interval of 250 to 5000 ms; \"1000\" used")
                     .arg(Q, Quoted(Core.Kirvo_Rate)));
    Core.Kirvo_Rate = QStringLiteral("1000");
    Core.Rate = RateOfKirvoRate(Core.Kirvo_Rate);
  }
  Core.Altimeter_Flag = R.ReadInteger(Q, QStringLiteral("Altimeter Flag"), 0, 0, 2);
  Core.Salinity_Low = R.ReadInteger(Q, QStringLiteral("Salinity Low"), 0, INT32_MIN, INT32_MAX);
  Core.Salinity_High = R.ReadInteger(Q, QStringLiteral("Salinity High"), 42, INT32_MIN, INT32_MAX);
  String* const Formats[] = {&Core.Output_1_Format, &Core.Output_2_Format, &Core.Output_3_Format,
                             &Core.Output_4_Format};
  for (int32_t N = 1; N <= 4; ++N) {
    const String Key = QStringLiteral("Output %1 Format").arg(N);
    String& Format = *Formats[N - 1];
    Format = R.ReadString(Q, Key, QStringLiteral("TARNWICK"));
    // The name is kept: an output whose format has no encoder sends empty
    // telegrams, where another format's would be taken for its own by the
    // survey system listening.
    if (!FindOutputFormat(Format))
      R.AddProblem(QStringLiteral("[%1] %2 %3 is not one of the formats; output %4 sends empty telegrams")
                       .arg(Q, Key, Quoted(Format))
                       .arg(N));
  }
  Core.Output_Frequency =
      R.ReadChoice(Q, QStringLiteral("Output Frequency"), QStringLiteral("1"),
                   {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("8")});
  Core.Atmospheric_Pressure = R.ReadString(Q, QStringLiteral("Atmospheric Pressure"), QStringLiteral("None"));
  Core.Atmos_Pressure_On_Tare = R.ReadFloat(Q, QStringLiteral("Atmospheric Pressure On Tare"), 0, -Huge, Huge);
  Core.Grevon_Proc_Prefix = R.ReadString(Q, QStringLiteral("Grevon Proc Prefix"), QStringLiteral("%D0074042700"));
  Core.Sea_King_Long_Prefix =
      R.ReadString(Q, QStringLiteral("Sea King Long Prefix"), QString::fromLatin1(SeaKingPrefix));
  Core.Sea_King_Long_Decimal_Prefix =
      R.ReadString(Q, QStringLiteral("Sea King Long Decimal Prefix"), QString::fromLatin1(SeaKingPrefix));
  Core.Bathy_Metric_Code = R.ReadString(Q, QStringLiteral("Bathy Metric Code"), QStringLiteral("007"));
  Core.Sea_King_Long_Valid = R.ReadString(Q, QStringLiteral("Sea King Long Valid"), QStringLiteral("031"));
}

TSerialRow ReadSlot(TSettingsReader& R, int32_t N)
{
  const String S = SerialSection(N);
  TSerialRow Row;
  Row[SerialFitted] = IntToStr(R.ReadInteger(S, QStringLiteral("Fitted"), N == 0 ? 1 : 0, 0, 1));
  Row[SerialAtmos] = IntToStr(R.ReadInteger(S, QStringLiteral("Atmos"), 0, 0, 1));
  Row[SerialLabel] = R.ReadString(S, QStringLiteral("Label"), String());
  Row[SerialUnits] = R.ReadString(S, QStringLiteral("Units"), String());
  Row[SerialOutputFormat] = R.ReadString(S, QStringLiteral("Output Format"), QStringLiteral("##0.000"));
  if (!MaskReadsBack(Row[SerialOutputFormat])) {
    R.AddProblem(QStringLiteral("[%1] Output Format %2 writes values that do not read back as numbers; "
                                "\"##0.000\" used")
                     .arg(S, Quoted(Row[SerialOutputFormat])));
    Row[SerialOutputFormat] = QStringLiteral("##0.000");
  }
  Row[SerialPort] = IntToStr(R.ReadInteger(S, QStringLiteral("Port"), 1, FirstComPort, LastComPort));
  Row[SerialBaud] = IntToStr(R.ReadInteger(S, QStringLiteral("Baud"), 19200, MinBaud, MaxBaud));
  Row[SerialAddress] = IntToStr(R.ReadInteger(S, QStringLiteral("Address"), 2, 0, MaxAddress));
  Row[SerialMode] = R.ReadChoice(S, QStringLiteral("Mode"), QStringLiteral("RS232"),
                                 {QStringLiteral("RS232"), QStringLiteral("RS485")});
  // Any number: whether it names a data packet is for the binding to say,
  // and only for the slots that have a port.
  Row[SerialPacket] = IntToStr(R.ReadInteger(S, QStringLiteral("Packet"), 1, INT32_MIN, INT32_MAX));
  return Row;
}

// ---------------------------------------------------------------------------
// Writing

void WriteOutputs(TIniFile& Ini, const TCoreData& Core, const int32_t (&Fitted)[4])
{
  const int32_t Port[] = {Core.Output_1_Port, Core.Output_2_Port, Core.Output_3_Port, Core.Output_4_Port};
  const int32_t Baud[] = {Core.Output_1_Baud, Core.Output_2_Baud, Core.Output_3_Baud, Core.Output_4_Baud};
  for (int32_t N = 1; N <= 4; ++N) {
    const String S = OutputSection(N);
    Ini.WriteInteger(S, QStringLiteral("Fitted"), Fitted[N - 1]);
    Ini.WriteInteger(S, QStringLiteral("Port"), Port[N - 1]);
    Ini.WriteInteger(S, QStringLiteral("Baud"), Baud[N - 1]);
  }
}

void WriteQuorndeck(TIniFile& Ini, const TCoreData& Core)
{
  const String Q = QString::fromLatin1(QuorndeckSection);
  Ini.WriteString(Q, QStringLiteral("Serial No"), Core.serial_no);
  Ini.WriteFloat(Q, QStringLiteral("Local Density"), Core.Local_Density);
  Ini.WriteFloat(Q, QStringLiteral("Local Gravity"), Core.Local_Gravity);
  Ini.WriteFloat(Q, QStringLiteral("Local Latitude"), Core.Local_Latitude);
  Ini.WriteString(Q, QStringLiteral("Height Above Sea Level"), Core.Height_Above_Sea_Level);
  Ini.WriteInteger(Q, QStringLiteral("Maximum Pressure"), Core.Maximum_Pressure);
  Ini.WriteInteger(Q, QStringLiteral("Pressure Resolution"), Core.Pressure_Resolution);
  Ini.WriteInteger(Q, QStringLiteral("Maximum View Points"), Core.Maximum_View_Points);
  Ini.WriteFloat(Q, QStringLiteral("Altimeter Offset"), Core.Altimeter_Offset);
  Ini.WriteFloat(Q, QStringLiteral("Pressure Tare"), Core.Pressure_Tare);
  Ini.WriteString(Q, QStringLiteral("Pressure Tare Time"), Core.pressure_tare_time);
  Ini.WriteString(Q, QStringLiteral("SV Value"), Core.SV_Value);
  Ini.WriteString(Q, QStringLiteral("KIRVO Rate"), Core.Kirvo_Rate);
  Ini.WriteInteger(Q, QStringLiteral("Altimeter Flag"), Core.Altimeter_Flag);
  for (int32_t N = 1; N <= 4; ++N)
    Ini.WriteString(Q, QStringLiteral("Output %1 Format").arg(N), Core.OutputFormat(N));
  Ini.WriteString(Q, QStringLiteral("Output Frequency"), Core.Output_Frequency);
  Ini.WriteString(Q, QStringLiteral("Atmospheric Pressure"), Core.Atmospheric_Pressure);
  Ini.WriteFloat(Q, QStringLiteral("Atmospheric Pressure On Tare"), Core.Atmos_Pressure_On_Tare);
  Ini.WriteString(Q, QStringLiteral("Grevon Proc Prefix"), Core.Grevon_Proc_Prefix);
  Ini.WriteString(Q, QStringLiteral("Sea King Long Prefix"), Core.Sea_King_Long_Prefix);
  Ini.WriteString(Q, QStringLiteral("Sea King Long Decimal Prefix"), Core.Sea_King_Long_Decimal_Prefix);
  Ini.WriteString(Q, QStringLiteral("Bathy Metric Code"), Core.Bathy_Metric_Code);
  Ini.WriteString(Q, QStringLiteral("Sea King Long Valid"), Core.Sea_King_Long_Valid);
}

void WriteSlot(TIniFile& Ini, int32_t N, const TSerialRow& Row, int32_t Fitted)
{
  const String S = SerialSection(N);
  const auto Int = [&Row](int32_t Field, int32_t Default) {
    return StrToIntDef(Row[static_cast<size_t>(Field)], Default);
  };
  Ini.WriteInteger(S, QString::fromLatin1(SlotKeys[SerialFitted]), Fitted);
  Ini.WriteInteger(S, QString::fromLatin1(SlotKeys[SerialAtmos]), Int(SerialAtmos, 0));
  Ini.WriteString(S, QString::fromLatin1(SlotKeys[SerialLabel]), Row[SerialLabel]);
  Ini.WriteString(S, QString::fromLatin1(SlotKeys[SerialUnits]), Row[SerialUnits]);
  Ini.WriteString(S, QString::fromLatin1(SlotKeys[SerialOutputFormat]), Row[SerialOutputFormat]);
  Ini.WriteInteger(S, QString::fromLatin1(SlotKeys[SerialPort]), Int(SerialPort, 1));
  Ini.WriteInteger(S, QString::fromLatin1(SlotKeys[SerialBaud]), Int(SerialBaud, 19200));
  Ini.WriteInteger(S, QString::fromLatin1(SlotKeys[SerialAddress]), Int(SerialAddress, 2));
  Ini.WriteString(S, QString::fromLatin1(SlotKeys[SerialMode]), Row[SerialMode]);
  Ini.WriteInteger(S, QString::fromLatin1(SlotKeys[SerialPacket]), Int(SerialPacket, 1));
}

// ---------------------------------------------------------------------------
// Layouts

TLayoutWindow ReadLayoutWindow(TSettingsReader& R, const String& Section, int32_t I)
{
  const TLayoutWindow D;
  TLayoutWindow W;
  const auto Key = [I](const char* Word) { return QString::fromLatin1(Word) + QLatin1Char(' ') + IntToStr(I); };
  // Places and sizes beyond any screen are damage, not a layout.
  constexpr int32_t MaxPlace = 100000;
  W.Form_Style = R.ReadString(Section, Key("Form Style"), D.Form_Style);
  W.Action_Flag = R.ReadInteger(Section, Key("Action Flag"), D.Action_Flag, INT32_MIN, INT32_MAX);
  W.Form_Color = R.ReadInteger(Section, Key("Form Color"), D.Form_Color, INT32_MIN, INT32_MAX);
  W.Form_Font_Name = R.ReadString(Section, Key("Font Name"), D.Form_Font_Name);
  W.Form_Font_CharSet = R.ReadInteger(Section, Key("Font CharSet"), D.Form_Font_CharSet, 0, 255);
  W.Form_Font_Color = R.ReadInteger(Section, Key("Font Color"), D.Form_Font_Color, INT32_MIN, INT32_MAX);
  W.Form_Font_Size = R.ReadInteger(Section, Key("Font Size"), D.Form_Font_Size, -1000, 1000);
  W.Form_Font_Style = R.ReadInteger(Section, Key("Font Style"), D.Form_Font_Style, 0, 15);
  W.Form_Top = R.ReadInteger(Section, Key("Form Top"), D.Form_Top, -MaxPlace, MaxPlace);
  W.Form_Left = R.ReadInteger(Section, Key("Form Left"), D.Form_Left, -MaxPlace, MaxPlace);
  W.Form_Height = R.ReadInteger(Section, Key("Form Height"), D.Form_Height, 0, MaxPlace);
  W.Form_Width = R.ReadInteger(Section, Key("Form Width"), D.Form_Width, 0, MaxPlace);
  return W;
}

void WriteLayoutWindow(TIniFile& Ini, const String& Section, int32_t I, const TLayoutWindow& W)
{
  const auto Key = [I](const char* Word) { return QString::fromLatin1(Word) + QLatin1Char(' ') + IntToStr(I); };
  Ini.WriteString(Section, Key("Form Style"), W.Form_Style);
  Ini.WriteInteger(Section, Key("Action Flag"), W.Action_Flag);
  Ini.WriteInteger(Section, Key("Form Color"), W.Form_Color);
  Ini.WriteString(Section, Key("Font Name"), W.Form_Font_Name);
  Ini.WriteInteger(Section, Key("Font CharSet"), W.Form_Font_CharSet);
  Ini.WriteInteger(Section, Key("Font Color"), W.Form_Font_Color);
  Ini.WriteInteger(Section, Key("Font Size"), W.Form_Font_Size);
  Ini.WriteInteger(Section, Key("Font Style"), W.Form_Font_Style);
  Ini.WriteInteger(Section, Key("Form Top"), W.Form_Top);
  Ini.WriteInteger(Section, Key("Form Left"), W.Form_Left);
  Ini.WriteInteger(Section, Key("Form Height"), W.Form_Height);
  Ini.WriteInteger(Section, Key("Form Width"), W.Form_Width);
}
