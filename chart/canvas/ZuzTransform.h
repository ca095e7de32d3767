#pragma once
// The drawing transform a chart element may carry: while Enabled, the
// element is drawn moved by Translate, then turned by Rotate degrees and
// scaled by Scale about Origin, optionally clipped to Bounds. Canvases that
// keep a world transform (the anti-aliased canvas) apply it around the
// element's entity; the others ignore it.
#include "platform/GraphicsTypes.h"
#include "platform/Component.h"

class TZuzTransform : public TPersistent {
public:
  TZuzTransform();
  ~TZuzTransform() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  bool Enabled = true;
  TPoint3DFloat Origin;
  TPoint3DFloat Translate;
  TPoint3DFloat Scale{1, 1, 1};
  float Rotate = 0;
  bool Clip = false;
  TRect Bounds;
};
