// The values a series writes into a chart file besides its published
// properties: its several sources, its custom axes, and the binary "Data"
// (the points) and "Detail" (the detail series).
//
// "Data": a flags byte (SeriesGuessContents), the point count as int32,
// then per point: [position double] mandatory double [colour int32]
// [label] extra doubles [mark position, 34 bytes] [picture], the bracketed
// fields present by flag. All numbers little-endian. A label is written as
// 255, an int32 length and that many Windows-1252 bytes; read also in the
// older form of one length byte (0..254) and the bytes. A picture is a 0
// or 1 byte, after 1 a whole component stream of a TZuzPictureComponent.
// "Detail": the aggregate byte, an int32 count, that many component
// streams of series.
//
// The values are read from chart files, that is from outside: each is
// decoded whole, every length and count checked against the bytes that
// remain, before the series changes.
#include "chart/core/ChartSeries.h"

#include "chart/canvas/ZuzPicture.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartCustomAxes.h"
#include "chart/core/CustomAxisPanel.h"
#include "chart/core/LabelsList.h"
#include "chart/core/SeriesDetail.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZuzPictureComponent.h"
#include "chart/core/ZuzPictureList.h"
#include "platform/ClassRegistry.h"
#include "platform/Filer.h"
#include "rtl/Streams.h"
#include "rtl/Strings.h"

#include <QScopeGuard>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr uint8_t dfPositions = 1;
constexpr uint8_t dfColors = 2;
constexpr uint8_t dfLabels = 4;
constexpr uint8_t dfMarkPositions = 8;
constexpr uint8_t dfPictures = 16;
constexpr uint8_t dfAll = dfPositions | dfColors | dfLabels | dfMarkPositions | dfPictures;
constexpr int32_t MarkPositionSize = 34;
constexpr uint8_t LongLabel = 255;

[[noreturn]] void Damaged(const String& Why) { throw EReadError(QStringLiteral("Damaged series data: %1").arg(Why)); }

// ---- writing, little-endian whatever the machine

void PutByte(TStream& S, uint8_t V) { S.WriteBuffer(&V, 1); }

void PutInt32(TStream& S, int32_t V)
{
  const uint32_t U = static_cast<uint32_t>(V);
  const uint8_t B[4] = {static_cast<uint8_t>(U), static_cast<uint8_t>(U >> 8), static_cast<uint8_t>(U >> 16),
                        static_cast<uint8_t>(U >> 24)};
  S.WriteBuffer(B, 4);
}

void PutDouble(TStream& S, double V)
{
  uint64_t U;
  std::memcpy(&U, &V, 8);
  uint8_t B[8];
  for (int I = 0; I < 8; ++I)
    B[I] = static_cast<uint8_t>(U >> (8 * I));
  S.WriteBuffer(B, 8);
}

// ---- reading: a cursor over the whole value that refuses to pass its end

class TDataCursor {
public:
  explicit TDataCursor(QByteArray Bytes) : FBytes(std::move(Bytes)) {}

  qsizetype Remaining() const { return FBytes.size() - FPos; }
  qsizetype Position() const { return FPos; }
  void SetPosition(qsizetype P) { FPos = P; }
  const QByteArray& Bytes() const { return FBytes; }

  // What is being read, for the error text.
  void SetContext(const String& Where) { FWhere = Where; }

  void Need(qsizetype N) const
  {
    if (N > Remaining())
      Damaged(QStringLiteral("%1 needs %2 bytes but only %3 remain").arg(FWhere).arg(N).arg(Remaining()));
  }
  uint8_t Byte()
  {
    Need(1);
    return static_cast<uint8_t>(FBytes[FPos++]);
  }
  bool Flag()
  {
    const uint8_t B = Byte();
    if (B > 1)
      Damaged(QStringLiteral("%1 holds %2 where 0 or 1 belongs").arg(FWhere).arg(B));
    return B == 1;
  }
  int32_t Int32()
  {
    Need(4);
    uint32_t U = 0;
    for (int I = 0; I < 4; ++I)
      U |= static_cast<uint32_t>(static_cast<uint8_t>(FBytes[FPos + I])) << (8 * I);
    FPos += 4;
    return static_cast<int32_t>(U);
  }
  double Double()
  {
    Need(8);
    uint64_t U = 0;
    for (int I = 0; I < 8; ++I)
      U |= static_cast<uint64_t>(static_cast<uint8_t>(FBytes[FPos + I])) << (8 * I);
    FPos += 8;
    double V;
    std::memcpy(&V, &U, 8);
    return V;
  }
  QByteArray Take(qsizetype N)
  {
    Need(N);
    QByteArray R = FBytes.mid(FPos, N);
    FPos += N;
    return R;
  }

private:
  QByteArray FBytes;
  qsizetype FPos = 0;
  String FWhere;
};

