// The string grid's settings kept outside the program: column sizes and
// positions in an INI file or the registry stand-in, the column-states
// string, the visual-properties file and the print settings section; and
// the settings objects these read.
#include "grid/core/ZurEvoderOzod.h"

#include "grid/base/IntList.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/ControlLook.h"
#include "grid/core/GridSettings.h"
#include "grid/core/PrintSettings.h"
#include "platform/CanvasTypeInfo.h"
#include "platform/Graphics.h"
#include "platform/TypInfo.h"
#include "rtl/Exceptions.h"
#include "rtl/IniFile.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"
#include "rtl/Strings.h"
#include "rtl/TextFile.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString ColKey = QStringLiteral("Col");
const QString PosKey = QStringLiteral("Pos");

} // namespace

// ---------------------------------------------------------------- settings objects

void TZurEvoderOzod::SetSizeWhileTyping(TSizeWhileTyping* Value)
{
  if (Value) {
    FSizeWhileTyping->SetHeight(Value->Height());
    FSizeWhileTyping->SetWidth(Value->Width());
  }
}

void TZurEvoderOzod::SetHTMLSettings(THTMLSettings* Value) { FHTMLSettings->Assign(Value); }

void TZurEvoderOzod::SetPrintSettings(TPrintSettings* Value) { FPrintSettings->Assign(Value); }

// ---------------------------------------------------------------- column sizes and positions

std::unique_ptr<TIniFile> TZurEvoderOzod::OpenColumnStore()
{
  if (FColumnSize->Key().isEmpty() || FColumnSize->Section().isEmpty() || (ComponentState() & csDesigning))
    return nullptr;
  if (FColumnSize->Location() == clIniFile)
    return std::make_unique<TMemIniFile>(FColumnSize->Key());
  return std::make_unique<TRegistryIniFile>(FColumnSize->Key());
}

// Widths are kept per real column, the remembered width of a hidden one
// included: the grid saves them when it is freed, while the application's
// columns are still hidden, and loads them when it is made, before they are
// hidden again. Keys by display index would give every column right of a
// hidden one its neighbour's width.
void TZurEvoderOzod::SaveColSizes()
{
  const std::unique_ptr<TIniFile> Store = OpenColumnStore();
  if (!Store)
    return;
  for (int32_t C = 0; C < AllColCount(); ++C)
    Store->WriteInteger(FColumnSize->Section(), ColKey + IntToStr(C), AllColWidths(C));
  Store->UpdateFile();
}

void TZurEvoderOzod::LoadColSizes()
{
  const std::unique_ptr<TIniFile> Store = OpenColumnStore();
  if (!Store)
    return;
  for (int32_t C = 0; C < AllColCount(); ++C) {
    const int32_t Old = AllColWidths(C);
    const int32_t W = Store->ReadInteger(FColumnSize->Section(), ColKey + IntToStr(C), Old);
    // A width the file cannot mean (negative, or beyond what a column can
    // hold) keeps the column as it is.
    if (W != Old && W >= 0 && W <= INT16_MAX)
      SetAllColWidths(C, W);
  }
  Store->UpdateFile();
}

void TZurEvoderOzod::SaveColPositions()
{
  const std::unique_ptr<TIniFile> Store = OpenColumnStore();
  if (!Store)
    return;
  for (int32_t K = 0; K < FColumnOrder->Count(); ++K)
    Store->WriteInteger(FColumnSize->Section(), PosKey + IntToStr(K), FColumnOrder->GetInteger(K));
  Store->UpdateFile();
}

void TZurEvoderOzod::LoadColPositions()
{
  const std::unique_ptr<TIniFile> Store = OpenColumnStore();
  if (!Store)
    return;
  const String& Section = FColumnSize->Section();
  if (Store->ReadInteger(Section, PosKey + QLatin1Char('0'), -1) != -1) {
    std::vector<int32_t> Order;
    const int32_t N = AllColCount();
    for (int32_t K = 0; K < N; ++K) {
      const int32_t V = Store->ReadInteger(Section, PosKey + IntToStr(K), -1);
      if (V != -1)
        Order.push_back(V);
    }
    std::vector<int32_t> Hidden;
    for (int32_t C = 0; C < N; ++C)
      if (IsHiddenColumn(C))
        Hidden.push_back(FColumnOrder->Count() == N ? FColumnOrder->GetInteger(C) : C);
    ArrangeColumns(Order, Hidden);
  }
  Store->UpdateFile();
}

