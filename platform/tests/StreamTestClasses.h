#pragma once
// Small classes with one published property of every kind, for the
// streaming and property tests.
#include "platform/Collection.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/Events.h"
#include "platform/GraphicsTypes.h"
#include "rtl/StringList.h"

#include <QByteArray>

#include <memory>
#include <vector>

enum TTestShape : uint8_t { tsCircle, tsSquare, tsTriangle };
enum TTestFontStyle : uint8_t { tfsBold, tfsItalic, tfsUnderline, tfsStrikeOut };
using TTestFontStyles = uint8_t; // bit i = TTestFontStyle i

class TTestFont : public TPersistent {
public:
  String ClassName() const override { return QStringLiteral("TTestFont"); }
  void Assign(TPersistent* Source) override;
  int32_t Size() const { return FSize; }
  void SetSize(int32_t V) { FSize = V; }
  const String& Name() const { return FName; }
  void SetName(const String& V) { FName = V; }
  TColor Color() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  TTestFontStyles Style() const { return FStyle; }
  void SetStyle(TTestFontStyles V) { FStyle = V; }

private:
  int32_t FSize = 8;
  String FName;
  TColor FColor = clWindowText;
  TTestFontStyles FStyle = 0;
};

class TTestItem : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  String ClassName() const override { return QStringLiteral("TTestItem"); }
  void Assign(TPersistent* Source) override;
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  int32_t Value() const { return FValue; }
  void SetValue(int32_t V) { FValue = V; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool V) { FEnabled = V; }

private:
  String FCaption;
  int32_t FValue = 0;
  bool FEnabled = true;
};

// A collection that records what it was told.
class TTestItems : public TOwnedCollection {
public:
  explicit TTestItems(TPersistent* AOwner);
  String ClassName() const override { return QStringLiteral("TTestItems"); }
  TTestItem* Item(int32_t I) const { return static_cast<TTestItem*>(Items(I)); }
  std::vector<String> Log;

protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
};

// A nested object holding a reference; its owner frees it when set to nil.
class TTestLink : public TPersistent {
public:
  String ClassName() const override { return QStringLiteral("TTestLink"); }
  TComponent* Target() const { return FTarget; }
  void SetTarget(TComponent* V) { FTarget = V; }

private:
  TComponent* FTarget = nullptr;
};

class TTestWidget : public TComponent {
public:
  explicit TTestWidget(TComponent* AOwner);
  ~TTestWidget() override;
  String ClassName() const override { return QStringLiteral("TTestWidget"); }

  int32_t Count() const { return FCount; }
  void SetCount(int32_t V) { FCount = V; }
  int8_t Tiny() const { return FTiny; }
  void SetTiny(int8_t V) { FTiny = V; }
  uint16_t Word() const { return FWord; }
  void SetWord(uint16_t V) { FWord = V; }
  int64_t Big() const { return FBig; }
  void SetBig(int64_t V) { FBig = V; }
  uint64_t UBig() const { return FUBig; }
  void SetUBig(uint64_t V) { FUBig = V; }
  bool Flag() const { return FFlag; }
  void SetFlag(bool V) { FFlag = V; }
  bool Always() const { return FAlways; }
  void SetAlways(bool V) { FAlways = V; }
  TTestShape Shape() const { return FShape; }
  void SetShape(TTestShape V) { FShape = V; }
  TTestFontStyles Styles() const { return FStyles; }
  void SetStyles(TTestFontStyles V) { FStyles = V; }
  TColor Color() const { return FColor; }
  void SetColor(TColor V) { FColor = V; }
  double Ratio() const { return FRatio; }
  void SetRatio(double V) { FRatio = V; }
  float Scale() const { return FScale; }
  void SetScale(float V) { FScale = V; }
  double Price() const { return FPrice; }
  void SetPrice(double V) { FPrice = V; }
  double When() const { return FWhen; }
  void SetWhen(double V) { FWhen = V; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  const AnsiString& Raw() const { return FRaw; }
  void SetRaw(const AnsiString& V) { FRaw = V; }
  const String& Wide() const { return FWide; }
  void SetWide(const String& V) { FWide = V; }
  TTestFont* Font() const { return FFont.get(); }
  void SetFont(TTestFont* V) { FFont->Assign(V); }
  TTestItems* Items() const { return FItems.get(); }
  void SetItems(TTestItems* V) { FItems->Assign(V); }
  TComponent* Buddy() const { return FBuddy; }
  void SetBuddy(TComponent* V);
  TStringList* Lines() const { return FLines.get(); }
  // Created on first read, freed when set to nil.
  TTestLink* Link();
  void SetLink(TTestLink* V);
  int32_t ReadOnlyValue() const { return 42; }
  int32_t Hidden() const { return FHidden; }
  void SetHidden(int32_t V) { FHidden = V; }
  bool IsHiddenStored() const { return ShowHidden; }

  TNotifyEvent OnClick;
  TNotifyEvent OnChange;

  // Streamed through DefineProperties.
  int32_t Extra = 0;
  QByteArray Blob;
  bool ShowHidden = false;

  int32_t LoadedCount = 0;
  bool LoadingWhenLoaded = false;

  void Loaded() override;
  void DefineProperties(TFiler* Filer) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  int32_t FCount = 0;
  int8_t FTiny = 0;
  uint16_t FWord = 0;
  int64_t FBig = 0;
  uint64_t FUBig = 0;
  bool FFlag = false;
  bool FAlways = false;
  TTestShape FShape = tsCircle;
  TTestFontStyles FStyles = 0;
  TColor FColor = clBlack;
  double FRatio = 0;
  float FScale = 1.0f;
  double FPrice = 0;
  double FWhen = 0;
  String FCaption;
  AnsiString FRaw;
  String FWide;
  std::unique_ptr<TTestFont> FFont;
  std::unique_ptr<TTestItems> FItems;
  TComponent* FBuddy = nullptr;
  std::unique_ptr<TStringList> FLines;
  std::unique_ptr<TTestLink> FLink;
  int32_t FHidden = 0;
};

// A container: its children are TTestChild components that name it as
// parent; they are owned by the root.
class TTestPanel : public TComponent {
public:
  using TComponent::TComponent;
  ~TTestPanel() override;
  String ClassName() const override { return QStringLiteral("TTestPanel"); }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& V) { FCaption = V; }
  std::vector<TComponent*> Kids;
  std::vector<std::pair<TComponent*, int32_t>> OrderCalls;

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void SetChildOrder(TComponent* Child, int32_t Order) override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  String FCaption;
};

