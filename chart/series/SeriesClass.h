#pragma once
// Kinds that share settings across a chart (bar layouts, circle radii)
// find their siblings by class.
class TCustomChartSeries;

// S is of Base's class or of a class derived from it (by the published
// class ancestry; S's own C++ type when it is not published).
bool IsClassOrDescendant(const TCustomChartSeries* S, const TCustomChartSeries* Base);
