#pragma once
// The font families the windows and charts name, the same on every machine.
// Arial, Times New Roman and Courier New are drawn with the Liberation
// fonts, which are made metrically compatible with them, whatever a machine
// has installed under those names or in their place: another font package
// (the URW fonts that come with Ghostscript, a surveyor's desktop) would
// otherwise have a name resolve to a family of other widths, and text,
// layouts and images would differ from machine to machine.
#include "rtl/Types.h"

#include <QStringList>

// Maps the three names onto their Liberation families: for the fonts this
// layer and the chart canvas make (through FontFamilyFor) and for Qt's own
// font matching (substitutions, for widgets that name a family). Loads the
// Liberation files into the application's font database when the system's
// does not list them. Needs the GUI application object; main thread only,
// before any painting; calling it again does it again. Returns the names
// whose family is not installed (none on a machine set up with the README's
// commands); each is logged, and such a name is left to Qt's matching.
QStringList InstallFontFamilies();

// The family a font name is drawn with: for the three names (in any case)
// their Liberation family once installed, else Name itself.
String FontFamilyFor(const String& Name);
