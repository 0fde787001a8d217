#pragma once

#include <QObject>
#include <QUndoStack>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandState.h"
#include "app/Desktop.h"
#include "app/RecentFiles.h"
#include "config/ConfigFile.h"
#include "data/TDataOpenDialog.h"
#include "document/GraphDocument.h"
#include "graph/GraphWindowState.h"
#include "graph/SettingsRecords.h"
#include "graph/TFrame.h"
#include "graph/TMathLabel.h"
#include "platform/Controls.h"
#include "platform/PngWriter.h"
#include "platform/TStringGrid.h"
#include "plot/NiceTicks.h"
#include "plot/TCalc.h"
#include "plot/TPlot.h"

// The main window's commands over the graph document, without a window:
// the data reader, the drawing made from the document (each series' plot,
// the frame, the numbers and labels of the graph window), the undo stack
// and the enabling of the commands. The windows show the document and
// change it only through Edit.
class TfMain : public QObject {
    Q_OBJECT

  public:
    // Every kind of data file first, so that none is hidden at the start.
    static constexpr const char* kDataFilter =
        "ﾃﾞｰﾀﾌｧｲﾙ (*.dat *.txt *.csv *.tsv *.prn)|*.dat;*.txt;*.csv;*.tsv;*.prn|"
        "ﾃｷｽﾄ (*.txt)|*.txt|ﾃﾞｰﾀ (*.dat)|*.dat|設定ﾌｧｲﾙ( *.kvc)|*.kvc|全てのﾌｧｲﾙ (*.*)|*.*";
    // Its filters by their place in it.
    static constexpr int kDataFilesFilter = 1, kConfigInDataFilter = 4;

    TfMain();

    TDataOpenDialog DataOpen;
    // The graph as the user made it. Commands change it through Edit; a
    // drawing writes the automatic ranges and the fitted places into it.
    GraphDocument Doc;
    // The grid's cells: the first source's table.
    const TStringGrid& DataG() const { return Doc.Table(); }
    // The hidden template frame: it draws the frame picture, and its size
    // is that of every sample.
    TFrame AllImage;
    // The right axis' ticks, its Y the right axis.
    TFrame RightImage;
    // The work table for the axis ranges.
    TCalc Calc;
    Picture PlotPicture;
    Picture LabelPicture;
    Picture LegendPicture;
    Picture ComposedPicture;
    // The graph window's objects.
    GraphWindowState Canv;
    // The axis numbers, made anew at every drawing and shown on the graph
    // window.
    std::vector<std::unique_ptr<TMathLabel>> XNumbers;
    std::vector<std::unique_ptr<TMathLabel>> YNumbers;
    std::vector<std::unique_ptr<TMathLabel>> Y2Numbers;
    GraphObject Selected = GraphObject::None;
    TMathLabel* SelectedLabel = nullptr;

    static constexpr const char* kNoYColumnText = "Yｺﾗﾑが選択されていません";
    // What the progress of long work says.
    static constexpr const char* kReadingProgressText = "%s を読み込み中...";
    static constexpr const char* kDrawingProgressText = "ｸﾞﾗﾌを描画中...";
    // Where drawings show their progress and may be cancelled: the
    // window's desktop; none in a batch.
    Desktop* ProgressDesktop = nullptr;
    // Told after a drawing on a logarithmic axis.
    static constexpr const char* kNotPositiveLeftOutText =
        "%s の %s 点は 0 以下なので対数軸に描けません";
    static constexpr const char* kNoPointsText =
        "描ける点がありません (選択したｺﾗﾑに X と Y の両方がそろった行がありません)";
    // Told when a series names an error column the data do not have; the
    // series is drawn without those bars.
    static constexpr const char* kNoErrorColumnText =
        "'%s' の誤差の列 %s はありません (データは %s 列です)";
    static constexpr const char* kXRangeText = "X軸の範囲 %s ～ %s ではグラフを描けません";
    static constexpr const char* kYRangeText = "Y軸の範囲 %s ～ %s ではグラフを描けません";
    static constexpr const char* kY2RangeText = "右Y軸の範囲 %s ～ %s ではグラフを描けません";
    // A series without a legend text in messages.
    static constexpr const char* kColumnCaptionText = "%s 列目";
    // A series without a legend text or column title in the fit report.
    static constexpr const char* kReportColumnText = "列 %s";
    static constexpr const char* kTooLargeSettingText = "%s %s は大きすぎます (%s まで)";
    static constexpr const char* kTooSmallSettingText = "%s %s は小さすぎます (%s から)";
    // Beyond these a drawing would take minutes or more memory than there
    // is; such values come from configuration files, font sizes also from
    // the font dialog.
    static constexpr int kMaxPictureSize = GraphSettings::kMaxSize;
    static constexpr int kMaxDivisions = GridlineSettings::kMaxCount;

