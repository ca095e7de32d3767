#pragma once
// Anti-aliased lines of a solid pen, drawn as separate segments with flat
// ends straight into an image: the chart's line series draw thousands of
// short segments per paint, which the painter's general stroker outlines
// and fills one by one at many times the cost.
//
// Each segment covers, in every pixel column it spans (rows for steep
// segments), the band of the pen's width around the line; the coverage of
// a pixel is the share of its column (row) inside the band. Consecutive
// segments of a polyline share no column, so a joint is not blended twice.
#include <QRect>
#include <QRgb>

#include <span>

class QImage;
class QPointF;

// Draws the segments between consecutive Points (device pixels, whole
// coordinates on pixel corners), Width pixels wide, in Color (not
// premultiplied; its alpha blends), over what Image holds, within Clip.
// Returns false, drawing nothing, when Image is not 32-bit RGB or
// premultiplied ARGB.
bool RasterWideSegments(QImage& Image, std::span<const QPointF> Points, double Width, QRgb Color, const QRect& Clip);
