#pragma once
// The vocabulary through which emulators change a terminal: every effect of
// a received character is a command, optionally with parameters, carried
// out by the emulator's interpreter (TSioTerminalEmulator::teProcessCommand).
//
// Parameters are text with an optional name. A command looks each of its
// parameters up by name first, then by position (0-based), and takes the
// parameter's default when neither finds one, so named and positional
// arguments mix:
//
//   Item->AddNamedIntegerArg("Col", 5);   // ecCursorPos: Row from position 0
//                                         // (this same item), Col by name
#include "platform/Collection.h"
#include "platform/Colors.h"

#include <cstdint>
#include <memory>

enum TAdEmuCommand : uint8_t {
  ecNone,
  ecBell,
  ecBackspace,
  ecTabHorz,
  ecLF,
  ecCR,
  ecBackTabHorz,
  ecCursorDown,
  ecCursorLeft,
  ecCursorRight,
  ecCursorUp,
  ecCursorPos,
  ecDeleteChars,
  ecDeleteLines,
  ecInsertChars,
  ecInsertLines,
  ecEraseAll,
  ecEraseChars,
  ecEraseFromBOW,
  ecEraseFromBOL,
  ecEraseLine,
  ecEraseScreen,
  ecEraseToEOL,
  ecEraseToEOW,
  ecSetHorzTabStop,
  ecClearHorzTabStop,
  ecClearVertTabStop,
  ecClearAllHorzTabStops,
  ecSetVertTabStop,
  ecClearAllVertTabStops,
  ecSetScrollRegion,
  ecTabVert,
  ecBackTabVert,
  ecBackColor,
  ecForeColor,
  ecAbsAddress,
  ecNoAbsAddress,
  ecAutoWrap,
  ecNoAutoWrap,
  ecAutoWrapDelay,
  ecNoAutoWrapDelay,
  ecInsertMode,
  ecNoInsertMode,
  ecNewLineMode,
  ecNoNewLineMode,
  ecScrollRegion,
  ecNoScrollRegion,
  ecSetCharAttr,
  ecAddBold,
  ecBoldOnly,
  ecRemoveBold,
  ecInvertBold,
  ecAddUnderLine,
  ecUnderlineOnly,
  ecRemoveUnderline,
  ecInvertUnderline,
  ecAddStrikethrough,
  ecStrikethroughOnly,
  ecRemoveStrikethrough,
  ecInvertStrikethrough,
  ecAddBlink,
  ecBlinkOnly,
  ecRemoveBlink,
  ecInvertBlink,
  ecAddReverse,
  ecReverseOnly,
  ecRemoveReverse,
  ecInvertReverse,
  ecAddInvisible,
  ecInvisibleOnly,
  ecRemoveInvisible,
  ecInvertInvisible,
  ecAddSelected,
  ecRemoveSelected,
  ecSelectedOnly,
  ecInvertSelected,
  ecRemoveAllAttr,
  ecRemoveAllAttrIgnoreSelect,
  ecClearAndHome,
  ecHome,
  ecCursorEOL,
  ecCursorBOL,
  ecCursorTop,
  ecCursorBottom,
  ecWriteString,
  ecColor,
  ecSaveCursorPos,
  ecRestoreCursorPos,
  ecDeviceAttributesReport,
  ecNEL,
  ecReset,
  ecAnswerback,
  ecDECALN,
  ecDeviceStatusReport,
  ecCursorOff,
  ecCursorUnderline,
  ecCursorBlock,
};

// Where a character came from.
enum TAdCharSource : uint8_t { csUnknown, csKeyboard, csPort, csWriteChar };

class TAdEmuCommandParamsItem : public TCollectionItem {
public:
  explicit TAdEmuCommandParamsItem(TCollection* ACollection);
  ~TAdEmuCommandParamsItem() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  const String& Value() const { return FValue; }
  void SetValue(const String& Value) { FValue = Value; }

private:
  String FName;
  String FValue;
};

class TAdEmuCommandParams : public TOwnedCollection {
public:
  explicit TAdEmuCommandParams(TPersistent* AOwner);
  String ClassName() const override;

  TAdEmuCommandParamsItem* Items(int32_t Index) const;
  // The first item named exactly AName (case-sensitive); -1 for an empty
  // name or none.
  int32_t FindName(const String& AName) const;
  // "t", "true", "1", "on", "yes" and "f", "false", "0", "off", "no", in any
  // letter case; any other text gives ADefault.
  bool GetBooleanValue(const String& AName, int32_t APosition, bool ADefault) const;
  // ADefault when not found or not an integer.
  int32_t GetIntegerValue(const String& AName, int32_t APosition, int32_t ADefault) const;
  TColor GetTColorValue(const String& AName, int32_t APosition, TColor ADefault) const;
  String GetStringValue(const String& AName, int32_t APosition, const String& ADefault) const;

private:
  // By name, else by position; nullptr when neither finds one.
  const TAdEmuCommandParamsItem* Find(const String& AName, int32_t APosition) const;
};

class TAdEmuCommandListItem : public TCollectionItem {
public:
  explicit TAdEmuCommandListItem(TCollection* ACollection);
  ~TAdEmuCommandListItem() override;
  String ClassName() const override;
  void Assign(TPersistent* Source) override;

  TAdEmuCommand Command() const { return FCommand; }
  void SetCommand(TAdEmuCommand Value) { FCommand = Value; }
  TAdEmuCommandParams* Params() const { return FParams.get(); }

  // Each adds a parameter at the end: "TRUE"/"FALSE", decimal numbers (a
  // colour as its signed 32-bit value), or the text itself.
  void AddBooleanArg(bool Value);
  void AddIntegerArg(int32_t Value);
  void AddTColorArg(TColor Value);
  void AddStringArg(const String& Value);
  void AddNamedBooleanArg(const String& AName, bool Value);
  void AddNamedIntegerArg(const String& AName, int32_t Value);
  void AddNamedTColorArg(const String& AName, TColor Value);
  void AddNamedStringArg(const String& AName, const String& Value);

private:
  TAdEmuCommand FCommand = ecNone;
  std::unique_ptr<TAdEmuCommandParams> FParams;
};

class TAdEmuCommandList : public TOwnedCollection {
public:
  explicit TAdEmuCommandList(TPersistent* AOwner);
  String ClassName() const override;

  TAdEmuCommandListItem* Items(int32_t Index) const;
  TAdEmuCommandListItem* AddCommand(TAdEmuCommand ACommand);
};
