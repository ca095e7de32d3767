#include "app/setup/MDISetup.h"

#include "app/core/CoreData.h"
#include "app/core/ModularInstruments.h"
#include "app/setup/SetupHost.h"
#include "app/setup/SetupModel.h"
#include "grid/base/GridBehaviour.h"
#include "grid/core/ColumnSize.h"
#include "grid/core/ControlLook.h"
#include "platform/Bitmap.h"
#include "grid/core/ZurEvoderOzod.h"
#include "grid/edit/GridCombo.h"
#include "grid/edit/GridSpin.h"
#include "platform/Graphics.h"

#include <QScopeGuard>
#include "rtl/Exceptions.h"
#include "rtl/Numbers.h"
#include "rtl/StringList.h"
#include "rtl/Files.h"

#include <QDebug>

#include <exception>
#include <iterator>

namespace {

constexpr int32_t ColFitted = SetupColumnFitted;
constexpr int32_t ColMode = 1;
constexpr int32_t ColAddress = 2;
constexpr int32_t ColPort = 3;
constexpr int32_t ColBaud = 4;
constexpr int32_t ColInterrupt = SetupColumnInterrupt;
constexpr int32_t ColSet = SetupColumnSet;
constexpr int32_t ColRun = SetupColumnRun;
constexpr int32_t ColTare = 8;
constexpr int32_t ColAtmos = SetupColumnAtmos;
constexpr int32_t ColStatus = 10;
constexpr int32_t ColumnCount = 11;

const char* const Headers[ColumnCount] = {"Parameter", "Comms", "Address", "Com Port", "Baud Rate", "Interrupt",
                                          "Set",       "Run",   "Tare",    "Atmos",    "Status"};
constexpr int32_t DesignWidths[ColumnCount] = {70, 56, 60, 64, 66, 61, 30, 33, 37, 49, 766};

const char* const BaudRates[] = {"2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400", "460800"};

// The instrument buttons: column and picture.
struct TGlyphButton {
  int32_t Col;
  const char* File;
};
constexpr TGlyphButton GlyphButtons[] = {
    {ColInterrupt, "handshake.bmp"}, {ColSet, "OKBTN.bmp"}, {ColRun, "greentl.bmp"}};

const String Waiting = QStringLiteral("Waiting");
const String NotApplicable = QStringLiteral("N/A");

bool IsOutputRow(int32_t Row) { return Row >= SetupRowOutput1 && Row < SetupRowOutput1 + 4; }
bool IsInstrumentRow(int32_t Row)
{
  return Row == SetupRowQuorndeck || (Row >= SetupRowQYR1 && Row <= SetupRowAtmospheric);
}
int32_t OutputOfRow(int32_t Row) { return Row - SetupRowOutput1 + 1; }

// The slots an instrument row writes: the profiling instrument all eleven of
// its own, the others their one slot. {-1, -2} for any other row.
struct TSlotRange {
  int32_t First;
  int32_t Last;
};
TSlotRange RowSlots(int32_t Row)
{
  if (Row == SetupRowQuorndeck)
    return {slConductivity, slSalinity};
  const int32_t Slot = SlotOfSetupRow(Row);
  return Slot >= 0 ? TSlotRange{Slot, Slot} : TSlotRange{-1, -2};
}

int32_t* OutputPortField(TCoreData& C, int32_t N)
{
  int32_t* const Ports[] = {&C.Output_1_Port, &C.Output_2_Port, &C.Output_3_Port, &C.Output_4_Port};
  return Ports[N - 1];
}

int32_t* OutputBaudField(TCoreData& C, int32_t N)
{
  int32_t* const Bauds[] = {&C.Output_1_Baud, &C.Output_2_Baud, &C.Output_3_Baud, &C.Output_4_Baud};
  return Bauds[N - 1];
}

} // namespace

ISetupHost::~ISetupHost() = default;

