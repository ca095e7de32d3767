#include "StreamTestClasses.h"

#include "platform/ClassRegistry.h"
#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TEST(Collection, AddInsertDeleteAndMoveAnnounceWholeItems)
{
  TTestWidget Owner(nullptr);
  Owner.SetName(QStringLiteral("Widget1"));
  TTestItems& C = *Owner.Items();
  C.Add()->SetDisplayName(QString());
  C.Add();
  TCollectionItem* Mid = C.Insert(1);
  EXPECT_EQ(C.Count(), 3);
  EXPECT_EQ(Mid->Index(), 1);
  EXPECT_EQ(C.Log,
            (std::vector<String>{QStringLiteral("added 0"), QStringLiteral("update all"), QStringLiteral("update 0"),
                                 QStringLiteral("added 1"), QStringLiteral("update all"), QStringLiteral("added 1"),
                                 QStringLiteral("update all")}));
  EXPECT_EQ(C.Items(0)->ID(), 0);
  EXPECT_EQ(Mid->ID(), 2) << "IDs follow creation, not position";
  EXPECT_EQ(C.FindItemID(2), Mid);
  EXPECT_EQ(Mid->GetNamePath(), QStringLiteral("Widget1.Items[1]"));

  Mid->SetIndex(99);
  EXPECT_EQ(Mid->Index(), 2);
  C.Log.clear();
  C.Delete(0);
  EXPECT_EQ(C.Log, (std::vector<String>{QStringLiteral("deleting 0"), QStringLiteral("update all")}));
  EXPECT_EQ(Mid->Index(), 1);
  EXPECT_THROW(C.Items(2), EListError);

  C.Log.clear();
  C.Clear();
  EXPECT_EQ(C.Count(), 0);
  EXPECT_EQ(C.Log, (std::vector<String>{QStringLiteral("deleting 1"), QStringLiteral("deleting 0"),
                                        QStringLiteral("update all")}))
      << "one update for the whole clear";
}

TEST(Collection, AssignCopiesItemsAndAnItemCanMove)
{
  TTestWidget A(nullptr);
  TTestWidget B(nullptr);
  static_cast<TTestItem*>(A.Items()->Add())->SetCaption(QStringLiteral("x"));
  static_cast<TTestItem*>(A.Items()->Add())->SetValue(5);
  B.Items()->Add();
  B.Items()->Assign(A.Items());
  ASSERT_EQ(B.Items()->Count(), 2);
  EXPECT_EQ(B.Items()->Item(0)->Caption(), QStringLiteral("x"));
  EXPECT_EQ(B.Items()->Item(1)->Value(), 5);

  TCollectionItem* Moving = A.Items()->Items(0);
  Moving->SetCollection(B.Items());
  EXPECT_EQ(A.Items()->Count(), 1);
  EXPECT_EQ(B.Items()->Count(), 3);
  EXPECT_EQ(Moving->Collection(), B.Items());
  delete B.Items()->Items(0);
  EXPECT_EQ(B.Items()->Count(), 2) << "a deleted item leaves its collection";
  EXPECT_THROW(A.Items()->Assign(&A), EConvertError);
}

TEST(Collection, AddCreatesTheItemClass)
{
  TOwnedCollection C(nullptr, ClassInfoFor<TTestItem>());
  EXPECT_NE(dynamic_cast<TTestItem*>(C.Add()), nullptr);
  TOwnedCollection Plain(nullptr, FindClass(QStringLiteral("TCollectionItem")));
  EXPECT_EQ(Plain.Add()->DisplayName(), QStringLiteral("TCollectionItem"));
  EXPECT_EQ(Plain.GetNamePath(), QStringLiteral("TOwnedCollection"));
}

} // namespace
