#include "grid/edit/EditLookup.h"

#include "rtl/StringList.h"

int32_t LookupMatch(const TStringList* Items, const String& Typed, bool CaseSensitive)
{
  // Nothing typed before the caret completes nothing: every item would
  // match and replace the text.
  if (!Items || Typed.isEmpty())
    return -1;
  const String P = CaseSensitive ? Typed : Typed.toUpper();
  for (int32_t I = 0; I < Items->Count(); ++I) {
    const String Item = Items->Strings(I);
    if ((CaseSensitive ? Item : Item.toUpper()).startsWith(P))
      return I;
  }
  return -1;
}

String LookupCompletion(const String& Typed, const String& Item) { return Typed + Item.mid(Typed.size()).left(255); }
