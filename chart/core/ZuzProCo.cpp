#include "chart/core/ZuzProCo.h"
#include "chart/core/ZuzConst.h"

namespace ZuzProCo {
String ZuzMsg_DBSumEditCaption;
}
String ZuzMsg_GalleryTernary;
String ZuzMsg_GalleryPointError;
String ZuzMsg_GalleryPoint3DError;
String ZuzMsg_GalleryActivityGauge;
String ZuzMsg_GalleryEqualizerSeries;
String ZuzMsg_GalleryPolar;
String ZuzMsg_GalleryCandle;
String ZuzMsg_GalleryVolume;
String ZuzMsg_GallerySurface;
String ZuzMsg_GalleryContour;
String ZuzMsg_GalleryBezier;
String ZuzMsg_GalleryPoint3D;
String ZuzMsg_GalleryRadar;
String ZuzMsg_GalleryCursor;
String ZuzMsg_GalleryBar3D;
String ZuzMsg_GalleryBigCandle;
String ZuzMsg_GalleryLinePoint;
String ZuzMsg_GalleryHistogram;
String ZuzMsg_GalleryWaterFall;
String ZuzMsg_GalleryWindRose;
String ZuzMsg_GalleryClock;
String ZuzMsg_GalleryColorGrid;
String ZuzMsg_GalleryBoxPlot;
String ZuzMsg_GalleryHorizBoxPlot;
String ZuzMsg_GalleryBarJoin;
String ZuzMsg_GallerySmith;
String ZuzMsg_GalleryPyramid;
String ZuzMsg_GalleryMap;
String ZuzMsg_GalleryVolumePipe;
String ZuzMsg_GalleryErrorBar;
String ZuzMsg_GalleryError;
String ZuzMsg_GalleryHighLow;
String ZuzMsg_GalleryTriSurface;
String ZuzMsg_FunnelSeries;
String ZuzMsg_CalendarSeries;
String ZuzMsg_DeltaPointSeries;
String ZuzMsg_ImagePointSeries;
String ZuzMsg_ImageBarSeries;
String ZuzMsg_GalleryPointFigure;
String ZuzMsg_GalleryGauge;
String ZuzMsg_GalleryVector3D;
String ZuzMsg_GalleryTower;
String ZuzMsg_GalleryBubble3D;
String ZuzMsg_GalleryHorizHistogram;
String ZuzMsg_GalleryPolarBar;
String ZuzMsg_IsoSurfaceSeries;
String ZuzMsg_GalleryDarvas;
String ZuzMsg_GalleryHighLowLine;
String ZuzMsg_PolarGridSeries;
String ZuzMsg_GalleryOrgSeries;
String ZuzMsg_GalleryTagCloud;
String ZuzMsg_GalleryRenko;
String ZuzMsg_GalleryKagi;
String ZuzMsg_NumericGauge;
String ZuzMsg_CircularGauge;
String ZuzMsg_LEDGauge;
String ZuzMsg_LinearGauge;
String ZuzMsg_LinearGaugeVertical;
String ZuzMsg_GalleryRose;
String ZuzMsg_KnobGauge;
String ZuzMsg_GalleryTreeMapSeries;
String ZuzMsg_EquiVolumeSeries;
String ZuzMsg_GalleryPolarContour;
String ZuzMsg_GalleryBubbleCloud;
String ZuzMsg_GalleryDoubleBar;
String ZuzMsg_GalleryBoolean;
String ZuzMsg_GalleryBinary;
String ZuzMsg_GalleryDigital;
String ZuzMsg_ActivityGauge;
String ZuzMsg_EqualizerSeries;
String ZuzMsg_GalleryWorld;
String ZuzMsg_GalleryAfrica;
String ZuzMsg_GalleryAsia;
String ZuzMsg_GalleryAustralia;
String ZuzMsg_GalleryCentralAmerica;
String ZuzMsg_GalleryEurope;
String ZuzMsg_GalleryEurope15;
String ZuzMsg_GalleryEurope28;
String ZuzMsg_GallerySpain;
String ZuzMsg_GalleryMiddleEast;
String ZuzMsg_GalleryNorthAmerica;
String ZuzMsg_GallerySouthAmerica;
String ZuzMsg_GalleryUSA;
String ZuzMsg_GalleryUSAHawaiiAlaska;
String ZuzMsg_GalleryEurAsia;
String ZuzMsg_GalleryUK;
String ZuzMsg_GalleryGermany;
String ZuzMsg_GalleryUSACounties;
String ZuzMsg_GalleryUSAAlaskaCounties;
String ZuzMsg_GalleryJapan;
String ZuzMsg_GalleryChina;
String ZuzMsg_GalleryChinaProvinces;
String ZuzMsg_GalleryFrance;
String ZuzMsg_GalleryAustraliaStates;
String ZuzMsg_GalleryAustraliaCounties;
String ZuzMsg_FunctionCentroid;
String ZuzMsg_FunctionMomentum;
String ZuzMsg_FunctionMomentumDiv;
String ZuzMsg_FunctionExpAverage;
String ZuzMsg_FunctionMovingAverage;
String ZuzMsg_FunctionExpMovAve;
String ZuzMsg_FunctionRSI;
String ZuzMsg_FunctionCurveFitting;
String ZuzMsg_FunctionTrend;
String ZuzMsg_FunctionExpTrend;
String ZuzMsg_FunctionLogTrend;
String ZuzMsg_FunctionCumulative;
String ZuzMsg_FunctionStdDeviation;
String ZuzMsg_FunctionBollinger;
String ZuzMsg_FunctionRMS;
String ZuzMsg_FunctionMACD;
String ZuzMsg_FunctionStochastic;
String ZuzMsg_FunctionADX;
String ZuzMsg_FunctionCount;
String ZuzMsg_FunctionCross;
String ZuzMsg_FunctionCompress;
String ZuzMsg_FunctionCLV;
String ZuzMsg_FunctionOBV;
String ZuzMsg_FunctionCCI;
String ZuzMsg_FunctionPVO;
String ZuzMsg_FunctionPerf;
String ZuzMsg_FunctionCorrelation;
String ZuzMsg_FunctionVariance;
String ZuzMsg_FunctionPerimeter;
String ZuzMsg_FunctionDownSampling;
String ZuzMsg_HistogramFunction;
String ZuzMsg_FunctionPercentage;
String ZuzMsg_FunctionSlope;
String ZuzMsg_FunctionMoneyFlow;
String ZuzMsg_FunctionSkewness;
String ZuzMsg_FunctionKurtosis;
String ZuzMsg_FunctionATR;
String ZuzMsg_FunctionRVI;
String ZuzMsg_FunctionAO;
String ZuzMsg_FunctionAC;
String ZuzMsg_FunctionSMMA;
String ZuzMsg_FunctionAlligator;
String ZuzMsg_FunctionGator;
String ZuzMsg_CandleBar;
String ZuzMsg_CandleNoOpen;
String ZuzMsg_CandleNoClose;
String ZuzMsg_NoHigh;
String ZuzMsg_NoLow;
String ZuzMsg_SmithResistance;
String ZuzMsg_SmithReactance;
String ZuzMsg_FunnelSegment;
String ZuzMsg_FunnelExceed;
String ZuzMsg_ChangeToolName;
String ZuzMsg_NewToolName;
String ZuzMsg_CursorTool;
String ZuzMsg_DragMarksTool;
String ZuzMsg_AxisArrowTool;
String ZuzMsg_DrawLineTool;
String ZuzMsg_NearestTool;
String ZuzMsg_ColorBandTool;
String ZuzMsg_ColorLineTool;
String ZuzMsg_RotateTool;
String ZuzMsg_ImageTool;
String ZuzMsg_MarksTipTool;
String ZuzMsg_AnnotationTool;
String ZuzMsg_PageNumber;
String ZuzMsg_DragPoint;
String ZuzMsg_GridTranspose;
String ZuzMsg_ExtraLegendTool;
String ZuzMsg_GanttTool;
String ZuzMsg_GridBandTool;
String ZuzMsg_PieTool;
String ZuzMsg_LightTool;
String ZuzMsg_SurfaceNearestTool;
String ZuzMsg_AxisScrollTool;
String ZuzMsg_RectangleTool;
String ZuzMsg_ClipSeries;
String ZuzMsg_SeriesBandTool;
String ZuzMsg_SelectorTool;
String ZuzMsg_LegendScrollBar;
String ZuzMsg_DataTableTool;
String ZuzMsg_VideoTool;
String ZuzMsg_VideoToolDesc;
String ZuzMsg_VideoPlayerTool;
String ZuzMsg_VideoPlayerToolDesc;
String ZuzMsg_CursorToolDesc;
String ZuzMsg_DragMarksDesc;
String ZuzMsg_DragPointDesc;
String ZuzMsg_DrawLineDesc;
String ZuzMsg_ExtraLegendDesc;
String ZuzMsg_GanttToolDesc;
String ZuzMsg_MarksTipDesc;
String ZuzMsg_NearestToolDesc;
String ZuzMsg_PieToolDesc;
String ZuzMsg_AxisArrowDesc;
String ZuzMsg_ColorBandDesc;
String ZuzMsg_ColorLineDesc;
String ZuzMsg_GridBandDesc;
String ZuzMsg_GridTransposeDesc;
String ZuzMsg_AnnotationDesc;
String ZuzMsg_RectangleToolDesc;
String ZuzMsg_RotateDesc;
String ZuzMsg_ImageToolDesc;
String ZuzMsg_LightToolDesc;
String ZuzMsg_SurfaceNearestDesc;
String ZuzMsg_AxisScrollDesc;
String ZuzMsg_LegendScrollBarDesc;
String ZuzMsg_ClipSeriesDesc;
String ZuzMsg_SelectorDesc;
String ZuzMsg_StatsToolDesc;
String ZuzMsg_PageNumberDesc;
String ZuzMsg_TransposeSeries;
String ZuzMsg_TransposeSeriesDesc;
String ZuzMsg_GridTranspDesc;
String ZuzMsg_LegendScrollDesc;
String ZuzMsg_DataTableDesc;
String ZuzMsg_SeriesBandDesc;
String ZuzMsg_FullScreen;
String ZuzMsg_FullScreenDesc;
String ZuzMsg_MagnifyTool;
String ZuzMsg_MagnifyToolDesc;
String ZuzMsg_Fader;
String ZuzMsg_FaderDesc;
String ZuzMsg_SubChartTool;
String ZuzMsg_SubChartDesc;
String ZuzMsg_AntiAliasDesc;
String ZuzMsg_SeriesRegion;
String ZuzMsg_SeriesRegionDesc;
String ZuzMsg_Text3D;
String ZuzMsg_Text3DDesc;
String ZuzMsg_BannerTool;
String ZuzMsg_BannerToolDesc;
String ZuzMsg_FrameTool;
String ZuzMsg_FrameToolDesc;
String ZuzMsg_LegendPalette;
String ZuzMsg_LegendPaletteDesc;
String ZuzMsg_Statistics;
String ZuzMsg_ZuzScrollBar;
String ZuzMsg_LinkTool;
String ZuzMsg_LinkToolDesc;
String ZuzMsg_Fibonacci;
String ZuzMsg_FibonacciDesc;
String ZuzMsg_ToolArrow;
String ZuzMsg_ToolArrowDesc;
String ZuzMsg_CustomLegendTool;
String ZuzMsg_CustomLegendToolDesc;
String ZuzMsg_AxisBreaksTool;
String ZuzMsg_AxisBreaksToolDesc;
String ZuzMsg_ScrollPagerTool;
String ZuzMsg_ScrollPagerDesc;
String ZuzMsg_ClusteringTool;
String ZuzMsg_ClusteringDesc;
String ZuzMsg_RepaintMonitor;
String ZuzMsg_RepaintMonitorDesc;
String ZuzMsg_ChartImageDesc;
String ZuzMsg_AxisScrollBarTool;
String ZuzMsg_AxisScrollBarDesc;
String ZuzMsg_ChangeAnimationName;
String ZuzMsg_NewAnimationName;
String ZuzMsg_ExpandAnimation;
String ZuzMsg_ExpandAnimationDesc;
String ZuzMsg_Animate;
String ZuzMsg_Stop;
String ZuzMsg_Animation;
String ZuzMsg_LineAnimation;
String ZuzMsg_SeriesTransition;
String ZuzMsg_SeriesAnimTool;
String ZuzMsg_SeriesAnimationDesc;
String ZuzMsg_Play;
String ZuzMsg_TemplateStackedBars;
String ZuzMsg_TemplateLineandPoint;
String ZuzMsg_TemplateConcentricDonuts;
String ZuzMsg_TemplateFinancialStocks;
String ZuzMsg_TemplateXYZData;
String ZuzMsg_AsBMP;
String ZuzMsg_BMPFilter;
String ZuzMsg_AsEMF;
String ZuzMsg_EMFFilter;
String ZuzMsg_AsJPEG;
String ZuzMsg_JPEGFilter;
String ZuzMsg_AsGIF;
String ZuzMsg_GIFFilter;
String ZuzMsg_AsPNG;
String ZuzMsg_PNGFilter;
String ZuzMsg_AsPCX;
String ZuzMsg_PCXFilter;
String ZuzMsg_AsVML;
String ZuzMsg_VMLFilter;
String ZuzMsg_TextFile;
String ZuzMsg_NativeFilter;
String ZuzMsg_AsPDF;
String ZuzMsg_PDFFilter;
String ZuzMsg_AsPS;
String ZuzMsg_PSFilter;
String ZuzMsg_TextFilter1;
String ZuzMsg_TextFilter2;
String ZuzMsg_TextFilter3;
String ZuzMsg_TextFilter4;
String ZuzMsg_TextFilter5;
String ZuzMsg_XMLFilter;
String ZuzMsg_HTMLFilter;
String ZuzMsg_ExcelFilter;
String ZuzMsg_AsSVG;
String ZuzMsg_SVGFilter;
String ZuzMsg_AsFlex;
String ZuzMsg_FlexFilter;
String ZuzMsg_AsXAML;
String ZuzMsg_XAMLFilter;
String ZuzMsg_SelectTmpFolder;
String ZuzMsg_PathAdobeFlexCompiler;
String ZuzMsg_AsJScript;
String ZuzMsg_JScriptFilter;
String ZuzMsg_HTML5Canvas;
String ZuzMsg_HTML5CanvasFilter;
String ZuzMsg_JSONFilter;
String ZuzMsg_ODSFilter;
String ZuzMsg_ZuzFiles;
String ZuzMsg_AsWapBitmap;
String ZuzMsg_WapBMPFilter;
String ZuzMsg_AVIFile;
String ZuzMsg_SelectAVIFile;
String ZuzMsg_MPEGFile;
String ZuzMsg_RefreshInterval;
String ZuzMsg_RefreshData;
String ZuzMsg_DataSet;
String ZuzMsg_AskDataSet;
String ZuzMsg_SingleRecord;
String ZuzMsg_AskDataSource;
String ZuzMsg_Summary;
String ZuzMsg_FieldNotFound;
String ZuzMsg_BDEAlias;
String ZuzMsg_ADOConnection;
String ZuzMsg_CrossTab;
String ZuzMsg_SelectTextFile;
String ZuzMsg_SaveTextFile;
String ZuzMsg_ExcelEmptyFile;
String ZuzMsg_ExcelFile;
String ZuzMsg_ExcelSheetEmpty;
String ZuzMsg_ExcelRangeMissing;
String ZuzMsg_XMLFile;
String ZuzMsg_Import;
String ZuzCommanMsg_Normal;
String ZuzCommanMsg_Edit;
String ZuzCommanMsg_Print;
String ZuzCommanMsg_Copy;
String ZuzCommanMsg_Save;
String ZuzCommanMsg_3D;
String ZuzCommanMsg_Rotating;
String ZuzCommanMsg_Rotate;
String ZuzCommanMsg_Moving;
String ZuzCommanMsg_Move;
String ZuzCommanMsg_Zooming;
String ZuzCommanMsg_Zoom;
String ZuzCommanMsg_Depthing;
String ZuzCommanMsg_Depth;
String ZuzCommanMsg_Chart;
String ZuzCommanMsg_Panel;
String ZuzCommanMsg_RotateLabel;
String ZuzCommanMsg_MoveLabel;
String ZuzCommanMsg_ZoomLabel;
String ZuzCommanMsg_DepthLabel;
String ZuzCommanMsg_NormalLabel;
String ZuzCommanMsg_NormalPieLabel;
String ZuzCommanMsg_PieExploding;
String ZuzMsg_CategoryChartActions;
String ZuzMsg_CategorySeriesActions;
String ZuzMsg_Action3D;
String ZuzMsg_Action3DHint;
String ZuzMsg_ActionSeriesActive;
String ZuzMsg_ActionSeriesActiveHint;
String ZuzMsg_ActionEditHint;
String ZuzMsg_ActionEdit;
String ZuzMsg_ActionCopyHint;
String ZuzMsg_ActionCopy;
String ZuzMsg_ActionPrintHint;
String ZuzMsg_ActionPrint;
String ZuzMsg_ActionAxesHint;
String ZuzMsg_ActionAxes;
String ZuzMsg_ActionGridsHint;
String ZuzMsg_ActionGrids;
String ZuzMsg_ActionLegendHint;
String ZuzMsg_ActionLegend;
String ZuzMsg_ActionSeriesEditHint;
String ZuzMsg_ActionSeriesMarksHint;
String ZuzMsg_ActionSeriesMarks;
String ZuzMsg_ActionSaveHint;
String ZuzMsg_ActionSave;

