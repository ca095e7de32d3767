#pragma once
// The grid's text utilities: stateless functions that classify cell text,
// read numbers and dates under the process format settings
// (rtl/FormatSettings.h, read at call time), encode line breaks for the
// text file formats and the clipboard, carry wide text through narrow
// paths and build small pieces of HTML.
//
// Positions are 1-based, as the run-time layer counts them; 0 means "not
// found". Parse failures give the neutral result documented with each
// function (False, 0 or the text unchanged); only the two short-date
// readers and GetNextDate raise, on impossible dates. All of it may be
// called from any thread.
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"
#include "platform/GridTypes.h"
#include "rtl/Types.h"

#include <QChar>

class TBitmap;
class TCanvas;
class TControl;
class TFont;
class TStringList;
struct TColorTones;

// ---------------------------------------------------------------- classification

enum TTextType : uint8_t { ttText, ttHTML, ttRTF, ttFormula, ttURL, ttUnicode };
enum TAutoType : uint8_t { atNumeric, atFloat, atString, atDate, atTime, atScientific };

// Formula "=", wide text "|\" (a wide text whose first character is "="
// counts as a formula), rich text "{\", then with CheckHTML mini-HTML (a
// "<" followed by "/" or by IM, IN, BR, HR or CO in any case), then a URL;
// anything else, and "", is plain text.
TTextType TextType(const String& AText, bool CheckHTML);
// Contains "://" or "mailto:".
bool IsURL(const String& S);
// Drops everything up to and including the first "://", else the first
// "mailto:".
void StripURLProtocol(String& S);

// What a text holds, with the given decimal and thousand separators and
// the process date and time separators: an integer, a float (thousand
// separators more than 3 apart), a number with exponent, a date with two
// separators, a time, or a string.
TAutoType IsType(const String& S);
TAutoType IsType(const String& S, QChar DecimalSep, QChar ThousandSep);

bool IsNumChar(QChar C);
bool CheckNum(QChar C);
bool CheckSignedNum(QChar C);      // digit or "-"
bool CheckFloatNum(QChar C);       // digit, separators, "e", "E"
bool CheckSignedFloatNum(QChar C); // CheckFloatNum, "+", "-"
bool CheckSignedDottedNum(QChar C);
// Digits, separators, "-" and the key codes 8, 9, 13 and 27.
bool CheckFloatNumNoExp(QChar C);
// Characters after which a word starts: blank, "'", ",", "-", ".".
bool CheckTerminator(QChar C);

// ---------------------------------------------------------------- numbers and dates

// A displayed number made plain: leading currency marks and blanks go,
// "(...)" and a leading "-" make it negative, thousand separators go, the
// decimal separator becomes "."; the copy stops at the first character
// that cannot belong to a number ("12 kg" gives "12").
String RemoveSeps(const String& S);
// Thousand separators removed, the decimal separator made ".".
String StripThousandSep(const String& S);
// For an integer or float text under the process settings: thousand
// separators removed and the decimal separator made "."; other text as is.
String ToFixedDecSep(const String& S);
// For a number written with "." and ",": every "." becomes the process
// decimal separator when that is not "."; other text as is.
String FromFixedDecSep(const String& S);
// A date in the order of the process short date format, optionally
// followed by a blank and a time (hours, minutes, optional seconds).
// Years are taken as written.
bool IsDate(const String& S, TDateTime& DT);
// Has a date separator after position 1 and another after position 1 of
// the rest.
bool IsDateStr(const String& S);
// Month-day-year and day-month-year texts with "/", "." or "-" (the first
// of those found); 0 when the text has fewer than two separators or a
// field is no number. A year of one or two digits is 2000 + year up to 25,
// else 1900 + year; longer years are taken as written. An impossible date
// raises EConvertError.
TDateTime StrToShortdateUS(const String& S);
TDateTime StrToShortDateEU(const String& S);
// The next date of a series: with only a day step the date plus that many
// days; with only a year step the same month and day that many years later;
// with only a month step the month moved (wrapping into the previous or next
// year once); otherwise the date plus DefaultStep. The year and month forms
// drop the time of day and raise EConvertError for a day the target month
// does not have.
TDateTime GetNextDate(TDateTime D, int32_t YearStep, int32_t MonthStep, int32_t DayStep, TDateTime DefaultStep);

// ---------------------------------------------------------------- CSV and line-break codecs

