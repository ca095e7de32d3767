#pragma once
// A string list read and written line by line like a text file: the grid's
// file formats build and read their lines through it.
#include "rtl/StringList.h"

class TFileStringList : public TStringList {
public:
  TFileStringList();
  String ClassName() const override;

  // Back to the first line; text written but not ended is dropped.
  void Reset();
  bool Eof() const;
  // The line at the read position, then the position advances; "" at the
  // end.
  void ReadLn(String& S);
  // Collects text for the current line.
  void Write(const String& S);
  // Ends the line: the collected text and S become a new line.
  void WriteLn(const String& S);

private:
  int32_t fp = 0;
  String cache;
};
