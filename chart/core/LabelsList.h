#pragma once
// The labels of a series' points: one optional text per point. The list is
// sparse: it may be shorter than the series, and reading past its end gives
// an empty label.
#include "rtl/Object.h"

#include <vector>

class TChartSeries;

class TLabelsList : public TObject {
public:
  explicit TLabelsList(TChartSeries* ASeries);
  String ClassName() const override;

  int32_t Count() const { return static_cast<int32_t>(FList.size()); }
  // Empty outside the list.
  String GetLabel(int32_t Index) const;
  // A text grows the list up to Index; an empty text empties an existing
  // entry. The series repaints. A negative index is ignored.
  void SetLabel(int32_t Index, const String& Text);
  // Inserts at Index (growing the list to Index + 1 when Index is past the
  // end); an empty text on an empty list does nothing.
  void InsertLabel(int32_t Index, const String& Text);
  // Nothing for an index outside the list.
  void DeleteLabel(int32_t Index);
  // The first equal label (case per CaseSensitive, else compared in upper
  // case), -1 when none.
  int32_t IndexOfLabel(const String& Text, bool CaseSensitive) const;
  void Exchange(int32_t A, int32_t B);
  void Clear();
  void Assign(const TLabelsList& Source);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  // An empty label was set or inserted since the last Clear.
  bool IAnyEmpty = false;

private:
  std::vector<String> FList;
  TChartSeries* FSeries;
  bool FCaseSensitive = false;
};
