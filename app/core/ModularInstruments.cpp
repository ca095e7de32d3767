#include "app/core/ModularInstruments.h"

#include "app/core/CoreData.h"
#include "app/core/SetupScreen.h"
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"

namespace {

struct TModular {
  int32_t Slot;
  int32_t TCoreData::*Index;
  String TCoreData::*Status;
};

constexpr TModular Instruments[ModularInstrumentCount] = {
    {slQYR1, &TCoreData::QYR1Index, &TCoreData::PortData3}, {slQYR2, &TCoreData::QYR2Index, &TCoreData::PortData4},
    {slQYR3, &TCoreData::QYR3Index, &TCoreData::PortData5}, {slQYR4, &TCoreData::QYR4Index, &TCoreData::PortData6},
    {slAP1, &TCoreData::AP1Index, &TCoreData::PortData7},
};

const TModular& Instrument(int32_t K)
{
  if (K < 1 || K > ModularInstrumentCount)
    throw ERangeError(Format("Modular instrument %d outside 1..%d", {K, ModularInstrumentCount}));
  return Instruments[K - 1];
}

} // namespace

int32_t ModularSlot(int32_t K) { return Instrument(K).Slot; }

int32_t ModularSetupRow(int32_t K)
{
  Instrument(K);
  return SetupRowQYR1 + K - 1;
}

int32_t ModularValueIndex(const TCoreData& Core, int32_t K) { return Core.*Instrument(K).Index; }

String& ModularStatus(TCoreData& Core, int32_t K) { return Core.*Instrument(K).Status; }

int32_t ModularOfSetupRow(int32_t Row)
{
  if (Row < SetupRowQYR1 || Row > SetupRowAtmospheric)
    return 0;
  return Row - SetupRowQYR1 + 1;
}
