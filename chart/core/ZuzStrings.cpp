#include "chart/core/ZuzStrings.h"

#include "platform/Component.h"
#include "rtl/FormatSettings.h"
#include "rtl/Files.h"
#include "rtl/Strings.h"

#include <QLocale>

String ZuzFieldSeparator = QStringLiteral(";");
String ZuzLineSeparator = QStringLiteral("\r");
std::function<String(const String& St)> ZuzTranslateStringHook;

String ZuzStr(int64_t Value) { return QString::number(Value); }

namespace {

// Restores the field separator however the call ends.
class TSeparatorScope {
public:
  explicit TSeparatorScope(const String& Separator) : FOld(ZuzFieldSeparator) { ZuzFieldSeparator = Separator; }
  ~TSeparatorScope() { ZuzFieldSeparator = FOld; }
  TSeparatorScope(const TSeparatorScope&) = delete;
  TSeparatorScope& operator=(const TSeparatorScope&) = delete;

private:
  String FOld;
};

} // namespace

int32_t ZuzNumFields(const String& St)
{
  if (St.isEmpty())
    return 0;
  int32_t Result = 1;
  const String& Sep = ZuzFieldSeparator;
  if (Sep.isEmpty())
    return Result;
  for (qsizetype P = St.indexOf(Sep); P >= 0; P = St.indexOf(Sep, P + Sep.size()))
    if (P + Sep.size() < St.size())
      ++Result;
  return Result;
}

int32_t ZuzNumFields(const String& St, const String& Separator)
{
  const TSeparatorScope Scope(Separator);
  return ZuzNumFields(St);
}

String ZuzExtractField(const String& St, int32_t Index)
{
  if (St.isEmpty() || Index <= 0)
    return String();
  const String& Sep = ZuzFieldSeparator;
  qsizetype Start = 0;
  for (;;) {
    const qsizetype P = Sep.isEmpty() ? -1 : St.indexOf(Sep, Start);
    if (Index == 1)
      return P < 0 ? St.mid(Start) : St.mid(Start, P - Start);
    if (P < 0)
      return String();
    Start = P + Sep.size();
    --Index;
  }
}

String ZuzExtractField(const String& St, int32_t Index, const String& Separator)
{
  const TSeparatorScope Scope(Separator);
  return ZuzExtractField(St, Index);
}

String ReplaceChar(const String& St, QChar Old, QChar New)
{
  String Result;
  Result.reserve(St.size());
  for (const QChar C : St)
    if (C != Old)
      Result.append(C);
    else if (!New.isNull())
      Result.append(New);
  return Result;
}

namespace {

// One pass, so that separators which trade places (',' and '.') do not
// undo each other.
String MapSeparators(const String& Format, QChar FromThousand, QChar FromDecimal, QChar ToThousand, QChar ToDecimal)
{
  String Result = Format;
  for (QChar& C : Result)
    if (C == FromThousand)
      C = ToThousand;
    else if (C == FromDecimal)
      C = ToDecimal;
  return Result;
}

} // namespace

String StandardToLocalFormat(const String& Format)
{
  const QChar T = FormatSettings.ThousandSeparator;
  const QChar D = FormatSettings.DecimalSeparator;
  if (T == D)
    return Format;
  return MapSeparators(Format, QLatin1Char(','), QLatin1Char('.'), T, D);
}

String LocalToStandardFormat(const String& Format)
{
  const QChar T = FormatSettings.ThousandSeparator;
  const QChar D = FormatSettings.DecimalSeparator;
  if (T == D)
    return Format;
  return MapSeparators(Format, T, D, QLatin1Char(','), QLatin1Char('.'));
}

String RemoveFileExtension(const String& FileName) { return ChangeFileExt(FileName, String()); }

bool ZuzIsURL(const String& St)
{
  const String U = UpperCase(Trim(St));
  return U.contains(QStringLiteral("HTTP://")) || U.contains(QStringLiteral("FTP://"));
}

String ZuzXMLHeader(const String& Encoding)
{
  String Result = QStringLiteral("<?xml version=\"1.0\"");
  if (!Encoding.isEmpty())
    Result += QStringLiteral(" encoding=\"") + Encoding + QLatin1Char('"');
  return Result + QStringLiteral("?>");
}

String ZuzDefaultXMLEncoding()
{
  return QLocale::system().language() == QLocale::Japanese ? QStringLiteral("shift_jis") : QStringLiteral("UTF-16");
}

String ZuzGetUniqueName(const TComponent* AOwner, const String& AStartName)
{
  for (int64_t N = 1;; ++N) {
    const String Name = AStartName + ZuzStr(N);
    if (!AOwner || !AOwner->FindComponent(Name))
      return Name;
  }
}

String ZuzTranslateString(const String& St) { return ZuzTranslateStringHook ? ZuzTranslateStringHook(St) : St; }