    int ColumnCount() const { return Doc.ColumnCount(); }
    int RowCount() const { return Doc.RowCount(); }
    const CommandEnabling& Enabling() const { return enabling_; }

    // Remembered by the open dialog for the run.
    const std::string& LastDataPath() const { return lastDataPath_; }
    int DataFilterIndex() const { return dataFilterIndex_; }
    bool DataRead() const { return dataRead_; }

    int SeriesCount() const { return int(Doc.Series.size()); }
    // Series n of the document, and the plot it is drawn with: its style
    // is the document's, its points and pictures those of the last
    // drawing.
    GraphSeries& Series(int n) { return Doc.Series.at(std::size_t(n)); }
    TPlot& LineImage(int n) { return *plots_.at(std::size_t(n)); }
    // The fits of the last drawing, series by series; each names its
    // series by its legend text, else its column's title, else "列 n".
    std::vector<FitResult> FitResults() const;
    // The legend text of series n, with its fitted equation when it asks
    // for one.
    std::string LegendTextOf(int n);

    // The one way a user's change reaches the document: `change` edits it,
    // the windows show the result, and the document before and after is
    // one step of the undo stack (none when nothing changed). Consecutive
    // edits with the same non-empty `mergeKey` (the letters typed into one
    // text) are one step. A change that raises an error midway (a dialog's
    // field that is no number) keeps what it did before, as a step, and
    // the error goes on to the caller.
    void Edit(const std::string& what, const std::function<void(GraphDocument&)>& change,
              const std::string& mergeKey = {});
    QUndoStack UndoStack;
    // Changes to the settings since the last configuration file was saved
    // or read (reading data is none): quitting asks first.
    bool HasUnsavedSettings() const { return !UndoStack.isClean(); }
    static constexpr const char* kUnsavedSettingsText =
        "設定の変更は設定ﾌｧｲﾙに保存されていません。\n保存せずに終了しますか?";
    static constexpr int kUndoLimit = 100;
    // The batch keeps no steps: each file's table would stay in memory.
    bool RecordsUndo = true;
    // Takes back or repeats a step: the document as it was, shown, and the
    // graph drawn again when it was drawn.
    void Undo() { UndoStack.undo(); }
    void Redo() { UndoStack.redo(); }
    // Puts the document in place, as undo and redo do.
    void RestoreDocument(const GraphDocument& document);
    // The edits of the series rows and the grid.
    void EditCell(int col, int row, const std::string& text);
    void EditLegendText(int n, const std::string& text);
    void EditInLegend(int n, bool checked);

    // Choose a data file, read it through the options form, show it.
    // ﾃﾞｰﾀﾌｧｲﾙを開く, or with `add` ﾃﾞｰﾀﾌｧｲﾙを追加 (every file chosen).
    void menuDataOpenClick(Desktop& desktop, bool add = false);
    // Reads a data file as the open command does, the options form first.
    bool OpenDataFile(Desktop& desktop, const std::string& path, bool add = false);
    // Text copied from a spreadsheet or an editor (tab-separated rows, as
    // a file would hold them) read as a data file through the options
    // form: ｸﾘｯﾌﾟﾎﾞｰﾄﾞから読む, Ctrl+V in the grid.
    bool ReadClipboardText(Desktop& desktop, const std::string& text);
    static constexpr const char* kClipboardSource = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞ";
    static constexpr const char* kEmptyClipboardText = "ｸﾘｯﾌﾟﾎﾞｰﾄﾞにﾃｷｽﾄがありません";
    static constexpr const char* kClipboardFileText =
        "ｸﾘｯﾌﾟﾎﾞｰﾄﾞのﾃｷｽﾄを作業用ﾌｧｲﾙ %s に書けません";
    // Reads a configuration file as the read command does, without the
    // drawing that follows it there.
    bool OpenConfigFile(const std::string& path);
    // The files named when the program starts: the first data file is
    // read as the open command reads it, then the last configuration file
    // (".kvc") as the read command does, drawing when data were read. A
    // file that cannot be read gets the menus' message.
    void OpenStartFiles(Desktop& desktop, const std::vector<std::string>& files, bool add = false);
    static bool IsConfigFileName(const std::string& path);
    // The data and configuration files read last, for the file menu.
    RecentFiles RecentData;
    RecentFiles RecentConfigs;
    // The reader's table becomes the document's source, with one series
    // per column, as one edit; plotting is enabled.
    void FillDataGrid();
    // The reader's table added to the document's: its columns after the
    // files' before it (the computed columns stay last), its series rows
    // with its first column as X, in a colour of its own, as one edit.
    void AppendDataGrid();
    // ﾃﾞｰﾀ → 計算列を追加: a column computed from the formula, with its
    // series row, as one edit; a formula that cannot be computed is told.
    static constexpr const char* kNoDataForColumnText = "計算列はﾃﾞｰﾀﾌｧｲﾙを開いてから追加します";
    bool AddComputedColumn(const std::string& formula);
    static constexpr const char* kComputedColumnTitle = "計算列を追加";
    static constexpr const char* kComputedColumnLabel =
        "式 (c1, c2 … は列、row は行番号; mean(c2), min, max, sum は列全体):";
    void menuComputedColumnClick(Desktop& desktop);
    // A click on LineCheck n: the series is plotted or not, and its legend
    // tick follows.
    void LineCheckClick(int n, bool checked);