// Every double quote doubled.
String CSVQuotes(const String& S);
// Every pair of C collapsed to one, pairs taken left to right.
String DoubleToSingleChar(QChar C, const String& S);
// Without the enclosing double quotes when longer than 2 and quoted.
String GetUnquotedStr(const String& S);
// CR LF becomes character 11 and the text is enclosed in double quotes.
void LineFeedsToCSV(String& S);
// CR LF becomes LF, no quotes.
void LineFeedsToCSVNQ(String& S);
// Character 11 becomes CR LF.
void CSVToLineFeeds(String& S);
// CR becomes "~", LF is dropped.
void LineFeedsToJava(String& S);
// "~" becomes CR LF; a text that is then "^" becomes empty.
void JavaToLineFeeds(String& S);
String LineFeedsToXLS(const String& S); // CR removed
String CRToLF(const String& S);
// The two characters "\n" become CR.
String CLFToLF(const String& S);
// CR becomes the two characters "\n", LF is dropped.
String LFToCLF(const String& S);
// With a CR in the text: CR, LF and character 0 become 9, 8 and 1, so that
// a multi-line cell fits one line of a file.
String LfToFile(const String& S);
// The reverse of LfToFile when the text holds character 8; without
// MultiLine only the first line is returned.
String FileToLf(const String& S, bool MultiLine);
// Position of the first C that ends a run of odd length, or of the last
// character when the text ends with C; 0 when neither. Also stored in P.
int32_t SinglePos(QChar C, const String& S, int32_t& P);
// Occurrences of C outside double-quoted and apostrophe-quoted stretches
// (a stretch closes only with the mark that opened it). When the text ends
// inside a stretch, the occurrences inside every stretch count as well.
int32_t NumDelim(QChar C, const String& S);
int32_t NumChar(QChar C, const String& S);
int32_t NumCharDel(QChar C, const String& S);
int32_t CharPos(QChar C, const String& S);
int32_t VarCharPos(QChar C, const String& S, int32_t& P);
int32_t VarPos(const String& Sub, const String& S, int32_t& P);

// ---------------------------------------------------------------- lines

// The text up to the first CR (an LF right after it is consumed too). With
// MultiLine the rest stays in S; without it, or when no CR is left, S
// becomes empty.
String GetNextLine(String& S, bool MultiLine);
// 1 without MultiLine; with it 1 plus the CRs followed by more text.
int32_t LinesInText(const String& S, bool MultiLine);
// The widest line on Canvas; lines after the first empty one are not
// looked at.
String GetLongestLine(TCanvas* Canvas, const String& S);

// ---------------------------------------------------------------- wide text

// "|\" followed by two characters per UTF-16 code unit: high byte, low byte.
String EncodeWideStr(const String& S);
// The reverse for a text that starts with "|\" (a trailing odd character
// is ignored); any other text unchanged.
String DecodeWideStr(const String& S);
int32_t StrPosWide(const String& Sub, const String& S);

// ---------------------------------------------------------------- HTML

// With a CR in the text every CR becomes "<br>" (LF kept).
String HTMLLineBreaks(const String& S);
// The text without its tags: "<BR>" and then "<HR>" (any case) become CR
// LF, every "<...>" goes; an unclosed "<" and what follows stay. Entities
// stay as they are.
String HTMLStrip(const String& S);
// Every "<...>" whose "<" comes before the next ">" goes.
String HTMLStripAll(const String& S);
// "&" (through "*amp;"), the double quote, "<" and ">" as entities; and
// back ("&amp;" stays). Named character entities are not translated.
String FixMarkup(const String& S);
String UnFixMarkup(const String& S);
// The hits of Search in S wrapped in <Tag>...</Tag> (an earlier highlight
// of the tag goes first); plain text is escaped around the hits, marked-up
// text keeps its tags and entities. WholeText: only a text that equals
// Search, as a whole.
String HiLight(const String& S, const String& Search, const String& Tag, bool DoCase, bool WholeText);
// Every <Tag> and </Tag> removed; text that was marked up only by them is
// unescaped again.
String UnHiLight(const String& S, const String& Tag);
// "RRGGBB" in upper-case hexadecimal.
String HTMLColor(TColor C);
// When the upper-cased text contains Prefix (upper case, such as
// "HTTP://"): the text HTML-escaped with the address that starts there
// wrapped in <a href="...">...</a>, in Result; False otherwise.
bool MakeHTMLHyperlink(const String& S, const String& Prefix, String& Result);
// Wraps an HTML fragment into the clipboard document of the "HTML Format"
// clipboard format, its byte offsets counted in UTF-8.
void MakeFragment(String& HTML);

