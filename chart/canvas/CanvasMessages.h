#pragma once
// Library messages of the chart library that the canvas reads: the default
// font and the captions of the picture filters and their editor controls.
// They hold the English texts from start-up; a translation may replace them.
#include "rtl/Types.h"

extern String ZuzMsg_DefaultFontName;
extern String ZuzMsg_DefaultFontSize;

extern String ZuzMsg_Blur;
extern String ZuzMsg_Resize;
extern String ZuzMsg_Crop;
extern String ZuzMsg_Invert;
extern String ZuzMsg_GrayScale;
extern String ZuzMsg_Mosaic;
extern String ZuzMsg_Flip;
extern String ZuzMsg_Reverse;
extern String ZuzMsg_Brightness;
extern String ZuzMsg_Color;
extern String ZuzMsg_ColorReplacer;
extern String ZuzMsg_HueLumSat;
extern String ZuzMsg_Sharpen;
extern String ZuzMsg_GammaCorrection;
extern String ZuzMsg_Emboss;
extern String ZuzMsg_Contrast;
extern String ZuzMsg_AntiAlias;
extern String ZuzMsg_Rotate;
extern String ZuzMsg_Mirror;
extern String ZuzMsg_Tile;
extern String ZuzMsg_Bevel;
extern String ZuzMsg_Equalize;
extern String ZuzMsg_Zoom;
extern String ZuzMsg_Sobel;
extern String ZuzMsg_Sepia;

extern String ZuzMsg_Width;
extern String ZuzMsg_Height;
extern String ZuzMsg_Left;
extern String ZuzMsg_Top;
extern String ZuzMsg_Smooth;
extern String ZuzMsg_Percent;
extern String ZuzMsg_Back;
extern String ZuzMsg_Autosize;
extern String ZuzMsg_Columns;
extern String ZuzMsg_Rows;