TMDISetup::TMDISetup(ISetupHost& Host) : TForm(Host.Frame()), FHost(Host)
{
  SetFormStyle(fsMDIChild);
  SetCaption(QStringLiteral("Setup Screen"));
  SetBounds(0, 0, 800, 735);
  Font()->SetName(QStringLiteral("Tahoma"));
  Font()->SetSize(8);
  MakeGrid();
  MakeSettingsControls();
  // The main window lists the screen among its children once it is made.
  FRegistered = true;
  OnShow = [this](TObject*) { FormShow(); };
  OnClose = [this](TObject*, TCloseAction& Action) {
    Action = caFree;
    FormClose();
  };
}

TMDISetup::~TMDISetup()
{
  if (FRegistered)
    FHost.ForgetSetupScreen(*this);
}

String TMDISetup::ClassName() const { return QStringLiteral("TMDISetup"); }

void TMDISetup::Close()
{
  TCustomForm::Close();
  // Closing never fails here; whatever happened, the screen has left.
  if (FRegistered)
    FormClose();
}

void TMDISetup::FormShow()
{
  FillSettings();
  BuildGrid();
}

void TMDISetup::FormClose()
{
  if (!FRegistered)
    return;
  FRegistered = false;
  FHost.SetupScreenClosed(*this);
}

void TMDISetup::Storing(const std::function<void()>& Store)
{
  if (FFilling == 0)
    Store();
}

// ---------------------------------------------------------------------------
// The grid

void TMDISetup::MakeGrid()
{
  auto* G = new TZurEvoderOzod(this);
  ZurEvoderOzod1 = G;
  G->SetName(QStringLiteral("ZurEvoderOzod1"));
  G->SetParent(this);
  G->SetBounds(0, 0, 792, 345);
  G->SetColCount(ColumnCount);
  G->SetRowCount(SetupRowCount);
  G->SetFixedRows(1);
  G->SetFixedCols(0);
  G->SetDefaultRowHeight(63);
  G->SetFixedRowHeight(63);
  for (int32_t C = 0; C < ColumnCount; ++C)
    G->SetColWidths(C, DesignWidths[C]);
  G->SetOptions(G->Options() | GridOptionBit(goRowSizing) | GridOptionBit(goColSizing) | GridOptionBit(goEditing));
  G->SetTabStop(false);
  G->SetColor(clBtnFace);
  G->Font()->SetName(QStringLiteral("Tahoma"));
  G->Font()->SetSize(8);
  G->FixedFont()->SetName(QStringLiteral("Arial"));
  G->FixedFont()->SetStyle(fsBold);
  G->SetActiveCellShow(true);
  G->SetActiveCellColor(clBtnFace);
  G->ActiveCellFont()->SetName(QStringLiteral("Arial"));
  G->ActiveCellFont()->SetStyle(fsBold);
  G->SetFixedRowAlways(true);
  G->SetFloatFormat(QStringLiteral("%.2f"));
  G->SetEnableHTML(false);
  G->SetHideFocusRect(true);
  G->ControlLook()->SetDropDownAlwaysVisible(true);
  G->MouseActions()->SetDirectComboDrop(true);
  G->Navigation()->SetAutoComboDropSize(true);
  G->Navigation()->SetEditSelectAll(false);
  G->ColumnSize()->SetStretch(true);

  G->OnGetEditorType = [this](TObject* S, int32_t C, int32_t R, TEditorType& E) {
    ZurEvoderOzod1GetEditorType(S, C, R, E);
  };
  G->OnGetEditorProp = [this](TObject* S, int32_t C, int32_t R, TEditLink*) { ZurEvoderOzod1GetEditorProp(S, C, R); };
  G->OnCanEditCell = [this](TObject* S, int32_t R, int32_t C, bool& CanEdit) {
    ZurEvoderOzod1CanEditCell(S, R, C, CanEdit);
  };
  G->OnCheckBoxClick = [this](TObject* S, int32_t C, int32_t R, bool State) {
    ZurEvoderOzod1CheckBoxClick(S, C, R, State);
  };
  G->OnRadioClick = [this](TObject* S, int32_t C, int32_t R, int32_t Idx) { ZurEvoderOzod1RadioClick(S, C, R, Idx); };
  G->OnSpinClick = [this](TObject* S, int32_t C, int32_t R, int32_t V, bool Up) {
    ZurEvoderOzod1SpinClick(S, C, R, V, Up);
  };
  G->OnComboChange = [this](TObject* S, int32_t C, int32_t R, int32_t Idx, const String& Sel) {
    ZurEvoderOzod1ComboChange(S, C, R, Idx, Sel);
  };
  G->OnCellValidate = [this](TObject* S, int32_t C, int32_t R, String& Value, bool& Valid) {
    ZurEvoderOzod1CellValidate(S, C, R, Value, Valid);
  };
  G->OnButtonClick = [this](TObject* S, int32_t C, int32_t R) { ZurEvoderOzod1ButtonClick(S, C, R); };
}