void TZurEvoderOzod::ArrangeColumns(const std::vector<int32_t>& Order, const std::vector<int32_t>& HiddenOriginals)
{
  UnHideColumnsAll();
  const int32_t N = ColCount();
  // What stands where now, by original column.
  if (FColumnOrder->Count() != N) {
    FColumnOrder->Clear();
    for (int32_t C = 0; C < N; ++C)
      FColumnOrder->Add(C);
  }
  for (int32_t P = 0; P < N && P < static_cast<int32_t>(Order.size()); ++P) {
    const int32_t At = FColumnOrder->IndexOf(Order[static_cast<size_t>(P)]);
    // Entries the grid cannot follow (unknown columns, repeats) are passed
    // over: a file is no reason to lose a column.
    if (At > P)
      MoveColumn(At, P);
  }
  for (int32_t C = N - 1; C >= 0; --C)
    if (std::find(HiddenOriginals.begin(), HiddenOriginals.end(), FColumnOrder->GetInteger(C)) != HiddenOriginals.end())
      HideColumn(C);
}

// ---------------------------------------------------------------- column states

String TZurEvoderOzod::ColumnStatesToString()
{
  const int32_t N = AllColCount();
  QStringList Widths, Order, Visible;
  for (int32_t I = 0; I < N; ++I) {
    Widths << IntToStr(ColWidths(I));
    Order << IntToStr(FColumnOrder->Count() > 0 && I < FColumnOrder->Count() ? FColumnOrder->GetInteger(I) : I);
    Visible << (IsHiddenColumn(I) ? QStringLiteral("0") : QStringLiteral("1"));
  }
  if (FColumnOrder->Count() > 0) {
    Order.clear();
    for (int32_t K = 0; K < FColumnOrder->Count(); ++K)
      Order << IntToStr(FColumnOrder->GetInteger(K));
  }
  return IntToStr(N) + u'#' + Widths.join(u',') + u'#' + Order.join(u',') + u'#' + Visible.join(u',');
}

void TZurEvoderOzod::StringToColumnStates(const String& Value)
{
  if (!Value.contains(u'#'))
    return;
  const QStringList Fields = Value.split(u'#');
  auto Field = [&](int I) { return I < Fields.size() ? Fields[I] : String(); };
  // The string may come from anywhere the application kept it: a count it
  // cannot mean changes nothing.
  constexpr int32_t MaxColumns = 65536;
  const int32_t Count = StrToIntDef(Field(0).trimmed(), -1);
  if (Count < 1 || Count > MaxColumns)
    return;
  FColumnOrder->Clear();
  UnHideColumnsAll();
  SetColCount(Count);

  const QStringList Written = Field(2).isEmpty() ? QStringList() : Field(2).split(u',');
  if (!Written.isEmpty()) {
    std::vector<int32_t> Order;
    for (int32_t K = 0; K < Count && K < Written.size(); ++K) {
      const int32_t V = StrToIntDef(Written[K].trimmed(), -1);
      if (V != -1)
        Order.push_back(V);
    }
    ArrangeColumns(Order, {});
    FColumnOrder->Clear();
    for (const QString& E : Written)
      FColumnOrder->Add(StrToIntDef(E.trimmed(), -1));
  }

  const QStringList Visible = Field(3).split(u',');
  for (int32_t C = std::min<int32_t>(Count, static_cast<int32_t>(Visible.size())) - 1; C >= 0; --C)
    if (Visible[C].trimmed() == QStringLiteral("0"))
      HideColumn(C);

  const bool Stretch = FColumnSize->Stretch();
  FColumnSize->SetStretch(false);
  if (Stretch) {
    const int32_t S = FColumnSize->StretchColumn() == -1 ? ColCount() - 1 : FColumnSize->StretchColumn();
    SetDefaultColWidth(ColWidths(S));
  }
  const QStringList Widths = Field(1).split(u',');
  for (int32_t I = 0; I < ColCount() && I < Widths.size(); ++I) {
    const int32_t W = StrToIntDef(Widths[I].trimmed(), -1);
    if (W > 0)
      SetColWidths(I, W);
    else if (W == 0)
      SuppressColumn(I);
  }
  FColumnSize->SetStretch(Stretch);
}

