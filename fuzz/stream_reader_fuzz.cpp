// Arbitrary bytes into the component stream reader and both text
// conversions. Besides "no crash, no sanitizer report, no leak" it checks
// what must hold for any input:
//   - an object read from any stream writes a stream that reads back and
//     writes the same bytes again;
//   - binary that converts to text converts back, and that binary gives the
//     same text again;
//   - text that converts to binary gives binary that converts to text and
//     back to the same bytes.
// The classes are the ones the streaming unit tests use: one published
// property of every kind, collections, references, children with a parent.
// fuzz-links: platform
// fuzz-sources: platform/tests/StreamTestClasses.cpp
#include "platform/tests/StreamTestClasses.h"

#include "fuzz/FuzzInvariant.h"
#include "platform/Filer.h"
#include "rtl/Exceptions.h"
#include "rtl/Streams.h"

#include <any>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray Write(TComponent* Root)
{
  TBytesStream S;
  TWriter W(S);
  W.OnFindMethodName = [](TWriter*, TPersistent*, const TPropInfo*, String& Name) { Name = QStringLiteral("Handler"); };
  W.WriteRootComponent(Root);
  return S.Bytes();
}

// True when the stream read; every handler name resolves to a handler.
bool Read(const QByteArray& Bytes, TComponent* Root)
{
  TBytesStream S(Bytes);
  TReader R(S);
  R.OnFindMethod = [](TReader*, const String&, std::any& Handler, bool& Error) {
    Handler = TNotifyEvent([](TObject*) {});
    Error = false;
  };
  try {
    R.ReadRootComponent(Root);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void CheckObjects(const QByteArray& Bytes)
{
  TTestRoot Root(nullptr);
  if (!Read(Bytes, &Root))
    return;
  const QByteArray Once = Write(&Root);
  TTestRoot Again(nullptr);
  // A stream may name a component it does not hold (a child without a
  // parent to list it), so the second read may fail; when it reads, the
  // objects must write the same bytes.
  if (!Read(Once, &Again))
    return;
  const QByteArray Twice = Write(&Again);
  if (Once != Twice)
    Fail("object -> binary -> object -> binary", Once, Twice);
}

void CheckBinaryText(const QByteArray& Bytes)
{
  QByteArray Text;
  try {
    Text = BinaryToText(Bytes);
  } catch (const Exception&) {
    return;
  }
  QByteArray Binary;
  try {
    Binary = TextToBinary(Text);
  } catch (const Exception& E) {
    std::fprintf(stderr, "text written by the converter does not read: %s\n", E.what());
    Fail("binary -> text -> binary", Bytes, Text);
  }
  const QByteArray Text2 = BinaryToText(Binary);
  if (Text2 != Text)
    Fail("binary -> text -> binary -> text", Text, Text2);
}

void CheckTextBinary(const QByteArray& Bytes)
{
  QByteArray Binary;
  try {
    Binary = TextToBinary(Bytes);
  } catch (const Exception&) {
    return;
  }
  const QByteArray Text = BinaryToText(Binary);
  const QByteArray Binary2 = TextToBinary(Text);
  if (Binary2 != Binary)
    Fail("text -> binary -> text -> binary", Binary, Binary2);
  CheckObjects(Binary);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
  const QByteArray Bytes(reinterpret_cast<const char*>(Data), static_cast<qsizetype>(Size));
  CheckObjects(Bytes);
  CheckBinaryText(Bytes);
  CheckTextBinary(Bytes);
  return 0;
}
