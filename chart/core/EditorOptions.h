#pragma once
// The chart editor's options, kept per user in the INI file
// ZuzEditorOptionsFile() (the registry key of the chart editor on other
// platforms), section "Editor". Names the library reads, with the default
// a reader passes when the option is absent:
//   "DefaultPalette" (integer, 13), "DefaultCanvas" (string, the library's
//   default canvas class), "GalleryRender" (1), "GalleryMode" (0),
//   "SmoothGallery" (False), "GalleryColumns" (4), "RememberGallerySize",
//   "RememberPosition", "RememberSize", "TreeMode" (True), "SeriesGroups"
//   (False), "TreeWidth", "DefaultEditorFont" (empty), "ExportWidth",
//   "ExportHeight", "FiltersWidth", "FiltersHeight", "VCLThemesPath" (empty).
//
// Reads never fail: a missing or unreadable file or value gives Default.
// Saves create the file and its folder when needed; a save that cannot be
// written leaves the file as it was and is logged.
#include "rtl/Types.h"

#include <cstdint>

// <ProgramConfigFolder()>/ChartEditor.ini, taken at each call.
String ZuzEditorOptionsFile();

bool ZuzReadBoolOption(const String& Name, bool Default);
int32_t ZuzReadIntegerOption(const String& Name, int32_t Default);
String ZuzReadStringOption(const String& Name, const String& Default);
void ZuzSaveBoolOption(const String& Name, bool Value);
void ZuzSaveIntegerOption(const String& Name, int32_t Value);
void ZuzSaveStringOption(const String& Name, const String& Value);