// ---------------------------------------------------------------- visual properties

namespace {

enum class TVisualKind : uint8_t { Colour, Bool, Int, Font, Enum, Look, ZIDGrad, SelectionStyle };

// One line (a font: four lines) of the visual-properties file. Path names a
// published property of the grid; a setting whose object does not publish
// it (yet) is neither written nor read.
struct TVisualRow {
  const char* Name;
  TVisualKind Kind;
  int Extra = 0; // the gradient entry of a ZIDGrad row
};

const TVisualRow VisualRows[] = {
    {"Color", TVisualKind::Colour},
    {"HintColor", TVisualKind::Colour},
    {"SelectionColor", TVisualKind::Colour},
    {"SelectionColorTo", TVisualKind::Colour},
    {"SelectionMirrorColor", TVisualKind::Colour},
    {"SelectionMirrorColorTo", TVisualKind::Colour},
    {"SelectionTextColor", TVisualKind::Colour},
    {"URLColor", TVisualKind::Colour},
    {"URLShow", TVisualKind::Bool},
    {"URLShowInText", TVisualKind::Bool},
    {"ScrollColor", TVisualKind::Colour},
    {"ActiveRowColor", TVisualKind::Colour},
    {"ActiveRowShow", TVisualKind::Bool},
    {"ActiveCellShow", TVisualKind::Bool},
    {"Font", TVisualKind::Font},
    {"ActiveCellColor", TVisualKind::Colour},
    {"ActiveCellColorTo", TVisualKind::Colour},
    {"ActiveCellFont", TVisualKind::Font},
    {"FixedFont", TVisualKind::Font},
    {"Balloon.BackgroundColor", TVisualKind::Colour},
    {"Balloon.TextColor", TVisualKind::Colour},
    {"Balloon.Transparency", TVisualKind::Int},
    {"Bands.PrimaryColor", TVisualKind::Colour},
    {"Bands.SecondaryColor", TVisualKind::Colour},
    {"Bands.Active", TVisualKind::Bool},
    {"SortSettings.IndexColor", TVisualKind::Colour},
    {"FloatingFooter.Color", TVisualKind::Colour},
    {"ControlLook.CheckSize", TVisualKind::Int},
    {"ControlLook.Color", TVisualKind::Colour},
    {"ControlLook.CommentColor", TVisualKind::Colour},
    {"ControlLook.ControlStyle", TVisualKind::Enum},
    {"ControlLook.FixedGradientFrom", TVisualKind::Colour},
    {"ControlLook.FixedGradientTo", TVisualKind::Colour},
    {"ControlLook.RadioSize", TVisualKind::Int},
    {"ControlLook.FlatButton", TVisualKind::Bool},
    {"ControlLook.ProgressBorderColor", TVisualKind::Colour},
    {"ControlLook.ProgressXP", TVisualKind::Bool},
    {"Look", TVisualKind::Look},
    {"SearchFooter.Color", TVisualKind::Colour},
    {"SearchFooter.ColorTo", TVisualKind::Colour},
    {"Grouping.HeaderColor", TVisualKind::Colour},
    {"Grouping.HeaderColorTo", TVisualKind::Colour},
    {"Grouping.HeaderTextColor", TVisualKind::Colour},
    {"Grouping.HeaderUnderline", TVisualKind::Bool},
    {"Grouping.HeaderLineColor", TVisualKind::Colour},
    {"Grouping.HeaderLineWidth", TVisualKind::Int},
    {"Grouping.SummaryColor", TVisualKind::Colour},
    {"Grouping.SummaryColorTo", TVisualKind::Colour},
    {"Grouping.SummaryTextColor", TVisualKind::Colour},
    {"Grouping.SummaryLine", TVisualKind::Bool},
    {"Grouping.SummaryLineColor", TVisualKind::Colour},
    {"Grouping.SummaryLineWidth", TVisualKind::Int},
    {"GridLineColor", TVisualKind::Colour},
    {"GridFixedLineColor", TVisualKind::Colour},
    {"BackGround.Top", TVisualKind::Int},
    {"BackGround.Left", TVisualKind::Int},
    {"BackGround.Display", TVisualKind::Enum},
    {"BackGround.Cells", TVisualKind::Enum},
    {"BackGround.Color", TVisualKind::Colour},
    {"BackGround.ColorTo", TVisualKind::Colour},
    {"ZIDGradFrom", TVisualKind::ZIDGrad, fgFrom},
    {"ZIDGradTo", TVisualKind::ZIDGrad, fgTo},
    {"ZIDGradMirrorFrom", TVisualKind::ZIDGrad, fgMirrorFrom},
    {"ZIDGradMirrorTo", TVisualKind::ZIDGrad, fgMirrorTo},
    {"SelectionStyle", TVisualKind::SelectionStyle},
};

// The order in which a loaded file is applied: the grid lines before the
// grouping, the gradient last, and the selection colours once more after
// the selection style, whose setter may change them.
const char* const LoadOrder[] = {"Color",
                                 "HintColor",
                                 "SelectionColor",
                                 "SelectionColorTo",
                                 "SelectionMirrorColor",
                                 "SelectionMirrorColorTo",
                                 "SelectionTextColor",
                                 "URLColor",
                                 "URLShow",
                                 "URLShowInText",
                                 "ScrollColor",
                                 "ActiveRowColor",
                                 "ActiveRowShow",
                                 "ActiveCellShow",
                                 "Font",
                                 "ActiveCellColor",
                                 "ActiveCellColorTo",
                                 "ActiveCellFont",
                                 "FixedFont",
                                 "Balloon.BackgroundColor",
                                 "Balloon.TextColor",
                                 "Balloon.Transparency",
                                 "Bands.PrimaryColor",
                                 "Bands.SecondaryColor",
                                 "Bands.Active",
                                 "SortSettings.IndexColor",
                                 "FloatingFooter.Color",
                                 "ControlLook.CheckSize",
                                 "ControlLook.Color",
                                 "ControlLook.CommentColor",
                                 "ControlLook.ControlStyle",
                                 "ControlLook.FixedGradientFrom",
                                 "ControlLook.FixedGradientTo",
                                 "ControlLook.RadioSize",
                                 "ControlLook.FlatButton",
                                 "ControlLook.ProgressBorderColor",
                                 "ControlLook.ProgressXP",
                                 "Look",
                                 "SearchFooter.Color",
                                 "SearchFooter.ColorTo",
                                 "GridLineColor",
                                 "GridFixedLineColor",
                                 "Grouping.HeaderColor",
                                 "Grouping.HeaderColorTo",
                                 "Grouping.HeaderTextColor",
                                 "Grouping.HeaderUnderline",
                                 "Grouping.HeaderLineColor",
                                 "Grouping.HeaderLineWidth",
                                 "Grouping.SummaryColor",
                                 "Grouping.SummaryColorTo",
                                 "Grouping.SummaryTextColor",
                                 "Grouping.SummaryLine",
                                 "Grouping.SummaryLineColor",
                                 "Grouping.SummaryLineWidth",
                                 "BackGround.Top",
                                 "BackGround.Left",
                                 "BackGround.Display",
                                 "BackGround.Cells",
                                 "BackGround.Color",
                                 "BackGround.ColorTo"};
const char* const SelectionColours[] = {"SelectionColor", "SelectionColorTo", "SelectionMirrorColor",
                                        "SelectionMirrorColorTo", "SelectionTextColor"};

const TVisualRow* FindRow(const char* Name)
{
  for (const TVisualRow& R : VisualRows)
    if (qstrcmp(R.Name, Name) == 0)
      return &R;
  return nullptr;
}

String BoolText(bool V) { return V ? QStringLiteral("true") : QStringLiteral("false"); }

String FontStyleText(TFontStyles S)
{
  QStringList Names;
  for (const String& N : SetMemberNames(FontStyleInfo, S))
    Names << N;
  return Names.join(u',');
}

TFontStyles FontStyleOf(const String& Text)
{
  TFontStyles S = 0;
  for (TFontStyle F : {fsBold, fsItalic, fsUnderline, fsStrikeOut}) {
    const String Name = FontStyleInfo.Name(F);
    if (!Name.isEmpty() && Text.contains(Name, Qt::CaseInsensitive))
      S |= FontStyleBit(F);
  }
  return S;
}

// An empty or absent colour is no colour of its own.
TColor ColourOf(const String& Text) { return Text.isEmpty() ? clNone : static_cast<TColor>(StringToColor(Text)); }

} // namespace

