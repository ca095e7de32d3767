// The string grid's store of cell graphic records.
#include "grid/core/ZurEvoderOzod.h"

#include "Tracked.h"

#include "grid/base/GridBehaviour.h"

#include <gtest/gtest.h>

TEST(CellGraphicStore, MadeFoundReplacedAndFreed)
{
  TZurEvoderOzod G(nullptr);
  TCellGraphic* A = G.CreateCellGraphic(2, 2);
  EXPECT_EQ(A->CellType(), ctNone); // the caller sets the kind
  EXPECT_TRUE(G.Cells(2, 2).isEmpty());
  EXPECT_EQ(G.GetCellGraphic(2, 2), A);
  EXPECT_EQ(G.GetCellType(2, 2), ctNone);
  EXPECT_EQ(G.GetCellType(3, 2), ctEmpty);
  EXPECT_EQ(G.GetCellType(-1, 2), ctEmpty);

  bool MadeFreed = false, TheirsFreed = false;
  A->SetCellType(ctBitmap);
  A->SetCellBitmap(new TTracked(&MadeFreed));
  A->SetCellCreated(true);
  TCellGraphic* B = G.CreateCellGraphic(2, 2); // replaces and frees A with what it made
  EXPECT_TRUE(MadeFreed);
  EXPECT_EQ(G.GetCellGraphic(2, 2), B);

  auto* Theirs = new TTracked(&TheirsFreed);
  B->SetCellType(ctBitmap);
  B->SetCellBitmap(Theirs); // handed in: not created by the record
  EXPECT_FALSE(G.RemoveCellGraphic(2, 2, ctButton));
  EXPECT_EQ(G.GetCellGraphic(2, 2), B);
  EXPECT_TRUE(G.RemoveCellGraphic(2, 2, ctBitmap));
  EXPECT_EQ(G.GetCellGraphic(2, 2), nullptr);
  EXPECT_FALSE(TheirsFreed);
  EXPECT_FALSE(G.FreeCellGraphic(2, 2));
  delete Theirs;

  G.SetCells(4, 4, QStringLiteral("kept"));
  G.CreateCellGraphic(4, 4);
  EXPECT_EQ(G.Cells(4, 4).toStdString(), "kept");
}

TEST(CellGraphicStore, MergedRangesAnswerFromTheirBase)
{
  TZurEvoderOzod G(nullptr);
  G.CreateCellGraphic(1, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
  G.MergeCells(1, 1, 2, 2);
  EXPECT_TRUE(G.IsCellGraphic(2, 2, CellTypeBit(ctCheckBox)));
  EXPECT_FALSE(G.IsCellGraphic(2, 2, CellTypeBit(ctRadio)));
  EXPECT_TRUE(G.IsCheckCell(2, 1));
  EXPECT_FALSE(G.IsCellGraphic(-1, 1, CellTypeBit(ctCheckBox)));
}

TEST(CellGraphicStore, HotmailRowSelectShowsRowCheckBoxesInColumnZero)
{
  TZurEvoderOzod G(nullptr);
  G.CreateCellGraphic(0, 3)->SetButton(10, 10, QString(), haLeft, vaTop);
  G.MouseActions()->SetHotmailRowSelect(true);
  for (int32_t R : {0, 1, 3, 9}) {
    SCOPED_TRACE(R);
    EXPECT_EQ(G.GetCellType(0, R), ctRowCheckBox);
  }
  EXPECT_EQ(G.GetCellGraphic(0, 3), G.GetCellGraphic(0, 5)); // the one shared record
  EXPECT_EQ(G.GetCellType(1, 3), ctEmpty);
  G.MouseActions()->SetHotmailRowSelect(false);
  EXPECT_EQ(G.GetCellType(0, 3), ctButton);
}

TEST(CellGraphicStore, EmptinessAndImageKeys)
{
  TZurEvoderOzod G(nullptr);
  EXPECT_TRUE(G.GetCellEmpty(1, 1));
  TCellGraphic* C = G.CreateCellGraphic(1, 1);
  EXPECT_TRUE(G.GetCellEmpty(1, 1));
  C->SetCellComment(QStringLiteral("note"));
  EXPECT_FALSE(G.GetCellEmpty(1, 1));
  C->SetImageIdx(7, haLeft, vaTop);
  EXPECT_EQ(G.GetCellImageIdx(1, 1), 7);
  EXPECT_EQ(G.GetCellImageIdx(2, 1), -1);
  G.CreateCellGraphic(2, 2)->SetMultiImage(2, 2, 0, haLeft, vaTop, nullptr);
  ASSERT_NE(G.GetCellImages(2, 2), nullptr);
  EXPECT_EQ(G.GetCellImages(1, 1), nullptr);
}
