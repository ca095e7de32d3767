#pragma once
// The chart picture: a platform picture that chart backgrounds, brushes and
// fonts carry. Its list of image filters, applied to a copy whenever the
// picture is drawn, belongs to the filter framework.
#include "chart/canvas/Bitmap.h"

class TZuzPicture : public TPicture {
public:
  TZuzPicture();
  ~TZuzPicture() override;
  String ClassName() const override;
  // The graphic as it is drawn: the picture with its filters applied. With
  // no filters this is the picture's own graphic.
  TGraphic* Filtered();
};
