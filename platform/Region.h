#pragma once
// A device region: a set of pixels, built from rectangles, ellipses, rounded
// rectangles and polygons and combined as the device combines clip regions.
// Rectangles follow the device convention: right and bottom are exclusive.
#include "platform/GraphicsTypes.h"

#include <memory>
#include <span>

class QRegion;

class TRegion {
public:
  TRegion();
  ~TRegion();
  TRegion(const TRegion& Other);
  TRegion& operator=(const TRegion& Other);
  explicit TRegion(const QRegion& R);

  static TRegion FromRect(const TRect& R);
  static TRegion FromEllipse(const TRect& R);
  // Corner ellipse of CornerW x CornerH.
  static TRegion FromRoundRect(const TRect& R, int32_t CornerW, int32_t CornerH);
  // Alternate (even-odd) filling.
  static TRegion FromPolygon(std::span<const TPoint> Points);

  bool IsEmpty() const;
  bool Contains(int32_t X, int32_t Y) const;
  TRect BoundingRect() const;
  // Result := A <Mode> B; RGN_COPY copies A.
  static TRegion Combine(const TRegion& A, const TRegion& B, TRegionMode Mode);
  bool operator==(const TRegion& Other) const;

  const QRegion& AsQRegion() const;

private:
  std::unique_ptr<QRegion> D;
};
