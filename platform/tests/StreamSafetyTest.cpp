// Streams from outside: every damaged stream ends in an exception of the
// streaming family and leaves the objects it was read into usable.
#include "StreamTestClasses.h"

#include "platform/Filer.h"
#include "platform/ObjectText.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

QByteArray SampleStream()
{
  TTestRoot Root(nullptr);
  Root.SetName(QStringLiteral("Form1"));
  auto* W = new TTestWidget(&Root);
  W->SetName(QStringLiteral("Widget1"));
  W->SetCount(300000);
  W->SetCaption(QStringLiteral("caption \u00e9"));
  W->SetWide(QStringLiteral("wide"));
  W->SetRatio(2.5);
  W->SetStyles(3);
  W->Items()->Add();
  W->Lines()->Add(QStringLiteral("l"));
  W->Blob = "blob";
  auto* P = new TTestPanel(&Root);
  P->SetName(QStringLiteral("Panel1"));
  auto* C = new TTestChild(&Root);
  C->SetName(QStringLiteral("Child1"));
  C->SetParentComponent(P);
  W->SetBuddy(C);
  return StreamOf(&Root);
}

// Reads into a fresh root; true when it succeeded. Anything but an
// exception of the run-time family fails the test.
bool TryRead(const QByteArray& Bytes)
{
  TTestRoot Root(nullptr);
  try {
    ReadInto(Bytes, &Root);
  } catch (const Exception&) {
    for (int32_t I = 0; I < Root.ComponentCount(); ++I)
      EXPECT_EQ(Root.Components(I)->ComponentState() & (csLoading | csReading), 0u);
    EXPECT_EQ(Root.ComponentState() & (csLoading | csReading), 0u);
    // What is left can still be written.
    StreamOf(&Root);
    return false;
  }
  return true;
}

TEST(StreamSafety, EveryTruncationFailsCleanly)
{
  const QByteArray Full = SampleStream();
  ASSERT_TRUE(TryRead(Full));
  for (qsizetype L = 0; L < Full.size(); ++L)
    EXPECT_FALSE(TryRead(Full.left(L))) << "prefix of " << L << " bytes";
}

TEST(StreamSafety, EveryCorruptedByteFailsCleanlyOrReads)
{
  const QByteArray Full = SampleStream();
  const uint8_t Patterns[] = {0x00, 0x01, 0x7F, 0x80, 0xF3, 0xFF};
  for (qsizetype I = 0; I < Full.size(); ++I)
    for (uint8_t B : Patterns) {
      QByteArray Bad = Full;
      Bad[I] = static_cast<char>(B);
      TryRead(Bad);
      // The text converter takes the same input.
      try {
        BinaryToText(Bad);
      } catch (const Exception&) {
      }
    }
}

TEST(StreamSafety, DeclaredLengthsBeyondTheStreamAreRefused)
{
  struct TCase {
    const char* Prop;
    const char* Body;
  };
  const TCase Cases[] = {
      {"Caption", "\x0C\xFF\xFF\xFF\x7F"}, // long string of 2 GiB
      {"Caption", "\x12\xFF\xFF\xFF\x3F"}, // wide string of 1 G characters
      {"Caption", "\x14\x00\x00\x00\x80"}, // negative UTF-8 length
      {"Blob", "\x0A\xF0\xFF\xFF\x7F"},    // binary value
  };
  for (const TCase& C : Cases) {
    QByteArray Bytes("TPF0\x0BTTestWidget\x00", 17);
    Bytes.append(static_cast<char>(std::strlen(C.Prop)));
    Bytes.append(C.Prop);
    Bytes.append(C.Body, 5);
    Bytes.append("abc", 3);
    TTestWidget W(nullptr);
    EXPECT_EQ(ReadErrorOf(Bytes, &W),
              QStringLiteral("Error reading TTestWidget.%1: Stream read error").arg(QLatin1String(C.Prop)));
  }
}

