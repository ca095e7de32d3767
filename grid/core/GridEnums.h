#pragma once
// Enumerations of the string grid's published settings. The ordinals are
// stored in forms: never renumber, only append.
#include <cstdint>

enum TGridLook : uint8_t {
  glStandard,
  glSoft,
  glClassic,
  glZID,
  glXP,
  glListView,
  glVista,
  glWin7,
  glOffice2007,
  glCustom
};
enum THoverFixedCells : uint8_t { hfNone, hfAll, hfFixedRows, hfFixedColumns };
enum TFormatType : uint8_t { ftVCL, ftExcel };
enum TInvalidEntryIcon : uint8_t { ieNone, ieInfo, ieWarning, ieError };
enum TPopupToolBarMode : uint8_t { tbActiveCell, tbHoverCell, tbHoverNormalCell, tbNone };
enum THintShowLargeTextPos : uint8_t { hpCell, hpCursor };
enum TGridFilterType : uint8_t { ftHide, ftSuppress };
enum TFilterDropDownColumns : uint8_t { fdNormal, fdAll };
enum TScrollBarAlways : uint8_t { saNone, saVert, saHorz, saBoth };
enum TScrollType : uint8_t { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType : uint8_t { shNone, shVertical, shHorizontal, shBoth };
enum TIntelliPan : uint8_t { ipVertical, ipHorizontal, ipBoth, ipNone };
enum TSearchAction : uint8_t { saFindFirst, saFindPrevious, saFindNext };
enum TFilterMethod : uint8_t { fmExpression, fmLiteral };
