#pragma once
// The colour dialog of the chart editor, with custom colours remembered
// from one dialog to the next for the whole run.
#include "platform/GraphicsTypes.h"

#include <functional>
#include <vector>

class TComponent;

enum TColorDialogOption : uint8_t { cdFullOpen = 1 };
using TColorDialogOptions = uint8_t;

// The custom colours of the colour dialog; nullptr before the first
// EditColor.
std::vector<TColor>* ZuzCustomColorList();
void FreeZuzCustomColorList();

// Shows a colour dialog starting at Color with the given custom colours,
// over Owner's window when Owner is a control; true (with Color and
// CustomColors updated) after OK. The platform's colour dialog by default;
// tests put their own in.
using TColorDialogProc = std::function<bool(TComponent* Owner, TColor& Color, TColorDialogOptions Options,
                                            std::vector<TColor>& CustomColors)>;
extern TColorDialogProc ZuzColorDialog;

// The chosen colour after OK (the dialog's custom colours are kept for the
// next one); AColor after Cancel.
TColor EditColor(TComponent* AOwner, TColor AColor, TColorDialogOptions Options);
// EditColor; true and AColor changed when the dialog gave another colour.
bool EditColorDialog(TComponent* AOwner, TColor& AColor, TColorDialogOptions Options);
