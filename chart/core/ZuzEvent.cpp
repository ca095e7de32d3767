#include "chart/core/ZuzEvent.h"

String TZuzEvent::ClassName() const { return QStringLiteral("TZuzEvent"); }
String TZuzMouseEvent::ClassName() const { return QStringLiteral("TZuzMouseEvent"); }
String TZuzView3DEvent::ClassName() const { return QStringLiteral("TZuzView3DEvent"); }
String TMouseLeaveEvent::ClassName() const { return QStringLiteral("TMouseLeaveEvent"); }
String TZuzSeriesEvent::ClassName() const { return QStringLiteral("TZuzSeriesEvent"); }
