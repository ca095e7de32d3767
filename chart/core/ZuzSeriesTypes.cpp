#include "chart/core/ZuzSeriesTypes.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/ZuzConst.h"
#include "platform/ClassRegistry.h"
#include "rtl/Exceptions.h"

#include <algorithm>

namespace {
std::unique_ptr<TZuzSeriesTypes> SeriesTypes;
std::unique_ptr<TZuzToolTypes> ToolTypes;
std::unique_ptr<TZuzToolTypes> AnimationTypes;

[[noreturn]] void RaiseIndex(int32_t Index)
{
  throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void RegisterTypes(TZuzToolTypes& List, std::initializer_list<TZuzCustomToolClass> Classes)
{
  for (TZuzCustomToolClass C : Classes)
    if (C && List.IndexOf(C) < 0) {
      RegisterClass(C);
      List.Add(C);
    }
}

void UnRegisterTypes(TZuzToolTypes& List, std::initializer_list<TZuzCustomToolClass> Classes)
{
  for (TZuzCustomToolClass C : Classes) {
    List.Remove(C);
    UnRegisterClass(C);
  }
}
} // namespace

String TZuzSeriesType::ClassName() const { return QStringLiteral("TZuzSeriesType"); }

String TZuzSeriesType::Caption() const
{
  String S = Description ? *Description : String();
  S.replace(QLatin1Char('\r'), QLatin1Char(' '));
  return S;
}

TZuzSeriesTypes::TZuzSeriesTypes() = default;
TZuzSeriesTypes::~TZuzSeriesTypes() = default;

String TZuzSeriesTypes::ClassName() const { return QStringLiteral("TZuzSeriesTypes"); }

TZuzSeriesType* TZuzSeriesTypes::Items(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    RaiseIndex(Index);
  return FItems[static_cast<size_t>(Index)].get();
}

TChartSeriesClass TZuzSeriesTypes::Find(const String& ASeriesClass) const
{
  for (const auto& T : FItems)
    if (!T->FunctionClass && T->SeriesClass && T->SeriesClass->ClassName() == ASeriesClass)
      return T->SeriesClass;
  return nullptr;
}

TZuzSeriesType* TZuzSeriesTypes::Find(TChartSeriesClass ASeriesClass, int32_t SubIndex) const
{
  for (const auto& T : FItems)
    if (T->SeriesClass == ASeriesClass && !T->FunctionClass && (SubIndex == 0 || T->SubIndex == SubIndex))
      return T.get();
  return nullptr;
}

void TZuzSeriesTypes::Append(std::unique_ptr<TZuzSeriesType> Item) { FItems.push_back(std::move(Item)); }

String TZuzToolTypes::ClassName() const { return QStringLiteral("TZuzToolTypes"); }

TZuzCustomToolClass TZuzToolTypes::Items(int32_t Index) const
{
  if (Index < 0 || Index >= Count())
    RaiseIndex(Index);
  return FItems[static_cast<size_t>(Index)];
}

int32_t TZuzToolTypes::IndexOf(TZuzCustomToolClass Value) const
{
  const auto It = std::find(FItems.begin(), FItems.end(), Value);
  return It == FItems.end() ? -1 : static_cast<int32_t>(It - FItems.begin());
}

void TZuzToolTypes::Remove(TZuzCustomToolClass Value)
{
  const auto It = std::find(FItems.begin(), FItems.end(), Value);
  if (It != FItems.end())
    FItems.erase(It);
}

TZuzSeriesTypes& ZuzSeriesTypes()
{
  if (!SeriesTypes)
    SeriesTypes = std::make_unique<TZuzSeriesTypes>();
  return *SeriesTypes;
}

TZuzToolTypes& ZuzToolTypes()
{
  if (!ToolTypes)
    ToolTypes = std::make_unique<TZuzToolTypes>();
  return *ToolTypes;
}

TZuzToolTypes& ZuzAnimationTypes()
{
  if (!AnimationTypes)
    AnimationTypes = std::make_unique<TZuzToolTypes>();
  return *AnimationTypes;
}

void FreeZuzTypeRegistries()
{
  SeriesTypes.reset();
  ToolTypes.reset();
  AnimationTypes.reset();
}

void RegisterZuzSeriesFunction(TChartSeriesClass ASeriesClass, TZuzFunctionClass AFunctionClass,
                               const String* ADescription, const String* AGalleryPage, int32_t ANumGallerySeries,
                               int32_t ASubIndex)
{
  RegisterClass(ASeriesClass);
  RegisterClass(AFunctionClass);
  TZuzSeriesTypes& Types = ZuzSeriesTypes();
  if (ASubIndex == 0)
    for (int32_t I = 0; I < Types.Count(); ++I) {
      const TZuzSeriesType* T = Types.Items(I);
      if (T->SeriesClass == ASeriesClass && T->FunctionClass == AFunctionClass)
        return;
    }
  auto T = std::make_unique<TZuzSeriesType>();
  T->SeriesClass = ASeriesClass;
  T->FunctionClass = AFunctionClass;
  T->Description = ADescription;
  T->GalleryPage = AGalleryPage;
  T->NumGallerySeries = ANumGallerySeries;
  T->SubIndex = ASubIndex;
  Types.Append(std::move(T));
}

void RegisterZuzSeries(TChartSeriesClass ASeriesClass, const String* ADescription, const String* AGalleryPage,
                       int32_t ANumGallerySeries)
{
  RegisterZuzSeriesFunction(ASeriesClass, nullptr, ADescription, AGalleryPage, ANumGallerySeries, 0);
}

void RegisterZuzSeries(TChartSeriesClass ASeriesClass, const String* ADescription)
{
  RegisterZuzSeries(ASeriesClass, ADescription, &ZuzMsg_GalleryStandard, 2);
}

void RegisterZuzFunction(TZuzFunctionClass AFunctionClass, const String* ADescription, const String* AGalleryPage,
                         int32_t ANumGallerySeries)
{
  RegisterZuzSeriesFunction(nullptr, AFunctionClass, ADescription, AGalleryPage, ANumGallerySeries, 0);
}

void RegisterZuzBasicFunction(TZuzFunctionClass AFunctionClass, const String* ADescription)
{
  RegisterZuzFunction(AFunctionClass, ADescription, &ZuzMsg_GalleryStandard, 2);
}

void UnRegisterZuzSeries(std::initializer_list<TChartSeriesClass> ASeriesList)
{
  ZuzSeriesTypes().RemoveIf([&](const TZuzSeriesType& T) {
    return T.SeriesClass && std::find(ASeriesList.begin(), ASeriesList.end(), T.SeriesClass) != ASeriesList.end();
  });
}

void UnRegisterZuzFunctions(std::initializer_list<TZuzFunctionClass> AFunctionList)
{
  ZuzSeriesTypes().RemoveIf([&](const TZuzSeriesType& T) {
    return T.FunctionClass &&
           std::find(AFunctionList.begin(), AFunctionList.end(), T.FunctionClass) != AFunctionList.end();
  });
}

void RegisterZuzTools(std::initializer_list<TZuzCustomToolClass> ATools) { RegisterTypes(ZuzToolTypes(), ATools); }

void UnRegisterZuzTools(std::initializer_list<TZuzCustomToolClass> ATools) { UnRegisterTypes(ZuzToolTypes(), ATools); }

void RegisterZuzAnimations(std::initializer_list<TZuzCustomToolClass> AAnimations)
{
  RegisterTypes(ZuzAnimationTypes(), AAnimations);
}

void UnRegisterZuzAnimations(std::initializer_list<TZuzCustomToolClass> AAnimations)
{
  UnRegisterTypes(ZuzAnimationTypes(), AAnimations);
}

void RegisterSeriesEditor(const TClassInfo* AFormClass) { RegisterClass(AFormClass); }

String GetGallerySeriesName(const TChartSeries* ASeries)
{
  const TClassInfo* Kind = ClassInfoOf(ASeries);
  if (const TZuzSeriesType* T = ZuzSeriesTypes().Find(Kind, 0); T && T->Description)
    return *T->Description;
  return ASeries->ClassName();
}
