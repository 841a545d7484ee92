#include "AspectChords.h"

#include "Angles.h"
#include "Horoscope.h"

namespace kyr {

TRgb AspectColour(int e) {
    if (e < 0 || e >= static_cast<int>(AspectColours.size()))
        return {};
    return AspectColours[e];
}

std::vector<TAspectChord> LayoutAspectChords(const THoroscope &horoscope, const TWheelFrame &frame,
                                             Extended rotation, Extended r) {
    std::vector<TAspectChord> chords;
    const Extended toWheel = Pi - horoscope.Cusp(1) + rotation;
    int p = 0, q = 0, e = 0;
    Extended deviation = 0;
    for (int n = 1; horoscope.GetAspect(n, p, q, e, deviation); ++n) {
        TAspectChord chord;
        chord.Point1 = p;
        chord.Point2 = q;
        chord.Colour = AspectColour(e);
        chord.Line = MakeWheelLine(frame.Polar(horoscope.AspectPoint(p) + toWheel, r),
                                   frame.Polar(horoscope.AspectPoint(q) + toWheel, r));
        chords.push_back(chord);
    }
    return chords;
}

} // namespace kyr
