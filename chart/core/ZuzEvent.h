#pragma once
// What a chart panel broadcasts to its listeners (series, legend, tools):
// mouse events, a change of the 3D view, the mouse leaving the panel and
// the coming and going of series. The panel creates the event, hands it to
// each listener in registration order (AddListener) and frees it.
#include "platform/GraphicsTypes.h"
#include "platform/VirtualKeys.h"
#include "rtl/Object.h"

#include <cstdint>

class TCustomZuzPanel;
class TCustomChartSeries;

class TZuzEvent : public TObject {
public:
  String ClassName() const override;
  // The panel that broadcasts, set by the broadcast.
  TCustomZuzPanel* Sender = nullptr;
};

enum TZuzMouseEventKind : uint8_t { meDown, meUp, meMove };

class TZuzMouseEvent : public TZuzEvent {
public:
  String ClassName() const override;
  TZuzMouseEventKind Event = meDown;
  TMouseButton Button = mbLeft;
  TShiftState Shift = 0;
  int32_t X = 0;
  int32_t Y = 0;
};

// The panel's View3D was switched.
class TZuzView3DEvent : public TZuzEvent {
public:
  String ClassName() const override;
};

class TMouseLeaveEvent : public TZuzEvent {
public:
  String ClassName() const override;
};

enum TChartSeriesEvent : uint8_t {
  seAdd,
  seRemove,
  seChangeTitle,
  seChangeColor,
  seSwap,
  seChangeActive,
  seDataChanged,
  seAfterRemove
};

// A series joined or left the chart, or changed its title, colour, activity
// or data; Series is nullptr for seSwap (two series exchanged places).
class TZuzSeriesEvent : public TZuzEvent {
public:
  String ClassName() const override;
  TChartSeriesEvent Event = seAdd;
  TCustomChartSeries* Series = nullptr;
};

class IZuzEventListener {
public:
  virtual ~IZuzEventListener() = default;
  // Called during the broadcast; the listener may remove itself from the
  // panel, and may set the panel's CancelMouse to stop a mouse event.
  virtual void ZuzEvent(TZuzEvent* Event) = 0;
};
