#include "grid/core/GridSettings.h"

#include "platform/Published.h"
#include "rtl/StringList.h"

namespace {

using G = TGrouping;
[[maybe_unused]] const TClassInfo& GroupingClass =
    PublishClass<G>("TGrouping", "TPersistent",
                    {
                        PropBool("AutoSelectGroup", &G::AutoSelectGroup, &G::SetAutoSelectGroup, false),
                        PropBool("AutoCheckGroup", &G::AutoCheckGroup, &G::SetAutoCheckGroup, false),
                        PropStr("GroupCountFormat", &G::GroupCountFormat, &G::SetGroupCountFormat),
                        PropColor("HeaderColor", &G::HeaderColor, &G::SetHeaderColor, clNone),
                        PropColor("HeaderColorTo", &G::HeaderColorTo, &G::SetHeaderColorTo, clNone),
                        PropColor("HeaderTextColor", &G::HeaderTextColor, &G::SetHeaderTextColor, clNone),
                        PropBool("HeaderUnderline", &G::HeaderUnderline, &G::SetHeaderUnderline, false),
                        PropColor("HeaderLineColor", &G::HeaderLineColor, &G::SetHeaderLineColor, 0x00FF0000),
                        PropInt("HeaderLineWidth", &G::HeaderLineWidth, &G::SetHeaderLineWidth, 2),
                        PropBool("MergeHeader", &G::MergeHeader, &G::SetMergeHeader, false),
                        PropBool("MergeSummary", &G::MergeSummary, &G::SetMergeSummary, false),
                        PropBool("ShowGroupCount", &G::ShowGroupCount, &G::SetShowGroupCount, false),
                        PropBool("Summary", &G::Summary, &G::SetSummary, false),
                        PropColor("SummaryColor", &G::SummaryColor, &G::SetSummaryColor, clNone),
                        PropColor("SummaryColorTo", &G::SummaryColorTo, &G::SetSummaryColorTo, clNone),
                        PropColor("SummaryTextColor", &G::SummaryTextColor, &G::SetSummaryTextColor, clNone),
                        PropBool("SummaryLine", &G::SummaryLine, &G::SetSummaryLine, false),
                        PropColor("SummaryLineColor", &G::SummaryLineColor, &G::SetSummaryLineColor, 0x00FF0000),
                        PropInt("SummaryLineWidth", &G::SummaryLineWidth, &G::SetSummaryLineWidth, 2),
                    });

using D = TDragDropSettings;
[[maybe_unused]] const TClassInfo& DragDropClass =
    PublishClass<D>("TDragDropSettings", "TPersistent",
                    {
                        PropBool("ShowCells", &D::ShowCells, &D::SetShowCells, true),
                        PropBool("OleAcceptFiles", &D::OleAcceptFiles, &D::SetOleAcceptFiles, true),
                        PropBool("OleAcceptText", &D::OleAcceptText, &D::SetOleAcceptText, true),
                        PropBool("OleAcceptURLs", &D::OleAcceptURLs, &D::SetOleAcceptURLs, true),
                        PropBool("OleAppendRows", &D::OleAppendRows, &D::SetOleAppendRows, false),
                        PropBool("OleColumnDragDrop", &D::OleColumnDragDrop, &D::SetOleColumnDragDrop, false),
                        PropBool("OleColumnReorder", &D::OleColumnReorder, &D::SetOleColumnReorder, false),
                        PropBool("OleColumnsOnly", &D::OleColumnsOnly, &D::SetOleColumnsOnly, false),
                        PropBool("OleCopyAlways", &D::OleCopyAlways, &D::SetOleCopyAlways, false),
                        PropBool("OleDropTarget", &D::OleDropTarget, &D::SetOleDropTarget, false),
                        PropBool("OleDropSource", &D::OleDropSource, &D::SetOleDropSource, false),
                        PropBool("OleEntireRows", &D::OleEntireRows, &D::SetOleEntireRows, false),
                        PropBool("OleInsertRows", &D::OleInsertRows, &D::SetOleInsertRows, false),
                        PropBool("OleRemoveRows", &D::OleRemoveRows, &D::SetOleRemoveRows, false),
                        PropBool("OleDropRTF", &D::OleDropRTF, &D::SetOleDropRTF, false),
                    });

using BS = TBalloonSettings;
[[maybe_unused]] const TClassInfo& BalloonClass =
    PublishClass<BS>("TBalloonSettings", "TPersistent",
                     {
                         PropInt("AutoHideDelay", &BS::AutoHideDelay, &BS::SetAutoHideDelay, -1),
                         PropColor("BackgroundColor", &BS::BackgroundColor, &BS::SetBackgroundColor, clNone),
                         PropBool("Enable", &BS::Enable, &BS::SetEnable, false),
                         PropInt("InitialDelay", &BS::InitialDelay, &BS::SetInitialDelay, -1),
                         PropInt("ReshowDelay", &BS::ReshowDelay, &BS::SetReshowDelay, -1),
                         PropBool("ShowCell", &BS::ShowCell, &BS::SetShowCell, true),
                         PropColor("TextColor", &BS::TextColor, &BS::SetTextColor, clNone),
                         PropInt("Transparency", &BS::Transparency, &BS::SetTransparency, 0),
                     });

[[maybe_unused]] const TClassInfo& ShowModifiedClass =
    PublishClass<TShowModified>("TShowModified", "TPersistent",
                                {
                                    PropBool("Enabled", &TShowModified::Enabled, &TShowModified::SetEnabled, false),
                                    PropColor("Color", &TShowModified::Color, &TShowModified::SetColor, 0x0000FFFF),
                                });

const TEnumInfo FilterDropDownColumnsInfo("TFilterDropDownColumns", {"fdNormal", "fdAll"});
using FE = TFilterEdit;
[[maybe_unused]] const TClassInfo& FilterEditClass =
    PublishClass<FE>("TFilterEdit", "TPersistent",
                     {
                         PropBool("CaseSensitive", &FE::CaseSensitive, &FE::SetCaseSensitive, true),
                         PropColor("Color", &FE::Color, &FE::SetColor, 0x00FFFFFF),
                         PropEnum("Columns", &FE::Columns, &FE::SetColumns, FilterDropDownColumnsInfo, fdNormal),
                         PropBool("Enabled", &FE::Enabled, &FE::SetEnabled, false),
                         PropInt("Row", &FE::Row, &FE::SetRow, 0),
                         PropStrings("TypeNames", &FE::TypeNames),
                     });

[[maybe_unused]] const TClassInfo& FloatingFooterClass =
    PublishClass<TFloatingFooter>("TFloatingFooter", "TPersistent",
                                  {PropBool("Visible", &TFloatingFooter::Visible, &TFloatingFooter::SetVisible, false),
                                   PropColor("Color", &TFloatingFooter::Color, &TFloatingFooter::SetColor, clBtnFace)});

} // namespace

