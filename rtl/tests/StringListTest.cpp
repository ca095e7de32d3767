#include "rtl/Exceptions.h"
#include "rtl/StringList.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

QStringList Items(const TStringList& L)
{
  QStringList R;
  for (int32_t I = 0; I < L.Count(); ++I)
    R << L[I];
  return R;
}

void Fill(TStringList& L, const QStringList& S)
{
  for (const QString& X : S)
    L.Add(X);
}

std::string ErrorOf(const std::function<void()>& F)
{
  try {
    F();
  } catch (const EStringListError& E) {
    return E.what();
  }
  return "no error";
}

class Counted : public TObject {
public:
  explicit Counted(int& Freed) : FFreed(Freed) {}
  ~Counted() override { ++FFreed; }

private:
  int& FFreed;
};

} // namespace

TEST(StringList, SortedAddHonoursDuplicates)
{
  struct Case {
    TDuplicates Dup;
    QStringList Added;
    QStringList Expected;
    bool Raises;
  };
  const Case Cases[] = {
      {dupIgnore, {"b", "a", "B", "c"}, {"a", "b", "c"}, false},
      {dupAccept, {"b", "a", "b", "c"}, {"a", "b", "b", "c"}, false},
      {dupError, {"b", "a", "B"}, {"a", "b"}, true},
  };
  for (const Case& C : Cases) {
    TStringList L;
    L.SetSorted(true);
    L.SetDuplicates(C.Dup);
    bool Raised = false;
    try {
      Fill(L, C.Added);
    } catch (const EStringListError& E) {
      Raised = true;
      EXPECT_STREQ(E.what(), "String list does not allow duplicates");
    }
    EXPECT_EQ(Raised, C.Raises) << int(C.Dup);
    EXPECT_EQ(Items(L), C.Expected) << int(C.Dup);
  }
}

TEST(StringList, AddToSortedListReturnsPlaceAndIgnoredDuplicateItsIndex)
{
  TStringList L;
  L.SetSorted(true);
  EXPECT_EQ(L.Add("m"), 0);
  EXPECT_EQ(L.Add("z"), 1);
  EXPECT_EQ(L.Add("a"), 0);
  EXPECT_EQ(L.Add("M"), 1); // dupIgnore: the existing "m"
  EXPECT_EQ(Items(L), QStringList({"a", "m", "z"}));
}

TEST(StringList, CaseFoldingDecidesOrderAndLookups)
{
  TStringList L;
  Fill(L, {"beta", "Alpha", "alpha", "Gamma", "BETA"});
  EXPECT_EQ(L.IndexOf("ALPHA"), 1);
  L.SetCaseSensitive(true);
  EXPECT_EQ(L.IndexOf("ALPHA"), -1);
  EXPECT_EQ(L.IndexOf("alpha"), 2);

  TStringList S;
  S.SetDuplicates(dupAccept);
  Fill(S, {"b", "C", "a", "B", "c"});
  S.SetSorted(true);
  const QStringList Folded = Items(S);
  ASSERT_EQ(Folded.size(), 5);
  EXPECT_EQ(Folded[0], "a");
  EXPECT_EQ(Folded[1].toLower(), "b");
  EXPECT_EQ(Folded[2].toLower(), "b");
  EXPECT_EQ(Folded[4].toLower(), "c");
  int32_t Index = -1;
  EXPECT_TRUE(S.Find("C", Index));
  EXPECT_EQ(Index, 3); // the first of the equal items
  EXPECT_FALSE(S.Find("bb", Index));
  EXPECT_EQ(Index, 3);
  // Switching case sensitivity re-sorts: upper case sorts apart from lower.
  S.SetCaseSensitive(true);
  for (int32_t I = 1; I < S.Count(); ++I)
    EXPECT_LE(S.CompareStrings(S[I - 1], S[I]), 0) << I;
}

TEST(StringList, SortedListRefusesPositionalWrites)
{
  TStringList L;
  Fill(L, {"b", "a"});
  L.SetSorted(true);
  EXPECT_EQ(ErrorOf([&] { L.Insert(0, "x"); }), "Operation not allowed on sorted list");
  EXPECT_EQ(ErrorOf([&] { L.SetStrings(0, "x"); }), "Operation not allowed on sorted list");
  EXPECT_EQ(ErrorOf([&] { L.Move(0, 1); }), "Operation not allowed on sorted list");
  EXPECT_EQ(Items(L), QStringList({"a", "b"}));
}