QByteArray ReadRest(TStream& Stream)
{
  const int64_t N = Stream.Size() - Stream.Position();
  QByteArray Bytes;
  if (N <= 0)
    return Bytes;
  if (N > MaxMemoryStreamSize)
    Damaged(QStringLiteral("the value is too large"));
  Bytes.resize(static_cast<qsizetype>(N));
  Stream.ReadBuffer(Bytes.data(), static_cast<int32_t>(N));
  return Bytes;
}

// Series inside the detail of series inside the detail ...: each level is a
// reader of its own, so the readers' own nesting limit does not see them.
constexpr int32_t MaxNestedData = 16;
thread_local int32_t NestedData = 0;

// One component stream read from the cursor's position on; the cursor
// moves past it. Only classes inheriting Base may be made.
std::unique_ptr<TComponent> ReadNestedComponent(TDataCursor& C, const TClassInfo* Base)
{
  if (NestedData >= MaxNestedData)
    Damaged(QStringLiteral("series data nested more than %1 deep").arg(MaxNestedData));
  ++NestedData;
  const auto Leave = qScopeGuard([] { --NestedData; });
  TBytesStream S(C.Bytes());
  S.SetPosition(C.Position());
  std::unique_ptr<TComponent> Result;
  try {
    Result.reset(ReadComponentFromStream(S, nullptr, Base));
  } catch (const EClassNotFound&) {
    throw;
  } catch (const Exception& E) {
    Damaged(QStringLiteral("a component inside it does not read (%1)").arg(E.Message()));
  }
  C.SetPosition(static_cast<qsizetype>(S.Position()));
  return Result;
}

// The point of a "Data" value, decoded before the series changes.
struct TStagedPoint {
  double A = 0;
  double B = 0;
  TColor Color = clDefault;
  String Label;
  std::vector<double> Extra;
  TSeriesMarkPosition Mark;
  std::unique_ptr<TZuzPicture> Picture;
};

} // namespace

uint8_t SeriesGuessContents(const TChartSeries* Series)
{
  uint8_t Flags = 0;
  if (HasNoMandatoryValues(Series))
    Flags |= dfPositions;
  if (HasColors(Series))
    Flags |= dfColors;
  if (HasLabels(Series))
    Flags |= dfLabels;
  if (const TSeriesMarks* M = Series->MarksIfAny(); M && M->Positions().ExistCustom())
    Flags |= dfMarkPositions;
  if (const TZuzPictureList* P = Series->PicturesIfAny(); P && P->Count() > 0 && P->Stored)
    Flags |= dfPictures;
  return Flags;
}

// ---------------------------------------------------------------------------
// The defined properties

void TChartSeries::DefineProperties(TFiler* Filer)
{
  TCustomChartSeries::DefineProperties(Filer);
  Filer->DefineProperty(
      QStringLiteral("DataSources"),
      [this](TReader& R) {
        R.ReadListBegin();
        std::vector<String> Names;
        while (!R.EndOfList())
          Names.push_back(R.ReadString());
        R.ReadListEnd();
        FTempDataSources = std::move(Names);
      },
      [this](TWriter& W) {
        W.WriteListBegin();
        for (TComponent* C : FDataSources)
          W.WriteString(C->Name());
        W.WriteListEnd();
      },
      FDataSources.size() > 1);
  const auto ReadAxis = [this](TReader& R, bool Horizontal) {
    const int32_t Index = R.ReadInteger();
    if (!FParent)
      return;
    TChartCustomAxes* Axes = FParent->CustomAxes();
    if (Index < 0 || Index >= Axes->Count())
      throw EReadError(QStringLiteral("Custom axis %1 does not exist").arg(Index));
    if (Horizontal)
      SetCustomHorizAxis(Axes->Get(Index));
    else
      SetCustomVertAxis(Axes->Get(Index));
  };
  Filer->DefineProperty(
      QStringLiteral("CustomHorizAxis"), [ReadAxis](TReader& R) { ReadAxis(R, true); },
      [this](TWriter& W) { W.WriteInteger(FCustomHorizAxis->Index()); }, FCustomHorizAxis != nullptr);
  Filer->DefineProperty(
      QStringLiteral("CustomVertAxis"), [ReadAxis](TReader& R) { ReadAxis(R, false); },
      [this](TWriter& W) { W.WriteInteger(FCustomVertAxis->Index()); }, FCustomVertAxis != nullptr);

  bool StoreData = IsDataStored();
  if (StoreData && Filer->Ancestor())
    if (auto* A = dynamic_cast<TChartSeries*>(Filer->Ancestor()))
      StoreData = !SameData(A);
  Filer->DefineBinaryProperty(
      QStringLiteral("Data"), [this](TStream& S) { ReadData(S); }, [this](TStream& S) { WriteData(S); }, StoreData);
  Filer->DefineBinaryProperty(
      QStringLiteral("Detail"), [this](TStream& S) { ReadDetail(S); }, [this](TStream& S) { WriteDetail(S); },
      StoreData && FDetail != nullptr);
}

