#include "chart/core/ZuzConst.h"

#include <QString>

String NewLine;
String ZuzMsg_ZuzExtension = QStringLiteral("zuz");
String ZuzMsg_Copyright;
String ZuzMsg_Test;
String ZuzMsg_LegendFirstValue;
String ZuzMsg_LegendColorWidth;
String ZuzMsg_SeriesSetDataSource;
String ZuzMsg_SeriesInvDataSource;
String ZuzMsg_AxisLogDateTime;
String ZuzMsg_AxisLogNotPositive;
String ZuzMsg_AxisLabelSep;
String ZuzMsg_AxisIncrementNeg;
String ZuzMsg_AxisMinMax;
String ZuzMsg_AxisMaxMin;
String ZuzMsg_AxisLogBase;
String ZuzMsg_MaxPointsPerPage;
String ZuzMsg_CircularSeries;
String ZuzMsg_SeriesParentNoSelf;
String ZuzMsg_InvalidEditorClass;
String ZuzMsg_MissingEditorClass;
String ZuzMsg_IncorrectMaxMinValue;
String ZuzMsg_CheckPointerSize;
String ZuzMsg_FunctionPeriod;
String ZuzMsg_InvalidZuzFile;
String ZuzMsg_WrongZuzFileFormat;
String ZuzMsg_EmptyZuzFile;
String ZuzMsg_ExportPanelNotSet;
String ZuzMsg_CanNotFindTempPath;
String ZuzMsg_CanNotCreateTempChart;
String ZuzMsg_CanNotEmailChart;
String ZuzMsg_SeriesDelete;
String ZuzMsg_NoSeriesSelected;
String ZuzMsg_CannotLoadChartFromURL;
String ZuzMsg_CannotLoadSeriesDataFromURL;
String ZuzMsg_DPIIdentifier;
String ZuzMsg_JScriptNonSupportMsg;
String ZuzMsg_PolyDegreeRange;
String ZuzMsg_AnswerVectorIndex;
String ZuzMsg_FittingError;
String ZuzMsg_ExpAverageWeight;
String ZuzMsg_CannotFindEditor;
String ZuzMsg_LowBezierPoints;
String ZuzMsg_TriSurfaceLess;
String ZuzMsg_TriSurfaceAllColinear;
String ZuzMsg_TriSurfaceSimilar;
String ZuzMsg_CantDeleteAncestor;
String ZuzMsg_SeriesTextFieldZero;
String ZuzMsg_DefaultPercentOf;
String ZuzMsg_DefaultPercentOf2;
String ZuzMsg_DefPercentFormat;
String ZuzMsg_DefValueFormat;
String ZuzMsg_DefLogValueFormat;
String ZuzMsg_PageOfPages;
String ZuzMsg_FileSize;
String ZuzMsg_RGB;
String ZuzMsg_HLS;
String ZuzMsg_FunnelPercent;
String ZuzMsg_GalleryLogoFont;
String ZuzMsg_DefaultEditorSize;
String ZuzMsg_DefaultEditorHeight;
String ZuzPolarDegreeSymbol;
String ZuzMsg_AxisTitle;
String ZuzMsg_AxisLabels;
String ZuzMsg_DateTime;
String ZuzMsg_TopAxis;
String ZuzMsg_BottomAxis;
String ZuzMsg_LeftAxis;
String ZuzMsg_RightAxis;
String ZuzMsg_Default;
String ZuzMsg_Maximum;
String ZuzMsg_Minimum;
String ZuzMsg_None;
String ZuzMsg_DepthAxis;
String ZuzMsg_PieOther;
String ZuzMsg_Legend;
String ZuzMsg_Title;
String ZuzMsg_Foot;
String ZuzMsg_Series;
String ZuzMsg_All;
String ZuzMsg_Index;
String ZuzMsg_Text;
String ZuzMsg_Property;
String ZuzMsg_Value;
String ZuzMsg_Yes;
String ZuzMsg_No;
String ZuzMsg_Image;
String ZuzMsg_DepthTopAxis;
String ZuzMsg_SubTitle;
String ZuzMsg_SubFoot;
String ZuzMsg_LegendTitle;
String ZuzMsg_Item;
String ZuzMsg_Data;
String ZuzMsg_ValuesX;
String ZuzMsg_ValuesY;
String ZuzMsg_ValuesPie;
String ZuzMsg_ValuesBar;
String ZuzMsg_ValuesAngle;
String ZuzMsg_ValuesGanttStart;
String ZuzMsg_ValuesGanttEnd;
String ZuzMsg_ValuesGanttNextTask;
String ZuzMsg_ValuesBubbleRadius;
String ZuzMsg_ValuesArrowEndX;
String ZuzMsg_ValuesArrowEndY;
String ZuzMsg_ValuesWeighting;
String ZuzMsg_TernaryMarkRadius;
String ZuzMsg_TernaryMarkWeight;
String ZuzMsg_EquiVolumeVolValues;
String ZuzMsg_ValuesDate;
String ZuzMsg_ValuesOpen;
String ZuzMsg_ValuesHigh;
String ZuzMsg_ValuesLow;
String ZuzMsg_ValuesClose;
String ZuzMsg_ValuesOffset;
String ZuzMsg_ValuesStdError;
String ZuzMsg_OpportunityValues;
String ZuzMsg_QuoteValues;
String ZuzMsg_ValuesVectorEndZ;
String ZuzMsg_EquiVolPoint;
String ZuzMsg_GalleryStandard;
String ZuzMsg_GalleryExtended;
String ZuzMsg_GalleryFunctions;
String ZuzMsg_GallerySamples;
String ZuzMsg_GalleryStats;
String ZuzMsg_GalleryMath;
String ZuzMsg_GalleryFinancial;
String ZuzMsg_GalleryGauges;
String ZuzMsg_Gallery3D;
String ZuzMsg_GalleryMaps;
String ZuzMsg_GalleryLine;
String ZuzMsg_GalleryPoint;
String ZuzMsg_GalleryArea;
String ZuzMsg_GalleryBar;
String ZuzMsg_GalleryHorizBar;
String ZuzMsg_GalleryPie;
String ZuzMsg_GalleryCircled;
String ZuzMsg_GalleryFastLine;
String ZuzMsg_GalleryHorizLine;
String ZuzMsg_GalleryArrow;
String ZuzMsg_GalleryGantt;
String ZuzMsg_GalleryShape;
String ZuzMsg_GalleryBubble;
String ZuzMsg_GalleryHorizArea;
String ZuzMsg_GalleryDonut;
String ZuzMsg_FunctionAdd;
String ZuzMsg_FunctionSubtract;
String ZuzMsg_FunctionMultiply;
String ZuzMsg_FunctionDivide;
String ZuzMsg_FunctionHigh;
String ZuzMsg_FunctionLow;
String ZuzMsg_FunctionAverage;
String ZuzMsg_FunctionNone;
String ZuzMsg_FunctionCustom;
String ZuzMsg_FunctionMedian;
String ZuzMsg_FunctionMode;
String ZuzMsg_FunctionSubset;
String ZuzMsg_FunctionSmooth;
String ZuzMsg_FunctionPareto;
String ZuzMsg_Stack;
String ZuzMsg_SmallDotsPen;
String ZuzMsg_Normal;
String ZuzMsg_NoBorder;
String ZuzMsg_Dotted;
String ZuzMsg_Colors;
String ZuzMsg_Filled;
String ZuzMsg_Marks;
String ZuzMsg_Stairs;
String ZuzMsg_Points;
String ZuzMsg_Hollow;
String ZuzMsg_Point2D;
String ZuzMsg_Triangle;
String ZuzMsg_Star;
String ZuzMsg_Circle;
String ZuzMsg_DownTri;
String ZuzMsg_Cross;
String ZuzMsg_Diamond;
String ZuzMsg_NoLines;
String ZuzMsg_Stack100;
String ZuzMsg_Pyramid;
String ZuzMsg_Ellipse;
String ZuzMsg_InvPyramid;
String ZuzMsg_Sides;
String ZuzMsg_SideAll;
String ZuzMsg_Patterns;
String ZuzMsg_Exploded;
String ZuzMsg_Shadow;
String ZuzMsg_SemiPie;
String ZuzMsg_Rectangle;
String ZuzMsg_VertLine;
String ZuzMsg_HorizLine;
String ZuzMsg_Line;
String ZuzMsg_Cube;
String ZuzMsg_DiagCross;
String ZuzMsg_Gradient;
String ZuzMsg_SelfStack;
String ZuzMsg_DarkPen;
String ZuzMsg_View2D;
String ZuzMsg_Outline;
String ZuzMsg_Hexagon;
String ZuzMsg_StraightAll;
String ZuzMsg_Concentric;
String ZuzMsg_Grid3D;
String ZuzMsg_ColorRange;
String ZuzMsg_WireFrame;
String ZuzMsg_DotFrame;
String ZuzMsg_Positions;
String ZuzMsg_NoGrid;
String ZuzMsg_NoPoint;
String ZuzMsg_NoLine;
String ZuzMsg_Labels;
String ZuzMsg_NoCircle;
String ZuzMsg_Lines;
String ZuzMsg_Border;
String ZuzMsg_Column;
String ZuzMsg_Separator;
String ZuzMsg_FunnelWithin;
String ZuzMsg_FunnelBelow;
String ZuzMsg_Origin;
String ZuzMsg_Transparency;
String ZuzMsg_Box;
String ZuzMsg_ExtrOut;
String ZuzMsg_MildOut;
String ZuzMsg_Up;
String ZuzMsg_Down;
String ZuzMsg_SingleColor;
String ZuzMsg_Cover;
String ZuzMsg_Cone;
String ZuzMsg_UpToValue;
String ZuzMsg_NoCompression;
String ZuzMsg_Mirrored;
String ZuzMsg_Horizontal;
String ZuzMsg_Vertical;
String ZuzMsg_Flat;
String ZuzMsg_Light;
String ZuzMsg_PieSample1;
String ZuzMsg_PieSample2;
String ZuzMsg_PieSample3;
String ZuzMsg_PieSample4;
String ZuzMsg_PieSample5;
String ZuzMsg_PieSample6;
String ZuzMsg_PieSample7;
String ZuzMsg_PieSample8;
String ZuzMsg_GanttSample1;
String ZuzMsg_GanttSample2;
String ZuzMsg_GanttSample3;
String ZuzMsg_GanttSample4;
String ZuzMsg_GanttSample5;
String ZuzMsg_GanttSample6;
String ZuzMsg_GanttSample7;
String ZuzMsg_GanttSample8;
String ZuzMsg_GanttSample9;
String ZuzMsg_GanttSample10;
String ZuzMsg_ShapeGallery1;
String ZuzMsg_ShapeGallery2;
String ZuzMsg_RandomPoints;
String ZuzMsg_DPI;
String ZuzMsg_ThemeDefault;
String ZuzMsg_ThemeExcel;
String ZuzMsg_ThemeVictorian;
String ZuzMsg_ThemePastels;
String ZuzMsg_ThemeSolid;
String ZuzMsg_ThemeClassic;
String ZuzMsg_ThemeWeb;
String ZuzMsg_ThemeModern;
String ZuzMsg_ThemeRainbow;
String ZuzMsg_ThemeWinXP;
String ZuzMsg_ThemeMacOS;
String ZuzMsg_ThemeWinVista;
String ZuzMsg_ThemeGrayScale;
String ZuzMsg_ThemeOpera;
String ZuzMsg_ThemeWarm;
String ZuzMsg_ThemeCool;
String ZuzMsg_ThemeBlack;
String ZuzMsg_ThemeSpeed;
String ZuzMsg_Metro;
String ZuzMsg_iOSPalette;
String ZuzMsg_AndroidPalette;
String ZuzMsg_RazuvezPalette;
String ZuzMsg_SeawashPalette;
String ZuzMsg_ActivityPalette;
String ZuzMsg_Execute;
String ZuzMsg_Themes;
String ZuzMsg_Current;
String ZuzMsg_ThemeFacts;
String ZuzMsg_ThemeRandom;
String ZuzMsg_Razuvez;
String ZuzMsg_Vivuva;
String ZuzMsg_ThemeFathomix;
String ZuzMsg_DBSumEditCaption;
String tcAdditional;
String tcDControls;
String tcQReport;
String ZuzMsg_ServerError;
String ZuzMsg_ServerCaption;
String ZuzMsg_ExceptionSend;
String ZuzMsg_Editing;
String ZuzMsg_EditChart;
String ZuzMsg_PrintPreview;
String ZuzMsg_ExportChart;
String ZuzMsg_CustomAxes;
String ZuzMsg_ExpFinish;
String ZuzMsg_ExpNext;
String ZuzMsg_ChangeSeriesTitle;
String ZuzMsg_NewSeriesTitle;
String ZuzMsg_SureToDelete;
String ZuzMsg_DateTimeFormat;
String ZuzMsg_ValuesFormat;
String ZuzMsg_DesiredIncrement;
String ZuzMsg_EnterDateTime;
String ZuzMsg_SureToApply;
String ZuzMsg_SelectedSeries;
String ZuzMsg_PrivateDeclarations;
String ZuzMsg_PublicDeclarations;
String ZuzMsg_About;
String ZuzMsg_WizardTab;
String ZuzMsg_ClearImage;
String ZuzMsg_BrowseImage;
String ZuzMsg_WizardSureToClose;
String ZuzMsg_Period;
String ZuzMsg_PeriodRange;
String ZuzMsg_CalcPeriod;
String ZuzMsg_ChartAxesCategoryName;
String ZuzMsg_ChartAxesCategoryDesc;
String ZuzMsg_ChartWallsCategoryName;
String ZuzMsg_ChartWallsCategoryDesc;
String ZuzMsg_ChartTitlesCategoryName;
String ZuzMsg_ChartTitlesCategoryDesc;
String ZuzMsg_Chart3DCategoryName;
String ZuzMsg_Chart3DCategoryDesc;
String ZuzMsg_CustomAxesEditor;
String ZuzMsg_SeriesList;
String ZuzMsg_First;
String ZuzMsg_Prior;
String ZuzMsg_Next;
String ZuzMsg_Last;
String ZuzMsg_Insert;
String ZuzMsg_Delete;
String ZuzMsg_Edit;
String ZuzMsg_Post;
String ZuzMsg_Cancel;
String ZuzMsg_AskLanguage;
String ZuzMsg_WantToSave;
String ZuzMsg_SelectFolder;
String ZuzMsg_Apply;
String ZuzMsg_AddNewGroup;
String ZuzMsg_ChangeGroupName;
String ZuzMsg_GroupName;
String ZuzMsg_Options;
String ZuzMsg_ViewOrthoRight;
String ZuzMsg_ViewOrthoLeft;
String ZuzMsg_View3DFront;
String ZuzMsg_View3DRight;
String ZuzMsg_View3DLeft;
String ZuzMsg_MenuFilters;
String ZuzMsg_NewChart;
String ZuzMsg_RenameChart;
String ZuzMsg_ChartName;
String ZuzMsg_RecordVideo;
String ZuzMsg_Change;
String ZuzMsg_Search;
String ZuzMsg_LoadChart;
String ZuzMsg_SaveChart;
String ZuzMsg_AllSeries;
String ZuzMsg_Load;
String ZuzMsg_MenuNew;
String ZuzMsg_MenuDelete;
String ZuzMsg_MenuRename;
String ZuzMsg_MenuEdit;
String ZuzMsg_MenuViewToolbar;
String ZuzMsg_RenamePage;
String ZuzMsg_NewName;
String ZuzMsg_WizardCaption;

