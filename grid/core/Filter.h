#pragma once
// The grid's filter conditions: one TFilterData per condition, collected
// in the grid's TFilter (published as Filter). The conditions are the
// filter expression language's (wildcards, comparisons, "!" for not); the
// row filtering that applies them belongs to the grid's data exchange.
#include "grid/core/GridEnums.h"
#include "platform/Collection.h"

class TComponent;

enum TFilterOperation : uint8_t { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterCells : uint8_t { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterType : uint8_t {
  ftStartsWith,
  ftEndsWith,
  ftContains,
  ftNotContains,
  ftEqual,
  ftNotEqual,
  ftLargerThan,
  ftSmallerThan,
  ftClear,
  ftNone
};

class TFilterData : public TCollectionItem {
public:
  explicit TFilterData(TCollection* ACollection);
  ~TFilterData() override;
  String ClassName() const override;
  // Column, condition, case flag, data, prefix, suffix, operation and the
  // accent flag; not the friendly name, method, type or enabled state.
  void Assign(TPersistent* Source) override;

  // The condition for typed text S by the filter type: "S*" for starts
  // with, "*S" ends with, "*S*" contains, "!*S*" does not contain, "S"
  // equal, "!S" not equal, ">S" larger, "<S" smaller; S is quoted when it
  // holds a blank. ftClear and ftNone leave the condition.
  void BuildCondition(const String& S);

  int16_t Column() const { return FColumn; }
  void SetColumn(int16_t Value) { FColumn = Value; }
  const String& Condition() const { return FCondition; }
  void SetCondition(const String& Value) { FCondition = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  const String& Suffix() const { return FSuffix; }
  void SetSuffix(const String& Value) { FSuffix = Value; }
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value) { FPrefix = Value; }
  const String& FriendlyName() const { return FFriendlyName; }
  void SetFriendlyName(const String& Value) { FFriendlyName = Value; }
  TFilterOperation Operation() const { return FOperation; }
  void SetOperation(TFilterOperation Value) { FOperation = Value; }
  TFilterCells Data() const { return FData; }
  void SetData(TFilterCells Value) { FData = Value; }
  TFilterMethod Method() const { return FMethod; }
  void SetMethod(TFilterMethod Value) { FMethod = Value; }
  TFilterType FilterType() const { return FFilterType; }
  void SetFilterType(TFilterType Value) { FFilterType = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool RemoveAccented() const { return FRemoveAccented; }
  void SetRemoveAccented(bool Value) { FRemoveAccented = Value; }

private:
  int16_t FColumn = 0;
  String FCondition;
  bool FCaseSensitive = true;
  String FSuffix;
  String FPrefix;
  String FFriendlyName;
  TFilterOperation FOperation = foSHORT;
  TFilterCells FData = fcVirtual;
  TFilterMethod FMethod = fmExpression;
  TFilterType FFilterType = ftStartsWith;
  bool FEnabled = true;
  bool FRemoveAccented = false;
};

class TFilter : public TOwnedCollection {
public:
  // AOwner is the grid. RepaintHeader repaints a header cell of it (column,
  // row; column -1 for the whole row) when conditions change.
  explicit TFilter(TComponent* AOwner);
  ~TFilter() override;
  String ClassName() const override;

  // A new condition: foNONE when it is the only one, else foAND.
  TFilterData* Add();
  TFilterData* Items(int32_t Index) const;
  // The first condition of the column; made (as by Add) when missing.
  TFilterData* GetColFilter(int32_t Col);
  void RemoveColumnFilter(int32_t Col);
  bool HasFilter(int32_t Col) const;
  bool HasOtherFilter(int32_t Col) const;
  // The type of the column's first condition; ftContains without one.
  TFilterType HasFilterType(int32_t Col) const;

  std::function<void(int32_t ACol, int32_t ARow)> RepaintHeader;

protected:
  void Update(TCollectionItem* Item) override;

private:
  TComponent* FOwner;
};
