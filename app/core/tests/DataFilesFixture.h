#pragma once
// Shared by the data-file and replay tests: a main window stand-in that
// records what the file commands switch, a settings file held in memory, and
// file helpers.
#include "CoreFixture.h"
#include "app/core/CoreData.h"
#include "app/core/DataFiles.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

class TFakeHost : public TDataFilesHost {
public:
  // The slot table ReadIniFile loads (the "settings file").
  explicit TFakeHost(TCoreData& Core) : FCore(Core), Slots(Core.SerialArray)
  {
    Status[0] = QStringLiteral("panel 0 before");
    Status[1] = QStringLiteral("panel 1 before");
  }

  void SetActionEnabled(TDataFileAction Action, bool On) override { Enabled[Action] = On; }
  void SetStatusText(int32_t Panel, const String& Text) override
  {
    ASSERT_TRUE(Panel == 0 || Panel == 1) << Panel;
    Status[Panel] = Text;
  }
  void SetWaitCursor(bool On) override { Wait = On; }
  void ReadIniFile() override
  {
    ResetFlags.push_back(FCore.Reset_Data_Flag);
    FCore.RebuildFromSlots(Slots);
  }
  void UpdateDepthWindows() override { ++DepthWindowUpdates; }

  // Unknown (never switched) reads as -1.
  int On(TDataFileAction Action) const
  {
    const auto It = Enabled.find(Action);
    return It == Enabled.end() ? -1 : (It->second ? 1 : 0);
  }
  // Recording off: save and open offered, stop and real time not.
  void ExpectIdleActions() const
  {
    EXPECT_EQ(On(TDataFileAction::FileSaveData1), 1);
    EXPECT_EQ(On(TDataFileAction::FileOpen1), 1);
    EXPECT_EQ(On(TDataFileAction::Action1), 0);
    EXPECT_EQ(On(TDataFileAction::RealTimeDisplay1), 0);
  }

private:
  TCoreData& FCore;

public:
  Array2D Slots;
  std::map<TDataFileAction, bool> Enabled;
  String Status[2];
  bool Wait = false;
  std::vector<int32_t> ResetFlags; // Reset_Data_Flag at each ReadIniFile
  int DepthWindowUpdates = 0;
};

inline QByteArray ReadAll(const QString& Name)
{
  QFile F(Name);
  return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray("<missing>");
}

inline void WriteAll(const QString& Name, const QByteArray& Data)
{
  QFile F(Name);
  ASSERT_TRUE(F.open(QIODevice::WriteOnly)) << Name.toStdString();
  ASSERT_EQ(F.write(Data), Data.size());
}

inline QList<QByteArray> FileLines(const QString& Name)
{
  QList<QByteArray> Lines = ReadAll(Name).split('\n');
  if (!Lines.isEmpty() && Lines.last().isEmpty())
    Lines.removeLast();
  return Lines;
}

// The test command names the folder; run by hand, the tests find it beside
// this file.
inline QString TestData(const char* Name)
{
  const char* Dir = std::getenv("FATHOMIX_TEST_DATA");
  const QString Folder =
      Dir ? QString::fromLocal8Bit(Dir)
          : QString::fromLocal8Bit(__FILE__).section(QLatin1Char('/'), 0, -2) + QStringLiteral("/data");
  return Folder + QLatin1Char('/') + QLatin1String(Name);
}

// Slot Slot fitted with the given label, units and mask, the rest as
// MakeCore leaves them; the core is rebuilt as a settings load with a data
// reset does it.
struct TSlotSetup {
  int32_t Slot;
  const char* Label;
  const char* Units;
  const char* Mask;
};

inline std::unique_ptr<TCoreData> MakeCoreWith(std::initializer_list<TSlotSetup> Fitted)
{
  auto Core = MakeCore({});
  Array2D Slots = Core->SerialArray;
  for (const TSlotSetup& S : Fitted) {
    TSerialRow& Row = Slots[static_cast<size_t>(S.Slot)];
    Row[SerialFitted] = QStringLiteral("1");
    Row[SerialLabel] = QString::fromUtf8(S.Label);
    Row[SerialUnits] = QString::fromUtf8(S.Units);
    Row[SerialOutputFormat] = QString::fromUtf8(S.Mask);
  }
  Core->Reset_Data_Flag = 1;
  Core->RebuildFromSlots(Slots);
  Core->Reset_Data_Flag = 0;
  return Core;
}

// The three sensors of the golden recording: slots 1, 2 and 5, one of them
// with a name outside ASCII (written in the ANSI code page).
inline std::unique_ptr<TCoreData> GoldenCore()
{
  return MakeCoreWith({{1, "S1", "u", "0.00"}, {2, "Température", "°C", "##0.000"}, {5, "S5", "u", "0.0"}});
}
