#include "app/core/OutputStrings.h"

#include "app/core/CoreData.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/RtlMath.h"
#include "rtl/Strings.h"

#include <QVarLengthArray>

#include <algorithm>
#include <climits>

namespace {

const String CrLf = QStringLiteral("\r\n");

// ---------------------------------------------------------------------------
// Field operations on a value's text

// A telegram while it is put together, on the stack: appending to a
// growing String costs a check of its sharing and capacity every time, and
// a telegram is made of dozens of pieces, on every output for every sample.
class TTelegram {
public:
  TTelegram& operator+=(QLatin1StringView S)
  {
    for (const char C : S)
      FData.append(QChar(char16_t(static_cast<unsigned char>(C))));
    return *this;
  }
  TTelegram& operator+=(QChar C)
  {
    FData.append(C);
    return *this;
  }
  TTelegram& operator+=(const String& S)
  {
    Append(S.constData(), S.size());
    return *this;
  }
  void Append(const QChar* P, qsizetype N) { FData.append(P, N); }
  String Text() const { return String(FData.constData(), FData.size()); }

private:
  QVarLengthArray<QChar, 256> FData;
};

// A field's text while it is cut to shape. It lives on the stack, so that a
// telegram costs one allocation, its own, rather than a few per field: the
// encoders run for every sample on every output.
class TField {
public:
  explicit TField(const String& S) { FData.append(S.constData(), S.size()); }

  qsizetype Size() const { return FData.size(); }

  // Deletes every ".".
  TField& RemovePoints()
  {
    FData.removeAll(QChar(u'.'));
    return *this;
  }

  // At every ".", the "." and the three characters after it go.
  TField& IntegerPart()
  {
    for (qsizetype P; (P = FData.indexOf(QChar(u'.'))) >= 0;)
      FData.remove(P, std::min<qsizetype>(4, FData.size() - P));
    return *this;
  }

  // The last N characters go; a text shorter than N stays as it is (the
  // deletion would start before its first character).
  TField& DropLast(qsizetype N)
  {
    if (N > 0 && N <= FData.size())
      FData.resize(FData.size() - N);
    return *this;
  }

  // "+" in front of a text without "-".
  TField& Sign()
  {
    if (!FData.contains(QChar(u'-')))
      FData.insert(qsizetype(0), QChar(u'+'));
    return *this;
  }

  // Zeros inserted after the first character (the sign) up to Width; an
  // empty text just gets the zeros.
  TField& ZerosAfterSign(qsizetype Width)
  {
    if (FData.size() < Width)
      FData.insert(qsizetype(FData.isEmpty() ? 0 : 1), Width - FData.size(), QChar(u'0'));
    return *this;
  }

  // Zeros in front up to Width. A negative value keeps its "-" in front and
  // takes the zeros after it: "00000-7251" is no number to the receiving
  // equipment, "-000007251" is (a slightly negative pressure at the surface
  // is normal after the atmospheric correction).
  TField& ZerosInFront(qsizetype Width)
  {
    if (!FData.isEmpty() && FData.front() == QChar(u'-'))
      return ZerosAfterSign(Width);
    if (FData.size() < Width)
      FData.insert(qsizetype(0), Width - FData.size(), QChar(u'0'));
    return *this;
  }

  // One "0" after the first character (at the front of an empty text).
  TField& ZeroAfterFirst()
  {
    FData.insert(qsizetype(FData.isEmpty() ? 0 : 1), QChar(u'0'));
    return *this;
  }

  // Everything from the first C on goes.
  TField& CutAt(QChar C)
  {
    const qsizetype P = FData.indexOf(C);
    if (P >= 0)
      FData.resize(P);
    return *this;
  }

  // The first N characters.
  TField& Left(qsizetype N)
  {
    if (FData.size() > N)
      FData.resize(N);
    return *this;
  }

