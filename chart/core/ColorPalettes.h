#pragma once
// The named colour palettes a chart can take its series colours from
// (ColorPaletteIndex of the chart), and the base of the chart themes.
//
// ColorPalettes() builds the registry on first call: index 0 is the
// library's own palette (no colours: the chart then uses ZuzColorPalette),
// then the 22 built-in palettes. Names are copied from the message texts
// when the registry is built. FreeColorPalettes (FinalizeChartCore) frees
// it. Main thread only.
#include "platform/Component.h"
#include "platform/GraphicsTypes.h"
#include "rtl/Object.h"

#include <vector>

class TCustomAxisPanel;
class TCustomChart;
class TStringList;

using TColorArray = std::vector<TColor>;

class TColorPalettes : public TObject {
public:
  String ClassName() const override;
  // Replaces the colours of the palette of that name, else appends one.
  void RegisterPalette(const String& AName, const TColorArray& APalette);
  // Appends without looking.
  void Add(const String& AName, const TColorArray& APalette);
  // Replaces the colours of palette Index (nothing outside the list).
  void CopyPalette(int32_t Index, const TColorArray& APalette);
  int32_t Count() const { return static_cast<int32_t>(IPalettes.size()); }
  // The first palette of that name, ASCII letters compared without case;
  // -1 when none.
  int32_t IndexOf(const String& AName) const;
  // Raise EListError outside the list.
  String Name(int32_t Index) const;
  void SetName(int32_t Index, const String& Value);
  // The names, after ZuzMsg_Default with AddDefault.
  void AddTo(TStringList* Items, bool AddDefault) const;
  // A copy of palette Index; empty outside the list.
  void GetPalette(int32_t Index, TColorArray& Palette) const;
  // Applies palette Index (below); a TCustomChart remembers Index as its
  // palette index (without side effects). Repaints.
  void ApplyPalette(TCustomAxisPanel* Chart, int32_t Index);
  // The chart's palette becomes the first High + 1 colours (emptied with
  // High -1); series without a colour of their own are coloured anew.
  static void ApplyPalette(TCustomAxisPanel* Chart, const TColorArray& Palette, int32_t High);

private:
  struct TPalette {
    String Name;
    TColorArray Colors;
  };
  std::vector<TPalette> IPalettes;
};

TColorPalettes& ColorPalettes();
void FreeColorPalettes();

// The base of the themes that restyle a whole chart: this one does nothing
// and is named ZuzMsg_ThemeDefault.
class TChartTheme : public TPersistent {
public:
  explicit TChartTheme(TCustomChart* AChart);
  String ClassName() const override;
  virtual void Apply();
  virtual String Description();
  virtual void SetDefaultValues();

  TCustomChart* Chart;
};