TEST(StreamSafety, NestingAndComponentCountsAreBounded)
{
  // A list nested far deeper than any real stream, under a property that
  // is skipped.
  QByteArray Deep("TPF0\x0BTTestWidget\x00\x04"
                  "Zzzz",
                  4 + 12 + 1 + 5);
  Deep += QByteArray(100000, '\x01');
  TTestWidget W(nullptr);
  TBytesStream DeepIn(Deep);
  TReader DeepReader(DeepIn);
  DeepReader.OnError = [](TReader*, const String&, bool& Handled) { Handled = true; };
  try {
    DeepReader.ReadRootComponent(&W);
    ADD_FAILURE();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Message(), QStringLiteral("Objects nested too deeply"));
  }
  EXPECT_THROW(BinaryToText(Deep), EReadError);

  // Objects nested inside objects.
  QByteArray Nested("TPF0", 4);
  for (int32_t I = 0; I < 200; ++I)
    Nested += QByteArray("\x0ATTestPanel\x00\x00", 13);
  TTestRoot Root(nullptr);
  EXPECT_EQ(ReadErrorOf(Nested, &Root), QStringLiteral("Objects nested too deeply"));
  EXPECT_EQ(Root.ComponentCount(), 0) << "the half-read panels are freed";

  // Many siblings: the reader stops at its limit.
  QByteArray Many("TPF0\x09TTestRoot\x00\x00", 16);
  for (int32_t I = 0; I < 50; ++I)
    Many += QByteArray("\x0ATTestPanel\x00\x00\x00", 14);
  Many += QByteArray("\x00", 1);
  TTestRoot Root2(nullptr);
  TBytesStream In(Many);
  TReader Reader(In);
  Reader.SetMaxComponents(20);
  EXPECT_THROW(Reader.ReadRootComponent(&Root2), EReadError);
  EXPECT_EQ(Root2.ComponentCount(), 20);
  TTestRoot Root3(nullptr);
  ReadInto(Many, &Root3);
  EXPECT_EQ(Root3.ComponentCount(), 50);
}

TEST(StreamSafety, AReferencedComponentIsNotWrittenThrough)
{
  TTestRoot Root(nullptr);
  auto* Victim = new TTestWidget(&Root);
  Victim->SetName(QStringLiteral("Victim"));
  auto* W = new TTestWidget(&Root);
  W->SetName(QStringLiteral("W"));
  W->SetBuddy(Victim);
  const QByteArray Text = "object W: TTestWidget\n  Buddy.Caption = 'owned'\nend";
  EXPECT_EQ(ReadErrorOf(TextToBinary(Text), W), QStringLiteral("Error reading W.Buddy.Caption: Invalid property path"));
  EXPECT_EQ(Victim->Caption(), QString());
}

TEST(StreamSafety, AnObjectFreedWhileReadingDropsItsPendingReference)
{
  // The nested Link receives a reference, then is freed by "Link = nil"
  // before references are resolved at the end.
  const QByteArray Text = "object Form1: TTestRoot\n"
                          "  object W: TTestWidget\n"
                          "    Link.Target = Other\n"
                          "    Link = nil\n"
                          "  end\n"
                          "  object Other: TTestPanel\n"
                          "  end\n"
                          "end";
  TTestRoot Root(nullptr);
  ReadInto(TextToBinary(Text), &Root);
  auto* W = static_cast<TTestWidget*>(Root.FindComponent(QStringLiteral("W")));
  EXPECT_EQ(W->Link()->Target(), nullptr);
}

TEST(StreamSafety, TextConversionOfArbitraryBytesEndsInAnException)
{
  const QByteArray Inputs[] = {
      QByteArray("object"),
      QByteArray("object X: Y\n  A = '"),
      QByteArray("object X: Y\n  A = {"),
      QByteArray("object X: Y\n  A = #"),
      QByteArray("object X: Y\n  A = -"),
      QByteArray("object X: Y\n  A = <item"),
      QByteArray("object X: Y\n  A = $"),
      QByteArray("object X: Y\n  A = 1.5x"),
      QByteArray(1000, '['),
      QByteArray("\xFF\xFE\x00\x01", 4),
  };
  for (const QByteArray& In : Inputs)
    EXPECT_THROW(TextToBinary(In), Exception) << In.left(30).toStdString();
}

} // namespace
