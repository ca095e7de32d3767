#pragma once
// The base of components that load a series' points from outside (a file,
// a URL, a database): a series takes one as its data source, and the chart
// refreshes it instead of copying another series. The kinds that load
// (subsystem of chart files) override Load; the base loads nothing.
//
// Activating loads; deactivating clears the series unless the points are
// kept (LoadMode lmAppend or KeepDataOnClose); neither happens while the
// component is being loaded or destroyed. Published (default): Active
// (False), Series. Main thread only.
#include "platform/Component.h"

#include <vector>

class TChartSeries;
class TCustomAxisPanel;
class TClassInfo;

enum TSourceLoadMode : uint8_t { lmClear, lmAppend };

class TZuzSeriesSource : public TComponent {
public:
  explicit TZuzSeriesSource(TComponent* AOwner);
  // Closes.
  ~TZuzSeriesSource() override;
  String ClassName() const override;

  bool Active() const { return FActive; }
  virtual void SetActive(bool Value);
  TChartSeries* Series() const { return FSeries; }
  // Closes, and becomes the new series' data source (nullptr: leaves the
  // old series).
  virtual void SetSeries(TChartSeries* Value);
  TSourceLoadMode LoadMode() const { return FLoadMode; }
  void SetLoadMode(TSourceLoadMode Value) { FLoadMode = Value; }
  bool KeepDataOnClose = false;

  // Whether the kind can serve the chart; a text for galleries; whether it
  // has news to load.
  virtual bool Available(TCustomAxisPanel*) const { return true; }
  virtual String Description() const { return String(); }
  virtual bool HasNew() const { return false; }
  // The series' data source is of this same kind (by class name).
  virtual bool HasSeries(TChartSeries* ASeries) const;
  void Open() { SetActive(true); }
  // Except while loading or being destroyed.
  virtual void Close();
  // Loads the points into the series; nothing here.
  virtual void Load() {}
  // Load when active and not loading.
  void Refresh();
  void Loaded() override;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FActive = false;
  TSourceLoadMode FLoadMode = lmClear;
  TChartSeries* FSeries = nullptr;
};

// The registered data-source kinds the source editor lists; made on first
// use, freed by FreeZuzSources (the chart library's shutdown).
std::vector<const TClassInfo*>& ZuzSources();
void FreeZuzSources();