void TZurEvoderOzod::SaveVisualProps(const String& FileName)
{
  TextFile F;
  try {
    AssignFile(F, FileName);
    Rewrite(F);
  } catch (const EInOutError&) {
    throw Exception(QStringLiteral("Cannot Create ") + FileName);
  }
  auto Line = [&](const String& Name, const String& Value) { Writeln(F, Name + u'=' + Value); };
  for (const TVisualRow& Row : VisualRows) {
    const String Name = QString::fromLatin1(Row.Name);
    if (Row.Kind == TVisualKind::ZIDGrad) {
      Line(Name, ColorToString(static_cast<int32_t>(FZURGrad[Row.Extra])));
      continue;
    }
    if (Row.Kind == TVisualKind::Look) {
      Line(Name, GetLookAsString(FLook));
      continue;
    }
    if (Row.Kind == TVisualKind::SelectionStyle) {
      Line(Name, IntToStr(SelectionStyle()));
      continue;
    }
    TPersistent* Owner = this;
    const TPropInfo* P = FindPropPath(Owner, Name);
    if (!P)
      continue;
    switch (Row.Kind) {
    case TVisualKind::Colour:
      Line(Name, ColorToString(static_cast<int32_t>(GetOrdProp(Owner, P))));
      break;
    case TVisualKind::Bool:
      Line(Name, BoolText(GetOrdProp(Owner, P) != 0));
      break;
    case TVisualKind::Int:
      Line(Name, IntToStr(static_cast<int32_t>(GetOrdProp(Owner, P))));
      break;
    case TVisualKind::Enum:
      Line(Name, GetEnumProp(Owner, P));
      break;
    case TVisualKind::Font:
      if (auto* Font = dynamic_cast<TFont*>(GetObjectProp(Owner, P))) {
        Line(Name + QStringLiteral(".Color"), ColorToString(static_cast<int32_t>(Font->Color())));
        Line(Name + QStringLiteral(".Style"), FontStyleText(Font->Style()));
        Line(Name + QStringLiteral(".Size"), IntToStr(Font->Size()));
        Line(Name + QStringLiteral(".Name"), Font->Name());
      }
      break;
    default:
      break;
    }
  }
  CloseFile(F);
}