// ---------------------------------------------------------------- other

// Every piece between separators; the last (maybe empty) piece always.
void SplitString(QChar Separator, const String& S, TStringList* List);
// The part before the first Separator, removed from S with the separator;
// "" with S unchanged when there is none.
String GetToken(String& S, const String& Separator);
String StringListToText(const TStringList& List);
// Position of Sub (upper case) in S upper-cased.
int32_t FIPos(const String& Sub, const String& S);
// "R<row>C<col>" in any case gives X = column, Y = row.
bool NameToCell(const String& S, TPoint& Cell);
// The text without its accents: decomposed, with the combining marks
// dropped; every other character is kept.
String RemoveAccentedStr(const String& S);
// Each word capitalised, "Mc" and Roman "I"/"II" endings handled:
// "ann mcdonald" gives "Ann McDonald".
String ShiftCase(const String& S);
void StringToPassword(String& S, QChar PasswordChar);
void StringToOem(String& S);
void OemToString(String& S);
int32_t Limit(int32_t Value, int32_t Min, int32_t Max);
// Unchanged when Min = Max; a bound of 0 is no bound.
int32_t CheckLimits(int32_t Value, int32_t Min, int32_t Max);
int32_t MaxI(int32_t A, int32_t B);
int32_t MinI(int32_t A, int32_t B);
bool IsInGridRect(const TGridRect& R, int32_t ACol, int32_t ARow);

// ---------------------------------------------------------------- drawing
//
// Stateless drawing on a canvas (pen, brush and font are left as the
// drawing set them). Colours are made plain RGB before any arithmetic;
// clNone is no colour. Round is half to even, as the run-time layer rounds.

enum TControlDrawStyle : uint8_t { cdsXPTheme, cdsClassic, cdsFlat, cdsMetro };
enum TControlState : uint8_t { csNormal, csHover, csDown, csDisabled };
// Which sides of a selection band a cell draws: both, the left or the right
// end; 3 (a middle cell) none.
enum TGradientPart : uint8_t { gpFull, gpLeft, gpRight };
enum TGaugeOrientation : uint8_t { goHorizontal, goVertical };
enum TCellShape : uint8_t {
  csRectangle,
  csCircle,
  csTriangleLeft,
  csTriangleRight,
  csTriangleUp,
  csTriangleDown,
  csDiamond,
  csLineVert,
  csLineHorz,
  csRoundRect,
  csEllips,
  csSquare,
  csRoundSquare,
  csStar,
  csArrowUp,
  csArrowDown,
  csArrowLeft,
  csArrowRight,
  csHalfStar
};
enum XPColorScheme : uint8_t { xpNone, xpBlue, xpGreen, xpGray };

struct TGaugeSettings {
  TColor Level0Color = clNone;
  TColor Level0ColorTo = clNone;
  TColor Level1Color = clNone;
  TColor Level1ColorTo = clNone;
  TColor Level2Color = clNone;
  TColor Level2ColorTo = clNone;
  TColor Level3Color = clNone;
  TColor Level3ColorTo = clNone;
  int32_t Level1Perc = 70;
  int32_t Level2Perc = 90;
  TColor BorderColor = clNone;
  bool ShowBorder = false;
  bool Stacked = false;
  bool ShowPercentage = false;
  TFont* Font = nullptr; // not owned
  TColor FontColor = clNone;
  bool CompletionSmooth = true;
  bool ShowGradient = false;
  int32_t Steps = 11;
  int32_t Position = 0; // not read: DrawGauge takes the position
  TColor BackgroundColor = clNone;
  TGaugeOrientation Orientation = goHorizontal;
};

// Bands from FromColor to ToColor, left to right (Horizontal) or top to
// bottom: Steps + 1 bands at most one per pixel; one colour when either is
// clNone.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int32_t Steps, TRect R, bool Horizontal);
// Steps bands (at least one), each one pixel longer than its share, and a
// frame in BorderColor unless that is clNone.
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, TColor BorderColor, int32_t Steps, TRect R,
                  bool Horizontal);
// Color to ColorTo, or split in two halves with the mirror pair (top and
// bottom halves with Direction, left and right without), then a frame or
// only the two side lines in BorderColor unless that is clNone. Nothing is
// filled without Fill or with Color clNone.
void DrawVistaGradient(TCanvas* Canvas, TRect R, TColor Color, TColor ColorTo, TColor MirrorColor, TColor MirrorColorTo,
                       bool Direction, TColor BorderColor, bool SideBordersOnly, bool Fill);
