#include "app/OutputStrings.h"

#include "app/CoreData.h"
#include "rtl/DateTime.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/RtlMath.h"
#include "rtl/Strings.h"

#include <climits>
#include <utility>

namespace {

const String CrLf = QStringLiteral("\r\n");

// ---------------------------------------------------------------------------
// Field operations on a value's text

String RemovePoints(String S) {
  S.remove(QLatin1Char('.'));
  return S;
}

// At every ".", the "." and the three decimals after it go.
String IntegerPart(String S) {
  int P;
  while ((P = Pos(QLatin1Char('.'), S)) > 0)
    Delete(S, P, 4);
  return S;
}

String DropLast(String S, int N) {
  Delete(S, static_cast<int>(S.size()) - N + 1, N);
  return S;
}

String Sign(String S) {
  if (Pos(QLatin1Char('-'), S) == 0)
    S.prepend(QLatin1Char('+'));
  return S;
}

// Zeros inserted after the first character (the sign) up to Width; an empty
// text just gets the zeros.
String ZerosAfterSign(String S, int Width) {
  if (S.size() < Width)
    S.insert(S.isEmpty() ? 0 : 1, String(Width - S.size(), QLatin1Char('0')));
  return S;
}

// Zeros in front up to Width. A negative value keeps its "-" in front and
// takes the zeros after it: "00000-7251" is no number to the receiving
// equipment, "-000007251" is (a slightly negative pressure at the surface
// is normal after the atmospheric correction).
String ZerosInFront(String S, int Width) {
  if (S.startsWith(QLatin1Char('-')))
    return ZerosAfterSign(std::move(S), Width);
  if (S.size() < Width)
    S.prepend(String(Width - S.size(), QLatin1Char('0')));
  return S;
}

// The pressure times 145037.6808 in its shortest general text, everything
// from the "." on deleted.
String ScaledPressure(const String& Pressure) {
  String S = FloatToStr(StrToFloat(Pressure) * 145037.6808);
  const int Dot = Pos(QLatin1Char('.'), S);
  if (Dot > 0)
    Delete(S, Dot, static_cast<int>(S.size()));
  return S;
}

String TwoDigits(int V) {
  String S = IntToStr(V);
  return V < 10 ? QLatin1Char('0') + S : S;
}

// hhmmsscc from one clock reading. The hundredths are the milliseconds / 10
// rounded half to even, cut to two digits, so 995 ms and above show "00".
String ClockFields(TDateTime Stamp) {
  uint16_t H, M, S, MS;
  DecodeTime(Stamp, H, M, S, MS);
  const String CC = QLatin1Char('0') + IntToStr(Round(MS / 10.0));
  return TwoDigits(H) + TwoDigits(M) + TwoDigits(S) + CC.right(2);
}

// An item of the telegram: fitted when its index variable is not 0.
struct TItem {
  const TCoreData& Core;
  int32_t Index;
  bool Fitted() const { return Index != 0; }
  const String& Text() const { return Core.Value(Index); }
};

// ---------------------------------------------------------------------------
// SEAKING LONG and SEAKING LONG DECIMAL

const String SeaKingFallback =
    QStringLiteral("%D007004270300000000+0000000000+0000000000140000000090000009000000000000+0000000000"
                   "-10000000000000090000000000\r\n");

String SeaKingTelegram(const TCoreData& Core, bool Decimal) {
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
  String T;
  T.reserve(128);
  T += QStringLiteral("%D0070042703") + ClockFields(Stamp);

  if (Depth.Fitted())
    T += ZerosAfterSign(Sign(Decimal ? Depth.Text() : RemovePoints(Depth.Text())), 11);
  else
    T += QStringLiteral("+0000000000");

  if (Altimeter.Fitted()) {
    T += ZerosAfterSign(Sign(IntegerPart(Altimeter.Text())), 11);
    F1 += 4;
  } else {
    T += QStringLiteral("+0000000000");
  }

  if (SV.Fitted()) {
    T += ZerosInFront(DropLast(Decimal ? SV.Text() : RemovePoints(SV.Text()), 2), 5);
    F1 += 16;
    F2 += 1;
  } else {
    T += QStringLiteral("14000");
  }

  if (MeanDensity.Fitted()) {
    T += ZerosInFront(DropLast(Decimal ? MeanDensity.Text() : RemovePoints(MeanDensity.Text()), 1), 10);
    F2 += 2;
  } else {
    T += QStringLiteral("0000090000");
  }

  if (Atmospheric.Fitted()) {
    T += ZerosInFront(Decimal ? Atmospheric.Text() : IntegerPart(Atmospheric.Text()), 5);
    F2 += 4;
  } else {
    T += QStringLiteral("00900");
  }

  if (Pressure.Fitted()) {
    T += ZerosInFront(ScaledPressure(Pressure.Text()), 10);
    F1 += 1;
  } else {
    T += QStringLiteral("0000000000");
  }

  T += QStringLiteral("+0000000000");

  if (Temperature.Fitted()) {
    if (Decimal) {
      String S = Sign(DropLast(Temperature.Text(), 1));
      if (S.size() <= 6)
        Insert(QStringLiteral("0"), S, 2);
      T += DropLast(S, 1);
    } else {
      T += DropLast(ZerosAfterSign(Sign(DropLast(RemovePoints(Temperature.Text()), 1)), 6), 1);
    }
    F1 += 8;
  } else {
    T += QStringLiteral("-1000");
  }

  if (Conductivity.Fitted()) {
    T += ZerosInFront(Decimal ? Conductivity.Text() : RemovePoints(Conductivity.Text()), 6);
    F1 += 2;
  } else {
    T += QStringLiteral("000000");
  }

  if (CalcDensity.Fitted())
    T += ZerosInFront(DropLast(Decimal ? CalcDensity.Text() : RemovePoints(CalcDensity.Text()), 1), 10);
  else
    T += QStringLiteral("0000090000");

  T += ZerosInFront(IntToStr(F1), 3);
  T += ZerosInFront(IntToStr(F2), 3);
  return T + CrLf;
}

// ---------------------------------------------------------------------------
// UK90 STD

const String UK90Fallback = QStringLiteral("D 0000.00 A00.00 A00.00 T00       P0000 V00000 d00000 H00\r\n");

String UK90Atmospheric(const String& Text) {
  String A = Text;
  const double X = StrToFloat(A);
  if (X < 0)
    A = QStringLiteral("00.00");
  else if (X > 99.99)
    A = QStringLiteral("99.99");
  if (A.startsWith(QLatin1Char('0')))
    A = QLatin1Char('0') + DropLast(A, 1);
  A = ZerosInFront(FloatToStr(StrToFloat(A) * 100), 4);
  while (A.size() > 4)
    A = DropLast(A, 1);
  return A;
}

// ---------------------------------------------------------------------------
// GREVON PROC and GREVON PROC 2

const String GrevonFallback =
    QStringLiteral("+000000000000000+0000000000000000000000000-0000000000+000000000000000+0000000000000"
                   "+000000000000000000\r\n");

String GrevonTelegram(const TCoreData& Core, bool Two) {
  const TItem Temperature{Core, Core.WT1Index};
  const TItem Pressure{Core, Core.WP1Index};
  const TItem Conductivity{Core, Core.ConductivityIndex};
  const TItem Salinity{Core, Core.SalinityIndex};
  const TItem CalcDensity{Core, Core.CalcDensityIndex};
  const TItem SV{Core, Core.SVS1Index};
  const TItem Altimeter{Core, Core.ALT1Index};
  const TItem Depth{Core, Core.BathyDepthIndex};
  const TDateTime Stamp = Now();
  String T;
  T.reserve(128);

  if (Temperature.Fitted()) {
    String S = Sign(DropLast(RemovePoints(Temperature.Text()), 1));
    Insert(QStringLiteral("0"), S, 2);
    T += ZerosAfterSign(DropLast(S, 1), 6);
  } else {
    T += QStringLiteral("+00000");
  }

  T += Pressure.Fitted() ? ZerosInFront(ScaledPressure(Pressure.Text()), 10) : QStringLiteral("0000000000");
  T += QStringLiteral("+00000" "0000000000" "0000000000" "+00000");
  T += Conductivity.Fitted() ? ZerosInFront(RemovePoints(Conductivity.Text()), 5) : QStringLiteral("00000");
  T += Temperature.Fitted() ? ZerosAfterSign(Sign(DropLast(RemovePoints(Temperature.Text()), 1)), 6)
                            : QStringLiteral("+00000");

  if (!Two) {
    if (Salinity.Fitted()) {
      String S = ZerosInFront(RemovePoints(Salinity.Text()), 5);
      while (S.size() > 5)
        S = DropLast(S, 1);
      T += S;
    } else {
      T += QStringLiteral("00000");
    }
  } else {
    T += CalcDensity.Fitted() ? ZerosInFront(DropLast(RemovePoints(CalcDensity.Text()), 1), 5)
                              : QStringLiteral("90000");
  }

  T += SV.Fitted() ? ZerosInFront(DropLast(RemovePoints(SV.Text()), 2), 5) : QStringLiteral("00000");

  if (Altimeter.Fitted()) {
    const String Whole = Two ? IntegerPart(Altimeter.Text()) : IntToStr(Trunc(StrToFloat(Altimeter.Text()) * 1000));
    T += ZerosAfterSign(Sign(Whole), 11);
  } else {
    T += QStringLiteral("+0000000000");
  }

  T += Two ? QStringLiteral("007") : Core.Bathy_Metric_Code;
  T += Depth.Fitted() ? ZerosAfterSign(Sign(RemovePoints(Depth.Text())), 11) : QStringLiteral("0000000");
  T += ClockFields(Stamp);
  return T + CrLf;
}

}  // namespace

