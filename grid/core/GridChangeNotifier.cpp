#include "grid/core/GridChangeNotifier.h"

TGridChangeNotifier::TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}

TGridChangeNotifier::~TGridChangeNotifier() = default;

String TGridChangeNotifier::ClassName() const { return QStringLiteral("TGridChangeNotifier"); }

void TGridChangeNotifier::CellsChanged(const TRect&) {}
