#include "grid/base/FileStringList.h"

TFileStringList::TFileStringList() = default;

String TFileStringList::ClassName() const { return QStringLiteral("TFileStringList"); }

void TFileStringList::Reset()
{
  fp = 0;
  cache.clear();
}

bool TFileStringList::Eof() const { return fp >= Count(); }

void TFileStringList::ReadLn(String& S)
{
  if (Eof()) {
    S.clear();
    return;
  }
  S = Strings(fp++);
}

void TFileStringList::Write(const String& S) { cache += S; }

void TFileStringList::WriteLn(const String& S)
{
  Add(cache + S);
  cache.clear();
}
