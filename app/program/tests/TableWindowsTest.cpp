// The three table windows in the real main window, fed by the simulator's
// cast through the real core (CastFixture.h), checked against what the core
// computed and kept (value table, history, depth tables).
#include "CastFixture.h"

#include "app/windows/DisplayNameDlg.h"
#include "app/windows/DisplayWindow.h"
#include "app/windows/DisplayWindows.h"
#include "app/windows/MDIDepthScroll.h"
#include "app/windows/MDILast.h"
#include "app/windows/MDIScroll.h"
#include "grid/core/ZurEvoderOzod.h"
#include "platform/ActnList.h"
#include "platform/Colors.h"
#include "platform/FontFamilies.h"
#include "platform/Graphics.h"
#include "platform/StdActns.h"
#include "platform/tests/GoldenImage.h"
#include "rtl/DateTime.h"
#include "rtl/IniFile.h"
#include "rtl/Numbers.h"

#include <QAbstractScrollArea>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <map>
#include <set>

namespace {

class TableWindowsTest : public TCastTest {
protected:
  static String Cell(TTableWindow& W, int32_t Col, int32_t Row) { return W.ZurEvoderOzod1->Cells(Col, Row); }

  // A row of the grid, ColCount cells.
  static QStringList Row(TTableWindow& W, int32_t R)
  {
    QStringList L;
    for (int32_t C = 0; C < W.ZurEvoderOzod1->ColCount(); ++C)
      L.append(Cell(W, C, R));
    return L;
  }
};

// Fitted: the instrument's measured values, sound speed, total depth and
// salinity; bathy depth, density and mean density not. So item N is slot
// N - 1 only up to item 6: total depth is item 7, salinity item 8.
const std::set<int> Fitted = {0, 1, 2, 3, 4, 5, 7, 10};
struct TItem {
  int N;
  int Slot;
};
const TItem Items[] = {{1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 7}, {8, 10}};

} // namespace

