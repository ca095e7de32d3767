#include "chart/canvasctl/VisualEditor.h"

TVisualEditor::TVisualEditor(QWidget* AOwner) : QWidget(AOwner) {}

TVisualEditor::~TVisualEditor() = default;

void TVisualEditor::MarkDirty()
{
  if (OnDirty)
    OnDirty(this);
}

void TVisualEditor::RefreshBlock(TVisualBlock*) {}
