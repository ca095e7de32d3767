#pragma once
// Tagged chart text: titles, labels, legend items and marks in the
// HTML-like text format, measured and drawn piece by piece through any
// chart canvas's own TextOut. Tags (any letter case): FONT (NAME or FAMILY,
// SIZE, COLOR, WEIGHT), B/BOLD/STRONG, I, U, STRIKE, BIG, SMALL, SUB,
// SUP/SUPER, H1..H6, PRE, CENTER, BR/P, HR, IMG (SRC, WIDTH, HEIGHT) and
// "</>" (closes the last style or font tag); entities &lt; &gt; &amp; &quot;.
//
// Every call starts with empty tag stacks and gives the canvas back its
// font, pen and brush as they were, so nothing a text opens leaks into the
// next one. A malformed FONT attribute is skipped (and logged once) rather
// than failing the paint. Images come through the two hooks below; the
// default download hook reads local files only.
#include "platform/GraphicsTypes.h"
#include "rtl/Types.h"

#include <memory>

class TGraphic;
class TMemoryStream;
class TZuzCanvas;

// Draws Text with its top-left at (x, y); right (2) and centre (6) text
// alignment of the canvas move the whole text.
void HtmlTextOut(TZuzCanvas* ACanvas, int32_t x, int32_t y, const String& Text);
// Width and height Text covers, drawing nothing.
TPoint HtmlTextExtent(TZuzCanvas* ACanvas, const String& Text);
// The layout pass: pieces drawn only with DoDraw; the extent either way.
TPoint InternalHtmlText(TZuzCanvas* ACanvas, int32_t x, int32_t y, const String& Text, bool DoDraw);

// Attribute lists ("name=Arial size=12"): the number of "=" characters,
// and the Index-th (from 1) name and value. A value runs up to the last
// space before the next "=".
int32_t HtmlNumFields(const String& Text);
void HtmlField(const String& Text, int32_t Index, String& Name, String& Value);
int32_t HTMLStrToInt(const String& Text, int32_t Default);
// Raises EConvertError for text that is no number.
double HTMLStrToFloat(const String& Text);
// Trimmed, a leading and then a trailing quote (double or single) removed.
String StripQuotes(const String& Text);
String ZuzStr(int32_t Num);
// Colour names, "#RRGGBB", colour identifiers (clRed ...) or integers; 0
// for anything else. HexToColor raises EConvertError for a missing or
// invalid pair and gives clDefault without "#".
TColor HtmlToColor(const String& Value);
TColor HexToColor(const String& Value);

// --- image hooks ---------------------------------------------------------------------
// A new, empty graphic able to load the format of Extension (upper case,
// with its dot), owned by the caller; nullptr when none.
using TGraphicFileExtension = std::unique_ptr<TGraphic> (*)(const String& Extension);
// Fills Stream with the bytes of the image Source names; 0 on success.
using TGraphicDownload = int32_t (*)(const String& Source, TMemoryStream& Stream);
extern TGraphicFileExtension GraphicFileExtension;
extern TGraphicDownload GraphicDownload;

// The defaults. Bitmaps for every picture format the platform reads.
std::unique_ptr<TGraphic> TaggedTextBitmapForExtension(const String& Extension);
// Reads a local regular file of at most MaxTaggedImageBytes. Never touches
// the network: names starting with "http" or holding "://" are refused, as
// are devices, pipes and folders. Returns 0, or 1 for a refused or missing
// source, 2 for a file too large, 3 for a read error.
int32_t TaggedTextLocalDownload(const String& Source, TMemoryStream& Stream);
constexpr int64_t MaxTaggedImageBytes = 16 * 1024 * 1024;

// Installs the tagged text as the canvases' tagged-text renderer (and the
// default hooks where none are set); the chart canvas's start-up calls it.
void InitializeTaggedText();
void FinalizeTaggedText();
