// The CSV and line-break codecs, lines, wide text and HTML pieces of the
// grid's text utilities.
#include "grid/base/rurutil.h"

#include "platform/Canvas.h"
#include "rtl/Numbers.h"
#include "rtl/Strings.h"

#include <QRegularExpression>

#include <vector>

namespace {

constexpr char16_t CR = 13;
constexpr char16_t LF = 10;
constexpr char16_t VT = 11;

const String CRLF = QStringLiteral("\r\n");

// Characters that may belong to a web or mail address.
bool IsLinkChar(QChar C)
{
  if ((C >= u'a' && C <= u'z') || (C >= u'A' && C <= u'Z') || (C >= u'0' && C <= u'9'))
    return true;
  return String(QStringLiteral("!%&()-./:=?@\\_{}")).contains(C);
}

String EightDigits(int64_t V) { return Format(QStringLiteral("%.8d"), {V}); }

} // namespace

// ---------------------------------------------------------------- CSV and line breaks

String CSVQuotes(const String& S)
{
  String Result = S;
  Result.replace(u'"', QStringLiteral("\"\""));
  return Result;
}

String DoubleToSingleChar(QChar C, const String& S)
{
  String Result;
  Result.reserve(S.length());
  for (qsizetype I = 0; I < S.length(); ++I) {
    Result += S[I];
    if (S[I] == C && I + 1 < S.length() && S[I + 1] == C)
      ++I;
  }
  return Result;
}

String GetUnquotedStr(const String& S)
{
  if (S.length() > 2 && S.startsWith(u'"') && S.endsWith(u'"'))
    return S.mid(1, S.length() - 2);
  return S;
}

void LineFeedsToCSV(String& S)
{
  S.replace(CRLF, QString(QChar(VT)));
  S = u'"' + S + u'"';
}

void LineFeedsToCSVNQ(String& S) { S.replace(CRLF, QString(QChar(LF))); }

void CSVToLineFeeds(String& S) { S.replace(QChar(VT), CRLF); }

void LineFeedsToJava(String& S)
{
  S.replace(QChar(CR), QChar(u'~'));
  S.remove(QChar(LF));
}

void JavaToLineFeeds(String& S)
{
  S.replace(QChar(u'~'), CRLF);
  if (S == u"^")
    S.clear();
}

String LineFeedsToXLS(const String& S)
{
  String Result = S;
  Result.remove(QChar(CR));
  return Result;
}

String CRToLF(const String& S)
{
  String Result = S;
  Result.replace(QChar(CR), QChar(LF));
  return Result;
}

String CLFToLF(const String& S)
{
  String Result = S;
  Result.replace(QStringLiteral("\\n"), QString(QChar(CR)));
  return Result;
}

String LFToCLF(const String& S)
{
  String Result;
  for (const QChar C : S) {
    if (C == QChar(CR))
      Result += QStringLiteral("\\n");
    else if (C != QChar(LF))
      Result += C;
  }
  return Result;
}

String LfToFile(const String& S)
{
  if (!S.contains(QChar(CR)))
    return S;
  String Result = S;
  for (QChar& C : Result) {
    if (C == QChar(CR))
      C = QChar(9);
    else if (C == QChar(LF))
      C = QChar(8);
    else if (C == QChar(0))
      C = QChar(1);
  }
  return Result;
}

String FileToLf(const String& S, bool MultiLine)
{
  String Result = S;
  if (Result.contains(QChar(8))) {
    for (QChar& C : Result) {
      if (C == QChar(9))
        C = QChar(CR);
      else if (C == QChar(8))
        C = QChar(LF);
      else if (C == QChar(1))
        C = QChar(0);
    }
  }
  if (!MultiLine)
    return GetNextLine(Result, false);
  return Result;
}

int32_t SinglePos(QChar C, const String& S, int32_t& P)
{
  P = 0;
  const qsizetype N = S.length();
  qsizetype I = 0;
  while (I < N) {
    if (S[I] != C) {
      ++I;
      continue;
    }
    qsizetype End = I;
    while (End + 1 < N && S[End + 1] == C)
      ++End;
    const qsizetype Run = End - I + 1;
    if (Run % 2 == 1 || End == N - 1) {
      P = static_cast<int32_t>(End + 1);
      return P;
    }
    I = End + 1;
  }
  return P;
}

int32_t NumDelim(QChar C, const String& S)
{
  int32_t Outside = 0, Inside = 0;
  QChar Quote;
  bool Quoted = false;
  for (const QChar Ch : S) {
    if (Quoted) {
      if (Ch == Quote)
        Quoted = false;
      else if (Ch == C)
        ++Inside;
    } else if (Ch == u'"' || Ch == u'\'') {
      Quoted = true;
      Quote = Ch;
    } else if (Ch == C)
      ++Outside;
  }
  // An unclosed quote cannot be trusted to hide delimiters.
  return Quoted ? Outside + Inside : Outside;
}

int32_t NumChar(QChar C, const String& S) { return static_cast<int32_t>(S.count(C)); }
int32_t NumCharDel(QChar C, const String& S) { return NumChar(C, S); }
int32_t CharPos(QChar C, const String& S) { return Pos(C, S); }