void TMDISetup::BuildGrid()
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  TCoreData& C = FHost.Core();
  ++FFilling;
  G->BeginUpdate();
  const auto Done = qScopeGuard([&] {
    G->EndUpdate();
    --FFilling;
  });
  for (int32_t Col = 0; Col < ColumnCount; ++Col)
    G->SetCells(Col, 0, QString::fromLatin1(Headers[Col]));
  struct TRowLook {
    const char* Caption;
    int32_t Height;
  };
  const TRowLook Rows[SetupRowCount] = {{"", 63},         {"Quorndeck", 51}, {"Output 1", 21},   {"Output 2", 21},
                                        {"Output 3", 21}, {"Output 4", 21},  {"QYR 1", 51},      {"QYR 2", 51},
                                        {"QYR 3", 51},    {"QYR 4", 51},     {"Atmospheric", 51}};
  // The addresses an instrument answers to.
  TGridSpin* Spin = G->EditSpin();
  Spin->SetMinValue(MinAddress);
  Spin->SetMaxValue(MaxAddress);
  Spin->SetIncrement(1);
  const String Folder = IncludeTrailingPathDelimiter(FHost.GlyphFolder());
  for (int32_t R = 1; R < SetupRowCount; ++R) {
    G->SetRowHeights(R, Rows[R].Height);
    G->SetCells(ColFitted, R, QString::fromLatin1(Rows[R].Caption));
    const bool Output = IsOutputRow(R);
    const int32_t Slot = RowSlots(R).First;
    const bool Fitted = Output ? C.OutputFitted(OutputOfRow(R)) == 1 : C.SlotFitted(Slot);
    G->AddCheckBox(ColFitted, R, Fitted, false);
    G->SetCells(ColStatus, R, Fitted ? Waiting : NotApplicable);
    G->SetCells(ColPort, R, PortName(StoredPort(R)));
    G->SetCells(ColBaud, R, StoredBaud(R));
    if (Output) {
      G->SetCells(ColMode, R, QStringLiteral("RS232"));
      G->SetCells(ColAddress, R, String());
      G->MergeCells(ColInterrupt, R, 5, 1);
      continue;
    }
    const TSerialRow& S = C.SerialArray[static_cast<size_t>(Slot)];
    TStringList* Modes = G->CreateRadio(ColMode, R, 0, S[SerialMode] == QLatin1String("RS485") ? 1 : 0);
    Modes->Add(QStringLiteral("RS232"));
    Modes->Add(QStringLiteral("RS485"));
    G->SetCells(ColAddress, R, S[SerialAddress]);
    for (const TGlyphButton& B : GlyphButtons) {
      TBitmap* Glyph = G->CreateBitButton(B.Col, R, 38, 38, String(), haCenter, vaCenter);
      const String File = Folder + QString::fromLatin1(B.File);
      // A missing picture leaves the button blank; the grid is built.
      try {
        if (FileExists(File))
          Glyph->LoadFromFile(File);
      } catch (const std::exception& E) {
        qWarning().noquote() << QStringLiteral("Fathomix: button picture %1 not loaded: %2").arg(File, E.what());
      }
    }
    TStringList* Tare = G->CreateRadio(ColTare, R, 0, 0);
    Tare->Add(QStringLiteral("Do Not Set Tare"));
    Tare->Add(QStringLiteral("Set Tare"));
    Tare->Add(QStringLiteral("Zero Tare"));
    if (R != SetupRowAtmospheric)
      G->AddCheckBox(ColAtmos, R, S[SerialAtmos] == QLatin1String("1"), false);
  }
  // The columns take the width of what they hold (the buttons, the tare
  // choices), the status column the rest.
  G->SetAutoSize(true);
  for (int32_t Col = ColFitted; Col < ColStatus; ++Col)
    G->AutoSizeCol(Col, 4);
  G->StretchRightColumn();
}

