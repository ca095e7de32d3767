#pragma once
// The platform's drawing of control parts on a canvas: raised and sunken
// edges (DrawEdge), the classic frame controls (push buttons, scroll and
// combo arrows; DrawFrameControl) and the visual-styles parts, which Qt's
// current style draws in place of the system's themes (OpenThemeData,
// DrawThemeBackground, CloseThemeData).
//
// Everything runs on the main thread; the themed parts need the Qt
// application (without one, IsThemeActive is false and callers take the
// classic path).
#include "platform/GraphicsTypes.h"
#include "rtl/Types.h"

class TCanvas;

// ---- Edges ----------------------------------------------------------------------------
constexpr uint32_t BDR_RAISEDOUTER = 0x0001;
constexpr uint32_t BDR_SUNKENOUTER = 0x0002;
constexpr uint32_t BDR_RAISEDINNER = 0x0004;
constexpr uint32_t BDR_SUNKENINNER = 0x0008;
constexpr uint32_t EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
constexpr uint32_t EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
constexpr uint32_t BF_LEFT = 0x0001;
constexpr uint32_t BF_TOP = 0x0002;
constexpr uint32_t BF_RIGHT = 0x0004;
constexpr uint32_t BF_BOTTOM = 0x0008;
constexpr uint32_t BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr uint32_t BF_MIDDLE = 0x0800;
constexpr uint32_t BF_FLAT = 0x4000;

// Draws the asked sides of an edge (outer ring at R, inner ring one pixel
// in) in the system's 3D colours; BF_MIDDLE fills the inside with the
// button face colour.
void DrawEdge(TCanvas* Canvas, const TRect& R, uint32_t Edge, uint32_t Flags);

// ---- Frame controls -------------------------------------------------------------------
constexpr uint32_t DFC_SCROLL = 3;
constexpr uint32_t DFC_BUTTON = 4;
constexpr uint32_t DFCS_SCROLLUP = 0x0000;
constexpr uint32_t DFCS_SCROLLDOWN = 0x0001;
constexpr uint32_t DFCS_SCROLLCOMBOBOX = 0x0005;
constexpr uint32_t DFCS_BUTTONCHECK = 0x0000;
constexpr uint32_t DFCS_BUTTONRADIO = 0x0004;
constexpr uint32_t DFCS_BUTTON3STATE = 0x0008;
constexpr uint32_t DFCS_BUTTONPUSH = 0x0010;
constexpr uint32_t DFCS_CHECKED = 0x0400;
constexpr uint32_t DFCS_INACTIVE = 0x0100;
constexpr uint32_t DFCS_PUSHED = 0x0200;
constexpr uint32_t DFCS_HOT = 0x1000;
constexpr uint32_t DFCS_FLAT = 0x4000;

// A classic control part filling R: a push button, a scroll button with
// its arrow (up, down, or the combo box's down arrow), or a check box or
// radio button (DFC_BUTTON with DFCS_BUTTONCHECK, DFCS_BUTTON3STATE or
// DFCS_BUTTONRADIO; DFCS_CHECKED marks it, a checked three-state box shows
// its mark in grey). Pushed parts are sunken, flat ones have a single
// frame, inactive ones are grey.
void DrawFrameControl(TCanvas* Canvas, const TRect& R, uint32_t Type, uint32_t State);

// ---- Visual styles ----------------------------------------------------------------------
// A theme handle stands for a class of parts ("button", "combobox", "spin",
// "header"); 0 for a class that is not drawn themed.
using HTHEME = uintptr_t;
bool IsThemeActive();
HTHEME OpenThemeData(const String& ClassList);
void CloseThemeData(HTHEME Theme);
// Draws a part in a state, as the system's theme numbers them:
//   button   part 1 (push button), states 1 normal, 2 hot, 3 pressed, 4 disabled;
//            part 2 (radio button) and part 3 (check box), states 1-4
//            unchecked, 5-8 checked, 9-12 mixed (normal, hot, pressed,
//            disabled each)
//   progress part 1 (bar), part 3 (chunk), any state
//   combobox part 1 (drop-down button), states as button
//   spin     part 1 (up), part 2 (down), states as button
//   header   part 1 (item), part 3 (item right), states 1 normal, 2 hot, 3 pressed
void DrawThemeBackground(HTHEME Theme, TCanvas* Canvas, int32_t Part, int32_t State, const TRect& R);
