#include "chart/canvas/ZuzTransform.h"

TZuzTransform::TZuzTransform() = default;
TZuzTransform::~TZuzTransform() = default;

String TZuzTransform::ClassName() const { return QStringLiteral("TZuzTransform"); }

void TZuzTransform::Assign(TPersistent* Source)
{
  auto* T = dynamic_cast<TZuzTransform*>(Source);
  if (!T) {
    TPersistent::Assign(Source);
    return;
  }
  Enabled = T->Enabled;
  Origin = T->Origin;
  Translate = T->Translate;
  Scale = T->Scale;
  Rotate = T->Rotate;
  Clip = T->Clip;
  Bounds = T->Bounds;
}
