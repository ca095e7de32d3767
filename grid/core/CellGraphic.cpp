#include "grid/core/CellGraphic.h"

#include "grid/base/FilePicture.h"
#include "grid/base/IntList.h"
#include "platform/Bitmap.h"
#include "platform/Published.h"

#include <algorithm>
#include <cmath>

namespace {

const TEnumInfo CellTypeInfo("TCellType", {"ctBitmap",      "ctIcon",         "ctNone",      "ctImageList",
                                           "ctCheckBox",    "ctDataCheckBox", "ctRotated",   "ctDataImage",
                                           "ctNode",        "ctRadio",        "ctEmpty",     "ctImages",
                                           "ctPicture",     "ctFilePicture",  "ctValue",     "ctProgress",
                                           "ctComment",     "ctButton",       "ctBitButton", "ctVirtCheckBox",
                                           "ctRowCheckBox", "ctProgressPie",  "ctSummary",   "ctRangeIndicator",
                                           "ctXPProgress",  "ctInterface",    "ctScrollbar", "ctRadioButton",
                                           "ctBalloon",     "ctShape",        "ctRating",    "ctTriStateCheckBox",
                                           "ctExpand",      "ctDataPicture",  "ctVirtButton"});
const TEnumInfo CellHAlignInfo("TCellHAlign",
                               {"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"});
const TEnumInfo CellVAlignInfo("TCellVAlign",
                               {"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"});
const TEnumInfo CheckBoxStateInfo("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});

using B = TBaseCellGraphic;
[[maybe_unused]] const TClassInfo& BaseCellGraphicClass = PublishClass<B>(
    "TBaseCellGraphic", "TPersistent",
    {
        PropEnum("CellType", &B::CellType, &B::SetCellType, CellTypeInfo),
        PropEnum("CellVAlign", &B::CellVAlign, &B::SetCellVAlign, CellVAlignInfo),
        PropEnum("CellHAlign", &B::CellHAlign, &B::SetCellHAlign, CellHAlignInfo),
        PropInt("CellIndex", &B::CellIndex, &B::SetCellIndex),
        PropBool("CellTransparent", &B::CellTransparent, &B::SetCellTransparent),
        PropBool("CellCreated", &B::CellCreated, &B::SetCellCreated),
        PropBool("CellBoolean", &B::CellBoolean, &B::SetCellBoolean),
        PropInt("CellAngle", &B::CellAngle, &B::SetCellAngle),
        PropFloat("CellValue", &B::CellValue, &B::SetCellValue, 0),
        PropInt("CellErrFrom", &B::CellErrFrom, &B::SetCellErrFrom),
        PropInt("CellErrLen", &B::CellErrLen, &B::SetCellErrLen),
        PropStr("CellText", &B::CellText, &B::SetCellText),
        PropEnum("CellCheckBoxState", &B::CellCheckBoxState, &B::SetCellCheckBoxState, CheckBoxStateInfo),
    });

using G = TCellGraphic;
[[maybe_unused]] const TClassInfo& CellGraphicClass =
    PublishClass<G>("TCellGraphic", "TBaseCellGraphic",
                    {
                        PropStr("CellComment", &G::CellComment, &G::SetCellComment),
                        PropColor("CommentColor", &G::CommentColor, &G::SetCommentColor),
                    });

} // namespace

TBaseCellGraphic::TBaseCellGraphic() = default;

TBaseCellGraphic::~TBaseCellGraphic()
{
  const bool Created = FCellCreated;
  switch (FCellType) {
  case ctBitmap:
  case ctRadio:
  case ctPicture:
  case ctFilePicture:
  case ctBitButton:
    if (Created)
      delete FCellBitmap;
    return;
  case ctIcon:
    if (Created)
      delete FCellIcon;
    break;
  case ctImages:
  case ctBalloon:
    delete FCellBitmap;
    return;
  default:
    break;
  }
  // A balloon attached to a carrier is a list the record made.
  const bool Carrier =
      FCellType == ctIcon || FCellType == ctCheckBox || FCellType == ctDataCheckBox || FCellType == ctRadioButton;
  if (Carrier && FCellAngle == 1)
    delete FCellBitmap;
}

String TBaseCellGraphic::ClassName() const { return QStringLiteral("TBaseCellGraphic"); }

void TBaseCellGraphic::Assign(TPersistent* Source)
{
  const auto* S = dynamic_cast<const TBaseCellGraphic*>(Source);
  if (!S)
    return;
  FCellType = S->FCellType;
  FCellVAlign = S->FCellVAlign;
  FCellHAlign = S->FCellHAlign;
  FCellIndex = S->FCellIndex;
  FCellTransparent = S->FCellTransparent;
  FCellValue = S->FCellValue;
  FCellAngle = S->FCellAngle;
  FCellBoolean = S->FCellBoolean;
  FCellErrFrom = S->FCellErrFrom;
  FCellErrLen = S->FCellErrLen;
  FCellText = S->FCellText;
  FCellCreated = S->FCellCreated;
}

void TBaseCellGraphic::SetCellBitmap(TObject* Value)
{
  FCellBitmap = Value;
  FCellBitmapColor = 0;
}

void TBaseCellGraphic::SetCellBitmapColor(TColor Value)
{
  FCellBitmap = nullptr;
  FCellBitmapColor = Value;
}

void TBaseCellGraphic::SetCellIcon(TObject* Value)
{
  FCellIcon = Value;
  FCellIconColor = 0;
}

void TBaseCellGraphic::SetCellIconColor(TColor Value)
{
  FCellIcon = nullptr;
  FCellIconColor = Value;
}

TIntList* TBaseCellGraphic::Images() const
{
  return FCellType == ctImages ? dynamic_cast<TIntList*>(FCellBitmap) : nullptr;
}

TPoint TBaseCellGraphic::GetPictureSize(int32_t AWidth, int32_t AHeight, bool, const TGraphic* AGraphic) const
{
  int32_t W = 0, H = 0;
  if (FCellType == ctPicture) {
    if (const auto* P = dynamic_cast<const TPicture*>(FCellBitmap)) {
      W = P->Width();
      H = P->Height();
    }
  } else if (FCellType == ctFilePicture) {
    if (const auto* P = dynamic_cast<const TFilePicture*>(FCellBitmap)) {
      W = P->Width();
      H = P->Height();
    }
  } else if (AGraphic) {
    W = AGraphic->Width();
    H = AGraphic->Height();
  }
  AWidth -= FCellIndex;
  AHeight -= FCellIndex;
  auto Round = [](double V) { return static_cast<int32_t>(std::nearbyint(V)); };
  // Fitting by the smaller ratio keeps the shape.
  auto Aspect = [&](bool Limit) {
    double RX = W <= 0 ? 1 : double(AWidth) / W, RY = H <= 0 ? 1 : double(AHeight) / H;
    if (Limit) {
      RX = std::min(RX, 1.0);
      RY = std::min(RY, 1.0);
    }
    if (RX < RY) {
      W = AWidth;
      H = Round(H * RX);
    } else {
      H = AHeight;
      W = Round(W * RY);
    }
  };
  const bool TooBig = W > AWidth || H > AHeight;
  switch (FCellAngle) {
  case Stretch:
    W = AWidth;
    H = AHeight;
    break;
  case StretchWithAspectRatio:
    Aspect(false);
    break;
  case Shrink:
    if (TooBig) {
      W = AWidth;
      H = AHeight;
    }
    break;
  case ShrinkWithAspectRatio:
    if (TooBig)
      Aspect(true);
    break;
  default:
    break;
  }
  return TPoint{W, H};
}

void TBaseCellGraphic::SetBitmap(TBitmap* ABitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = ctBitmap;
  SetCellBitmap(ABitmap);
  FCellTransparent = Transparent;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetIcon(TObject* AIcon, TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = ctIcon;
  SetCellIcon(AIcon);
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetImageIdx(int32_t Idx, TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = ctImageList;
  FCellIndex = Idx;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetDataImage(int32_t Idx, TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = ctDataImage;
  FCellIndex = Idx;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetDataPicture(TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = ctDataPicture;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetMultiImage(int32_t Col, int32_t Row, int32_t Dir, TCellHAlign HAlign, TCellVAlign VAlign,
                                     const TImageChangeEvent& Notifier)
{
  FCellType = ctImages;
  FCellBoolean = Dir == 0;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
  auto* List = new TIntList(Col, Row);
  List->OnChange = Notifier;
  SetCellBitmap(List);
  FCellCreated = true;
}

void TBaseCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int32_t Padding,
                                  TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = ctPicture;
  SetCellBitmap(APicture);
  FCellTransparent = Transparent;
  FCellAngle = StretchMode;
  FCellIndex = Padding;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                                      int32_t Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
  SetPicture(nullptr, Transparent, StretchMode, Padding, HAlign, VAlign);
  FCellType = ctFilePicture;
  SetCellBitmap(APicture);
}

void TBaseCellGraphic::SetButton(int32_t BW, int32_t BH, const String& Caption, TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = ctButton;
  FCellIndex = static_cast<int32_t>((static_cast<uint32_t>(BH) << 16) | (static_cast<uint32_t>(BW) & 0xFFFF));
  FCellBoolean = false;
  FCellText = Caption;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetBitButton(int32_t BW, int32_t BH, const String& Caption, TBitmap* Glyph, TCellHAlign HAlign,
                                    TCellVAlign VAlign)
{
  SetButton(BW, BH, Caption, HAlign, VAlign);
  FCellType = ctBitButton;
  SetCellBitmap(Glyph);
}

void TBaseCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = Data ? ctDataCheckBox : ctCheckBox;
  FCellAngle = 0;
  FCellBoolean = Value;
  FCellTransparent = Flat;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetCheckBox(TCheckBoxState State, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign)
{
  FCellType = ctTriStateCheckBox;
  FCellCheckBoxState = State;
  FCellBoolean = false;
  FCellTransparent = Flat;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign,
                                      TRadioButtonGroup Group)
{
  FCellType = ctRadioButton;
  FCellAngle = Group;
  FCellBoolean = Value;
  FCellTransparent = Flat;
  FCellHAlign = HAlign;
  FCellVAlign = VAlign;
}

void TBaseCellGraphic::SetAngle(int16_t AAngle)
{
  int32_t A = AAngle;
  while (A < 0)
    A += 360;
  while (A > 360)
    A -= 360;
  FCellType = ctRotated;
  FCellAngle = A;
}

void TBaseCellGraphic::SetInterfacedCell(TObject* AObject)
{
  FCellType = ctInterface;
  SetCellBitmap(AObject);
}

TCellGraphic::TCellGraphic() = default;
TCellGraphic::~TCellGraphic() = default;

String TCellGraphic::ClassName() const { return QStringLiteral("TCellGraphic"); }
