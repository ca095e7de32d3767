#include "platform/Resources.h"

#include <map>
#include <mutex>
#include <utility>

namespace {

struct TResource {
  TResourceMaker Make = nullptr;
  std::optional<QByteArray> Data;
};

using TKey = std::pair<String, String>;

struct TRegistry {
  std::mutex Lock;
  std::map<TKey, TResource> Items;
};

// Made on first use: registrations run during static initialisation, in
// whatever order the linker chose.
TRegistry& Registry()
{
  static TRegistry R;
  return R;
}

TKey KeyOf(const char* Type, const String& Name) { return {QString::fromLatin1(Type).toUpper(), Name.toUpper()}; }

} // namespace

bool RegisterResource(const char* Type, const String& Name, TResourceMaker Make)
{
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> G(R.Lock);
  R.Items[KeyOf(Type, Name)] = TResource{Make, std::nullopt};
  return true;
}

bool RegisterResource(const char* Type, const String& Name, const QByteArray& Data)
{
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> G(R.Lock);
  R.Items[KeyOf(Type, Name)] = TResource{nullptr, Data};
  return true;
}

void UnregisterResource(const char* Type, const String& Name)
{
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> G(R.Lock);
  R.Items.erase(KeyOf(Type, Name));
}

std::optional<QByteArray> FindResourceData(const char* Type, const String& Name)
{
  TRegistry& R = Registry();
  std::lock_guard<std::mutex> G(R.Lock);
  const auto It = R.Items.find(KeyOf(Type, Name));
  if (It == R.Items.end())
    return std::nullopt;
  if (!It->second.Data && It->second.Make)
    It->second.Data = It->second.Make();
  return It->second.Data;
}