  void AppendTo(TTelegram& T) const { T.Append(FData.constData(), FData.size()); }

private:
  QVarLengthArray<QChar, 40> FData;
};

// The pressure times 145037.6808 in its shortest general text, everything
// from the "." on deleted.
TField ScaledPressure(const String& Pressure)
{
  TField F(FloatToStr(StrToFloat(Pressure) * 145037.6808));
  return F.CutAt(QLatin1Char('.'));
}

void AppendTwoDigits(TTelegram& T, int V)
{
  T += QChar(char16_t(u'0' + V / 10 % 10));
  T += QChar(char16_t(u'0' + V % 10));
}

// hhmmsscc from one clock reading. The hundredths are the milliseconds / 10
// rounded half to even, cut to two digits, so 995 ms and above show "00".
void AppendClockFields(TTelegram& T, TDateTime Stamp)
{
  uint16_t H, M, S, MS;
  DecodeTime(Stamp, H, M, S, MS);
  AppendTwoDigits(T, H);
  AppendTwoDigits(T, M);
  AppendTwoDigits(T, S);
  AppendTwoDigits(T, static_cast<int>(Round(MS / 10.0) % 100));
}

// An item of the telegram: fitted when its index variable is not 0.
struct TItem {
  const TCoreData& Core;
  int32_t Index;
  bool Fitted() const { return Index != 0; }
  const String& Text() const { return Core.Value(Index); }
  TField Field() const { return TField(Text()); }
};

// ---------------------------------------------------------------------------
// SEAKING LONG and SEAKING LONG DECIMAL

const String SeaKingFallback =
    QLatin1String(SeaKingPrefix) + QLatin1String("00000000+0000000000+0000000000140000000090000009000000000000"
                                                 "+0000000000-10000000000000090000000000\r\n");

// Points removed in SEAKING LONG, kept in SEAKING LONG DECIMAL.
TField Digits(const TItem& Item, bool Decimal)
{
  TField F = Item.Field();
  if (!Decimal)
    F.RemovePoints();
  return F;
}

String SeaKingTelegram(const TCoreData& Core, bool Decimal)
{
  const TItem Depth{Core, Core.BathyDepthIndex};
  const TItem Altimeter{Core, Core.ALT1Index};
  const TItem SV{Core, Core.SVS1Index};
  const TItem MeanDensity{Core, Core.MeanDensityIndex};
  const TItem Atmospheric{Core, Core.AP1Index};
  const TItem Pressure{Core, Core.WP1Index};
  const TItem Temperature{Core, Core.WT1Index};
  const TItem Conductivity{Core, Core.ConductivityIndex};
  const TItem CalcDensity{Core, Core.CalcDensityIndex};
  const TDateTime Stamp = Now();
  int32_t F1 = 0;
  int32_t F2 = 0;
  TTelegram T;
  T += QLatin1String(SeaKingPrefix);
  AppendClockFields(T, Stamp);

  if (Depth.Fitted())
    Digits(Depth, Decimal).Sign().ZerosAfterSign(11).AppendTo(T);
  else
    T += QLatin1String("+0000000000");

  if (Altimeter.Fitted()) {
    Altimeter.Field().IntegerPart().Sign().ZerosAfterSign(11).AppendTo(T);
    F1 += 4;
  } else {
    T += QLatin1String("+0000000000");
  }

  if (SV.Fitted()) {
    Digits(SV, Decimal).DropLast(2).ZerosInFront(5).AppendTo(T);
    F1 += 16;
    F2 += 1;
  } else {
    T += QLatin1String("14000");
  }

  if (MeanDensity.Fitted()) {
    Digits(MeanDensity, Decimal).DropLast(1).ZerosInFront(10).AppendTo(T);
    F2 += 2;
  } else {
    T += QLatin1String("0000090000");
  }

  if (Atmospheric.Fitted()) {
    TField F = Atmospheric.Field();
    if (!Decimal)
      F.IntegerPart();
    F.ZerosInFront(5).AppendTo(T);
    F2 += 4;
  } else {
    T += QLatin1String("00900");
  }

  if (Pressure.Fitted()) {
    ScaledPressure(Pressure.Text()).ZerosInFront(10).AppendTo(T);
    F1 += 1;
  } else {
    T += QLatin1String("0000000000");
  }

  T += QLatin1String("+0000000000");

  if (Temperature.Fitted()) {
    if (Decimal) {
      TField S = Temperature.Field();
      S.DropLast(1).Sign();
      if (S.Size() <= 6)
        S.ZeroAfterFirst();
      S.DropLast(1).AppendTo(T);
    } else {
      Temperature.Field().RemovePoints().DropLast(1).Sign().ZerosAfterSign(6).DropLast(1).AppendTo(T);
    }
    F1 += 8;
  } else {
    T += QLatin1String("-1000");
  }

  if (Conductivity.Fitted()) {
    Digits(Conductivity, Decimal).ZerosInFront(6).AppendTo(T);
    F1 += 2;
  } else {
    T += QLatin1String("000000");
  }

  if (CalcDensity.Fitted())
    Digits(CalcDensity, Decimal).DropLast(1).ZerosInFront(10).AppendTo(T);
  else
    T += QLatin1String("0000090000");

  TField(IntToStr(F1)).ZerosInFront(3).AppendTo(T);
  TField(IntToStr(F2)).ZerosInFront(3).AppendTo(T);
  T += CrLf;
  return T.Text();
}

// ---------------------------------------------------------------------------
// UK90 STD

const String UK90Fallback = QStringLiteral("D 0000.00 A00.00 A00.00 T00       P0000 V00000 d00000 H00\r\n");

void AppendUK90Atmospheric(TTelegram& T, const String& Text)
{
  String A = Text;
  const double X = StrToFloat(A);
  if (X < 0)
    A = QStringLiteral("00.00");
  else if (X > 99.99)
    A = QStringLiteral("99.99");
  if (A.startsWith(QLatin1Char('0'))) {
    A.chop(1);
    A.prepend(QLatin1Char('0'));
  }
  TField F(FloatToStr(StrToFloat(A) * 100));
  F.ZerosInFront(4).Left(4).AppendTo(T);
}

// ---------------------------------------------------------------------------
// GREVON PROC and GREVON PROC 2

const String GrevonFallback =
    QStringLiteral("+000000000000000+0000000000000000000000000-0000000000+000000000000000+0000000000000"
                   "+000000000000000000\r\n");

String GrevonTelegram(const TCoreData& Core, bool Two)
{
  const TItem Temperature{Core, Core.WT1Index};
  const TItem Pressure{Core, Core.WP1Index};
  const TItem Conductivity{Core, Core.ConductivityIndex};
  const TItem Salinity{Core, Core.SalinityIndex};
  const TItem CalcDensity{Core, Core.CalcDensityIndex};
  const TItem SV{Core, Core.SVS1Index};
  const TItem Altimeter{Core, Core.ALT1Index};
  const TItem Depth{Core, Core.BathyDepthIndex};
  const TDateTime Stamp = Now();
  TTelegram T;

  if (Temperature.Fitted())
    Temperature.Field().RemovePoints().DropLast(1).Sign().ZeroAfterFirst().DropLast(1).ZerosAfterSign(6).AppendTo(T);
  else
    T += QLatin1String("+00000");

  if (Pressure.Fitted())
    ScaledPressure(Pressure.Text()).ZerosInFront(10).AppendTo(T);
  else
    T += QLatin1String("0000000000");
  T += QLatin1String("+00000"
                     "0000000000"
                     "0000000000"
                     "+00000");

  if (Conductivity.Fitted())
    Conductivity.Field().RemovePoints().ZerosInFront(5).AppendTo(T);
  else
    T += QLatin1String("00000");

  if (Temperature.Fitted())
    Temperature.Field().RemovePoints().DropLast(1).Sign().ZerosAfterSign(6).AppendTo(T);
  else
    T += QLatin1String("+00000");

  if (!Two) {
    if (Salinity.Fitted())
      Salinity.Field().RemovePoints().ZerosInFront(5).Left(5).AppendTo(T);
    else
      T += QLatin1String("00000");
  } else {
    if (CalcDensity.Fitted())
      CalcDensity.Field().RemovePoints().DropLast(1).ZerosInFront(5).AppendTo(T);
    else
      T += QLatin1String("90000");
  }

  if (SV.Fitted())
    SV.Field().RemovePoints().DropLast(2).ZerosInFront(5).AppendTo(T);
  else
    T += QLatin1String("00000");

  if (Altimeter.Fitted()) {
    TField Whole = Two ? Altimeter.Field().IntegerPart() : TField(IntToStr(Trunc(StrToFloat(Altimeter.Text()) * 1000)));
    Whole.Sign().ZerosAfterSign(11).AppendTo(T);
  } else {
    T += QLatin1String("+0000000000");
  }

  if (Two)
    T += QLatin1String("007");
  else
    T += Core.Bathy_Metric_Code;
  if (Depth.Fitted())
    Depth.Field().RemovePoints().Sign().ZerosAfterSign(11).AppendTo(T);
  else
    T += QLatin1String("0000000");
  AppendClockFields(T, Stamp);
  T += CrLf;
  return T.Text();
}

// A layout's telegram, or its fixed fallback when a value text does not
// convert (or a field operation fails otherwise).
String OrFallback(String (*Telegram)(const TCoreData&, bool), const TCoreData& Core, bool Variant,
                  const String& Fallback)
{
  try {
    return Telegram(Core, Variant);
  } catch (const Exception&) {
    return Fallback;
  }
}

} // namespace