// ---------------------------------------------------------------------------
// Encoders

String tarnwick(const TCoreData& Core) {
  const TDateTime Stamp = Now();
  const QChar Tab(u'\t');
  String T;
  T.reserve(32 + 12 * static_cast<qsizetype>(Core.DataArray.size()));
  T += DateToStr(Stamp, Core.Locale_Format) + Tab + TimeToStr(Stamp, Core.Locale_Format) + Tab;
  const size_t Last = Core.DataArray.empty() ? 0 : Core.DataArray.size() - 1;
  for (size_t I = 1; I < Last; I += 2)
    T += Core.DataArray[I] + Tab;
  return T + CrLf;
}

String tritech(const TCoreData& Core) {
  try {
    return SeaKingTelegram(Core, false);
  } catch (const Exception&) {
    return SeaKingFallback;
  }
}

String seaking(const TCoreData& Core) {
  try {
    return SeaKingTelegram(Core, true);
  } catch (const Exception&) {
    return SeaKingFallback;
  }
}

String digiquartz(const TCoreData& Core) {
  try {
    const TItem Depth{Core, Core.BathyDepthIndex};
    if (!Depth.Fitted())
      return QStringLiteral("*00000000.000\r\n");
    // The value decides where the zeros go (after the "-" when negative).
    const bool Negative = StrToFloat(Depth.Text()) < 0;
    const String Field = Negative ? ZerosAfterSign(Depth.Text(), 12) : ZerosInFront(Depth.Text(), 12);
    return QLatin1Char('*') + Field + CrLf;
  } catch (const Exception&) {
    return QStringLiteral("*00000000.000\r\n");
  }
}

