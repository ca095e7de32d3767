// Arbitrary bytes as the "Data" or the "Detail" value of a chart series (the
// first byte chooses which, and whether the series is horizontal). Besides
// "no crash, no sanitizer report, no leak" it checks what must hold for any
// input:
//   - a value that is refused raises a library exception and leaves the
//     series exactly as it was (its own "Data" and "Detail" unchanged);
//   - a value that is taken writes a value that reads back and writes the
//     same bytes again.
// fuzz-links: chart_core
#include "chart/core/ChartCoreInit.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesDetail.h"
#include "chart/core/SeriesMarks.h"
#include "fuzz/FuzzInvariant.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <QGuiApplication>

#include <sanitizer/lsan_interface.h>

#include <cstdio>
#include <cstdlib>

namespace {
void Prepare(TChartSeries& S, bool Horizontal);
} // namespace

// The application, the chart library and the font look-ups behind a
// series' marks are made once, before the inputs; what the font library
// keeps for the life of the process is not a leak of an input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  __lsan_disable();
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int Argc = 1;
  static char Name[] = "series_data_fuzz";
  static char* Argv[] = {Name, nullptr};
  new QGuiApplication(Argc, Argv);
  InitializeChartCore();
  {
    TChartSeries Warm(nullptr);
    Prepare(Warm, false);
    Warm.Marks()->SetVisible(true);
  }
  __lsan_enable();
  return 0;
}

namespace {

QByteArray Written(TChartSeries& S, bool Detail)
{
  TBytesStream Out;
  if (Detail)
    S.WriteDetail(Out);
  else
    S.WriteData(Out);
  return Out.Bytes();
}

// True when the value was taken.
bool Read(TChartSeries& S, const QByteArray& Bytes, bool Detail)
{
  TBytesStream In(Bytes);
  try {
    if (Detail)
      S.ReadDetail(In);
    else
      S.ReadData(In);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void Prepare(TChartSeries& S, bool Horizontal)
{
  if (Horizontal)
    S.SetHorizontal();
  S.AddXY(1, 2, QStringLiteral("kept"));
  S.AddXY(3, 4);
  S.Detail()->CreateNew(&S)->Add(5);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  if (Size < 1)
    return 0;
  const bool Detail = Data[0] & 1;
  const bool Horizontal = Data[0] & 2;
  const QByteArray Bytes(reinterpret_cast<const char*>(Data) + 1, static_cast<qsizetype>(Size - 1));

  TChartSeries S(nullptr);
  Prepare(S, Horizontal);
  const QByteArray DataBefore = Written(S, false);
  const QByteArray DetailBefore = Written(S, true);
  if (!Read(S, Bytes, Detail)) {
    const QByteArray DataAfter = Written(S, false);
    if (DataAfter != DataBefore)
      Fail("a refused value changed the points", DataBefore, DataAfter);
    const QByteArray DetailAfter = Written(S, true);
    if (DetailAfter != DetailBefore)
      Fail("a refused value changed the detail", DetailBefore, DetailAfter);
    return 0;
  }
  const QByteArray Once = Written(S, Detail);
  TChartSeries Again(nullptr);
  Prepare(Again, Horizontal);
  if (!Read(Again, Once, Detail))
    Fail("a written value does not read", Bytes, Once);
  const QByteArray Twice = Written(Again, Detail);
  if (Once != Twice)
    Fail("value -> series -> value -> series -> value", Once, Twice);
  return 0;
}
