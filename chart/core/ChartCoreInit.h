#pragma once
// Start-up and shutdown of the chart library core (after the chart canvas,
// which InitializeChartCore starts too): the message texts, the default
// canvas class and the default series palette. Both may be called more
// than once; only the first call of each does anything.
void InitializeChartCore();
void FinalizeChartCore();