String uk90std(const TCoreData& Core) {
  try {
    const TItem Depth{Core, Core.BathyDepthIndex};
    const TItem Altimeter{Core, Core.ALT1Index};
    const TItem Temperature{Core, Core.WT1Index};
    const TItem Atmospheric{Core, Core.AP1Index};
    const TItem SV{Core, Core.SVS1Index};
    const TItem CalcDensity{Core, Core.CalcDensityIndex};

    String T;
    T.reserve(80);
    T += QLatin1Char('D');
    if (Depth.Fitted() && StrToFloat(Depth.Text()) >= 0)
      T += ZerosInFront(DropLast(Depth.Text(), 1), 7);
    else
      T += QStringLiteral("0000.00");

    const String Alt = Altimeter.Fitted() ? ZerosInFront(DropLast(Altimeter.Text(), 1), 5) : QStringLiteral("00.00");
    T += QStringLiteral(" A") + Alt + QStringLiteral(" A") + Alt;

    T += QStringLiteral(" T");
    T += Temperature.Fitted() ? ZerosInFront(Copy(Temperature.Text(), 1, 2), 2) : QStringLiteral("T00");

    T += QStringLiteral("       P");
    T += Atmospheric.Fitted() ? UK90Atmospheric(Atmospheric.Text()) : QStringLiteral("0900");

    T += QStringLiteral(" V");
    T += SV.Fitted() ? ZerosInFront(DropLast(RemovePoints(SV.Text()), 2), 5) : QStringLiteral("14000");

    T += QStringLiteral(" d");
    if (CalcDensity.Fitted()) {
      String D = RemovePoints(FloatToStr(StrToFloat(CalcDensity.Text()) / 10));
      while (D.size() > 5)
        D = DropLast(D, 1);
      T += ZerosInFront(D, 5);
    } else {
      T += QStringLiteral("d00000");
    }

    // Worked on a copy: the setting keeps what the operator typed.
    String Height = ZerosInFront(Core.Height_Above_Sea_Level, 2);
    if (Height.size() > 2)
      Height = QStringLiteral("99");
    T += QStringLiteral(" H") + Height;
    return T + CrLf;
  } catch (const Exception&) {
    return UK90Fallback;
  }
}

