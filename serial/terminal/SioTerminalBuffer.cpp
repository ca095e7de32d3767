#include "serial/terminal/SioTerminalBuffer.h"

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <algorithm>
#include <cstring>

// ------------------------------------------------------------ bit sets

void SioTSetBit(std::vector<uint8_t>& aBitset, int32_t aBit)
{
  if (aBit >= 0 && static_cast<size_t>(aBit / 8) < aBitset.size())
    aBitset[static_cast<size_t>(aBit / 8)] |= uint8_t(1u << (aBit % 8));
}

void SioTClearBit(std::vector<uint8_t>& aBitset, int32_t aBit)
{
  if (aBit >= 0 && static_cast<size_t>(aBit / 8) < aBitset.size())
    aBitset[static_cast<size_t>(aBit / 8)] &= uint8_t(~(1u << (aBit % 8)));
}

bool SioTIsBitSet(const std::vector<uint8_t>& aBitset, int32_t aBit)
{
  return aBit >= 0 && static_cast<size_t>(aBit / 8) < aBitset.size() &&
         (aBitset[static_cast<size_t>(aBit / 8)] & (1u << (aBit % 8))) != 0;
}

void SioTClearAllBits(std::vector<uint8_t>& aBitset) { std::fill(aBitset.begin(), aBitset.end(), uint8_t(0)); }

void SioTReallocBitset(std::vector<uint8_t>& aBitset, int32_t aBitCount)
{
  if (aBitCount <= 0) {
    aBitset.clear();
    aBitset.shrink_to_fit();
    return;
  }
  aBitset.resize(static_cast<size_t>((aBitCount + 7) / 8), 0);
}

// ------------------------------------------------------------ TadTerminalArray

TadTerminalArray::TadTerminalArray(int32_t aItemSize) : FItemSize(aItemSize == 2 || aItemSize == 4 ? aItemSize : 1) {}

TadTerminalArray::~TadTerminalArray() = default;

String TadTerminalArray::ClassName() const { return QStringLiteral("TadTerminalArray"); }

void TadTerminalArray::taSetColCount(int32_t Value)
{
  if (Value == FColCount || Value < 0)
    return;
  taGrowArray(FRowCount, Value, -1);
  FColCount = Value;
}

void TadTerminalArray::taSetRowCount(int32_t Value)
{
  if (Value == FRowCount || Value < 0)
    return;
  taGrowArray(Value, FColCount, FActColCount);
  FRowCount = Value;
}

void TadTerminalArray::SetDefaultItem(const void* aDefaultItem)
{
  switch (FItemSize) {
  case 1:
    FDefaultItem = *static_cast<const uint8_t*>(aDefaultItem);
    break;
  case 2: {
    uint16_t V;
    std::memcpy(&V, aDefaultItem, 2);
    FDefaultItem = V;
    break;
  }
  default:
    std::memcpy(&FDefaultItem, aDefaultItem, 4);
  }
}

void TadTerminalArray::taGrowArray(int32_t aRowCount, int32_t aColCount, int32_t aActColCount)
{
  if (aActColCount < 0) {
    // Whole 4-byte words per row.
    switch (FItemSize) {
    case 1:
      aActColCount = (aColCount + 3) & ~3;
      break;
    case 2:
      aActColCount = (aColCount + 1) & ~1;
      break;
    default:
      aActColCount = aColCount;
    }
  }
  if (aRowCount <= 0 || aActColCount <= 0)
    return;
  if (FItems && aRowCount == FRowCount && aActColCount == FActColCount)
    return;
  const int32_t NewRowBytes = aActColCount * FItemSize;
  auto NewItems = std::make_unique<uint32_t[]>(static_cast<size_t>(aRowCount) * NewRowBytes / 4);
  uint8_t* Base = reinterpret_cast<uint8_t*>(NewItems.get());
  FillItems(Base, aRowCount * aActColCount);
  if (FItems) {
    // The newest rows survive: the old block's last rows go to the bottom.
    const int32_t Rows = std::min(FRowCount, aRowCount);
    const int32_t Bytes = std::min(FColCount, aColCount) * FItemSize;
    for (int32_t I = 0; I < Rows; ++I)
      std::memcpy(Base + static_cast<size_t>(aRowCount - Rows + I) * NewRowBytes, RowPtr(FRowCount - Rows + I),
                  static_cast<size_t>(Bytes));
  }
  FItems = std::move(NewItems);
  FActColCount = aActColCount;
  FFirstRow = 0;
  // Both counts take their new values here: the setters store theirs too.
  FRowCount = aRowCount;
  FColCount = aColCount;
}

uint8_t* TadTerminalArray::RowPtr(int32_t aRow) const
{
  int32_t P = FFirstRow + aRow;
  if (P >= FRowCount)
    P -= FRowCount;
  return reinterpret_cast<uint8_t*>(FItems.get()) + static_cast<size_t>(P) * RowBytes();
}

