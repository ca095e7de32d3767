#include "rtl/Strings.h"

#include <algorithm>

namespace {

// The clipping rules are shared by the UTF-16 and the byte forms.
template <typename S>
S CopyImpl(const S& Str, int Index, int Count)
{
  const qsizetype Len = Str.size();
  if (Index < 1)
    Index = 1;
  if (Count <= 0 || Index > Len)
    return S();
  const qsizetype Avail = Len - Index + 1;
  return Str.mid(Index - 1, std::min<qsizetype>(Count, Avail));
}

template <typename S>
void DeleteImpl(S& Str, int Index, int Count)
{
  const qsizetype Len = Str.size();
  if (Index < 1 || Index > Len || Count <= 0)
    return;
  Str.remove(Index - 1, std::min<qsizetype>(Count, Len - Index + 1));
}

template <typename S>
void InsertImpl(const S& Source, S& Str, int Index)
{
  if (Source.isEmpty())
    return;
  qsizetype At = Index < 1 ? 0 : Index - 1;
  At = std::min(At, Str.size());
  Str.insert(At, Source);
}

template <typename S, typename Sub>
int PosImpl(const Sub& SubStr, const S& Str, int Offset)
{
  if (Offset < 1 || Offset > Str.size())
    return 0;
  const qsizetype At = Str.indexOf(SubStr, Offset - 1);
  return At < 0 ? 0 : static_cast<int>(At + 1);
}

inline bool IsBlank(char16_t C) { return C <= u' '; }

inline char16_t AsciiUpper(char16_t C) { return (C >= u'a' && C <= u'z') ? char16_t(C - 32) : C; }
inline char16_t AsciiLower(char16_t C) { return (C >= u'A' && C <= u'Z') ? char16_t(C + 32) : C; }

template <char16_t (*Map)(char16_t)>
String MapAscii(const String& S)
{
  const qsizetype Len = S.size();
  const QChar* P = S.constData();
  qsizetype First = 0;
  while (First < Len && Map(P[First].unicode()) == P[First].unicode())
    ++First;
  if (First == Len)
    return S; // shares the data, no copy
  String R = S;
  QChar* Q = R.data();
  for (qsizetype I = First; I < Len; ++I)
    Q[I] = QChar(Map(Q[I].unicode()));
  return R;
}

int CompareFolded(const String& S1, const String& S2, bool Fold)
{
  const qsizetype N = std::min(S1.size(), S2.size());
  const QChar* A = S1.constData();
  const QChar* B = S2.constData();
  for (qsizetype I = 0; I < N; ++I) {
    int C1 = A[I].unicode();
    int C2 = B[I].unicode();
    if (Fold) {
      C1 = AsciiUpper(char16_t(C1));
      C2 = AsciiUpper(char16_t(C2));
    }
    if (C1 != C2)
      return C1 - C2;
  }
  const qsizetype D = S1.size() - S2.size();
  return D < 0 ? -1 : (D > 0 ? 1 : 0);
}

inline int Sign(int V) { return V < 0 ? -1 : (V > 0 ? 1 : 0); }

String QuoteWith(const String& S, QChar Quote)
{
  String R;
  R.reserve(S.size() + 2);
  R += Quote;
  for (QChar C : S) {
    R += C;
    if (C == Quote)
      R += Quote;
  }
  R += Quote;
  return R;
}

// Windows-1252 code points of bytes 0x80..0x9F. The five bytes the code page
// leaves undefined map to the C1 control of the same value so that any byte
// string survives FromAnsi followed by ToAnsi.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char AnsiByteOf(char16_t C)
{
  if (C < 0x80 || (C >= 0xA0 && C <= 0xFF))
    return static_cast<char>(C);
  for (int I = 0; I < 32; ++I)
    if (Cp1252High[I] == C)
      return static_cast<char>(0x80 + I);
  return '?';
}

} // namespace

String Copy(const String& S, int Index, int Count) { return CopyImpl(S, Index, Count); }
AnsiString Copy(const AnsiString& S, int Index, int Count) { return CopyImpl(S, Index, Count); }

int Pos(const String& Sub, const String& S, int Offset)
{
  if (Sub.isEmpty())
    return 0;
  return PosImpl(Sub, S, Offset);
}

int Pos(QChar Ch, const String& S, int Offset) { return PosImpl(Ch, S, Offset); }

int Pos(const AnsiString& Sub, const AnsiString& S, int Offset)
{
  if (Sub.isEmpty())
    return 0;
  return PosImpl(Sub, S, Offset);
}

void Delete(String& S, int Index, int Count) { DeleteImpl(S, Index, Count); }
void Delete(AnsiString& S, int Index, int Count) { DeleteImpl(S, Index, Count); }
void Insert(const String& Source, String& S, int Index) { InsertImpl(Source, S, Index); }
void Insert(const AnsiString& Source, AnsiString& S, int Index) { InsertImpl(Source, S, Index); }

