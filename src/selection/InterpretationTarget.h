// What the selection panel asks of the interpretation window: show a chart factor and select
// its row. Every operation does nothing by default, so a window implements what it can.
#pragma once

namespace kyr {

class TInterpretationTarget {
public:
    virtual ~TInterpretationTarget() = default;

    // Bodies 1..12, signs 1..12, houses and cusps 1..12, aspects and transits by their
    // 1-based number in the chart's lists.
    virtual void ShowBody(int /*body*/) {}
    virtual void ShowSign(int /*sign*/) {}
    virtual void ShowHouse(int /*house*/) {}
    virtual void ShowCusp(int /*house*/) {}
    virtual void ShowAspect(int /*aspect*/) {}
    virtual void ShowTransit(int /*transit*/) {}
    virtual void ShowBodyInSign(int /*body*/, int /*sign*/) {}
    virtual void ShowBodyInHouse(int /*body*/, int /*house*/) {}
    virtual void ShowCuspInSign(int /*house*/, int /*sign*/) {}
    /// The period of Jupiter or Saturn in house that starts on startYmd (YYYYMMDD).
    virtual void SelectHousePeriod(int /*startYmd*/, int /*house*/) {}
};

} // namespace kyr
