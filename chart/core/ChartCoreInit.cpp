#include "chart/core/ChartCoreInit.h"

#include "chart/canvas/ChartCanvasInit.h"
#include "chart/canvasctl/ZuzDrawCheckBox.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ColorPalettes.h"
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzProCo.h"
#include "chart/core/ZuzSeriesTypes.h"

namespace {
bool Initialized = false;
}

void InitializeChartCore()
{
  if (Initialized)
    return;
  Initialized = true;
  // The two-line texts are built with NewLine, so it comes first; the
  // second set renames a text of the first; the canvas reads its default
  // font from the texts.
  NewLine = QStringLiteral("\r");
  ZuzMsg_ZuzExtension = QStringLiteral("zuz");
  ZuzSetConstants();
  ZuzSetProConstants();
  InitializeChartCanvas();
  // The legend's check boxes are drawn by the canvas controls' painter.
  InitializeCanvasControls();
  ZuzDefaultCanvas = QStringLiteral("TGDIPlusCanvas");
  ZuzMaxPixelPos = 32767;
  SetDefaultColorPalette();
}

void FinalizeChartCore()
{
  if (!Initialized)
    return;
  Initialized = false;
  FreeColorPalettes();
  FreeZuzTypeRegistries();
  FinalizeCanvasControls();
  FinalizeChartCanvas();
  ZuzClearProConstants();
  ZuzClearConstants();
  ZuzColorPalette.clear();
}
