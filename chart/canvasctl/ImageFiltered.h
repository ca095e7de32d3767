#pragma once
// An image control that shows its picture through a list of picture
// filters, caching the filtered bitmap until the picture or a filter
// changes (the bitmap-export options screen shows one as a preview).
#include "platform/Controls.h"
#include "rtl/Object.h"

#include <QByteArray>

#include <functional>
#include <memory>

class TBitmap;
class TFilterItems;
class TPicture;

class TImageFiltered : public TGraphicControl {
public:
  explicit TImageFiltered(TComponent* AOwner = nullptr);
  ~TImageFiltered() override;
  String ClassName() const override;

  TPicture* Picture() const { return FPicture.get(); }
  TFilterItems* Filters() const { return FFilters.get(); }
  // A copy of Value's filters; drops the cache.
  void SetFilters(TFilterItems* Value);
  // From another filtered image: its filters.
  using TGraphicControl::Assign;
  void Assign(const TImageFiltered* Source);

  // The picture with the filters applied, cached; nullptr without a
  // picture.
  TBitmap* Filtered();
  // Where the picture is drawn in the control.
  TRect DestRect() const;

  bool Stretch = false;
  bool Center = false;
  bool Proportional = false;

protected:
  void Paint() override;

private:
  void DoPictureChanged();
  void DropCache();
  QByteArray FilterSignature() const;

  std::unique_ptr<TPicture> FPicture;
  std::unique_ptr<TFilterItems> FFilters;
  std::unique_ptr<TBitmap> IFilteredPicture;
  QByteArray ISignature;
  bool IAssigning = false;
  std::function<void(TObject*)> InheritedChanged;
};
