#pragma once
// One dimension of a series' points: a growable array of doubles with a
// count, a sort order, a name ("X", "Y" or the kind's own) and statistics
// (minimum, maximum, total, total of absolute values) computed when read.
// A series owns at least its X and Y lists and keeps all its lists the same
// length (TChartSeries); the lists tell their series of every change
// (NotifyValue) so that the chart rescales and dependent series follow.
//
// Published, as chart files store them: DateTime (stored when it differs
// from the kind's default, IsDateStored), Name, Order (always stored),
// ValueSource.
//
// Every index is checked: a read, write, insert, exchange or delete outside
// the list raises EListError "List index out of bounds (<i>)" and changes
// nothing. Main thread only.
#include "platform/Component.h"

#include <cstdint>
#include <vector>

class TChartSeries;

enum TChartListOrder : uint8_t { loNone, loAscending, loDescending };

// The storage; its length is the list's capacity.
using TChartValues = std::vector<double>;

// Slots added each time a list is full (1000 at start). The 3D grid series
// size their lists with it too.
extern int32_t ZuzValueListGrowStep;

class TChartValueList : public TPersistent {
public:
  // Appends itself to AOwner's value lists when AOwner is given (the
  // series then owns it). A list without owner cannot notify: every list
  // changed after its statistics were read needs one.
  TChartValueList(TChartSeries* AOwner, const String& AName);
  ~TChartValueList() override;
  String ClassName() const override;

  // From another value list: Order, DateTime and ValueSource only (not the
  // name and not the values).
  void Assign(TPersistent* Source) override;
  // The legacy "Multiplier": read and ignored; a value other than 1 reports
  // that the property is obsolete (once per list read).
  void DefineProperties(TFiler* Filer) override;

  // Stores Value as TempValue and adds it by the order rule; returns its
  // index.
  virtual int32_t AddChartValue(double Value);
  // Adds TempValue: appended when the order is loNone, the list is empty or
  // the value keeps the order (the fast path of data arriving in order);
  // otherwise inserted after the last value that does not sort after it,
  // so equal values keep their arrival order. Returns the index.
  int32_t AddChartValue();
  // Empties the list and releases the storage (capacity 0).
  virtual void ClearValues();
  // Inserts Value at ValueIndex (0..Count) whatever the order.
  virtual void InsertChartValue(int32_t ValueIndex, double Value);
  virtual void Delete(int32_t ValueIndex);
  // Removes Quantity values from Start on; the capacity stays. Raises
  // EAssertionFailed "Quantity of data to delete must be less than Count."
  // when the run passes the last value.
  void Delete(int32_t Start, int32_t Quantity);

  // Raises EAssertionFailed "ValueList Count (<n>) greater than array
  // length (<capacity>)." when a caller set a count beyond the storage.
  int32_t Count() const;
  // For callers that fill Value directly: size Value first, then the count.
  // A negative count raises EListError.
  void SetCount(int32_t Value);
  int32_t Capacity() const { return static_cast<int32_t>(Value.size()); }

  // Items[Index]. The write marks the statistics stale and tells the owner
  // (NotifyValue(veModify, Index)).
  double GetValue(int32_t Index) const;
  void SetValue(int32_t Index, double AValue);
  double operator[](int32_t Index) const { return GetValue(Index); }
  double First() const;
  double Last() const;

  // Index of the first value equal to AValue in FirstIndex..LastIndex
  // (scanning upwards), -1 when none.
  int32_t Locate(double AValue) const;
  int32_t Locate(double AValue, int32_t FirstIndex, int32_t LastIndex) const;

  // Statistics, recomputed in one pass when stale. An empty list gives 0.
  double MaxValue();
  double MinValue();
  double Total();
  double TotalABS();
  void SetTotalABS(double AValue) { FTotalABS = AValue; }
  double Range();
  void RecalcStats();
  // Accumulates onto the cached statistics from StartIndex (0: afresh).
  void RecalcStats(int32_t StartIndex);
  void RecalcStats(double AMin, double AMax, double ATotal, double ATotalABS);

