#pragma once
// Names of the drawing enumerations for component streaming, shared by the
// platform graphic objects and the chart attribute classes that publish
// the same properties.
class TEnumInfo;

extern const TEnumInfo PenStyleInfo;
extern const TEnumInfo PenModeInfo;
extern const TEnumInfo BrushStyleInfo;
extern const TEnumInfo FontStyleInfo; // the members of TFontStyles
extern const TEnumInfo FontPitchInfo;
extern const TEnumInfo AlignmentInfo; // TAlignment