int32_t VarCharPos(QChar C, const String& S, int32_t& P)
{
  P = Pos(C, S);
  return P;
}

int32_t VarPos(const String& Sub, const String& S, int32_t& P)
{
  P = Pos(Sub, S);
  return P;
}

// ---------------------------------------------------------------- lines

String GetNextLine(String& S, bool MultiLine)
{
  const qsizetype P = S.indexOf(QChar(CR));
  if (P < 0) {
    const String Line = S;
    S.clear();
    return Line;
  }
  const String Line = S.left(P);
  qsizetype Next = P + 1;
  if (Next < S.length() && S[Next] == QChar(LF))
    ++Next;
  if (MultiLine)
    S.remove(0, Next);
  else
    S.clear();
  return Line;
}

int32_t LinesInText(const String& S, bool MultiLine)
{
  if (!MultiLine)
    return 1;
  int32_t N = 1;
  for (qsizetype I = 0; I + 1 < S.length(); ++I)
    if (S[I] == QChar(CR)) {
      ++N;
      ++I;
    }
  return N;
}

String GetLongestLine(TCanvas* Canvas, const String& S)
{
  String Rest = S;
  String Longest;
  int32_t Widest = -1;
  while (!Rest.isEmpty()) {
    const String Line = GetNextLine(Rest, true);
    if (Line.isEmpty())
      break;
    const int32_t W = Canvas->TextWidth(Line);
    if (W > Widest) {
      Widest = W;
      Longest = Line;
    }
  }
  return Longest;
}

// ---------------------------------------------------------------- wide text

String EncodeWideStr(const String& S)
{
  String Result = QStringLiteral("|\\");
  Result.reserve(2 + 2 * S.length());
  for (const QChar C : S) {
    Result += QChar(static_cast<char16_t>(C.unicode() >> 8));
    Result += QChar(static_cast<char16_t>(C.unicode() & 0xFF));
  }
  return Result;
}

String DecodeWideStr(const String& S)
{
  if (!S.startsWith(u"|\\"))
    return S;
  String Result;
  Result.reserve((S.length() - 2) / 2);
  for (qsizetype I = 2; I + 1 < S.length(); I += 2)
    Result += QChar(static_cast<char16_t>(((S[I].unicode() & 0xFF) << 8) | (S[I + 1].unicode() & 0xFF)));
  return Result;
}

int32_t StrPosWide(const String& Sub, const String& S) { return Pos(Sub, S); }

// ---------------------------------------------------------------- HTML

String HTMLStripAll(const String& S)
{
  String R;
  qsizetype From = 0;
  for (;;) {
    const qsizetype Open = S.indexOf(u'<', From), Close = S.indexOf(u'>', From);
    if (Open < 0 || Close < 0 || Close < Open) {
      R += S.mid(From);
      return R;
    }
    R += S.mid(From, Open - From);
    From = Close + 1;
  }
}

String FixMarkup(const String& S)
{
  String R = S;
  R.replace(u'&', QStringLiteral("*amp;"));
  R.replace(QStringLiteral("*amp;"), QStringLiteral("&amp;"));
  R.replace(u'"', QStringLiteral("&quot;"));
  R.replace(u'<', QStringLiteral("&lt;"));
  R.replace(u'>', QStringLiteral("&gt;"));
  return R;
}

String UnFixMarkup(const String& S)
{
  String R = S;
  R.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
  R.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
  R.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
  return R;
}

namespace {

String WithoutTag(const String& S, const String& Tag)
{
  String R = S;
  R.remove(u'<' + Tag + u'>', Qt::CaseInsensitive);
  R.remove(QStringLiteral("</") + Tag + u'>', Qt::CaseInsensitive);
  return R;
}

} // namespace

