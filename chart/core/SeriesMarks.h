#pragma once
// The marks of a series: a small framed text next to each visible point
// (its value, label, percentage ... by Style), with an optional arrow
// (callout line, with a pointer or an arrow head) from the point, a tail
// on the frame, a coloured symbol inside, per-point overrides of format
// and text (Items), positions the user may fix (Positions), thinning to
// one mark every DrawEvery points (more when the points are dense), and an
// anti-overlap rule that moves a mark clear of the marks drawn before it,
// or drops it.
//
// The series decides which points get a mark and what it says (its
// DrawMarks, GetMarkText); this object places and draws one.
//
// Published (default): Angle (0), Arrow, ArrowLength (never stored),
// AutoPosition (True), BackColor ($E1FFFF), Callout, Clip (False),
// DrawEvery (1), MultiLine (False), SoftClip (False), Symbol, Tail,
// TextAlign (taCenter), UseImages (miSymbol), UseSeriesTransparency
// (True), Color ($E1FFFF), RoundSize (4), ShapeStyle (fosRoundRectangle),
// Style (smsLabelOrValue), Visible (False); besides them "Items" (the
// per-point items, binary). Main thread only.
#include "chart/core/SeriesPointer.h"
#include "chart/core/TextShape.h"

#include <memory>
#include <vector>

class TChartSeries;
class TSeriesMarks;
class TStringList;
class TStream;
class TWhitePen;

enum TSeriesMarksStyle : uint8_t {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue,
  smsXY,
  smsSeriesTitle,
  smsPointIndex,
  smsPercentRelative,
  smsLabelPercentValue,
  smsLabelOrValue
};
enum TSeriesMarksImages : uint8_t { miSymbol, miOnly, miNone };
enum TArrowHeadStyle : uint8_t { ahNone, ahLine, ahSolid };
enum TTailAlign : uint8_t { ttaNear, ttaCenter, ttaFar };
enum TTailEdge : uint8_t { tteLeft, tteTop, tteRight, tteBottom };

// Where one mark goes, in pixels.
class TSeriesMarkPosition {
public:
  void Assign(const TSeriesMarkPosition& Source) { *this = Source; }
  TRect Bounds() const { return TRect{LeftTop.X, LeftTop.Y, LeftTop.X + Width, LeftTop.Y + Height}; }
  // Moves the mark and its arrow end (not the arrow start).
  void Offset(const TPoint& P);

  TPoint ArrowFrom;
  bool ArrowFix = false;
  TPoint ArrowTo;
  bool Custom = false;
  int32_t Height = 0;
  TPoint LeftTop;
  int32_t Width = 0;
  TPoint MidPoint;
  bool HasMid = false;
};

class TSeriesMarksPositions : public TObject {
public:
  explicit TSeriesMarksPositions(TSeriesMarks* AMarks);
  ~TSeriesMarksPositions() override;
  String ClassName() const override;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // nullptr past the end or for an empty entry.
  TSeriesMarkPosition* Get(int32_t Index) const;
  // Grows the list, makes the entry, marks it custom and copies Position
  // in (whose Custom wins).
  void Put(int32_t Index, const TSeriesMarkPosition& Position);
  // Clears Custom of an existing entry.
  void Automatic(int32_t Index);
  bool ExistCustom() const;
  // The mark at (X, Y): arrow at the point, the mark above it.
  void MoveTo(TSeriesMarkPosition& Position, int32_t X, int32_t Y);
  void Delete(int32_t Index);
  void DeleteMany(int32_t Start, int32_t Quantity);
  void Clear() { FItems.clear(); }
  // The entry for Index, made (not custom) when missing.
  TSeriesMarkPosition& Slot(int32_t Index);

private:
  std::vector<std::unique_ptr<TSeriesMarkPosition>> FItems;
  TSeriesMarks* IMarks;
};

// A marks child's text style.
class TSeriesMarkShape : public TCustomTextShape {
public:
  explicit TSeriesMarkShape(TCustomZuzPanel* AOwner);
  String ClassName() const override;
  TSeriesMarksStyle Style() const { return FMarkerStyle; }
  void SetStyle(TSeriesMarksStyle Value);
  TSeriesMarks* IParent = nullptr;

protected:
  TSeriesMarksStyle FMarkerStyle = smsLabelOrValue;
};

// The per-point override of a mark's format and text.
class TMarksItem : public TCustomTextShape {
public:
  explicit TMarksItem(TCustomZuzPanel* AOwner);
  ~TMarksItem() override;
  String ClassName() const override;
  // The text as lines, made on first read.
  TStringList* GetText();
  // nullptr: no text of its own.
  void SetText(TStringList* Value);
  bool ICustomText = false;

protected:
  void ChangedText() override;

private:
  void TextChanged();
  std::unique_ptr<TStringList> IText;
  bool IChanging = false;
};