void TadTerminalArray::FillItems(uint8_t* P, int32_t Count) const
{
  if (Count <= 0)
    return;
  switch (FItemSize) {
  case 1:
    std::memset(P, static_cast<int>(FDefaultItem & 0xFF), static_cast<size_t>(Count));
    break;
  case 2: {
    const uint16_t V = static_cast<uint16_t>(FDefaultItem);
    for (int32_t I = 0; I < Count; ++I)
      std::memcpy(P + 2 * I, &V, 2);
    break;
  }
  default:
    for (int32_t I = 0; I < Count; ++I)
      std::memcpy(P + 4 * I, &FDefaultItem, 4);
  }
}

void TadTerminalArray::Clear()
{
  if (FItems)
    FillItems(reinterpret_cast<uint8_t*>(FItems.get()), FRowCount * FActColCount);
}

void TadTerminalArray::ClearItems(int32_t aRow, int32_t aFromCol, int32_t aToCol)
{
  if (!FItems || aRow < 0 || aRow >= FRowCount)
    return;
  aFromCol = std::max(aFromCol, 0);
  aToCol = std::min(aToCol, FColCount - 1);
  if (aToCol < aFromCol)
    return;
  FillItems(RowPtr(aRow) + aFromCol * FItemSize, aToCol - aFromCol + 1);
}

void TadTerminalArray::DeleteItems(int32_t aCount, int32_t aRow, int32_t aCol)
{
  if (!FItems || aRow < 0 || aRow >= FRowCount || aCol < 0 || aCol >= FColCount)
    return;
  const int32_t N = std::min(aCount, FColCount - aCol);
  if (N <= 0)
    return;
  uint8_t* P = RowPtr(aRow);
  std::memmove(P + aCol * FItemSize, P + (aCol + N) * FItemSize, static_cast<size_t>(FColCount - aCol - N) * FItemSize);
  FillItems(P + (FColCount - N) * FItemSize, N);
}

void TadTerminalArray::InsertItems(int32_t aCount, int32_t aRow, int32_t aCol)
{
  if (!FItems || aRow < 0 || aRow >= FRowCount || aCol < 0 || aCol >= FColCount)
    return;
  const int32_t N = std::min(aCount, FColCount - aCol);
  if (N <= 0)
    return;
  uint8_t* P = RowPtr(aRow);
  std::memmove(P + (aCol + N) * FItemSize, P + aCol * FItemSize, static_cast<size_t>(FColCount - aCol - N) * FItemSize);
  FillItems(P + aCol * FItemSize, N);
}

void* TadTerminalArray::GetItemPtr(int32_t aRow, int32_t aCol) const
{
  if (FItemSize != 1 && FItemSize != 2 && FItemSize != 4)
    throw Exception(QStringLiteral("TadTerminalArray.GetItemPtr: invalid item size"));
  if (!FItems || aRow < 0 || aRow >= FRowCount || aCol < 0 || aCol >= FActColCount)
    return nullptr;
  return RowPtr(aRow) + aCol * FItemSize;
}

void TadTerminalArray::ReplaceItems(const void* aOldItem, const void* aNewItem)
{
  if (!FItems)
    return;
  uint8_t* Base = reinterpret_cast<uint8_t*>(FItems.get());
  for (int32_t R = 0; R < FRowCount; ++R) {
    uint8_t* P = Base + static_cast<size_t>(R) * RowBytes();
    for (int32_t C = 0; C < FColCount; ++C, P += FItemSize)
      if (std::memcmp(P, aOldItem, static_cast<size_t>(FItemSize)) == 0)
        std::memcpy(P, aNewItem, static_cast<size_t>(FItemSize));
  }
}

void TadTerminalArray::ScrollRows(int32_t aCount, int32_t aStartRow, int32_t aEndRow)
{
  if (aStartRow > aEndRow)
    std::swap(aStartRow, aEndRow);
  aStartRow = std::max(aStartRow, 0);
  aEndRow = std::min(aEndRow, FRowCount - 1);
  if (aCount == 0 || !FItems || aStartRow > aEndRow)
    return;
  const int32_t Span = aEndRow - aStartRow;
  if (aCount > Span || -aCount > Span) {
    for (int32_t R = aStartRow; R <= aEndRow; ++R)
      FillItems(RowPtr(R), FActColCount);
    return;
  }
  if (aStartRow == 0 && aEndRow == FRowCount - 1) {
    // The whole array: turn the ring instead of moving rows.
    FFirstRow = ((FFirstRow + aCount) % FRowCount + FRowCount) % FRowCount;
    const int32_t First = aCount > 0 ? FRowCount - aCount : 0;
    for (int32_t R = First; R < First + std::abs(aCount); ++R)
      FillItems(RowPtr(R), FActColCount);
    return;
  }
  const size_t Bytes = static_cast<size_t>(FColCount) * FItemSize;
  if (aCount > 0) {
    for (int32_t R = aStartRow; R + aCount <= aEndRow; ++R)
      std::memcpy(RowPtr(R), RowPtr(R + aCount), Bytes);
    for (int32_t R = aEndRow - aCount + 1; R <= aEndRow; ++R)
      FillItems(RowPtr(R), FActColCount);
  } else {
    const int32_t N = -aCount;
    for (int32_t R = aEndRow; R - N >= aStartRow; --R)
      std::memcpy(RowPtr(R), RowPtr(R - N), Bytes);
    for (int32_t R = aStartRow; R < aStartRow + N; ++R)
      FillItems(RowPtr(R), FActColCount);
  }
}

