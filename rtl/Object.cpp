#include "rtl/Object.h"

TObject::~TObject() = default;

String TObject::ClassName() const { return QStringLiteral("TObject"); }
