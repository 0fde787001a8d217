// The export of the graph: the composed picture, the files, the save
// dialog and the clipboard.
#include <algorithm>
#include <filesystem>

#include "app/TfMain.h"
#include "platform/AtomicFile.h"
#include "platform/BmpWriter.h"
#include "platform/Canvas.h"
#include "platform/Clipboard.h"
#include "platform/EmfWriter.h"
#include "platform/FilePaths.h"
#include "platform/FormatText.h"
#include "platform/IniFile.h"
#include "platform/PdfWriter.h"
#include "platform/RaisedError.h"
#include "platform/SvgWriter.h"
#include "platform/WmfWriter.h"

void TfMain::menuLabelCopyClick() {
    LabelPicture.Clear();
    LabelPicture.SetSize(Doc.Graph.Canvaswidth, Doc.Graph.Canvasheight);
    Canvas canvas(LabelPicture);
    for (TMathLabel* label : GraphLabels()) {
        canvas.Brush.Style = BrushStyle::bsClear;
        if (label->Visible && label->OnGraphWindow)
            canvas.Draw(label->Left, label->Top, label->CaptionPicture());
    }
}

const Picture& TfMain::ComposeGraph() {
    menuLabelCopyClick();
    Picture& graph = ComposedPicture;
    graph.Clear();
    graph.SetSize(Doc.Graph.Canvaswidth, Doc.Graph.Canvasheight);
    graph.SetExactSize(Doc.Graph.ExactCanvasWidth(), Doc.Graph.ExactCanvasHeight());
    graph.Reserve(AllImage.FramePicture.Ops().size() + PlotPicture.Ops().size() +
                  LabelPicture.Ops().size() + LegendPicture.Ops().size() + 16);
    Canvas canvas(graph);
    canvas.Draw(Doc.Graph.Left, Doc.Graph.Top, AllImage.FramePicture);
    canvas.Draw(Doc.Graph.Left, Doc.Graph.Top, PlotPicture);
    canvas.Draw(0, 0, LabelPicture);
    if (Canv.SampleBase.Visible) canvas.Draw(Doc.Sample.Left, Doc.Sample.Top, LegendPicture);
    return graph;
}

void TfMain::SaveGraphFile(const std::string& name) {
    const Picture& graph = ComposeGraph();
    const std::string extension = FileExtension(name);
    std::string bytes;
    if (extension == ".wmf") {
        bytes = WmfBytes(graph);
    } else if (extension == ".emf") {
        bytes = EmfBytes(graph);
    } else if (extension == ".svg" || extension == ".pdf") {
        const QByteArray vector =
            extension == ".svg" ? SvgBytes(graph) : PdfBytes(graph, PlainText(Doc.Title.Main));
        bytes.assign(vector.constData(), std::size_t(vector.size()));
    } else if (extension == ".png") {
        bytes = PngBytes(graph, PngExport);
    } else {
        bytes = BmpBytes(graph);
    }
    WriteFileAtomically(name, bytes, {KeptFiles()});
}

FileSet TfMain::KeptFiles() const {
    FileSet kept = BatchDataFiles;
    if (!DataOpen.FileName.empty() && DataOpen.FileName != kClipboardSource)
        kept.Add(DataOpen.FileName);
    return kept;
}

void TfMain::menuGraphSaveClick(Desktop& desktop) {
    SaveFileRequest request;
    request.Filter = kGraphFilter;
    if (savedOnce_) {
        request.InitialDir = std::filesystem::path(lastImageName_).parent_path().string();
        request.FilterIndex = lastImageFilter_;
    } else {
        request.FilterIndex = 1;
    }
    const auto chosen = desktop.SaveFile(request);
    if (!chosen) return;
    const std::string typed = chosen->File;
    static const char* const kExtensions[] = {".emf", ".wmf", ".bmp", ".svg", ".pdf", ".png"};
    int filter = std::clamp(chosen->FilterIndex, 1, int(std::size(kExtensions)));
    // A typed extension of a format written here wins over the filter; any
    // other is replaced by the filter's.
    const std::string typedExtension = FileExtension(typed);
    for (int k = 1; k <= int(std::size(kExtensions)); ++k)
        if (SameText(typedExtension, kExtensions[k - 1])) filter = k;
    const std::string name = WithoutExtension(typed) + kExtensions[filter - 1];
    // A PNG's resolution and background, asked each time and kept for the
    // next.
    std::optional<PngOptions> png;
    if (FileExtension(name) == ".png") {
        png = desktop.AskPngOptions(PngExport);
        if (!png) return;
        png->Dpi = std::clamp(png->Dpi, Desktop::kMinAskedDpi, PngOptions::kMaxDpi);
    }
    // The dialog asked about the name as typed; a different final name
    // that exists is asked about too, and "no" leaves everything as it was.
    if (name != typed && std::filesystem::exists(name) &&
        !desktop.Confirm(FormatText(kOverwriteText, {name})))
        return;
    lastImageName_ = typed;
    lastImageFilter_ = filter;
    if (png) PngExport = *png;
    SaveGraphFile(name);
    savedOnce_ = true;
}

void TfMain::menuGraphCopyClick() {
    CopyPictureToClipboard(ComposeGraph());
}

void TfMain::PopCopyClick() {
    switch (Selected) {
        case GraphObject::Image:
            menuGraphCopyClick();
            break;
        case GraphObject::SampleBase:
            CopyPictureToClipboard(LegendPicture);
            break;
        case GraphObject::None:
            break;
        default:
            if (SelectedLabel) CopyPictureToClipboard(SelectedLabel->CaptionPicture());
            break;
    }
}
