#include "serial/terminal/TerminalMappings.h"

#include "platform/Resources.h"
#include "rtl/StringList.h"
#include "rtl/Streams.h"
#include "rtl/Strings.h"
#include "rtl/TextFile.h"
#include "serial/terminal/Vt100Resources.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace {

// The two resources travel with the mappings that read them.
[[maybe_unused]] const bool KeyMapRegistered =
    RegisterResource(RT_RCDATA, QStringLiteral("ADVT100KEYMAP"), &Vt100KeyMapData);
[[maybe_unused]] const bool CharSetRegistered =
    RegisterResource(RT_RCDATA, QStringLiteral("ADVT100CHARSET"), &Vt100CharSetData);

const QByteArray StoredMagic("AHT3");
constexpr int32_t MaxTextLine = 255;

uint32_t ElfStep(uint32_t H, uint8_t B)
{
  H = (H << 4) + B;
  const uint32_t G = H & 0xF0000000u;
  if (G != 0)
    H ^= G >> 24;
  return H & ~G;
}

// Builds the stored form.
class TStoredWriter {
public:
  explicit TStoredWriter(int32_t Count)
  {
    FData = StoredMagic;
    Int(Count);
  }
  void Int(int32_t V)
  {
    for (int I = 0; I < 4; ++I)
      FData.append(char((static_cast<uint32_t>(V) >> (8 * I)) & 0xFF));
  }
  void Text(const TAdKeyString& S)
  {
    const AnsiString K = KeyString(S);
    FData.append(char(K.size()));
    FData.append(K);
  }
  void Byte(uint8_t B) { FData.append(char(B)); }
  QByteArray Finish() { return FData + StoredMagic; }

private:
  QByteArray FData;
};

// Reads the stored form; every read past the end fails the whole form.
class TStoredReader {
public:
  explicit TStoredReader(const QByteArray& Data) : FData(Data) {}
  bool Magic()
  {
    if (!Need(4) || FData.mid(FPos, 4) != StoredMagic)
      return FOk = false;
    FPos += 4;
    return true;
  }
  int32_t Int()
  {
    if (!Need(4))
      return 0;
    uint32_t V = 0;
    for (int I = 0; I < 4; ++I)
      V |= uint32_t(uint8_t(FData[FPos + I])) << (8 * I);
    FPos += 4;
    return static_cast<int32_t>(V);
  }
  TAdKeyString Text()
  {
    if (!Need(1))
      return {};
    const int N = uint8_t(FData[FPos]);
    if (!Need(1 + N))
      return {};
    const TAdKeyString S = KeyString(FData.mid(FPos + 1, N));
    FPos += 1 + N;
    return S;
  }
  uint8_t Byte()
  {
    if (!Need(1))
      return 0;
    return uint8_t(FData[FPos++]);
  }
  bool Ok() const { return FOk; }

private:
  bool Need(int N)
  {
    if (FOk && FPos + N <= FData.size())
      return true;
    return FOk = false;
  }
  const QByteArray& FData;
  int FPos = 0;
  bool FOk = true;
};

// Reads a stored-form resource: Entry is called Count times while the data
// lasts; false when the resource is missing, starts without the magic, is
// cut short or ends without the magic.
bool ReadStoredResource(const String& aResName, const std::function<void(TStoredReader&)>& Entry)
{
  const std::optional<QByteArray> Data = FindResourceData(RT_RCDATA, aResName);
  if (!Data)
    return false;
  TStoredReader R(*Data);
  if (!R.Magic())
    return false;
  const int32_t Count = R.Int();
  for (int32_t I = 0; I < Count && R.Ok(); ++I)
    Entry(R);
  return R.Ok() && R.Magic();
}

void WriteFile(const String& aFileName, const QByteArray& Data)
{
  TFileStream F(aFileName, fmCreate);
  F.WriteBuffer(Data.constData(), static_cast<int32_t>(Data.size()));
}

