#include "platform/Component.h"

#include "rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its destruction and what its owner looked like at that moment.
class TProbe : public TComponent {
public:
  TProbe(TComponent* AOwner, const String& AName, std::vector<std::string>* Log) : TComponent(AOwner), FLog(Log)
  {
    SetName(AName);
  }
  ~TProbe() override
  {
    if (FLog)
      FLog->push_back(Name().toStdString());
  }
  String ClassName() const override { return QStringLiteral("TProbe"); }

private:
  std::vector<std::string>* FLog;
};

// Holds a reference it does not own and drops it when told.
class THolder : public TComponent {
public:
  using TComponent::TComponent;
  String ClassName() const override { return QStringLiteral("THolder"); }
  TComponent* Target = nullptr;
  int32_t RemoveNotices = 0;

  void SetTarget(TComponent* Value)
  {
    Target = Value;
    if (Value)
      Value->FreeNotification(this);
  }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override
  {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Target) {
      Target = nullptr;
      ++RemoveNotices;
    }
  }
};

template <class E, class F>
std::string MessageOf(F&& Call)
{
  try {
    Call();
  } catch (const E& Ex) {
    return Ex.Message().toStdString();
  }
  return "<no exception>";
}

} // namespace

TEST(Component, OwnerFreesItsComponentsNewestFirst)
{
  std::vector<std::string> Log;
  auto* Owner = new TComponent(nullptr);
  new TProbe(Owner, QStringLiteral("First"), &Log);
  auto* Second = new TProbe(Owner, QStringLiteral("Second"), &Log);
  new TProbe(Second, QStringLiteral("Grandchild"), &Log);
  new TProbe(Owner, QStringLiteral("Third"), &Log);
  ASSERT_EQ(Owner->ComponentCount(), 3);

  delete Owner;
  // A component's own destructor runs before it frees its components.
  EXPECT_EQ(Log, (std::vector<std::string>{"Third", "Second", "Grandchild", "First"}));
}

TEST(Component, DeletingAComponentTakesItOutOfItsOwner)
{
  TComponent Owner(nullptr);
  auto* A = new TProbe(&Owner, QStringLiteral("A"), nullptr);
  auto* B = new TProbe(&Owner, QStringLiteral("B"), nullptr);
  delete A;
  ASSERT_EQ(Owner.ComponentCount(), 1);
  EXPECT_EQ(Owner.Components(0), B);
  EXPECT_EQ(B->ComponentIndex(), 0);
  EXPECT_EQ(Owner.FindComponent(QStringLiteral("A")), nullptr);
  EXPECT_THROW(Owner.Components(1), EListError);
}

TEST(Component, FreeNotificationClearsReferencesAcrossOwners)
{
  TComponent FormA(nullptr), FormB(nullptr);
  auto* Holder = new THolder(&FormA);
  auto* Target = new TComponent(&FormB);
  Holder->SetTarget(Target);

  delete Target;
  EXPECT_EQ(Holder->Target, nullptr);
  EXPECT_EQ(Holder->RemoveNotices, 1);

  // The other way round: a holder that goes first unhooks itself, so the
  // target's later destruction calls nobody.
  auto* Target2 = new TComponent(&FormB);
  Holder->SetTarget(Target2);
  delete Holder;
  delete Target2;
}

TEST(Component, SiblingsHearOfARemovalThroughTheirOwner)
{
  TComponent Form(nullptr);
  auto* Holder = new THolder(&Form);
  auto* Sibling = new TComponent(&Form);
  Holder->Target = Sibling; // no FreeNotification asked
  delete Sibling;
  EXPECT_EQ(Holder->Target, nullptr);
}

TEST(Component, NamesAreUniqueIdentifiersIgnoringCase)
{
  TComponent Owner(nullptr);
  auto* Timer1 = new TComponent(&Owner);
  Timer1->SetName(QStringLiteral("Timer1"));
  auto* Other = new TComponent(&Owner);

  EXPECT_EQ(MessageOf<EComponentError>([&] { Other->SetName(QStringLiteral("TIMER1")); }),
            "A component named TIMER1 already exists");
  EXPECT_TRUE(Other->Name().isEmpty());
  Timer1->SetName(QStringLiteral("timer1")); // its own name in another case
  EXPECT_EQ(Owner.FindComponent(QStringLiteral("TIMER1")), Timer1);
  EXPECT_EQ(Owner.FindComponent(QString()), nullptr);

  struct Case {
    const char* Name;
    bool Valid;
  } Cases[] = {{"_x", true},   {"SioComPort20", true}, {"", true},       {"1Port", false},
               {"a b", false}, {"a-b", false},         {"Größe", false}, {"x.y", false}};
  for (const Case& C : Cases) {
    const String N = QString::fromUtf8(C.Name);
    TComponent Free(nullptr);
    if (C.Valid) {
      EXPECT_NO_THROW(Free.SetName(N)) << C.Name;
    } else {
      EXPECT_EQ(MessageOf<EComponentError>([&] { Free.SetName(N); }),
                QStringLiteral("'%1' is not a valid component name").arg(N).toStdString());
    }
  }
}

