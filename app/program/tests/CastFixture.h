#pragma once
// The display windows' tests in the real main window, fed by the
// simulator's cast through the real core: the profiling instrument's data
// strings go in on a pseudo-terminal (the program's COM2), one at a time,
// each taken by the core before the next is sent. The clock is the test's:
// every sample gets its own second, so stamps and screenshots are the same
// on every run.
#include "MainFormFixture.h"

#include "app/windows/DisplayWindow.h"
#include "platform/ActnList.h"
#include "platform/FontFamilies.h"
#include "rtl/DateTime.h"
#include "sim/CastProfile.h"

#include <set>
#include <vector>

// What the settings give a fitted slot: label, units, output mask.
struct TSlotSetting {
  const char* Label;
  const char* Units;
  const char* Mask;
};
inline const TSlotSetting SlotSettings[20] = {
    {"Conductivity", "mS/cm", "0.000"},
    {"Pressure", "dBar", "0.00"},
    {"Temperature", "degC", "0.000"},
    {"Altimeter", "m", "0.0"},
    {"SV", "m/s", "0.00"},
    {"Sound Speed", "m/s", "0.00"},
    {"Depth", "m", "0.00"},
    {"Total Depth", "m", "0.0"},
    {"Density", "kg/m3", "0.000"},
    {"Mean Density", "kg/m3", "0.000"},
    {"Salinity", "PSU", "0.000"},
    {"Atmos", "mBar", "0.0"},
    {"QYR1", "dBar", "0.000"},
    {"QYR2", "dBar", "0.000"},
    {"QYR3", "dBar", "0.000"},
    {"QYR4", "dBar", "0.000"},
    {"QYR1 Depth", "m", "0.000"},
    {"QYR2 Depth", "m", "0.000"},
    {"QYR3 Depth", "m", "0.000"},
    {"QYR4 Depth", "m", "0.000"},
};

// The test clock: 01/06/2021 09:00:00 and as many seconds after it as
// samples were sent.
inline const TDateTime CastClockStart = EncodeDate(2021, 6, 1) + EncodeTime(9, 0, 0, 0);
inline int64_t CastClockSeconds = 0;
inline TDateTime CastNow() { return CastClockStart + static_cast<double>(CastClockSeconds) / 86400.0; }

class TCastTest : public TMainFormTest {
protected:
  void SetUp() override
  {
    TMainFormTest::SetUp();
    InstallFontFamilies();
    CastClockSeconds = 0;
    SetNowFunction(CastNow);
  }

  void TearDown() override
  {
    TMainFormTest::TearDown();
    SetNowFunction(nullptr);
  }

  // The main window with the profiling instrument's slots Slots fitted on
  // COM2 (the others not), and Extra appended to the settings.
  TMainForm& StartWith(std::set<int> Slots, const QByteArray& Extra = QByteArray())
  {
    FInstrument = &Pty(2);
    FFreshLine = true;
    QByteArray S;
    for (int N = 0; N < 20; ++N) {
      const QByteArray Section = "[Serial " + QByteArray::number(N) + "]\r\n";
      if (!Slots.count(N)) {
        S += Section + "Fitted=0\r\n";
        continue;
      }
      const TSlotSetting& K = SlotSettings[N];
      S += Section + "Fitted=1\r\nPort=2\r\nMode=RS232\r\nPacket=1\r\nBaud=9600\r\nLabel=" + K.Label +
           "\r\nUnits=" + K.Units + "\r\nOutput Format=" + K.Mask + "\r\n";
    }
    WriteSettings(S + Extra);
    TMainForm& F = Start();
    const std::function<void()> Inner = Core().Hooks.UpdateWindows;
    Core().Hooks.UpdateWindows = [this, Inner] {
      ++Samples;
      if (Inner)
        Inner();
    };
    return F;
  }

  // The next Count samples of the cast, each taken by the core before the
  // next is sent.
  void Cast(int Count)
  {
    for (int I = 0; I < Count; ++I) {
      ++CastClockSeconds;
      const int Before = Samples;
      AnsiString Line = sim::CastProfile::DataString(FCast.Sample(FNext++));
      // A port just opened takes a string from its first line end on.
      if (FFreshLine)
        Line.prepend('\n');
      FFreshLine = false;
      ASSERT_TRUE(FInstrument->WriteMaster(Line));
      ASSERT_TRUE(PumpUntil([&] { return Samples == Before + 1; })) << "sample " << FNext << " not taken";
    }
  }

  template <class T>
  T* Open(TMdiChildKind Kind)
  {
    Form->DisplayTypeClick(Kind);
    return dynamic_cast<T*>(Form->MDIChildren(0));
  }

  template <class T>
  std::vector<T*> Windows() const
  {
    std::vector<T*> Found;
    for (int32_t I = 0; I < Form->MDIChildCount(); ++I)
      if (auto* W = dynamic_cast<T*>(Form->MDIChildren(I)))
        Found.push_back(W);
    return Found;
  }

  static void Choose(TDisplayWindow& W, std::initializer_list<int> Items)
  {
    for (int N : Items)
      W.Action(N)->Execute();
  }

  String DateText(TDateTime D) { return DateToStr(D, Core().Locale_Format); }
  String TimeText(TDateTime T) { return TimeToStr(T, Core().Locale_Format); }

  int Samples = 0;

private:
  PtyPair* FInstrument = nullptr;
  sim::CastProfile FCast{[] {
    sim::CastParams P;
    P.MaxDepth = 40.0;
    P.StepMetres = 1.0;
    P.Seed = 11;
    return P;
  }()};
  int64_t FNext = 0;
  bool FFreshLine = true;
};
