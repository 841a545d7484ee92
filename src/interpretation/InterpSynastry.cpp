// Relationship (synastry) mode: ten questions answered by codes of the two charts.
#include "Interpretation.h"

#include "Angles.h"
#include "Horoscope.h"
#include "Language.h"
#include "TextHelpers.h"

namespace kyr {

namespace {

// Who gets the extra house code of a question.
constexpr int NoSide = 0;
constexpr int FirstSide = 1;
constexpr int SecondSide = 2;
constexpr int NoPoint = 0;

struct TSynastryQuestion {
    int TextId;
    int Ix;
    int Chapter;
    int Code4;
    int Point; ///< chart point, 0 = a question without codes
    int Extra;
};

constexpr TSynastryQuestion Questions[10] = {
    {912, 1, 1, 1, 1, SecondSide},   {913, 1, 2, 2, 2, FirstSide},  {921, 2, 1, 3, PointMC, NoSide},
    {914, 3, 1, 0, 4, FirstSide},    {915, 3, 2, 0, 5, SecondSide}, {916, 4, 1, 0, 3, NoSide},
    {917, 4, 2, 0, 6, NoSide},       {918, 4, 3, 0, 7, NoSide},     {919, 4, 4, 0, NoPoint, NoSide},
    {920, 5, 1, 0, NoPoint, NoSide},
};

// Sign 1..12 of chart point p, as SignOfBody + 1 gives it for the bodies.
int SignOfPoint(const THoroscope &h, int p) {
    return static_cast<int>(Trunc(h.PositionDeg(p) / 30) % 12) + 1;
}

} // namespace

int TInterpretation::AddSynastryCode(int kind, int point, int a, int b) {
    if (static_cast<int>(FSynastryCodes.size()) >= MaxSynastryCodes)
        return 0;
    FSynastryCodes.push_back({static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(point),
                              static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b)});
    return static_cast<int>(FSynastryCodes.size());
}

void TInterpretation::AddSynastryItem(int question, int a, int b, int shared) {
    if (static_cast<int>(FSynastryItems.size()) >= MaxSynastryItems)
        return;
    FSynastryItems.push_back({question, a, b, static_cast<std::uint8_t>(shared)});
}

void TInterpretation::AddSynastryQuestion(int question, int p, int extra) {
    const THoroscope &first = *FHoroscope;
    const THoroscope &second = *PartnerHoroscope;
    const int s1 = SignOfPoint(first, p);
    const int s2 = SignOfPoint(second, p);
    const int h1 = first.HouseOfLongitude(first.PositionDeg(p));
    const int h2 = second.HouseOfLongitude(second.PositionDeg(p));
    // Each person's point in the other's houses.
    const int c1 = second.HouseOfLongitude(first.PositionDeg(p));
    const int c2 = first.HouseOfLongitude(second.PositionDeg(p));

    int b = AddSynastryCode(7, p, s2, 0);
    int a = AddSynastryCode(7, p, s1, 0);
    AddSynastryItem(question, a, b, 0);
    if (extra == FirstSide) {
        a = AddSynastryCode(7, p, h1, 1);
        AddSynastryItem(question, a, 0, 0);
    } else if (extra == SecondSide) {
        b = AddSynastryCode(7, p, h2, 2);
        AddSynastryItem(question, 0, b, 0);
    }
    b = AddSynastryCode(9, p, h2, 0);
    a = AddSynastryCode(9, p, h1, 0);
    AddSynastryItem(question, a, b, 0);
    b = AddSynastryCode(10, p, c2, 0);
    a = AddSynastryCode(10, p, c1, 0);
    AddSynastryItem(question, a, b, 0);
    a = AddSynastryCode(8, p, s1, s2);
    AddSynastryItem(question, a, 0, 1);
}

void TInterpretation::BuildSynastry(bool withRows) {
    FSynastryCodes.clear();
    FSynastryItems.clear();
    for (int q = 1; q <= 10; ++q) {
        const TSynastryQuestion &question = Questions[q - 1];
        if (withRows)
            AddSubTitle(Text(question.TextId), question.Ix, question.Chapter, 0, question.Code4, 0);
        if (PartnerHoroscope && FHoroscope && question.Point != NoPoint)
            AddSynastryQuestion(q, question.Point, question.Extra);
    }
}

void TInterpretation::GetSynastryText(int question, std::stringstream &stream) {
    stream.str(std::string());
    stream.clear();
    if (!OnGetSynastryChapter)
        return;
    for (const TSynastryItem &item : FSynastryItems) {
        if (item.Question != question)
            continue;
        FScratchStream.str(std::string());
        FScratchStream.clear();
        int code = 0;
        if (SynastryView == 1)
            code = item.FirstCode;
        else if (SynastryView == 2)
            code = item.SecondCode != 0 ? item.SecondCode : item.Shared ? item.FirstCode : 0;
        if (code <= 0 || code > static_cast<int>(FSynastryCodes.size()))
            continue;
        const TSynastryCode &c = FSynastryCodes[code - 1];
        std::string attitude;
        OnGetSynastryChapter(*this, TwoDigits(c.Kind), TwoDigits(c.Point), TwoDigits(c.ValueA),
                             TwoDigits(c.ValueB), attitude, FScratchStream);
        // The key word leads into its passage on the same line.
        if (!attitude.empty())
            stream << attitude << ' ';
        const std::string passage = FScratchStream.str();
        stream << passage;
        // Passages are stored without a final line break; without one the next key word
        // would run on in the middle of this passage's last line.
        if (!passage.empty() && passage.back() != '\r' && passage.back() != '\n')
            stream << '\r';
    }
}

} // namespace kyr
