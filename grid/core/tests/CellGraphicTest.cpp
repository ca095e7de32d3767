// The cell graphic record on its own: what its setters store, what it
// frees with itself, and what a copy takes.
#include "grid/core/CellGraphic.h"

#include "Tracked.h"

#include "grid/base/IntList.h"

#include <gtest/gtest.h>

#include <memory>

TEST(CellGraphic, FreesWhatItOwnsAndNothingElse)
{
  struct Case {
    const char* What;
    TCellType Type;
    bool Created;
    int32_t Angle;
    bool InIconSlot;
    bool Freed;
  };
  const Case Cases[] = {
      {"bitmap made by the record", ctBitmap, true, 0, false, true},
      {"bitmap handed in", ctBitmap, false, 0, false, false},
      {"radio choices made", ctRadio, true, 0, false, true},
      {"picture handed in", ctPicture, false, 0, false, false},
      {"bit button glyph made", ctBitButton, true, 0, false, true},
      {"icon made", ctIcon, true, 0, true, true},
      {"icon handed in", ctIcon, false, 0, true, false},
      {"image list always", ctImages, false, 0, false, true},
      {"balloon always", ctBalloon, false, 0, false, true},
      {"balloon on a check box", ctCheckBox, false, 1, false, true},
      {"no balloon on a check box", ctCheckBox, false, 0, false, false},
      {"balloon on a radio button", ctRadioButton, false, 1, false, true},
      {"interface object", ctInterface, true, 0, false, false},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.What);
    bool Freed = false;
    auto* Obj = new TTracked(&Freed);
    {
      TCellGraphic G;
      G.SetCellType(C.Type);
      G.SetCellCreated(C.Created);
      G.SetCellAngle(C.Angle);
      if (C.InIconSlot)
        G.SetCellIcon(Obj);
      else
        G.SetCellBitmap(Obj);
    }
    EXPECT_EQ(Freed, C.Freed);
    if (!Freed)
      delete Obj;
  }
}

TEST(CellGraphic, SettersStoreTheirKind)
{
  TCellGraphic G;
  EXPECT_EQ(G.CellType(), ctNone);
  G.SetButton(80, 20, QStringLiteral("Run"), haCenter, vaCenter);
  EXPECT_EQ(G.CellType(), ctButton);
  EXPECT_EQ(G.CellIndex(), (20 << 16) | 80);
  EXPECT_EQ(G.CellText().toStdString(), "Run");
  G.SetCheckBox(true, true, false, haLeft, vaTop);
  EXPECT_EQ(G.CellType(), ctDataCheckBox);
  EXPECT_TRUE(G.CellBoolean());
  G.SetCheckBox(cbGrayed, true, haLeft, vaTop);
  EXPECT_EQ(G.CellType(), ctTriStateCheckBox);
  EXPECT_EQ(G.CellCheckBoxState(), cbGrayed);
  EXPECT_FALSE(G.CellBoolean());
  G.SetRadioButton(true, false, haLeft, vaTop, rgCol);
  EXPECT_EQ(G.CellAngle(), rgCol);

  int32_t Changes = 0;
  G.SetMultiImage(3, 4, 0, haLeft, vaTop, [&](TObject*, int32_t C, int32_t R) { Changes += C * 10 + R; });
  ASSERT_NE(G.Images(), nullptr);
  EXPECT_TRUE(G.CellBoolean());
  EXPECT_TRUE(G.CellCreated());
  G.Images()->Add(7);
  EXPECT_EQ(Changes, 34);

  struct Angle {
    int16_t In;
    int32_t Stored;
  };
  for (const Angle& A : {Angle{-90, 270}, Angle{720, 360}, Angle{360, 360}, Angle{0, 0}, Angle{-720, 0}}) {
    SCOPED_TRACE(A.In);
    TCellGraphic R;
    R.SetAngle(A.In);
    EXPECT_EQ(R.CellType(), ctRotated);
    EXPECT_EQ(R.CellAngle(), A.Stored);
  }
}

TEST(CellGraphic, AssignCopiesTheFieldsNotTheSlots)
{
  bool Freed = false;
  TCellGraphic Source;
  Source.SetBitButton(10, 12, QStringLiteral("Go"), nullptr, haRight, vaBottom);
  Source.SetCellBitmap(new TTracked(&Freed));
  Source.SetCellCreated(true);
  Source.SetCellValue(2.5);
  Source.SetCellErrFrom(3);
  Source.SetCellCheckBoxState(cbChecked);
  Source.SetCellComment(QStringLiteral("note"));
  Source.SetCellVar(int32_t(4));

  TCellGraphic Copy;
  Copy.Assign(&Source);
  EXPECT_EQ(Copy.CellType(), ctBitButton);
  EXPECT_EQ(Copy.CellHAlign(), haRight);
  EXPECT_EQ(Copy.CellText().toStdString(), "Go");
  EXPECT_DOUBLE_EQ(Copy.CellValue(), 2.5);
  EXPECT_EQ(Copy.CellErrFrom(), 3);
  EXPECT_EQ(Copy.CellBitmap(), nullptr);
  EXPECT_EQ(Copy.CellCheckBoxState(), cbUnchecked);
  EXPECT_TRUE(Copy.CellComment().isEmpty());
  EXPECT_TRUE(std::holds_alternative<std::monostate>(Copy.CellVar()));
  // The copy claims it made an object it does not hold; freeing it frees
  // nothing.
  Copy.SetCellCreated(false);

  Copy.Assign(nullptr);
  EXPECT_EQ(Copy.CellType(), ctBitButton);
}
