#pragma once
// The content of a rich hint: a bold title, note lines and a picture. The
// grid publishes one as OfficeHint; its hint handling writes the grid hint
// text into the notes and passes the object to OnOfficeHint.
#include "platform/Component.h"

#include <memory>

class TGDIPPicture;
class TStringList;

class TRurHintInfo : public TPersistent {
public:
  TRurHintInfo();
  ~TRurHintInfo() override;
  String ClassName() const override;
  // From another hint info: title, notes, show-help flag, picture and the
  // wide texts. Any other source changes nothing.
  void Assign(TPersistent* Source) override;

  // True when the title and the notes' text are empty (the picture does not
  // count).
  bool IsEmpty() const;

  TGDIPPicture* Picture() const { return FPicture.get(); }
  // Copies the given picture.
  void SetPicture(TGDIPPicture* Value);
  bool ShowHelp() const { return FShowHelp; }
  void SetShowHelp(bool Value) { FShowHelp = Value; }
  TStringList* Notes() const { return FNotes.get(); }
  // Copies the given lines.
  void SetNotes(TStringList* Value);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  const String& WideTitle() const { return FWideTitle; }
  void SetWideTitle(const String& Value) { FWideTitle = Value; }
  const String& WideNotes() const { return FWideNotes; }
  void SetWideNotes(const String& Value) { FWideNotes = Value; }

private:
  std::unique_ptr<TGDIPPicture> FPicture;
  std::unique_ptr<TStringList> FNotes;
  bool FShowHelp = false;
  String FTitle;
  String FWideTitle;
  String FWideNotes;
};
