#pragma once
// Icons and image lists of the platform. An icon is a small picture whose
// transparent parts come with it; an image list holds pictures of one size
// that controls draw by index.
#include "platform/Bitmap.h"
#include "platform/Component.h"
#include "platform/Events.h"

#include <memory>
#include <vector>

class TCanvas;

class TIcon : public TBitmap {
public:
  TIcon();
  ~TIcon() override;
  String ClassName() const override;
};

class TCustomImageList : public TComponent {
public:
  explicit TCustomImageList(TComponent* AOwner);
  ~TCustomImageList() override;
  String ClassName() const override;

  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  // A new size empties the list.
  void SetSize(int32_t AWidth, int32_t AHeight);
  int32_t Count() const { return static_cast<int32_t>(FImages.size()); }
  // A copy of Image, cut or padded to the list's size, drawn as it is.
  // Returns the new index.
  int32_t Add(const TBitmap* Image);
  // The same with MaskColor drawn transparent.
  int32_t AddMasked(const TBitmap* Image, TColor MaskColor);
  void Delete(int32_t Index);
  void Clear();
  // Image Index at (X, Y); greyed when not Enabled; nothing for an index
  // outside the list.
  void Draw(TCanvas* Canvas, int32_t X, int32_t Y, int32_t Index, bool Enabled = true) const;

  TNotifyEvent OnChange;

private:
  void Changed();
  int32_t FWidth = 16;
  int32_t FHeight = 16;
  std::vector<std::unique_ptr<TBitmap>> FImages;
};

class TImageList : public TCustomImageList {
public:
  explicit TImageList(TComponent* AOwner);
  String ClassName() const override;
};
