#include "graph/SampleSetForm.h"

#include "platform/NumberText.h"

SampleSetTexts LoadSampleSet(const SampleSettings& s) {
    return {s.Frontcolor, s.Shadowcolor, IntToStr(s.Shadowsize), IntToStr(s.Left), IntToStr(s.Top)};
}

SampleSettings ApplySampleSet(const SampleSettings& settings, const SampleSetTexts& t) {
    SampleSettings s = settings;
    s.Frontcolor = t.Frontcolor;
    s.Shadowcolor = t.Shadowcolor;
    s.Shadowsize = LeadingInteger(t.Shadowsize);
    s.Left = LeadingInteger(t.Left);
    s.Top = LeadingInteger(t.Top);
    return s;
}
