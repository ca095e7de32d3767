#include "chart/canvas/ChartCanvasInit.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ClipHistory.h"
#include "chart/canvas/ZuzCanvas.h"
#include "chart/canvas/ZuzFont.h"

namespace {
bool Initialized = false;
}

void InitializeChartCanvas()
{
  if (Initialized)
    return;
  Initialized = true;
  ZuzOnWindowsNT = true;
  ZuzDefaultFont();
  AddCustomFonts(QString::fromLatin1(ZuzCustomFontFolder));
  ZuzRenderClasses();
}

void FinalizeChartCanvas()
{
  if (!Initialized)
    return;
  Initialized = false;
  RemoveCustomFonts();
  DeleteClipHistory();
  ZuzFontDefaultName.clear();
  ZuzFontDefaultSize = 0;
}