// ---------------------------------------------------------------------------
// Encoders

String tarnwick(const TCoreData& Core)
{
  const TDateTime Stamp = Now();
  const QChar Tab(u'\t');
  TTelegram T;
  T += DateToStr(Stamp, Core.Locale_Format);
  T += Tab;
  T += TimeToStr(Stamp, Core.Locale_Format);
  T += Tab;
  const size_t Last = Core.DataArray.empty() ? 0 : Core.DataArray.size() - 1;
  for (size_t I = 1; I < Last; I += 2) {
    T += Core.DataArray[I];
    T += Tab;
  }
  T += CrLf;
  return T.Text();
}

String tritech(const TCoreData& Core) { return OrFallback(SeaKingTelegram, Core, false, SeaKingFallback); }

String seaking(const TCoreData& Core) { return OrFallback(SeaKingTelegram, Core, true, SeaKingFallback); }

String digiquartz(const TCoreData& Core)
{
  try {
    const TItem Depth{Core, Core.BathyDepthIndex};
    if (!Depth.Fitted())
      return QStringLiteral("*00000000.000\r\n");
    // The value decides where the zeros go (after the "-" when negative).
    const bool Negative = StrToFloat(Depth.Text()) < 0;
    TField Field = Depth.Field();
    if (Negative)
      Field.ZerosAfterSign(12);
    else
      Field.ZerosInFront(12);
    TTelegram T;
    T += QChar(u'*');
    Field.AppendTo(T);
    T += CrLf;
    return T.Text();
  } catch (const Exception&) {
    return QStringLiteral("*00000000.000\r\n");
  }
}

