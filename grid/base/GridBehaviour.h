#pragma once
// The grid's behaviour settings objects: the search footer, navigation,
// mouse actions, synchronisation with another grid, row bands and the
// focus helper. Each is owned by the grid, notifies through OnChange where
// it has one, and copies (Assign) only from an object of its own class.
//
// These hold the members the grid reads so far; the remaining published
// members join them as the features that read them are built.
#include "grid/base/RurTypes.h"
#include "platform/Colors.h"
#include "platform/Component.h"

class TSearchFooter : public TPersistent {
public:
  TSearchFooter();
  ~TSearchFooter() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  // Notifies only when the value changes.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // Not published.
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);

  TNotifyEvent OnChange;

private:
  void Changed();
  TColor FColor = 0x00FFFFFF;
  TColor FColorTo = clBtnFace;
  bool FVisible = false;
  bool FAutoThemeAdapt = false;
};

class TNavigation : public TPersistent {
public:
  TNavigation();
  ~TNavigation() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  bool AlwaysEdit() const { return FAlwaysEdit; }
  void SetAlwaysEdit(bool Value);
  bool AdvanceOnEnter() const { return FAdvanceOnEnter; }
  void SetAdvanceOnEnter(bool Value);

  TNotifyEvent OnChange;

private:
  void Changed();
  bool FAlwaysEdit = false;
  bool FAdvanceOnEnter = false;
};

class TMouseActions : public TPersistent {
public:
  TMouseActions();
  ~TMouseActions() override;
  String ClassName() const override;
  // Copies everything but HotmailRowSelect.
  void Assign(TPersistent* Source) override;

  bool CheckAllCheck() const { return FCheckAllCheck; }
  void SetCheckAllCheck(bool Value);
  bool DirectDateClose() const { return FDirectDateClose; }
  void SetDirectDateClose(bool Value);
  bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
  void SetDisjunctRowSelect(bool Value);
  // Setting True also sets DisjunctRowSelect and CheckAllCheck and fires
  // OnInvalidate.
  bool HotmailRowSelect() const { return FHotmailRowSelect; }
  void SetHotmailRowSelect(bool Value);
  bool RangeSelectAndEdit() const { return FRangeSelectAndEdit; }
  void SetRangeSelectAndEdit(bool Value);
  // Sizing one column (row) by hand sizes all normal ones in proportion.
  bool AllColumnSize() const { return FAllColumnSize; }
  void SetAllColumnSize(bool Value) { FAllColumnSize = Value; }
  bool AllRowSize() const { return FAllRowSize; }
  void SetAllRowSize(bool Value) { FAllRowSize = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnInvalidate;
  TIsDesigningEvent OnIsDesigning;

private:
  void Changed();
  bool FCheckAllCheck = false;
  bool FDirectDateClose = false;
  bool FDisjunctRowSelect = false;
  bool FHotmailRowSelect = false;
  bool FRangeSelectAndEdit = false;
  bool FAllColumnSize = false;
  bool FAllRowSize = false;
};

class TSyncGrid : public TPersistent {
public:
  explicit TSyncGrid(TComponent* AOwner);
  ~TSyncGrid() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  // The grid to follow; the owning grid itself is refused. The owner hears
  // of every change (to ask to be told when that grid is freed).
  TComponent* Grid() const { return FGrid; }
  void SetGrid(TComponent* Value);
  std::function<void(TComponent* Old, TComponent* New)> OnGridChanged;
  bool SelectionColumn() const { return FSelectionColumn; }
  void SetSelectionColumn(bool Value) { FSelectionColumn = Value; }
  bool MoveColumn() const { return FMoveColumn; }
  void SetMoveColumn(bool Value) { FMoveColumn = Value; }
  bool MoveRow() const { return FMoveRow; }
  void SetMoveRow(bool Value) { FMoveRow = Value; }

private:
  TComponent* FOwner;
  TComponent* FGrid = nullptr;
  bool FSelectionColumn = false;
  bool FMoveColumn = false;
  bool FMoveRow = false;
};

class TBands : public TPersistent {
public:
  TBands();
  ~TBands() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);

  TNotifyEvent OnChange;

private:
  bool FActive = false;
};

class TFocusHelper : public TPersistent {
public:
  TFocusHelper();
  ~TFocusHelper() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }

private:
  bool FEnabled = false;
};