String TMDISetup::PortName(int32_t Port) const
{
  if (const TStringList* L = FHost.ComPortList())
    for (int32_t I = 0; I < L->Count(); ++I)
      if (StrToIntDef(L->Strings(I).mid(3), -1) == Port)
        return L->Strings(I);
  return String();
}

int32_t TMDISetup::StoredPort(int32_t Row) const
{
  TCoreData& C = FHost.Core();
  if (IsOutputRow(Row))
    return *OutputPortField(C, OutputOfRow(Row));
  const int32_t Slot = RowSlots(Row).First;
  if (Slot < 0)
    return 0;
  return StrToIntDef(C.SerialArray[static_cast<size_t>(Slot)][SerialPort], 0);
}

String TMDISetup::StoredBaud(int32_t Row) const
{
  TCoreData& C = FHost.Core();
  if (IsOutputRow(Row))
    return IntToStr(*OutputBaudField(C, OutputOfRow(Row)));
  const int32_t Slot = RowSlots(Row).First;
  return Slot < 0 ? String() : C.SerialArray[static_cast<size_t>(Slot)][SerialBaud];
}

bool TMDISetup::PortInUse(int32_t Port, int32_t OwnRow) const
{
  TCoreData& C = FHost.Core();
  for (int32_t Slot = slConductivity; Slot <= slQYR4; ++Slot)
    if (C.SlotFitted(Slot) && C.DataPort[static_cast<size_t>(Slot)] == Port)
      return true;
  // An output sends on its port: an instrument bound to it would read the
  // telegrams as its replies, and two outputs would interleave theirs.
  for (int32_t N = 1; N <= 4; ++N)
    if (C.OutputFitted(N) == 1 && *OutputPortField(C, N) == Port && !(IsOutputRow(OwnRow) && OutputOfRow(OwnRow) == N))
      return true;
  return false;
}

void TMDISetup::ZurEvoderOzod1GetEditorType(TObject*, int32_t ACol, int32_t, TEditorType& AEditor)
{
  if (ACol == ColAddress)
    AEditor = edSpinEdit;
  else if (ACol == ColPort || ACol == ColBaud)
    AEditor = edComboList;
}

void TMDISetup::ZurEvoderOzod1GetEditorProp(TObject*, int32_t ACol, int32_t ARow)
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  // (The grid asks again while the list is up, to size it.)
  const bool Opening = !G->EditCombo || !G->EditCombo->Visible();
  FillList(ACol);
  // A list that opens on a cell whose text it does not hold (a port that did
  // not open at start) selects its first item by itself and reports that as
  // a change; it is nobody's choice and must not be stored.
  if (Opening && (ACol == ColPort || ACol == ColBaud))
    FSkipAutoChoice = G->ComboItems()->Count() > 0 && G->ComboItems()->IndexOf(G->Cells(ACol, ARow)) < 0;
}

