// The per-point visual blocks of a series: a sparse list, blocks cloned
// from a template, forgotten when freed elsewhere, drawn per point and for
// walls.
#include "CoreTestSupport.h"

#include "chart/core/ChartLegend.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/VisualsList.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace {

class TPlainSeries : public TChartSeries {
public:
  using TChartSeries::Notification;
  using TChartSeries::TChartSeries;
};

// Blocks named A, B, ... owned by nobody (the test frees them).
struct TBlocks {
  std::map<char, std::unique_ptr<TRecordingBlock>> Made;
  TVisualBlock* operator()(char Name)
  {
    auto& B = Made[Name];
    if (!B)
      B = std::make_unique<TRecordingBlock>(nullptr);
    return B.get();
  }
  // "-" for an empty entry, the block's name otherwise, "?" for a stranger.
  QString Layout(const TVisualsList& L) const
  {
    QStringList R;
    for (int32_t I = 0; I < L.Count(); ++I) {
      const TVisualBlock* V = L.StoredVisual(I);
      QString S = V ? QStringLiteral("?") : QStringLiteral("-");
      for (const auto& [N, B] : Made)
        if (B.get() == V)
          S = QChar(N);
      R << S;
    }
    return R.join(QLatin1Char(','));
  }
};

} // namespace

TEST(VisualsList, IsSparse)
{
  struct TCase {
    const char* Name;
    std::function<void(TVisualsList&, TBlocks&)> Ops;
    QString Layout;
  };
  const std::vector<TCase> Cases{
      {"set past the end grows", [](auto& L, auto& B) { L.SetVisual(3, B('A')); }, "-,-,-,A"},
      {"nil empties, keeps the length",
       [](auto& L, auto& B) {
         L.SetVisual(3, B('A'));
         L.SetVisual(3, nullptr);
       },
       "-,-,-,-"},
      {"nil past the end does nothing", [](auto& L, auto&) { L.SetVisual(5, nullptr); }, ""},
      {"nil inserted into nothing does nothing", [](auto& L, auto&) { L.InsertVisual(0, nullptr); }, ""},
      {"insert past the end grows", [](auto& L, auto& B) { L.InsertVisual(2, B('A')); }, "-,-,A"},
      {"insert moves up",
       [](auto& L, auto& B) {
         L.SetVisual(0, B('A'));
         L.InsertVisual(0, B('B'));
         L.InsertVisual(1, nullptr);
       },
       "B,-,A"},
      {"insert far past the end",
       [](auto& L, auto& B) {
         L.SetVisual(0, B('A'));
         L.InsertVisual(3, B('B'));
       },
       "A,-,-,B"},
      {"delete past the end removes nothing",
       [](auto& L, auto& B) {
         L.SetVisual(1, B('A'));
         L.DeleteVisual(5);
         L.DeleteVisual(-1);
       },
       "-,A"},
      {"delete moves down",
       [](auto& L, auto& B) {
         L.SetVisual(1, B('A'));
         L.DeleteVisual(0);
       },
       "A"},
      {"exchange past the end grows",
       [](auto& L, auto& B) {
         L.SetVisual(0, B('A'));
         L.Exchange(0, 2);
       },
       "-,-,A"},
      {"reading past the end without a template", [](auto& L, auto&) { EXPECT_EQ(L.GetVisual(9), nullptr); }, ""},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TBlocks B;
    TPlainSeries S(nullptr);
    C.Ops(*S.Visuals(), B);
    EXPECT_EQ(B.Layout(*S.Visuals()), C.Layout);
  }
}