    // Drawing: the graph of the document, the labels laid out anew, shown
    // in the graph window unless `showWindow` is false (the batch).
    bool DrawGraph(bool showWindow = true);
    bool PlotButtonClick() { return DrawGraph(); }
    void menuFramePlotClick();
    // A frame's settings for X and one Y axis.
    void SetUpFrame(TFrame& frame, AxisIndex yAxis);
    // The major divisions and the minor parts an axis is drawn with: the
    // grid settings, or with round steps the plan of its limits.
    void TickCounts(AxisIndex axis, int& divisions, int& minors) const;
    // With round steps on fixed linear limits: the ticks inside them.
    std::optional<NiceTicks> FixedLimitTicks(AxisIndex axis) const;
    // Whether an axis shows times, and on whose clock: its type is 日時,
    // or it is linear and every plotted series has a time column on it.
    std::optional<DateClock> DateClockOf(AxisIndex axis) const;
    // The calendar ticks of a date axis at its limits; none for an axis
    // that is no date axis or a span no calendar step divides.
    std::optional<DateTicks> AxisDates(AxisIndex axis) const;
    void menuPlotNumberClick();
    // Lays the title and axis labels out anew, dragged ones too.
    void menuLabelPlotClick();
    void menuExPlotClick();
    // A legend row's text: the series' legend text, and its axis where
    // the legend is asked to tell it.
    static constexpr const char* kLeftAxisNote = " (左軸)";
    static constexpr const char* kRightAxisNote = " (右軸)";
    std::string LegendRowText(int n);
    void menuImageviewClick();
    // Rebuilds the label picture from the visible labels of the graph
    // window.
    void menuLabelCopyClick();
    // The whole graph as one picture of the canvas size, recorded anew.
    const Picture& ComposeGraph();
    // Writes the graph to the file in the format its extension names
    // exactly: ".emf", ".wmf", ".svg", ".pdf", ".png" (as PngExport says);
    // any other extension gets a bitmap.
    void SaveGraphFile(const std::string& name);
    PngOptions PngExport;
    // The files no graph or configuration is written over: the data file
    // read last and, in a batch, every data file of the run.
    FileSet KeptFiles() const;
    FileSet BatchDataFiles;
    // The save dialog, then SaveGraphFile with the chosen format's
    // extension.
    void menuGraphSaveClick(Desktop& desktop);
    // Configuration files.
    static constexpr const char* kConfigFilter = "設定ﾌｧｲﾙ (*.kvc)|*.kvc";
    static constexpr int kQuickReadTag = 9999;
    // Over a file that is not a configuration (IsForeignFile) only when
    // `replaceForeign`: the window asks first, the batch refuses.
    bool WriteConfigFile(const std::string& name, bool replaceForeign = false);
    bool ReadConfigFile(const std::string& name);
    // Reads the file as for data of every column count, applying nothing:
    // false, with the reader's message, when it would be refused.
    bool CheckConfigFile(const std::string& name) const;
    // What the next data file is read with: the document's settings
    // become the reader's.
    void ApplyReadSettings();
    void menuConfigFileWriteClick(Desktop& desktop);
    // From ConfigReadButton (tag 9999) after a first read: the last file
    // again, no dialog, no redraw.
    void menuConfigFileReadClick(Desktop& desktop, int senderTag = 0);
    const std::string& LastConfigRead() const { return lastConfigRead_; }