String uk90std(const TCoreData& Core)
{
  try {
    const TItem Depth{Core, Core.BathyDepthIndex};
    const TItem Altimeter{Core, Core.ALT1Index};
    const TItem Temperature{Core, Core.WT1Index};
    const TItem Atmospheric{Core, Core.AP1Index};
    const TItem SV{Core, Core.SVS1Index};
    const TItem CalcDensity{Core, Core.CalcDensityIndex};

    TTelegram T;
    T += QChar(u'D');
    if (Depth.Fitted() && StrToFloat(Depth.Text()) >= 0)
      Depth.Field().DropLast(1).ZerosInFront(7).AppendTo(T);
    else
      T += QLatin1String("0000.00");

    for (int Twice = 0; Twice < 2; ++Twice) {
      T += QLatin1String(" A");
      if (Altimeter.Fitted())
        Altimeter.Field().DropLast(1).ZerosInFront(5).AppendTo(T);
      else
        T += QLatin1String("00.00");
    }

    T += QLatin1String(" T");
    if (Temperature.Fitted())
      Temperature.Field().Left(2).ZerosInFront(2).AppendTo(T);
    else
      T += QLatin1String("T00");

    T += QLatin1String("       P");
    if (Atmospheric.Fitted())
      AppendUK90Atmospheric(T, Atmospheric.Text());
    else
      T += QLatin1String("0900");

    T += QLatin1String(" V");
    if (SV.Fitted())
      SV.Field().RemovePoints().DropLast(2).ZerosInFront(5).AppendTo(T);
    else
      T += QLatin1String("14000");

    T += QLatin1String(" d");
    if (CalcDensity.Fitted())
      TField(FloatToStr(StrToFloat(CalcDensity.Text()) / 10)).RemovePoints().Left(5).ZerosInFront(5).AppendTo(T);
    else
      T += QLatin1String("d00000");

    // Worked on a copy: the setting keeps what the operator typed.
    TField Height(Core.Height_Above_Sea_Level);
    Height.ZerosInFront(2);
    T += QLatin1String(" H");
    if (Height.Size() > 2)
      T += QLatin1String("99");
    else
      Height.AppendTo(T);
    T += CrLf;
    return T.Text();
  } catch (const Exception&) {
    return UK90Fallback;
  }
}