// A speech-bubble spike on one edge of a mark's frame.
class TMarksTail : public TPersistent {
public:
  explicit TMarksTail(TChartSeries* ASeries);
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  // The frame R with its spike towards the point, seven points from the
  // top-left corner round.
  std::vector<TPoint> GetPoints(const TRect& R, const TPoint& From, const TPoint& To);

  bool AutoAlign() const { return FAutoAlign; }
  void SetAutoAlign(bool Value);
  bool CustomPoint() const { return FCustomPoint; }
  void SetCustomPoint(bool Value);
  TPoint CustomPointPos() const { return FCustomPointPos; }
  void SetCustomPointPos(const TPoint& Value);
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value);
  TTailAlign Align() const { return FAlign; }
  void SetAlign(TTailAlign Value);
  int32_t Margin() const { return FMargin; }
  void SetMargin(int32_t Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value);
  TTailEdge Edge() const { return FEdge; }
  void SetEdge(TTailEdge Value);

private:
  template <class T>
  void Change(T& Field, T Value);
  bool FAutoAlign = true;
  bool FCustomPoint = false;
  TPoint FCustomPointPos;
  int32_t FHeight = 8;
  TTailAlign FAlign = ttaCenter;
  int32_t FMargin = 0;
  bool FVisible = false;
  int32_t FWidth = 8;
  TTailEdge FEdge = tteBottom;
  TChartSeries* ISeries;
};

// A pointer that also draws a line (callouts of marks and annotations).
class TCallout : public TSeriesPointer {
public:
  explicit TCallout(TChartSeries* ASeries);
  ~TCallout() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  // The line from the mark to the point (or an arrow), then the pointer at
  // the point.
  void Draw(TColor AColor, const TPoint& From, const TPoint& Mid, const TPoint& To, int32_t AZ, bool HasMid);

  TWhitePen* Arrow() const { return FArrow.get(); }
  void SetArrow(TWhitePen* Value);
  TArrowHeadStyle ArrowHead() const { return FArrowHead; }
  void SetArrowHead(TArrowHeadStyle Value);
  int32_t ArrowHeadSize() const { return FArrowHeadSize; }
  void SetArrowHeadSize(int32_t Value);
  int32_t Distance() const { return FDistance; }
  void SetDistance(int32_t Value);

private:
  std::unique_ptr<TWhitePen> FArrow;
  TArrowHeadStyle FArrowHead = ahNone;
  int32_t FDistance = 0;
  int32_t FArrowHeadSize = 8;
};

class TMarksCallout : public TCallout {
public:
  explicit TMarksCallout(TChartSeries* ASeries);
  String ClassName() const override;
  void Assign(TPersistent* Source) override;
  // The mark moves up by Length + Distance; the arrow starts Distance
  // above the point.
  void ApplyArrowLength(TSeriesMarkPosition& Position) const;
  int32_t Length() const { return FLength; }
  void SetLength(int32_t Value);
  bool IsLengthStored() const { return FLength != DefaultLength; }
  int32_t DefaultLength = 8;

private:
  int32_t FLength = 8;
};

// The small square inside a mark, in the point's colour.
class TSeriesMarksSymbol : public TZuzCustomShape {
public:
  explicit TSeriesMarksSymbol(TCustomZuzPanel* AOwner);
  String ClassName() const override;
  bool ShouldDraw() const { return Visible() && !Transparent(); }
};

class TSeriesMarks : public TSeriesMarkShape {
public:
  explicit TSeriesMarks(TChartSeries* ASeries);
  ~TSeriesMarks() override;
  String ClassName() const override;
  // Settings, items (as copies) and the text box's; not the positions.
  void Assign(TPersistent* Source) override;
  // "Items".
  void DefineProperties(TFiler* Filer) override;
  void SetParent(TCustomZuzPanel* Value) override;

  // ---- Parts made on first use ----
  TMarksCallout* Callout();
  TMarksCallout* CalloutIfAny() const { return FCallout.get(); }
  void SetCallout(TMarksCallout* Value);
  TSeriesMarksSymbol* Symbol();
  TSeriesMarksSymbol* SymbolIfAny() const { return FSymbol.get(); }
  void SetSymbol(TSeriesMarksSymbol* Value);
  TMarksTail* Tail();
  TMarksTail* TailIfAny() const { return FTail.get(); }
  void SetTail(TMarksTail* Value);
  TAutomaticText* Automatic() const { return FAutomatic.get(); }

