#pragma once
// The settings file: where it lies, what it is called, and the checked
// reading and the writing of its keys.
//
// The file is named by the first command-line parameter without its first
// character ("-SHIP2.INI" names SHIP2.INI), else "FATHOMIX.INI". A relative
// name lies in the set-up folder, $XDG_CONFIG_HOME/fathomix (by default
// ~/.config/fathomix); an absolute one ("-/srv/logger/ship.ini") is used as
// it stands.
//
// The file is edited by hand as often as by the program, so nothing in it is
// trusted: a key that does not read as its type or lies outside its range
// gives the key's default and a problem text naming the section, the key and
// what was wrong. Missing keys give their defaults silently (a Windows INI
// file is allowed to leave out anything).
#include "app/core/CoreData.h"
#include "app/core/MdiChild.h"
#include "rtl/Types.h"

#include <QStringList>

#include <cstdint>

class TIniFile;

inline constexpr char DefaultSettingsFileName[] = "FATHOMIX.INI";

// The set-up folder (without a trailing '/'). XDG_CONFIG_HOME counts only
// when it is an absolute path, as the XDG rules have it.
String DefaultSetupFolder();
// The file name the command line gives (without folder), or
// "FATHOMIX.INI" when there is no parameter or it names nothing.
String SettingsFileParameter();
// The full path of the settings file in SetupFolder.
String SettingsFilePath(const String& SetupFolder);
// "Fathomix Display  -  INI File: "<Name>"".
String SettingsCaption(const String& Name);

// The COM ports a port number may name.
constexpr int32_t FirstComPort = 1;
constexpr int32_t LastComPort = 20;
// The baud rates a settings file may ask for; whether the device gives a
// rate is learnt when the port opens.
constexpr int32_t MinBaud = 50;
constexpr int32_t MaxBaud = 4000000;
// Instrument addresses are two decimal digits.
constexpr int32_t MaxAddress = 99;
// The history holds 1 to 1440 samples.
constexpr int32_t MaxViewPoints = 1440;
// A layout reopens one window per entry; a count beyond any screen's worth
// of windows is a damaged file, not a layout.
constexpr int32_t MaxLayoutWindows = 100;

// The sample-interval texts of the modular instruments and the matching
// rate in samples per second ("4" for 250 ms, "2" for 500 ms, else "1");
// empty for a text that is no interval.
String RateOfKirvoRate(const String& KirvoRate);

// Reading with checks. Every problem is collected, in file order.
class TSettingsReader {
public:
  explicit TSettingsReader(TIniFile& Ini);

  TIniFile& Ini() { return FIni; }

  int32_t ReadInteger(const String& Section, const String& Key, int32_t Default, int32_t Min, int32_t Max);
  double ReadFloat(const String& Section, const String& Key, double Default, double Min, double Max);
  String ReadString(const String& Section, const String& Key, const String& Default);
  // One of Allowed (exact), else Default.
  String ReadChoice(const String& Section, const String& Key, const String& Default, const QStringList& Allowed);

  void AddProblem(const String& Text);
  const QStringList& Problems() const { return FProblems; }

private:
  void Refuse(const String& Section, const String& Key, const String& Text, const String& Why, const String& Default);

  TIniFile& FIni;
  QStringList FProblems;
};

// Section names.
String OutputSection(int32_t N);  // "Output 1" .. "Output 4"
String SerialSection(int32_t N);  // "Serial 0" .. "Serial 19"
String DisplaySection(int32_t N); // "Display 1" .. "Display 6"
inline constexpr char QuorndeckSection[] = "Quorndeck";

// The "Output N" sections and the "Quorndeck" keys into Core, in file
// order ("Salinity Low" and "Salinity High" are read, never written).
// Rate follows the KIRVO Rate read.
void ReadOutputAndQuorndeck(TSettingsReader& R, TCoreData& Core);
// The keys of "Serial N" as a slot row (fields SerialFitted..SerialPacket;
// SerialTare is not in the file and is left empty). An "Output Format" mask
// whose values would not read back as numbers gives the default mask.
TSerialRow ReadSlot(TSettingsReader& R, int32_t N);

// Writing, in the order the keys appear in a new file. Fitted values are
// given by the caller, who knows which were kept from the file.
void WriteOutputs(TIniFile& Ini, const TCoreData& Core, const int32_t (&Fitted)[4]);
void WriteQuorndeck(TIniFile& Ini, const TCoreData& Core);
// Row's numeric fields go out as integers; text that is no number (only the
// set-up screen could have put it there) goes out as the key's default.
void WriteSlot(TIniFile& Ini, int32_t N, const TSerialRow& Row, int32_t Fitted);

// Window I (1-based) of the layout in Section; keys it lacks give the
// defaults above.
TLayoutWindow ReadLayoutWindow(TSettingsReader& R, const String& Section, int32_t I);
void WriteLayoutWindow(TIniFile& Ini, const String& Section, int32_t I, const TLayoutWindow& Window);
