#pragma once
// What the small dialogs share: a dialog form (dialog border, always on
// top, centred on the screen) and its labels and buttons, made with their
// names, places and captions.
#include "platform/Forms.h"

class TButton;
class TLabel;

enum class TDialogButton : uint8_t { Plain, Default, Cancel };

// Form becomes a dialog named Name with Caption and the client size given.
void MakeDialogForm(TForm& Form, const char* Name, const char* Caption, int32_t ClientWidth, int32_t ClientHeight);
// Owned by the dialog (Parent, or the dialog that owns the panel Parent).
TLabel* MakeDialogLabel(TWinControl* Parent, const char* Name, int32_t Left, int32_t Top, int32_t Width,
                        const char* Caption);
// 75 x 25 at Left, Top.
TButton* MakeDialogButton(TForm* Form, const char* Name, int32_t Left, int32_t Top, const char* Caption,
                          TDialogButton Role, TModalResult Result);