// The selection look: C1..C4 fill (from, to, mirror from, mirror to), C5 and
// C6 the inner top and bottom lines, C7 the outer frame, C8 and C9 the corner
// pixels; Part says which ends are closed.
void DrawSelectionGradient(TCanvas* Canvas, TColor C1, TColor C2, TColor C3, TColor C4, TColor C5, TColor C6, TColor C7,
                           TColor C8, TColor C9, TRect R, int32_t Part);
// The colour at Position of a gradient running from A to B.
TColor GradientAt(TColor FromColor, TColor ToColor, int32_t A, int32_t B, int32_t Position);
// Every channel halved.
TColor DarkenColor(TColor Color);
// Every channel c made c + c * Percentage / 100, within 0 .. 255.
TColor ChangeColorPerc(TColor Color, int32_t Percentage);
// The drop-down button at the right end of R.
void DrawComboButton(TCanvas* Canvas, const TRect& R, TControlDrawStyle Style, TControlState State,
                     const TColorTones& Tones, double Scale);
// A push button filling R with its caption centred ("&" shown as it is
// without ShowAccelerators).
void DrawButton(TCanvas* Canvas, const TRect& R, TControlDrawStyle Style, TControlState State, const TColorTones& Tones,
                bool ShowAccelerators, const String& Caption);
// Up and down buttons, 15 pixels wide, at the right end of R.
void DrawSpinButtons(TCanvas* Canvas, const TRect& R, TControlDrawStyle Style, TControlState State,
                     const TColorTones& Tones);
// A bar from Min to Max filled up to Position, with its text (the rounded
// percentage, or Format applied to Position / Divider) changing colour
// where the fill ends, and a frame.
void DrawProgressLin(TCanvas* Canvas, TRect R, TColor Color, TColor TextColor, TColor ColorTo, TColor ToTextColor,
                     double Position, int32_t MarginX, int32_t MarginY, double Min, double Max, double Divider,
                     const String& Format, TColor BorderColor, bool InvertedText);
// A grey circle with the sector from 12 o'clock to Position percent
// (clockwise) in Color.
void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int32_t Position, bool Seed);
// A bar from the centre to the left (negative) or right, Value within
// -Range .. Range, and the value written at the top with ShowValue.
void DrawRangeIndicator(TCanvas* Canvas, TRect R, int32_t Value, int32_t Range, bool ShowValue, TColor NegColor,
                        TColor PosColor);
// A multi-level gauge at Position percent.
void DrawGauge(TCanvas* Canvas, const TRect& R, int32_t Position, const TGaugeSettings& Settings);
void DrawShape(TCanvas* Canvas, int32_t Left, int32_t Top, int32_t Width, int32_t Height, TCellShape Shape,
               TColor FillColor, TColor LineColor);
void DrawRectangle(TCanvas* Canvas, const TRect& R, TColor Color);
// A small triangle pointing down with its base from X - 3 to X + 3 at Y.
void DrawTriangle(TCanvas* Canvas, int32_t X, int32_t Y, TColor Color);
// A red zigzag under characters ErrStart .. ErrStart + ErrLen - 1 (0-based)
// of Text drawn at R's top-left corner in the canvas font.
void DrawErrorLines(TControl* Owner, TCanvas* Canvas, const String& Text, const TRect& R, int32_t Offset,
                    int32_t ErrStart, int32_t ErrLen);
// The bitmap at R's top-left corner over BkColor, its top-left pixel's
// colour taken as transparent at scale 1, stretched by Scale otherwise.
void DrawBitmapTransp(TCanvas* Canvas, const TBitmap* Bitmap, TColor BkColor, const TRect& R, double Scale);
// The same with a bitmap resource of the program.
void DrawBitmapResourceTransp(TCanvas* Canvas, TColor BkColor, const TRect& R, const String& ResourceName,
                              double Scale);
// A 32-bit bitmap blended by its alpha; any other drawn as it is.
void DrawBitmapAlpha(TCanvas* Canvas, int32_t X, int32_t Y, const TBitmap* Bitmap);
// Whether controls are drawn themed: visual styles are on.
bool DoThemeDrawing();

// The drop-down controls' gradient: Steps bands (at least one) from
// FromColor to ToColor filling R.
namespace RurDropDown {
void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int32_t Steps, const TRect& R, bool Horizontal);
}
