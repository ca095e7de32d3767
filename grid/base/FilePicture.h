#pragma once
// A picture kept as a file name: its size is read once when the name is
// set, and the file is loaded again each time it is drawn, so a grid of
// many picture cells holds only names.
#include "platform/Component.h"

class TCanvas;
struct TRect;

class TFilePicture : public TPersistent {
public:
  TFilePicture();
  ~TFilePicture() override;
  String ClassName() const override;
  // From another file picture: name, width and height; any other source
  // is refused as by TPersistent.
  void Assign(TPersistent* Source) override;

  const String& Filename() const { return FFilename; }
  // Stores the name; when the file exists and loads, takes its size (a file
  // that does not load leaves the size as it was).
  void SetFilename(const String& Value);
  int32_t Width() const { return FWidth; }
  void SetWidth(int32_t Value) { FWidth = Value; }
  int32_t Height() const { return FHeight; }
  void SetHeight(int32_t Value) { FHeight = Value; }

  // Stretches the file's picture into R; nothing when there is no such
  // file or it does not load.
  void DrawPicture(TCanvas* Canvas, const TRect& R) const;

private:
  String FFilename;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
};