// ---------------------------------------------------------------- TGrouping

TGrouping::TGrouping() = default;
TGrouping::~TGrouping() = default;
String TGrouping::ClassName() const { return QStringLiteral("TGrouping"); }

void TGrouping::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TGrouping*>(Source);
  if (!S)
    return;
  FAutoSelectGroup = S->FAutoSelectGroup;
  FAutoCheckGroup = S->FAutoCheckGroup;
  FGroupCountFormat = S->FGroupCountFormat;
  FHeaderColor = S->FHeaderColor;
  FHeaderColorTo = S->FHeaderColorTo;
  FHeaderTextColor = S->FHeaderTextColor;
  FHeaderUnderline = S->FHeaderUnderline;
  FMergeHeader = S->FMergeHeader;
  FMergeSummary = S->FMergeSummary;
  FShowGroupCount = S->FShowGroupCount;
  FSummaryColor = S->FSummaryColor;
  FSummaryColorTo = S->FSummaryColorTo;
  FSummaryTextColor = S->FSummaryTextColor;
  FSummaryLine = S->FSummaryLine;
}

GRID_SET_STORE(TGrouping, AutoSelectGroup)
GRID_SET_STORE(TGrouping, AutoCheckGroup)
GRID_SET_STORE(TGrouping, GroupCountFormat)
GRID_SET_STORE(TGrouping, HeaderColor)
GRID_SET_STORE(TGrouping, HeaderColorTo)
GRID_SET_STORE(TGrouping, HeaderTextColor)
GRID_SET_STORE(TGrouping, HeaderUnderline)
GRID_SET_STORE(TGrouping, HeaderLineColor)
GRID_SET_STORE(TGrouping, HeaderLineWidth)
GRID_SET_STORE(TGrouping, MergeHeader)
GRID_SET_STORE(TGrouping, MergeSummary)
GRID_SET_STORE(TGrouping, ShowGroupCount)
GRID_SET_STORE(TGrouping, Summary)
GRID_SET_STORE(TGrouping, SummaryColor)
GRID_SET_STORE(TGrouping, SummaryColorTo)
GRID_SET_STORE(TGrouping, SummaryTextColor)
GRID_SET_STORE(TGrouping, SummaryLine)
GRID_SET_STORE(TGrouping, SummaryLineColor)
GRID_SET_STORE(TGrouping, SummaryLineWidth)

