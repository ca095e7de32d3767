#pragma once
// Check boxes and radio buttons painted on a canvas (chart list boxes and
// legends), and the start-up of the canvas editor controls.
#include "platform/GraphicsTypes.h"

class TCanvas;

// A 13 x 13 check box (CheckBox) or radio button at (X, Y), checked or not;
// the device's text alignment becomes left-top. ABackColor is not used.
void ZuzDrawCheckBox(int32_t X, int32_t Y, TCanvas* Canvas, bool Checked, TColor ABackColor, bool CheckBox);

// Installs the check-box painter into the canvas. Both may be called more
// than once.
void InitializeCanvasControls();
// Removes it and frees the remembered custom colours.
void FinalizeCanvasControls();
