#include "chart/series/SeriesClass.h"

#include "chart/core/CustomChartSeries.h"
#include "platform/ClassRegistry.h"

#include <typeinfo>

bool IsClassOrDescendant(const TCustomChartSeries* S, const TCustomChartSeries* Base)
{
  if (!S || !Base)
    return false;
  if (typeid(*S) == typeid(*Base))
    return true;
  const TClassInfo* Mine = GetClass(S->ClassName());
  const TClassInfo* Theirs = GetClass(Base->ClassName());
  return Mine && Theirs && Mine->InheritsFrom(Theirs);
}
