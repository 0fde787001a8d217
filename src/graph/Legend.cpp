#include "graph/Legend.h"

#include <algorithm>

#include "graph/AxisNumbers.h"
#include "graph/TMathLabel.h"
#include "platform/Canvas.h"
#include "plot/TPlot.h"

int RecordLegend(Picture& legend, const std::vector<LegendRow>& rows, const SampleSettings& sample,
                 const TLogFont& font, int templateWidth, int templateHeight) {
    TMathLabel label;
    label.Visible = false;
    label.Font = font;
    label.Color = clWhite;
    // The row height follows the text measured last, listed or not.
    int count = 0, maxWidth = 0;
    for (const LegendRow& row : rows) {
        label.SetCaption(row.Text);
        if (row.Listed) {
            ++count;
            maxWidth = std::max(maxWidth, label.Width);
        }
    }
    const int w = templateWidth + maxWidth + 10;
    const int rowH = templateHeight >= label.Height + 4 ? templateHeight : label.Height + 4;
    const int s = sample.Shadowsize;
    legend.Clear();
    legend.SetSize(s + w, rowH * count + s);
    Canvas canvas(legend);
    canvas.Brush.Color = sample.Shadowcolor;
    canvas.Pen.Color = sample.Shadowcolor;
    canvas.Rectangle(s, s, s + w, rowH * count + s);
    canvas.Brush.Color = sample.Frontcolor;
    canvas.Pen = TPen{clBlack, PenStyle::psSolid, 1};
    canvas.Rectangle(0, 0, w, rowH * count);
    int i = 0;
    for (const LegendRow& row : rows) {
        if (!row.Listed) continue;
        label.Color = sample.Frontcolor;
        label.SetCaption(TrimSpaces(row.Text));
        const TPlot& plot = *row.Series;
        canvas.Draw(0, int((i + 0.5) * rowH - plot.Height / 2), plot.SamplePicture);
        canvas.Draw(plot.Width, int((i + 0.5) * rowH - label.Height / 2), label.CaptionPicture());
        ++i;
    }
    return count;
}