void TadTerminalArray::WriteDupItems(const void* aItem, int32_t aCount, int32_t aCol, int32_t aRow)
{
  if (!FItems || aRow < 0 || aRow >= FRowCount || aCol < 0 || aCol >= FColCount)
    return;
  const int32_t N = std::min(aCount, FColCount - aCol);
  uint8_t* P = RowPtr(aRow) + aCol * FItemSize;
  for (int32_t I = 0; I < N; ++I, P += FItemSize)
    std::memcpy(P, aItem, static_cast<size_t>(FItemSize));
}

void TadTerminalArray::WriteItems(const void* aItems, int32_t aCount, int32_t aCol, int32_t aRow)
{
  if (!FItems || aRow < 0 || aRow >= FRowCount || aCol < 0 || aCol >= FColCount)
    return;
  const int32_t N = std::min(aCount, FColCount - aCol);
  if (N > 0)
    std::memcpy(RowPtr(aRow) + aCol * FItemSize, aItems, static_cast<size_t>(N) * FItemSize);
}

// ------------------------------------------------------------ TSioTerminalBuffer

TSioTerminalBuffer::TSioTerminalBuffer(bool aUseWideChars)
    : FBackColor(clBlack), FForeColor(clSilver), FUseWideChars(aUseWideChars),
      FCharMatrix(std::make_unique<TadTerminalArray>(aUseWideChars ? 2 : 1)),
      FCharSetMatrix(std::make_unique<TadTerminalArray>(1)), FAttrMatrix(std::make_unique<TadTerminalArray>(1)),
      FForeColorMatrix(std::make_unique<TadTerminalArray>(4)), FBackColorMatrix(std::make_unique<TadTerminalArray>(4))
{
  SetMatrixDefaults();
  for (int32_t I = 0; I < 5; ++I) {
    Matrix(I)->taSetColCount(FColCount);
    Matrix(I)->taSetRowCount(FSVRowCount);
  }
  SioTReallocBitset(FHorzTabStops, FColCount);
  SioTReallocBitset(FVertTabStops, FRowCount);
  SetDefaultTabStops();
  FSRStartRow = ScreenTop();
  FSREndRow = FSVRowCount - 1;
  SetDisplayArea();
  FMovedNow = false;
  MoveCursorTo(ScreenTop(), 0);
  FCursorMoved = FMovedNow = true;
  tbInvalidateRect(ScreenTop(), 0, FSVRowCount - 1, FColCount - 1);
  FireCursorMoved();
}

TSioTerminalBuffer::~TSioTerminalBuffer() = default;

String TSioTerminalBuffer::ClassName() const { return QStringLiteral("TSioTerminalBuffer"); }

TadTerminalArray* TSioTerminalBuffer::Matrix(int32_t I) const
{
  switch (I) {
  case 0:
    return FCharMatrix.get();
  case 1:
    return FCharSetMatrix.get();
  case 2:
    return FAttrMatrix.get();
  case 3:
    return FForeColorMatrix.get();
  default:
    return FBackColorMatrix.get();
  }
}

void TSioTerminalBuffer::SetMatrixDefaults()
{
  if (FUseWideChars)
    FCharMatrix->SetDefaultItem(&FDefWideChar);
  else
    FCharMatrix->SetDefaultItem(&FDefAnsiChar);
  FCharSetMatrix->SetDefaultItem(&FCharSet);
  FAttrMatrix->SetDefaultItem(&FAttr);
  FForeColorMatrix->SetDefaultItem(&FForeColor);
  FBackColorMatrix->SetDefaultItem(&FBackColor);
}

void TSioTerminalBuffer::SetDefaultTabStops()
{
  SioTClearAllBits(FHorzTabStops);
  SioTClearAllBits(FVertTabStops);
  for (int32_t C = 0; C < FColCount; C += 8)
    SioTSetBit(FHorzTabStops, C);
}

void TSioTerminalBuffer::SetDisplayArea()
{
  FDisplayOriginCol = 0;
  FDisplayColCount = FColCount;
  if (FUseScrollRegion) {
    FDisplayOriginRow = FSRStartRow;
    FDisplayRowCount = FSREndRow - FSRStartRow + 1;
  } else {
    FDisplayOriginRow = ScreenTop();
    FDisplayRowCount = FRowCount;
  }
}

