#pragma once
// The base of a visual block's editing control: it tells its owner when the
// user changed the block, and shows a block's values again on request.
#include "platform/Controls.h"

#include <functional>

class TVisualBlock;

class TVisualEditor : public TWinControl {
public:
  explicit TVisualEditor(TComponent* AOwner = nullptr);
  ~TVisualEditor() override;
  String ClassName() const override;

  // Calls OnDirty with this editor when one is set.
  void MarkDirty();
  // Shows AVisual's values; nothing here.
  virtual void RefreshBlock(TVisualBlock* AVisual);

  std::function<void(TVisualEditor* Sender)> OnDirty;
};
