#pragma once
// Names of the grid library's shared enumerations (RurTypes.h) for
// component streaming, declared once for every class that publishes them.
class TEnumInfo;

extern const TEnumInfo EditorTypeInfo;
extern const TEnumInfo SortStyleInfo;
extern const TEnumInfo VAlignmentInfo;
extern const TEnumInfo CellGradientDirectionInfo;
extern const TEnumInfo GridSelectionStyleInfo;
extern const TEnumInfo HoverRowCellInfo; // the members of THoverRowCells
