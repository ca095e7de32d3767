#include "app/setup/SetupChoices.h"

#include "rtl/Numbers.h"

const TSampleInterval SampleIntervals[SampleIntervalCount] = {
    {"250", "4"}, {"500", "2"}, {"1000", "1"}, {"2000", "1"}, {"3000", "1"}, {"4000", "1"}, {"5000", "1"}};

String AcceptedSoundVelocity(const String& Text)
{
  int32_t V = 0;
  if (Text == QLatin1String("Measured") || Text == QLatin1String("Calculated") ||
      (TryStrToInt(Text, V) && V >= 1300 && V <= 1700))
    return Text;
  return QStringLiteral("1500");
}
