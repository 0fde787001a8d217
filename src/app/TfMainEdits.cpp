// The one edit path: every change a user makes is applied to the graph
// document here, shown, and kept as a step of the undo stack.
#include <QUndoCommand>
#include <algorithm>

#include "app/TfMain.h"
#include "platform/MessageSink.h"
#include "platform/NumberText.h"
#include "platform/RaisedError.h"

namespace {

// A step: the document before and after an edit. Undo and redo put one
// of them in place; the edit itself has already made the after.
class DocumentStep : public QUndoCommand {
  public:
    DocumentStep(TfMain& main, const std::string& what, GraphDocument before, GraphDocument after,
                 std::string mergeKey)
        : main_(main),
          before_(std::move(before)),
          after_(std::move(after)),
          mergeKey_(std::move(mergeKey)) {
        setText(QString::fromStdString(what));
    }
    void undo() override { main_.RestoreDocument(before_); }
    void redo() override {
        if (applied_) main_.RestoreDocument(after_);
        applied_ = true;
    }
    // Steps merge by their key, compared in mergeWith.
    int id() const override { return mergeKey_.empty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const DocumentStep*>(other);
        if (next->mergeKey_ != mergeKey_) return false;
        after_ = next->after_;
        return true;
    }

  private:
    TfMain& main_;
    GraphDocument before_, after_;
    std::string mergeKey_;
    bool applied_ = false;
};

// The same files in the same grid sizes: what an edit of cells changes.
bool SameShape(const std::vector<DataSource>& a, const std::vector<DataSource>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        const DataSource &p = a[k], &q = b[k];
        if (p.Path != q.Path || p.Columns != q.Columns || p.Rows != q.Rows || !p.Table ||
            !q.Table || p.Table->ColCount() != q.Table->ColCount() ||
            p.Table->RowCount() != q.Table->RowCount())
            return false;
    }
    return true;
}

}  // namespace

void TfMain::Edit(const std::string& what, const std::function<void(GraphDocument&)>& change,
                  const std::string& mergeKey) {
    GraphDocument before = Doc;
    auto finish = [&] {
        if (Doc.SameAs(before)) return;
        ShowDocument(before);
        if (RecordsUndo)
            UndoStack.push(new DocumentStep(*this, what, std::move(before), Doc, mergeKey));
    };
    try {
        change(Doc);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TfMain::RestoreDocument(const GraphDocument& document) {
    const GraphDocument before = Doc;
    Doc = document;
    ShowDocument(before);
    // The graph as it was: drawn again from the document, its dragged
    // labels where they were.
    const bool anyPlotted = std::any_of(Doc.Series.begin(), Doc.Series.end(),
                                        [](const GraphSeries& s) { return s.Plotted; });
    // An error is told here: it must not leave the undo stack midway.
    if (graphDrawn_ && anyPlotted) {
        try {
            Draw(Canv.Shown);
        } catch (const RaisedError& error) {
            ShowMessage(error.Text());
        }
    }
    emit GraphChanged();
    emit DocumentRestored();
}

void TfMain::ShowDocument(const GraphDocument& before) {
    const bool rowsRebuilt = plots_.size() != Doc.Series.size();
    if (rowsRebuilt) {
        plots_.clear();
        for (std::size_t n = 0; n < Doc.Series.size(); ++n) {
            auto plot = std::make_unique<TPlot>();
            plot->Name = "LineImage" + IntToStr(int(n));
            plot->Tag = int(n) + 1;
            plot->Width = AllImage.Width;
            plot->Height = AllImage.Height;
            plots_.push_back(std::move(plot));
        }
    }
    ShowSeriesStyles(rowsRebuilt);
    if (!(AllImage.Style() == Doc.Template) || AllImage.SamplePicture.Empty()) {
        AllImage.Style() = Doc.Template;
        AllImage.DrawSample();
    }
    ApplyReadSettings();
    const bool sameTables = std::equal(
        before.Sources.begin(), before.Sources.end(), Doc.Sources.begin(), Doc.Sources.end(),
        [](const DataSource& a, const DataSource& b) { return a.Table == b.Table; });
    if (!sameTables || before.Sources != Doc.Sources) {
        if (SameShape(before.Sources, Doc.Sources))
            emit CellsChanged();
        else
            emit GridChanged();
    }
    if (rowsRebuilt) {
        emit SeriesRowsChanged();
        return;
    }
    for (std::size_t n = 0; n < Doc.Series.size(); ++n)
        if (!(Doc.Series[n] == before.Series[n])) emit SeriesRowChanged(int(n));
}

void TfMain::ShowSeriesStyles(bool all) {
    for (std::size_t n = 0; n < plots_.size(); ++n) {
        TPlot& plot = *plots_[n];
        if (!all && plot.Style() == Doc.Series[n].Style) continue;
        plot.Style() = Doc.Series[n].Style;
        plot.DrawSample();
    }
}