TEST(StringList, IndexErrorsNameTheIndex)
{
  TStringList L;
  Fill(L, {"a", "b"});
  const std::pair<std::function<void()>, std::string> Cases[] = {
      {[&] { (void)L[2]; }, "List index out of bounds (2)"},
      {[&] { (void)L.Strings(-1); }, "List index out of bounds (-1)"},
      {[&] { L.Delete(5); }, "List index out of bounds (5)"},
      {[&] { L.Insert(3, "x"); }, "List index out of bounds (3)"},
      {[&] { L.Exchange(0, 2); }, "List index out of bounds (2)"},
      {[&] { L.SetObjects(2, nullptr); }, "List index out of bounds (2)"},
      {[&] { L.SetCapacity(1); }, "List capacity out of bounds (1)"},
  };
  for (const auto& [Call, Message] : Cases)
    EXPECT_EQ(ErrorOf(Call), Message);
  EXPECT_EQ(Items(L), QStringList({"a", "b"}));
  L.Insert(2, "c"); // the end is a valid place to insert
  EXPECT_EQ(Items(L), QStringList({"a", "b", "c"}));
}

TEST(StringList, MoveExchangeDeleteKeepObjectsWithTheirStrings)
{
  TObject A, B, C;
  TStringList L;
  L.AddObject("a", &A);
  L.AddObject("b", &B);
  L.AddObject("c", &C);
  L.Move(0, 2);
  EXPECT_EQ(Items(L), QStringList({"b", "c", "a"}));
  EXPECT_EQ(L.Objects(2), &A);
  L.Exchange(0, 1);
  EXPECT_EQ(Items(L), QStringList({"c", "b", "a"}));
  EXPECT_EQ(L.Objects(0), &C);
  EXPECT_EQ(L.IndexOfObject(&B), 1);
  // A bad target is refused before anything moves.
  EXPECT_EQ(ErrorOf([&] { L.Move(0, 3); }), "List index out of bounds (3)");
  EXPECT_EQ(Items(L), QStringList({"c", "b", "a"}));
  L.Delete(1);
  EXPECT_EQ(Items(L), QStringList({"c", "a"}));
  EXPECT_EQ(L.IndexOfObject(&B), -1);
}

TEST(StringList, OwningListFreesItsObjects)
{
  int Freed = 0;
  {
    TStringList L(true);
    L.AddObject("a", new Counted(Freed));
    L.AddObject("b", new Counted(Freed));
    L.AddObject("c", new Counted(Freed));
    L.AddObject("d", new Counted(Freed));
    L.Delete(0);
    EXPECT_EQ(Freed, 1);
    TObject* Taken = L.Objects(0);
    L.SetObjects(0, nullptr); // taking the object back
    L.Delete(0);
    EXPECT_EQ(Freed, 1);
    delete Taken;
    EXPECT_EQ(Freed, 2);
    L.Move(1, 0);
    EXPECT_EQ(Freed, 2);
  }
  EXPECT_EQ(Freed, 4);
  TObject Kept;
  TStringList NotOwning;
  NotOwning.AddObject("x", &Kept);
  NotOwning.Clear(); // must not free a stack object
}

TEST(StringList, TextSplitsAtEveryLineEndAndJoinsWithCrLf)
{
  struct Case {
    QString In;
    QStringList Lines;
  };
  const Case Cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"\r\n", {""}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"a\n\rb", {"a", "", "b"}}, // LF then CR: two line ends
      {QString::fromLatin1("a\0b", 3), {QString::fromLatin1("a\0b", 3)}},
  };
  for (const Case& C : Cases) {
    TStringList L;
    L.SetText(C.In);
    EXPECT_EQ(Items(L), C.Lines) << C.In.toStdString();
  }
  TStringList L;
  Fill(L, {"x", "", "y"});
  EXPECT_EQ(L.Text(), "x\r\n\r\ny\r\n");
  L.Clear();
  EXPECT_EQ(L.Text(), "");
}

TEST(StringList, CommaTextRoundTrips)
{
  struct Case {
    QStringList Items;
    QString Text;
  };
  const Case Cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b", "c"}, "a,b,c"},
      {{"a b", "c"}, "\"a b\",c"},
      {{"say \"hi\"", "x"}, "\"say \"\"hi\"\"\",x"},
      {{"a,b", ""}, "\"a,b\","},
      {{"", "a"}, ",a"},
      {{"", ""}, ","},
      {{"tab\there"}, "\"tab\there\""},
  };
  for (const Case& C : Cases) {
    TStringList L;
    Fill(L, C.Items);
    EXPECT_EQ(L.CommaText(), C.Text) << C.Text.toStdString();
    TStringList Back;
    Back.SetCommaText(C.Text);
    EXPECT_EQ(Items(Back), C.Items) << C.Text.toStdString();
  }
}