TEST(VisualsList, FreesOnlyTheBlocksTheSeriesOwns)
{
  TPlainSeries S(nullptr);
  TVisualsList& L = *S.Visuals();
  bool OwnedFreed = false, ForeignFreed = false;
  auto* Owned = new TRecordingBlock(&S);
  Owned->Freed = &OwnedFreed;
  TRecordingBlock Foreign(nullptr);
  Foreign.Freed = &ForeignFreed;

  L.SetVisual(0, Owned);
  L.SetVisual(1, &Foreign);
  L.SetVisual(0, Owned); // the same block again stays
  EXPECT_FALSE(OwnedFreed);
  L.SetVisual(0, nullptr);
  EXPECT_TRUE(OwnedFreed);
  L.DeleteVisual(0); // the empty entry
  L.DeleteVisual(0); // the foreign block: only forgotten
  EXPECT_FALSE(ForeignFreed);
  EXPECT_EQ(L.Count(), 0);

  // Deleting points takes their blocks with them; clearing frees them all.
  OwnedFreed = false;
  for (int I = 0; I < 4; ++I)
    S.Add(I);
  auto* Second = new TRecordingBlock(&S);
  Second->Freed = &OwnedFreed;
  L.SetVisual(1, Second);
  L.SetVisual(3, &Foreign);
  S.Delete(0);
  EXPECT_EQ(L.StoredVisual(0), Second);
  EXPECT_EQ(L.StoredVisual(2), &Foreign);
  S.SwapValueIndex(0, 2);
  EXPECT_EQ(L.StoredVisual(0), &Foreign);
  S.Clear();
  EXPECT_TRUE(OwnedFreed);
  EXPECT_FALSE(ForeignFreed);
  EXPECT_EQ(L.Count(), 0);
}

TEST(VisualsList, ClonesTheTemplateOnFirstRead)
{
  struct TCase {
    const char* Name;
    std::function<std::unique_ptr<TRecordingBlock>()> Make;
    bool Cloned;
  };
  const std::vector<TCase> Cases{
      {"a cloneable block of a listed class", [] { return std::make_unique<TRecordingBlock>(nullptr); }, true},
      {"a block marked not cloneable",
       [] {
         auto B = std::make_unique<TRecordingBlock>(nullptr);
         B->IsCloneable = false;
         return B;
       },
       false},
      {"a block whose class cannot be made by name", [] { return std::make_unique<TUnlistedBlock>(nullptr); }, false},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TPlainSeries S(nullptr);
    auto Template = C.Make();
    Template->Size()->SetPoint(7, 8, 9);
    TVisualsList& L = *S.Visuals();
    L.SetTemplate(Template.get());
    TVisualBlock* V = L.GetVisual(2);
    if (!C.Cloned) {
      EXPECT_EQ(V, nullptr);
      EXPECT_EQ(L.Count(), 0);
      EXPECT_EQ(L.HasUncloneableTemplate(), !Template->IsCloneable);
      continue;
    }
    ASSERT_NE(V, nullptr);
    EXPECT_NE(V, Template.get());
    EXPECT_NE(dynamic_cast<TRecordingBlock*>(V), nullptr);
    EXPECT_EQ(V->Owner(), &S);
    EXPECT_EQ(V->Size()->Point, (TPoint3DFloat{7, 8, 9}));
    EXPECT_EQ(L.GetVisual(2), V); // stored: read once, made once
    EXPECT_EQ(L.Count(), 3);
    EXPECT_EQ(L.StoredVisual(0), nullptr);

    // A new template drops the old clones.
    bool Freed = false;
    static_cast<TRecordingBlock*>(V)->Freed = &Freed;
    L.SetTemplate(nullptr);
    EXPECT_TRUE(Freed);
    EXPECT_EQ(L.Count(), 0);
    EXPECT_EQ(L.GetVisual(2), nullptr);
  }
}

TEST(VisualsList, FreedBlocksAreForgotten)
{
  TPlainSeries S(nullptr);
  TVisualsList& L = *S.Visuals();
  auto Template = std::make_unique<TRecordingBlock>(nullptr);
  L.SetTemplate(Template.get());
  auto Foreign = std::make_unique<TRecordingBlock>(nullptr);
  L.SetVisual(1, Foreign.get());
  TVisualBlock* Clone = L.GetVisual(0);
  ASSERT_NE(Clone, nullptr);

  Template.reset();
  EXPECT_EQ(L.Template(), nullptr);
  EXPECT_EQ(L.StoredVisual(0), Clone); // clones belong to the series
  Foreign.reset();
  EXPECT_EQ(L.StoredVisual(1), nullptr);
  delete Clone; // freed behind the list's back
  EXPECT_EQ(L.StoredVisual(0), nullptr);
  EXPECT_EQ(L.GetVisual(3), nullptr);
}

