#pragma once
// The base of a visual block's editing control: it tells its owner when the
// user changed the block, and shows a block's values again on request.
#include <QWidget>

#include <functional>

class TVisualBlock;

class TVisualEditor : public QWidget {
public:
  explicit TVisualEditor(QWidget* AOwner = nullptr);
  ~TVisualEditor() override;

  // Calls OnDirty with this editor when one is set.
  void MarkDirty();
  // Shows AVisual's values; nothing here.
  virtual void RefreshBlock(TVisualBlock* AVisual);

  std::function<void(TVisualEditor* Sender)> OnDirty;
};