    // The whole graph to the clipboard.
    void menuGraphCopyClick();
    // The graph window's copy: the graph, the legend or a label.
    void PopCopyClick();
    static constexpr const char* kGraphFilter =
        "拡張ﾒﾀﾌｧｲﾙ (*.emf)|*.emf|ﾒﾀﾌｧｲﾙ (*.wmf)|*.wmf|ﾋﾞｯﾄﾏｯﾌﾟ (*.bmp)|*.bmp|"
        "SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf|PNG (*.png)|*.png";
    static constexpr const char* kOverwriteText = "%s は既にあります。\n上書きしますか?";
    const std::string& LastImageName() const { return lastImageName_; }
    int LastImageFilter() const { return lastImageFilter_; }

    // The graph window.
    // The object under (x, y) of the client area, the selection rectangle
    // not counted, topmost first: the numbers and labels, the legend, the
    // graph; None for the background.
    GraphObject ObjectAt(int x, int y, TMathLabel** label);
    void ObjectClick(GraphObject object, TMathLabel* label = nullptr);
    SelectionGeometry::Cursor PaintMouseMove(int x, int y);
    void PaintStartDrag();
    void FormDragOver(int x, int y);
    // A drop on the window, the images, the selection or a title label.
    void FormDragDrop();
    // The left button released at (x, y) of a client area of the given
    // size while dragging: inside the selection rectangle, which follows
    // the mouse, it drops (also over a number label); elsewhere over a
    // number label nothing happens, as numbers take no drop; outside the
    // window the drag ends without a drop.
    void FormEndDrag(int x, int y, int clientWidth, int clientHeight, bool overNumber);
    void FormClick();
    void FormDeactivate();
    // The status bar's text for the mouse at (x, y) of the canvas: over
    // the plot area its data coordinates in the axes' number forms (dates
    // as dates) and, with a drawn point within a few pixels, that point's
    // series, row and values; empty elsewhere.
    std::string FormMouseMove(int x, int y);
    static constexpr const char* kPointerText = "X = %s   Y = %s";
    static constexpr const char* kPointerY2Text = "   右Y = %s";
    static constexpr const char* kPointAtText = "      '%s' %s 行目: X = %s, Y = %s";
    // The view of the drawn graph, each one undo step and drawn at once:
    // the plot area's rectangle from (x0, y0) to (x1, y1) of the canvas as
    // the fixed ranges (a rectangle of less than a few pixels is a click,
    // and nothing happens); the ranges scaled by 1/factor about (x, y) of
    // the plot area; shifted by (dx, dy) pixels; every axis automatic
    // again (全体表示). False where nothing was changed.
    bool ZoomToRectangle(int x0, int y0, int x1, int y1);
    bool ZoomAbout(int x, int y, double factor);
    bool PanBy(int dx, int dy);
    bool ShowWholeRange();
    // The canvas the size of the graph window's view, as the user asked
    // (ｷｬﾝﾊﾞｽをｳｨﾝﾄﾞｳの大きさにする), within the canvas sizes allowed.
    void SetCanvasToWindow(int width, int height);
    PopupItems PopupPopup();
    // The selected title or axis label goes back to where the layout puts
    // it (one undo step).
    void ResetSelectedLabelPlace();
    // The settings font the selection uses, and its change from the popup.
    FontSetting* SelectedFont();
    void ApplySelectedFont(const FontSetting& font);
    // The legend dialog's result.
    void ApplySampleSettings(const SampleSettings& settings);
    // The label editor's result for the selected label: caption and font;
    // the title and axis labels keep them as the title texts and fonts.
    void ApplyLabelEdit(const std::string& caption, const TLogFont& font);
    // The labels of the graph window, bottom first.
    std::vector<TMathLabel*> GraphLabels();

  signals:
    void GridChanged();
    // Cells were edited, or an edit was undone: the grid keeps its size.
    void CellsChanged();
    void RecentFilesChanged();
    void EnablingChanged();
    void SeriesRowsChanged();
    void SeriesRowChanged(int n);
    // The graph window's contents changed; it repaints.
    void GraphChanged();
    void ShowGraphWindow();
    // Undo or redo put another document in place: open dialogs show it.
    void DocumentRestored();

