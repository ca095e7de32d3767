#pragma once
// The clip stack of the canvases: a clip operation saves the device's clip
// region in force and combines a new region into it; the matching unclip
// selects the saved region again. The saved regions of all canvases share
// one process-wide list, so clips and unclips must pair up across canvases.
// A first clip on an unclipped device saves nothing, and its unclip removes
// clipping altogether.
#include "platform/GraphicsTypes.h"

#include <span>

class TCanvas;
class TRegion;

// Combines Region into the device's clip with Mode after saving the clip in
// force (when there is one).
void SetCanvasRegion(TCanvas* DC, const TRegion& Region, TRegionMode Mode);
// Intersects the clip with the rectangle.
void ClipCanvas(TCanvas* Canvas, const TRect& Rect);
void UnClipCanvas(TCanvas* Canvas);
// Forgets every saved region.
void DeleteClipHistory();
int32_t ClipHistoryCount();
// The polygon region of the first NumPoints points (alternate filling).
TRegion InternalCreateRegion(TCanvas* DC, std::span<const TPoint> Points, int32_t NumPoints);
