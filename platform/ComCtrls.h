#pragma once
// The status bar: a row of panels along the bottom of a form (Align
// alBottom), each showing a text in a fixed width; the last panel takes what
// the others leave. A text wider than its panel is cut with an ellipsis and
// shown whole as the panel's tool tip, so that it cannot push the panels
// after it off the window. With SimplePanel one text spans the whole bar.
#include "platform/Collection.h"
#include "platform/Controls.h"

class TStatusBar;

class TStatusPanel : public TCollectionItem {
public:
  explicit TStatusPanel(TCollection* ACollection = nullptr);
  ~TStatusPanel() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  const String& Text() const { return FText; }
  void SetText(const String& Value);
  // Pixels; the last panel's is its least width.
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

private:
  String FText;
  int32_t FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TStatusPanels : public TOwnedCollection {
public:
  explicit TStatusPanels(TStatusBar* AOwner);
  ~TStatusPanels() override;
  String ClassName() const override;

  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* Items(int32_t Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }

protected:
  void Update(TCollectionItem* Item) override;

private:
  TStatusBar* FBar;
};

class TStatusBar : public TWinControl {
public:
  // Aligned to the bottom, 19 pixels high, no panels.
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  String ClassName() const override;

  TStatusPanels* Panels() const { return FPanels.get(); }
  // One text over the whole bar instead of the panels.
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const String& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& Value);

protected:
  QWidget* CreateWidget(QWidget* ParentWidget) override;
  void CreateWnd() override;

private:
  friend class TStatusPanels;
  void PanelsChanged(TStatusPanel* Panel);

  std::unique_ptr<TStatusPanels> FPanels;
  String FSimpleText;
  bool FSimplePanel = false;
};
