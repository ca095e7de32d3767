#pragma once
// The platform services the whole chart library shares: the millisecond
// clock, the rubber-band pen, the clipboard text, switching and freeing
// controls, opening URLs, listing files, form placement kept with the
// editor options, and a stack of strings. Main thread only.
#include "rtl/StringList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class TControl;
class TCustomForm;
class TCustomZuzPanel;
class TStream;
class TWinControl;
class TZuzPen;

// The multimedia timer's millisecond count as a single-precision float.
float ZuzTickCount();

// Gives Panel's canvas Pen in the colour (0xFFFFFF - the panel's back
// colour) XOR the pen's colour with the pen mode pmNotXor: drawing the same
// figure twice leaves the picture as it was (rubber bands).
void ZuzPrepareXorPen(TCustomZuzPanel* Panel, TZuzPen* Pen);

void ZuzCopyClipboard(const String& St);

// Sets Enabled on every control given (nullptr entries are skipped).
void EnableControls(bool Enable, std::span<TControl* const> Controls);
// Frees AControl's child controls one by one until it has none.
void RemoveControls(TWinControl* AControl);

// Fetches a URL into a stream (URL, stream, progress callback or empty,
// whether to show progress). Empty unless the chart files install their
// downloader.
using TZuzProgress = std::function<void(int64_t Done, int64_t Total)>;
extern std::function<void(const String& URL, TStream* Stream, const TZuzProgress& Progress, bool ShowProgress)>
    ZuzDownloadHook;

// Opens URL (or a document) with the desktop's default handler; 33 when it
// was handed over (values above 32 mean success, as the shell answers),
// else 2.
int32_t ZuzGotoURL(const String& URL);

// The names (without folder) of the files, not folders, that match the
// path mask ("dir/*.png"); a new list the caller owns.
std::unique_ptr<TStringList> ZuzGetFilesFromDir(const String& Mask);

// Form placement under Key (a section of the editor options file): with
// Position, "Left" and "Top" (negative read as 0; the form's placement
// becomes designed); with Size, "Maximized", "Width" and "Height" (at
// least 100 each). A form that would lie beyond the screen is moved back
// onto it. Saving writes Left/Top and Width/Height only when not
// maximised, and always "Maximized" with Size.
void ZuzLoadFormPosition(TCustomForm* Form, const String& Key, bool Position, bool Size);
void ZuzSaveFormPosition(TCustomForm* Form, const String& Key, bool Position, bool Size);

// A last-in, first-out stack of strings on top of the list.
class TStringsStack : public TStringList {
public:
  // Returns the new top's index (Count - 1).
  int32_t Push(const String& Value);
  // Removes and returns the top; the empty string when empty.
  String Pop();
};

// Rewrites Stream, which holds a component in text form ("object Name:
// Class ... end"), as XML: objects become elements named after their class
// (with a Name attribute), dotted property paths nested elements, lists and
// collections elements of their own, and other properties empty elements
// with a value attribute; with AddHeader the XML declaration first. A line
// that fits none of these raises EConvertError "Wrong DFM format: <line>"
// and leaves Stream as it was.
void ConvertTextToXML(TStream& Stream, bool AddHeader);