String Trim(const String& S)
{
  const QChar* P = S.constData();
  qsizetype B = 0;
  qsizetype E = S.size();
  while (B < E && IsBlank(P[B].unicode()))
    ++B;
  while (E > B && IsBlank(P[E - 1].unicode()))
    --E;
  return (B == 0 && E == S.size()) ? S : S.mid(B, E - B);
}

String TrimLeft(const String& S)
{
  const QChar* P = S.constData();
  qsizetype B = 0;
  while (B < S.size() && IsBlank(P[B].unicode()))
    ++B;
  return B == 0 ? S : S.mid(B);
}

String TrimRight(const String& S)
{
  const QChar* P = S.constData();
  qsizetype E = S.size();
  while (E > 0 && IsBlank(P[E - 1].unicode()))
    --E;
  return E == S.size() ? S : S.left(E);
}

AnsiString Trim(const AnsiString& S)
{
  const char* P = S.constData();
  qsizetype B = 0;
  qsizetype E = S.size();
  while (B < E && static_cast<unsigned char>(P[B]) <= 32)
    ++B;
  while (E > B && static_cast<unsigned char>(P[E - 1]) <= 32)
    --E;
  return (B == 0 && E == S.size()) ? S : S.mid(B, E - B);
}

String UpperCase(const String& S) { return MapAscii<AsciiUpper>(S); }
String LowerCase(const String& S) { return MapAscii<AsciiLower>(S); }
String AnsiUpperCase(const String& S) { return S.toUpper(); }
String AnsiLowerCase(const String& S) { return S.toLower(); }

int CompareStr(const String& S1, const String& S2) { return CompareFolded(S1, S2, false); }
int CompareText(const String& S1, const String& S2) { return CompareFolded(S1, S2, true); }
bool SameStr(const String& S1, const String& S2) { return S1 == S2; }
bool SameText(const String& S1, const String& S2) { return S1.size() == S2.size() && CompareFolded(S1, S2, true) == 0; }

int AnsiCompareStr(const String& S1, const String& S2)
{
  // Collation order: letters compare without case first, so "apple" sorts
  // before "Banana"; only texts equal but for case are ordered by it, lower
  // case first as on the desktop the users know.
  const int R = Sign(QString::compare(S1, S2, Qt::CaseInsensitive));
  if (R != 0)
    return R;
  return -Sign(CompareFolded(S1, S2, false));
}

int AnsiCompareText(const String& S1, const String& S2) { return Sign(QString::compare(S1, S2, Qt::CaseInsensitive)); }

bool AnsiSameText(const String& S1, const String& S2) { return QString::compare(S1, S2, Qt::CaseInsensitive) == 0; }

bool StartsText(const String& SubText, const String& Text)
{
  return SubText.isEmpty() || Text.startsWith(SubText, Qt::CaseInsensitive);
}

bool EndsText(const String& SubText, const String& Text)
{
  return SubText.isEmpty() || Text.endsWith(SubText, Qt::CaseInsensitive);
}

bool ContainsText(const String& Text, const String& SubText)
{
  return !SubText.isEmpty() && Text.contains(SubText, Qt::CaseInsensitive);
}

bool StartsStr(const String& SubText, const String& Text)
{
  return SubText.isEmpty() || Text.startsWith(SubText, Qt::CaseSensitive);
}

bool EndsStr(const String& SubText, const String& Text)
{
  return SubText.isEmpty() || Text.endsWith(SubText, Qt::CaseSensitive);
}