  // Swaps two values and tells the owner (NotifyValue(veModify, Index1)).
  void Exchange(int32_t Index1, int32_t Index2);
  // Value i becomes i for every i; tells the owner (veModify, 0).
  void FillSequence();
  // Rotates left by one (value 0 goes last); no notice, statistics stay.
  void Scroll();
  // Sorts the owner's points by this list's order (nothing for loNone),
  // moving every dimension, colour and label together. NaN values sort
  // after all numbers.
  void Sort();
  // The sort's comparison of the values at A and B: -1 or 1 by value
  // (reversed for loDescending; NaN after every number); for equal values
  // -1 when A < B, else 0. Read as "A sorts before B" (< 0) it is a strict
  // weak order on the current arrangement.
  int32_t CompareValueIndex(int32_t A, int32_t B) const;

  // The value as FloatToStr writes it.
  String ValueToString(int32_t Index) const;

  bool DateTime() const { return FDateTime; }
  // Repaints the owner when changed.
  void SetDateTime(bool AValue);
  // Sets DateTime and the kind's default for it (not stored) together.
  void InitDateTime(bool AValue);
  bool IsDateStored() const { return FDateTime != IDefDateTime; }
  const String& Name() const { return FName; }
  void SetName(const String& AValue) { FName = AValue; }
  TChartListOrder Order() const { return FOrder; }
  void SetOrder(TChartListOrder AValue) { FOrder = AValue; }
  const String& ValueSource() const { return FValueSource; }
  // When changed, the owner checks its data source again.
  void SetValueSource(const String& AValue);
  // The statistics are stale. Becoming true tells the owner once
  // (NotifyValue(veModify, -1)), so a burst of adds notifies once.
  bool Modified() const { return FModified; }
  void SetModified(bool AValue);
  TChartSeries* Owner() const { return FOwner; }
  double TempValue() const { return FTempValue; }
  void SetTempValue(double AValue) { FTempValue = AValue; }

  // An extra object slot; the list neither sets nor frees it.
  TObject* IData = nullptr;
  // Internal lists are not shown as columns of the chart's data grid.
  bool Internal = false;
  // The kind's default for DateTime.
  bool IDefDateTime = false;
  // The storage: its length is the capacity, entries from Count on unused.
  TChartValues Value;

private:
  void CheckIndex(int32_t Index, int32_t Limit) const;
  // Field after recomputing stale statistics.
  double Stat(const double& Field);
  void Grow();
  void ReadMultiplier(double Multiplier);

  int32_t FCount = 0;
  bool FDateTime = false;
  double FMaxValue = 0;
  double FMinValue = 0;
  String FName;
  TChartListOrder FOrder = loNone;
  TChartSeries* FOwner = nullptr;
  double FTempValue = 0;
  double FTotal = 0;
  double FTotalABS = 0;
  String FValueSource;
  bool FModified = true;
};

// The value lists of one series, owned: index 0 is X, 1 is Y, then the
// kind's extra lists in the order it made them.
class TChartValueLists {
public:
  TChartValueLists() = default;
  TChartValueLists(const TChartValueLists&) = delete;
  TChartValueLists& operator=(const TChartValueLists&) = delete;
  ~TChartValueLists();

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError for an index outside the list.
  TChartValueList* Get(int32_t Index) const;
  TChartValueList* operator[](int32_t Index) const { return Get(Index); }
  // Takes ownership.
  void Add(TChartValueList* List);
  int32_t IndexOf(const TChartValueList* List) const;
  // Takes List out without freeing it.
  void Extract(TChartValueList* List);
  void Insert(int32_t Index, TChartValueList* List);
  // Frees every list.
  void Clear();

private:
  std::vector<TChartValueList*> FItems;
};