int32_t TSioTerminalBuffer::ToInternalRow(int32_t aRow) const
{
  const int64_t R = FUseAbsAddress ? int64_t(ScreenTop()) + aRow - 1 : int64_t(aRow) + FDisplayOriginRow - 1;
  return static_cast<int32_t>(std::clamp<int64_t>(R, 0, FSVRowCount - 1));
}

int32_t TSioTerminalBuffer::ToInternalCol(int32_t aCol) const
{
  const int64_t C = FUseAbsAddress ? int64_t(aCol) - 1 : int64_t(aCol) + FDisplayOriginCol - 1;
  return static_cast<int32_t>(std::clamp<int64_t>(C, 0, FColCount - 1));
}

void TSioTerminalBuffer::MoveCursorTo(int32_t aRow, int32_t aCol)
{
  if (aRow == FCursorRow && aCol == FCursorCol)
    return;
  FCursorRow = aRow;
  FCursorCol = aCol;
  FCursorMoved = true;
  FMovedNow = true;
}

void TSioTerminalBuffer::FireCursorMoved()
{
  if (!FMovedNow)
    return;
  FMovedNow = false;
  if (OnCursorMoved)
    OnCursorMoved(this, Row(), Col());
}

void TSioTerminalBuffer::tbInvalidateRect(int32_t aTop, int32_t aLeft, int32_t aBottom, int32_t aRight)
{
  const TRect R{aLeft + 1, ToExternalRow(aTop), aRight + 1, ToExternalRow(aBottom)};
  if (!FHaveInvalid) {
    FInvalid = R;
    FHaveInvalid = true;
    // One message per paint is enough: the window paints the union.
    if (FTerminalHandle != 0)
      PostMessage(FTerminalHandle, ApwTermNeedsUpdate, 0, 0);
    return;
  }
  FInvalid.Left = std::min(FInvalid.Left, R.Left);
  FInvalid.Top = std::min(FInvalid.Top, R.Top);
  FInvalid.Right = std::max(FInvalid.Right, R.Right);
  FInvalid.Bottom = std::max(FInvalid.Bottom, R.Bottom);
}

void TSioTerminalBuffer::tbScrollRows(int32_t aCount, int32_t aStartRow, int32_t aEndRow)
{
  if (aStartRow > aEndRow)
    std::swap(aStartRow, aEndRow);
  for (int32_t I = 0; I < 5; ++I)
    Matrix(I)->ScrollRows(aCount, aStartRow, aEndRow);
  if (OnScrollRows)
    OnScrollRows(this, aCount, ToExternalRow(aStartRow), ToExternalRow(aEndRow));
}

void TSioTerminalBuffer::ClearCells(int32_t aRow, int32_t aFromCol, int32_t aToCol)
{
  for (int32_t I = 0; I < 5; ++I)
    Matrix(I)->ClearItems(aRow, aFromCol, aToCol);
  tbInvalidateRect(aRow, aFromCol, aRow, aToCol);
}

// ------------------------------------------------------------ writing

void TSioTerminalBuffer::WriteChar(char aCh)
{
  if (FBeyondMargin)
    tbMoveCursorLeftRight(1, FUseAutoWrap, true);
  FBeyondMargin = false;
  const int32_t R = FCursorRow;
  const int32_t C = FCursorCol;
  if (FUseInsertMode)
    for (int32_t I = 0; I < 5; ++I)
      Matrix(I)->InsertItems(1, R, C);
  if (FUseWideChars) {
    const uint16_t W = static_cast<uint8_t>(aCh);
    std::memcpy(FCharMatrix->GetItemPtr(R, C), &W, 2);
  } else {
    *static_cast<char*>(FCharMatrix->GetItemPtr(R, C)) = aCh;
  }
  *static_cast<uint8_t*>(FCharSetMatrix->GetItemPtr(R, C)) = FCharSet;
  *static_cast<uint8_t*>(FAttrMatrix->GetItemPtr(R, C)) = FAttr;
  std::memcpy(FForeColorMatrix->GetItemPtr(R, C), &FForeColor, 4);
  std::memcpy(FBackColorMatrix->GetItemPtr(R, C), &FBackColor, 4);
  // An inserted character moves the rest of the row, which must be painted
  // again too.
  tbInvalidateRect(R, C, R, FUseInsertMode ? AreaRight() : C);
  if (FUseAutoWrapDelay && C == AreaRight())
    FBeyondMargin = true;
  else
    tbMoveCursorLeftRight(1, FUseAutoWrap, true);
}

void TSioTerminalBuffer::WriteString(const AnsiString& S)
{
  for (char Ch : S)
    WriteChar(Ch);
}

void TSioTerminalBuffer::WriteString(const String& S) { WriteString(ToAnsi(S)); }

// ------------------------------------------------------------ cursor