void TZurEvoderOzod::LoadVisualProps(const String& FileName)
{
  TStringList Lines;
  {
    TextFile F;
    try {
      AssignFile(F, FileName);
      Reset(F);
    } catch (const EInOutError&) {
      throw Exception(QStringLiteral("Cannot open file ") + FileName);
    }
    while (!Eof(F)) {
      String S;
      Readln(F, S);
      Lines.Add(S);
    }
    CloseFile(F);
  }
  auto Apply = [&](const char* RowName) {
    const TVisualRow* Row = FindRow(RowName);
    const String Name = QString::fromLatin1(Row->Name);
    const String Value = Lines.Values(Name);
    if (Row->Kind == TVisualKind::SelectionStyle) {
      const int32_t V = StrToInt(Value);
      if (V >= ssDefault && V <= ssOffice2007)
        SetSelectionStyle(static_cast<TGridSelectionStyle>(V));
      return;
    }
    if (Row->Kind == TVisualKind::Look) {
      for (int32_t L = glStandard; L < glCustom; ++L)
        if (!Value.isEmpty() && AnsiSameText(Value, GetLookAsString(static_cast<TGridLook>(L))))
          SetLook(static_cast<TGridLook>(L));
      return;
    }
    TPersistent* Owner = this;
    const TPropInfo* P = FindPropPath(Owner, Name);
    if (!P)
      return;
    switch (Row->Kind) {
    case TVisualKind::Colour:
      SetOrdProp(Owner, P, ColourOf(Value));
      break;
    case TVisualKind::Bool:
      SetOrdProp(Owner, P, AnsiSameText(Value, QStringLiteral("true")) ? 1 : 0);
      break;
    case TVisualKind::Int:
      SetOrdProp(Owner, P, StrToInt(Value));
      break;
    case TVisualKind::Enum: {
      int64_t Ord = 0;
      if (IdentToOrd(P, Value, Ord))
        SetOrdProp(Owner, P, Ord);
      break;
    }
    case TVisualKind::Font:
      if (auto* Font = dynamic_cast<TFont*>(GetObjectProp(Owner, P))) {
        Font->SetColor(ColourOf(Lines.Values(Name + QStringLiteral(".Color"))));
        Font->SetStyle(FontStyleOf(Lines.Values(Name + QStringLiteral(".Style"))));
        Font->SetSize(StrToInt(Lines.Values(Name + QStringLiteral(".Size"))));
        Font->SetName(Lines.Values(Name + QStringLiteral(".Name")));
      }
      break;
    default:
      break;
    }
  };
  for (const char* Name : LoadOrder)
    Apply(Name);
  if (!Lines.Values(QStringLiteral("ZIDGradFrom")).isEmpty()) {
    // The fixed-cell gradient, and from there the control look's.
    for (const char* Name : {"ZIDGradFrom", "ZIDGradTo", "ZIDGradMirrorTo", "ZIDGradMirrorFrom"}) {
      const TVisualRow* Row = FindRow(Name);
      FZURGrad[Row->Extra] = ColourOf(Lines.Values(QString::fromLatin1(Name)));
    }
    for (TFixedGradient W : {fgFrom, fgTo, fgMirrorFrom, fgMirrorTo})
      FControlLook->SetFixedGradient(W, FZURGrad[W]);
    Apply("SelectionStyle");
  }
  for (const char* Name : SelectionColours)
    Apply(Name);
  // The colours just loaded are the grid's own now, not a look's.
  FLook = glCustom;
  Invalidate();
}