// Each line of a text file, cut to 255 characters, without trailing spaces.
void ForEachTextLine(const String& aFileName, const std::function<void(const AnsiString&)>& Line)
{
  TextFile F;
  AssignFile(F, aFileName);
  Reset(F);
  while (!Eof(F)) {
    String S;
    Readln(F, S);
    AnsiString L = ToAnsi(S).left(MaxTextLine);
    while (L.endsWith(' '))
      L.chop(1);
    Line(L);
  }
}

// Pascal's Write(S:Width): right-aligned, never cut.
String RightAligned(const String& S, int Width) { return S.rightJustified(Width, QLatin1Char(' '), false); }

void WriteDump(const String& aFileName, int32_t BucketCount, int32_t Count,
               const std::function<void(TextFile&, int32_t Bucket)>& Bucket)
{
  TextFile F;
  AssignFile(F, aFileName);
  Rewrite(F);
  for (int32_t I = 0; I < BucketCount; ++I) {
    Writeln(F, QStringLiteral("---%1---").arg(I));
    Bucket(F, I);
  }
  Writeln(F, String());
  Writeln(F, QStringLiteral("Count: %1 (mean: %2)")
                 .arg(Count)
                 .arg(RightAligned(QString::number(double(Count) / BucketCount, 'f', 3), 5)));
  CloseFile(F);
}

} // namespace

TAdKeyString KeyString(const AnsiString& S) { return S.left(MaxKeyStringLength); }

uint32_t HashELF(const AnsiString& S)
{
  uint32_t H = 0;
  for (char B : S)
    H = ElfStep(H, uint8_t(B));
  return H;
}

uint32_t HashELFPlusChar(const AnsiString& S, char Ch)
{
  uint32_t H = ElfStep(0, uint8_t(Ch));
  for (char B : S)
    H = ElfStep(H, uint8_t(B));
  return H;
}

// ------------------------------------------------------------ keyboard

TAdKeyboardMapping::TAdKeyboardMapping() = default;

TAdKeyboardMapping::~TAdKeyboardMapping() = default;

String TAdKeyboardMapping::ClassName() const { return QStringLiteral("TAdKeyboardMapping"); }

bool TAdKeyboardMapping::Add(const TAdKeyString& aKey, const TAdKeyString& aValue)
{
  const TAdKeyString Key = KeyString(aKey);
  std::vector<TEntry>& Chain = FTable[HashELF(Key) % BucketCount];
  for (const TEntry& E : Chain)
    if (E.Key == Key)
      return false;
  Chain.push_back({Key, KeyString(aValue)});
  ++FCount;
  return true;
}

TAdKeyString TAdKeyboardMapping::Get(const TAdKeyString& aKey) const
{
  const TAdKeyString Key = KeyString(aKey);
  for (const TEntry& E : FTable[HashELF(Key) % BucketCount])
    if (E.Key == Key)
      return E.Value;
  return {};
}

void TAdKeyboardMapping::Clear()
{
  for (auto& Chain : FTable)
    Chain.clear();
  FCount = 0;
}

void TAdKeyboardMapping::LoadFromFile(const String& aFileName)
{
  Clear();
  ForEachTextLine(aFileName, [this](const AnsiString& L) {
    if (L.isEmpty() || L.startsWith('*'))
      return;
    qsizetype I = 0;
    while (I < L.size() && L[I] == ' ')
      ++I;
    const qsizetype KeyStart = I;
    while (I < L.size() && L[I] != ' ')
      ++I;
    if (I >= L.size())
      return;
    const AnsiString Key = L.mid(KeyStart, I - KeyStart);
    while (I < L.size() && L[I] == ' ')
      ++I;
    const qsizetype ValueStart = I;
    while (I < L.size() && L[I] != ' ')
      ++I;
    Add(Key, L.mid(ValueStart, I - ValueStart));
  });
}