TEST_F(TableWindowsTest, ACastFillsTheTablesWithWhatTheCoreComputed)
{
  StartWith(Fitted);
  auto* Last = Open<TMDILast>(TMdiChildKind::LastData);
  auto* Scroll = Open<TMDIScroll>(TMdiChildKind::Scroll);
  auto* Depth = Open<TMDIDepthScroll>(TMdiChildKind::DepthScroll);
  ASSERT_TRUE(Last && Scroll && Depth);
  EXPECT_EQ(Last->Caption(), QStringLiteral("Last Data Window"));
  EXPECT_EQ(Scroll->Caption(), QStringLiteral("Scroll Window"));
  EXPECT_EQ(Depth->Caption(), QStringLiteral("Depth Scroll Window"));
  for (TTableWindow* W :
       {static_cast<TTableWindow*>(Last), static_cast<TTableWindow*>(Scroll), static_cast<TTableWindow*>(Depth)}) {
    EXPECT_EQ(W->BoundsRect(), (TRect{0, 0, 320, 240})) << W->Name().toStdString();
    for (const TItem& I : Items)
      W->Action(I.N)->Execute();
  }
  // Total depth before the salinity: the items' order, not the slots'.
  EXPECT_EQ(Row(*Scroll, 0),
            (QStringList{"Date", "Time", "Conductivity, mS/cm", "Pressure, dBar", "Temperature, degC", "Altimeter, m",
                         "SV, m/s", "Sound Speed, m/s", "Total Depth, m", "Salinity, PSU"}));
  EXPECT_EQ(Cell(*Depth, 0, 0), QStringLiteral("Depth, m"));
  EXPECT_EQ(Cell(*Depth, 8, 0), QStringLiteral("Salinity, PSU"));

  constexpr int Count = 30;
  Cast(Count);
  const TCoreData& C = Core();
  ASSERT_EQ(C.History.Time_Array_Index(), Count);

  // Latest values: each item's reading and stamp; the salinity is inside
  // the default range.
  ASSERT_EQ(Last->ZurEvoderOzod1->RowCount(), 9);
  for (const TItem& I : Items) {
    const auto Index = static_cast<size_t>(2 * I.N - 1);
    EXPECT_EQ(Row(*Last, I.N),
              (QStringList{C.SensorName[static_cast<size_t>(I.N - 1)], DateText(C.DataDateArray[Index]),
                           TimeText(C.DataTimeArray[Index]), C.DataArray[Index], QStringLiteral("0")}))
        << "item " << I.N;
  }
  EXPECT_EQ(Cell(*Last, 2, 1), QStringLiteral("09:00:30"));

  // Time scroll: newest on top, one row per sample, the history's texts;
  // the row emptied by the rebuild at the bottom.
  ASSERT_EQ(Scroll->ZurEvoderOzod1->RowCount(), Count + 2);
  for (int32_t R = 1; R <= Count; ++R) {
    const int32_t J = Count - R;
    QStringList Want{DateText(C.History.DateArray(J)), TimeText(C.History.TimeArray(J))};
    for (const TItem& I : Items)
      Want.append(C.History.Value(I.Slot, J));
    EXPECT_EQ(Row(*Scroll, R), Want) << "row " << R;
  }
  EXPECT_EQ(Row(*Scroll, 1).mid(2, 8),
            (QStringList{C.DataArray[1], C.DataArray[3], C.DataArray[5], C.DataArray[7], C.DataArray[9],
                         C.DataArray[11], C.DataArray[13], C.DataArray[15]}));
  EXPECT_EQ(Row(*Scroll, Count + 1).join(QString()), QString());

  // Depth scroll: every bin of every column is the depth table of the
  // item's slot in the item's mask.
  const auto ExpectDepthTables = [&](const std::vector<TItem>& Shown) {
    int Seen = 0;
    for (int32_t Bin = 1; Bin <= 6000; ++Bin) {
      ASSERT_EQ(Cell(*Depth, 0, Bin), IntToStr(C.Bins.TableDepthArray(Bin))) << "bin " << Bin;
      for (size_t K = 0; K < Shown.size(); ++K) {
        const TItem& I = Shown[K];
        const double V = C.DepthTables.Value(I.Slot, Bin);
        Seen += V != 0;
        ASSERT_EQ(Cell(*Depth, static_cast<int32_t>(K + 1), Bin),
                  FormatFloat(QString::fromLatin1(SlotSettings[I.Slot].Mask), V))
            << "bin " << Bin << ", item " << I.N;
      }
    }
    // The cast went through some twenty bins.
    EXPECT_GT(Seen, static_cast<int>(Shown.size()) * 15);
  };
  ExpectDepthTables(std::vector<TItem>(std::begin(Items), std::end(Items)));
  // Items 2 and 3 off: the columns from the second on show other items.
  Choose(*Depth, {2, 3});
  Cast(2);
  std::vector<TItem> Rest(std::begin(Items), std::end(Items));
  Rest.erase(Rest.begin() + 1, Rest.begin() + 3);
  ASSERT_EQ(Depth->ZurEvoderOzod1->ColCount(), 7);
  ExpectDepthTables(Rest);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TableWindowsTest, NothingChosenNothingWritten)
{
  StartWith(Fitted);
  auto* Last = Open<TMDILast>(TMdiChildKind::LastData);
  auto* Scroll = Open<TMDIScroll>(TMdiChildKind::Scroll);
  auto* Depth = Open<TMDIDepthScroll>(TMdiChildKind::DepthScroll);
  Cast(3);
  EXPECT_EQ(Last->ZurEvoderOzod1->RowCount(), 2);
  EXPECT_EQ(Row(*Last, 1).join(QString()), QString());
  EXPECT_EQ(Scroll->ZurEvoderOzod1->RowCount(), 2);
  EXPECT_EQ(Scroll->ZurEvoderOzod1->ColCount(), 1);
  EXPECT_EQ(Depth->ZurEvoderOzod1->RowCount(), 6001);
  EXPECT_EQ(Cell(*Depth, 0, 1), QString());

  // The last item switched off: the counts of an empty choice, the cells as
  // they were, and no further writing.
  Choose(*Scroll, {2});
  Choose(*Depth, {2});
  Cast(1);
  const QStringList Newest = Row(*Scroll, 1);
  const String Bin1 = Cell(*Depth, 1, 1);
  ASSERT_FALSE(Bin1.isEmpty());
  Choose(*Scroll, {2});
  Choose(*Depth, {2});
  Cast(2);
  EXPECT_EQ(Scroll->ZurEvoderOzod1->RowCount(), 2);
  EXPECT_EQ(Scroll->ZurEvoderOzod1->ColCount(), 3);
  EXPECT_EQ(Row(*Scroll, 1), Newest);
  EXPECT_EQ(Depth->ZurEvoderOzod1->ColCount(), 2);
  EXPECT_EQ(Cell(*Depth, 1, 1), Bin1);
}