// ---------------------------------------------------------------- print settings

namespace {

const QString Yes = QStringLiteral("Y");
const QString No = QStringLiteral("N");

// The style bits the print settings file keeps: bold 1, italic 2,
// underline 4, strike-out 8.
int32_t StyleBits(TFontStyles S)
{
  return (S & FontStyleBit(fsBold) ? 1 : 0) | (S & FontStyleBit(fsItalic) ? 2 : 0) |
         (S & FontStyleBit(fsUnderline) ? 4 : 0) | (S & FontStyleBit(fsStrikeOut) ? 8 : 0);
}

TFontStyles StylesOfBits(int32_t B)
{
  TFontStyles S = 0;
  S |= B & 1 ? FontStyleBit(fsBold) : 0;
  S |= B & 2 ? FontStyleBit(fsItalic) : 0;
  S |= B & 4 ? FontStyleBit(fsUnderline) : 0;
  S |= B & 8 ? FontStyleBit(fsStrikeOut) : 0;
  return S;
}

struct TPrintFont {
  const char* Prefix;
  TFont* (TPrintSettings::*Get)() const;
};
const TPrintFont PrintFonts[] = {{"Font", &TPrintSettings::Font},
                                 {"FixedFont", &TPrintSettings::FixedFont},
                                 {"HeaderFont", &TPrintSettings::HeaderFont},
                                 {"FooterFont", &TPrintSettings::FooterFont}};

struct TPrintFlag {
  const char* Key;
  bool (TPrintSettings::*Get)() const;
  void (TPrintSettings::*Set)(bool);
};
const TPrintFlag PrintFlags[] = {
    {"NoAutoSize", &TPrintSettings::NoAutoSize, &TPrintSettings::SetNoAutoSize},
    {"NoAutoSizeRow", &TPrintSettings::NoAutoSizeRow, &TPrintSettings::SetNoAutoSizeRow},
    {"UseFixedHeight", &TPrintSettings::UseFixedHeight, &TPrintSettings::SetUseFixedHeight},
    {"UseFixedWidth", &TPrintSettings::UseFixedWidth, &TPrintSettings::SetUseFixedWidth},
    {"RepeatFixedRows", &TPrintSettings::RepeatFixedRows, &TPrintSettings::SetRepeatFixedRows},
    {"RepeatFixedCols", &TPrintSettings::RepeatFixedCols, &TPrintSettings::SetRepeatFixedCols},
    {"UseDisplFont", &TPrintSettings::UseDisplayFont, &TPrintSettings::SetUseDisplayFont},
    {"UseDefOrientation", &TPrintSettings::UseDefaultOrientation, &TPrintSettings::SetUseDefaultOrientation},
};

struct TPrintPositionKey {
  const char* Key;
  TPrintPosition (TPrintSettings::*Get)() const;
  void (TPrintSettings::*Set)(TPrintPosition);
};
const TPrintPositionKey PrintPositions[] = {
    {"Date", &TPrintSettings::Date, &TPrintSettings::SetDate},
    {"PageNr", &TPrintSettings::PageNr, &TPrintSettings::SetPageNr},
    {"Title", &TPrintSettings::Title, &TPrintSettings::SetTitle},
    {"Time", &TPrintSettings::Time, &TPrintSettings::SetTime},
};

struct TPrintNumber {
  const char* Key;
  int32_t (TPrintSettings::*Get)() const;
  void (TPrintSettings::*Set)(int32_t);
  int32_t Default;
};
const TPrintNumber PrintSpacings[] = {
    {"ColumnSpacing", &TPrintSettings::ColumnSpacing, &TPrintSettings::SetColumnSpacing, 20},
    {"RowSpacing", &TPrintSettings::RowSpacing, &TPrintSettings::SetRowSpacing, 20},
    {"TitleSpacing", &TPrintSettings::TitleSpacing, &TPrintSettings::SetTitleSpacing, 20},
    {"FixedHeight", &TPrintSettings::FixedHeight, &TPrintSettings::SetFixedHeight, 0},
    {"FixedWidth", &TPrintSettings::FixedWidth, &TPrintSettings::SetFixedWidth, 0},
};
const TPrintNumber PrintMargins[] = {
    {"FooterSize", &TPrintSettings::FooterSize, &TPrintSettings::SetFooterSize, 100},
    {"HeaderSize", &TPrintSettings::HeaderSize, &TPrintSettings::SetHeaderSize, 100},
    {"LeftSize", &TPrintSettings::LeftSize, &TPrintSettings::SetLeftSize, 100},
    {"RightSize", &TPrintSettings::RightSize, &TPrintSettings::SetRightSize, 100},
};

String Key(const char* Name) { return QString::fromLatin1(Name); }

} // namespace

