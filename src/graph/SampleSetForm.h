#pragma once

#include <string>

#include "graph/SettingsRecords.h"

// The legend settings dialog's fields as shown and typed: the colours,
// and the shadow size and position as texts.
struct SampleSetTexts {
    TColor Frontcolor = clWhite;
    TColor Shadowcolor = clBlack;
    std::string Shadowsize, Left, Top;
};

SampleSetTexts LoadSampleSet(const SampleSettings& settings);
// The settings the texts give: each number is the whole number its text
// starts with, 0 for none, as the dialog has always read them.
SampleSettings ApplySampleSet(const SampleSettings& settings, const SampleSetTexts& texts);
