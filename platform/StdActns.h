#pragma once
// The standard dialog actions: an action whose execution shows one of the
// platform's common dialogs and, when the user confirms it, fires OnAccept
// with the choice kept in the action (OnCancel when the user cancels).
//
//   TColorSelect  the colour dialog; the chosen colour is Color().
//   TFontEdit     the font dialog; the chosen font is DialogFont().
//
// The dialogs are reached through ColorDialogExecute and FontDialogExecute,
// which start as the platform's modal dialogs; a test replaces them to
// answer as a user would.
//
// Main thread only.
#include "platform/ActnList.h"
#include "platform/GraphicsTypes.h"

#include <functional>
#include <memory>

class TFont;

class TColorSelect : public TAction {
public:
  explicit TColorSelect(TComponent* AOwner);
  ~TColorSelect() override;
  String ClassName() const override;

  // The colour the dialog opens with and, after OK, the chosen one.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }

  TNotifyEvent OnAccept;
  TNotifyEvent OnCancel;

private:
  void ExecuteDialog();
  TColor FColor = clBlack;
};

class TFontEdit : public TAction {
public:
  explicit TFontEdit(TComponent* AOwner);
  ~TFontEdit() override;
  String ClassName() const override;

  // The font the dialog opens with and, after OK, the chosen one.
  TFont* DialogFont() const { return FFont.get(); }

  TNotifyEvent OnAccept;
  TNotifyEvent OnCancel;

private:
  void ExecuteDialog();
  std::unique_ptr<TFont> FFont;
};

// Shows the colour dialog on Color; true and the choice in Color on OK.
extern std::function<bool(TColor& Color)> ColorDialogExecute;
// Shows the font dialog on Font; true and the choice in Font on OK.
extern std::function<bool(TFont& Font)> FontDialogExecute;
