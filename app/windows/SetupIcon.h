#pragma once
// "Icon.ico" of the set-up folder: the picture of the display windows' title
// bars and of the About box. The file is optional, and whatever lies under
// that name must not stop a window from opening.
#include "rtl/Types.h"

class QWidget;
class TBitmap;

// Loads the icon into Icon. False, with Icon unchanged, when there is no
// such file, when it is no regular file (a pipe would block the read), when
// it is larger than any icon (1 MiB) or is no picture; the last three are
// logged.
bool LoadSetupIcon(const String& SetupFolder, TBitmap& Icon);
// The window icon of Window (and of the MDI frame around it, if any) from
// Icon; an empty bitmap leaves it unchanged.
void ApplyWindowIcon(QWidget* Window, const TBitmap& Icon);
// The icon of the whole program (every window without its own) and of
// MainWindow, when the set-up folder has one.
void ApplyProgramIcon(const String& SetupFolder, QWidget* MainWindow);
