#pragma once
// Start-up and shutdown of the chart canvas: the font families the charts
// name mapped to the same fonts on every machine, the library default font,
// the two display fonts (needs the GUI application object), the list of
// canvas kinds and the picture filters. Both may be called more than once.
void InitializeChartCanvas();
void FinalizeChartCanvas();
