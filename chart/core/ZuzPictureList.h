#pragma once
// The per-point pictures of a series: sparse (an entry may be missing, the
// list may be shorter than the series), owning its pictures unless told
// otherwise. A change repaints the series.
#include "rtl/Object.h"

#include <memory>
#include <vector>

class TChartSeries;
class TGraphic;
class TZuzPicture;

class TZuzPictureList : public TObject {
public:
  explicit TZuzPictureList(TChartSeries* ASeries);
  ~TZuzPictureList() override;
  String ClassName() const override;

  int32_t Count() const { return static_cast<int32_t>(FList.size()); }
  // nullptr outside the list or for an empty entry.
  TZuzPicture* Get(int32_t Index) const;
  // A picture grows the list to Index; nullptr empties an existing entry.
  // The list takes the picture (when it owns its pictures).
  void Put(int32_t Index, TZuzPicture* Picture);
  // nullptr on an empty list does nothing.
  void Insert(int32_t Index, TZuzPicture* Picture);
  // Nothing outside the list.
  void Delete(int32_t Index);
  void Exchange(int32_t A, int32_t B);
  int32_t IndexOf(const TZuzPicture* Picture) const;
  void Clear();
  // Copies of every picture of Source.
  void Assign(const TZuzPictureList& Source);
  // A new picture assigned from Picture (from Graphic).
  static TZuzPicture* Copy(const TZuzPicture* Picture);
  static TZuzPicture* FromGraphic(const TGraphic* Graphic);

  bool OwnsPictures = true;
  // The pictures are written with the series data.
  bool Stored = true;

private:
  void Release(TZuzPicture* P);
  void Changed();

  std::vector<TZuzPicture*> FList;
  TChartSeries* FSeries;
};