class TTestChild : public TComponent {
public:
  using TComponent::TComponent;
  ~TTestChild() override;
  String ClassName() const override { return QStringLiteral("TTestChild"); }
  int32_t Value() const { return FValue; }
  void SetValue(int32_t V) { FValue = V; }
  TTestPanel* ParentPanel = nullptr;
  int32_t LoadedCount = 0;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return ParentPanel; }
  void SetParentComponent(TComponent* Value) override;
  void Loaded() override;

private:
  int32_t FValue = 0;
};

// A root like a form or data module: lists its parentless components.
class TTestRoot : public TComponent {
public:
  using TComponent::TComponent;
  ~TTestRoot() override;
  String ClassName() const override { return QStringLiteral("TTestRoot"); }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& V) { FTitle = V; }
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

private:
  String FTitle;
};

// Grid-style records: fixed property sets, integers and Booleans always
// written.
using TTestAlignment = TAlignment;

class TTestCellProperties : public TPersistent {
public:
  String ClassName() const override { return QStringLiteral("TTestCellProperties"); }
  bool IsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool V) { FIsBaseCell = V; }
  int32_t CellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(int32_t V) { FCellSpanX = V; }
  TTestAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TTestAlignment V) { FAlignment = V; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor V) { FBrushColor = V; }
  // The cell's user value, an unsigned 32-bit number.
  uint32_t CellObject() const { return FCellObject; }
  void SetCellObject(uint32_t V) { FCellObject = V; }
  const String& FontName() const { return FFontName; }
  void SetFontName(const String& V) { FFontName = V; }
  int32_t FontSize() const { return FFontSize; }
  void SetFontSize(int32_t V) { FFontSize = V; }
  TTestFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TTestFontStyles V) { FFontStyle = V; }
  double CellValue() const { return FCellValue; }
  void SetCellValue(double V) { FCellValue = V; }
  int32_t OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(int32_t V) { FOwnerCol = V; }

private:
  bool FIsBaseCell = false;
  int32_t FCellSpanX = 0;
  TTestAlignment FAlignment = taLeftJustify;
  TColor FBrushColor = clWindow;
  uint32_t FCellObject = 0;
  String FFontName;
  int32_t FFontSize = 0;
  TTestFontStyles FFontStyle = 0;
  double FCellValue = 0;
  int32_t FOwnerCol = 0;
};

class TGridCellIO : public TComponent {
public:
  using TComponent::TComponent;
  String ClassName() const override { return QStringLiteral("TGridCellIO"); }
  uint16_t Col() const { return FCol; }
  void SetCol(uint16_t V) { FCol = V; }
  uint16_t Row() const { return FRow; }
  void SetRow(uint16_t V) { FRow = V; }
  const String& Cell() const { return FCell; }
  void SetCell(const String& V) { FCell = V; }
  bool HasProp() const { return FHasProp; }
  void SetHasProp(bool V) { FHasProp = V; }

private:
  uint16_t FRow = 0; // held row first; published column first
  uint16_t FCol = 0;
  String FCell;
  bool FHasProp = false;
};

class TGridCellPropIO : public TComponent {
public:
  using TComponent::TComponent;
  String ClassName() const override { return QStringLiteral("TGridCellPropIO"); }
  TTestCellProperties* CellProperties() const { return FProps.get(); }
  bool HasGraphic() const { return FHasGraphic; }
  void SetHasGraphic(bool V) { FHasGraphic = V; }

private:
  std::unique_ptr<TTestCellProperties> FProps = std::make_unique<TTestCellProperties>();
  bool FHasGraphic = false;
};

// The bytes of a component stream, and reading one back.
QByteArray StreamOf(TComponent* Root);
void ReadInto(const QByteArray& Bytes, TComponent* Root);
// The message of the read error reading Bytes raises, or "(read without
// error)"; any other exception passes through.
String ReadErrorOf(const QByteArray& Bytes, TComponent* Root);
// Binary <-> text through the converters.
QByteArray BinaryToText(const QByteArray& Binary);
QByteArray TextToBinary(const QByteArray& Text);
// The top-level property names of a binary component stream, in order.
std::vector<String> TopPropertyNames(const QByteArray& Binary);