TEST(StringList, CommaTextParsing)
{
  struct Case {
    QString Text;
    QStringList Items;
  };
  const Case Cases[] = {
      {"  a , b  ", {"a", "b"}},
      {"a b", {"a", "b"}}, // blanks delimit too
      {"\"a b\" c", {"a b", "c"}},
      {"\"open", {"open"}}, // a quote never closed ends with the text
      {"\"a\"b,c", {"a", "b", "c"}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {QString::fromLatin1("a\0b,c", 5), {"a", "b", "c"}}, // NUL counts as a blank
  };
  for (const Case& C : Cases) {
    TStringList L;
    L.SetCommaText(C.Text);
    EXPECT_EQ(Items(L), C.Items) << C.Text.toStdString();
  }
}

TEST(StringList, DelimitedTextFollowsDelimiterQuoteAndStrictness)
{
  TStringList L;
  L.SetDelimiter(';');
  L.SetQuoteChar('\'');
  L.SetDelimitedText("a b;'c;d';'it''s'");
  EXPECT_EQ(Items(L), QStringList({"a", "b", "c;d", "it's"}));
  EXPECT_EQ(L.DelimitedText(), "a;b;'c;d';'it''s'");

  L.SetStrictDelimiter(true);
  L.SetDelimitedText(" a b ;c");
  EXPECT_EQ(Items(L), QStringList({" a b ", "c"}));
  EXPECT_EQ(L.DelimitedText(), " a b ;c"); // blanks need no quotes when strict
  // CommaText keeps its own settings whatever the list's are.
  EXPECT_EQ(L.CommaText(), "\" a b \",c");
  EXPECT_EQ(L.Delimiter(), ';');
}

TEST(StringList, NamesAndValues)
{
  TStringList L;
  Fill(L, {"Port=COM1", "Baud=19200", "plain", "Empty=", "Eq=a=b"});
  EXPECT_EQ(L.Names(0), "Port");
  EXPECT_EQ(L.Names(2), "");
  EXPECT_EQ(L.ValueFromIndex(2), "");
  EXPECT_EQ(L.ValueFromIndex(4), "a=b");
  EXPECT_EQ(L.ValueFromIndex(-1), "");
  EXPECT_EQ(L.Values("baud"), "19200");
  EXPECT_EQ(L.Values("Empty"), "");
  EXPECT_EQ(L.Values("missing"), "");
  EXPECT_EQ(L.IndexOfName("PORT"), 0);
  EXPECT_EQ(L.IndexOfName("plain"), -1);

  L.SetValues("Baud", "9600");
  L.SetValues("Mode", "RS485");
  L.SetValues("Port", "");
  L.SetValues("Nothing", "");
  EXPECT_EQ(Items(L), QStringList({"Baud=9600", "plain", "Empty=", "Eq=a=b", "Mode=RS485"}));

  L.SetNameValueSeparator(':');
  L.Clear();
  Fill(L, {"a:1"});
  EXPECT_EQ(L.Values("a"), "1");
}

TEST(StringList, SetValuesOnSortedListKeepsOrder)
{
  TStringList L;
  L.SetSorted(true);
  L.SetValues("b", "2");
  L.SetValues("a", "1");
  L.SetValues("b", "zz");
  L.SetValues("0", "x");
  EXPECT_EQ(Items(L), QStringList({"0=x", "a=1", "b=zz"}));
}

TEST(StringList, ChangeEventsBracketEachChangeOrEachUpdate)
{
  TStringList L;
  QStringList Log;
  L.OnChanging = [&](TObject* Sender) {
    EXPECT_EQ(Sender, &L);
    Log << QString("changing %1").arg(L.Count());
  };
  L.OnChange = [&](TObject*) { Log << QString("change %1").arg(L.Count()); };
  L.Add("a");
  EXPECT_EQ(Log, QStringList({"changing 0", "change 1"}));
  Log.clear();
  L.BeginUpdate();
  L.Add("b");
  L.BeginUpdate();
  L.Delete(0);
  L.EndUpdate();
  L.Add("c");
  EXPECT_EQ(Log, QStringList({"changing 1"}));
  L.EndUpdate();
  EXPECT_EQ(Log, QStringList({"changing 1", "change 2"}));
  Log.clear();
  L.EndUpdate(); // unbalanced: ignored
  L.SetText("x\ny\nz");
  EXPECT_EQ(Log, QStringList({"changing 2", "change 3"}));
  Log.clear();
  try {
    L.SetSorted(true);
    L.SetDuplicates(dupError);
    L.SetCommaText("q,q");
  } catch (const EStringListError&) {
  }
  // The failed load still closed its update bracket.
  EXPECT_EQ(Log.last(), "change 1");
}

TEST(StringList, CustomSortUsesTheGivenOrderAndSurvivesABadOne)
{
  TStringList L;
  Fill(L, {"3", "10", "2", "1", "22"});
  L.CustomSort([](TStringList& List, int32_t A, int32_t B) { return List[A].toInt() - List[B].toInt(); });
  EXPECT_EQ(Items(L), QStringList({"1", "2", "3", "10", "22"}));
  L.CustomSort([](TStringList& List, int32_t A, int32_t B) { return List[B].toInt() - List[A].toInt(); });
  EXPECT_EQ(Items(L), QStringList({"22", "10", "3", "2", "1"}));

  // A compare function that is no order at all must not take the sort out
  // of the list; the items are merely permuted.
  TStringList Big;
  for (int I = 0; I < 200; ++I)
    Big.Add(QString::number(I));
  Big.CustomSort([](TStringList&, int32_t, int32_t) { return -1; });
  Big.CustomSort([](TStringList&, int32_t, int32_t) { return 1; });
  int Calls = 0;
  Big.CustomSort([&](TStringList&, int32_t A, int32_t B) { return ((A * 7 + B * 13 + Calls++) % 3) - 1; });
  QStringList Sorted = Items(Big);
  std::sort(Sorted.begin(), Sorted.end(), [](const QString& A, const QString& B) { return A.toInt() < B.toInt(); });
  for (int I = 0; I < 200; ++I)
    ASSERT_EQ(Sorted[I], QString::number(I));
}

TEST(StringList, AssignAndAddStrings)
{
  TStringList A;
  A.SetDelimiter(';');
  Fill(A, {"x", "y"});
  TStringList B;
  B.Add("old");
  B.Assign(A);
  EXPECT_EQ(Items(B), QStringList({"x", "y"}));
  EXPECT_EQ(B.Delimiter(), ';');
  B.Assign(B);
  EXPECT_EQ(Items(B), QStringList({"x", "y"}));
  B.AddStrings(B);
  EXPECT_EQ(Items(B), QStringList({"x", "y", "x", "y"}));
}

TEST(StringList, StreamsAreWindows1252UnlessMarkedUtf8)
{
  TBytesStream Ansi(QByteArray("caf\xE9\r\n\x80 5\n"));
  TStringList L;
  L.LoadFromStream(Ansi);
  EXPECT_EQ(Items(L), QStringList({QString::fromUtf8("café"), QString::fromUtf8("€ 5")}));
  EXPECT_EQ(L.Encoding(), TTextEncoding::Ansi);
  TBytesStream Out;
  L.SaveToStream(Out);
  EXPECT_EQ(Out.Bytes(), QByteArray("caf\xE9\r\n\x80 5\r\n"));

  TBytesStream Utf8(QByteArray("\xEF\xBB\xBF\xE2\x82\xAC\r\nb"));
  L.LoadFromStream(Utf8);
  EXPECT_EQ(Items(L), QStringList({QString::fromUtf8("€"), "b"}));
  TBytesStream Out8;
  L.SaveToStream(Out8); // keeps the encoding it found
  EXPECT_EQ(Out8.Bytes(), QByteArray("\xEF\xBB\xBF\xE2\x82\xAC\r\nb\r\n"));

  // Loading starts at the stream's position.
  TBytesStream Part(QByteArray("skip\r\nkeep"));
  Part.SetPosition(6);
  L.LoadFromStream(Part);
  EXPECT_EQ(Items(L), QStringList({"keep"}));
}

TEST(StringList, CapacityIsBoundedButGrowable)
{
  TStringList L;
  L.SetCapacity(100);
  EXPECT_GE(L.Capacity(), 100);
  EXPECT_THROW(L.SetCapacity(TStringList::MaxListSize + 1), EStringListError);
  EXPECT_THROW(L.SetCapacity(-1), EStringListError);
  Fill(L, {"a"});
  EXPECT_EQ(L.Count(), 1);
}
