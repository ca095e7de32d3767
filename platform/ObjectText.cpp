#include "platform/ObjectText.h"

#include "platform/Filer.h"
#include "platform/FilerInternal.h"
#include "rtl/Numbers.h"
#include "rtl/Streams.h"
#include "rtl/Strings.h"

#include <QStringList>

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// ---------------------------------------------------------------- shared

bool IsIdentStart(char16_t C) { return (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_'; }
bool IsIdentChar(char16_t C) { return IsIdentStart(C) || (C >= u'0' && C <= u'9'); }

bool IsIdent(const String& S)
{
  if (S.isEmpty() || !IsIdentStart(S.at(0).unicode()))
    return false;
  for (const QChar C : S)
    if (!IsIdentChar(C.unicode()))
      return false;
  return true;
}

bool IsDottedIdent(const String& S)
{
  if (S.isEmpty())
    return false;
  for (const String& Part : S.split(QLatin1Char('.')))
    if (!IsIdent(Part))
      return false;
  return true;
}

bool IsKeyword(const String& S)
{
  return SameText(S, QStringLiteral("object")) || SameText(S, QStringLiteral("inherited")) ||
         SameText(S, QStringLiteral("inline")) || SameText(S, QStringLiteral("end"));
}

// A property whose first name part is a keyword would end the object in
// the text form.
bool IsPropertyName(const String& S) { return IsDottedIdent(S) && !IsKeyword(S.section(QLatin1Char('.'), 0, 0)); }

[[noreturn]] void InvalidFormat() { throw EReadError(QStringLiteral("Invalid stream format")); }

constexpr qsizetype MaxClassNameLength = 0xF0;

String FloatText(double V, bool Single)
{
  if (std::isnan(V))
    return QStringLiteral("+NAN");
  if (std::isinf(V))
    return V > 0 ? QStringLiteral("+INF") : QStringLiteral("-INF");
  char Buf[64];
  const std::to_chars_result R =
      Single ? std::to_chars(Buf, Buf + sizeof(Buf), static_cast<float>(V)) : std::to_chars(Buf, Buf + sizeof(Buf), V);
  String S = QString::fromLatin1(Buf, static_cast<qsizetype>(R.ptr - Buf));
  // Shortest text that reads back as the same value; a point keeps it a
  // float when read.
  if (!S.contains(QLatin1Char('.')) && !S.contains(QLatin1Char('e')))
    S += QStringLiteral(".0");
  return S;
}

String CurrencyText(int64_t Scaled)
{
  const bool Negative = Scaled < 0;
  const uint64_t Abs = Negative ? uint64_t(0) - static_cast<uint64_t>(Scaled) : static_cast<uint64_t>(Scaled);
  String S = (Negative ? QStringLiteral("-") : String()) + UIntToStr(Abs / 10000);
  uint64_t Frac = Abs % 10000;
  if (Frac != 0) {
    String F = QStringLiteral("%1").arg(Frac, 4, 10, QLatin1Char('0'));
    while (F.endsWith(QLatin1Char('0')))
      F.chop(1);
    S += QLatin1Char('.') + F;
  }
  return S + QLatin1Char('c');
}

// ---------------------------------------------------------------- binary to text

class TTextOut {
public:
  void Write(const String& S) { FOut += S.toLatin1(); }
  void NewLine(int32_t Indent)
  {
    FOut += "\r\n";
    FOut += QByteArray(Indent * 2, ' ');
  }
  void Line(int32_t Indent, const String& S)
  {
    if (!FOut.isEmpty())
      FOut += "\r\n";
    FOut += QByteArray(Indent * 2, ' ');
    Write(S);
  }
  QByteArray Finish() { return FOut + "\r\n"; }

private:
  QByteArray FOut;
};

class TBinaryToText {
public:
  TBinaryToText(TReader& R, TTextOut& O) : FR(R), FO(O) {}

  void ConvertObject(int32_t Indent)
  {
    TDepth D(*this);
    uint8_t Flags = 0;
    int32_t ChildPos = 0;
    FR.ReadPrefix(Flags, ChildPos);
    const String ClassName = FR.ReadStr();
    const String Name = FR.ReadStr();
    if (!IsIdent(ClassName) || (!Name.isEmpty() && !IsIdent(Name)))
      InvalidFormat();
    String Head = (Flags & ffInherited) ? QStringLiteral("inherited ")
                  : (Flags & ffInline)  ? QStringLiteral("inline ")
                                        : QStringLiteral("object ");
    if (!Name.isEmpty())
      Head += Name + QStringLiteral(": ");
    Head += ClassName;
    if (Flags & ffChildPos)
      Head += QStringLiteral(" [%1]").arg(ChildPos);
    FO.Line(Indent, Head);
    while (!FR.EndOfList())
      ConvertProperty(Indent + 1);
    FR.ReadListEnd();
    while (!FR.EndOfList())
      ConvertObject(Indent + 1);
    FR.ReadListEnd();
    FO.Line(Indent, QStringLiteral("end"));
  }

private:
  class TDepth {
  public:
    explicit TDepth(TBinaryToText& C) : FC(C)
    {
      if (++FC.FDepth > MaxObjectTextDepth) {
        --FC.FDepth;
        throw EReadError(QStringLiteral("Objects nested too deeply"));
      }
    }
    ~TDepth() { --FC.FDepth; }
    TDepth(const TDepth&) = delete;
    TDepth& operator=(const TDepth&) = delete;

  private:
    TBinaryToText& FC;
  };

  void ConvertProperty(int32_t Indent)
  {
    const String Name = FR.ReadStr();
    if (!IsPropertyName(Name))
      InvalidFormat();
    FO.Line(Indent, Name + QStringLiteral(" = "));
    ConvertValue(Indent);
  }

  void WriteQuoted(const String& S, int32_t Indent)
  {
    if (S.isEmpty()) {
      FO.Write(QStringLiteral("''"));
      return;
    }
    // Long texts go in pieces joined by " +" on the following lines.
    constexpr qsizetype Piece = 64;
    for (qsizetype Start = 0; Start < S.size(); Start += Piece) {
      if (Start > 0) {
        FO.Write(QStringLiteral(" +"));
        FO.NewLine(Indent + 1);
      }
      String Out;
      bool Quoted = false;
      for (qsizetype I = Start; I < S.size() && I < Start + Piece; ++I) {
        const char16_t C = S.at(I).unicode();
        if (C >= 32 && C <= 126) {
          if (!Quoted) {
            Out += QLatin1Char('\'');
            Quoted = true;
          }
          Out += C == u'\'' ? QStringLiteral("''") : String(QChar(C));
        } else {
          if (Quoted) {
            Out += QLatin1Char('\'');
            Quoted = false;
          }
          Out += QLatin1Char('#') + QString::number(C);
        }
      }
      if (Quoted)
        Out += QLatin1Char('\'');
      FO.Write(Out);
    }
  }

  void ConvertValue(int32_t Indent)
  {
    switch (FR.NextValue()) {
    case vaList: {
      TDepth D(*this);
      FR.ReadValue();
      FO.Write(QStringLiteral("("));
      while (!FR.EndOfList()) {
        FO.NewLine(Indent + 1);
        ConvertValue(Indent + 1);
      }
      FR.ReadListEnd();
      FO.Write(QStringLiteral(")"));
      return;
    }
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      FO.Write(IntToStr(FR.ReadInt64()));
      return;
    case vaExtended:
    case vaDouble:
      FO.Write(FloatText(FR.ReadFloat(), false));
      return;
    case vaSingle:
      FO.Write(FloatText(FR.ReadFloat(), true) + QLatin1Char('s'));
      return;
    case vaDate:
      FO.Write(FloatText(FR.ReadFloat(), false) + QLatin1Char('d'));
      return;
    case vaCurrency: {
      FR.ReadValue();
      uint8_t B[8];
      FR.Read(B, 8);
      uint64_t V = 0;
      for (int I = 0; I < 8; ++I)
        V |= uint64_t(B[I]) << (8 * I);
      FO.Write(CurrencyText(static_cast<int64_t>(V)));
      return;
    }
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String:
      WriteQuoted(FR.ReadString(), Indent);
      return;
    case vaIdent:
    case vaFalse:
    case vaTrue:
    case vaNil: {
      const String Ident = FR.ReadIdent();
      if (!IsDottedIdent(Ident))
        InvalidFormat();
      FO.Write(Ident);
      return;
    }
    case vaBinary: {
      const QByteArray Data = FR.ReadBinary();
      FO.Write(QStringLiteral("{"));
      constexpr qsizetype BytesPerLine = 32;
      for (qsizetype I = 0; I < Data.size(); I += BytesPerLine) {
        FO.NewLine(Indent + 1);
        FO.Write(QString::fromLatin1(Data.mid(I, BytesPerLine).toHex().toUpper()));
      }
      FO.Write(QStringLiteral("}"));
      return;
    }
    case vaSet: {
      const std::vector<String> Names = FR.ReadSetNames();
      QStringList Parts;
      for (const String& N : Names) {
        if (!IsIdent(N))
          InvalidFormat();
        Parts << N;
      }
      FO.Write(QLatin1Char('[') + Parts.join(QStringLiteral(", ")) + QLatin1Char(']'));
      return;
    }
    case vaCollection: {
      TDepth D(*this);
      FR.ReadValue();
      FO.Write(QStringLiteral("<"));
      while (!FR.EndOfList()) {
        FO.NewLine(Indent + 1);
        FO.Write(QStringLiteral("item"));
        const TValueType T = FR.NextValue();
        if (T == vaInt8 || T == vaInt16 || T == vaInt32)
          FO.Write(QStringLiteral(" [%1]").arg(FR.ReadInteger()));
        FR.ReadListBegin();
        while (!FR.EndOfList())
          ConvertProperty(Indent + 2);
        FR.ReadListEnd();
        FO.NewLine(Indent + 1);
        FO.Write(QStringLiteral("end"));
      }
      FR.ReadListEnd();
      FO.Write(QStringLiteral(">"));
      return;
    }
    default:
      InvalidFormat();
    }
  }

  TReader& FR;
  TTextOut& FO;
  int32_t FDepth = 0;
};

// ---------------------------------------------------------------- text to binary

enum class TTok : uint8_t { Eof, Symbol, String, Integer, Float, Char };

class TParser {
public:
  explicit TParser(const String& Text) : FText(Text) { Next(); }

  TTok Token() const { return FToken; }
  const String& TokenText() const { return FTokenText; }
  const String& StringValue() const { return FString; }
  int64_t IntValue() const { return FInt; }
  double FloatValue() const { return FFloat; }
  char16_t FloatSuffix() const { return FSuffix; }
  int64_t CurrencyValue() const { return FCurrency; }
  bool IsChar(char16_t C) const { return FToken == TTok::Char && FChar == C; }
  bool IsSymbol(const char* S) const { return FToken == TTok::Symbol && SameText(FTokenText, QString::fromLatin1(S)); }

  [[noreturn]] void Error(const String& Msg) const
  {
    throw EParserError(QStringLiteral("%1 on line %2").arg(Msg).arg(FTokenLine));
  }

  void CheckChar(char16_t C)
  {
    if (!IsChar(C))
      Error(QStringLiteral("'%1' expected").arg(QChar(C)));
    Next();
  }

  String Symbol()
  {
    if (FToken != TTok::Symbol)
      Error(QStringLiteral("Identifier expected"));
    String S = FTokenText;
    Next();
    return S;
  }

  // An identifier with optional ".Part"s.
  String DottedSymbol()
  {
    String S = Symbol();
    while (IsChar(u'.')) {
      Next();
      S += QLatin1Char('.') + Symbol();
    }
    return S;
  }

  int64_t Integer()
  {
    if (FToken != TTok::Integer)
      Error(QStringLiteral("Integer expected"));
    const int64_t V = FInt;
    Next();
    return V;
  }

  // Reads the hexadecimal digits of a binary value; the '{' is the current
  // token.
  QByteArray Binary()
  {
    QByteArray Hex;
    for (;;) {
      if (FPos >= FText.size())
        Error(QStringLiteral("Invalid binary value"));
      const char16_t C = FText.at(FPos).unicode();
      ++FPos;
      if (C == u'}')
        break;
      if (C == u'\n')
        ++FLine;
      if (C == u' ' || C == u'\t' || C == u'\r' || C == u'\n')
        continue;
      const bool HexDigit = (C >= u'0' && C <= u'9') || (C >= u'A' && C <= u'F') || (C >= u'a' && C <= u'f');
      if (!HexDigit)
        Error(QStringLiteral("Invalid binary value"));
      Hex += static_cast<char>(C);
    }
    if (Hex.size() % 2 != 0)
      Error(QStringLiteral("Invalid binary value"));
    Next();
    return QByteArray::fromHex(Hex);
  }

  void Next()
  {
    SkipBlanks();
    FTokenLine = FLine;
    FTokenText.clear();
    if (FPos >= FText.size()) {
      FToken = TTok::Eof;
      return;
    }
    const char16_t C = FText.at(FPos).unicode();
    if (IsIdentStart(C)) {
      const qsizetype Start = FPos;
      while (FPos < FText.size() && IsIdentChar(FText.at(FPos).unicode()))
        ++FPos;
      FTokenText = FText.mid(Start, FPos - Start);
      FToken = TTok::Symbol;
      return;
    }
    if (C == u'\'' || C == u'#') {
      ReadString();
      return;
    }
    if ((C >= u'0' && C <= u'9') || C == u'$' || ((C == u'-' || C == u'+') && NumberFollows())) {
      ReadNumber();
      return;
    }
    FToken = TTok::Char;
    FChar = C;
    FTokenText = QString(QChar(C));
    ++FPos;
  }

private:
  void SkipBlanks()
  {
    while (FPos < FText.size()) {
      const char16_t C = FText.at(FPos).unicode();
      if (C == u'\n')
        ++FLine;
      if (C > 32)
        break;
      ++FPos;
    }
  }

  bool NumberFollows() const
  {
    if (FPos + 1 >= FText.size())
      return false;
    const char16_t N = FText.at(FPos + 1).unicode();
    if ((N >= u'0' && N <= u'9') || N == u'$')
      return true;
    const String Word = FText.mid(FPos + 1, 3).toUpper();
    return Word == QLatin1String("INF") || Word == QLatin1String("NAN");
  }

  void ReadString()
  {
    FString.clear();
    for (;;) {
      if (FPos >= FText.size())
        break;
      const char16_t C = FText.at(FPos).unicode();
      if (C == u'\'') {
        ++FPos;
        for (;;) {
          if (FPos >= FText.size() || FText.at(FPos).unicode() == u'\n' || FText.at(FPos).unicode() == u'\r')
            Error(QStringLiteral("Invalid string constant"));
          const char16_t D = FText.at(FPos).unicode();
          ++FPos;
          if (D == u'\'') {
            if (FPos < FText.size() && FText.at(FPos).unicode() == u'\'') {
              FString += QLatin1Char('\'');
              ++FPos;
              continue;
            }
            break;
          }
          FString += QChar(D);
        }
      } else if (C == u'#') {
        ++FPos;
        const qsizetype Start = FPos;
        bool Hex = false;
        if (FPos < FText.size() && FText.at(FPos).unicode() == u'$') {
          Hex = true;
          ++FPos;
        }
        const qsizetype DigitsStart = FPos;
        while (FPos < FText.size() && FPos - DigitsStart < 8) {
          const char16_t D = FText.at(FPos).unicode();
          const bool Ok = (D >= u'0' && D <= u'9') || (Hex && ((D >= u'A' && D <= u'F') || (D >= u'a' && D <= u'f')));
          if (!Ok)
            break;
          ++FPos;
        }
        bool Ok = false;
        const uint32_t Code = FText.mid(DigitsStart, FPos - DigitsStart).toUInt(&Ok, Hex ? 16 : 10);
        if (!Ok || FPos == DigitsStart || Code > 0x10FFFF || (FPos - Start) == 0)
          Error(QStringLiteral("Invalid string constant"));
        if (Code > 0xFFFF) {
          const char32_t Cp = Code;
          FString += QString::fromUcs4(&Cp, 1);
        } else {
          FString += QChar(static_cast<char16_t>(Code));
        }
      } else {
        break;
      }
    }
    FToken = TTok::String;
  }

  void ReadNumber()
  {
    const qsizetype Start = FPos;
    if (FText.at(FPos).unicode() == u'-' || FText.at(FPos).unicode() == u'+')
      ++FPos;
    bool IsFloat = false;
    const String Word = FText.mid(FPos, 3).toUpper();
    if (Word == QLatin1String("INF") || Word == QLatin1String("NAN")) {
      FPos += 3;
      IsFloat = true;
    } else if (FPos < FText.size() && FText.at(FPos).unicode() == u'$') {
      ++FPos;
      while (FPos < FText.size() && IsIdentChar(FText.at(FPos).unicode()))
        ++FPos;
    } else {
      auto Digits = [this] {
        while (FPos < FText.size() && FText.at(FPos).unicode() >= u'0' && FText.at(FPos).unicode() <= u'9')
          ++FPos;
      };
      Digits();
      if (FPos < FText.size() && FText.at(FPos).unicode() == u'.' && FPos + 1 < FText.size() &&
          FText.at(FPos + 1).unicode() >= u'0' && FText.at(FPos + 1).unicode() <= u'9') {
        IsFloat = true;
        ++FPos;
        Digits();
      }
      if (FPos < FText.size() && (FText.at(FPos).unicode() == u'e' || FText.at(FPos).unicode() == u'E')) {
        IsFloat = true;
        ++FPos;
        if (FPos < FText.size() && (FText.at(FPos).unicode() == u'+' || FText.at(FPos).unicode() == u'-'))
          ++FPos;
        Digits();
      }
    }
    String Number = FText.mid(Start, FPos - Start);
    FSuffix = 0;
    if (FPos < FText.size()) {
      const char16_t S = FText.at(FPos).unicode() | 0x20;
      const bool SuffixFollows = (S == u's' || S == u'c' || S == u'd') &&
                                 !(FPos + 1 < FText.size() && IsIdentChar(FText.at(FPos + 1).unicode())) &&
                                 !Number.contains(QLatin1Char('$'));
      if (SuffixFollows) {
        FSuffix = S;
        IsFloat = true;
        ++FPos;
      }
    }
    if (FPos < FText.size() && IsIdentChar(FText.at(FPos).unicode()) && !Number.contains(QLatin1Char('$')))
      Error(QStringLiteral("Invalid numeric value"));
    FTokenText = Number;
    if (!IsFloat) {
      if (!TryStrToInt64(Number, FInt))
        Error(QStringLiteral("Invalid numeric value"));
      FToken = TTok::Integer;
      return;
    }
    if (FSuffix == u'c') {
      ParseCurrency(Number);
    } else {
      ParseFloat(Number, FSuffix == u's');
    }
    FToken = TTok::Float;
  }

  void ParseFloat(const String& Number, bool Single)
  {
    String N = Number;
    bool Negative = false;
    if (N.startsWith(QLatin1Char('+')) || N.startsWith(QLatin1Char('-'))) {
      Negative = N.startsWith(QLatin1Char('-'));
      N.remove(0, 1);
    }
    const String Upper = N.toUpper();
    if (Upper == QLatin1String("INF")) {
      FFloat = std::numeric_limits<double>::infinity();
    } else if (Upper == QLatin1String("NAN")) {
      FFloat = std::numeric_limits<double>::quiet_NaN();
    } else {
      const QByteArray A = N.toLatin1();
      std::from_chars_result R{};
      if (Single) {
        float F = 0;
        R = std::from_chars(A.constData(), A.constData() + A.size(), F);
        FFloat = F;
      } else {
        R = std::from_chars(A.constData(), A.constData() + A.size(), FFloat);
      }
      if (R.ec != std::errc() || R.ptr != A.constData() + A.size())
        Error(QStringLiteral("Invalid numeric value"));
    }
    if (Negative)
      FFloat = -FFloat;
  }

  // Exactly, without a detour through binary floating point.
  void ParseCurrency(const String& Number)
  {
    String N = Number;
    bool Negative = false;
    if (N.startsWith(QLatin1Char('+')) || N.startsWith(QLatin1Char('-'))) {
      Negative = N.startsWith(QLatin1Char('-'));
      N.remove(0, 1);
    }
    if (N.contains(QLatin1Char('e'), Qt::CaseInsensitive) || N.contains(QLatin1Char('$')) ||
        N.compare(QLatin1String("INF"), Qt::CaseInsensitive) == 0 ||
        N.compare(QLatin1String("NAN"), Qt::CaseInsensitive) == 0)
      Error(QStringLiteral("Invalid numeric value"));
    const qsizetype Dot = N.indexOf(QLatin1Char('.'));
    String Int = Dot < 0 ? N : N.left(Dot);
    String Frac = Dot < 0 ? String() : N.mid(Dot + 1);
    const bool RoundUp = Frac.size() > 4 && Frac.at(4).unicode() >= u'5';
    Frac = Frac.left(4).leftJustified(4, QLatin1Char('0'));
    bool Ok = false;
    const uint64_t Magnitude = (Int + Frac).toULongLong(&Ok);
    const uint64_t Limit = Negative ? uint64_t(1) << 63 : (uint64_t(1) << 63) - 1;
    if (!Ok || Magnitude + (RoundUp ? 1 : 0) > Limit || Int.size() > 15)
      Error(QStringLiteral("Invalid numeric value"));
    const uint64_t M = Magnitude + (RoundUp ? 1 : 0);
    FCurrency = Negative ? static_cast<int64_t>(uint64_t(0) - M) : static_cast<int64_t>(M);
  }

  const String& FText;
  qsizetype FPos = 0;
  int32_t FLine = 1;
  int32_t FTokenLine = 1;
  TTok FToken = TTok::Eof;
  char16_t FChar = 0;
  String FTokenText;
  String FString;
  int64_t FInt = 0;
  double FFloat = 0;
  char16_t FSuffix = 0;
  int64_t FCurrency = 0;
};

class TTextToBinary {
public:
  TTextToBinary(TParser& P, TWriter& W) : FP(P), FW(W) {}

  void ConvertObject()
  {
    TDepth D(*this);
    uint8_t Flags = 0;
    if (FP.IsSymbol("inherited"))
      Flags = ffInherited;
    else if (FP.IsSymbol("inline"))
      Flags = ffInline;
    else if (!FP.IsSymbol("object"))
      FP.Error(QStringLiteral("'object' expected"));
    FP.Next();
    String Name;
    String ClassName = FP.Symbol();
    if (FP.IsChar(u':')) {
      FP.Next();
      Name = ClassName;
      ClassName = FP.Symbol();
    }
    // The class name's length byte must stay below the prefix bytes
    // (0xF0 and up).
    if (ClassName.size() >= MaxClassNameLength)
      FP.Error(QStringLiteral("Class name too long"));
    int32_t ChildPos = 0;
    if (FP.IsChar(u'[')) {
      FP.Next();
      const int64_t V = FP.Integer();
      if (V < std::numeric_limits<int32_t>::min() || V > std::numeric_limits<int32_t>::max())
        FP.Error(QStringLiteral("Invalid numeric value"));
      ChildPos = static_cast<int32_t>(V);
      Flags |= ffChildPos;
      FP.CheckChar(u']');
    }
    FW.WritePrefix(Flags, ChildPos);
    FW.WriteStr(ClassName);
    FW.WriteStr(Name);
    while (!FP.IsSymbol("object") && !FP.IsSymbol("inherited") && !FP.IsSymbol("inline") && !FP.IsSymbol("end"))
      ConvertProperty();
    FW.WriteListEnd();
    while (!FP.IsSymbol("end"))
      ConvertObject();
    FW.WriteListEnd();
    FP.Next();
  }

private:
  class TDepth {
  public:
    explicit TDepth(TTextToBinary& C) : FC(C)
    {
      if (++FC.FDepth > MaxObjectTextDepth) {
        --FC.FDepth;
        FC.FP.Error(QStringLiteral("Objects nested too deeply"));
      }
    }
    ~TDepth() { --FC.FDepth; }
    TDepth(const TDepth&) = delete;
    TDepth& operator=(const TDepth&) = delete;

  private:
    TTextToBinary& FC;
  };

  void ConvertProperty()
  {
    const String Name = FP.DottedSymbol();
    FP.CheckChar(u'=');
    FW.WriteStr(Name);
    ConvertValue();
  }

  void ConvertValue()
  {
    switch (FP.Token()) {
    case TTok::Integer:
      FW.WriteInteger(FP.IntValue());
      FP.Next();
      return;
    case TTok::Float:
      switch (FP.FloatSuffix()) {
      case u's':
        FW.WriteSingle(static_cast<float>(FP.FloatValue()));
        break;
      case u'c': {
        // The exact scaled value: write the bytes rather than a double.
        FW.WriteValue(vaCurrency);
        uint8_t B[8];
        const uint64_t V = static_cast<uint64_t>(FP.CurrencyValue());
        for (int I = 0; I < 8; ++I)
          B[I] = static_cast<uint8_t>(V >> (8 * I));
        FW.Write(B, 8);
        break;
      }
      case u'd':
        FW.WriteDate(FP.FloatValue());
        break;
      default:
        FW.WriteFloat(FP.FloatValue());
        break;
      }
      FP.Next();
      return;
    case TTok::String: {
      String S = FP.StringValue();
      FP.Next();
      while (FP.IsChar(u'+')) {
        FP.Next();
        if (FP.Token() != TTok::String)
          FP.Error(QStringLiteral("String expected"));
        S += FP.StringValue();
        FP.Next();
      }
      FW.WriteString(S);
      return;
    }
    case TTok::Symbol:
      FW.WriteIdent(FP.DottedSymbol());
      return;
    case TTok::Char:
      break;
    case TTok::Eof:
      FP.Error(QStringLiteral("Unexpected end of file"));
    }
    if (FP.IsChar(u'[')) {
      FP.Next();
      std::vector<String> Names;
      if (!FP.IsChar(u']')) {
        for (;;) {
          Names.push_back(FP.Symbol());
          if (FP.IsChar(u']'))
            break;
          FP.CheckChar(u',');
        }
      }
      FP.Next();
      FW.WriteSet(Names);
    } else if (FP.IsChar(u'(')) {
      TDepth D(*this);
      FP.Next();
      FW.WriteListBegin();
      while (!FP.IsChar(u')')) {
        if (FP.Token() == TTok::Eof)
          FP.Error(QStringLiteral("')' expected"));
        ConvertValue();
      }
      FP.Next();
      FW.WriteListEnd();
    } else if (FP.IsChar(u'{')) {
      FW.WriteBinaryData(FP.Binary());
    } else if (FP.IsChar(u'<')) {
      TDepth D(*this);
      FP.Next();
      FW.WriteValue(vaCollection);
      while (!FP.IsChar(u'>')) {
        if (!FP.IsSymbol("item"))
          FP.Error(QStringLiteral("'item' expected"));
        FP.Next();
        if (FP.IsChar(u'[')) {
          FP.Next();
          const int64_t V = FP.Integer();
          if (V < std::numeric_limits<int32_t>::min() || V > std::numeric_limits<int32_t>::max())
            FP.Error(QStringLiteral("Invalid numeric value"));
          FW.WriteInteger(V);
          FP.CheckChar(u']');
        }
        FW.WriteListBegin();
        while (!FP.IsSymbol("end")) {
          if (FP.Token() == TTok::Eof)
            FP.Error(QStringLiteral("'end' expected"));
          ConvertProperty();
        }
        FP.Next();
        FW.WriteListEnd();
      }
      FP.Next();
      FW.WriteListEnd();
    } else {
      FP.Error(QStringLiteral("Invalid property value"));
    }
  }

  TParser& FP;
  TWriter& FW;
  int32_t FDepth = 0;
};

} // namespace

void ObjectBinaryToText(TStream& Input, TStream& Output)
{
  TTextOut Out;
  {
    TReader Reader(Input, 4096);
    Reader.ReadSignature();
    TBinaryToText Converter(Reader, Out);
    Converter.ConvertObject(0);
  }
  const QByteArray Text = Out.Finish();
  Output.WriteBuffer(Text.constData(), static_cast<int32_t>(Text.size()));
}

void ObjectTextToBinary(TStream& Input, TStream& Output)
{
  const int64_t Size = Input.Size() - Input.Position();
  if (Size > std::numeric_limits<int32_t>::max())
    throw EReadError(QStringLiteral("Stream read error"));
  QByteArray Raw(Size > 0 ? Size : 0, Qt::Uninitialized);
  if (Size > 0)
    Input.ReadBuffer(Raw.data(), static_cast<int32_t>(Size));
  if (Raw.startsWith("\xEF\xBB\xBF"))
    Raw.remove(0, 3);
  const String Text = Utf8ToString(Raw.constData(), Raw.size());
  TParser Parser(Text);
  TWriter Writer(Output, 4096);
  Writer.WriteSignature();
  TTextToBinary Converter(Parser, Writer);
  Converter.ConvertObject();
  Writer.FlushBuffer();
}
