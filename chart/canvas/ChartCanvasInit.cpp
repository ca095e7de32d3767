#include "chart/canvas/ChartCanvasInit.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ClipHistory.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/TaggedText.h"
#include "chart/canvas/ZuzCanvas.h"
#include "chart/canvas/ZuzFilters.h"
#include "chart/canvas/ZuzFont.h"
#include "platform/FontFamilies.h"

namespace {
bool Initialized = false;
}

void InitializeChartCanvas()
{
  if (Initialized)
    return;
  Initialized = true;
  ZuzOnWindowsNT = true;
  InstallFontFamilies();
  ZuzDefaultFont();
  AddCustomFonts(QString::fromLatin1(ZuzCustomFontFolder));
  ZuzRenderClasses();
  RegisterGDIPlusCanvas();
  InitializeTaggedText();
  InitializeZuzFilters();
}

void FinalizeChartCanvas()
{
  if (!Initialized)
    return;
  Initialized = false;
  FinalizeZuzFilters();
  FinalizeTaggedText();
  UnregisterGDIPlusCanvas();
  RemoveCustomFonts();
  DeleteClipHistory();
  ZuzFontDefaultName.clear();
  ZuzFontDefaultSize = 0;
}