String GrevonProc(const TCoreData& Core) { return OrFallback(GrevonTelegram, Core, false, GrevonFallback); }

String GREVONPROC2(const TCoreData& Core) { return OrFallback(GrevonTelegram, Core, true, GrevonFallback); }

String GrevonProcPrefixed(const TCoreData& Core) { return Core.Grevon_Proc_Prefix + GrevonProc(Core); }

const TOutputFormat OutputFormats[8] = {
    {"TARNWICK", tarnwick},
    {"SEAKING LONG", tritech},
    {"SEAKING LONG DECIMAL", seaking},
    {"DIGIQUARTZ", digiquartz},
    {"UK90 STD", uk90std},
    {"GREVON PROC", GrevonProc},
    {"GREVON PROC (PREFIX)", GrevonProcPrefixed},
    // Only through the settings file.
    {"GREVON PROC 2", GREVONPROC2},
};

const TOutputFormat* FindOutputFormat(const String& Name)
{
  for (const TOutputFormat& F : OutputFormats)
    if (Name == QLatin1String(F.Name))
      return &F;
  return nullptr;
}

String OutputTelegram(const TCoreData& Core, const String& FormatName)
{
  const TOutputFormat* F = FindOutputFormat(FormatName);
  return F ? F->Encoder(Core) : String();
}

// ---------------------------------------------------------------------------
// Outputs

void OutputData(TCoreData& Core, int32_t N)
{
  String& Status = Core.OutputStatus(N);
  const String Telegram = OutputTelegram(Core, Core.OutputFormat(N));
  const int32_t Free = Core.Hooks.OutputBufferFree ? Core.Hooks.OutputBufferFree(N) : INT32_MAX;
  if (Free < Telegram.size()) {
    // Not queued behind output the port has not sent yet; counted, so that
    // the loss shows beside the output's status.
    ++Core.OutputSkipped(N);
    return;
  }
  if (!Telegram.isEmpty() && Core.Hooks.OutputPutString)
    Core.Hooks.OutputPutString(N, ToAnsi(Telegram));
  Status = Telegram;
}

void OutputData1(TCoreData& Core) { OutputData(Core, 1); }

void OutputData2(TCoreData& Core) { OutputData(Core, 2); }

void OutputData3(TCoreData& Core) { OutputData(Core, 3); }

void OutputData4(TCoreData& Core) { OutputData(Core, 4); }