bool TChartSeries::IsDataStored() const { return ForceSaveData || (ManualData && !DontSaveData); }

bool TChartSeries::SameData(TChartSeries* Ancestor)
{
  TBytesStream Mine, Theirs;
  WriteData(Mine);
  Ancestor->WriteData(Theirs);
  return Mine.Bytes() == Theirs.Bytes();
}

// ---------------------------------------------------------------------------
// "Data"

void TChartSeries::WriteData(TStream& Stream)
{
  const uint8_t Flags = SeriesGuessContents(this);
  const int32_t N = Count();
  PutByte(Stream, Flags);
  PutInt32(Stream, N);
  const TChartValueList* Positions = NotMandatoryValueList;
  const TChartValueList* Mandatory = MandatoryValueList;
  for (int32_t I = 0; I < N; ++I) {
    const size_t U = static_cast<size_t>(I);
    if (Flags & dfPositions)
      PutDouble(Stream, Positions->Value[U]);
    PutDouble(Stream, Mandatory->Value[U]);
    if (Flags & dfColors)
      PutInt32(Stream, static_cast<int32_t>(InternalColor(I)));
    if (Flags & dfLabels) {
      const AnsiString Label = ToAnsi(XLabel(I));
      PutByte(Stream, LongLabel);
      PutInt32(Stream, static_cast<int32_t>(Label.size()));
      Stream.WriteBuffer(Label.constData(), static_cast<int32_t>(Label.size()));
    }
    for (int32_t L = 2; L < FValuesList.Count(); ++L)
      PutDouble(Stream, FValuesList[L]->Value[U]);
    if (Flags & dfMarkPositions) {
      // Every point writes a position, an automatic one when it has none.
      const TSeriesMarkPosition& P = FMarks->Positions().Slot(I);
      PutInt32(Stream, P.ArrowFrom.X);
      PutInt32(Stream, P.ArrowFrom.Y);
      PutByte(Stream, P.ArrowFix ? 1 : 0);
      PutInt32(Stream, P.ArrowTo.X);
      PutInt32(Stream, P.ArrowTo.Y);
      PutByte(Stream, P.Custom ? 1 : 0);
      PutInt32(Stream, P.Height);
      PutInt32(Stream, P.LeftTop.X);
      PutInt32(Stream, P.LeftTop.Y);
      PutInt32(Stream, P.Width);
    }
    if (Flags & dfPictures) {
      TZuzPicture* Picture = FPictures->Get(I);
      PutByte(Stream, Picture ? 1 : 0);
      if (Picture) {
        TZuzPictureComponent Wrapper(nullptr, Picture);
        const auto GiveBack = qScopeGuard([&Wrapper] { Wrapper.Release(); });
        WriteComponentToStream(Stream, &Wrapper);
      }
    }
  }
}