TEST(VisualsList, AssignTakesTheSourceBlocks)
{
  TPlainSeries Source(nullptr), Target(nullptr);
  TRecordingBlock A(nullptr), Template(nullptr);
  Source.Visuals()->SetVisual(1, &A);
  Source.Visuals()->SetVisual(3, nullptr);
  Target.Visuals()->SetVisual(0, new TRecordingBlock(&Target));
  Target.Visuals()->Assign(*Source.Visuals());
  EXPECT_EQ(Target.Visuals()->Count(), 2);
  EXPECT_EQ(Target.Visuals()->StoredVisual(0), nullptr);
  EXPECT_EQ(Target.Visuals()->StoredVisual(1), &A);

  // Missing entries come from the source's template.
  Source.Visuals()->SetTemplate(&Template);
  Source.Visuals()->SetVisual(2, &A);
  Target.Visuals()->Assign(*Source.Visuals());
  ASSERT_EQ(Target.Visuals()->Count(), 3);
  EXPECT_EQ(Target.Visuals()->StoredVisual(0)->Owner(), &Source);
  EXPECT_EQ(Target.Visuals()->StoredVisual(2), &A);
}

TEST(VisualsList, EditGoesThroughTheInstalledEditor)
{
  struct TCase {
    const char* Name;
    bool Installed;
    int32_t Index;
    bool Changes;
    TVisualBlock* (*Edited)(TVisualsList&);
    int32_t CountAfter;
  };
  const std::vector<TCase> Cases{
      {"no editor", false, -1, true, nullptr, 1},
      {"template changed: clones dropped", true, -1, true, [](TVisualsList& L) { return L.Template(); }, 0},
      {"template unchanged", true, -1, false, [](TVisualsList& L) { return L.Template(); }, 1},
      {"a point's block", true, 0, true, [](TVisualsList& L) { return L.StoredVisual(0); }, 1},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TPlainSeries S(nullptr);
    TRecordingBlock Template(nullptr);
    TVisualsList& L = *S.Visuals();
    L.SetTemplate(&Template);
    ASSERT_NE(L.GetVisual(0), nullptr);
    std::vector<TVisualBlock*> Edited;
    if (C.Installed)
      TVisualsList::Editor = [&](TVisualBlock* B) {
        Edited.push_back(B);
        return C.Changes;
      };
    const TVisualBlock* Expected = C.Edited ? C.Edited(L) : nullptr;
    L.Edit(C.Index);
    TVisualsList::Editor = nullptr;
    EXPECT_EQ(Edited, C.Edited ? std::vector<TVisualBlock*>{const_cast<TVisualBlock*>(Expected)}
                               : std::vector<TVisualBlock*>{});
    EXPECT_EQ(L.Count(), C.CountAfter);
  }
}

namespace {

struct TEntityChart {
  TImageTChart Chart;
  TEntityLogCanvas* Canvas;
  TPlainSeries* Series;
  TEntityChart()
  {
    auto C = std::make_unique<TEntityLogCanvas>();
    C->SupportsID = true;
    Canvas = C.get();
    Chart.SetInternalCanvas(std::move(C));
    Chart.SetView3D(false);
    Chart.Legend()->SetVisible(false);
    Series = new TPlainSeries(&Chart);
    Chart.AddSeries(Series);
    for (int I = 0; I < 3; ++I)
      Series->AddXY(I, I);
  }
  // The per-point entities ("0", "1", ...) and their blocks.
  std::vector<std::pair<String, TVisualBlock*>> PointEntities()
  {
    Canvas->Entities.clear();
    Chart.Draw();
    std::vector<std::pair<String, TVisualBlock*>> R;
    for (const auto& E : Canvas->Entities) {
      bool Number = false;
      E.first.toInt(&Number);
      if (Number)
        R.push_back(E);
    }
    return R;
  }
};

} // namespace