  private:
    // The file just read as a source whose first column is `firstColumn`.
    DataSource ReadSource(int firstColumn) const;
    // The reader's numbers and the column headers into the grid.
    void MoveReadIntoTable(const DataSource& source, TStringGrid& grid, bool added);
    std::vector<GraphSeries> SeriesOfSource(const DataSource& source, int index) const;
    // Plotting enabled, and the reader's notice told.
    void AfterRead();
    // The windows follow the document: the plots' styles and samples, the
    // reader's settings, the grid and the series rows.
    void ShowDocument(const GraphDocument& before);
    // The plots take their series' styles, and redraw their samples when
    // they changed (`all`: always).
    void ShowSeriesStyles(bool all);
    // The title and axis labels laid out, the dragged ones where the
    // document keeps them.
    void LayLabels();
    // The drawing's steps after the labels' places are decided.
    bool Draw(bool showWindow);
    // The document's places of dragged labels.
    void PlaceDraggedLabels();
    FontSetting* SelectedFontIn(GraphDocument& document);
    // Where the document keeps the place of the selected title or axis
    // label; none for another selection.
    std::optional<LabelPlace> GraphDocument::*SelectedLabelPlace() const;
    // Moves the plot area in, by the least, and shrinks it where moving is
    // not enough, when a number, an axis label or the title reaches past
    // the canvas; moves the legend left or up when it crosses the right or
    // bottom edge. True when anything moved.
    bool FitTextsInCanvas();
    void Enable(bool CommandEnabling::*command);
    // The steps of a drawing: the range of one axis from the points of the
    // checked series, the blank graph image, each series' marks and curve.
    using Columns = std::vector<PointColumn*>;
    bool RangeStep(AxisIndex axis, const Columns& values, const Columns& partners,
                   const std::vector<ErrorExtents>& errors);
    // The ranges of X and of each Y axis from the series drawn against it,
    // given to every series.
    bool AxisRanges(const std::vector<int>& checked, const Columns& xs, const Columns& ys,
                    const std::vector<ErrorExtents>& errorsX,
                    const std::vector<ErrorExtents>& errorsY);
    // The left or the right Y axis of series n.
    AxisIndex YAxisOf(int n) const;
    // Leaves the points at or below 0 of each logarithmic axis out (missing
    // values); a column another axis shows too is filtered in a copy kept
    // in `copies`. The notice of how many, empty for none.
    std::string LeaveOutNotPositive(const std::vector<int>& checked,
                                    const std::vector<int>& xColumns,
                                    const std::vector<int>& yColumns, Columns& xs, Columns& ys,
                                    std::map<std::pair<int, int>, PointColumn>& copies);
    void ImageStep();
    // Fits the series whose legend shows the fitted equation, before the
    // legend is laid out.
    void FitLegendEquations(const std::vector<int>& checked, const Columns& xs, const Columns& ys,
                            const std::vector<ErrorExtents>& errorsY);
    bool SeriesStep(const std::vector<int>& checked, const Columns& xs, const Columns& ys,
                    std::vector<ErrorExtents>& errorsX, std::vector<ErrorExtents>& errorsY);
    bool CheckLimits(AxisIndex axis);
    bool CheckDrawableSettings();
    // The limits of an automatic date axis at the calendar steps around
    // its data, and their ticks kept for the frame and the numbers.
    void RoundDateLimits(AxisIndex axis, double lo, double hi);
    std::array<std::optional<DateTicks>, 3> dateTicks_;
    // The series of the last drawing and whether it had a right axis: the
    // frames keep its ranges for the view commands.
    std::vector<int> drawnSeries_;
    bool drawnRightAxis_ = false;
    // The drawn axes' ranges changed as one step (`mergeKey` as Edit's),
    // then drawn.
    using AxisRange = std::pair<double, double>;
    bool SetViewRanges(const std::string& what,
                       const std::array<std::optional<AxisRange>, 3>& ranges,
                       const std::string& mergeKey = {});
    // The plot frame that maps an axis of the last drawing, and the pixel
    // of its plot area at (x, y) of the canvas (none off the plot area or
    // before a drawing).
    const TFrame& DrawnFrame(AxisIndex axis) const;
    std::optional<std::pair<int, int>> PlotPixel(int x, int y) const;

    std::vector<std::unique_ptr<TPlot>> plots_;
    CommandEnabling enabling_;
    bool graphDrawn_ = false;
    std::string lastDataPath_;
    std::string lastImageName_;
    std::string lastConfigSaved_;
    bool configSaved_ = false;
    std::string lastConfigRead_;
    bool configRead_ = false;
    int lastImageFilter_ = 1;
    bool savedOnce_ = false;
    int dataFilterIndex_ = 2;
    bool dataRead_ = false;
};
