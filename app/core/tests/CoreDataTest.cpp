#include "app/core/CoreData.h"

#include "CoreFixture.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

const TDateTime LoadTime = EncodeDateTime(2026, 12, 8, 9, 15, 0, 500);

TEST(CoreDataLoad, ThreeFittedSlotsGiveAnEightEntryTable)
{
  const TClockScope Clock(LoadTime);
  auto Core = MakeCore({1, 2, 5});
  Array2D Slots = Core->SerialArray;
  Slots[2][SerialOutputFormat] = QStringLiteral("#0.0");
  Slots[5][SerialPort] = QStringLiteral("7");
  Slots[5][SerialBaud] = QStringLiteral("9600");
  Slots[5][SerialPacket] = QStringLiteral("16");
  Core->RebuildFromSlots(Slots);

  EXPECT_EQ(Core->SensorCount, 3);
  ASSERT_EQ(Core->DataArray.size(), 8u);
  for (const String& V : Core->DataArray)
    EXPECT_EQ(V, QStringLiteral("0.000"));
  const std::vector<String> Masks = {"", "##0.000", "##0.000", "#0.0", "#0.0", "##0.000", "##0.000", ""};
  EXPECT_EQ(Core->DataFormatArray, Masks);
  EXPECT_EQ(Core->SensorName, (std::vector<String>{"S1, u", "S2, u", "S5, u"}));

  for (int32_t Slot = 0; Slot < SlotCount; ++Slot) {
    const int32_t Expected = Slot == 1 ? 1 : Slot == 2 ? 3 : Slot == 5 ? 5 : 0;
    EXPECT_EQ(Core->SlotIndex(Slot), Expected) << "slot " << Slot;
  }
  EXPECT_EQ(Core->WP1Index, 1);
  EXPECT_EQ(Core->WT1Index, 3);
  EXPECT_EQ(Core->SoundSpeedIndex, 5);

  // Entries 1 onwards carry the load time; the shared entry 0 no stamp.
  EXPECT_EQ(Core->DataDateArray[0], 0);
  EXPECT_EQ(Core->DataTimeArray[0], 0);
  for (size_t I = 1; I < 8; ++I) {
    EXPECT_EQ(Core->DataDateArray[I], DateOf(LoadTime)) << I;
    EXPECT_EQ(Core->DataTimeArray[I], TimeOf(LoadTime)) << I;
  }
  EXPECT_EQ(Core->DataPort[5], 7);
  EXPECT_EQ(Core->DataPortBaud[5], 9600);
  EXPECT_EQ(Core->DataPacket[5], 16);
  EXPECT_EQ(Core->DataPort[0], 1);
}

TEST(CoreDataLoad, NoFittedSlotLeavesOnlyTheSharedAndSpareEntries)
{
  auto Core = MakeCore({});
  EXPECT_EQ(Core->SensorCount, 0);
  EXPECT_EQ(Core->DataArray.size(), 2u);
  EXPECT_TRUE(Core->SensorName.empty());
}

TEST(CoreDataLoad, TareFieldIsNotPartOfTheSettings)
{
  auto Core = MakeCore({0});
  Core->SerialArray[0][SerialTare] = QStringLiteral("2");
  TSerialRow Row = Core->SerialArray[0];
  Row[SerialTare] = QStringLiteral("0");
  Row[SerialLabel] = QStringLiteral("CTD");
  Core->BeginSettingsLoad();
  EXPECT_TRUE(Core->AddSlot(0, Row));
  EXPECT_FALSE(Core->AddSlot(1, Core->SerialArray[1]));
  Core->EndSettingsLoad();
  EXPECT_EQ(Core->SerialArray[0][SerialTare], QStringLiteral("2"));
  EXPECT_EQ(Core->SerialArray[0][SerialLabel], QStringLiteral("CTD"));
  EXPECT_THROW(Core->AddSlot(20, Row), ERangeError);
}

