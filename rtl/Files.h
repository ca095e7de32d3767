#pragma once
// File-system helpers and file-name arithmetic. Names are POSIX paths with
// '/' as the only delimiter; a backslash is an ordinary character.
#include "rtl/Types.h"
#include <QChar>

#include <QtContainerFwd>

constexpr QChar PathDelim{u'/'};

// True for anything that is not a directory, after following symbolic links
// (a dangling link does not exist).
bool FileExists(const String& FileName);
bool DirectoryExists(const String& Directory);
// Creates Dir and every missing folder above it; true when Dir exists
// afterwards. An empty name is false.
bool ForceDirectories(const String& Dir);
// Removes a file (not a directory); true on success.
bool DeleteFile(const String& FileName);
// Renames a file or folder; fails (false) when NewName already exists, as
// the platform the design was written for does, instead of replacing it.
bool RenameFile(const String& OldName, const String& NewName);
// The file's last modification time as local time; false when it does not
// exist.
bool FileAge(const String& FileName, TDateTime& FileDateTime);

// "/data/run.1/file.btd": path "/data/run.1/", dir "/data/run.1",
// name "file.btd", extension ".btd". The extension is taken from the last
// path component only, so a "." in a folder name never counts.
String ExtractFilePath(const String& FileName);
String ExtractFileDir(const String& FileName);
String ExtractFileName(const String& FileName);
String ExtractFileExt(const String& FileName);
String ChangeFileExt(const String& FileName, const String& Extension);
String IncludeTrailingPathDelimiter(const String& S);
String ExcludeTrailingPathDelimiter(const String& S);
// Absolute form of FileName against the current folder, with "." and ".."
// resolved textually (symbolic links are not followed); a trailing '/'
// is kept.
String ExpandFileName(const String& FileName);
String GetCurrentDir();

// The program's set-up folder, without a trailing '/':
// $XDG_CONFIG_HOME/fathomix, or ~/.config/fathomix when XDG_CONFIG_HOME is
// unset or not an absolute path (as the XDG rules have it). Its settings
// files stand in for the platform registry.
String ProgramConfigFolder();

// The operating system's text for an errno value.
String SysErrorMessage(int32_t ErrorCode);

// Command line: ParamStr(0) is the program's path, ParamStr(1) ..
// ParamStr(ParamCount()) its arguments; out of range gives "". Taken from
// the application object when one exists, else from the process.
int32_t ParamCount();
String ParamStr(int32_t Index);
// Replaces the command line (first entry = program) for tests; an empty
// list returns to the process's own.
void SetCommandLine(const QStringList& Args);
