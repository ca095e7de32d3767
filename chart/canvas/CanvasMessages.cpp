#include "chart/canvas/CanvasMessages.h"

String ZuzMsg_DefaultFontName = QStringLiteral("Arial");
String ZuzMsg_DefaultFontSize = QStringLiteral("8");

String ZuzMsg_Blur = QStringLiteral("Blur");
String ZuzMsg_Resize = QStringLiteral("Resize");
String ZuzMsg_Crop = QStringLiteral("Crop");
String ZuzMsg_Invert = QStringLiteral("Invert");
String ZuzMsg_GrayScale = QStringLiteral("Gray scale");
String ZuzMsg_Mosaic = QStringLiteral("Mosaic");
String ZuzMsg_Flip = QStringLiteral("Flip");
String ZuzMsg_Reverse = QStringLiteral("Reverse");
String ZuzMsg_Brightness = QStringLiteral("Brightness");
String ZuzMsg_Color = QStringLiteral("Color");
String ZuzMsg_ColorReplacer = QStringLiteral("Color Replacer");
String ZuzMsg_HueLumSat = QStringLiteral("Hue,Lum,Sat");
String ZuzMsg_Sharpen = QStringLiteral("Sharpen");
String ZuzMsg_GammaCorrection = QStringLiteral("Gamma correction");
String ZuzMsg_Emboss = QStringLiteral("Emboss");
String ZuzMsg_Contrast = QStringLiteral("Contrast");
String ZuzMsg_AntiAlias = QStringLiteral("Antialias");
String ZuzMsg_Rotate = QStringLiteral("Rotate");
String ZuzMsg_Mirror = QStringLiteral("Mirror");
String ZuzMsg_Tile = QStringLiteral("Tile");
String ZuzMsg_Bevel = QStringLiteral("Bevel");
String ZuzMsg_Equalize = QStringLiteral("Equalize");
String ZuzMsg_Zoom = QStringLiteral("Zoom");
String ZuzMsg_Sobel = QStringLiteral("Sobel");
String ZuzMsg_Sepia = QStringLiteral("Sepia");

String ZuzMsg_Width = QStringLiteral("Width");
String ZuzMsg_Height = QStringLiteral("Height");
String ZuzMsg_Left = QStringLiteral("Left");
String ZuzMsg_Top = QStringLiteral("Top");
String ZuzMsg_Smooth = QStringLiteral("Smooth");
String ZuzMsg_Percent = QStringLiteral("Percent");
String ZuzMsg_Back = QStringLiteral("Back");
String ZuzMsg_Autosize = QStringLiteral("Autosize");
String ZuzMsg_Columns = QStringLiteral("Columns");
String ZuzMsg_Rows = QStringLiteral("Rows");
