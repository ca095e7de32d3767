#include "grid/base/RurTypeInfo.h"

#include "platform/TypInfo.h"

const TEnumInfo EditorTypeInfo("TEditorType", {"edNormal",
                                               "edSpinEdit",
                                               "edComboEdit",
                                               "edComboList",
                                               "edEditBtn",
                                               "edCheckBox",
                                               "edDateEdit",
                                               "edDateEditUpDown",
                                               "edTimeEdit",
                                               "edButton",
                                               "edDataCheckBox",
                                               "edNumeric",
                                               "edPositiveNumeric",
                                               "edFloat",
                                               "edCapital",
                                               "edMixedCase",
                                               "edPassword",
                                               "edUnitEditBtn",
                                               "edLowerCase",
                                               "edUpperCase",
                                               "edFloatSpinEdit",
                                               "edTimeSpinEdit",
                                               "edDateSpinEdit",
                                               "edNumericEditBtn",
                                               "edFloatEditBtn",
                                               "edCustom",
                                               "edRichEdit",
                                               "edNone",
                                               "edDateTimeEdit",
                                               "edValidChars",
                                               "edTrackbarDropDown",
                                               "edMemoDropDown",
                                               "edCalculatorDropDown",
                                               "edTimePickerDropDown",
                                               "edDetailDropDown",
                                               "edGridDropDown",
                                               "edColorPickerDropDown",
                                               "edImagePickerDropDown",
                                               "edRurGridDropDown",
                                               "edControlDropDown",
                                               "edPositiveFloat",
                                               "edNumericUnitEditBtn",
                                               "edFloatUnitEditBtn",
                                               "edMaskEditBtn"});

const TEnumInfo SortStyleInfo("TSortStyle", {"ssAutomatic",   "ssAlphabetic", "ssNumeric",       "ssDate",
                                             "ssAlphaNoCase", "ssAlphaCase",  "ssShortDateEU",   "ssShortDateUS",
                                             "ssCustom",      "ssFinancial",  "ssAnsiAlphaCase", "ssAnsiAlphaNoCase",
                                             "ssRaw",         "ssHTML",       "ssImages",        "ssCheckBox",
                                             "ssDateTime",    "ssTime",       "ssAlphaNumeric",  "ssAlphaNumericNoCase",
                                             "ssNatural",     "ssVarDate"});

const TEnumInfo VAlignmentInfo("TVAlignment", {"vtaTop", "vtaCenter", "vtaBottom"});
const TEnumInfo CellGradientDirectionInfo("TCellGradientDirection", {"GradientVertical", "GradientHorizontal"});
const TEnumInfo GridSelectionStyleInfo("TGridSelectionStyle", {"ssDefault", "ssVista", "ssWin7", "ssOffice2007"});
const TEnumInfo HoverRowCellInfo("THoverRowCell",
                                 {"hcNormal", "hcFixed", "hcSelected", "hcGroupHeader", "hcGroupSummary"});
