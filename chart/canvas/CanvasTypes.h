#pragma once
// Enumerations of the chart canvas.
#include <cstdint>

enum TCanvasBackMode : uint8_t { cbmNone, cbmTransparent, cbmOpaque };
enum TCanvasStretchQuality : uint8_t { sqHigh, sqLow };
enum TCanvasZoomText : uint8_t { ztManual, ztNo, ztAuto };

enum TGradientDirection : uint8_t {
  gdTopBottom,
  gdBottomTop,
  gdLeftRight,
  gdRightLeft,
  gdFromCenter,
  gdFromTopLeft,
  gdFromBottomLeft,
  gdRadial,
  gdDiagonalUp,
  gdDiagonalDown
};

// Quality hint of chart text; the canvases turn it into a device quality.
enum TFontQuality : uint8_t { fqBest, fqNormal, fqDefault, fqClearType };

enum TCanvas3DPlane : uint8_t { cpX, cpY, cpZ };
enum TZuzCanvasSurfaceStyle : uint8_t { tcsSolid, tcsWire, tcsDot };
enum TEdgeStyle : uint8_t { edFlat, edCurved, edNone };