void TAdKeyboardMapping::LoadFromRes(const String& aResName)
{
  Clear();
  const bool Ok = ReadStoredResource(aResName, [this](TStoredReader& R) {
    const TAdKeyString Key = R.Text();
    const TAdKeyString Value = R.Text();
    if (R.Ok())
      Add(Key, Value);
  });
  if (!Ok)
    Clear();
}

QByteArray TAdKeyboardMapping::StoredForm() const
{
  TStoredWriter W(FCount);
  for (const auto& Chain : FTable)
    for (auto It = Chain.rbegin(); It != Chain.rend(); ++It) {
      W.Text(It->Key);
      W.Text(It->Value);
    }
  return W.Finish();
}

void TAdKeyboardMapping::StoreToBinFile(const String& aFileName) const { WriteFile(aFileName, StoredForm()); }

void TAdKeyboardMapping::DebugPrint(const String& aFileName) const
{
  WriteDump(aFileName, BucketCount, FCount, [this](TextFile& F, int32_t B) {
    for (auto It = FTable[B].rbegin(); It != FTable[B].rend(); ++It)
      Writeln(F, RightAligned(FromAnsi(It->Key), 20) + RightAligned(FromAnsi(It->Value), 20));
  });
}

// ------------------------------------------------------------ character sets

TAdCharSetMapping::TAdCharSetMapping() = default;

TAdCharSetMapping::~TAdCharSetMapping() = default;

String TAdCharSetMapping::ClassName() const { return QStringLiteral("TAdCharSetMapping"); }

const TAdCharSetMapping::TEntry* TAdCharSetMapping::Find(const TAdKeyString& aCharSet, uint8_t aCh) const
{
  for (const TEntry& E : FTable[HashELFPlusChar(aCharSet, char(aCh)) % BucketCount])
    if (E.Ch == aCh && E.CharSet == aCharSet)
      return &E;
  return nullptr;
}

bool TAdCharSetMapping::Add(const TAdKeyString& aCharSet, char aFromCh, char aToCh, const TAdKeyString& aFont,
                            char aGlyph)
{
  const TAdKeyString Set = KeyString(aCharSet);
  const int From = uint8_t(aFromCh);
  const int To = uint8_t(aToCh);
  for (int C = From; C <= To; ++C)
    if (Find(Set, uint8_t(C)))
      return false;
  for (int C = From; C <= To; ++C) {
    FTable[HashELFPlusChar(Set, char(C)) % BucketCount].push_back(
        {Set, KeyString(aFont), uint8_t(C), uint8_t(uint8_t(aGlyph) + (C - From))});
    ++FCount;
  }
  return true;
}

void TAdCharSetMapping::Clear()
{
  FScript.clear();
  for (auto& Chain : FTable)
    Chain.clear();
  FCount = 0;
}

void TAdCharSetMapping::GetFontNames(TStringList& aList) const
{
  aList.Clear();
  std::vector<String> Seen;
  for (const auto& Chain : FTable)
    for (auto It = Chain.rbegin(); It != Chain.rend(); ++It) {
      const String Name = FromAnsi(It->Font);
      if (std::none_of(Seen.begin(), Seen.end(), [&](const String& S) { return SameText(S, Name); })) {
        Seen.push_back(Name);
        aList.Add(Name);
      }
    }
}

void TAdCharSetMapping::GenerateDrawScript(const TAdKeyString& aCharSet, const AnsiString& aText)
{
  if (aText.isEmpty())
    return;
  FScript.clear();
  const TAdKeyString Set = KeyString(aCharSet);
  const TAdKeyString Default(DefaultFontName);
  for (char Ch : aText) {
    const TEntry* E = Find(Set, uint8_t(Ch));
    const TAdKeyString& Font = E ? E->Font : Default;
    const char Out = E ? char(E->Glyph) : Ch;
    if (!FScript.empty() && FScript.back().Font == Font)
      FScript.back().Text.append(Out);
    else
      FScript.push_back({Font, AnsiString(1, Out)});
  }
}