void TZurEvoderOzod::SavePrintSettings(const String& FileKey, const String& Section)
{
  TMemIniFile Ini(FileKey);
  const TPrintSettings& P = *FPrintSettings;
  auto Flag = [&](const char* K, bool V) { Ini.WriteString(Section, Key(K), V ? Yes : No); };
  for (const TPrintNumber& N : PrintSpacings)
    Ini.WriteInteger(Section, Key(N.Key), (P.*N.Get)());
  Flag("Centered", P.Centered());
  for (const TPrintFlag& F : PrintFlags)
    Flag(F.Key, (P.*F.Get)());
  Ini.WriteInteger(Section, QStringLiteral("Borders"), P.Borders());
  Ini.WriteInteger(Section, QStringLiteral("BorderColor"), static_cast<int32_t>(P.BorderColor()));
  Ini.WriteInteger(Section, QStringLiteral("BorderStyle"), P.BorderStyle());
  for (const TPrintPositionKey& K : PrintPositions)
    Ini.WriteInteger(Section, Key(K.Key), (P.*K.Get)());
  Ini.WriteString(Section, QStringLiteral("DateFormat"), P.DateFormat());
  Ini.WriteString(Section, QStringLiteral("TitleText"), P.TitleText());
  for (const TPrintNumber& N : PrintMargins)
    Ini.WriteInteger(Section, Key(N.Key), (P.*N.Get)());
  Ini.WriteInteger(Section, QStringLiteral("FitToPage"), P.FitToPage());
  for (const TPrintFont& PF : PrintFonts) {
    const TFont* F = (P.*PF.Get)();
    const String Prefix = Key(PF.Prefix);
    Ini.WriteString(Section, Prefix + QStringLiteral("Name"), F->Name());
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Size"), F->Size());
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Style"), StyleBits(F->Style()));
    Ini.WriteInteger(Section, Prefix + QStringLiteral("Color"), static_cast<int32_t>(F->Color()));
  }
  Ini.WriteString(Section, QStringLiteral("PageNumSep"), P.PageNumSep());
  Ini.WriteString(Section, QStringLiteral("PageSuffix"), P.PageSuffix());
  Ini.WriteString(Section, QStringLiteral("PagePrefix"), P.PagePrefix());
  Ini.WriteInteger(Section, QStringLiteral("Orientation"), P.Orientation());
  // One line in the file: carriage returns as the two characters "\n".
  String Title = P.TitleLines()->Text();
  Title.remove(u'\n');
  Title.replace(u'\r', QStringLiteral("\\n"));
  Ini.WriteString(Section, QStringLiteral("TitleLines"), Title);
  Flag("PrintGraphics", P.PrintGraphics());
  Ini.UpdateFile();
}

