#pragma once
// The per-point visual blocks of a series: sparse (an entry may be missing,
// the list may be shorter than the series). A block the series owns is
// freed by the list; a block owned elsewhere is only referenced and drops
// out of the list when it is freed.
//
// With a template, reading a missing entry makes a block of the template's
// class (owned by the series), copied from the template, and stores it.
// A template that is not cloneable (or whose class cannot be made by name)
// gives nothing: the series then draws the template alone (line series
// feed it their path) and no per-point entities.
//
// Main thread only.
#include "rtl/Object.h"

#include <functional>
#include <vector>

class TChartSeries;
class TComponent;
class TVisualBlock;

class TVisualsList : public TObject {
public:
  explicit TVisualsList(TChartSeries* ASeries);
  ~TVisualsList() override;
  TVisualsList(const TVisualsList&) = delete;
  TVisualsList& operator=(const TVisualsList&) = delete;
  String ClassName() const override;

  int32_t Count() const { return static_cast<int32_t>(FList.size()); }
  // The block at Index, cloned from the template when missing; nullptr
  // when there is neither.
  TVisualBlock* GetVisual(int32_t Index);
  // The block stored at Index, without cloning.
  TVisualBlock* StoredVisual(int32_t Index) const;
  // A block grows the list to Index; nullptr empties an existing entry.
  // A different block the series owns at Index is freed. Repaints.
  void SetVisual(int32_t Index, TVisualBlock* Block);
  // nullptr on an empty list does nothing; past the end the list grows
  // with empty entries up to Index.
  void InsertVisual(int32_t Index, TVisualBlock* Block);
  // Nothing past the end.
  void DeleteVisual(int32_t Index);
  void Exchange(int32_t A, int32_t B);
  // Frees the blocks the series owns and empties the list.
  void Clear();
  // Source's blocks, by reference (its template's clones where missing).
  void Assign(TVisualsList& Source);

  TVisualBlock* Template() const { return FTemplate; }
  // The series hears when the template is freed; the list is emptied, as
  // its clones came from the old template.
  void SetTemplate(TVisualBlock* Value);
  // A template whose clones cannot be made: the series draws no entities
  // per point.
  bool HasUncloneableTemplate() const;

  // Index -1 edits the template (the list is emptied on a change), any
  // other the block at that index (the series repaints on a change).
  // Nothing without an installed editor.
  void Edit(int32_t Index);
  // Installed by the editor units: edits a block, True when it changed.
  static std::function<bool(TVisualBlock* Block)> Editor;

  // From the series' Notification: a freed template or referenced block
  // is forgotten.
  void Removed(TComponent* AComponent);

private:
  bool Owned(const TVisualBlock* Block) const;
  void Release(TVisualBlock* Block);
  void Reference(TVisualBlock* Block);
  TVisualBlock* Clone(const TVisualBlock* From) const;

  std::vector<TVisualBlock*> FList;
  TChartSeries* FSeries;
  TVisualBlock* FTemplate = nullptr;
};