void TSioTerminalBuffer::tbMoveCursorLeftRight(int32_t aDirection, bool aWrap, bool aScroll)
{
  FBeyondMargin = false;
  const int32_t R = FCursorRow;
  const int32_t C = FCursorCol;
  if (aDirection > 0) {
    if (C < AreaRight()) {
      MoveCursorTo(R, C + 1);
    } else if (!aWrap) {
    } else if (R != AreaBottom()) {
      if (R < FSVRowCount - 1)
        MoveCursorTo(R + 1, AreaLeft());
    } else if (aScroll) {
      // Without a region the top screen row goes into the scroll-back.
      tbScrollRows(1, FUseScrollRegion ? AreaTop() : 0, AreaBottom());
      tbInvalidateRect(AreaTop(), 0, AreaBottom(), FColCount - 1);
      MoveCursorTo(R, AreaLeft());
    }
    return;
  }
  if (C > AreaLeft()) {
    MoveCursorTo(R, C - 1);
  } else if (!aWrap) {
  } else if (R != AreaTop()) {
    if (R > 0)
      MoveCursorTo(R - 1, AreaRight());
  } else if (aScroll) {
    tbScrollRows(-1, AreaTop(), AreaBottom());
    tbInvalidateRect(AreaTop(), 0, AreaBottom(), FColCount - 1);
    MoveCursorTo(R, AreaRight());
  }
}

void TSioTerminalBuffer::tbMoveCursorUpDown(int32_t aDirection, bool aScroll)
{
  FBeyondMargin = false;
  const int32_t R = FCursorRow;
  if (aDirection > 0) {
    if (R == AreaBottom()) {
      if (aScroll) {
        tbScrollRows(1, FUseScrollRegion ? AreaTop() : 0, AreaBottom());
        tbInvalidateRect(AreaTop(), 0, AreaBottom(), FColCount - 1);
      }
    } else if (R < FSVRowCount - 1) {
      MoveCursorTo(R + 1, FCursorCol);
    }
    return;
  }
  if (R == AreaTop()) {
    if (aScroll) {
      tbScrollRows(-1, AreaTop(), AreaBottom());
      tbInvalidateRect(AreaTop(), 0, AreaBottom(), FColCount - 1);
    }
  } else if (R > 0) {
    MoveCursorTo(R - 1, FCursorCol);
  }
}

void TSioTerminalBuffer::DoBackspace()
{
  FMovedNow = false;
  FBeyondMargin = false;
  if (FCursorCol > AreaLeft())
    MoveCursorTo(FCursorRow, FCursorCol - 1);
  FireCursorMoved();
}

void TSioTerminalBuffer::DoCarriageReturn()
{
  FMovedNow = false;
  FBeyondMargin = false;
  MoveCursorTo(FCursorRow, AreaLeft());
  FireCursorMoved();
}

void TSioTerminalBuffer::DoLineFeed()
{
  FMovedNow = false;
  FBeyondMargin = false;
  if (FUseNewLineMode)
    MoveCursorTo(FCursorRow, AreaLeft());
  tbMoveCursorUpDown(1, true);
  FireCursorMoved();
}

void TSioTerminalBuffer::DoHorzTab()
{
  FMovedNow = false;
  FBeyondMargin = false;
  int32_t C = FCursorCol + 1;
  while (C < AreaRight() && !SioTIsBitSet(FHorzTabStops, C))
    ++C;
  MoveCursorTo(FCursorRow, std::min(C, AreaRight()));
  FireCursorMoved();
}

void TSioTerminalBuffer::DoBackHorzTab()
{
  FMovedNow = false;
  FBeyondMargin = false;
  int32_t C = FCursorCol - 1;
  while (C > AreaLeft() && !SioTIsBitSet(FHorzTabStops, C))
    --C;
  MoveCursorTo(FCursorRow, std::max(C, AreaLeft()));
  FireCursorMoved();
}

void TSioTerminalBuffer::DoVertTab()
{
  FMovedNow = false;
  FBeyondMargin = false;
  int32_t R = FCursorRow + 1;
  while (R < AreaBottom() && !SioTIsBitSet(FVertTabStops, R - ScreenTop()))
    ++R;
  MoveCursorTo(std::min(R, AreaBottom()), FCursorCol);
  FireCursorMoved();
}

void TSioTerminalBuffer::DoBackVertTab()
{
  FMovedNow = false;
  FBeyondMargin = false;
  int32_t R = FCursorRow - 1;
  while (R > AreaTop() && !SioTIsBitSet(FVertTabStops, R - ScreenTop()))
    --R;
  MoveCursorTo(std::max(R, AreaTop()), FCursorCol);
  FireCursorMoved();
}

void TSioTerminalBuffer::MoveCursorDown(bool aScroll)
{
  FMovedNow = false;
  tbMoveCursorUpDown(1, aScroll);
  FireCursorMoved();
}

void TSioTerminalBuffer::MoveCursorUp(bool aScroll)
{
  FMovedNow = false;
  tbMoveCursorUpDown(-1, aScroll);
  FireCursorMoved();
}