// ---------------------------------------------------------------- TDragDropSettings

TDragDropSettings::TDragDropSettings() = default;
TDragDropSettings::~TDragDropSettings() = default;
String TDragDropSettings::ClassName() const { return QStringLiteral("TDragDropSettings"); }

void TDragDropSettings::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TDragDropSettings*>(Source);
  if (!S)
    return;
  FShowCells = S->FShowCells;
  FOleAcceptFiles = S->FOleAcceptFiles;
  FOleAcceptText = S->FOleAcceptText;
  FOleAcceptURLs = S->FOleAcceptURLs;
  FOleAppendRows = S->FOleAppendRows;
  FOleColumnDragDrop = S->FOleColumnDragDrop;
  FOleColumnReorder = S->FOleColumnReorder;
  FOleColumnsOnly = S->FOleColumnsOnly;
  FOleCopyAlways = S->FOleCopyAlways;
  FOleDropTarget = S->FOleDropTarget;
  FOleDropSource = S->FOleDropSource;
  FOleEntireRows = S->FOleEntireRows;
  FOleInsertRows = S->FOleInsertRows;
  FOleRemoveRows = S->FOleRemoveRows;
  FOleDropRTF = S->FOleDropRTF;
  FOleColumnPicker = S->FOleColumnPicker;
}

GRID_SET_STORE(TDragDropSettings, ShowCells)
GRID_SET_STORE(TDragDropSettings, OleAcceptFiles)
GRID_SET_STORE(TDragDropSettings, OleAcceptText)
GRID_SET_STORE(TDragDropSettings, OleAcceptURLs)
GRID_SET_STORE(TDragDropSettings, OleAppendRows)
GRID_SET_STORE(TDragDropSettings, OleColumnDragDrop)
GRID_SET_STORE(TDragDropSettings, OleColumnReorder)
GRID_SET_STORE(TDragDropSettings, OleColumnsOnly)
GRID_SET_STORE(TDragDropSettings, OleCopyAlways)
GRID_SET_STORE(TDragDropSettings, OleDropTarget)
GRID_SET_STORE(TDragDropSettings, OleDropSource)
GRID_SET_STORE(TDragDropSettings, OleEntireRows)
GRID_SET_STORE(TDragDropSettings, OleInsertRows)
GRID_SET_STORE(TDragDropSettings, OleRemoveRows)
GRID_SET_STORE(TDragDropSettings, OleDropRTF)