String GrevonProc(const TCoreData& Core) {
  try {
    return GrevonTelegram(Core, false);
  } catch (const Exception&) {
    return GrevonFallback;
  }
}

String GREVONPROC2(const TCoreData& Core) {
  try {
    return GrevonTelegram(Core, true);
  } catch (const Exception&) {
    return GrevonFallback;
  }
}

String OutputTelegram(const TCoreData& Core, const String& FormatName) {
  if (FormatName == QLatin1String("TARNWICK"))
    return tarnwick(Core);
  if (FormatName == QLatin1String("SEAKING LONG"))
    return tritech(Core);
  if (FormatName == QLatin1String("SEAKING LONG DECIMAL"))
    return seaking(Core);
  if (FormatName == QLatin1String("DIGIQUARTZ"))
    return digiquartz(Core);
  if (FormatName == QLatin1String("UK90 STD"))
    return uk90std(Core);
  if (FormatName == QLatin1String("GREVON PROC"))
    return GrevonProc(Core);
  if (FormatName == QLatin1String("GREVON PROC (PREFIX)"))
    return Core.Grevon_Proc_Prefix + GrevonProc(Core);
  if (FormatName == QLatin1String("GREVON PROC 2"))
    return GREVONPROC2(Core);
  return String();
}

// ---------------------------------------------------------------------------
// Outputs

void OutputData(TCoreData& Core, int32_t N) {
  String& Status = Core.OutputStatus(N);
  const String Telegram = OutputTelegram(Core, Core.OutputFormat(N));
  const int32_t Free = Core.Hooks.OutputBufferFree ? Core.Hooks.OutputBufferFree(N) : INT32_MAX;
  if (Free < Telegram.size())
    return;
  if (!Telegram.isEmpty() && Core.Hooks.OutputPutString)
    Core.Hooks.OutputPutString(N, ToAnsi(Telegram));
  Status = Telegram;
}

void OutputData1(TCoreData& Core) {
  OutputData(Core, 1);
}

void OutputData2(TCoreData& Core) {
  OutputData(Core, 2);
}

void OutputData3(TCoreData& Core) {
  OutputData(Core, 3);
}

void OutputData4(TCoreData& Core) {
  OutputData(Core, 4);
}