void TChartSeries::ReadData(TStream& Stream)
{
  TDataCursor C(ReadRest(Stream));
  C.SetContext(QStringLiteral("the header"));
  const uint8_t Flags = C.Byte();
  if (Flags & ~dfAll)
    Damaged(QStringLiteral("unknown flags %1").arg(Flags));
  const int32_t N = C.Int32();
  if (N < 0)
    Damaged(QStringLiteral("negative point count %1").arg(N));
  const int32_t Extra = std::max(FValuesList.Count() - 2, 0);
  // The smallest record the flags allow bounds the count before anything
  // is allocated for it.
  const qsizetype MinRecord = 8 + ((Flags & dfPositions) ? 8 : 0) + ((Flags & dfColors) ? 4 : 0) +
                              ((Flags & dfLabels) ? 1 : 0) + qsizetype(Extra) * 8 +
                              ((Flags & dfMarkPositions) ? MarkPositionSize : 0) + ((Flags & dfPictures) ? 1 : 0);
  if (qsizetype(N) > C.Remaining() / MinRecord)
    Damaged(QStringLiteral("%1 points declared but %2 bytes hold at most %3")
                .arg(N)
                .arg(C.Remaining())
                .arg(C.Remaining() / MinRecord));

  std::vector<TStagedPoint> Points(static_cast<size_t>(N));
  const TClassInfo* PictureBase = ClassInfoFor<TZuzPictureComponent>();
  for (int32_t I = 0; I < N; ++I) {
    TStagedPoint& P = Points[static_cast<size_t>(I)];
    C.SetContext(QStringLiteral("point %1 of %2").arg(I).arg(N));
    P.A = (Flags & dfPositions) ? C.Double() : I;
    P.B = C.Double();
    if (Flags & dfColors)
      P.Color = static_cast<TColor>(C.Int32());
    if (Flags & dfLabels) {
      const uint8_t B = C.Byte();
      qsizetype Length = B;
      if (B == LongLabel) {
        const int32_t L = C.Int32();
        if (L < 0)
          Damaged(QStringLiteral("the label of point %1 has the length %2").arg(I).arg(L));
        Length = L;
      }
      P.Label = FromAnsi(C.Take(Length));
    }
    P.Extra.resize(static_cast<size_t>(Extra));
    for (double& V : P.Extra)
      V = C.Double();
    if (Flags & dfMarkPositions) {
      C.Need(MarkPositionSize);
      TSeriesMarkPosition& M = P.Mark;
      M.ArrowFrom.X = C.Int32();
      M.ArrowFrom.Y = C.Int32();
      M.ArrowFix = C.Flag();
      M.ArrowTo.X = C.Int32();
      M.ArrowTo.Y = C.Int32();
      M.Custom = C.Flag();
      M.Height = C.Int32();
      M.LeftTop.X = C.Int32();
      M.LeftTop.Y = C.Int32();
      M.Width = C.Int32();
    }
    if ((Flags & dfPictures) && C.Flag()) {
      std::unique_ptr<TComponent> Read = ReadNestedComponent(C, PictureBase);
      auto* Wrapper = static_cast<TZuzPictureComponent*>(Read.get());
      P.Picture.reset(Wrapper->Release());
    }
  }
  if (C.Remaining() > 0)
    Damaged(QStringLiteral("%1 bytes follow the last of %2 points").arg(C.Remaining()).arg(N));

  // Everything read: now the series changes.
  Clear();
  FDetail.reset();
  if (FPictures)
    FPictures->Clear();
  const bool Horizontal = MandatoryValueList == FX;
  {
    BeginUpdate();
    const auto End = qScopeGuard([this] { EndUpdate(); });
    for (int32_t I = 0; I < N; ++I) {
      TStagedPoint& P = Points[static_cast<size_t>(I)];
      for (int32_t L = 0; L < Extra; ++L)
        FValuesList[L + 2]->SetTempValue(P.Extra[static_cast<size_t>(L)]);
      if (Horizontal)
        AddXY(P.B, P.A, P.Label, P.Color);
      else
        AddXY(P.A, P.B, P.Label, P.Color);
      if (Flags & dfMarkPositions)
        Marks()->Positions().Slot(I) = P.Mark;
      if (P.Picture)
        Pictures()->Put(I, P.Picture.release());
    }
  }
  ManualData = true;
}

// ---------------------------------------------------------------------------
// "Detail"

void TChartSeries::WriteDetail(TStream& Stream)
{
  TSeriesDetail* D = Detail();
  PutByte(Stream, static_cast<uint8_t>(D->Aggregate()));
  PutInt32(Stream, D->Count());
  for (TChartSeries* S : *D)
    WriteComponentToStream(Stream, S);
}

void TChartSeries::ReadDetail(TStream& Stream)
{
  TDataCursor C(ReadRest(Stream));
  C.SetContext(QStringLiteral("the detail header"));
  const uint8_t Aggregate = C.Byte();
  if (Aggregate > daMax)
    Damaged(QStringLiteral("unknown detail aggregate %1").arg(Aggregate));
  const int32_t M = C.Int32();
  // A component stream takes more than four bytes (its signature alone).
  if (M < 0 || qsizetype(M) > C.Remaining() / 4)
    Damaged(QStringLiteral("%1 detail series declared in %2 bytes").arg(M).arg(C.Remaining()));
  std::vector<std::unique_ptr<TComponent>> Read;
  const TClassInfo* SeriesBase = ClassInfoFor<TChartSeries>();
  for (int32_t I = 0; I < M; ++I) {
    C.SetContext(QStringLiteral("detail series %1 of %2").arg(I).arg(M));
    Read.push_back(ReadNestedComponent(C, SeriesBase));
  }
  if (C.Remaining() > 0)
    Damaged(QStringLiteral("%1 bytes follow the last of %2 detail series").arg(C.Remaining()).arg(M));
  // The detail list frees the series it held.
  FDetail.reset();
  TSeriesDetail* D = Detail();
  D->SetAggregate(static_cast<TDetailAggregate>(Aggregate));
  for (auto& S : Read) {
    auto* Series = static_cast<TChartSeries*>(S.release());
    Series->ParentSeries = this;
    D->Add(Series);
  }
}
