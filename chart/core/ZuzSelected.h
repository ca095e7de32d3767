#pragma once
// How a chart element shows that it is selected or that the mouse is over
// one of its items: TZuzSelected (a frame around the selected item, index
// ItemIndex) with its TZuzHover (the pen and font of the item under the
// mouse, index HoverIndex). Series, pointers, legends and axis labels own
// one, made on first use. A change of either index repaints the owner when
// the part it concerns is visible.
//
// Published: TZuzHover Visible; TZuzSelected Hover. Main thread only.
#include "chart/core/TextShape.h"

#include <memory>

class TZuzHover : public TCustomTextShape {
public:
  // Font red, pen red at half opacity and 3 pixels wide.
  explicit TZuzHover(TCustomZuzPanel* AOwner);
  String ClassName() const override;
};

class TZuzSelected : public TCustomTextShape {
public:
  // Not visible, pen red and 2 pixels wide, no item selected or hovered.
  // AElement: the series, pointer, shape or panel that repaints.
  explicit TZuzSelected(TObject* AElement);
  ~TZuzSelected() override;
  String ClassName() const override;
  // The hover format and the text box's settings.
  void Assign(TPersistent* Source) override;

  TZuzHover* Hover() const { return FHover.get(); }
  void SetHover(TZuzHover* Value);
  int32_t HoverIndex() const { return FHoverIndex; }
  void SetHoverIndex(int32_t Value);
  int32_t ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int32_t Value);
  // Repaints the owning element.
  void DoRepaint();

private:
  std::unique_ptr<TZuzHover> FHover;
  int32_t FHoverIndex = -1;
  int32_t FItemIndex = -1;
  TObject* IElement;
};
