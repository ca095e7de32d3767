#include "chart/core/ChartCoreInit.h"

#include "chart/canvas/ChartCanvasInit.h"
#include "chart/canvasctl/ZuzDrawCheckBox.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ColorPalettes.h"
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/ZuzConst.h"
#include "chart/core/ZuzProCo.h"
#include "chart/core/AxisItems.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzPictureComponent.h"
#include "chart/core/ZuzSeriesSource.h"
#include "chart/core/ZuzSeriesTypes.h"
#include "platform/ClassRegistry.h"

#include <vector>

namespace {
bool Initialized = false;

std::vector<const TClassInfo*> BasicClasses()
{
  return {ClassInfoFor<TChartAxisTitle>(), ClassInfoFor<TChartAxis>(), ClassInfoFor<TChartDepthAxis>(),
          ClassInfoFor<TSeriesMarks>(), ClassInfoFor<TZuzPictureComponent>()};
}
} // namespace

void RegisterBasicClasses()
{
  for (const TClassInfo* C : BasicClasses())
    RegisterClass(C);
}

void UnRegisterBasicClasses()
{
  for (const TClassInfo* C : BasicClasses())
    UnRegisterClass(C);
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
  RegisterBasicClasses();
  SetDefaultColorPalette();
}

void FinalizeChartCore()
{
  if (!Initialized)
    return;
  Initialized = false;
  FreeColorPalettes();
  FreeZuzTypeRegistries();
  FreeZuzSources();
  UnRegisterBasicClasses();
  FinalizeCanvasControls();
  FinalizeChartCanvas();
  ZuzClearProConstants();
  ZuzClearConstants();
  ZuzColorPalette.clear();
}