TEST_F(TableWindowsTest, TheScrollWindowKeepsMaximumViewPointsRowsAndReplaysTheHistory)
{
  StartWith(Fitted, "[Quorndeck]\r\nMaximum View Points=60\r\n");
  ASSERT_EQ(Core().Maximum_View_Points, 60);
  auto* Live = Open<TMDIScroll>(TMdiChildKind::Scroll);
  Choose(*Live, {2, 7});
  Cast(10);
  // A window opened before the history is full: the samples so far, and
  // the row its rebuild emptied at the bottom.
  auto* Early = Open<TMDIScroll>(TMdiChildKind::Scroll);
  Choose(*Early, {2, 7});
  ASSERT_EQ(Early->ZurEvoderOzod1->RowCount(), 12);
  for (int32_t R = 0; R <= 10; ++R)
    EXPECT_EQ(Row(*Early, R), Row(*Live, R)) << "row " << R;
  EXPECT_EQ(Row(*Early, 11).join(QString()), QString());
  Early->Close();
  Cast(60);
  // The header and the 59 newest samples.
  ASSERT_EQ(Live->ZurEvoderOzod1->RowCount(), 60);
  EXPECT_EQ(Cell(*Live, 1, 1), QStringLiteral("09:01:10"));
  EXPECT_EQ(Cell(*Live, 1, 59), QStringLiteral("09:00:12"));

  // A window opened now replays the same 59 samples.
  auto* Late = Open<TMDIScroll>(TMdiChildKind::Scroll);
  Choose(*Late, {2, 7});
  ASSERT_EQ(Late->ZurEvoderOzod1->RowCount(), 60);
  for (int32_t R = 0; R < 60; ++R)
    EXPECT_EQ(Row(*Late, R), Row(*Live, R)) << "row " << R;

  // Limits lowered while the windows stand: the next sample trims to them.
  struct TCase {
    int32_t Limit;
    int32_t Rows;
  };
  for (const TCase& K : {TCase{40, 40}, TCase{1, 2}}) {
    Core().Maximum_View_Points = K.Limit;
    Cast(1);
    EXPECT_EQ(Live->ZurEvoderOzod1->RowCount(), K.Rows) << "limit " << K.Limit;
    EXPECT_EQ(Late->ZurEvoderOzod1->RowCount(), K.Rows) << "limit " << K.Limit;
    EXPECT_EQ(Cell(*Live, 1, 1), TimeText(Core().DataTimeArray[3])) << "limit " << K.Limit;
  }
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TableWindowsTest, TheScrollWindowsStampIsThatOfTheNewestReadingInTheRow)
{
  // Pressure modules only, no profiling instrument: slot 0 is not fitted
  // and entry 0 of the stamps was never set.
  StartWith({12, 16});
  ASSERT_EQ(Core().ConductivityIndex, 0);
  auto* W = Open<TMDIScroll>(TMdiChildKind::Scroll);
  Choose(*W, {1, 2});
  struct TCase {
    const char* What;
    TDateTime Stamp1, Stamp2;
    const char* Date;
    const char* Time;
  };
  const TDateTime Day = EncodeDate(2022, 3, 4);
  const TCase Cases[] = {
      {"second newer", Day + EncodeTime(10, 0, 0, 0), Day + EncodeTime(10, 0, 5, 0), "04/03/2022", "10:00:05"},
      {"first newer", Day + EncodeTime(11, 0, 0, 0), Day + EncodeTime(10, 59, 0, 0), "04/03/2022", "11:00:00"},
      {"across midnight", Day + EncodeTime(23, 59, 59, 0), Day + 1 + EncodeTime(0, 0, 1, 0), "05/03/2022", "00:00:01"},
  };
  for (const TCase& K : Cases) {
    Core().StoreValue(1, 10.5, DateOf(K.Stamp1), TimeOf(K.Stamp1));
    Core().StoreValue(3, 11.5, DateOf(K.Stamp2), TimeOf(K.Stamp2));
    Core().Hooks.UpdateWindows();
    EXPECT_EQ(Row(*W, 1), (QStringList{K.Date, K.Time, "10.500", "11.500"})) << K.What;
  }
}