void TMDISetup::FillList(int32_t ACol)
{
  TZurEvoderOzod* G = ZurEvoderOzod1;
  if (ACol == ColPort) {
    G->ClearComboString();
    if (const TStringList* L = FHost.ComPortList())
      for (int32_t I = 0; I < L->Count(); ++I)
        G->AddComboString(L->Strings(I));
  } else if (ACol == ColBaud) {
    G->ClearComboString();
    for (const char* B : BaudRates)
      G->AddComboString(QString::fromLatin1(B));
  }
}

void TMDISetup::ZurEvoderOzod1CanEditCell(TObject*, int32_t ARow, int32_t ACol, bool& CanEdit)
{
  TCoreData& C = FHost.Core();
  const bool GridSays = CanEdit;
  CanEdit = false;
  if (ACol == ColFitted) {
    CanEdit = true;
    return;
  }
  if (ACol == ColStatus)
    return;
  if (IsOutputRow(ARow)) {
    const bool Fitted = C.OutputFitted(OutputOfRow(ARow)) == 1;
    if (ACol == ColPort || ACol == ColBaud)
      CanEdit = !Fitted;
    else if (ACol == ColInterrupt)
      CanEdit = Fitted;
    return;
  }
  if (!IsInstrumentRow(ARow))
    return;
  const bool Fitted = C.SlotFitted(RowSlots(ARow).First);
  const TInstrumentRowState S = FHost.InstrumentRowState(ARow);
  switch (ACol) {
  case ColMode:
  case ColAddress:
  case ColPort:
  case ColBaud:
    CanEdit = !Fitted;
    break;
  case ColInterrupt:
    CanEdit = Fitted;
    break;
  case ColSet:
  case ColRun:
    CanEdit = Fitted && S.Setting == 0 && S.Running == 0 && (S.Interrupted == 1 || GridSays);
    break;
  case ColTare:
    CanEdit = Fitted && S.Interrupted == 1;
    break;
  case ColAtmos:
    CanEdit = ARow != SetupRowAtmospheric && Fitted && C.SlotFitted(slAP1);
    break;
  default:
    break;
  }
}

void TMDISetup::ZurEvoderOzod1CheckBoxClick(TObject*, int32_t ACol, int32_t ARow, bool State)
{
  if (FFilling != 0)
    return;
  TCoreData& C = FHost.Core();
  if (ACol == ColAtmos) {
    if (ARow == SetupRowAtmospheric)
      return;
    const TSlotRange Slots = RowSlots(ARow);
    for (int32_t S = Slots.First; S <= Slots.Last; ++S)
      C.SerialArray[static_cast<size_t>(S)][SerialAtmos] = State ? QStringLiteral("1") : QStringLiteral("0");
    return;
  }
  if (ACol != ColFitted || ARow < SetupRowQuorndeck || ARow >= SetupRowCount)
    return;
  const std::weak_ptr<int> Life = FLife;
  FHost.FittedChanged(ARow, State);
  // The reload may already have closed this screen.
  if (!Life.expired())
    Close();
}

void TMDISetup::ZurEvoderOzod1RadioClick(TObject*, int32_t ACol, int32_t ARow, int32_t AIdx)
{
  if (FFilling != 0 || !IsInstrumentRow(ARow))
    return;
  TCoreData& C = FHost.Core();
  String Value;
  int32_t Field = 0;
  if (ACol == ColMode) {
    Field = SerialMode;
    Value = AIdx == 1 ? QStringLiteral("RS485") : QStringLiteral("RS232");
  } else if (ACol == ColTare) {
    Field = SerialTare;
    Value = IntToStr(AIdx);
  } else {
    return;
  }
  const TSlotRange Slots = RowSlots(ARow);
  for (int32_t S = Slots.First; S <= Slots.Last; ++S)
    C.SerialArray[static_cast<size_t>(S)][static_cast<size_t>(Field)] = Value;
}

