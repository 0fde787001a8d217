#pragma once

#include <string>
#include <vector>

#include "graph/SettingsRecords.h"
#include "platform/Picture.h"

class TPlot;

// One series row as the legend sees it.
struct LegendRow {
    std::string Text;
    bool Listed = false;  // its legend tick
    const TPlot* Series = nullptr;
};

// Records the legend into `legend`: a box in the front colour with its
// shadow, and one row per listed series, its sample and its text. A row is
// as high as the template sample, or as the text and 4 pixels if that is
// more. Returns the number of rows listed.
int RecordLegend(Picture& legend, const std::vector<LegendRow>& rows, const SampleSettings& sample,
                 const TLogFont& font, int templateWidth, int templateHeight);