// ---------------------------------------------------------------- TBalloonSettings

TBalloonSettings::TBalloonSettings() = default;
TBalloonSettings::~TBalloonSettings() = default;
String TBalloonSettings::ClassName() const { return QStringLiteral("TBalloonSettings"); }

void TBalloonSettings::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TBalloonSettings*>(Source);
  if (!S)
    return;
  FAutoHideDelay = S->FAutoHideDelay;
  FBackgroundColor = S->FBackgroundColor;
  FEnable = S->FEnable;
  FInitialDelay = S->FInitialDelay;
  FReshowDelay = S->FReshowDelay;
  FShowCell = S->FShowCell;
  FTextColor = S->FTextColor;
}

void TBalloonSettings::SetEnable(bool Value)
{
  if (Value == FEnable)
    return;
  FEnable = Value;
  if (OnEnableChange)
    OnEnableChange(this);
}

GRID_SET_STORE(TBalloonSettings, AutoHideDelay)
GRID_SET_STORE(TBalloonSettings, BackgroundColor)
GRID_SET_STORE(TBalloonSettings, InitialDelay)
GRID_SET_STORE(TBalloonSettings, ReshowDelay)
GRID_SET_STORE(TBalloonSettings, ShowCell)
GRID_SET_STORE(TBalloonSettings, TextColor)
GRID_SET_STORE(TBalloonSettings, Transparency)

// ---------------------------------------------------------------- TShowModified

TShowModified::TShowModified() = default;
TShowModified::~TShowModified() = default;
String TShowModified::ClassName() const { return QStringLiteral("TShowModified"); }

void TShowModified::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TShowModified::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TShowModified*>(Source)) {
    FEnabled = S->FEnabled;
    FColor = S->FColor;
  }
}

GRID_SET_STORE(TShowModified, Enabled)
GRID_SET_NOTIFY(TShowModified, Color)

// ---------------------------------------------------------------- TFilterEdit

TFilterEdit::TFilterEdit() : FTypeNames(std::make_unique<TStringList>())
{
  for (const char* Name : {"Starts with", "Ends with", "Contains", "Not contains", "Equal", "Not equal", "Larger than",
                           "Smaller than", "Clear"})
    FTypeNames->Add(QString::fromLatin1(Name));
}

TFilterEdit::~TFilterEdit() = default;
String TFilterEdit::ClassName() const { return QStringLiteral("TFilterEdit"); }

void TFilterEdit::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TFilterEdit::Assign(TPersistent* Source)
{
  auto* S = dynamic_cast<TFilterEdit*>(Source);
  if (!S)
    return;
  FCaseSensitive = S->FCaseSensitive;
  FColor = S->FColor;
  FColumns = S->FColumns;
  FEnabled = S->FEnabled;
  FRow = S->FRow;
  FTypeNames->Assign(*S->FTypeNames);
}

void TFilterEdit::SetTypeNames(TStringList* Value) { FTypeNames->Assign(*Value); }

GRID_SET_STORE(TFilterEdit, CaseSensitive)
GRID_SET_CHANGE(TFilterEdit, Color)
GRID_SET_CHANGE(TFilterEdit, Columns)
GRID_SET_CHANGE(TFilterEdit, Row)

void TFilterEdit::SetEnabled(bool Value)
{
  if (Value == FEnabled)
    return;
  FEnabled = Value;
  if (OnEnabledChange)
    OnEnabledChange(this);
  Changed();
}

// ---------------------------------------------------------------- TFloatingFooter

TFloatingFooter::TFloatingFooter() = default;
TFloatingFooter::~TFloatingFooter() = default;
String TFloatingFooter::ClassName() const { return QStringLiteral("TFloatingFooter"); }

void TFloatingFooter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFloatingFooter*>(Source)) {
    FVisible = S->FVisible;
    FColor = S->FColor;
  }
}