TEST_F(TableWindowsTest, TheQualityMarkJudgesTheSalinityOrIsLeftOut)
{
  struct TCase {
    const char* What;
    std::set<int> Slots;
    const char* Salinity; // written into the salinity's entry; nullptr: none fitted
    const char* Mark;
  };
  const TCase Cases[] = {
      {"inside", Fitted, "35.000", "0"},
      {"on the upper limit", Fitted, "42.000", "0"},
      {"above", Fitted, "42.010", "1"},
      {"on the lower limit", Fitted, "0.000", "0"},
      {"below", Fitted, "-0.500", "1"},
      {"no number", Fitted, "-----", ""},
      {"no salinity sensor", {0, 1, 2}, nullptr, ""},
  };
  for (const TCase& K : Cases) {
    SCOPED_TRACE(K.What);
    Form.reset();
    StartWith(K.Slots);
    auto* W = Open<TMDILast>(TMdiChildKind::LastData);
    Choose(*W, {1, 2});
    // Before the first sample there is nothing to judge.
    EXPECT_EQ(Cell(*W, 4, 1), QString());
    Core().DataArray[3] = QStringLiteral("12.34");
    if (K.Salinity)
      Core().DataArray[static_cast<size_t>(Core().SalinityIndex)] = QString::fromLatin1(K.Salinity);
    Core().Hooks.UpdateWindows();
    // The readings are written whatever the mark.
    EXPECT_EQ(Cell(*W, 3, 2), QStringLiteral("12.34"));
    for (int32_t R = 1; R <= 2; ++R) {
      EXPECT_EQ(Cell(*W, 4, R), QString::fromLatin1(K.Mark)) << "row " << R;
      TBrush Brush;
      TFont Font;
      Brush.SetColor(clWhite);
      Font.SetColor(clBlack);
      W->ZurEvoderOzod1->OnGetCellColor(W->ZurEvoderOzod1, R, 4, TGridDrawState{}, &Brush, &Font);
      const TColor Want = *K.Mark == '1' ? TColor(255) : *K.Mark == '0' ? TColor(32768) : clWhite;
      EXPECT_EQ(Brush.Color(), Want) << "row " << R;
      EXPECT_EQ(Font.Color(), *K.Mark ? Want : clBlack) << "row " << R;
      // Only the mark column is coloured.
      Brush.SetColor(clWhite);
      W->ZurEvoderOzod1->OnGetCellColor(W->ZurEvoderOzod1, R, 3, TGridDrawState{}, &Brush, &Font);
      EXPECT_EQ(Brush.Color(), clWhite);
    }
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
  }
}

