#pragma once
// TIniFile: a settings file with the behaviour of Windows private-profile
// files. Every Write goes to disk at once (the file is created by the first
// write; its folder must exist). Section and key names match without regard
// to case; blanks around keys and values are dropped on reading, and a value
// wholly enclosed in matching single or double quotes is read without them.
// Lines the program does not touch (comments, unknown keys and sections)
// stay as they are and where they are. Text is 8-bit Windows-1252 (UTF-8
// when the file starts with a UTF-8 byte-order mark); lines end with CR LF
// on writing and with CR LF, LF or CR on reading.
//
// A file that cannot be written raises EIniFileException "Unable to write
// to <file>" and stays as it was. A missing or unreadable file reads as
// empty, so every Read gives its default; an unreadable one is also never
// overwritten.
#include "rtl/Object.h"
#include <memory>

class TStringList;

class TIniFile : public TObject {
public:
  explicit TIniFile(const String& FileName);
  ~TIniFile() override;
  String ClassName() const override;

  const String& FileName() const;

  // At most MaxIniValueLength characters of a value are read.
  String ReadString(const String& Section, const String& Ident, const String& Default);
  // A value holding a line break is cut at it: a line end cannot be stored.
  // Section or key names holding a line break cannot be written at all.
  void WriteString(const String& Section, const String& Ident, const String& Value);
  // Decimal or hexadecimal ("$1F", "0x1F"); anything else gives Default.
  int32_t ReadInteger(const String& Section, const String& Ident, int32_t Default);
  void WriteInteger(const String& Section, const String& Ident, int32_t Value);
  // ReadInteger <> 0; written as "1" / "0".
  bool ReadBool(const String& Section, const String& Ident, bool Default);
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // In the process's default number format; unreadable values give Default.
  double ReadFloat(const String& Section, const String& Ident, double Default);
  void WriteFloat(const String& Section, const String& Ident, double Value);
  TDateTime ReadDate(const String& Section, const String& Ident, TDateTime Default);
  void WriteDate(const String& Section, const String& Ident, TDateTime Value);
  TDateTime ReadTime(const String& Section, const String& Ident, TDateTime Default);
  void WriteTime(const String& Section, const String& Ident, TDateTime Value);
  TDateTime ReadDateTime(const String& Section, const String& Ident, TDateTime Default);
  void WriteDateTime(const String& Section, const String& Ident, TDateTime Value);

  // The key names of Section, as spelt in the file.
  void ReadSection(const String& Section, TStringList& Strings);
  void ReadSections(TStringList& Strings);
  // "key=value" for every key of Section, values as ReadString gives them.
  void ReadSectionValues(const String& Section, TStringList& Strings);
  void EraseSection(const String& Section);
  void DeleteKey(const String& Section, const String& Ident);
  // True when the section holds at least one key.
  bool SectionExists(const String& Section);
  bool ValueExists(const String& Section, const String& Ident);
  // TIniFile: writes are already on disk, nothing to do. TMemIniFile:
  // writes the whole file, also when nothing changed (creating it when it
  // was missing); raises EIniFileException as a Write does.
  void UpdateFile();
  // True when the file is there but cannot be read as a settings file (not
  // permitted, no regular file, larger than MaxIniFileSize): every Read
  // then gives its default and no Write touches it. A missing file is not
  // unreadable.
  bool Unreadable();

  static constexpr qsizetype MaxIniValueLength = 65535;
  // A larger file is not taken for a settings file: it reads as empty and
  // is never overwritten.
  static constexpr qsizetype MaxIniFileSize = 64 * 1024 * 1024;

protected:
  struct Impl;
  std::unique_ptr<Impl> FImpl;
};

// The whole file in memory: read once when the object is made (later
// changes by others are not seen), Writes change only the memory, and
// UpdateFile writes everything back at once. Reading, names, encoding and
// the refusal to overwrite an unreadable file are TIniFile's.
class TMemIniFile : public TIniFile {
public:
  explicit TMemIniFile(const String& FileName);
  ~TMemIniFile() override;
  String ClassName() const override;
};

// The program's stand-in for a registry key of the current user: the
// sections are subkeys of Key, kept as sections named Key + "\" + Section
// of one INI file, RegistryIniFileName(). Writes go to disk at once, as
// registry writes do; the folder is made by the first one.
class TRegistryIniFile : public TIniFile {
public:
  explicit TRegistryIniFile(const String& Key);
  ~TRegistryIniFile() override;
  String ClassName() const override;
  const String& Key() const { return FKey; }

private:
  String FKey;
};

// <ProgramConfigFolder()>/Registry.ini, taken at each call.
String RegistryIniFileName();
