#include "chart/canvasctl/VisualEditor.h"

TVisualEditor::TVisualEditor(TComponent* AOwner) : TWinControl(AOwner) {}

TVisualEditor::~TVisualEditor() = default;

String TVisualEditor::ClassName() const { return QStringLiteral("TVisualEditor"); }

void TVisualEditor::MarkDirty()
{
  if (OnDirty)
    OnDirty(this);
}

void TVisualEditor::RefreshBlock(TVisualBlock*) {}
