#include "grid/core/GridSettings.h"

#include "platform/Published.h"

namespace {

using G = TGrouping;
[[maybe_unused]] const TClassInfo& GroupingClass =
    PublishClass<G>("TGrouping", "TPersistent",
                    {
                        PropStr("GroupCountFormat", &G::GroupCountFormat, &G::SetGroupCountFormat),
                        PropBool("HeaderUnderline", &G::HeaderUnderline, &G::SetHeaderUnderline, false),
                        PropColor("HeaderLineColor", &G::HeaderLineColor, &G::SetHeaderLineColor, 0x00FF0000),
                        PropInt("HeaderLineWidth", &G::HeaderLineWidth, &G::SetHeaderLineWidth, 2),
                        PropBool("ShowGroupCount", &G::ShowGroupCount, &G::SetShowGroupCount, false),
                        PropBool("SummaryLine", &G::SummaryLine, &G::SetSummaryLine, false),
                        PropColor("SummaryLineColor", &G::SummaryLineColor, &G::SetSummaryLineColor, 0x00FF0000),
                        PropInt("SummaryLineWidth", &G::SummaryLineWidth, &G::SetSummaryLineWidth, 2),
                    });

using D = TDragDropSettings;
[[maybe_unused]] const TClassInfo& DragDropClass =
    PublishClass<D>("TDragDropSettings", "TPersistent",
                    {
                        PropBool("OleAcceptFiles", &D::OleAcceptFiles, &D::SetOleAcceptFiles, true),
                        PropBool("OleAcceptText", &D::OleAcceptText, &D::SetOleAcceptText, true),
                        PropBool("OleAcceptURLs", &D::OleAcceptURLs, &D::SetOleAcceptURLs, true),
                        PropBool("OleDropTarget", &D::OleDropTarget, &D::SetOleDropTarget, false),
                    });

[[maybe_unused]] const TClassInfo& BalloonClass = PublishClass<TBalloonSettings>(
    "TBalloonSettings", "TPersistent",
    {PropBool("Enable", &TBalloonSettings::Enable, &TBalloonSettings::SetEnable, false)});

[[maybe_unused]] const TClassInfo& ShowModifiedClass =
    PublishClass<TShowModified>("TShowModified", "TPersistent",
                                {
                                    PropBool("Enabled", &TShowModified::Enabled, &TShowModified::SetEnabled, false),
                                    PropColor("Color", &TShowModified::Color, &TShowModified::SetColor, 0x0000FFFF),
                                });

const TEnumInfo FilterDropDownColumnsInfo("TFilterDropDownColumns", {"fdNormal", "fdAll"});
[[maybe_unused]] const TClassInfo& FilterEditClass = PublishClass<TFilterEdit>(
    "TFilterEdit", "TPersistent",
    {
        PropEnum("Columns", &TFilterEdit::Columns, &TFilterEdit::SetColumns, FilterDropDownColumnsInfo, fdNormal),
        PropBool("Enabled", &TFilterEdit::Enabled, &TFilterEdit::SetEnabled, false),
        PropInt("Row", &TFilterEdit::Row, &TFilterEdit::SetRow, 0),
    });

[[maybe_unused]] const TClassInfo& FloatingFooterClass = PublishClass<TFloatingFooter>(
    "TFloatingFooter", "TPersistent",
    {PropBool("Visible", &TFloatingFooter::Visible, &TFloatingFooter::SetVisible, false)});

} // namespace

// ---------------------------------------------------------------- TGrouping

TGrouping::TGrouping() = default;
TGrouping::~TGrouping() = default;
String TGrouping::ClassName() const { return QStringLiteral("TGrouping"); }

void TGrouping::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TGrouping*>(Source)) {
    FGroupCountFormat = S->FGroupCountFormat;
    FHeaderUnderline = S->FHeaderUnderline;
    FShowGroupCount = S->FShowGroupCount;
    FSummaryLine = S->FSummaryLine;
  }
}

// ---------------------------------------------------------------- TDragDropSettings

TDragDropSettings::TDragDropSettings() = default;
TDragDropSettings::~TDragDropSettings() = default;
String TDragDropSettings::ClassName() const { return QStringLiteral("TDragDropSettings"); }

void TDragDropSettings::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TDragDropSettings*>(Source)) {
    FOleAcceptFiles = S->FOleAcceptFiles;
    FOleAcceptText = S->FOleAcceptText;
    FOleAcceptURLs = S->FOleAcceptURLs;
    FOleDropTarget = S->FOleDropTarget;
  }
}

// ---------------------------------------------------------------- TBalloonSettings

TBalloonSettings::TBalloonSettings() = default;
TBalloonSettings::~TBalloonSettings() = default;
String TBalloonSettings::ClassName() const { return QStringLiteral("TBalloonSettings"); }

void TBalloonSettings::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TBalloonSettings*>(Source))
    FEnable = S->FEnable;
}

void TBalloonSettings::SetEnable(bool Value)
{
  if (Value == FEnable)
    return;
  FEnable = Value;
  if (OnEnableChange)
    OnEnableChange(this);
}

// ---------------------------------------------------------------- TShowModified

TShowModified::TShowModified() = default;
TShowModified::~TShowModified() = default;
String TShowModified::ClassName() const { return QStringLiteral("TShowModified"); }

void TShowModified::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TShowModified*>(Source)) {
    FEnabled = S->FEnabled;
    FColor = S->FColor;
  }
}

void TShowModified::SetEnabled(bool Value)
{
  FEnabled = Value;
  if (OnChange)
    OnChange(this);
}

void TShowModified::SetColor(TColor Value)
{
  FColor = Value;
  if (OnChange)
    OnChange(this);
}

// ---------------------------------------------------------------- TFilterEdit

TFilterEdit::TFilterEdit() = default;
TFilterEdit::~TFilterEdit() = default;
String TFilterEdit::ClassName() const { return QStringLiteral("TFilterEdit"); }

void TFilterEdit::Changed()
{
  if (OnChange)
    OnChange(this);
}

void TFilterEdit::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFilterEdit*>(Source)) {
    FEnabled = S->FEnabled;
    FRow = S->FRow;
    FColumns = S->FColumns;
  }
}

void TFilterEdit::SetEnabled(bool Value)
{
  if (Value == FEnabled)
    return;
  FEnabled = Value;
  Changed();
}

void TFilterEdit::SetRow(int32_t Value)
{
  if (Value == FRow)
    return;
  FRow = Value;
  Changed();
}

void TFilterEdit::SetColumns(TFilterDropDownColumns Value)
{
  if (Value == FColumns)
    return;
  FColumns = Value;
  Changed();
}

// ---------------------------------------------------------------- TFloatingFooter

TFloatingFooter::TFloatingFooter() = default;
TFloatingFooter::~TFloatingFooter() = default;
String TFloatingFooter::ClassName() const { return QStringLiteral("TFloatingFooter"); }

void TFloatingFooter::Assign(TPersistent* Source)
{
  if (auto* S = dynamic_cast<TFloatingFooter*>(Source))
    FVisible = S->FVisible;
}