void TMDISetup::StoreAddress(int32_t Row, int32_t Address)
{
  TCoreData& C = FHost.Core();
  const TSlotRange Slots = RowSlots(Row);
  for (int32_t S = Slots.First; S <= Slots.Last; ++S)
    C.SerialArray[static_cast<size_t>(S)][SerialAddress] = IntToStr(Address);
}

void TMDISetup::ZurEvoderOzod1SpinClick(TObject*, int32_t, int32_t ARow, int32_t AValue, bool)
{
  if (FFilling == 0 && IsInstrumentRow(ARow))
    StoreAddress(ARow, AValue);
}

void TMDISetup::ZurEvoderOzod1ComboChange(TObject*, int32_t ACol, int32_t ARow, int32_t AItemIndex,
                                          const String& ASelection)
{
  if (FSkipAutoChoice) {
    FSkipAutoChoice = false;
    return;
  }
  if (FFilling != 0)
    return;
  const TStringList* Items = ZurEvoderOzod1->ComboItems();
  const String Chosen =
      Items && AItemIndex >= 0 && AItemIndex < Items->Count() ? Items->Strings(AItemIndex) : ASelection;
  if (ACol == ColPort)
    ChoosePort(ARow, Chosen);
  else if (ACol == ColBaud)
    ChooseBaud(ARow, Chosen);
}

void TMDISetup::ChoosePort(int32_t Row, const String& Name)
{
  TCoreData& C = FHost.Core();
  const int32_t Port = StrToIntDef(Name.mid(3), -1);
  if (Port < 1 || PortInUse(Port, Row)) {
    ZurEvoderOzod1->SetCells(ColPort, Row, PortName(StoredPort(Row)));
    return;
  }
  if (IsOutputRow(Row)) {
    // Opened with the next settings load.
    *OutputPortField(C, OutputOfRow(Row)) = Port;
    return;
  }
  StoreSlotLine(Row, SerialPort, Port, C.DataPort);
}

void TMDISetup::ChooseBaud(int32_t Row, const String& Text)
{
  TCoreData& C = FHost.Core();
  int32_t Baud = 0;
  if (!TryStrToInt(Text, Baud) || Baud <= 0)
    return;
  if (IsOutputRow(Row)) {
    *OutputBaudField(C, OutputOfRow(Row)) = Baud;
    return;
  }
  StoreSlotLine(Row, SerialBaud, Baud, C.DataPortBaud);
}

void TMDISetup::StoreSlotLine(int32_t Row, int32_t Field, int32_t Value, std::array<int32_t, SlotCount>& Numbers)
{
  TCoreData& C = FHost.Core();
  const TSlotRange Slots = RowSlots(Row);
  if (Slots.First < 0)
    return;
  for (int32_t S = Slots.First; S <= Slots.Last; ++S) {
    C.SerialArray[static_cast<size_t>(S)][static_cast<size_t>(Field)] = IntToStr(Value);
    Numbers[static_cast<size_t>(S)] = Value;
  }
  // An unfitted slot is not bound: binding would open its port (perhaps an
  // output's) and start its packet for an instrument the core ignores.
  if (!C.SlotFitted(Slots.First))
    return;
  try {
    FHost.RebindSlot(Slots.First);
  } catch (const std::exception& E) {
    FHost.ShowMessage(ExceptionMessage(E));
  }
}

void TMDISetup::ZurEvoderOzod1CellValidate(TObject*, int32_t ACol, int32_t ARow, String& Value, bool& Valid)
{
  if (ACol == ColAddress && IsInstrumentRow(ARow)) {
    // Decimal digits only: the number reader would take "x1" as hexadecimal.
    const String Typed = Value.trimmed();
    bool Digits = !Typed.isEmpty() && Typed.size() <= 2;
    for (const QChar Ch : Typed)
      Digits = Digits && Ch >= QLatin1Char('0') && Ch <= QLatin1Char('9');
    const int32_t Address = Digits ? StrToInt(Typed) : 0;
    if (Address < MinAddress || Address > MaxAddress) {
      Valid = false;
      return;
    }
    Value = IntToStr(Address);
    StoreAddress(ARow, Address);
    return;
  }
  // The cell shows what the core holds: a refused or unstored choice goes.
  if (ACol == ColPort && (IsOutputRow(ARow) || IsInstrumentRow(ARow)))
    Value = PortName(StoredPort(ARow));
  else if (ACol == ColBaud && (IsOutputRow(ARow) || IsInstrumentRow(ARow)))
    Value = StoredBaud(ARow);
}