namespace {
const TZuzMessage ConstTexts[] = {
    {"ZuzMsg_Copyright", &ZuzMsg_Copyright, "Fathomix Chart, part of the Fathomix data logger"},
    {"ZuzMsg_Test", &ZuzMsg_Test, "Test..."},
    {"ZuzMsg_LegendFirstValue", &ZuzMsg_LegendFirstValue, "First Legend Value must be > 0"},
    {"ZuzMsg_LegendColorWidth", &ZuzMsg_LegendColorWidth, "Legend Color Width must be > 0%"},
    {"ZuzMsg_SeriesSetDataSource", &ZuzMsg_SeriesSetDataSource, "No ParentChart to validate DataSource"},
    {"ZuzMsg_SeriesInvDataSource", &ZuzMsg_SeriesInvDataSource, "No valid DataSource: %s"},
    {"ZuzMsg_AxisLogDateTime", &ZuzMsg_AxisLogDateTime, "DateTime Axis cannot be Logarithmic"},
    {"ZuzMsg_AxisLogNotPositive", &ZuzMsg_AxisLogNotPositive, "Logarithmic Axis Min and Max values should be >= 0"},
    {"ZuzMsg_AxisLabelSep", &ZuzMsg_AxisLabelSep, "Labels Separation % must be greater than 0"},
    {"ZuzMsg_AxisIncrementNeg", &ZuzMsg_AxisIncrementNeg, "Axis increment must be >= 0"},
    {"ZuzMsg_AxisMinMax", &ZuzMsg_AxisMinMax, "Axis Minimum Value must be <= Maximum"},
    {"ZuzMsg_AxisMaxMin", &ZuzMsg_AxisMaxMin, "Axis Maximum Value must be >= Minimum"},
    {"ZuzMsg_AxisLogBase", &ZuzMsg_AxisLogBase, "Axis Logarithmic Base should be <> 1 and > 0"},
    {"ZuzMsg_MaxPointsPerPage", &ZuzMsg_MaxPointsPerPage, "MaxPointsPerPage must be >= 0"},
    {"ZuzMsg_CircularSeries", &ZuzMsg_CircularSeries, "Circular Series dependences are not allowed"},
    {"ZuzMsg_SeriesParentNoSelf", &ZuzMsg_SeriesParentNoSelf, "Series.ParentChart is not myself!"},
    {"ZuzMsg_InvalidEditorClass", &ZuzMsg_InvalidEditorClass, "%s: Invalid Editor Class: %s"},
    {"ZuzMsg_MissingEditorClass", &ZuzMsg_MissingEditorClass, "%s: has no Editor Dialog"},
    {"ZuzMsg_IncorrectMaxMinValue", &ZuzMsg_IncorrectMaxMinValue, "Incorrect value. Reason: %s"},
    {"ZuzMsg_CheckPointerSize", &ZuzMsg_CheckPointerSize, "Pointer size must be greater than zero"},
    {"ZuzMsg_FunctionPeriod", &ZuzMsg_FunctionPeriod, "Function Period should be >= 0"},
    {"ZuzMsg_InvalidZuzFile", &ZuzMsg_InvalidZuzFile, nullptr},
    {"ZuzMsg_WrongZuzFileFormat", &ZuzMsg_WrongZuzFileFormat, nullptr},
    {"ZuzMsg_EmptyZuzFile", &ZuzMsg_EmptyZuzFile, nullptr},
    {"ZuzMsg_ExportPanelNotSet", &ZuzMsg_ExportPanelNotSet, "Panel property is not set in Export format"},
    {"ZuzMsg_CanNotFindTempPath", &ZuzMsg_CanNotFindTempPath, "Can not find Temp folder"},
    {"ZuzMsg_CanNotCreateTempChart", &ZuzMsg_CanNotCreateTempChart, "Can not create Temp file"},
    {"ZuzMsg_CanNotEmailChart", &ZuzMsg_CanNotEmailChart, "Can not e-mail the chart. Mail error: %d"},
    {"ZuzMsg_SeriesDelete", &ZuzMsg_SeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d)."},
    {"ZuzMsg_NoSeriesSelected", &ZuzMsg_NoSeriesSelected, "No Series selected"},
    {"ZuzMsg_CannotLoadChartFromURL", &ZuzMsg_CannotLoadChartFromURL, "Error code: %d downloading Chart from URL: %s"},
    {"ZuzMsg_CannotLoadSeriesDataFromURL", &ZuzMsg_CannotLoadSeriesDataFromURL,
     "Error code: %d downloading Series data from URL: %s"},
    {"ZuzMsg_DPIIdentifier", &ZuzMsg_DPIIdentifier, "Image DPI setting failed: Invalid identifier"},
    {"ZuzMsg_JScriptNonSupportMsg", &ZuzMsg_JScriptNonSupportMsg,
     "One of the Series Types you have selected\nis not implemented yet for Javascript."},
    {"ZuzMsg_PolyDegreeRange", &ZuzMsg_PolyDegreeRange, "Polynomial degree must be between 1 and 20"},
    {"ZuzMsg_AnswerVectorIndex", &ZuzMsg_AnswerVectorIndex, "Answer Vector index must be between 1 and %d"},
    {"ZuzMsg_FittingError", &ZuzMsg_FittingError, "Cannot process fitting"},
    {"ZuzMsg_ExpAverageWeight", &ZuzMsg_ExpAverageWeight, "ExpAverage Weight must be between 0 and 1"},
    {"ZuzMsg_CannotFindEditor", &ZuzMsg_CannotFindEditor, "Cannot find Series editor Form: %s"},
    {"ZuzMsg_LowBezierPoints", &ZuzMsg_LowBezierPoints, "Number of Bezier points should be > 1"},
    {"ZuzMsg_TriSurfaceLess", &ZuzMsg_TriSurfaceLess, "Number of points must be >= 4"},
    {"ZuzMsg_TriSurfaceAllColinear", &ZuzMsg_TriSurfaceAllColinear, "All colinear data points"},
    {"ZuzMsg_TriSurfaceSimilar", &ZuzMsg_TriSurfaceSimilar, "Similar XYZ points. Cannot calculate triangles."},
    {"ZuzMsg_CantDeleteAncestor", &ZuzMsg_CantDeleteAncestor, "Can not delete ancestor"},
    {"ZuzMsg_SeriesTextFieldZero", &ZuzMsg_SeriesTextFieldZero, "SeriesText: Field index should be greater than zero."},
    {"ZuzMsg_DefaultPercentOf", &ZuzMsg_DefaultPercentOf, "%s of %s"},
    {"ZuzMsg_DefaultPercentOf2", &ZuzMsg_DefaultPercentOf2, "%s\nof %s"},
    {"ZuzMsg_DefPercentFormat", &ZuzMsg_DefPercentFormat, "##0.## %"},
    {"ZuzMsg_DefValueFormat", &ZuzMsg_DefValueFormat, "#,##0.###"},
    {"ZuzMsg_DefLogValueFormat", &ZuzMsg_DefLogValueFormat, "#.0 \"x10\" E+0"},
    {"ZuzMsg_PageOfPages", &ZuzMsg_PageOfPages, "Page %d of %d"},
    {"ZuzMsg_FileSize", &ZuzMsg_FileSize, "%d bytes"},
    {"ZuzMsg_RGB", &ZuzMsg_RGB, "RGB: %s, %s, %s"},
    {"ZuzMsg_HLS", &ZuzMsg_HLS, "HLS: %s, %s, %s"},
    {"ZuzMsg_FunnelPercent", &ZuzMsg_FunnelPercent, "0.00 %"},
    {"ZuzMsg_GalleryLogoFont", &ZuzMsg_GalleryLogoFont, "Courier New"},
    {"ZuzMsg_DefaultFontSize", &ZuzMsg_DefaultFontSize, "8"},
    {"ZuzMsg_DefaultEditorSize", &ZuzMsg_DefaultEditorSize, "414"},
    {"ZuzMsg_DefaultEditorHeight", &ZuzMsg_DefaultEditorHeight, "347"},
    {"ZuzMsg_DefaultFontName", &ZuzMsg_DefaultFontName, "Arial"},
    {"ZuzPolarDegreeSymbol", &ZuzPolarDegreeSymbol, "°"},
    {"ZuzMsg_AxisTitle", &ZuzMsg_AxisTitle, "Axis Title"},
    {"ZuzMsg_AxisLabels", &ZuzMsg_AxisLabels, "Axis Labels"},
    {"ZuzMsg_DateTime", &ZuzMsg_DateTime, "DateTime"},
    {"ZuzMsg_TopAxis", &ZuzMsg_TopAxis, "Top Axis"},
    {"ZuzMsg_BottomAxis", &ZuzMsg_BottomAxis, "Bottom Axis"},
    {"ZuzMsg_LeftAxis", &ZuzMsg_LeftAxis, "Left Axis"},
    {"ZuzMsg_RightAxis", &ZuzMsg_RightAxis, "Right Axis"},
    {"ZuzMsg_Default", &ZuzMsg_Default, "Default"},
    {"ZuzMsg_Maximum", &ZuzMsg_Maximum, "Maximum"},
    {"ZuzMsg_Minimum", &ZuzMsg_Minimum, "Minimum"},
    {"ZuzMsg_None", &ZuzMsg_None, "None"},
    {"ZuzMsg_DepthAxis", &ZuzMsg_DepthAxis, "Depth Right"},
    {"ZuzMsg_PieOther", &ZuzMsg_PieOther, "Other"},
    {"ZuzMsg_Legend", &ZuzMsg_Legend, "Legend"},
    {"ZuzMsg_Title", &ZuzMsg_Title, "Title"},
    {"ZuzMsg_Foot", &ZuzMsg_Foot, "Footer"},
    {"ZuzMsg_Series", &ZuzMsg_Series, "Series"},
    {"ZuzMsg_All", &ZuzMsg_All, "All"},
    {"ZuzMsg_Index", &ZuzMsg_Index, "Index"},
    {"ZuzMsg_Text", &ZuzMsg_Text, "Text"},
    {"ZuzMsg_Property", &ZuzMsg_Property, "Property"},
    {"ZuzMsg_Value", &ZuzMsg_Value, "Value"},
    {"ZuzMsg_Yes", &ZuzMsg_Yes, "Yes"},
    {"ZuzMsg_No", &ZuzMsg_No, "No"},
    {"ZuzMsg_Image", &ZuzMsg_Image, "Image"},
    {"ZuzMsg_DepthTopAxis", &ZuzMsg_DepthTopAxis, "Depth Top"},
    {"ZuzMsg_SubTitle", &ZuzMsg_SubTitle, "SubTitle"},
    {"ZuzMsg_SubFoot", &ZuzMsg_SubFoot, "SubFoot"},
    {"ZuzMsg_LegendTitle", &ZuzMsg_LegendTitle, "Legend Title"},
    {"ZuzMsg_Item", &ZuzMsg_Item, "Item"},
    {"ZuzMsg_Data", &ZuzMsg_Data, "Data"},
    {"ZuzMsg_ValuesX", &ZuzMsg_ValuesX, "X"},
    {"ZuzMsg_ValuesY", &ZuzMsg_ValuesY, "Y"},
    {"ZuzMsg_ValuesPie", &ZuzMsg_ValuesPie, "Pie"},
    {"ZuzMsg_ValuesBar", &ZuzMsg_ValuesBar, "Bar"},
    {"ZuzMsg_ValuesAngle", &ZuzMsg_ValuesAngle, "Angle"},
    {"ZuzMsg_ValuesGanttStart", &ZuzMsg_ValuesGanttStart, "Start"},
    {"ZuzMsg_ValuesGanttEnd", &ZuzMsg_ValuesGanttEnd, "End"},
    {"ZuzMsg_ValuesGanttNextTask", &ZuzMsg_ValuesGanttNextTask, "NextTask"},
    {"ZuzMsg_ValuesBubbleRadius", &ZuzMsg_ValuesBubbleRadius, "Radius"},
    {"ZuzMsg_ValuesArrowEndX", &ZuzMsg_ValuesArrowEndX, "EndX"},
    {"ZuzMsg_ValuesArrowEndY", &ZuzMsg_ValuesArrowEndY, "EndY"},
    {"ZuzMsg_ValuesWeighting", &ZuzMsg_ValuesWeighting, "Weighting"},
    {"ZuzMsg_TernaryMarkRadius", &ZuzMsg_TernaryMarkRadius, "Radius"},
    {"ZuzMsg_TernaryMarkWeight", &ZuzMsg_TernaryMarkWeight, "Weight"},
    {"ZuzMsg_EquiVolumeVolValues", &ZuzMsg_EquiVolumeVolValues, "Volume"},
    {"ZuzMsg_ValuesDate", &ZuzMsg_ValuesDate, "Date"},
    {"ZuzMsg_ValuesOpen", &ZuzMsg_ValuesOpen, "Open"},
    {"ZuzMsg_ValuesHigh", &ZuzMsg_ValuesHigh, "High"},
    {"ZuzMsg_ValuesLow", &ZuzMsg_ValuesLow, "Low"},
    {"ZuzMsg_ValuesClose", &ZuzMsg_ValuesClose, "Close"},
    {"ZuzMsg_ValuesOffset", &ZuzMsg_ValuesOffset, "Offset"},
    {"ZuzMsg_ValuesStdError", &ZuzMsg_ValuesStdError, "StdError"},
    {"ZuzMsg_OpportunityValues", &ZuzMsg_OpportunityValues, "OpportunityValues"},
    {"ZuzMsg_QuoteValues", &ZuzMsg_QuoteValues, "QuoteValues"},
    {"ZuzMsg_ValuesVectorEndZ", &ZuzMsg_ValuesVectorEndZ, "EndZ"},
    {"ZuzMsg_EquiVolPoint", &ZuzMsg_EquiVolPoint, "Volume"},
    {"ZuzMsg_GalleryStandard", &ZuzMsg_GalleryStandard, "Standard"},
    {"ZuzMsg_GalleryExtended", &ZuzMsg_GalleryExtended, "Extended"},
    {"ZuzMsg_GalleryFunctions", &ZuzMsg_GalleryFunctions, "Functions"},
    {"ZuzMsg_GallerySamples", &ZuzMsg_GallerySamples, "Other"},
    {"ZuzMsg_GalleryStats", &ZuzMsg_GalleryStats, "Stats"},
    {"ZuzMsg_GalleryMath", &ZuzMsg_GalleryMath, "Math"},
    {"ZuzMsg_GalleryFinancial", &ZuzMsg_GalleryFinancial, "Financial"},
    {"ZuzMsg_GalleryGauges", &ZuzMsg_GalleryGauges, "Gauges"},
    {"ZuzMsg_Gallery3D", &ZuzMsg_Gallery3D, "3D"},
    {"ZuzMsg_GalleryMaps", &ZuzMsg_GalleryMaps, "Maps"},
    {"ZuzMsg_GalleryLine", &ZuzMsg_GalleryLine, "Line"},
    {"ZuzMsg_GalleryPoint", &ZuzMsg_GalleryPoint, "Point"},
    {"ZuzMsg_GalleryArea", &ZuzMsg_GalleryArea, "Area"},
    {"ZuzMsg_GalleryBar", &ZuzMsg_GalleryBar, "Bar"},
    {"ZuzMsg_GalleryHorizBar", &ZuzMsg_GalleryHorizBar, "Horizontal\nBar"},
    {"ZuzMsg_GalleryPie", &ZuzMsg_GalleryPie, "Pie"},
    {"ZuzMsg_GalleryCircled", &ZuzMsg_GalleryCircled, "Circled"},
    {"ZuzMsg_GalleryFastLine", &ZuzMsg_GalleryFastLine, "Fast Line"},
    {"ZuzMsg_GalleryHorizLine", &ZuzMsg_GalleryHorizLine, "Horizontal\nLine"},
    {"ZuzMsg_GalleryArrow", &ZuzMsg_GalleryArrow, "Arrow"},
    {"ZuzMsg_GalleryGantt", &ZuzMsg_GalleryGantt, "Gantt"},
    {"ZuzMsg_GalleryShape", &ZuzMsg_GalleryShape, "Shape"},
    {"ZuzMsg_GalleryBubble", &ZuzMsg_GalleryBubble, "Bubble"},
    {"ZuzMsg_GalleryHorizArea", &ZuzMsg_GalleryHorizArea, "Horizontal\nArea"},
    {"ZuzMsg_GalleryDonut", &ZuzMsg_GalleryDonut, "Donut"},
    {"ZuzMsg_FunctionAdd", &ZuzMsg_FunctionAdd, "Add"},
    {"ZuzMsg_FunctionSubtract", &ZuzMsg_FunctionSubtract, "Subtract"},
    {"ZuzMsg_FunctionMultiply", &ZuzMsg_FunctionMultiply, "Multiply"},
    {"ZuzMsg_FunctionDivide", &ZuzMsg_FunctionDivide, "Divide"},
    {"ZuzMsg_FunctionHigh", &ZuzMsg_FunctionHigh, "High"},
    {"ZuzMsg_FunctionLow", &ZuzMsg_FunctionLow, "Low"},
    {"ZuzMsg_FunctionAverage", &ZuzMsg_FunctionAverage, "Average"},
    {"ZuzMsg_FunctionNone", &ZuzMsg_FunctionNone, "Copy"},
    {"ZuzMsg_FunctionCustom", &ZuzMsg_FunctionCustom, "y = f(x)"},
    {"ZuzMsg_FunctionMedian", &ZuzMsg_FunctionMedian, "Median"},
    {"ZuzMsg_FunctionMode", &ZuzMsg_FunctionMode, "Mode"},
    {"ZuzMsg_FunctionSubset", &ZuzMsg_FunctionSubset, "Subset"},
    {"ZuzMsg_FunctionSmooth", &ZuzMsg_FunctionSmooth, "Smoothing"},
    {"ZuzMsg_FunctionPareto", &ZuzMsg_FunctionPareto, "Pareto"},
    {"ZuzMsg_Stack", &ZuzMsg_Stack, "Stack"},
    {"ZuzMsg_SmallDotsPen", &ZuzMsg_SmallDotsPen, "Small Dots"},
    {"ZuzMsg_Normal", &ZuzMsg_Normal, "Normal"},
    {"ZuzMsg_NoBorder", &ZuzMsg_NoBorder, "No Border"},
    {"ZuzMsg_Dotted", &ZuzMsg_Dotted, "Dotted"},
    {"ZuzMsg_Colors", &ZuzMsg_Colors, "Colors"},
    {"ZuzMsg_Filled", &ZuzMsg_Filled, "Filled"},
    {"ZuzMsg_Marks", &ZuzMsg_Marks, "Marks"},
    {"ZuzMsg_Stairs", &ZuzMsg_Stairs, "Stairs"},
    {"ZuzMsg_Points", &ZuzMsg_Points, "Points"},
    {"ZuzMsg_Height", &ZuzMsg_Height, "Height"},
    {"ZuzMsg_Hollow", &ZuzMsg_Hollow, "Hollow"},
    {"ZuzMsg_Point2D", &ZuzMsg_Point2D, "Point 2D"},
    {"ZuzMsg_Triangle", &ZuzMsg_Triangle, "Triangle"},
    {"ZuzMsg_Star", &ZuzMsg_Star, "Star"},
    {"ZuzMsg_Circle", &ZuzMsg_Circle, "Circle"},
    {"ZuzMsg_DownTri", &ZuzMsg_DownTri, "Down Tri."},
    {"ZuzMsg_Cross", &ZuzMsg_Cross, "Cross"},
    {"ZuzMsg_Diamond", &ZuzMsg_Diamond, "Diamond"},
    {"ZuzMsg_NoLines", &ZuzMsg_NoLines, "No Lines"},
    {"ZuzMsg_Stack100", &ZuzMsg_Stack100, "Stack 100%"},
    {"ZuzMsg_Pyramid", &ZuzMsg_Pyramid, "Pyramid"},
    {"ZuzMsg_Ellipse", &ZuzMsg_Ellipse, "Ellipse"},
    {"ZuzMsg_InvPyramid", &ZuzMsg_InvPyramid, "Inv. Pyramid"},
    {"ZuzMsg_Sides", &ZuzMsg_Sides, "Sides"},
    {"ZuzMsg_SideAll", &ZuzMsg_SideAll, "Side All"},
    {"ZuzMsg_Patterns", &ZuzMsg_Patterns, "Patterns"},
    {"ZuzMsg_Exploded", &ZuzMsg_Exploded, "Exploded"},
    {"ZuzMsg_Shadow", &ZuzMsg_Shadow, "Shadow"},
    {"ZuzMsg_SemiPie", &ZuzMsg_SemiPie, "Semi Pie"},
    {"ZuzMsg_Rectangle", &ZuzMsg_Rectangle, "Rectangle"},
    {"ZuzMsg_VertLine", &ZuzMsg_VertLine, "Vert.Line"},
    {"ZuzMsg_HorizLine", &ZuzMsg_HorizLine, "Horiz.Line"},
    {"ZuzMsg_Line", &ZuzMsg_Line, "Line"},
    {"ZuzMsg_Cube", &ZuzMsg_Cube, "Cube"},
    {"ZuzMsg_DiagCross", &ZuzMsg_DiagCross, "Diag.Cross"},
    {"ZuzMsg_Gradient", &ZuzMsg_Gradient, "Gradient"},
    {"ZuzMsg_SelfStack", &ZuzMsg_SelfStack, "Self Stacked"},
    {"ZuzMsg_DarkPen", &ZuzMsg_DarkPen, "Dark Border"},
    {"ZuzMsg_View2D", &ZuzMsg_View2D, "2D"},
    {"ZuzMsg_Outline", &ZuzMsg_Outline, "Outline"},
    {"ZuzMsg_Hexagon", &ZuzMsg_Hexagon, "Hexagon"},
    {"ZuzMsg_StraightAll", &ZuzMsg_StraightAll, "Straight All"},
    {"ZuzMsg_Concentric", &ZuzMsg_Concentric, "Concentric"},
    {"ZuzMsg_Grid3D", &ZuzMsg_Grid3D, "Grid 3D"},
    {"ZuzMsg_ColorRange", &ZuzMsg_ColorRange, "Color Range"},
    {"ZuzMsg_WireFrame", &ZuzMsg_WireFrame, "Wireframe"},
    {"ZuzMsg_DotFrame", &ZuzMsg_DotFrame, "Dot Frame"},
    {"ZuzMsg_Positions", &ZuzMsg_Positions, "Positions"},
    {"ZuzMsg_NoGrid", &ZuzMsg_NoGrid, "No Grid"},
    {"ZuzMsg_NoPoint", &ZuzMsg_NoPoint, "No Point"},
    {"ZuzMsg_NoLine", &ZuzMsg_NoLine, "No Line"},
    {"ZuzMsg_Labels", &ZuzMsg_Labels, "Labels"},
    {"ZuzMsg_NoCircle", &ZuzMsg_NoCircle, "No Circle"},
    {"ZuzMsg_Lines", &ZuzMsg_Lines, "Lines"},
    {"ZuzMsg_Border", &ZuzMsg_Border, "Border"},
    {"ZuzMsg_Column", &ZuzMsg_Column, "Column"},
    {"ZuzMsg_Separator", &ZuzMsg_Separator, "Separator"},
    {"ZuzMsg_FunnelWithin", &ZuzMsg_FunnelWithin, " within quota"},
    {"ZuzMsg_FunnelBelow", &ZuzMsg_FunnelBelow, " or more below quota"},
    {"ZuzMsg_Origin", &ZuzMsg_Origin, "Origin"},
    {"ZuzMsg_Transparency", &ZuzMsg_Transparency, "Transparency"},
    {"ZuzMsg_Box", &ZuzMsg_Box, "Box"},
    {"ZuzMsg_ExtrOut", &ZuzMsg_ExtrOut, "Extreme Out"},
    {"ZuzMsg_MildOut", &ZuzMsg_MildOut, "Mild Out"},
    {"ZuzMsg_Up", &ZuzMsg_Up, "Up"},
    {"ZuzMsg_Down", &ZuzMsg_Down, "Down"},
    {"ZuzMsg_SingleColor", &ZuzMsg_SingleColor, "Single Color"},
    {"ZuzMsg_Cover", &ZuzMsg_Cover, "Cover"},
    {"ZuzMsg_Cone", &ZuzMsg_Cone, "Cone"},
    {"ZuzMsg_UpToValue", &ZuzMsg_UpToValue, "Up to value"},
    {"ZuzMsg_NoCompression", &ZuzMsg_NoCompression, "No compression"},
    {"ZuzMsg_Mirrored", &ZuzMsg_Mirrored, "Mirrored"},
    {"ZuzMsg_Horizontal", &ZuzMsg_Horizontal, "Horizontal"},
    {"ZuzMsg_Vertical", &ZuzMsg_Vertical, "Vertical"},
    {"ZuzMsg_Flat", &ZuzMsg_Flat, "Flat"},
    {"ZuzMsg_Light", &ZuzMsg_Light, "Light"},
    {"ZuzMsg_PieSample1", &ZuzMsg_PieSample1, "Cars"},
    {"ZuzMsg_PieSample2", &ZuzMsg_PieSample2, "Phones"},
    {"ZuzMsg_PieSample3", &ZuzMsg_PieSample3, "Tables"},
    {"ZuzMsg_PieSample4", &ZuzMsg_PieSample4, "Monitors"},
    {"ZuzMsg_PieSample5", &ZuzMsg_PieSample5, "Lamps"},
    {"ZuzMsg_PieSample6", &ZuzMsg_PieSample6, "Keyboards"},
    {"ZuzMsg_PieSample7", &ZuzMsg_PieSample7, "Bikes"},
    {"ZuzMsg_PieSample8", &ZuzMsg_PieSample8, "Chairs"},
    {"ZuzMsg_GanttSample1", &ZuzMsg_GanttSample1, "Design"},
    {"ZuzMsg_GanttSample2", &ZuzMsg_GanttSample2, "Prototyping"},
    {"ZuzMsg_GanttSample3", &ZuzMsg_GanttSample3, "Development"},
    {"ZuzMsg_GanttSample4", &ZuzMsg_GanttSample4, "Sales"},
    {"ZuzMsg_GanttSample5", &ZuzMsg_GanttSample5, "Marketing"},
    {"ZuzMsg_GanttSample6", &ZuzMsg_GanttSample6, "Testing"},
    {"ZuzMsg_GanttSample7", &ZuzMsg_GanttSample7, "Manufac."},
    {"ZuzMsg_GanttSample8", &ZuzMsg_GanttSample8, "Debugging"},
    {"ZuzMsg_GanttSample9", &ZuzMsg_GanttSample9, "New Version"},
    {"ZuzMsg_GanttSample10", &ZuzMsg_GanttSample10, "Banking"},
    {"ZuzMsg_ShapeGallery1", &ZuzMsg_ShapeGallery1, "abc"},
    {"ZuzMsg_ShapeGallery2", &ZuzMsg_ShapeGallery2, "123"},
    {"ZuzMsg_RandomPoints", &ZuzMsg_RandomPoints, "Random Points"},
    {"ZuzMsg_AntiAlias", &ZuzMsg_AntiAlias, "Antialias"},
    {"ZuzMsg_Percent", &ZuzMsg_Percent, "Percent"},
    {"ZuzMsg_Smooth", &ZuzMsg_Smooth, "Smooth"},
    {"ZuzMsg_Blur", &ZuzMsg_Blur, "Blur"},
    {"ZuzMsg_Width", &ZuzMsg_Width, "Width"},
    {"ZuzMsg_Resize", &ZuzMsg_Resize, "Resize"},
    {"ZuzMsg_Left", &ZuzMsg_Left, "Left"},
    {"ZuzMsg_Top", &ZuzMsg_Top, "Top"},
    {"ZuzMsg_Crop", &ZuzMsg_Crop, "Crop"},
    {"ZuzMsg_Invert", &ZuzMsg_Invert, "Invert"},
    {"ZuzMsg_GrayScale", &ZuzMsg_GrayScale, "Gray scale"},
    {"ZuzMsg_Mosaic", &ZuzMsg_Mosaic, "Mosaic"},
    {"ZuzMsg_Flip", &ZuzMsg_Flip, "Flip"},
    {"ZuzMsg_Reverse", &ZuzMsg_Reverse, "Reverse"},
    {"ZuzMsg_Brightness", &ZuzMsg_Brightness, "Brightness"},
    {"ZuzMsg_Color", &ZuzMsg_Color, "Color"},
    {"ZuzMsg_HueLumSat", &ZuzMsg_HueLumSat, "Hue,Lum,Sat"},
    {"ZuzMsg_Sharpen", &ZuzMsg_Sharpen, "Sharpen"},
    {"ZuzMsg_GammaCorrection", &ZuzMsg_GammaCorrection, "Gamma correction"},
    {"ZuzMsg_Emboss", &ZuzMsg_Emboss, "Emboss"},
    {"ZuzMsg_Contrast", &ZuzMsg_Contrast, "Contrast"},
    {"ZuzMsg_Rotate", &ZuzMsg_Rotate, "Rotate"},
    {"ZuzMsg_Back", &ZuzMsg_Back, "Back"},
    {"ZuzMsg_Autosize", &ZuzMsg_Autosize, "Autosize"},
    {"ZuzMsg_Mirror", &ZuzMsg_Mirror, "Mirror"},
    {"ZuzMsg_Columns", &ZuzMsg_Columns, "Columns"},
    {"ZuzMsg_Rows", &ZuzMsg_Rows, "Rows"},
    {"ZuzMsg_Tile", &ZuzMsg_Tile, "Tile"},
    {"ZuzMsg_Bevel", &ZuzMsg_Bevel, "Bevel"},
    {"ZuzMsg_Zoom", &ZuzMsg_Zoom, "Zoom"},
    {"ZuzMsg_DPI", &ZuzMsg_DPI, "DPI"},
    {"ZuzMsg_ColorReplacer", &ZuzMsg_ColorReplacer, "Color Replacer"},
    {"ZuzMsg_Equalize", &ZuzMsg_Equalize, "Equalize"},
    {"ZuzMsg_Sobel", &ZuzMsg_Sobel, "Sobel"},
    {"ZuzMsg_Sepia", &ZuzMsg_Sepia, "Sepia"},
    {"ZuzMsg_ThemeDefault", &ZuzMsg_ThemeDefault, "Default"},
    {"ZuzMsg_ThemeExcel", &ZuzMsg_ThemeExcel, "Excel"},
    {"ZuzMsg_ThemeVictorian", &ZuzMsg_ThemeVictorian, "Victorian"},
    {"ZuzMsg_ThemePastels", &ZuzMsg_ThemePastels, "Pastels"},
    {"ZuzMsg_ThemeSolid", &ZuzMsg_ThemeSolid, "Solid"},
    {"ZuzMsg_ThemeClassic", &ZuzMsg_ThemeClassic, "Classic"},
    {"ZuzMsg_ThemeWeb", &ZuzMsg_ThemeWeb, "Web"},
    {"ZuzMsg_ThemeModern", &ZuzMsg_ThemeModern, "Modern"},
    {"ZuzMsg_ThemeRainbow", &ZuzMsg_ThemeRainbow, "Rainbow"},
    {"ZuzMsg_ThemeWinXP", &ZuzMsg_ThemeWinXP, "Win. XP"},
    {"ZuzMsg_ThemeMacOS", &ZuzMsg_ThemeMacOS, "Mac OS"},
    {"ZuzMsg_ThemeWinVista", &ZuzMsg_ThemeWinVista, "Win. Vista"},
    {"ZuzMsg_ThemeGrayScale", &ZuzMsg_ThemeGrayScale, "Gray scale"},
    {"ZuzMsg_ThemeOpera", &ZuzMsg_ThemeOpera, "Opera"},
    {"ZuzMsg_ThemeWarm", &ZuzMsg_ThemeWarm, "Warm"},
    {"ZuzMsg_ThemeCool", &ZuzMsg_ThemeCool, "Cool"},
    {"ZuzMsg_ThemeBlack", &ZuzMsg_ThemeBlack, "BlackIsBack"},
    {"ZuzMsg_ThemeSpeed", &ZuzMsg_ThemeSpeed, "Speed"},
    {"ZuzMsg_Metro", &ZuzMsg_Metro, "Metro"},
    {"ZuzMsg_iOSPalette", &ZuzMsg_iOSPalette, "iOS"},
    {"ZuzMsg_AndroidPalette", &ZuzMsg_AndroidPalette, "Android"},
    {"ZuzMsg_RazuvezPalette", &ZuzMsg_RazuvezPalette, "Razuvez"},
    {"ZuzMsg_SeawashPalette", &ZuzMsg_SeawashPalette, "Seawash"},
    {"ZuzMsg_ActivityPalette", &ZuzMsg_ActivityPalette, "Activity"},
    {"ZuzMsg_Execute", &ZuzMsg_Execute, "Execute"},
    {"ZuzMsg_Themes", &ZuzMsg_Themes, "Themes"},
    {"ZuzMsg_Current", &ZuzMsg_Current, "Current"},
    {"ZuzMsg_ThemeFacts", &ZuzMsg_ThemeFacts, "Facts"},
    {"ZuzMsg_ThemeRandom", &ZuzMsg_ThemeRandom, "Random"},
    {"ZuzMsg_Razuvez", &ZuzMsg_Razuvez, "Razuvez"},
    {"ZuzMsg_Vivuva", &ZuzMsg_Vivuva, "Vivuva"},
    {"ZuzMsg_ThemeFathomix", &ZuzMsg_ThemeFathomix, "Fathomix"},
    {"ZuzMsg_DBSumEditCaption", &ZuzMsg_DBSumEditCaption, "Summary properties"},
    {"tcAdditional", &tcAdditional, "Additional"},
    {"tcDControls", &tcDControls, "Data Controls"},
    {"tcQReport", &tcQReport, "QReport"},
    {"ZuzMsg_ServerError", &ZuzMsg_ServerError, "SERVER ERROR"},
    {"ZuzMsg_ServerCaption", &ZuzMsg_ServerCaption, "Thanks for Your Help"},
    {"ZuzMsg_ExceptionSend", &ZuzMsg_ExceptionSend, "&Send"},
    {"ZuzMsg_Editing", &ZuzMsg_Editing, "Editing %s"},
    {"ZuzMsg_EditChart", &ZuzMsg_EditChart, "E&dit Chart..."},
    {"ZuzMsg_PrintPreview", &ZuzMsg_PrintPreview, "&Print Preview..."},
    {"ZuzMsg_ExportChart", &ZuzMsg_ExportChart, "E&xport Chart..."},
    {"ZuzMsg_CustomAxes", &ZuzMsg_CustomAxes, "Custom Axes..."},
    {"ZuzMsg_ExpFinish", &ZuzMsg_ExpFinish, "&Finish"},
    {"ZuzMsg_ExpNext", &ZuzMsg_ExpNext, "&Next >"},
    {"ZuzMsg_ChangeSeriesTitle", &ZuzMsg_ChangeSeriesTitle, "Change Series Title"},
    {"ZuzMsg_NewSeriesTitle", &ZuzMsg_NewSeriesTitle, "New Series Title:"},
    {"ZuzMsg_SureToDelete", &ZuzMsg_SureToDelete, "Delete %s ?"},
    {"ZuzMsg_DateTimeFormat", &ZuzMsg_DateTimeFormat, "DateTime For&mat:"},
    {"ZuzMsg_ValuesFormat", &ZuzMsg_ValuesFormat, "Values For&mat:"},
    {"ZuzMsg_DesiredIncrement", &ZuzMsg_DesiredIncrement, "Desired %s Increment"},
    {"ZuzMsg_EnterDateTime", &ZuzMsg_EnterDateTime, "Enter [Number of Days] [hh:mm:ss]"},
    {"ZuzMsg_SureToApply", &ZuzMsg_SureToApply, "Apply Changes ?"},
    {"ZuzMsg_SelectedSeries", &ZuzMsg_SelectedSeries, "(Selected Series)"},
    {"ZuzMsg_PrivateDeclarations", &ZuzMsg_PrivateDeclarations, "{ Private declarations }"},
    {"ZuzMsg_PublicDeclarations", &ZuzMsg_PublicDeclarations, "{ Public declarations }"},
    {"ZuzMsg_About", &ZuzMsg_About, "Abo&ut Fathomix Chart..."},
    {"ZuzMsg_WizardTab", &ZuzMsg_WizardTab, "Business"},
    {"ZuzMsg_ClearImage", &ZuzMsg_ClearImage, "Clea&r"},
    {"ZuzMsg_BrowseImage", &ZuzMsg_BrowseImage, "B&rowse..."},
    {"ZuzMsg_WizardSureToClose", &ZuzMsg_WizardSureToClose,
     "Are you sure that you want to close the Fathomix Chart Wizard?"},
    {"ZuzMsg_Period", &ZuzMsg_Period, "Period"},
    {"ZuzMsg_PeriodRange", &ZuzMsg_PeriodRange, "Period range"},
    {"ZuzMsg_CalcPeriod", &ZuzMsg_CalcPeriod, "Calculate %s every:"},
    {"ZuzMsg_ChartAxesCategoryName", &ZuzMsg_ChartAxesCategoryName, "Chart Axes"},
    {"ZuzMsg_ChartAxesCategoryDesc", &ZuzMsg_ChartAxesCategoryDesc, "Chart Axes properties and events"},
    {"ZuzMsg_ChartWallsCategoryName", &ZuzMsg_ChartWallsCategoryName, "Chart Walls"},
    {"ZuzMsg_ChartWallsCategoryDesc", &ZuzMsg_ChartWallsCategoryDesc, "Chart Walls properties and events"},
    {"ZuzMsg_ChartTitlesCategoryName", &ZuzMsg_ChartTitlesCategoryName, "Chart Titles"},
    {"ZuzMsg_ChartTitlesCategoryDesc", &ZuzMsg_ChartTitlesCategoryDesc, "Chart Titles properties and events"},
    {"ZuzMsg_Chart3DCategoryName", &ZuzMsg_Chart3DCategoryName, "Chart 3D"},
    {"ZuzMsg_Chart3DCategoryDesc", &ZuzMsg_Chart3DCategoryDesc, "Chart 3D properties and events"},
    {"ZuzMsg_CustomAxesEditor", &ZuzMsg_CustomAxesEditor, "Custom "},
    {"ZuzMsg_SeriesList", &ZuzMsg_SeriesList, "Series List"},
    {"ZuzMsg_First", &ZuzMsg_First, "First"},
    {"ZuzMsg_Prior", &ZuzMsg_Prior, "Prior"},
    {"ZuzMsg_Next", &ZuzMsg_Next, "Next"},
    {"ZuzMsg_Last", &ZuzMsg_Last, "Last"},
    {"ZuzMsg_Insert", &ZuzMsg_Insert, "Insert"},
    {"ZuzMsg_Delete", &ZuzMsg_Delete, "Delete"},
    {"ZuzMsg_Edit", &ZuzMsg_Edit, "Edit"},
    {"ZuzMsg_Post", &ZuzMsg_Post, "Post"},
    {"ZuzMsg_Cancel", &ZuzMsg_Cancel, "Cancel"},
    {"ZuzMsg_AskLanguage", &ZuzMsg_AskLanguage, "&Language..."},
    {"ZuzMsg_WantToSave", &ZuzMsg_WantToSave, "Do you want to save %s?"},
    {"ZuzMsg_SelectFolder", &ZuzMsg_SelectFolder, "Select folder with charts"},
    {"ZuzMsg_Apply", &ZuzMsg_Apply, "&Apply"},
    {"ZuzMsg_AddNewGroup", &ZuzMsg_AddNewGroup, "Add new group"},
    {"ZuzMsg_ChangeGroupName", &ZuzMsg_ChangeGroupName, "Change group name"},
    {"ZuzMsg_GroupName", &ZuzMsg_GroupName, "Group name:"},
    {"ZuzMsg_Options", &ZuzMsg_Options, "Options"},
    {"ZuzMsg_ViewOrthoRight", &ZuzMsg_ViewOrthoRight, "Orthogonal Right"},
    {"ZuzMsg_ViewOrthoLeft", &ZuzMsg_ViewOrthoLeft, "Orthogonal Left"},
    {"ZuzMsg_View3DFront", &ZuzMsg_View3DFront, "Front"},
    {"ZuzMsg_View3DRight", &ZuzMsg_View3DRight, "Right"},
    {"ZuzMsg_View3DLeft", &ZuzMsg_View3DLeft, "Left"},
    {"ZuzMsg_MenuFilters", &ZuzMsg_MenuFilters, "&Filters..."},
    {"ZuzMsg_NewChart", &ZuzMsg_NewChart, "New Chart"},
    {"ZuzMsg_RenameChart", &ZuzMsg_RenameChart, "Rename Chart"},
    {"ZuzMsg_ChartName", &ZuzMsg_ChartName, "Chart name:"},
    {"ZuzMsg_RecordVideo", &ZuzMsg_RecordVideo, "Record Video"},
    {"ZuzMsg_Change", &ZuzMsg_Change, "Change"},
    {"ZuzMsg_Search", &ZuzMsg_Search, "Search"},
    {"ZuzMsg_LoadChart", &ZuzMsg_LoadChart, "Open Fathomix Chart..."},
    {"ZuzMsg_SaveChart", &ZuzMsg_SaveChart, "Save Fathomix Chart..."},
    {"ZuzMsg_AllSeries", &ZuzMsg_AllSeries, "All Series"},
    {"ZuzMsg_Load", &ZuzMsg_Load, "Load..."},
    {"ZuzMsg_MenuNew", &ZuzMsg_MenuNew, "&New"},
    {"ZuzMsg_MenuDelete", &ZuzMsg_MenuDelete, "&Delete"},
    {"ZuzMsg_MenuRename", &ZuzMsg_MenuRename, "&Rename..."},
    {"ZuzMsg_MenuEdit", &ZuzMsg_MenuEdit, "&Edit..."},
    {"ZuzMsg_MenuViewToolbar", &ZuzMsg_MenuViewToolbar, "&View Toolbar"},
    {"ZuzMsg_RenamePage", &ZuzMsg_RenamePage, "Rename page"},
    {"ZuzMsg_NewName", &ZuzMsg_NewName, "New name:"},
    {"ZuzMsg_WizardCaption", &ZuzMsg_WizardCaption, "Fathomix Chart Wizard"},
};
} // namespace

void ZuzFillMessages(std::span<const TZuzMessage> Messages)
{
  for (const TZuzMessage& M : Messages)
    if (M.Text) {
      String S = QString::fromUtf8(M.Text);
      S.replace(QLatin1Char('\n'), NewLine);
      *M.Variable = S;
    }
}

void ZuzSetConstants()
{
  ZuzFillMessages(ConstTexts);
  // The file messages name the extension, which a build may change.
  ZuzMsg_InvalidZuzFile = QStringLiteral("Invalid Chart in *.") + ZuzMsg_ZuzExtension + QStringLiteral(" file");
  ZuzMsg_WrongZuzFileFormat = QStringLiteral("Wrong *.") + ZuzMsg_ZuzExtension + QStringLiteral(" file format");
  ZuzMsg_EmptyZuzFile = QStringLiteral("Empty *.") + ZuzMsg_ZuzExtension + QStringLiteral(" file");
}

void ZuzClearConstants()
{
  for (const TZuzMessage& M : ConstTexts)
    M.Variable->clear();
  NewLine.clear();
  ZuzMsg_ZuzExtension.clear();
}

std::span<const TZuzMessage> ZuzConstMessages() { return ConstTexts; }