String StringReplace(const String& S, const String& OldPattern, const String& NewPattern, TReplaceFlags Flags)
{
  if (OldPattern.isEmpty())
    return S;
  const Qt::CaseSensitivity Cs = (Flags & rfIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive;
  qsizetype At = S.indexOf(OldPattern, 0, Cs);
  if (At < 0)
    return S;
  String R;
  R.reserve(S.size());
  qsizetype From = 0;
  while (At >= 0) {
    R.append(S.constData() + From, At - From);
    R.append(NewPattern);
    From = At + OldPattern.size();
    if (!(Flags & rfReplaceAll))
      break;
    At = S.indexOf(OldPattern, From, Cs);
  }
  R.append(S.constData() + From, S.size() - From);
  return R;
}

String StringOfChar(QChar Ch, int Count) { return Count <= 0 ? String() : String(Count, Ch); }

String QuotedStr(const String& S) { return QuoteWith(S, QLatin1Char('\'')); }

String AnsiQuotedStr(const String& S, QChar Quote) { return QuoteWith(S, Quote); }

String AnsiDequotedStr(const String& S, QChar Quote)
{
  const qsizetype Len = S.size();
  if (Len == 0 || S.at(0) != Quote)
    return S;
  String R;
  R.reserve(Len);
  qsizetype I = 1;
  while (I < Len) {
    if (S.at(I) == Quote) {
      if (I + 1 < Len && S.at(I + 1) == Quote) {
        R += Quote;
        I += 2;
        continue;
      }
      ++I; // the closing quote
      break;
    }
    R += S.at(I);
    ++I;
  }
  // A text that is not properly closed (the extraction ran to its end, or
  // gave nothing) is not a quoted text: it comes back as it was.
  const bool FullyQuoted = S.at(0) == Quote && S.at(Len - 1) == Quote;
  if ((R.isEmpty() || I >= Len) && !FullyQuoted)
    return S;
  return R;
}

int LastDelimiter(const String& Delimiters, const String& S)
{
  for (qsizetype I = S.size(); I > 0; --I)
    if (Delimiters.contains(S.at(I - 1)))
      return static_cast<int>(I);
  return 0;
}

bool IsDelimiter(const String& Delimiters, const String& S, int Index)
{
  if (Index < 1 || Index > S.size())
    return false;
  return Delimiters.contains(S.at(Index - 1));
}

AnsiString ToAnsi(const String& S)
{
  const qsizetype Len = S.size();
  AnsiString R(Len, Qt::Uninitialized);
  char* Out = R.data();
  const QChar* P = S.constData();
  // Plain ASCII (telegrams, commands, numbers: nearly everything sent)
  // eight characters at a time; the fixed inner loops vectorise.
  qsizetype I = 0;
  for (; I + 8 <= Len; I += 8) {
    char16_t Any = 0;
    for (int K = 0; K < 8; ++K)
      Any |= P[I + K].unicode();
    if (Any >= 0x80)
      break;
    for (int K = 0; K < 8; ++K)
      Out[I + K] = static_cast<char>(P[I + K].unicode());
  }
  qsizetype N = I;
  for (; I < Len; ++I) {
    const char16_t C = P[I].unicode();
    // A character outside the basic plane is one '?', not two.
    if (QChar::isHighSurrogate(C) && I + 1 < Len && QChar::isLowSurrogate(P[I + 1].unicode()))
      ++I;
    Out[N++] = AnsiByteOf(C);
  }
  R.truncate(N);
  return R;
}

String FromAnsi(const AnsiString& S)
{
  const qsizetype Len = S.size();
  String R(Len, Qt::Uninitialized);
  QChar* Out = R.data();
  const char* P = S.constData();
  qsizetype I = 0;
  for (; I + 8 <= Len; I += 8) {
    unsigned char Any = 0;
    for (int K = 0; K < 8; ++K)
      Any |= static_cast<unsigned char>(P[I + K]);
    if (Any >= 0x80)
      break;
    for (int K = 0; K < 8; ++K)
      Out[I + K] = QChar(char16_t(static_cast<unsigned char>(P[I + K])));
  }
  for (; I < Len; ++I) {
    const unsigned char B = static_cast<unsigned char>(P[I]);
    Out[I] = QChar((B >= 0x80 && B <= 0x9F) ? Cp1252High[B - 0x80] : char16_t(B));
  }
  return R;
}

bool IsValidIdent(const String& Ident)
{
  if (Ident.isEmpty())
    return false;
  for (int I = 0; I < Ident.size(); ++I) {
    const char16_t C = Ident.at(I).unicode();
    const bool Letter = (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z') || C == u'_';
    const bool Digit = C >= u'0' && C <= u'9';
    if (!Letter && !(Digit && I > 0))
      return false;
  }
  return true;
}

int StrCmpLogical(const String& S1, const String& S2)
{
  const qsizetype N1 = S1.length(), N2 = S2.length();
  qsizetype I = 0, J = 0;
  int ZeroTie = 0;
  auto IsDigitAt = [](const String& S, qsizetype K) { return S[K] >= u'0' && S[K] <= u'9'; };
  while (I < N1 && J < N2) {
    if (IsDigitAt(S1, I) && IsDigitAt(S2, J)) {
      const qsizetype Z1 = I, Z2 = J;
      while (I < N1 && S1[I] == u'0')
        ++I;
      while (J < N2 && S2[J] == u'0')
        ++J;
      const qsizetype D1 = I, D2 = J;
      while (I < N1 && IsDigitAt(S1, I))
        ++I;
      while (J < N2 && IsDigitAt(S2, J))
        ++J;
      // A longer run without its leading zeros is the larger number.
      if (I - D1 != J - D2)
        return I - D1 < J - D2 ? -1 : 1;
      for (qsizetype K = 0; K < I - D1; ++K)
        if (S1[D1 + K] != S2[D2 + K])
          return S1[D1 + K] < S2[D2 + K] ? -1 : 1;
      if (ZeroTie == 0 && D1 - Z1 != D2 - Z2)
        ZeroTie = D1 - Z1 < D2 - Z2 ? -1 : 1;
      continue;
    }
    const char16_t C1 = S1[I].toCaseFolded().unicode(), C2 = S2[J].toCaseFolded().unicode();
    if (C1 != C2)
      return C1 < C2 ? -1 : 1;
    ++I;
    ++J;
  }
  if (I < N1 || J < N2)
    return I < N1 ? 1 : -1;
  if (ZeroTie != 0)
    return ZeroTie;
  const int R = S1.compare(S2);
  return R < 0 ? -1 : R > 0 ? 1 : 0;
}
