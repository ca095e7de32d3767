#include "rtl/FormatSettings.h"

namespace {

void SetEnglishNames(TFormatSettings& FS)
{
  static const char* const Long[12] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
  static const char* const Days[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
  for (int I = 0; I < 12; ++I) {
    FS.LongMonthNames[I] = QString::fromLatin1(Long[I]);
    FS.ShortMonthNames[I] = FS.LongMonthNames[I].left(3);
  }
  for (int I = 0; I < 7; ++I) {
    FS.LongDayNames[I] = QString::fromLatin1(Days[I]);
    FS.ShortDayNames[I] = FS.LongDayNames[I].left(3);
  }
}

} // namespace

TFormatSettings GetLocaleFormatSettings(int32_t Lcid)
{
  TFormatSettings FS;
  FS.DecimalSeparator = QLatin1Char('.');
  FS.ThousandSeparator = QLatin1Char(',');
  FS.ListSeparator = QLatin1Char(',');
  FS.TimeSeparator = QLatin1Char(':');
  FS.DateSeparator = QLatin1Char('/');
  FS.TimeAMString = QStringLiteral("AM");
  FS.TimePMString = QStringLiteral("PM");
  FS.CurrencyDecimals = 2;
  SetEnglishNames(FS);
  if (Lcid == LOCALE_EN_US) {
    FS.ShortDateFormat = QStringLiteral("M/d/yyyy");
    FS.LongDateFormat = QStringLiteral("dddd, mmmm d, yyyy");
    FS.ShortTimeFormat = QStringLiteral("h:nn AMPM");
    FS.LongTimeFormat = QStringLiteral("h:nn:ss AMPM");
    FS.CurrencyString = QStringLiteral("$");
    FS.CurrencyFormat = 0;
    FS.NegCurrFormat = 0;
  } else {
    FS.ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    FS.LongDateFormat = QStringLiteral("dd mmmm yyyy");
    FS.ShortTimeFormat = QStringLiteral("hh:nn");
    FS.LongTimeFormat = QStringLiteral("hh:nn:ss");
    FS.CurrencyString = QString(QChar(0x00A3));
    FS.CurrencyFormat = 0;
    FS.NegCurrFormat = 1;
  }
  return FS;
}

TFormatSettings FormatSettings = GetLocaleFormatSettings(LOCALE_EN_GB);
