#pragma once
// The registries of series, function, tool and animation kinds: the
// galleries list what is registered (grouped by gallery page, in
// registration order) and the chart editor and file reader find a kind by
// class name. Registering a kind also registers its class for streaming.
//
// Classes are passed as their class information (ClassInfoFor<TKind>()).
// Descriptions and pages are the addresses of message variables
// (ZuzConst.h), so a later change of language changes the gallery texts.
//
// The registries are made on first use and freed by FreeZuzTypeRegistries
// (FinalizeChartCore). Main thread only, not locked.
#include "rtl/Object.h"

#include <initializer_list>
#include <memory>
#include <vector>

class TChartSeries;
class TClassInfo;

using TChartSeriesClass = const TClassInfo*;
using TZuzFunctionClass = const TClassInfo*;
using TZuzCustomToolClass = const TClassInfo*;

// One registered series kind, series-and-function pair or function kind.
class TZuzSeriesType : public TObject {
public:
  String ClassName() const override;
  // The description on one line (line breaks become blanks).
  String Caption() const;

  // nullptr for a function kind registered alone.
  TChartSeriesClass SeriesClass = nullptr;
  // nullptr for a plain series kind.
  TZuzFunctionClass FunctionClass = nullptr;
  // The message variables naming the kind and its gallery page.
  const String* Description = nullptr;
  const String* GalleryPage = nullptr;
  // Series the gallery's preview makes; 0 or less hides the kind from the
  // galleries.
  int32_t NumGallerySeries = 0;
  // Handed to the preview series' SetSubGallery; 0 for the plain kind.
  int32_t SubIndex = 0;
};

class TZuzSeriesTypes : public TObject {
public:
  TZuzSeriesTypes();
  ~TZuzSeriesTypes() override;
  String ClassName() const override;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError outside the list.
  TZuzSeriesType* Items(int32_t Index) const;
  // The series class of the first entry without a function whose class
  // name equals ASeriesClass exactly (case-sensitive); nullptr when none.
  TChartSeriesClass Find(const String& ASeriesClass) const;
  // The first entry of the class without a function (and with SubIndex
  // when that is not 0); nullptr when none.
  TZuzSeriesType* Find(TChartSeriesClass ASeriesClass, int32_t SubIndex = 0) const;
  void Append(std::unique_ptr<TZuzSeriesType> Item);
  // Frees every entry for which Match is true.
  template <class F>
  void RemoveIf(F Match)
  {
    std::erase_if(FItems, [&](const std::unique_ptr<TZuzSeriesType>& T) { return Match(*T); });
  }

private:
  std::vector<std::unique_ptr<TZuzSeriesType>> FItems;
};

// A plain list of tool (or animation) classes; it owns nothing.
class TZuzToolTypes : public TObject {
public:
  String ClassName() const override;
  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  // Raises EListError outside the list.
  TZuzCustomToolClass Items(int32_t Index) const;
  int32_t IndexOf(TZuzCustomToolClass Value) const;
  void Add(TZuzCustomToolClass Value) { FItems.push_back(Value); }
  void Remove(TZuzCustomToolClass Value);

private:
  std::vector<TZuzCustomToolClass> FItems;
};

// The three registries, made on first use.
TZuzSeriesTypes& ZuzSeriesTypes();
TZuzToolTypes& ZuzToolTypes();
TZuzToolTypes& ZuzAnimationTypes();
// Frees every entry and the registries (the next use makes them anew).
void FreeZuzTypeRegistries();

// Registers the classes for streaming; then, with ASubIndex 0, nothing more
// when an entry of the same series and function class exists; else appends
// an entry.
void RegisterZuzSeriesFunction(TChartSeriesClass ASeriesClass, TZuzFunctionClass AFunctionClass,
                               const String* ADescription, const String* AGalleryPage, int32_t ANumGallerySeries,
                               int32_t ASubIndex);
void RegisterZuzSeries(TChartSeriesClass ASeriesClass, const String* ADescription, const String* AGalleryPage,
                       int32_t ANumGallerySeries);
// On the standard page with 2 preview series.
void RegisterZuzSeries(TChartSeriesClass ASeriesClass, const String* ADescription);
void RegisterZuzFunction(TZuzFunctionClass AFunctionClass, const String* ADescription, const String* AGalleryPage,
                         int32_t ANumGallerySeries);
// On the standard page with 2 preview series.
void RegisterZuzBasicFunction(TZuzFunctionClass AFunctionClass, const String* ADescription);
// Every entry of those classes goes.
void UnRegisterZuzSeries(std::initializer_list<TChartSeriesClass> ASeriesList);
void UnRegisterZuzFunctions(std::initializer_list<TZuzFunctionClass> AFunctionList);
// Each class not yet listed is registered for streaming and appended.
void RegisterZuzTools(std::initializer_list<TZuzCustomToolClass> ATools);
// Each listed class leaves the list; every class given leaves streaming.
void UnRegisterZuzTools(std::initializer_list<TZuzCustomToolClass> ATools);
void RegisterZuzAnimations(std::initializer_list<TZuzCustomToolClass> AAnimations);
void UnRegisterZuzAnimations(std::initializer_list<TZuzCustomToolClass> AAnimations);
// A series or tool editor form, found by its class name.
void RegisterSeriesEditor(const TClassInfo* AFormClass);

// The description of the series' kind (its first entry), or its class name
// when the kind is not registered.
String GetGallerySeriesName(const TChartSeries* ASeries);
