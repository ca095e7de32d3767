#pragma once
// Settings objects of the string grid for its column sizes: TColumnSize
// (where the widths are kept between runs, stretching a column to fill the
// grid, which rows automatic column sizing looks at) and TSizeWhileTyping
// (the inplace editor grows the cell while text is typed).
//
// Setters store their value without notification, except the stretch
// switches, which re-stretch the grid that owns the object.
#include "platform/Component.h"

class TComponent;

enum TColumnSizeLocation : uint8_t { clRegistry, clIniFile };
// The rows an automatic column sizing measures.
enum TAutoSizeRows : uint8_t { arAll, arNormal, arFixed, arVisible };

class TColumnSize : public TPersistent {
public:
  // AOwner is the grid (may be nullptr for a free-standing object).
  explicit TColumnSize(TComponent* AOwner);
  ~TColumnSize() override;
  String ClassName() const override;
  // From another TColumnSize only: everything but StretchAll.
  void Assign(TPersistent* Source) override;

  TComponent* Owner() const { return FOwner; }
  // Column widths are saved when the grid is freed and loaded when it is
  // made.
  bool Save() const { return FSave; }
  void SetSave(bool Value) { FSave = Value; }
  // The INI file's path (clIniFile) or the registry key (clRegistry).
  const String& Key() const { return FKey; }
  void SetKey(const String& Value) { FKey = Value; }
  const String& Section() const { return FSection; }
  void SetSection(const String& Value) { FSection = Value; }
  TColumnSizeLocation Location() const { return FLocation; }
  void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }
  // One column fills what the others leave of the grid's width; the writer
  // re-stretches at once when the grid has a parent window.
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value);
  // All normal columns share the width; switching it on makes
  // StretchColumn -1. The writer re-stretches.
  bool StretchAll() const { return FStretchAll; }
  void SetStretchAll(bool Value);
  // -1: the last column.
  int32_t StretchColumn() const { return FStretchColumn; }
  void SetStretchColumn(int32_t Value) { FStretchColumn = Value; }
  bool SynchWithGrid() const { return FSynchWithGrid; }
  void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
  bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
  void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
  TAutoSizeRows Rows() const { return FRows; }
  void SetRows(TAutoSizeRows Value) { FRows = Value; }

private:
  TComponent* FOwner;
  bool FSave = false;
  String FKey;
  String FSection;
  bool FStretch = false;
  int32_t FStretchColumn = -1;
  bool FStretchAll = false;
  bool FSynchWithGrid = false;
  bool FSynchNormalCellsOnly = false;
  TColumnSizeLocation FLocation = clRegistry;
  TAutoSizeRows FRows = arAll;
};

class TSizeWhileTyping : public TPersistent {
public:
  TSizeWhileTyping();
  ~TSizeWhileTyping() override;
  String ClassName() const override;

  bool Height() const { return FHeight; }
  void SetHeight(bool Value) { FHeight = Value; }
  bool Width() const { return FWidth; }
  void SetWidth(bool Value) { FWidth = Value; }

private:
  bool FHeight = false;
  bool FWidth = false;
};