TEST(CoreDataLoad, UnfittingWithoutResetLeavesNoStaleIndex)
{
  // Slot 19 was the fifth sensor (index 9); after a load that no longer fits
  // it, with the data kept, its index must not point past the new table.
  auto Core = MakeCore({0, 1, 2, 3, 19});
  ASSERT_EQ(Core->QYR4DepthIndex, 9);
  Array2D Slots = Core->SerialArray;
  Slots[19][SerialFitted] = QStringLiteral("0");
  Core->Reset_Data_Flag = 0;
  Core->RebuildFromSlots(Slots);
  EXPECT_EQ(Core->QYR4DepthIndex, 0);
  EXPECT_EQ(Core->DataArray.size(), 10u);
}

TEST(CoreDataLoad, DataResetOnlyWhenAsked)
{
  auto Core = MakeCore({0});
  Core->History.SetCurrentValue(0, QStringLiteral("1.000"));
  Core->History.Advance();
  Core->DepthTables.SetValue(0, 10, 4.5);
  Core->Bins.SetIntSVAArray(10, 0.25);
  Core->Bins.SVA_Array_Index = 10;

  const Array2D Slots = Core->SerialArray;
  Core->Reset_Data_Flag = 0;
  Core->Maximum_View_Points = 60;
  Core->RebuildFromSlots(Slots);
  EXPECT_EQ(Core->History.Time_Array_Index(), 1);
  EXPECT_EQ(Core->History.Length(), 60);
  EXPECT_EQ(Core->History.Value(0, 0), QStringLiteral("1.000"));
  EXPECT_EQ(Core->DepthTables.Value(0, 10), 4.5);
  EXPECT_EQ(Core->Bins.IntSVAArray(10), 0.25);

  Core->Reset_Data_Flag = 1;
  Core->RebuildFromSlots(Slots);
  EXPECT_EQ(Core->History.Time_Array_Index(), 0);
  EXPECT_TRUE(Core->History.Value(0, 0).isEmpty());
  EXPECT_EQ(Core->DepthTables.Value(0, 10), 0);
  EXPECT_EQ(Core->Bins.IntSVAArray(10), 0);
  EXPECT_EQ(Core->Bins.SVA_Array_Index, 0);
}

TEST(CoreDataValues, UnfittedInputsReadAsZero)
{
  auto Core = MakeCore({1});
  Core->DataArray[0] = QStringLiteral("55.000"); // left by some unfitted output
  Core->DataArray[1] = QStringLiteral("12.500");
  EXPECT_EQ(Core->InputValue(0), 0);
  EXPECT_EQ(Core->InputValue(Core->WP1Index), 12.5);
  Core->DataArray[1] = QStringLiteral("x");
  EXPECT_THROW(Core->InputValue(Core->WP1Index), EConvertError);
  // An index past the table reads an empty text, which is no number.
  EXPECT_TRUE(Core->Value(99).isEmpty());
  EXPECT_THROW(Core->InputValue(99), EConvertError);
}

TEST(CoreDataValues, StoreFormatsWithTheEntryMaskAndStamps)
{
  auto Core = MakeCore({1, 2});
  Core->DataFormatArray[3] = QStringLiteral("#0.0");
  Core->StoreValue(3, 12.345, 46000, 0.5);
  EXPECT_EQ(Core->DataArray[3], QStringLiteral("12.3"));
  EXPECT_EQ(Core->DataDateArray[3], 46000);
  EXPECT_EQ(Core->DataTimeArray[3], 0.5);
  // Entry 0 and the closing entry have the general format.
  Core->StoreValue(0, 1.5, 1, 0);
  EXPECT_EQ(Core->DataArray[0], QStringLiteral("1.5"));
  const auto Before = Core->DataArray;
  Core->StoreValue(-1, 1, 1, 0);
  Core->StoreValue(6, 1, 1, 0);
  EXPECT_EQ(Core->DataArray, Before);
}

} // namespace
