#include "grid/base/RurHintInfo.h"

#include "grid/base/GDIPicture.h"
#include "platform/Published.h"
#include "rtl/StringList.h"

namespace {

[[maybe_unused]] const TClassInfo& HintInfoClass =
    PublishClass<TRurHintInfo>("TRurHintInfo", "TPersistent",
                               {
                                   PropObj("Picture", &TRurHintInfo::Picture, &TRurHintInfo::SetPicture),
                                   PropBool("ShowHelp", &TRurHintInfo::ShowHelp, &TRurHintInfo::SetShowHelp, false),
                                   PropStrings("Notes", &TRurHintInfo::Notes),
                                   PropStr("Title", &TRurHintInfo::Title, &TRurHintInfo::SetTitle),
                               });

} // namespace

TRurHintInfo::TRurHintInfo() : FPicture(std::make_unique<TGDIPPicture>()), FNotes(std::make_unique<TStringList>()) {}

TRurHintInfo::~TRurHintInfo() = default;

String TRurHintInfo::ClassName() const { return QStringLiteral("TRurHintInfo"); }

void TRurHintInfo::Assign(TPersistent* Source)
{
  auto* Other = dynamic_cast<TRurHintInfo*>(Source);
  if (!Other)
    return;
  FTitle = Other->FTitle;
  FNotes->Assign(*Other->FNotes);
  FShowHelp = Other->FShowHelp;
  FPicture->Assign(Other->FPicture.get());
  FWideTitle = Other->FWideTitle;
  FWideNotes = Other->FWideNotes;
}

bool TRurHintInfo::IsEmpty() const { return FTitle.isEmpty() && FNotes->Text().isEmpty(); }

void TRurHintInfo::SetPicture(TGDIPPicture* Value) { FPicture->Assign(Value); }

void TRurHintInfo::SetNotes(TStringList* Value)
{
  if (Value)
    FNotes->Assign(*Value);
  else
    FNotes->Clear();
}
