#pragma once
// Start-up and shutdown of the chart library core (after the chart canvas,
// which InitializeChartCore starts too): the message texts, the default
// canvas class and the default series palette; shutdown also frees the
// kind registries and the palette registry. A program calls
// InitializeChartCore once, on the main thread, after it has made its Qt
// application (the canvas reads the font families) and before it makes a
// chart; FinalizeChartCore after the last chart is gone. Both may be
// called more than once; only the first call of each does anything.
void InitializeChartCore();
void FinalizeChartCore();

// The engine's streamable classes (axis titles, axes, depth axes, series
// marks and the picture carrier of series data) registered for the reader
// again after UnRegisterBasicClasses; InitializeChartCore calls it and
// FinalizeChartCore takes them out.
void RegisterBasicClasses();
void UnRegisterBasicClasses();