namespace {
const TZuzMessage ProTexts[] = {
    {"ZuzMsg_GalleryTernary", &ZuzMsg_GalleryTernary, "Ternary"},
    {"ZuzMsg_GalleryPointError", &ZuzMsg_GalleryPointError, "Error Point"},
    {"ZuzMsg_GalleryPoint3DError", &ZuzMsg_GalleryPoint3DError, "Error Point 3D"},
    {"ZuzMsg_GalleryActivityGauge", &ZuzMsg_GalleryActivityGauge, "Activity Gauge"},
    {"ZuzMsg_GalleryEqualizerSeries", &ZuzMsg_GalleryEqualizerSeries, "Equalizer"},
    {"ZuzMsg_GalleryPolar", &ZuzMsg_GalleryPolar, "Polar"},
    {"ZuzMsg_GalleryCandle", &ZuzMsg_GalleryCandle, "Candle"},
    {"ZuzMsg_GalleryVolume", &ZuzMsg_GalleryVolume, "Volume"},
    {"ZuzMsg_GallerySurface", &ZuzMsg_GallerySurface, "Surface"},
    {"ZuzMsg_GalleryContour", &ZuzMsg_GalleryContour, "Contour"},
    {"ZuzMsg_GalleryBezier", &ZuzMsg_GalleryBezier, "Bezier"},
    {"ZuzMsg_GalleryPoint3D", &ZuzMsg_GalleryPoint3D, "Point 3D"},
    {"ZuzMsg_GalleryRadar", &ZuzMsg_GalleryRadar, "Radar"},
    {"ZuzMsg_GalleryCursor", &ZuzMsg_GalleryCursor, "Cursor"},
    {"ZuzMsg_GalleryBar3D", &ZuzMsg_GalleryBar3D, "Bar 3D"},
    {"ZuzMsg_GalleryBigCandle", &ZuzMsg_GalleryBigCandle, "Big Candle"},
    {"ZuzMsg_GalleryLinePoint", &ZuzMsg_GalleryLinePoint, "Line Point"},
    {"ZuzMsg_GalleryHistogram", &ZuzMsg_GalleryHistogram, "Histogram"},
    {"ZuzMsg_GalleryWaterFall", &ZuzMsg_GalleryWaterFall, "Water Fall"},
    {"ZuzMsg_GalleryWindRose", &ZuzMsg_GalleryWindRose, "Wind Rose"},
    {"ZuzMsg_GalleryClock", &ZuzMsg_GalleryClock, "Clock"},
    {"ZuzMsg_GalleryColorGrid", &ZuzMsg_GalleryColorGrid, "Color Grid"},
    {"ZuzMsg_GalleryBoxPlot", &ZuzMsg_GalleryBoxPlot, "Box Plot"},
    {"ZuzMsg_GalleryHorizBoxPlot", &ZuzMsg_GalleryHorizBoxPlot, "Horizontal\nBox Plot"},
    {"ZuzMsg_GalleryBarJoin", &ZuzMsg_GalleryBarJoin, "Bar Join"},
    {"ZuzMsg_GallerySmith", &ZuzMsg_GallerySmith, "Smith"},
    {"ZuzMsg_GalleryPyramid", &ZuzMsg_GalleryPyramid, "Pyramid"},
    {"ZuzMsg_GalleryMap", &ZuzMsg_GalleryMap, "Map"},
    {"ZuzMsg_GalleryVolumePipe", &ZuzMsg_GalleryVolumePipe, "Volume Pipe"},
    {"ZuzMsg_GalleryErrorBar", &ZuzMsg_GalleryErrorBar, "Error Bar"},
    {"ZuzMsg_GalleryError", &ZuzMsg_GalleryError, "Error"},
    {"ZuzMsg_GalleryHighLow", &ZuzMsg_GalleryHighLow, "High-Low"},
    {"ZuzMsg_GalleryTriSurface", &ZuzMsg_GalleryTriSurface, "Tri Surface"},
    {"ZuzMsg_FunnelSeries", &ZuzMsg_FunnelSeries, "Funnel"},
    {"ZuzMsg_CalendarSeries", &ZuzMsg_CalendarSeries, "Calendar"},
    {"ZuzMsg_DeltaPointSeries", &ZuzMsg_DeltaPointSeries, "Delta Point"},
    {"ZuzMsg_ImagePointSeries", &ZuzMsg_ImagePointSeries, "Image Point"},
    {"ZuzMsg_ImageBarSeries", &ZuzMsg_ImageBarSeries, "Image Bar"},
    {"ZuzMsg_GalleryPointFigure", &ZuzMsg_GalleryPointFigure, "Point & Figure"},
    {"ZuzMsg_GalleryGauge", &ZuzMsg_GalleryGauge, "Gauge"},
    {"ZuzMsg_GalleryVector3D", &ZuzMsg_GalleryVector3D, "Vector 3D"},
    {"ZuzMsg_GalleryTower", &ZuzMsg_GalleryTower, "Tower"},
    {"ZuzMsg_GalleryBubble3D", &ZuzMsg_GalleryBubble3D, "Bubble 3D"},
    {"ZuzMsg_GalleryHorizHistogram", &ZuzMsg_GalleryHorizHistogram, "Horizontal\nHistogram"},
    {"ZuzMsg_GalleryPolarBar", &ZuzMsg_GalleryPolarBar, "Polar Bar"},
    {"ZuzMsg_IsoSurfaceSeries", &ZuzMsg_IsoSurfaceSeries, "Iso Surface"},
    {"ZuzMsg_GalleryDarvas", &ZuzMsg_GalleryDarvas, "Darvas"},
    {"ZuzMsg_GalleryHighLowLine", &ZuzMsg_GalleryHighLowLine, "High-Low Line"},
    {"ZuzMsg_PolarGridSeries", &ZuzMsg_PolarGridSeries, "Polar Grid"},
    {"ZuzMsg_GalleryOrgSeries", &ZuzMsg_GalleryOrgSeries, "Organizational"},
    {"ZuzMsg_GalleryTagCloud", &ZuzMsg_GalleryTagCloud, "Tag Cloud"},
    {"ZuzMsg_GalleryRenko", &ZuzMsg_GalleryRenko, "Renko"},
    {"ZuzMsg_GalleryKagi", &ZuzMsg_GalleryKagi, "Kagi"},
    {"ZuzMsg_NumericGauge", &ZuzMsg_NumericGauge, "Numeric\nGauge"},
    {"ZuzMsg_CircularGauge", &ZuzMsg_CircularGauge, "Circular\nGauge"},
    {"ZuzMsg_LEDGauge", &ZuzMsg_LEDGauge, "LED Gauge"},
    {"ZuzMsg_LinearGauge", &ZuzMsg_LinearGauge, "Linear\nGauge"},
    {"ZuzMsg_LinearGaugeVertical", &ZuzMsg_LinearGaugeVertical, "Vertical Linear Gauge"},
    {"ZuzMsg_GalleryRose", &ZuzMsg_GalleryRose, "Rose"},
    {"ZuzMsg_KnobGauge", &ZuzMsg_KnobGauge, "Knob Gauge"},
    {"ZuzMsg_GalleryTreeMapSeries", &ZuzMsg_GalleryTreeMapSeries, "Tree Map"},
    {"ZuzMsg_EquiVolumeSeries", &ZuzMsg_EquiVolumeSeries, "Equi Volume"},
    {"ZuzMsg_GalleryPolarContour", &ZuzMsg_GalleryPolarContour, "Polar Contour"},
    {"ZuzMsg_GalleryBubbleCloud", &ZuzMsg_GalleryBubbleCloud, "Bubble Cloud"},
    {"ZuzMsg_GalleryDoubleBar", &ZuzMsg_GalleryDoubleBar, "Double Bar"},
    {"ZuzMsg_GalleryBoolean", &ZuzMsg_GalleryBoolean, "Boolean"},
    {"ZuzMsg_GalleryBinary", &ZuzMsg_GalleryBinary, "Binary"},
    {"ZuzMsg_GalleryDigital", &ZuzMsg_GalleryDigital, "Digital"},
    {"ZuzMsg_ActivityGauge", &ZuzMsg_ActivityGauge, "Activity\nGauge"},
    {"ZuzMsg_EqualizerSeries", &ZuzMsg_EqualizerSeries, "Equalizer"},
    {"ZuzMsg_GalleryWorld", &ZuzMsg_GalleryWorld, "World"},
    {"ZuzMsg_GalleryAfrica", &ZuzMsg_GalleryAfrica, "Africa"},
    {"ZuzMsg_GalleryAsia", &ZuzMsg_GalleryAsia, "Asia"},
    {"ZuzMsg_GalleryAustralia", &ZuzMsg_GalleryAustralia, "Australia"},
    {"ZuzMsg_GalleryCentralAmerica", &ZuzMsg_GalleryCentralAmerica, "Central America"},
    {"ZuzMsg_GalleryEurope", &ZuzMsg_GalleryEurope, "Europe"},
    {"ZuzMsg_GalleryEurope15", &ZuzMsg_GalleryEurope15, "Europe 15"},
    {"ZuzMsg_GalleryEurope28", &ZuzMsg_GalleryEurope28, "Europe 28"},
    {"ZuzMsg_GallerySpain", &ZuzMsg_GallerySpain, "Spain"},
    {"ZuzMsg_GalleryMiddleEast", &ZuzMsg_GalleryMiddleEast, "Middle East"},
    {"ZuzMsg_GalleryNorthAmerica", &ZuzMsg_GalleryNorthAmerica, "North America"},
    {"ZuzMsg_GallerySouthAmerica", &ZuzMsg_GallerySouthAmerica, "South America"},
    {"ZuzMsg_GalleryUSA", &ZuzMsg_GalleryUSA, "USA"},
    {"ZuzMsg_GalleryUSAHawaiiAlaska", &ZuzMsg_GalleryUSAHawaiiAlaska, "USA with Hawaii and Alaska"},
    {"ZuzMsg_GalleryEurAsia", &ZuzMsg_GalleryEurAsia, "Eurasia"},
    {"ZuzMsg_GalleryUK", &ZuzMsg_GalleryUK, "United Kingdom"},
    {"ZuzMsg_GalleryGermany", &ZuzMsg_GalleryGermany, "Germany"},
    {"ZuzMsg_GalleryUSACounties", &ZuzMsg_GalleryUSACounties, "USA Counties"},
    {"ZuzMsg_GalleryUSAAlaskaCounties", &ZuzMsg_GalleryUSAAlaskaCounties, "USA Counties with Alaska"},
    {"ZuzMsg_GalleryJapan", &ZuzMsg_GalleryJapan, "Japan"},
    {"ZuzMsg_GalleryChina", &ZuzMsg_GalleryChina, "China"},
    {"ZuzMsg_GalleryChinaProvinces", &ZuzMsg_GalleryChinaProvinces, "China Provinces"},
    {"ZuzMsg_GalleryFrance", &ZuzMsg_GalleryFrance, "France"},
    {"ZuzMsg_GalleryAustraliaStates", &ZuzMsg_GalleryAustraliaStates, "Australia States"},
    {"ZuzMsg_GalleryAustraliaCounties", &ZuzMsg_GalleryAustraliaCounties, "Australia Counties"},
    {"ZuzMsg_FunctionCentroid", &ZuzMsg_FunctionCentroid, "Centroid"},
    {"ZuzMsg_FunctionMomentum", &ZuzMsg_FunctionMomentum, "Momentum"},
    {"ZuzMsg_FunctionMomentumDiv", &ZuzMsg_FunctionMomentumDiv, "Momentum\nDivision"},
    {"ZuzMsg_FunctionExpAverage", &ZuzMsg_FunctionExpAverage, "Exp.\nAverage"},
    {"ZuzMsg_FunctionMovingAverage", &ZuzMsg_FunctionMovingAverage, "Moving\nAverage"},
    {"ZuzMsg_FunctionExpMovAve", &ZuzMsg_FunctionExpMovAve, "Exp. Mov.\nAverage"},
    {"ZuzMsg_FunctionRSI", &ZuzMsg_FunctionRSI, "R.S.I."},
    {"ZuzMsg_FunctionCurveFitting", &ZuzMsg_FunctionCurveFitting, "Curve Fitting"},
    {"ZuzMsg_FunctionTrend", &ZuzMsg_FunctionTrend, "Trend"},
    {"ZuzMsg_FunctionExpTrend", &ZuzMsg_FunctionExpTrend, "Exp.\nTrend"},
    {"ZuzMsg_FunctionLogTrend", &ZuzMsg_FunctionLogTrend, "Log.\nTrend"},
    {"ZuzMsg_FunctionCumulative", &ZuzMsg_FunctionCumulative, "Cumulative"},
    {"ZuzMsg_FunctionStdDeviation", &ZuzMsg_FunctionStdDeviation, "Std.\nDeviation"},
    {"ZuzMsg_FunctionBollinger", &ZuzMsg_FunctionBollinger, "Bollinger\nBands"},
    {"ZuzMsg_FunctionRMS", &ZuzMsg_FunctionRMS, "Root Mean\nSquare"},
    {"ZuzMsg_FunctionMACD", &ZuzMsg_FunctionMACD, "MACD"},
    {"ZuzMsg_FunctionStochastic", &ZuzMsg_FunctionStochastic, "Stochastic"},
    {"ZuzMsg_FunctionADX", &ZuzMsg_FunctionADX, "ADX"},
    {"ZuzMsg_FunctionCount", &ZuzMsg_FunctionCount, "Count"},
    {"ZuzMsg_FunctionCross", &ZuzMsg_FunctionCross, "Cross Points"},
    {"ZuzMsg_FunctionCompress", &ZuzMsg_FunctionCompress, "Compression"},
    {"ZuzMsg_FunctionCLV", &ZuzMsg_FunctionCLV, "Close Location\nValue"},
    {"ZuzMsg_FunctionOBV", &ZuzMsg_FunctionOBV, "On Balance\nVolume"},
    {"ZuzMsg_FunctionCCI", &ZuzMsg_FunctionCCI, "Commodity\nChannel Index"},
    {"ZuzMsg_FunctionPVO", &ZuzMsg_FunctionPVO, "Volume\nOscillator"},
    {"ZuzMsg_FunctionPerf", &ZuzMsg_FunctionPerf, "Performance"},
    {"ZuzMsg_FunctionCorrelation", &ZuzMsg_FunctionCorrelation, "Correlation"},
    {"ZuzMsg_FunctionVariance", &ZuzMsg_FunctionVariance, "Variance"},
    {"ZuzMsg_FunctionPerimeter", &ZuzMsg_FunctionPerimeter, "Perimeter"},
    {"ZuzMsg_FunctionDownSampling", &ZuzMsg_FunctionDownSampling, "Down Sampling"},
    {"ZuzMsg_HistogramFunction", &ZuzMsg_HistogramFunction, "Histogram"},
    {"ZuzMsg_FunctionPercentage", &ZuzMsg_FunctionPercentage, "Percent\nChange"},
    {"ZuzMsg_FunctionSlope", &ZuzMsg_FunctionSlope, "Slope"},
    {"ZuzMsg_FunctionMoneyFlow", &ZuzMsg_FunctionMoneyFlow, "Money Flow"},
    {"ZuzMsg_FunctionSkewness", &ZuzMsg_FunctionSkewness, "Skewness"},
    {"ZuzMsg_FunctionKurtosis", &ZuzMsg_FunctionKurtosis, "Kurtosis"},
    {"ZuzMsg_FunctionATR", &ZuzMsg_FunctionATR, "Average True Range"},
    {"ZuzMsg_FunctionRVI", &ZuzMsg_FunctionRVI, "Relative Volatility Index"},
    {"ZuzMsg_FunctionAO", &ZuzMsg_FunctionAO, "Awesome\nOscillator"},
    {"ZuzMsg_FunctionAC", &ZuzMsg_FunctionAC, "Acceleration\nOscillator"},
    {"ZuzMsg_FunctionSMMA", &ZuzMsg_FunctionSMMA, "Smoothed\nMoving Average"},
    {"ZuzMsg_FunctionAlligator", &ZuzMsg_FunctionAlligator, "Alligator"},
    {"ZuzMsg_FunctionGator", &ZuzMsg_FunctionGator, "Gator\nOscillator"},
    {"ZuzMsg_CandleBar", &ZuzMsg_CandleBar, "Candle Bar"},
    {"ZuzMsg_CandleNoOpen", &ZuzMsg_CandleNoOpen, "No Open"},
    {"ZuzMsg_CandleNoClose", &ZuzMsg_CandleNoClose, "No Close"},
    {"ZuzMsg_NoHigh", &ZuzMsg_NoHigh, "No High"},
    {"ZuzMsg_NoLow", &ZuzMsg_NoLow, "No Low"},
    {"ZuzMsg_SmithResistance", &ZuzMsg_SmithResistance, "Resistance"},
    {"ZuzMsg_SmithReactance", &ZuzMsg_SmithReactance, "Reactance"},
    {"ZuzMsg_FunnelSegment", &ZuzMsg_FunnelSegment, "Segment "},
    {"ZuzMsg_FunnelExceed", &ZuzMsg_FunnelExceed, "Exceeds quota"},
    {"ZuzMsg_ChangeToolName", &ZuzMsg_ChangeToolName, "Change Tool name"},
    {"ZuzMsg_NewToolName", &ZuzMsg_NewToolName, "New Tool name:"},
    {"ZuzMsg_CursorTool", &ZuzMsg_CursorTool, "Cursor"},
    {"ZuzMsg_DragMarksTool", &ZuzMsg_DragMarksTool, "Drag Marks"},
    {"ZuzMsg_AxisArrowTool", &ZuzMsg_AxisArrowTool, "Axis Arrows"},
    {"ZuzMsg_DrawLineTool", &ZuzMsg_DrawLineTool, "Draw Line"},
    {"ZuzMsg_NearestTool", &ZuzMsg_NearestTool, "Nearest Point"},
    {"ZuzMsg_ColorBandTool", &ZuzMsg_ColorBandTool, "Color Band"},
    {"ZuzMsg_ColorLineTool", &ZuzMsg_ColorLineTool, "Color Line"},
    {"ZuzMsg_RotateTool", &ZuzMsg_RotateTool, "Rotate"},
    {"ZuzMsg_ImageTool", &ZuzMsg_ImageTool, "Image"},
    {"ZuzMsg_MarksTipTool", &ZuzMsg_MarksTipTool, "Mark Tips"},
    {"ZuzMsg_AnnotationTool", &ZuzMsg_AnnotationTool, "Annotation"},
    {"ZuzMsg_PageNumber", &ZuzMsg_PageNumber, "Page Number"},
    {"ZuzMsg_DragPoint", &ZuzMsg_DragPoint, "Drag Point"},
    {"ZuzMsg_GridTranspose", &ZuzMsg_GridTranspose, "Grid 3D Transpose"},
    {"ZuzMsg_ExtraLegendTool", &ZuzMsg_ExtraLegendTool, "Extra Legend"},
    {"ZuzMsg_GanttTool", &ZuzMsg_GanttTool, "Gantt Drag"},
    {"ZuzMsg_GridBandTool", &ZuzMsg_GridBandTool, "Grid Band"},
    {"ZuzMsg_PieTool", &ZuzMsg_PieTool, "Pie Slices"},
    {"ZuzMsg_LightTool", &ZuzMsg_LightTool, "Light"},
    {"ZuzMsg_SurfaceNearestTool", &ZuzMsg_SurfaceNearestTool, "Surface Nearest"},
    {"ZuzMsg_AxisScrollTool", &ZuzMsg_AxisScrollTool, "Axis Scroll"},
    {"ZuzMsg_RectangleTool", &ZuzMsg_RectangleTool, "Rectangle"},
    {"ZuzMsg_ClipSeries", &ZuzMsg_ClipSeries, "Clip Series"},
    {"ZuzMsg_SeriesBandTool", &ZuzMsg_SeriesBandTool, "Series Band"},
    {"ZuzMsg_SelectorTool", &ZuzMsg_SelectorTool, "Selector"},
    {"ZuzMsg_LegendScrollBar", &ZuzMsg_LegendScrollBar, "Legend Scroll Bar"},
    {"ZuzMsg_DataTableTool", &ZuzMsg_DataTableTool, "Data Table"},
    {"ZuzMsg_VideoTool", &ZuzMsg_VideoTool, "Video"},
    {"ZuzMsg_VideoToolDesc", &ZuzMsg_VideoToolDesc, "Saves the chart animation to a video file."},
    {"ZuzMsg_VideoPlayerTool", &ZuzMsg_VideoPlayerTool, "Video Player"},
    {"ZuzMsg_VideoPlayerToolDesc", &ZuzMsg_VideoPlayerToolDesc, "Plays a video file on the chart."},
    {"ZuzMsg_CursorToolDesc", &ZuzMsg_CursorToolDesc, "Displays draggable cursor lines on top of the series."},
    {"ZuzMsg_DragMarksDesc", &ZuzMsg_DragMarksDesc, "Moves series marks when dragging them with the mouse."},
    {"ZuzMsg_DragPointDesc", &ZuzMsg_DragPointDesc, "Moves a series point when dragging it with the mouse."},
    {"ZuzMsg_DrawLineDesc", &ZuzMsg_DrawLineDesc, "Draws lines with the mouse on the chart."},
    {"ZuzMsg_ExtraLegendDesc", &ZuzMsg_ExtraLegendDesc, "Displays a second legend for a chosen series."},
    {"ZuzMsg_GanttToolDesc", &ZuzMsg_GanttToolDesc, "Moves and resizes Gantt bars when dragging them with the mouse."},
    {"ZuzMsg_MarksTipDesc", &ZuzMsg_MarksTipDesc,
     "Shows the mark text of a point as a hint when the mouse is over it."},
    {"ZuzMsg_NearestToolDesc", &ZuzMsg_NearestToolDesc, "Shows the point of a series that is nearest to the mouse."},
    {"ZuzMsg_PieToolDesc", &ZuzMsg_PieToolDesc, "Outlines or explodes the pie slice under the mouse."},
    {"ZuzMsg_AxisArrowDesc", &ZuzMsg_AxisArrowDesc, "Displays clickable arrows at the ends of an axis to scroll it."},
    {"ZuzMsg_ColorBandDesc", &ZuzMsg_ColorBandDesc, "Fills the area between two axis values with a colour."},
    {"ZuzMsg_ColorLineDesc", &ZuzMsg_ColorLineDesc, "Draws a draggable line at an axis value."},
    {"ZuzMsg_GridBandDesc", &ZuzMsg_GridBandDesc, "Fills the space between axis grid lines with alternating colours."},
    {"ZuzMsg_GridTransposeDesc", &ZuzMsg_GridTransposeDesc, "Exchanges the X and Z coordinates of a 3D grid series."},
    {"ZuzMsg_AnnotationDesc", &ZuzMsg_AnnotationDesc, "Displays a text box anywhere on the chart."},
    {"ZuzMsg_RectangleToolDesc", &ZuzMsg_RectangleToolDesc,
     "Displays a rectangle that can be moved and resized with the mouse."},
    {"ZuzMsg_RotateDesc", &ZuzMsg_RotateDesc, "Rotates the 3D chart when dragging with the mouse."},
    {"ZuzMsg_ImageToolDesc", &ZuzMsg_ImageToolDesc, "Displays a picture inside the chart rectangle."},
    {"ZuzMsg_LightToolDesc", &ZuzMsg_LightToolDesc, "Shades the chart as if lit by a light source."},
    {"ZuzMsg_SurfaceNearestDesc", &ZuzMsg_SurfaceNearestDesc,
     "Shows the cell of a surface series that is nearest to the mouse."},
    {"ZuzMsg_AxisScrollDesc", &ZuzMsg_AxisScrollDesc, "Scrolls an axis when dragging it with the mouse."},
    {"ZuzMsg_LegendScrollBarDesc", &ZuzMsg_LegendScrollBarDesc, "Displays a scroll bar beside the legend."},
    {"ZuzMsg_ClipSeriesDesc", &ZuzMsg_ClipSeriesDesc, "Clips the drawing of a series to its axes."},
    {"ZuzMsg_SelectorDesc", &ZuzMsg_SelectorDesc, "Selects and drags chart parts with the mouse."},
    {"ZuzMsg_StatsToolDesc", &ZuzMsg_StatsToolDesc, "Displays statistics of a series."},
    {"ZuzMsg_PageNumberDesc", &ZuzMsg_PageNumberDesc, "Displays the current page number of a paged chart."},
    {"ZuzMsg_TransposeSeries", &ZuzMsg_TransposeSeries, "Transpose Series"},
    {"ZuzMsg_TransposeSeriesDesc", &ZuzMsg_TransposeSeriesDesc, "Exchanges the points and the series of the chart."},
    {"ZuzMsg_GridTranspDesc", &ZuzMsg_GridTranspDesc, "Transposes the grid of a 3D grid series."},
    {"ZuzMsg_LegendScrollDesc", &ZuzMsg_LegendScrollDesc, "Scrolls the legend items."},
    {"ZuzMsg_DataTableDesc", &ZuzMsg_DataTableDesc, "Displays the series values as a table below the chart."},
    {"ZuzMsg_SeriesBandDesc", &ZuzMsg_SeriesBandDesc, "Fills the area between two series with a colour."},
    {"ZuzMsg_FullScreen", &ZuzMsg_FullScreen, "Full Screen"},
    {"ZuzMsg_FullScreenDesc", &ZuzMsg_FullScreenDesc, "Shows the chart on the whole screen."},
    {"ZuzMsg_MagnifyTool", &ZuzMsg_MagnifyTool, "Magnify"},
    {"ZuzMsg_MagnifyToolDesc", &ZuzMsg_MagnifyToolDesc, "Shows a magnified part of the chart."},
    {"ZuzMsg_Fader", &ZuzMsg_Fader, "Fader"},
    {"ZuzMsg_FaderDesc", &ZuzMsg_FaderDesc, "Fades the chart in or out."},
    {"ZuzMsg_SubChartTool", &ZuzMsg_SubChartTool, "Sub Chart"},
    {"ZuzMsg_SubChartDesc", &ZuzMsg_SubChartDesc, "Displays charts inside the chart."},
    {"ZuzMsg_AntiAliasDesc", &ZuzMsg_AntiAliasDesc, "Draws the chart with anti-aliased lines and text."},
    {"ZuzMsg_SeriesRegion", &ZuzMsg_SeriesRegion, "Series Region"},
    {"ZuzMsg_SeriesRegionDesc", &ZuzMsg_SeriesRegionDesc, "Fills the area below a series between two values."},
    {"ZuzMsg_Text3D", &ZuzMsg_Text3D, "3D Text"},
    {"ZuzMsg_Text3DDesc", &ZuzMsg_Text3DDesc, "Displays a text in 3D space."},
    {"ZuzMsg_BannerTool", &ZuzMsg_BannerTool, "Banner"},
    {"ZuzMsg_BannerToolDesc", &ZuzMsg_BannerToolDesc, "Displays a scrolling or blinking text."},
    {"ZuzMsg_FrameTool", &ZuzMsg_FrameTool, "Frame"},
    {"ZuzMsg_FrameToolDesc", &ZuzMsg_FrameToolDesc, "Draws a picture frame around the chart."},
    {"ZuzMsg_LegendPalette", &ZuzMsg_LegendPalette, "Legend Palette"},
    {"ZuzMsg_LegendPaletteDesc", &ZuzMsg_LegendPaletteDesc, "Displays the colour palette of a series as a legend."},
    {"ZuzMsg_Statistics", &ZuzMsg_Statistics, "Statistics"},
    {"ZuzMsg_ZuzScrollBar", &ZuzMsg_ZuzScrollBar, "Scroll Bar"},
    {"ZuzMsg_LinkTool", &ZuzMsg_LinkTool, "Link"},
    {"ZuzMsg_LinkToolDesc", &ZuzMsg_LinkToolDesc, "Opens a link when clicking a chart part."},
    {"ZuzMsg_Fibonacci", &ZuzMsg_Fibonacci, "Fibonacci"},
    {"ZuzMsg_FibonacciDesc", &ZuzMsg_FibonacciDesc, "Draws Fibonacci arcs or fans."},
    {"ZuzMsg_ToolArrow", &ZuzMsg_ToolArrow, "Arrow"},
    {"ZuzMsg_ToolArrowDesc", &ZuzMsg_ToolArrowDesc, "Draws an arrow on the chart."},
    {"ZuzMsg_CustomLegendTool", &ZuzMsg_CustomLegendTool, "Custom Legend"},
    {"ZuzMsg_CustomLegendToolDesc", &ZuzMsg_CustomLegendToolDesc, "Displays a legend laid out as a grid of texts."},
    {"ZuzMsg_AxisBreaksTool", &ZuzMsg_AxisBreaksTool, "Axis Breaks"},
    {"ZuzMsg_AxisBreaksToolDesc", &ZuzMsg_AxisBreaksToolDesc, "Leaves ranges of values out of an axis."},
    {"ZuzMsg_ScrollPagerTool", &ZuzMsg_ScrollPagerTool, "Scroll Pager"},
    {"ZuzMsg_ScrollPagerDesc", &ZuzMsg_ScrollPagerDesc, "Shows an overview chart to scroll the main chart."},
    {"ZuzMsg_ClusteringTool", &ZuzMsg_ClusteringTool, "Clustering"},
    {"ZuzMsg_ClusteringDesc", &ZuzMsg_ClusteringDesc, "Groups the points of a series in clusters."},
    {"ZuzMsg_RepaintMonitor", &ZuzMsg_RepaintMonitor, "Repaint Monitor"},
    {"ZuzMsg_RepaintMonitorDesc", &ZuzMsg_RepaintMonitorDesc, "Shows how long each repaint takes."},
    {"ZuzMsg_ChartImageDesc", &ZuzMsg_ChartImageDesc, "Displays a picture of another chart."},
    {"ZuzMsg_AxisScrollBarTool", &ZuzMsg_AxisScrollBarTool, "Axis Scroll Bar"},
    {"ZuzMsg_AxisScrollBarDesc", &ZuzMsg_AxisScrollBarDesc, "Displays a scroll bar beside an axis."},
    {"ZuzMsg_ChangeAnimationName", &ZuzMsg_ChangeAnimationName, "Change Animation name"},
    {"ZuzMsg_NewAnimationName", &ZuzMsg_NewAnimationName, "New Animation name:"},
    {"ZuzMsg_ExpandAnimation", &ZuzMsg_ExpandAnimation, "Expand"},
    {"ZuzMsg_ExpandAnimationDesc", &ZuzMsg_ExpandAnimationDesc, "Grows a chart part from nothing to its size."},
    {"ZuzMsg_Animate", &ZuzMsg_Animate, "Animate"},
    {"ZuzMsg_Stop", &ZuzMsg_Stop, "Stop"},
    {"ZuzMsg_Animation", &ZuzMsg_Animation, "Animation"},
    {"ZuzMsg_LineAnimation", &ZuzMsg_LineAnimation, "Line Animation"},
    {"ZuzMsg_SeriesTransition", &ZuzMsg_SeriesTransition, "Series Transition"},
    {"ZuzMsg_SeriesAnimTool", &ZuzMsg_SeriesAnimTool, "Series Animation"},
    {"ZuzMsg_SeriesAnimationDesc", &ZuzMsg_SeriesAnimationDesc, "Animates the points of a series from their origin."},
    {"ZuzMsg_Play", &ZuzMsg_Play, "Play"},
    {"ZuzMsg_TemplateStackedBars", &ZuzMsg_TemplateStackedBars, "Stacked Bars"},
    {"ZuzMsg_TemplateLineandPoint", &ZuzMsg_TemplateLineandPoint, "Line and Point"},
    {"ZuzMsg_TemplateConcentricDonuts", &ZuzMsg_TemplateConcentricDonuts, "Concentric Donuts"},
    {"ZuzMsg_TemplateFinancialStocks", &ZuzMsg_TemplateFinancialStocks, "Financial Stocks"},
    {"ZuzMsg_TemplateXYZData", &ZuzMsg_TemplateXYZData, "XYZ Data"},
    {"ZuzMsg_AsBMP", &ZuzMsg_AsBMP, "as &Bitmap"},
    {"ZuzMsg_BMPFilter", &ZuzMsg_BMPFilter, "Bitmaps (*.bmp)|*.bmp"},
    {"ZuzMsg_AsEMF", &ZuzMsg_AsEMF, "as &Metafile"},
    {"ZuzMsg_EMFFilter", &ZuzMsg_EMFFilter, "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf"},
    {"ZuzMsg_AsJPEG", &ZuzMsg_AsJPEG, "as &JPEG"},
    {"ZuzMsg_JPEGFilter", &ZuzMsg_JPEGFilter, "JPEG files (*.jpg)|*.jpg"},
    {"ZuzMsg_AsGIF", &ZuzMsg_AsGIF, "as &GIF"},
    {"ZuzMsg_GIFFilter", &ZuzMsg_GIFFilter, "GIF files (*.gif)|*.gif"},
    {"ZuzMsg_AsPNG", &ZuzMsg_AsPNG, "as &PNG"},
    {"ZuzMsg_PNGFilter", &ZuzMsg_PNGFilter, "PNG files (*.png)|*.png"},
    {"ZuzMsg_AsPCX", &ZuzMsg_AsPCX, "as PC&X"},
    {"ZuzMsg_PCXFilter", &ZuzMsg_PCXFilter, "PCX files (*.pcx)|*.pcx"},
    {"ZuzMsg_AsVML", &ZuzMsg_AsVML, "as &VML (HTM)"},
    {"ZuzMsg_VMLFilter", &ZuzMsg_VMLFilter, "VML files (*.htm)|*.htm"},
    {"ZuzMsg_TextFile", &ZuzMsg_TextFile, "Text File"},
    {"ZuzMsg_NativeFilter", &ZuzMsg_NativeFilter, "Fathomix Chart files (*.zuz)|*.zuz"},
    {"ZuzMsg_AsPDF", &ZuzMsg_AsPDF, "as &PDF"},
    {"ZuzMsg_PDFFilter", &ZuzMsg_PDFFilter, "PDF files (*.pdf)|*.pdf"},
    {"ZuzMsg_AsPS", &ZuzMsg_AsPS, "as PostScript"},
    {"ZuzMsg_PSFilter", &ZuzMsg_PSFilter, "PostScript files (*.eps)|*.eps"},
    {"ZuzMsg_TextFilter1", &ZuzMsg_TextFilter1, "Text files (*.txt)|*.txt"},
    {"ZuzMsg_TextFilter2", &ZuzMsg_TextFilter2, "CSV files (*.csv)|*.csv"},
    {"ZuzMsg_TextFilter3", &ZuzMsg_TextFilter3, "Tab-separated files (*.tsv)|*.tsv"},
    {"ZuzMsg_TextFilter4", &ZuzMsg_TextFilter4, "Data files (*.dat)|*.dat"},
    {"ZuzMsg_TextFilter5", &ZuzMsg_TextFilter5, "All files (*.*)|*.*"},
    {"ZuzMsg_XMLFilter", &ZuzMsg_XMLFilter, "XML files (*.xml)|*.xml"},
    {"ZuzMsg_HTMLFilter", &ZuzMsg_HTMLFilter, "HTML files (*.htm)|*.htm"},
    {"ZuzMsg_ExcelFilter", &ZuzMsg_ExcelFilter, "Excel files (*.xls)|*.xls"},
    {"ZuzMsg_AsSVG", &ZuzMsg_AsSVG, "as &SVG"},
    {"ZuzMsg_SVGFilter", &ZuzMsg_SVGFilter, "SVG files (*.svg)|*.svg"},
    {"ZuzMsg_AsFlex", &ZuzMsg_AsFlex, "as &Flex"},
    {"ZuzMsg_FlexFilter", &ZuzMsg_FlexFilter, "Flex files (*.swf)|*.swf"},
    {"ZuzMsg_AsXAML", &ZuzMsg_AsXAML, "as &XAML"},
    {"ZuzMsg_XAMLFilter", &ZuzMsg_XAMLFilter, "XAML files (*.xaml)|*.xaml"},
    {"ZuzMsg_SelectTmpFolder", &ZuzMsg_SelectTmpFolder, "Select a temporary folder"},
    {"ZuzMsg_PathAdobeFlexCompiler", &ZuzMsg_PathAdobeFlexCompiler, "Path of the Flex compiler"},
    {"ZuzMsg_AsJScript", &ZuzMsg_AsJScript, "as &JavaScript"},
    {"ZuzMsg_JScriptFilter", &ZuzMsg_JScriptFilter, "JavaScript files (*.htm)|*.htm"},
    {"ZuzMsg_HTML5Canvas", &ZuzMsg_HTML5Canvas, "HTML5 Canvas"},
    {"ZuzMsg_HTML5CanvasFilter", &ZuzMsg_HTML5CanvasFilter, "HTML5 files (*.htm)|*.htm"},
    {"ZuzMsg_JSONFilter", &ZuzMsg_JSONFilter, "JSON files (*.json)|*.json"},
    {"ZuzMsg_ODSFilter", &ZuzMsg_ODSFilter, "OpenDocument spreadsheets (*.ods)|*.ods"},
    {"ZuzMsg_ZuzFiles", &ZuzMsg_ZuzFiles, "Fathomix Chart files"},
    {"ZuzMsg_AsWapBitmap", &ZuzMsg_AsWapBitmap, "as &WAP Bitmap"},
    {"ZuzMsg_WapBMPFilter", &ZuzMsg_WapBMPFilter, "WAP Bitmaps (*.wbmp)|*.wbmp"},
    {"ZuzMsg_AVIFile", &ZuzMsg_AVIFile, "AVI Files"},
    {"ZuzMsg_SelectAVIFile", &ZuzMsg_SelectAVIFile, "Select the AVI file"},
    {"ZuzMsg_MPEGFile", &ZuzMsg_MPEGFile, "MPEG Files"},
    {"ZuzMsg_RefreshInterval", &ZuzMsg_RefreshInterval, "Refresh Interval must be between 0 and 60"},
    {"ZuzMsg_RefreshData", &ZuzMsg_RefreshData, "Refresh &Data"},
    {"ZuzMsg_DataSet", &ZuzMsg_DataSet, "Dataset"},
    {"ZuzMsg_AskDataSet", &ZuzMsg_AskDataSet, "&Dataset:"},
    {"ZuzMsg_SingleRecord", &ZuzMsg_SingleRecord, "Single Record"},
    {"ZuzMsg_AskDataSource", &ZuzMsg_AskDataSource, "&DataSource:"},
    {"ZuzMsg_Summary", &ZuzMsg_Summary, "Summary"},
    {"ZuzMsg_FieldNotFound", &ZuzMsg_FieldNotFound, "Field %s does not exist"},
    {"ZuzMsg_BDEAlias", &ZuzMsg_BDEAlias, "&Alias:"},
    {"ZuzMsg_ADOConnection", &ZuzMsg_ADOConnection, "&Connection:"},
    {"ZuzMsg_CrossTab", &ZuzMsg_CrossTab, "Cross Tab"},
    {"ZuzMsg_SelectTextFile", &ZuzMsg_SelectTextFile, "Select a text file"},
    {"ZuzMsg_SaveTextFile", &ZuzMsg_SaveTextFile, "Save as text file"},
    {"ZuzMsg_ExcelEmptyFile", &ZuzMsg_ExcelEmptyFile, "Excel file name is empty"},
    {"ZuzMsg_ExcelFile", &ZuzMsg_ExcelFile, "Excel file"},
    {"ZuzMsg_ExcelSheetEmpty", &ZuzMsg_ExcelSheetEmpty, "Excel sheet name is empty"},
    {"ZuzMsg_ExcelRangeMissing", &ZuzMsg_ExcelRangeMissing, "Excel range is missing"},
    {"ZuzMsg_XMLFile", &ZuzMsg_XMLFile, "XML file"},
    {"ZuzMsg_Import", &ZuzMsg_Import, "Import"},
    {"ZuzCommanMsg_Normal", &ZuzCommanMsg_Normal, "Normal"},
    {"ZuzCommanMsg_Edit", &ZuzCommanMsg_Edit, "Edit"},
    {"ZuzCommanMsg_Print", &ZuzCommanMsg_Print, "Print"},
    {"ZuzCommanMsg_Copy", &ZuzCommanMsg_Copy, "Copy"},
    {"ZuzCommanMsg_Save", &ZuzCommanMsg_Save, "Save"},
    {"ZuzCommanMsg_3D", &ZuzCommanMsg_3D, "3D"},
    {"ZuzCommanMsg_Rotating", &ZuzCommanMsg_Rotating, "Rotation: %d° Elevation: %d°"},
    {"ZuzCommanMsg_Rotate", &ZuzCommanMsg_Rotate, "Rotate"},
    {"ZuzCommanMsg_Moving", &ZuzCommanMsg_Moving, "Horiz. Offset: %d Vert. Offset: %d"},
    {"ZuzCommanMsg_Move", &ZuzCommanMsg_Move, "Move"},
    {"ZuzCommanMsg_Zooming", &ZuzCommanMsg_Zooming, "Zoom: %d %%"},
    {"ZuzCommanMsg_Zoom", &ZuzCommanMsg_Zoom, "Zoom"},
    {"ZuzCommanMsg_Depthing", &ZuzCommanMsg_Depthing, "3D: %d %%"},
    {"ZuzCommanMsg_Depth", &ZuzCommanMsg_Depth, "Depth"},
    {"ZuzCommanMsg_Chart", &ZuzCommanMsg_Chart, "Chart"},
    {"ZuzCommanMsg_Panel", &ZuzCommanMsg_Panel, "Panel"},
    {"ZuzCommanMsg_RotateLabel", &ZuzCommanMsg_RotateLabel, "Drag %s to Rotate"},
    {"ZuzCommanMsg_MoveLabel", &ZuzCommanMsg_MoveLabel, "Drag %s to Move"},
    {"ZuzCommanMsg_ZoomLabel", &ZuzCommanMsg_ZoomLabel, "Drag %s to Zoom"},
    {"ZuzCommanMsg_DepthLabel", &ZuzCommanMsg_DepthLabel, "Drag %s to resize 3D"},
    {"ZuzCommanMsg_NormalLabel", &ZuzCommanMsg_NormalLabel, "Drag Left button to Zoom, Right button to Scroll"},
    {"ZuzCommanMsg_NormalPieLabel", &ZuzCommanMsg_NormalPieLabel, "Drag a Pie Slice to Explode it"},
    {"ZuzCommanMsg_PieExploding", &ZuzCommanMsg_PieExploding, "Slice: %d Exploded: %d %%"},
    {"ZuzMsg_CategoryChartActions", &ZuzMsg_CategoryChartActions, "Chart"},
    {"ZuzMsg_CategorySeriesActions", &ZuzMsg_CategorySeriesActions, "Chart Series"},
    {"ZuzMsg_Action3D", &ZuzMsg_Action3D, "&3D"},
    {"ZuzMsg_Action3DHint", &ZuzMsg_Action3DHint, "Switch 2D / 3D"},
    {"ZuzMsg_ActionSeriesActive", &ZuzMsg_ActionSeriesActive, "&Active"},
    {"ZuzMsg_ActionSeriesActiveHint", &ZuzMsg_ActionSeriesActiveHint, "Show / Hide Series"},
    {"ZuzMsg_ActionEditHint", &ZuzMsg_ActionEditHint, "Edit Chart"},
    {"ZuzMsg_ActionEdit", &ZuzMsg_ActionEdit, "&Edit..."},
    {"ZuzMsg_ActionCopyHint", &ZuzMsg_ActionCopyHint, "Copy to Clipboard"},
    {"ZuzMsg_ActionCopy", &ZuzMsg_ActionCopy, "&Copy"},
    {"ZuzMsg_ActionPrintHint", &ZuzMsg_ActionPrintHint, "Print preview Chart"},
    {"ZuzMsg_ActionPrint", &ZuzMsg_ActionPrint, "&Print..."},
    {"ZuzMsg_ActionAxesHint", &ZuzMsg_ActionAxesHint, "Show / Hide Axes"},
    {"ZuzMsg_ActionAxes", &ZuzMsg_ActionAxes, "&Axes"},
    {"ZuzMsg_ActionGridsHint", &ZuzMsg_ActionGridsHint, "Show / Hide Grids"},
    {"ZuzMsg_ActionGrids", &ZuzMsg_ActionGrids, "&Grids"},
    {"ZuzMsg_ActionLegendHint", &ZuzMsg_ActionLegendHint, "Show / Hide Legend"},
    {"ZuzMsg_ActionLegend", &ZuzMsg_ActionLegend, "&Legend"},
    {"ZuzMsg_ActionSeriesEditHint", &ZuzMsg_ActionSeriesEditHint, "Edit Series"},
    {"ZuzMsg_ActionSeriesMarksHint", &ZuzMsg_ActionSeriesMarksHint, "Show / Hide Series Marks"},
    {"ZuzMsg_ActionSeriesMarks", &ZuzMsg_ActionSeriesMarks, "&Marks"},
    {"ZuzMsg_ActionSaveHint", &ZuzMsg_ActionSaveHint, "Save Chart"},
    {"ZuzMsg_ActionSave", &ZuzMsg_ActionSave, "&Save..."},
    {"ZuzMsg_DBSumEditCaption", &ZuzProCo::ZuzMsg_DBSumEditCaption, "Summary properties"},
};
} // namespace

void ZuzSetProConstants()
{
  ZuzFillMessages(ProTexts);
  ZuzMsg_AntiAlias = QStringLiteral("Anti-Alias");
}

void ZuzClearProConstants()
{
  for (const TZuzMessage& M : ProTexts)
    M.Variable->clear();
}

std::span<const TZuzMessage> ZuzProConstMessages() { return ProTexts; }