TEST_F(TableWindowsTest, ARowThatTakesAnotherItemDropsTheOldReading)
{
  StartWith(Fitted);
  auto* W = Open<TMDILast>(TMdiChildKind::LastData);
  Choose(*W, {1, 3});
  Cast(1);
  const QStringList Row1 = Row(*W, 1), Row2 = Row(*W, 2);
  ASSERT_EQ(Row2[3], Core().DataArray[5]);

  // Item 2 in between: row 2 is item 2's now, row 3 item 3's.
  Choose(*W, {2});
  EXPECT_EQ(Row(*W, 1), Row1);
  EXPECT_EQ(Row(*W, 2), (QStringList{Core().SensorName[1], "", "", "", ""}));
  EXPECT_EQ(Row(*W, 3), (QStringList{Core().SensorName[2], "", "", "", ""}));
  Cast(1);
  EXPECT_EQ(Cell(*W, 3, 2), Core().DataArray[3]);
  EXPECT_EQ(Cell(*W, 3, 3), Core().DataArray[5]);

  // Item 3 off: its row goes; item 2 keeps its row and reading.
  const QStringList Item2 = Row(*W, 2);
  Choose(*W, {3});
  EXPECT_EQ(W->ZurEvoderOzod1->RowCount(), 3);
  EXPECT_EQ(Row(*W, 2), Item2);
  // Item 1 off: item 2 moves up into a row that showed item 1.
  Choose(*W, {1});
  EXPECT_EQ(Row(*W, 1), (QStringList{Core().SensorName[1], "", "", "", ""}));
  // The last one off: the row keeps what it showed.
  Cast(1);
  const QStringList Shown = Row(*W, 1);
  Choose(*W, {2});
  EXPECT_EQ(W->ZurEvoderOzod1->RowCount(), 2);
  EXPECT_EQ(Row(*W, 1), Shown);
}

TEST_F(TableWindowsTest, TheOperatorsColumnWidthsAreKeptPerKind)
{
  StartWith(Fitted);
  const String File = Folder() + QStringLiteral("/colsizes.ini");
  struct TCase {
    TMdiChildKind Kind;
    const char* Section;
    int32_t Col;
  };
  for (const TCase& K :
       {TCase{TMdiChildKind::Scroll, "Time Scroll", 2}, TCase{TMdiChildKind::DepthScroll, "Depth Scroll", 1}}) {
    SCOPED_TRACE(K.Section);
    Form->DisplayTypeClick(K.Kind);
    auto* W = dynamic_cast<TTableWindow*>(Form->MDIChildren(0));
    ASSERT_NE(W, nullptr);
    Choose(*W, {1, 2});
    TZurEvoderOzod* G = W->ZurEvoderOzod1;
    // The operator sizes a column: the grid asks its window first.
    G->SetColWidths(K.Col, 123);
    bool Allow = true;
    ASSERT_TRUE(G->OnColumnSize);
    G->OnColumnSize(G, K.Col, Allow);
    EXPECT_EQ(TIniFile(File).ReadInteger(QString::fromLatin1(K.Section), QStringLiteral("Col%1").arg(K.Col), 0), 123);
    // A column edge dragged in the header: the new width is saved as the
    // button is released.
    QWidget* View = qobject_cast<QAbstractScrollArea*>(G->Handle())->viewport();
    const TRect Header = G->CellRect(K.Col, 0);
    const QPoint Edge(Header.Right - 1, Header.Top + 5);
    QTest::mousePress(View, Qt::LeftButton, Qt::NoModifier, Edge);
    QTest::mouseMove(View, Edge + QPoint(-23, 0));
    QTest::mouseRelease(View, Qt::LeftButton, Qt::NoModifier, Edge + QPoint(-23, 0));
    EXPECT_EQ(G->ColWidths(K.Col), 100);
    EXPECT_EQ(TIniFile(File).ReadInteger(QString::fromLatin1(K.Section), QStringLiteral("Col%1").arg(K.Col), 0), 100);
    G->SetColWidths(K.Col, 123);
    // The last sizing is saved when the window goes.
    G->SetColWidths(K.Col + 1, 77);
    const int32_t Components = Form->ComponentCount();
    W->Close();
    ASSERT_TRUE(PumpUntil([&] { return Form->ComponentCount() == Components - 1; }));
    EXPECT_EQ(TIniFile(File).ReadInteger(QString::fromLatin1(K.Section), QStringLiteral("Col%1").arg(K.Col + 1), 0),
              77);

    // A new window of the kind takes them, also for columns it adds later.
    Form->DisplayTypeClick(K.Kind);
    auto* Next = dynamic_cast<TTableWindow*>(Form->MDIChildren(0));
    Choose(*Next, {1, 2});
    EXPECT_EQ(Next->ZurEvoderOzod1->ColWidths(K.Col), 123);
    EXPECT_EQ(Next->ZurEvoderOzod1->ColWidths(K.Col + 1), 77);
    Next->Close();
  }
}

