#pragma once
// The base of everything inside a chart that can be switched on and off:
// series, tools, functions and animations. It carries the active flag, a
// brush and a pen whose changes repaint the chart, the chart it belongs to
// and the class name of its editor form, and the family of setters that
// store a value and repaint only when it changed.
//
// Published: ShowInEditor (True). Public: Active (alias Visible), Brush,
// ParentChart, Pen, TagObject.
#include "platform/Colors.h"
#include "platform/Component.h"

#include <memory>

class TCustomAxisPanel;
class TZuzBrush;
class TZuzPen;

class TCustomChartElement : public TComponent {
public:
  explicit TCustomChartElement(TComponent* AOwner);
  // Detaches from the chart (SetParentChart(nullptr)).
  ~TCustomChartElement() override;
  String ClassName() const override;

  // From another element: Active, brush, pen (through SetPen), Tag and
  // TagObject; other sources as TComponent does.
  void Assign(TPersistent* Source) override;

  // The change handler of the element's own pens and brushes: Repaint.
  virtual void CanvasChanged(TObject* Sender);
  // The class name of the kind's editor form; empty: no editor. The chart
  // editor finds the form by this name, so the core never refers to
  // editor code.
  virtual String GetEditorClass() const;
  // Invalidates the chart (it draws at its next paint); nothing without a
  // chart.
  void Repaint();

  bool Active() const { return FActive; }
  virtual void SetActive(bool Value);
  bool Visible() const { return FActive; }
  void SetVisible(bool Value) { SetActive(Value); }
  TZuzBrush* Brush() const { return FBrush.get(); }
  // Copies Value's attributes into the element's own brush.
  void SetBrush(TZuzBrush* Value);
  TZuzPen* Pen() const { return FPen.get(); }
  virtual void SetPen(TZuzPen* Value);
  TCustomAxisPanel* ParentChart() const { return FParent; }
  virtual void SetParentChart(TCustomAxisPanel* Value);
  bool ShowInEditor() const { return FShowInEditor; }
  void SetShowInEditor(bool Value) { FShowInEditor = Value; }
  TObject* TagObject() const { return FTagObject; }
  void SetTagObject(TObject* Value) { FTagObject = Value; }

  // Store Value and repaint when it differs from Variable (exactly, also
  // for the floating-point forms); nothing otherwise. Every plain setter
  // of the chart library goes through these, so assigning the current
  // value never repaints.
  void SetBooleanProperty(bool& Variable, bool Value);
  void SetColorProperty(TColor& Variable, TColor Value);
  void SetIntegerProperty(int32_t& Variable, int32_t Value);
  void SetStringProperty(String& Variable, const String& Value);
  void SetDoubleProperty(double& Variable, double Value);
  void SetSingleProperty(float& Variable, float Value);

  // A pen whose changes repaint the chart (kinds make their further pens
  // with it).
  std::unique_ptr<TZuzPen> CreateChartPen();

  // The form reader re-attaches elements to their chart through these.
  bool HasParent() const override;
  TComponent* GetParentComponent() const override;
  // A chart becomes the parent chart; other components are ignored.
  void SetParentComponent(TComponent* Value) override;

  // The chart does not write this element among its children (auxiliary
  // series of functions and animations).
  bool DontSerialize = false;
  // Internal series (previews, auxiliary series) stay out of z-ordering,
  // series exchange and the legend.
  bool IInternalUse = false;

protected:
  // Set directly by the chart when it adds the element.
  friend class TCustomAxisPanel;
  TCustomAxisPanel* FParent = nullptr;
  bool FActive = true;

private:
  std::unique_ptr<TZuzBrush> FBrush;
  std::unique_ptr<TZuzPen> FPen;
  bool FShowInEditor = true;
  TObject* FTagObject = nullptr;
};
