#pragma once
// Number and date format settings. The program's defaults are fixed to
// English (United Kingdom), locale 2057, whatever the process locale says:
// an instrument string must decode the same on every machine.
#include "rtl/Types.h"
#include <QChar>
#include <array>

struct TFormatSettings {
  QChar DecimalSeparator;
  QChar ThousandSeparator;
  QChar DateSeparator;
  QChar TimeSeparator;
  QChar ListSeparator;
  String ShortDateFormat;
  String LongDateFormat;
  String ShortTimeFormat;
  String LongTimeFormat;
  String TimeAMString;
  String TimePMString;
  String CurrencyString;
  uint8_t CurrencyFormat = 0;
  uint8_t NegCurrFormat = 0;
  uint8_t CurrencyDecimals = 2;
  std::array<String, 12> ShortMonthNames;
  std::array<String, 12> LongMonthNames;
  std::array<String, 7> ShortDayNames; // Sunday first
  std::array<String, 7> LongDayNames;  // Sunday first
  uint16_t TwoDigitYearCenturyWindow = 50;
};

constexpr int32_t LOCALE_EN_GB = 2057;
constexpr int32_t LOCALE_EN_US = 1033;

// Settings of a Windows locale id. English (United Kingdom) and English
// (United States) are known; any other id gives the United Kingdom ones.
TFormatSettings GetLocaleFormatSettings(int32_t Lcid);

// The process's default format settings, used by every conversion that is
// not given settings of its own. Starts as GetLocaleFormatSettings(2057).
extern TFormatSettings FormatSettings;