TEST_F(TableWindowsTest, AColumnSizeFileThatCannotBeWrittenCostsTheWidthsNotTheWindow)
{
  StartWith(Fitted);
  // Something that is no file under the name: reads as empty, takes no
  // writing.
  ASSERT_TRUE(QDir().mkdir(Folder() + QStringLiteral("/colsizes.ini")));
  for (TMdiChildKind Kind : {TMdiChildKind::Scroll, TMdiChildKind::DepthScroll}) {
    Form->DisplayTypeClick(Kind);
    auto* W = dynamic_cast<TTableWindow*>(Form->MDIChildren(0));
    ASSERT_NE(W, nullptr);
    Choose(*W, {1, 2});
    EXPECT_EQ(W->ItemMask(), 3);
    EXPECT_EQ(Cell(*W, W->ZurEvoderOzod1->ColCount() - 1, 0), Core().SensorName[1]);
    bool Allow = true;
    W->ZurEvoderOzod1->OnColumnSize(W->ZurEvoderOzod1, 1, Allow);
  }
  Cast(2);
  auto* Scroll = Windows<TMDIScroll>().front();
  EXPECT_EQ(Scroll->ZurEvoderOzod1->RowCount(), 4);
  EXPECT_EQ(Cell(*Scroll, 3, 1), Core().DataArray[3]);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TableWindowsTest, AUserDisplayReopensTheTableWindowsWithTheirPlacesItemsColoursAndFonts)
{
  TMainForm& F = StartWith(Fitted);
  const auto RestoreDialogs = qScopeGuard([] {
    ColorDialogExecute = nullptr;
    FontDialogExecute = nullptr;
  });
  auto* Last = Open<TMDILast>(TMdiChildKind::LastData);
  auto* Scroll = Open<TMDIScroll>(TMdiChildKind::Scroll);
  auto* Depth = Open<TMDIDepthScroll>(TMdiChildKind::DepthScroll);
  struct TWant {
    TTableWindow* Window;
    const char* FormName;
    std::initializer_list<int> Items;
    int32_t Mask;
    TRect Bounds;
    TColor Color;
    const char* FontName;
    int32_t FontSize;
    TColor FontColor;
  };
  const TWant Wants[] = {
      {Last, "MDILast", {1, 8}, 0x81, TRect{10, 20, 330, 260}, 0x00CCFFFF, "Courier New", 12, 0x00800000},
      {Scroll, "MDIScroll", {2, 3, 7}, 0x46, TRect{340, 0, 740, 300}, 0x00FFCCCC, "Arial", 9, 0x00008000},
      {Depth, "MDIDepthScroll", {7}, 0x40, TRect{0, 260, 500, 560}, 0x00E0E0E0, "Times New Roman", 10, 0x00000080},
  };
  for (const TWant& K : Wants) {
    Choose(*K.Window, K.Items);
    ColorDialogExecute = [&K](TColor& C) {
      C = K.Color;
      return true;
    };
    FontDialogExecute = [&K](TFont& Font) {
      Font.SetName(QString::fromLatin1(K.FontName));
      Font.SetSize(K.FontSize);
      Font.SetColor(K.FontColor);
      Font.SetStyle(FontStyleBit(fsItalic));
      return true;
    };
    K.Window->ColorSelect1->Execute();
    K.Window->FontEdit1->Execute();
    K.Window->SetBounds(K.Bounds.Left, K.Bounds.Top, K.Bounds.Width(), K.Bounds.Height());
    // The fixed cells take the font in black.
    EXPECT_EQ(K.Window->ZurEvoderOzod1->FixedFont()->Name(), QString::fromLatin1(K.FontName));
    EXPECT_EQ(K.Window->ZurEvoderOzod1->FixedFont()->Color(), clBlack);
  }
  QTimer::singleShot(0, [this] { Form->DisplayNameDialog()->OKBtn->Click(); });
  F.SaveActions[1]->Execute();
  ASSERT_TRUE(ReadSettings().contains("=MDILast\r\n")) << ReadSettings().toStdString();

  F.Load2Execute();
  // The windows saved are closed; only the reopened ones are left.
  EXPECT_EQ(Windows<TTableWindow>().size(), 3u);
  for (const TWant& K : Wants) {
    SCOPED_TRACE(K.FormName);
    TTableWindow* Found = nullptr;
    for (TTableWindow* W : Windows<TTableWindow>())
      if (W->Name() == QLatin1String(K.FormName))
        Found = W;
    ASSERT_NE(Found, nullptr);
    EXPECT_EQ(Found->BoundsRect(), K.Bounds);
    EXPECT_EQ(Found->ItemMask(), K.Mask);
    for (int N = 1; N <= 8; ++N)
      EXPECT_EQ(Found->Action(N)->Checked(), ((K.Mask >> (N - 1)) & 1) != 0) << N;
    const TZurEvoderOzod* G = Found->ZurEvoderOzod1;
    EXPECT_EQ(G->Color(), K.Color);
    EXPECT_EQ(G->Font()->Name(), QString::fromLatin1(K.FontName));
    EXPECT_EQ(G->Font()->Size(), K.FontSize);
    EXPECT_EQ(G->Font()->Color(), K.FontColor);
    EXPECT_EQ(G->Font()->Style(), FontStyleBit(fsItalic));
    // The fixed cells take the saved font but keep the colour a new
    // window's have.
    EXPECT_EQ(G->FixedFont()->Name(), QString::fromLatin1(K.FontName));
    EXPECT_EQ(G->FixedFont()->Size(), K.FontSize);
    EXPECT_EQ(G->FixedFont()->Color(), clWindowText);
  }
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join(QLatin1Char('\n')).toStdString();
}

