#pragma once
// The chart-scale dialog ("Chart Scale"): the operator fixes the range of a
// chart axis, or gives it back its automatic scale. Made once at start-up
// and kept; closing hides it. The minimum starts at 0 on every showing, the
// maximum keeps what it had.
//
// OK stores both limits (whole numbers) and ChartScaleAuto 0; "Auto" (also
// Escape) stores ChartScaleAuto 1 and leaves the limits. A limit that is no
// whole number (an emptied field, a lone minus) changes none of the three
// values and keeps the dialog open, so that a half-read pair never reaches
// an axis; the conversion error goes to the application's handler.
//
// Main thread only.
#include "platform/Forms.h"

#include <cstdint>

class TButton;
class TChartAxis;
class TLabel;
class TQvNumEdit;

class TChartScaleDlg : public TForm {
public:
  explicit TChartScaleDlg(TComponent* AOwner);
  ~TChartScaleDlg() override;
  String ClassName() const override;

  void FormShow();
  void OKBtnClick();
  void CancelBtnClick();

  // The values the axis click reads after the dialog has closed.
  int32_t ChartScaleMin = 0;
  int32_t ChartScaleMax = 25;
  int32_t ChartScaleAuto = 1;

  TLabel* Label1 = nullptr;
  TQvNumEdit* QvNumEdit1 = nullptr;
  TLabel* Label2 = nullptr;
  TQvNumEdit* QvNumEdit2 = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
};

// The dialog the chart windows' axis clicks show; set by whoever makes it
// (the main window at start-up), nullptr before and after.
extern TChartScaleDlg* ChartScaleDlg;

// The axis click of every chart window: nothing for an axis that shows date
// and time; otherwise the dialog modally, then, whichever button closed it,
// the axis made automatic (ChartScaleAuto non-zero) or given the range
// ChartScaleMin..ChartScaleMax (the smaller as its minimum). Only Axis
// changes.
void ChartScaleAxisClick(TChartScaleDlg& Dialog, TChartAxis& Axis);