void TMDISetup::ZurEvoderOzod1ButtonClick(TObject*, int32_t ACol, int32_t ARow)
{
  // A press while a sequence runs (the sequence pumps messages) would start
  // another on the same line.
  if (FButtonBusy)
    return;
  FButtonBusy = true;
  const std::weak_ptr<int> Life = FLife;
  const bool Done = FHost.InstrumentButton(ACol, ARow);
  if (Life.expired())
    return;
  FButtonBusy = false;
  if (ARow == SetupRowQuorndeck && Done) {
    if (ACol == ColInterrupt)
      BitBtn1->SetEnabled(true);
    else if (ACol == ColRun)
      BitBtn1->SetVisible(false);
  }
  ZurEvoderOzod1->Repaint();
  FHost.ProcessMessages();
}

// ---------------------------------------------------------------------------
// Status column

void TMDISetup::SetStatusCell(int32_t Row, const String& Text)
{
  if (Row < 0 || Row >= SetupRowCount)
    throw ERangeError(QStringLiteral("Set-up grid row %1 outside 0..%2").arg(Row).arg(SetupRowCount - 1));
  ZurEvoderOzod1->SetCells(ColStatus, Row, Text);
}

String TMDISetup::StatusCell(int32_t Row) const
{
  if (Row < 0 || Row >= SetupRowCount)
    return String();
  return ZurEvoderOzod1->Cells(ColStatus, Row);
}

void TMDISetup::DataUpdate()
{
  TCoreData& C = FHost.Core();
  struct TRow {
    int32_t Row;
    bool Fitted;
    String* Text;
  };
  const TRow Rows[] = {
      {SetupRowQuorndeck, C.SlotFitted(slConductivity), &C.PortData1},
      {SetupRowOutput1, C.Output_1_Fitted == 1, &C.PortData2},
      {SetupRowOutput1 + 1, C.Output_2_Fitted == 1, &C.PortData8},
      {SetupRowOutput1 + 2, C.Output_3_Fitted == 1, &C.PortData9},
      {SetupRowOutput1 + 3, C.Output_4_Fitted == 1, &C.PortData10},
      {SetupRowQYR1, C.SlotFitted(slQYR1), &C.PortData3},
      {SetupRowQYR1 + 1, C.SlotFitted(slQYR2), &C.PortData4},
      {SetupRowQYR1 + 2, C.SlotFitted(slQYR3), &C.PortData5},
      {SetupRowQYR1 + 3, C.SlotFitted(slQYR4), &C.PortData6},
      {SetupRowAtmospheric, C.SlotFitted(slAP1), &C.PortData7},
  };
  try {
    for (const TRow& R : Rows) {
      if (!R.Fitted)
        continue;
      // An output's status carries the count of telegrams it skipped.
      SetStatusCell(R.Row, IsOutputRow(R.Row) ? C.OutputStatusShown(OutputOfRow(R.Row)) : *R.Text);
    }
  } catch (const std::exception& E) {
    qWarning().noquote() << QStringLiteral("Fathomix: set-up status not shown: %1").arg(E.what());
    for (const TRow& R : Rows)
      if (R.Fitted) {
        *R.Text = UnknownStatus;
        ZurEvoderOzod1->SetCells(ColStatus, R.Row, UnknownStatus);
      }
  }
  FHost.ProcessMessages();
}