TEST_F(TableWindowsTest, EachTableWindowAfterAShortCastLooksAsItDid)
{
  StartWith(Fitted, "[Quorndeck]\r\nSalinity High=34\r\n");
  auto* Last = Open<TMDILast>(TMdiChildKind::LastData);
  Choose(*Last, {2, 3, 8});
  auto* Scroll = Open<TMDIScroll>(TMdiChildKind::Scroll);
  Choose(*Scroll, {2, 3, 7});
  auto* Depth = Open<TMDIDepthScroll>(TMdiChildKind::DepthScroll);
  Choose(*Depth, {2, 7, 8});
  // Wide enough for the latest values' mark column.
  for (TTableWindow* W :
       {static_cast<TTableWindow*>(Last), static_cast<TTableWindow*>(Scroll), static_cast<TTableWindow*>(Depth)})
    W->SetBounds(0, 0, 440, 240);
  // The operator's choices from the pop-up menu: a font for the latest
  // values (whose own, Tahoma, is drawn with whatever a machine has in its
  // place), a background for the time scroll.
  const auto RestoreDialogs = qScopeGuard([] {
    ColorDialogExecute = nullptr;
    FontDialogExecute = nullptr;
  });
  FontDialogExecute = [](TFont& Font) {
    Font.SetName(QStringLiteral("Arial"));
    Font.SetSize(9);
    Font.SetColor(0x00800000);
    Font.SetStyle(0);
    return true;
  };
  Last->FontEdit1->Execute();
  ColorDialogExecute = [](TColor& C) {
    C = 0x00E0FFFF;
    return true;
  };
  Scroll->ColorSelect1->Execute();
  Cast(12);
  struct TCase {
    TTableWindow* Window;
    const char* Golden;
  };
  for (const TCase& K : {TCase{Last, "table_last"}, TCase{Scroll, "table_scroll"}, TCase{Depth, "table_depth"}}) {
    K.Window->ZurEvoderOzod1->SetTopRow(1);
    const QImage Shot = K.Window->Handle()->grab().toImage();
    EXPECT_GOLDEN(Shot, QString::fromLatin1(K.Golden), 16, 30);
  }
}