bool TAdCharSetMapping::GetNextDrawCommand(TAdKeyString& aFont, AnsiString& aText)
{
  if (FScript.empty())
    return false;
  aFont = FScript.front().Font;
  aText = FScript.front().Text;
  FScript.pop_front();
  return true;
}

bool TAdCharSetMapping::ProcessCharSetLine(const AnsiString& aLine)
{
  std::vector<AnsiString> Fields;
  qsizetype I = 0;
  while (Fields.size() < 5) {
    while (I < aLine.size() && aLine[I] == ' ')
      ++I;
    if (I >= aLine.size())
      break;
    const char Quote = aLine[I];
    if (Quote == '\'' || Quote == '"') {
      const qsizetype End = aLine.indexOf(Quote, I + 1);
      if (End < 0 || End == I + 1)
        return false;
      Fields.push_back(aLine.mid(I + 1, End - I - 1));
      I = End + 1;
    } else {
      const qsizetype Start = I;
      while (I < aLine.size() && aLine[I] != ' ')
        ++I;
      Fields.push_back(aLine.mid(Start, I - Start));
    }
  }
  if (Fields.size() < 5)
    return false;
  // One character, or "\x" and two hexadecimal digits.
  const auto CharField = [](const AnsiString& F, char& Ch) {
    if (F.size() == 1) {
      Ch = F[0];
      return true;
    }
    if (F.size() != 4 || !F.startsWith("\\x"))
      return false;
    bool Ok = false;
    const int V = F.mid(2).toInt(&Ok, 16);
    if (!Ok || !std::isxdigit(uint8_t(F[2])) || !std::isxdigit(uint8_t(F[3])))
      return false;
    Ch = char(V);
    return true;
  };
  char From, To, Glyph;
  if (!CharField(Fields[1], From) || !CharField(Fields[2], To) || !CharField(Fields[4], Glyph))
    return false;
  Add(Fields[0], From, To, Fields[3], Glyph);
  return true;
}

void TAdCharSetMapping::LoadFromFile(const String& aFileName)
{
  Clear();
  ForEachTextLine(aFileName, [this](const AnsiString& L) {
    if (L.startsWith(' '))
      ProcessCharSetLine(L);
  });
}

void TAdCharSetMapping::LoadFromRes(const String& aResName)
{
  Clear();
  const bool Ok = ReadStoredResource(aResName, [this](TStoredReader& R) {
    const TAdKeyString Set = R.Text();
    const TAdKeyString Font = R.Text();
    const char Ch = char(R.Byte());
    const char Glyph = char(R.Byte());
    if (R.Ok())
      Add(Set, Ch, Ch, Font, Glyph);
  });
  if (!Ok)
    Clear();
}

QByteArray TAdCharSetMapping::StoredForm() const
{
  TStoredWriter W(FCount);
  for (const auto& Chain : FTable)
    for (auto It = Chain.rbegin(); It != Chain.rend(); ++It) {
      W.Text(It->CharSet);
      W.Text(It->Font);
      W.Byte(It->Ch);
      W.Byte(It->Glyph);
    }
  return W.Finish();
}

void TAdCharSetMapping::StoreToBinFile(const String& aFileName) const { WriteFile(aFileName, StoredForm()); }

void TAdCharSetMapping::DebugPrint(const String& aFileName) const
{
  WriteDump(aFileName, BucketCount, FCount, [this](TextFile& F, int32_t B) {
    for (auto It = FTable[B].rbegin(); It != FTable[B].rend(); ++It)
      Writeln(F, RightAligned(FromAnsi(It->CharSet), 20) + RightAligned(QString::number(It->Ch), 4) +
                     RightAligned(FromAnsi(It->Font), 20) + RightAligned(QString::number(It->Glyph), 4));
  });
}
