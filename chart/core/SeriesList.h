#pragma once
// The ordered lists of series a chart keeps: TCustomSeriesList (a plain
// list that does not own its series: the axes' private lists, the series
// of a group) and TChartSeriesList (the chart's list, in drawing and
// legend order, with its named series groups, the hit test that finds the
// series under the mouse and the switch that turns all series on or off).
//
// The chart frees its series (TCustomAxisPanel::FreeAllSeries); these lists
// never do. Main thread only.
#include "platform/Collection.h"
#include "rtl/Object.h"

#include <memory>
#include <vector>

class TChartSeries;
class TCustomAxisPanel;
class TSeriesGroups;
class TStringList;

class TCustomSeriesList : public TObject {
public:
  explicit TCustomSeriesList(TCustomAxisPanel* AOwner = nullptr);
  ~TCustomSeriesList() override;
  String ClassName() const override;

  int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
  bool Empty() const { return FItems.empty(); }
  // Raises EListError outside 0..Count() - 1.
  TChartSeries* Items(int32_t Index) const;
  TChartSeries* operator[](int32_t Index) const { return Items(Index); }
  // Raise EListError on an empty list.
  TChartSeries* First() const;
  TChartSeries* Last() const;
  int32_t IndexOf(const TChartSeries* Series) const;
  void Add(TChartSeries* Series);
  void Insert(int32_t Index, TChartSeries* Series);
  // Takes the series out (nothing when it is not there).
  void Extract(TChartSeries* Series);
  void Delete(int32_t Index);
  void Exchange(int32_t A, int32_t B);
  void Clear() { FItems.clear(); }
  // Every series' Clear.
  void ClearValues();
  TCustomAxisPanel* Owner() const { return FOwner; }

  std::vector<TChartSeries*>::const_iterator begin() const { return FItems.begin(); }
  std::vector<TChartSeries*>::const_iterator end() const { return FItems.end(); }
  const std::vector<TChartSeries*>& Items() const { return FItems; }

protected:
  TCustomAxisPanel* FOwner;
  std::vector<TChartSeries*> FItems;
};

// Whether the series of a group are on: all, none or some of them.
enum TSeriesGroupActive : uint8_t { gaYes, gaNo, gaSome };

// A named set of series of one chart (the legend can switch them together).
// Published: Active (gaYes), Name; the members are stored as "Series", a
// list of their indexes in the chart's series list (as decimal strings),
// and linked again when the chart has finished loading.
class TSeriesGroup : public TCollectionItem {
public:
  // Named "Group" and the collection's item count ("Group1" first).
  explicit TSeriesGroup(TCollection* ACollection);
  // Frees the member list, not the series.
  ~TSeriesGroup() override;
  String ClassName() const override;
  // Name and members of another group.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  String Name;
  const String& GroupName() const { return Name; }
  void SetGroupName(const String& Value) { Name = Value; }
  TCustomSeriesList& Series() { return *FSeries; }
  const TCustomSeriesList& Series() const { return *FSeries; }
  void Add(TChartSeries* Series) { FSeries->Add(Series); }
  // The members become the list's series.
  void SetSeries(const TCustomSeriesList& Value);
  // gaYes when every series is active (also for an empty group), gaNo when
  // none is, else gaSome.
  TSeriesGroupActive Active() const;
  // Every series of the group takes the value (gaSome, or the value in
  // force, changes nothing).
  void SetActive(TSeriesGroupActive Value);
  void Show() { SetActive(gaYes); }
  void Hide() { SetActive(gaNo); }
  // The series indexes read from a chart file, until the chart re-links
  // them after loading; nullptr otherwise.
  std::unique_ptr<TStringList> TempSeries;

private:
  std::unique_ptr<TCustomSeriesList> FSeries;
};

class TSeriesGroups : public TOwnedCollection {
public:
  // AOwner: the chart.
  explicit TSeriesGroups(TPersistent* AOwner = nullptr);
  ~TSeriesGroups() override;
  String ClassName() const override;
  // Raises EListError outside the list.
  TSeriesGroup* Items(int32_t Index) const;
  TSeriesGroup* Add();
  TSeriesGroup* Add(const String& Name);
  // The names and series of Source's groups (the same series objects).
  void Assign(const TSeriesGroups& Source);
  using TOwnedCollection::Assign;
  // The index of the first group holding Series; -1.
  int32_t Contains(const TChartSeries* Series) const;
  // The first group of that name (compared in upper case when not
  // CaseSensitive); nullptr.
  TSeriesGroup* FindByName(const String& Name, bool CaseSensitive = false) const;
  // The chart that owns the groups; nullptr.
  TCustomAxisPanel* Chart() const;
};

class TChartSeriesList : public TCustomSeriesList {
public:
  explicit TChartSeriesList(TCustomAxisPanel* AOwner);
  ~TChartSeriesList() override;
  String ClassName() const override;

  // The first series whose component name equals Name exactly; nullptr.
  TChartSeries* Find(const String& Name) const;
  // From the last series to the first, the first active one with a point
  // under (X, Y): ValueIndex is that point. Without a hit nullptr and -1.
  TChartSeries* Clicked(int32_t X, int32_t Y, int32_t& ValueIndex) const;
  // True when every series is active (also for an empty list).
  bool AllActive() const;
  void SetAllActive(bool Value);
  TSeriesGroup* AddGroup(const String& Name);
  TSeriesGroups& Groups() { return *FGroups; }
  const TSeriesGroups& Groups() const { return *FGroups; }
  // Copies the groups only, not the series.
  void Assign(const TChartSeriesList& Source);
  void SetGroups(const TSeriesGroups& Value) { FGroups->Assign(Value); }

private:
  std::unique_ptr<TSeriesGroups> FGroups;
};