void TSioTerminalBuffer::MoveCursorLeft(bool aWrap, bool aScroll)
{
  FMovedNow = false;
  tbMoveCursorLeftRight(-1, aWrap, aScroll);
  FireCursorMoved();
}

void TSioTerminalBuffer::MoveCursorRight(bool aWrap, bool aScroll)
{
  FMovedNow = false;
  tbMoveCursorLeftRight(1, aWrap, aScroll);
  FireCursorMoved();
}

void TSioTerminalBuffer::SetCursorPosition(int32_t aRow, int32_t aCol)
{
  FMovedNow = false;
  FBeyondMargin = false;
  MoveCursorTo(ToInternalRow(aRow), ToInternalCol(aCol));
  FireCursorMoved();
}

int32_t TSioTerminalBuffer::Row() const
{
  return FUseAbsAddress ? ToExternalRow(FCursorRow) : FCursorRow - FDisplayOriginRow + 1;
}

void TSioTerminalBuffer::tbSetRow(int32_t Value)
{
  FMovedNow = false;
  FBeyondMargin = false;
  MoveCursorTo(ToInternalRow(Value), FCursorCol);
  FireCursorMoved();
}

int32_t TSioTerminalBuffer::Col() const { return FUseAbsAddress ? FCursorCol + 1 : FCursorCol - FDisplayOriginCol + 1; }

void TSioTerminalBuffer::tbSetCol(int32_t Value)
{
  FMovedNow = false;
  FBeyondMargin = false;
  MoveCursorTo(FCursorRow, ToInternalCol(Value));
  FireCursorMoved();
}

int32_t TSioTerminalBuffer::OriginRow() const { return ToExternalRow(FDisplayOriginRow); }

int32_t TSioTerminalBuffer::OriginCol() const { return FDisplayOriginCol + 1; }

bool TSioTerminalBuffer::HasCursorMoved()
{
  const bool Result = FCursorMoved;
  FCursorMoved = false;
  return Result;
}

// ------------------------------------------------------------ editing

void TSioTerminalBuffer::DeleteChars(int32_t aCount)
{
  FBeyondMargin = false;
  const int32_t N = std::min(aCount, AreaRight() - FCursorCol + 1);
  if (N < 1)
    return;
  for (int32_t I = 0; I < 5; ++I)
    Matrix(I)->DeleteItems(N, FCursorRow, FCursorCol);
  tbInvalidateRect(FCursorRow, FCursorCol, FCursorRow, AreaRight());
}

void TSioTerminalBuffer::InsertChars(int32_t aCount)
{
  FBeyondMargin = false;
  const int32_t N = std::min(aCount, AreaRight() - FCursorCol + 1);
  if (N < 1)
    return;
  for (int32_t I = 0; I < 5; ++I)
    Matrix(I)->InsertItems(N, FCursorRow, FCursorCol);
  tbInvalidateRect(FCursorRow, FCursorCol, FCursorRow, AreaRight());
}

void TSioTerminalBuffer::DeleteLines(int32_t aCount)
{
  FBeyondMargin = false;
  if (aCount < 1 || FCursorRow < AreaTop() || FCursorRow > AreaBottom())
    return;
  tbScrollRows(aCount, FCursorRow, AreaBottom());
  tbInvalidateRect(FCursorRow, AreaLeft(), AreaBottom(), AreaRight());
}

void TSioTerminalBuffer::InsertLines(int32_t aCount)
{
  FBeyondMargin = false;
  if (aCount < 1 || FCursorRow < AreaTop() || FCursorRow > AreaBottom())
    return;
  tbScrollRows(-aCount, FCursorRow, AreaBottom());
  tbInvalidateRect(FCursorRow, AreaLeft(), AreaBottom(), AreaRight());
}

void TSioTerminalBuffer::EraseChars(int32_t aCount)
{
  FBeyondMargin = false;
  int32_t Left = aCount;
  int32_t R = FCursorRow;
  int32_t C = FCursorCol;
  while (Left > 0) {
    const int32_t N = std::min(Left, AreaRight() - C + 1);
    ClearCells(R, C, C + N - 1);
    Left -= N;
    ++R;
    C = AreaLeft();
    if (R > AreaBottom() || R >= FSVRowCount)
      break;
  }
}

void TSioTerminalBuffer::EraseToEOL()
{
  FBeyondMargin = false;
  ClearCells(FCursorRow, FCursorCol, AreaRight());
}

void TSioTerminalBuffer::EraseFromBOL()
{
  FBeyondMargin = false;
  ClearCells(FCursorRow, AreaLeft(), FCursorCol);
}

void TSioTerminalBuffer::EraseLine()
{
  FBeyondMargin = false;
  ClearCells(FCursorRow, AreaLeft(), AreaRight());
}

void TSioTerminalBuffer::EraseToEOW()
{
  FBeyondMargin = false;
  ClearCells(FCursorRow, FCursorCol, FColCount - 1);
  for (int32_t R = FCursorRow + 1; R < FSVRowCount; ++R)
    ClearCells(R, 0, FColCount - 1);
}

