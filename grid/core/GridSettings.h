#pragma once
// Settings objects of the string grid: grouping, drag and drop, balloon
// hints, modified rows, the filter row and the floating footer (the column
// sizes are in ColumnSize.h). Each copies (Assign) only from an object of
// its own class.
//
// These hold the members the grid reads so far; the remaining published
// members join them as the features that read them are built.
#include "grid/core/ColumnSize.h"
#include "grid/core/GridEnums.h"
#include "platform/Colors.h"
#include "platform/Component.h"

class TGrouping : public TPersistent {
public:
  TGrouping();
  ~TGrouping() override;
  String ClassName() const override;
  // Everything but the line colours and widths.
  void Assign(TPersistent* Source) override;

  const String& GroupCountFormat() const { return FGroupCountFormat; }
  void SetGroupCountFormat(const String& Value) { FGroupCountFormat = Value; }
  bool HeaderUnderline() const { return FHeaderUnderline; }
  void SetHeaderUnderline(bool Value) { FHeaderUnderline = Value; }
  TColor HeaderLineColor() const { return FHeaderLineColor; }
  void SetHeaderLineColor(TColor Value) { FHeaderLineColor = Value; }
  int32_t HeaderLineWidth() const { return FHeaderLineWidth; }
  void SetHeaderLineWidth(int32_t Value) { FHeaderLineWidth = Value; }
  bool ShowGroupCount() const { return FShowGroupCount; }
  void SetShowGroupCount(bool Value) { FShowGroupCount = Value; }
  bool SummaryLine() const { return FSummaryLine; }
  void SetSummaryLine(bool Value) { FSummaryLine = Value; }
  TColor SummaryLineColor() const { return FSummaryLineColor; }
  void SetSummaryLineColor(TColor Value) { FSummaryLineColor = Value; }
  int32_t SummaryLineWidth() const { return FSummaryLineWidth; }
  void SetSummaryLineWidth(int32_t Value) { FSummaryLineWidth = Value; }

private:
  String FGroupCountFormat;
  bool FHeaderUnderline = false;
  TColor FHeaderLineColor = 0x00FF0000;
  int32_t FHeaderLineWidth = 2;
  bool FShowGroupCount = false;
  bool FSummaryLine = false;
  TColor FSummaryLineColor = 0x00FF0000;
  int32_t FSummaryLineWidth = 2;
};

class TDragDropSettings : public TPersistent {
public:
  TDragDropSettings();
  ~TDragDropSettings() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  bool OleAcceptFiles() const { return FOleAcceptFiles; }
  void SetOleAcceptFiles(bool Value) { FOleAcceptFiles = Value; }
  bool OleAcceptText() const { return FOleAcceptText; }
  void SetOleAcceptText(bool Value) { FOleAcceptText = Value; }
  bool OleAcceptURLs() const { return FOleAcceptURLs; }
  void SetOleAcceptURLs(bool Value) { FOleAcceptURLs = Value; }
  // Stored only: the grid takes no drops yet.
  bool OleDropTarget() const { return FOleDropTarget; }
  void SetOleDropTarget(bool Value) { FOleDropTarget = Value; }

private:
  bool FOleAcceptFiles = true;
  bool FOleAcceptText = true;
  bool FOleAcceptURLs = true;
  bool FOleDropTarget = false;
};

class TBalloonSettings : public TPersistent {
public:
  TBalloonSettings();
  ~TBalloonSettings() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  // Fires OnEnableChange when it changes.
  bool Enable() const { return FEnable; }
  void SetEnable(bool Value);

  TNotifyEvent OnEnableChange;

private:
  bool FEnable = false;
};

class TShowModified : public TPersistent {
public:
  TShowModified();
  ~TShowModified() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);

  TNotifyEvent OnChange;

private:
  bool FEnabled = false;
  TColor FColor = 0x0000FFFF;
};

class TFilterEdit : public TPersistent {
public:
  TFilterEdit();
  ~TFilterEdit() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  // Changes fire OnChange (the grid repaints).
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int32_t Row() const { return FRow; }
  void SetRow(int32_t Value);
  TFilterDropDownColumns Columns() const { return FColumns; }
  void SetColumns(TFilterDropDownColumns Value);

  TNotifyEvent OnChange;

private:
  void Changed();
  bool FEnabled = false;
  int32_t FRow = 0;
  TFilterDropDownColumns FColumns = fdNormal;
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

private:
  bool FVisible = false;
  int32_t FHeight = 22;
};