TEST(VisualsList, EachPointIsDrawnInAnEntityWithItsBlock)
{
  TEntityChart W;
  TRecordingBlock Own(nullptr);
  W.Series->Visuals()->SetVisual(1, &Own);
  auto E = W.PointEntities();
  ASSERT_EQ(E.size(), 3u);
  EXPECT_EQ(E[0], (std::pair<String, TVisualBlock*>{QStringLiteral("0"), nullptr}));
  EXPECT_EQ(E[1], (std::pair<String, TVisualBlock*>{QStringLiteral("1"), &Own}));

  // With a template every point gets a clone of its own.
  TRecordingBlock Template(nullptr);
  W.Series->Visuals()->SetTemplate(&Template);
  E = W.PointEntities();
  ASSERT_EQ(E.size(), 3u);
  for (int32_t I = 0; I < 3; ++I) {
    EXPECT_EQ(E[static_cast<size_t>(I)].second, W.Series->Visuals()->StoredVisual(I));
    EXPECT_NE(E[static_cast<size_t>(I)].second, nullptr);
  }

  // A template that cannot be cloned stands for the series: no entities per point.
  Template.IsCloneable = false;
  W.Series->Visuals()->SetTemplate(&Template);
  EXPECT_TRUE(W.PointEntities().empty());
}

TEST(Walls, AWallWithABlockIsDrawnByIt)
{
  struct TCase {
    const char* Name;
    const char* Entity;
    TCustomChartWall* (*Wall)(TChartWalls&);
  };
  const std::vector<TCase> Cases{
      {"back", "Back", [](TChartWalls& W) -> TCustomChartWall* { return W.Back(); }},
      {"left", "Left", [](TChartWalls& W) -> TCustomChartWall* { return W.Left(); }},
  };
  for (const TCase& C : Cases) {
    SCOPED_TRACE(C.Name);
    TEntityChart W;
    W.Chart.SetView3D(true);
    TCustomChartWall* Wall = C.Wall(*W.Chart.Walls());
    W.Canvas->Log.clear();
    W.Chart.Draw();
    const QStringList Plain = W.Canvas->Inside(QString::fromLatin1(C.Entity));
    ASSERT_FALSE(Plain.isEmpty());

    TRecordingBlock Block(nullptr);
    Wall->SetVisual(&Block);
    W.Canvas->Log.clear();
    W.Chart.Draw();
    Wall->SetVisual(nullptr);
    // The block drew the wall, with the wall's pen and brush, over its
    // rectangle and depth; the canvas drew no wall of its own.
    ASSERT_EQ(Block.Log.size(), 1);
    EXPECT_TRUE(Block.Log[0].startsWith(QStringLiteral("Draw ")));
    EXPECT_EQ(Block.DrawnPen, Wall->Pen());
    EXPECT_EQ(Block.DrawnBrush, Wall->Brush());
    const float Depth = static_cast<float>(W.Chart.Width3D());
    EXPECT_EQ(Block.Size()->Point.Y, Wall == W.Chart.Walls()->Back() ? static_cast<float>(Wall->Size()) : Depth);
    const QStringList Now = W.Canvas->Inside(QString::fromLatin1(C.Entity));
    ASSERT_FALSE(Plain.filter(QRegularExpression(QStringLiteral("Rectangle|Cube"))).isEmpty())
        << Plain.join(' ').toStdString();
    for (const QString& Call : Plain)
      if (Call.contains(QStringLiteral("Rectangle")) || Call.contains(QStringLiteral("Cube")))
        EXPECT_FALSE(Now.contains(Call)) << Call.toStdString();
  }
}