void TSioTerminalBuffer::EraseFromBOW()
{
  FBeyondMargin = false;
  ClearCells(FCursorRow, 0, FCursorCol);
  for (int32_t R = ScreenTop(); R < FCursorRow; ++R)
    ClearCells(R, 0, FColCount - 1);
}

void TSioTerminalBuffer::EraseScreen()
{
  FBeyondMargin = false;
  tbScrollRows(FRowCount, 0, FSVRowCount - 1);
  tbInvalidateRect(ScreenTop(), 0, FSVRowCount - 1, FColCount - 1);
}

void TSioTerminalBuffer::EraseAll()
{
  FMovedNow = false;
  FBeyondMargin = false;
  for (int32_t I = 0; I < 5; ++I)
    Matrix(I)->Clear();
  tbInvalidateRect(0, 0, FSVRowCount - 1, FColCount - 1);
  MoveCursorTo(ScreenTop(), 0);
  FireCursorMoved();
}

// ------------------------------------------------------------ tab stops

void TSioTerminalBuffer::SetHorzTabStop() { SioTSetBit(FHorzTabStops, FCursorCol); }

void TSioTerminalBuffer::ClearHorzTabStop() { SioTClearBit(FHorzTabStops, FCursorCol); }

void TSioTerminalBuffer::ClearAllHorzTabStops() { SioTClearAllBits(FHorzTabStops); }

void TSioTerminalBuffer::SetVertTabStop() { SioTSetBit(FVertTabStops, FCursorRow - ScreenTop()); }

void TSioTerminalBuffer::ClearVertTabStop() { SioTClearBit(FVertTabStops, FCursorRow - ScreenTop()); }

void TSioTerminalBuffer::ClearAllVertTabStops() { SioTClearAllBits(FVertTabStops); }

// ------------------------------------------------------------ scroll region

void TSioTerminalBuffer::SetScrollRegion(int32_t aTopRow, int32_t aBottomRow)
{
  if (aTopRow > aBottomRow)
    std::swap(aTopRow, aBottomRow);
  if (int64_t(aBottomRow) - aTopRow < 1)
    return;
  aTopRow = std::clamp(aTopRow, 1, FRowCount);
  aBottomRow = std::clamp(aBottomRow, 1, FRowCount);
  // Clamping can squeeze a region below the screen into one row.
  if (aBottomRow - aTopRow < 1)
    return;
  FSRStartRow = ScreenTop() + aTopRow - 1;
  FSREndRow = ScreenTop() + aBottomRow - 1;
  if (FUseScrollRegion)
    tbSetUseScrollRegion(false);
  if (aTopRow != 1 || aBottomRow != FRowCount)
    tbSetUseScrollRegion(true);
}

void TSioTerminalBuffer::tbSetUseScrollRegion(bool Value)
{
  if (Value == FUseScrollRegion)
    return;
  FUseScrollRegion = Value;
  SetDisplayArea();
  FBeyondMargin = false;
  MoveCursorTo(AreaTop(), AreaLeft());
  FMovedNow = true;
  FireCursorMoved();
}

// ------------------------------------------------------------ attributes and colours

void TSioTerminalBuffer::SetCharAttrs(TSioTerminalCharAttrs Value)
{
  FAttr = Value;
  FAttrMatrix->SetDefaultItem(&FAttr);
}

void TSioTerminalBuffer::SetForeColor(TColor Value)
{
  FForeColor = Value;
  FForeColorMatrix->SetDefaultItem(&FForeColor);
}

void TSioTerminalBuffer::SetBackColor(TColor Value)
{
  FBackColor = Value;
  FBackColorMatrix->SetDefaultItem(&FBackColor);
}

void TSioTerminalBuffer::SetCharSet(uint8_t Value)
{
  FCharSet = Value;
  FCharSetMatrix->SetDefaultItem(&FCharSet);
}

void TSioTerminalBuffer::SetDefForeColor(TColor Value)
{
  FForeColorMatrix->ReplaceItems(&FDefForeColor, &Value);
  FDefForeColor = Value;
}

void TSioTerminalBuffer::SetDefBackColor(TColor Value)
{
  FBackColorMatrix->ReplaceItems(&FDefBackColor, &Value);
  FDefBackColor = Value;
}

void TSioTerminalBuffer::SetDefAnsiChar(char Value)
{
  FDefAnsiChar = Value;
  if (FUseWideChars) {
    const uint16_t W = static_cast<uint8_t>(Value);
    FCharMatrix->SetDefaultItem(&W);
  } else {
    FCharMatrix->SetDefaultItem(&FDefAnsiChar);
  }
}

// ------------------------------------------------------------ sizes