void TZurEvoderOzod::LoadPrintSettings(const String& FileKey, const String& Section)
{
  TMemIniFile Ini(FileKey);
  TPrintSettings& P = *FPrintSettings;
  auto Flag = [&](const char* K, const QString& Default) { return Ini.ReadString(Section, Key(K), Default) == Yes; };
  auto Int = [&](const char* K, int32_t Default) { return Ini.ReadInteger(Section, Key(K), Default); };
  for (const TPrintNumber& N : PrintSpacings)
    (P.*N.Set)(Int(N.Key, N.Default));
  P.SetCentered(Flag("Centered", Yes));
  for (const TPrintFlag& F : PrintFlags)
    (P.*F.Set)(Flag(F.Key, No));
  // Ordinals outside their type leave the setting as it was.
  if (const int32_t V = Int("Borders", 0); V >= pbNoborder && V <= pbCustom)
    P.SetBorders(static_cast<TPrintBorders>(V));
  P.SetBorderColor(static_cast<TColor>(Int("BorderColor", 0)));
  if (const int32_t V = Int("BorderStyle", 0); V >= psSolid && V <= psInsideFrame)
    P.SetBorderStyle(static_cast<TPenStyle>(V));
  for (const TPrintPositionKey& K : PrintPositions) {
    const int32_t V = Int(K.Key, 0);
    (P.*K.Set)(V >= ppTopLeft && V <= ppBottomCenter ? static_cast<TPrintPosition>(V) : ppNone);
  }
  P.SetDateFormat(Ini.ReadString(Section, QStringLiteral("DateFormat"), String()));
  P.SetTitleText(Ini.ReadString(Section, QStringLiteral("TitleText"), String()));
  for (const TPrintNumber& N : PrintMargins)
    (P.*N.Set)(Int(N.Key, N.Default));
  if (const int32_t V = Int("FitToPage", 0); V >= fpNever && V <= fpCustom)
    P.SetFitToPage(static_cast<TFitToPage>(V));
  for (const TPrintFont& PF : PrintFonts) {
    TFont* F = (P.*PF.Get)();
    const String Prefix = Key(PF.Prefix);
    F->SetName(Ini.ReadString(Section, Prefix + QStringLiteral("Name"), QStringLiteral("Arial")));
    F->SetSize(Ini.ReadInteger(Section, Prefix + QStringLiteral("Size"), 10));
    // The stored style is the font's style: one kept from before the load
    // would make a bold title stay bold whatever the file says.
    F->SetStyle(StylesOfBits(Ini.ReadInteger(Section, Prefix + QStringLiteral("Style"), 0)));
    F->SetColor(static_cast<TColor>(Ini.ReadInteger(Section, Prefix + QStringLiteral("Color"), 0)));
  }
  P.SetPageNumSep(Ini.ReadString(Section, QStringLiteral("PageNumSep"), String()));
  P.SetPageSuffix(Ini.ReadString(Section, QStringLiteral("PageSuffix"), String()));
  P.SetPagePrefix(Ini.ReadString(Section, QStringLiteral("PagePrefix"), String()));
  if (const int32_t V = Int("Orientation", 0); V == poPortrait || V == poLandscape)
    P.SetOrientation(static_cast<TPrinterOrientation>(V));
  String Title = Ini.ReadString(Section, QStringLiteral("TitleLines"), String());
  Title.replace(QStringLiteral("\\n"), QStringLiteral("\r"));
  P.TitleLines()->SetText(Title);
  P.SetPrintGraphics(Flag("PrintGraphics", No));
  Ini.UpdateFile();
}
