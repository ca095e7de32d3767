#include "chart/canvas/ZuzPicture.h"

TZuzPicture::TZuzPicture() = default;
TZuzPicture::~TZuzPicture() = default;

String TZuzPicture::ClassName() const { return QStringLiteral("TZuzPicture"); }

TGraphic* TZuzPicture::Filtered() { return Graphic(); }
