// libFuzzer target: arbitrary bytes as what the profiling instrument's data
// packet delivers, through the whole road of one sample (decode, atmospheric
// correction, value table, calculations, history, depth tables, the
// telegrams of four outputs).
// The core lives across inputs, so the history rolls and the depth bins fill
// as in a long cast. Besides not crashing, every input must leave the tables
// their sizes, and a string the decoder refuses must be counted and change
// nothing in the value table.
// fuzz-links: app_core
#include "app/core/CoreData.h"
#include "app/core/SampleRoad.h"
#include "rtl/DateTime.h"

#include <cstdint>
#include <cstdlib>

namespace {

TDateTime FixedNow() { return EncodeDateTime(2026, 12, 8, 19, 30, 35, 120); }

TCoreData& Core()
{
  static TCoreData* C = [] {
    SetNowFunction(&FixedNow);
    auto* Core = new TCoreData();
    Array2D Slots = Core->SerialArray;
    for (auto& Row : Slots)
      Row[SerialFitted] = QStringLiteral("1");
    Slots[0][SerialAtmos] = QStringLiteral("1");
    Core->Maximum_View_Points = 60;
    Core->RebuildFromSlots(Slots);
    Core->Reset_Data_Flag = 0;
    Core->DataArray[static_cast<size_t>(Core->AP1Index)] = QStringLiteral("10.130");
    Core->Output_1_Fitted = Core->Output_2_Fitted = Core->Output_3_Fitted = Core->Output_4_Fitted = 1;
    Core->Output_1_Format = QStringLiteral("SEAKING LONG");
    Core->Output_2_Format = QStringLiteral("GREVON PROC (PREFIX)");
    Core->Output_3_Format = QStringLiteral("UK90 STD");
    Core->Output_4_Format = QStringLiteral("SEAKING LONG DECIMAL");
    Core->Hooks.OutputPutString = [](int32_t, const AnsiString& T) {
      if (T.isEmpty() || !T.endsWith("\r\n"))
        std::abort();
    };
    return Core;
  }();
  return *C;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  TCoreData& C = Core();
  const AnsiString Line(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));

  // The packet's text holds the data string after its last LF.
  TDataString Decoded;
  String Reason;
  const bool Decodes = DecodeDataString(Line.mid(Line.lastIndexOf('\n') + 1), Decoded, Reason);
  const auto Table = C.DataArray;
  const int64_t Rejected = C.RejectedDataStrings;

  SioDataPacket1StringPacket(C, Line);

  if (C.DataArray.size() != Table.size() || C.DataDateArray.size() != Table.size() ||
      C.DataTimeArray.size() != Table.size())
    std::abort();
  if (!Decodes && (C.RejectedDataStrings != Rejected + 1 || C.DataArray != Table))
    std::abort();
  if (C.History.Time_Array_Index() < 0 || C.History.Time_Array_Index() >= C.History.Length())
    std::abort();
  if (C.PortData1.size() > MaxDataStringLength + 200)
    std::abort();
  return 0;
}