TEST(Component, InsertingAClashingComponentChangesNeitherOwner)
{
  TComponent A(nullptr), B(nullptr);
  auto* InA = new TComponent(&A);
  InA->SetName(QStringLiteral("Port"));
  auto* InB = new TComponent(&B);
  InB->SetName(QStringLiteral("port"));

  EXPECT_THROW(A.InsertComponent(InB), EComponentError);
  EXPECT_EQ(InB->Owner(), &B);
  EXPECT_EQ(A.ComponentCount(), 1);

  InB->SetName(QStringLiteral("Port2"));
  A.InsertComponent(InB);
  EXPECT_EQ(InB->Owner(), &A);
  EXPECT_EQ(B.ComponentCount(), 0);
  EXPECT_EQ(A.ComponentCount(), 2);
}

TEST(Component, AssignWithoutSupportNamesBothClasses)
{
  TProbe Dest(nullptr, QStringLiteral("D"), nullptr);
  THolder Source(nullptr);
  EXPECT_EQ(MessageOf<EConvertError>([&] { Dest.Assign(&Source); }), "Cannot assign a THolder to a TProbe");
  EXPECT_EQ(MessageOf<EConvertError>([&] { Dest.Assign(nullptr); }), "Cannot assign a nil to a TProbe");
}

TEST(Component, StateFlagsFollowLoadingAndDestruction)
{
  struct TWatcher : TComponent {
    using TComponent::TComponent;
    bool* OwnerWasDestroying = nullptr;
    ~TWatcher() override { *OwnerWasDestroying = (Owner()->ComponentState() & csDestroying) != 0; }
  };
  bool Seen = false;
  auto* Owner = new TComponent(nullptr);
  auto* W = new TWatcher(Owner);
  W->OwnerWasDestroying = &Seen;

  W->IncludeState(csLoading | csReading);
  W->Loaded();
  EXPECT_EQ(W->ComponentState(), static_cast<TComponentState>(csReading));

  delete Owner;
  EXPECT_TRUE(Seen);
}

namespace {

// A value object that knows how to copy itself into a TProbe-like target
// (AssignTo) and from its own kind (Assign).
class TSettings : public TPersistent {
public:
  String ClassName() const override { return QStringLiteral("TSettings"); }
  int32_t Rate = 0;
  void Assign(TPersistent* Source) override
  {
    if (auto* S = dynamic_cast<TSettings*>(Source)) {
      Rate = S->Rate;
      return;
    }
    TPersistent::Assign(Source);
  }
};

class TRateHolder : public TComponent {
public:
  using TComponent::TComponent;
  String ClassName() const override { return QStringLiteral("TRateHolder"); }
  int32_t Rate = -1;

protected:
  void AssignTo(TPersistent* Dest) const override
  {
    if (auto* S = dynamic_cast<TSettings*>(Dest)) {
      S->Rate = Rate;
      return;
    }
    TComponent::AssignTo(Dest);
  }
};

} // namespace

TEST(Component, AssignCopiesThroughWhicheverSideKnowsTheOther)
{
  TSettings A, B;
  A.Rate = 4;
  B.Assign(&A); // the destination knows its own kind
  EXPECT_EQ(B.Rate, 4);

  TRateHolder Holder(nullptr);
  Holder.Rate = 2;
  B.Assign(&Holder); // the destination asks the source
  EXPECT_EQ(B.Rate, 2);

  // Neither side knows the other: the destination's class is named.
  TRateHolder Other(nullptr);
  EXPECT_EQ(MessageOf<EConvertError>([&] { Other.Assign(&A); }), "Cannot assign a TSettings to a TRateHolder");
  EXPECT_EQ(Other.Rate, -1);
}
