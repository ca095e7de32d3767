#pragma once
// The chart picture: a platform picture that chart backgrounds, brushes and
// fonts carry, with an ordered list of picture filters applied to a copy
// whenever the picture is drawn. The list travels in streams as the value
// "FilterItems" (ZuzFilter.h).
#include "platform/Bitmap.h"

#include <memory>

class TFilterItems;
class TReader;
class TWriter;

class TZuzPicture : public TPicture {
public:
  TZuzPicture();
  ~TZuzPicture() override;
  String ClassName() const override;
  // From another chart picture: its filter list too (none frees this one's),
  // then the graphic.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  // The graphic as it is drawn. Without filters (or without a graphic) the
  // picture's own graphic; otherwise a copy with every enabled filter
  // applied, made again on every call.
  TGraphic* Filtered();
  // The graphic copied into ABitmap.
  static void AssignGraphic(TBitmap* ABitmap, const TGraphic* AGraphic);

  // Created on first read.
  TFilterItems* Filters();
  TFilterItems* FiltersIfAny() const { return FFilters.get(); }
  // A copy of Value; nullptr frees the list.
  void SetFilters(TFilterItems* Value);
  // Fires the picture's change notification.
  void Repaint();
  bool Valid() const { return Graphic() != nullptr; }

  static void ReadFilters(TReader& Reader, TFilterItems* Filters);
  static void WriteFilters(TWriter& Writer, TFilterItems* Filters);

private:
  std::unique_ptr<TFilterItems> FFilters;
  std::unique_ptr<TBitmap> IBitmap;
};