String HiLight(const String& S, const String& Search, const String& Tag, bool DoCase, bool WholeText)
{
  const String T = Tag.toUpper();
  const String Open = u'<' + T + u'>', Close = QStringLiteral("</") + T + u'>';
  const String Text = WithoutTag(S, T);
  const String Find = DoCase ? Search : Search.toUpper();
  // A text that held the pair is already escaped: highlighting it again
  // must not escape it twice.
  const bool Marked = S.contains(QStringLiteral("</"));
  String Plain = Marked ? UnFixMarkup(HTMLStripAll(Text)) : Text;
  // Any other entity stands for one character, which no search matches.
  if (Marked)
    Plain.replace(QRegularExpression(QStringLiteral("&[^;]*;")), QString(QChar(0xFFFC)));
  if (!DoCase)
    Plain = Plain.toUpper();
  if (WholeText)
    return Plain == Find ? Open + (Marked ? Text : FixMarkup(Text)) + Close : Text;
  if (Find.isEmpty())
    return Text;
  if (!Marked) {
    String R;
    qsizetype From = 0, Hit = Plain.indexOf(Find, 0);
    if (Hit < 0)
      return Text;
    while (Hit >= 0) {
      R += FixMarkup(Text.mid(From, Hit - From)) + Open + FixMarkup(Text.mid(Hit, Find.length())) + Close;
      From = Hit + Find.length();
      Hit = Plain.indexOf(Find, From);
    }
    return R + FixMarkup(Text.mid(From));
  }
  // Marked-up text: the hits are found in the plain text and mapped back
  // onto the text, whose tags and entities are copied as they stand (an
  // entity counts as one character).
  std::vector<qsizetype> Starts;
  for (qsizetype Hit = Plain.indexOf(Find); Hit >= 0; Hit = Plain.indexOf(Find, Hit + Find.length()))
    Starts.push_back(Hit);
  if (Starts.empty())
    return Text;
  String R;
  qsizetype PlainPos = 0;
  size_t Next = 0;
  qsizetype HitEnd = -1;
  for (qsizetype I = 0; I < Text.length();) {
    if (Text[I] == u'<') {
      const qsizetype E = Text.indexOf(u'>', I);
      const qsizetype End = E < 0 ? Text.length() : E + 1;
      const String Piece = Text.mid(I, End - I);
      R += Piece;
      if (HitEnd > PlainPos && Piece.left(6).compare(QStringLiteral("</FONT"), Qt::CaseInsensitive) == 0)
        R += Close + Open;
      I = End;
      continue;
    }
    if (Next < Starts.size() && PlainPos == Starts[Next]) {
      R += Open;
      HitEnd = PlainPos + Find.length();
      ++Next;
    }
    qsizetype End = I + 1;
    if (Text[I] == u'&') {
      const qsizetype Semi = Text.indexOf(u';', I);
      End = Semi < 0 ? Text.length() : Semi + 1;
    }
    R += Text.mid(I, End - I);
    I = End;
    ++PlainPos;
    if (PlainPos == HitEnd) {
      R += Close;
      HitEnd = -1;
    }
  }
  return R;
}

String UnHiLight(const String& S, const String& Tag)
{
  const bool Marked = S.contains(QStringLiteral("</"));
  String R = WithoutTag(S, Tag);
  if (Marked && !R.contains(QStringLiteral("</")))
    R = UnFixMarkup(R);
  return R;
}

String HTMLStrip(const String& S)
{
  String T = S;
  T.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
  T.replace(QStringLiteral("<HR>"), QStringLiteral("\r\n"), Qt::CaseInsensitive);
  String R;
  R.reserve(T.length());
  qsizetype From = 0;
  for (;;) {
    const qsizetype Open = T.indexOf(u'<', From);
    if (Open < 0) {
      R += T.mid(From);
      return R;
    }
    const qsizetype Close = T.indexOf(u'>', Open);
    if (Close < 0) {
      R += T.mid(From);
      return R;
    }
    R += T.mid(From, Open - From);
    From = Close + 1;
  }
}

String HTMLLineBreaks(const String& S)
{
  if (!S.contains(QChar(CR)))
    return S;
  String Result = S;
  Result.replace(QChar(CR), QStringLiteral("<br>"));
  return Result;
}

String HTMLColor(TColor C) { return IntToHex(GetRValue(C), 2) + IntToHex(GetGValue(C), 2) + IntToHex(GetBValue(C), 2); }

bool MakeHTMLHyperlink(const String& S, const String& Prefix, String& Result)
{
  if (!S.toUpper().contains(Prefix))
    return false;
  String Escaped = S;
  Escaped.replace(u'<', QStringLiteral("&lt;"));
  Escaped.replace(u'>', QStringLiteral("&gt;"));
  const qsizetype Start = Escaped.toUpper().indexOf(Prefix);
  qsizetype End = Start;
  while (End < Escaped.length() && IsLinkChar(Escaped[End]))
    ++End;
  const String Link = Escaped.mid(Start, End - Start);
  Result = Escaped.left(Start) + QStringLiteral("<a href=\"") + Link + QStringLiteral("\">") + Link +
           QStringLiteral("</a>") + Escaped.mid(End);
  return true;
}

void MakeFragment(String& HTML)
{
  // The header has a fixed length (97 bytes), the document's start
  // (DOCTYPE, 62 bytes, and the opening tags, 115 bytes) too.
  constexpr int64_t StartHTML = 97;
  constexpr int64_t StartFragment = StartHTML + 62 + 115;
  const int64_t EndFragment = StartFragment + HTML.toUtf8().size();
  const int64_t EndHTML = EndFragment + 32;
  HTML = QStringLiteral("Version:1.0") + CRLF + QStringLiteral("StartHTML:") + EightDigits(StartHTML) + CRLF +
         QStringLiteral("EndHTML:") + EightDigits(EndHTML) + CRLF + QStringLiteral("StartFragment:") +
         EightDigits(StartFragment) + CRLF + QStringLiteral("EndFragment:") + EightDigits(EndFragment) + CRLF +
         QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">") +
         QStringLiteral("<html><head><META http-equiv=Content-Type content=\"text/html; "
                        "charset=iso-8859-1\"></head><body><!--StartFragment-->") +
         HTML + QStringLiteral("<!--EndFragment--></body></html>");
}