void TSioTerminalBuffer::tbSetColCount(int32_t Value)
{
  if (Value < 2)
    throw Exception(QStringLiteral("TSioTerminalBuffer.tbSetColCount: new count too small"));
  if (Value == FColCount)
    return;
  SioTReallocBitset(FHorzTabStops, Value);
  for (int32_t I = 0; I < 5; ++I)
    Matrix(I)->taSetColCount(Value);
  FColCount = Value;
  FBeyondMargin = false;
  tbInvalidateRect(ScreenTop(), 0, FSVRowCount - 1, FColCount - 1);
  if (FUseScrollRegion) {
    tbSetUseScrollRegion(false);
  } else {
    MoveCursorTo(ScreenTop(), 0);
    FDisplayColCount = FColCount;
  }
}

void TSioTerminalBuffer::tbSetRowCount(int32_t Value)
{
  if (Value == FRowCount || Value > FSVRowCount)
    return;
  if (Value < 2)
    throw Exception(QStringLiteral("TSioTerminalBuffer.tbSetRowCount: new count too small"));
  if (FUseScrollRegion)
    tbSetUseScrollRegion(false);
  SioTReallocBitset(FVertTabStops, Value);
  FRowCount = Value;
  FSRStartRow = ScreenTop();
  FSREndRow = FSVRowCount - 1;
  SetDisplayArea();
  FBeyondMargin = false;
  if (FCursorRow < FDisplayOriginRow)
    MoveCursorTo(FDisplayOriginRow, FCursorCol);
}

void TSioTerminalBuffer::tbSetSVRowCount(int32_t Value)
{
  if (Value < 2)
    throw Exception(QStringLiteral("TSioTerminalBuffer.tbSetSVRowCount: new count too small"));
  if (Value == FSVRowCount)
    return;
  const int32_t Diff = Value - FSVRowCount;
  if (FRowCount > Value) {
    if (FUseScrollRegion)
      tbSetUseScrollRegion(false);
    FRowCount = Value;
    SioTReallocBitset(FVertTabStops, Value);
  }
  FSVRowCount = Value;
  for (int32_t I = 0; I < 5; ++I)
    Matrix(I)->taSetRowCount(Value);
  // The screen keeps its rows: everything moves with the bottom of the buffer.
  FBeyondMargin = false;
  MoveCursorTo(std::clamp(FCursorRow + Diff, 0, Value - 1), FCursorCol);
  if (FUseScrollRegion) {
    FSRStartRow += Diff;
    FSREndRow += Diff;
  } else {
    FSRStartRow = ScreenTop();
    FSREndRow = FSVRowCount - 1;
  }
  SetDisplayArea();
  tbInvalidateRect(ScreenTop(), 0, FSVRowCount - 1, FColCount - 1);
}

void TSioTerminalBuffer::Reset()
{
  FAttr = FDefAttr;
  FForeColor = FDefForeColor;
  FBackColor = FDefBackColor;
  FCharSet = FDefCharSet;
  SetMatrixDefaults();
  for (int32_t I = 0; I < 5; ++I)
    Matrix(I)->Clear();
  SetDefaultTabStops();
  FUseAbsAddress = true;
  FUseAutoWrap = true;
  FUseAutoWrapDelay = true;
  FUseInsertMode = false;
  FUseNewLineMode = false;
  FUseScrollRegion = false;
  FSRStartRow = ScreenTop();
  FSREndRow = FSVRowCount - 1;
  SetDisplayArea();
  FBeyondMargin = false;
  MoveCursorTo(ScreenTop(), 0);
  // The cells are blank now: a view still showing the old text is wrong.
  tbInvalidateRect(0, 0, FSVRowCount - 1, FColCount - 1);
}

// ------------------------------------------------------------ rows and changes

void* TSioTerminalBuffer::GetLineCharPtr(int32_t aRow) const
{
  return FCharMatrix->GetItemPtr(ScreenTop() + aRow - 1, FDisplayOriginCol);
}

uint8_t* TSioTerminalBuffer::GetLineCharSetPtr(int32_t aRow) const
{
  return static_cast<uint8_t*>(FCharSetMatrix->GetItemPtr(ScreenTop() + aRow - 1, FDisplayOriginCol));
}

TSioTerminalCharAttrs* TSioTerminalBuffer::GetLineAttrPtr(int32_t aRow) const
{
  return static_cast<TSioTerminalCharAttrs*>(FAttrMatrix->GetItemPtr(ScreenTop() + aRow - 1, FDisplayOriginCol));
}

TColor* TSioTerminalBuffer::GetLineForeColorPtr(int32_t aRow) const
{
  return static_cast<TColor*>(FForeColorMatrix->GetItemPtr(ScreenTop() + aRow - 1, FDisplayOriginCol));
}

TColor* TSioTerminalBuffer::GetLineBackColorPtr(int32_t aRow) const
{
  return static_cast<TColor*>(FBackColorMatrix->GetItemPtr(ScreenTop() + aRow - 1, FDisplayOriginCol));
}

bool TSioTerminalBuffer::GetInvalidRect(TRect& aRect)
{
  if (!FHaveInvalid)
    return false;
  aRect = FInvalid;
  FHaveInvalid = false;
  return true;
}