  // ---- Per point ----
  // The item of a point, made (as a copy of the marks) with empty entries
  // before it.
  TMarksItem* Item(int32_t Index);
  // The item of a point when it has one, else the marks themselves.
  TCustomTextShape* MarkItem(int32_t Index) const;
  int32_t ItemCount() const { return static_cast<int32_t>(FItems.size()); }
  TSeriesMarksPositions& Positions() const { return *FPositions; }
  void ResetPositions();
  // The series cleared its values: positions go, items unless read from
  // a file.
  void Clear();
  // A point was deleted.
  void Delete(int32_t Index);

  // ---- Placing and drawing ----
  // At most one mark per two pixels along the mandatory axis' other side.
  int32_t CalcEvery() const;
  // Takes a custom position, or remembers the computed one.
  void UsePosition(int32_t Index, TSeriesMarkPosition& Position);
  // Moves the mark clear of earlier ones; False when it cannot.
  bool AntiOverlap(int32_t First, int32_t Index, TSeriesMarkPosition& Position);
  // The box, frame, shadow and emboss of a mark.
  TRect TotalBounds(int32_t Index, const TSeriesMarkPosition& Position) const;
  // The mark's top-left corner as drawn (projected in a 3D chart).
  TPoint ConvertTo2D(const TPoint& ArrowTo, const TPoint& LeftTop) const;
  void InternalDraw(int32_t Index, TColor AColor, const String& Text, TSeriesMarkPosition& Position);
  void DrawItem(TCustomTextShape* Shape, TColor AColor, const String& Text, TSeriesMarkPosition& Position);
  void ApplyArrowLength(TSeriesMarkPosition& Position);
  // The pixel width of a point's mark text.
  int32_t TextWidth(int32_t Index);
  // The mark under P, or -1.
  int32_t Clicked(const TPoint& P);
  int32_t Clicked(int32_t X, int32_t Y) { return Clicked(TPoint{X, Y}); }

  // ---- Settings ----
  int32_t Angle() const { return FAngle; }
  void SetAngle(int32_t Value);
  TWhitePen* Arrow();
  void SetArrow(TWhitePen* Value);
  int32_t ArrowLength();
  void SetArrowLength(int32_t Value);
  bool AutoPosition() const;
  void SetAutoPosition(bool Value);
  TColor BackColor() const { return Color(); }
  void SetBackColor(TColor Value) { SetColor(Value); }
  bool Clip() const { return FClip; }
  void SetClip(bool Value);
  int32_t DrawEvery() const { return FDrawEvery; }
  void SetDrawEvery(int32_t Value);
  bool FontSeriesColor() const { return FFontSeriesColor; }
  void SetFontSeriesColor(bool Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  bool OnTop() const { return FOnTop; }
  void SetOnTop(bool Value);
  bool SoftClip() const { return FSoftClip; }
  void SetSoftClip(bool Value);
  TAlignment TextAlign() const { return TextAlignment(); }
  void SetTextAlign(TAlignment Value) { SetTextAlignment(Value); }
  TSeriesMarksImages UseImages() const { return FUseImages; }
  void SetUseImages(TSeriesMarksImages Value);
  bool UseSeriesTransparency() const { return FUseSeriesTransparency; }
  void SetUseSeriesTransparency(bool Value);
  int32_t ZPosition = 0;
  TChartSeries* Series() const { return FSeries; }

protected:
  void InitShadow(TZuzShadow* AShadow) override;
  void InitEmboss(TZuzEmboss* AEmboss) override;

private:
  void RepaintSeries();
  void ReadItems(TStream& Stream);
  void WriteItems(TStream& Stream);

  int32_t FAngle = 0;
  std::unique_ptr<TAutomaticText> FAutomatic;
  std::unique_ptr<TMarksCallout> FCallout;
  bool FClip = false;
  int32_t FDrawEvery = 1;
  bool FFontSeriesColor = false;
  std::vector<std::unique_ptr<TMarksItem>> FItems;
  bool FMultiLine = false;
  bool FOnTop = false;
  std::unique_ptr<TSeriesMarksPositions> FPositions;
  TSeriesMarksImages FUseImages = miSymbol;
  bool FUseSeriesTransparency = true;
  TChartSeries* FSeries;
  bool FSoftClip = false;
  std::unique_ptr<TSeriesMarksSymbol> FSymbol;
  std::unique_ptr<TMarksTail> FTail;
  bool ILoadingCustom = false;
};
