#pragma once
// Settings objects of the string grid: grouping, drag and drop, balloon
// hints, modified rows, the filter row and the floating footer (the column
// sizes are in ColumnSize.h). Each copies (Assign) only from an object of
// its own class.
//
// The floating footer holds the members the grid reads so far; the
// remaining published members join it as the features that read them are
// built.
#include "grid/base/GridProp.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/GridEnums.h"
#include "platform/Colors.h"
#include "platform/Component.h"

#include <memory>

class TStringList;

// Grouping: group header and summary rows' colours and lines, merging and
// the group count. Plain fields, no notification.
class TGrouping : public TPersistent {
public:
  TGrouping();
  ~TGrouping() override;
  String ClassName() const override;
  // Everything but Summary and the line colours and widths.
  void Assign(TPersistent* Source) override;

  GRID_PROP(bool, AutoSelectGroup, false)
  GRID_PROP(bool, AutoCheckGroup, false)
  GRID_PROP(String, GroupCountFormat, String())
  GRID_PROP(TColor, HeaderColor, clNone)
  GRID_PROP(TColor, HeaderColorTo, clNone)
  GRID_PROP(TColor, HeaderTextColor, clNone)
  GRID_PROP(bool, HeaderUnderline, false)
  GRID_PROP(TColor, HeaderLineColor, 0x00FF0000)
  GRID_PROP(int32_t, HeaderLineWidth, 2)
  GRID_PROP(bool, MergeHeader, false)
  GRID_PROP(bool, MergeSummary, false)
  GRID_PROP(bool, ShowGroupCount, false)
  GRID_PROP(bool, Summary, false)
  GRID_PROP(TColor, SummaryColor, clNone)
  GRID_PROP(TColor, SummaryColorTo, clNone)
  GRID_PROP(TColor, SummaryTextColor, clNone)
  GRID_PROP(bool, SummaryLine, false)
  GRID_PROP(TColor, SummaryLineColor, 0x00FF0000)
  GRID_PROP(int32_t, SummaryLineWidth, 2)
};

// OLE drag and drop of cells and columns. OleDropRTF and OleDropTarget are
// stored here; registering the grid as a drop target comes with the drag
// and drop of cells.
class TDragDropSettings : public TPersistent {
public:
  TDragDropSettings();
  ~TDragDropSettings() override;
  String ClassName() const override;
  // Every published property and the column-picker flag, as plain fields.
  void Assign(TPersistent* Source) override;

  bool OleColumnPicker() const { return FOleColumnPicker; }
  void SetOleColumnPicker(bool Value) { FOleColumnPicker = Value; }

  GRID_PROP(bool, ShowCells, true)
  GRID_PROP(bool, OleAcceptFiles, true)
  GRID_PROP(bool, OleAcceptText, true)
  GRID_PROP(bool, OleAcceptURLs, true)
  GRID_PROP(bool, OleAppendRows, false)
  GRID_PROP(bool, OleColumnDragDrop, false)
  GRID_PROP(bool, OleColumnReorder, false)
  GRID_PROP(bool, OleColumnsOnly, false)
  GRID_PROP(bool, OleCopyAlways, false)
  GRID_PROP(bool, OleDropTarget, false)
  GRID_PROP(bool, OleDropSource, false)
  GRID_PROP(bool, OleEntireRows, false)
  GRID_PROP(bool, OleInsertRows, false)
  GRID_PROP(bool, OleRemoveRows, false)
  GRID_PROP(bool, OleDropRTF, false)

private:
  bool FOleColumnPicker = false;
};

// The balloon tooltip of cells; Enable fires OnEnableChange when it
// changes. -1 delays and clNone colours leave the tooltip's own.
class TBalloonSettings : public TPersistent {
public:
  TBalloonSettings();
  ~TBalloonSettings() override;
  String ClassName() const override;
  // Everything but Transparency.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnEnableChange;

  GRID_PROP(int32_t, AutoHideDelay, -1)
  GRID_PROP(TColor, BackgroundColor, clNone)
  GRID_PROP(bool, Enable, false)
  GRID_PROP(int32_t, InitialDelay, -1)
  GRID_PROP(int32_t, ReshowDelay, -1)
  GRID_PROP(bool, ShowCell, true)
  GRID_PROP(TColor, TextColor, clNone)
  GRID_PROP(uint8_t, Transparency, 0)
};

// A bar in Color at the right of column 0 in modified rows. Color fires
// OnChange on every assignment.
class TShowModified : public TPersistent {
public:
  TShowModified();
  ~TShowModified() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

  GRID_PROP(bool, Enabled, false)
  GRID_PROP(TColor, Color, 0x0000FFFF)

private:
  void Changed();
};

// The row of filter editors. Color, Columns and Row fire OnChange when
// they change; Enabled too, after OnEnabledChange (the grid switches its
// filter off and empties the filter row).
class TFilterEdit : public TPersistent {
public:
  TFilterEdit();
  ~TFilterEdit() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  // The captions of the filter kinds ftStartsWith .. ftClear.
  TStringList* TypeNames() const { return FTypeNames.get(); }
  void SetTypeNames(TStringList* Value);

  TNotifyEvent OnChange;
  TNotifyEvent OnEnabledChange;

  GRID_PROP(bool, CaseSensitive, true)
  GRID_PROP(TColor, Color, 0x00FFFFFF)
  GRID_PROP(TFilterDropDownColumns, Columns, fdNormal)
  GRID_PROP(bool, Enabled, false)
  GRID_PROP(int32_t, Row, 0)

private:
  void Changed();
  std::unique_ptr<TStringList> FTypeNames;
};

class TFloatingFooter : public TPersistent {
public:
  TFloatingFooter();
  ~TFloatingFooter() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  // Not stored: follows the grid's DefaultRowHeight.
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value) { FHeight = Value; }
  // The footer strip's background.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }

private:
  bool FVisible = false;
  int32_t FHeight = 22;
  TColor FColor = clBtnFace;
};
