// Building the sub-title rows of the birth and dynamic analysis, and their texts.
#include "Interpretation.h"

#include "Angles.h"
#include "Calendar.h"
#include "Horoscope.h"
#include "Language.h"
#include "TextHelpers.h"

#include <algorithm>

namespace kyr {

const std::array<int, 13> RulerTable = {0, 5, 4, 3, 2, 1, 3, 4, 5, 6, 7, 7, 6};
const std::array<int, 13> CoRulerTable = {0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0, 8, 9};
const std::array<int, 18> BothTitleMap = {0, 1, 6, 5, 3, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 8, 7};
const std::array<double, 13> MaxOrbTable = {14, 1, 1.5, 3, 6, 1, 8, 1, 10, 3, 1.5, 1, 12};

namespace {

constexpr int BirthTitleIds[16] = {150, 151, 152, 153, 154, 155, 156, 157,
                                   158, 159, 160, 161, 162, 163, 164, 165};
constexpr int DynamicTitleIds[17] = {150, 738, 739, 740, 151, 152, 153, 154, 155,
                                     156, 157, 158, 159, 160, 161, 741, 742};
constexpr int SynastryTitleIds[5] = {907, 908, 909, 910, 911};

// The dynamic titles of the two house-period lists.
constexpr int SaturnPeriodTitle = 16;
constexpr int JupiterPeriodTitle = 17;
// Where a house-period row points in the Aspect field: a marker, not an index.
constexpr int HousePeriodMarker = 5;

// Sign 1..12 of a longitude in radians.
int SignOfLongitude(Extended radians) {
    const long long s = Trunc(radians * 6 / Pi);
    return static_cast<int>(((s % 12) + 12) % 12) + 1;
}

int OppositeOf(int n) {
    return n < 7 ? n + 6 : n - 6;
}

// Angle text id of cusps 1, 4, 7, 10; 0 for the others.
int AngleTextId(int house) {
    switch (house) {
    case 1:
        return 71;
    case 4:
        return 74;
    case 7:
        return 75;
    case 10:
        return 72;
    default:
        return 0;
    }
}

} // namespace

std::string FormatText(const std::string &pattern, const std::vector<std::string> &values) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const std::size_t k = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (k < values.size())
                out += values[k];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

// ---- texts ----

std::string TInterpretation::Text(int id) const {
    return FLanguage ? FLanguage->GetText(id) : std::string();
}

std::string TInterpretation::Formatted(int id, const std::vector<std::string> &values,
                                       const std::string &fallback) const {
    const std::string pattern = Text(id);
    return pattern.empty() ? fallback : FormatText(pattern, values);
}

std::string TInterpretation::BodyName(int body) const {
    return FLanguage ? FLanguage->BodyName(body - 1) : std::string();
}

std::string TInterpretation::SignName(int sign) const {
    return FLanguage ? FLanguage->SignName(sign - 1) : std::string();
}

std::string TInterpretation::Ordinal(int n) const {
    return FLanguage ? FLanguage->OrdinalText(n) : std::string();
}

std::string TInterpretation::BodyInSignText(int body, int sign) const {
    const std::string b = BodyName(body);
    const std::string s = SignName(sign);
    std::string text = Formatted(1011, {b, s}, b + Text(12) + s);
    if (FHoroscope && FHoroscope->Retrograde(body))
        text += Text(13);
    return text;
}

std::string TInterpretation::BodyInHouseText(int body, int house) const {
    const std::string b = BodyName(body);
    const std::string h = Ordinal(house);
    return Formatted(1012, {b, h}, b + Text(12) + h + Text(17));
}

std::string TInterpretation::CuspInSignText(int house, int sign) const {
    const std::string s = SignName(sign);
    if (const int angle = AngleTextId(house)) {
        const std::string a = Text(angle);
        return Formatted(1009, {a, s}, a + Text(12) + s);
    }
    const std::string h = Ordinal(house);
    return Formatted(1010, {h, s}, h + Text(73) + Text(12) + s);
}

std::string TInterpretation::AspectText(int point, int e, int other) const {
    return FLanguage->PointName(point) + " " + FLanguage->AspectName(e) + " " +
           FLanguage->PointName(other);
}

std::string TInterpretation::TransitText(int body, int e, int target) const {
    const std::string b = BodyName(body + 5);
    const std::string a = FLanguage->AspectName(e);
    const std::string t = FLanguage->PointName(target);
    return Formatted(1017, {b, a, t}, b + " " + Text(705) + " " + a + " " + t);
}

// ---- the table ----

void TInterpretation::FillMainTitles() {
    if (!FMainTitleBox)
        return;
    FMainTitleBox->Clear();
    auto add = [this](const int *ids, int count) {
        for (int i = 0; i < count; ++i)
            FMainTitleBox->Add(Text(ids[i]), -1);
    };
    if (HardCopy || FInterptype == itBirthAnalysis)
        add(BirthTitleIds, 16);
    else if (FInterptype == itDynamic)
        add(DynamicTitleIds, 17);
    else if (FInterptype == itSynastry)
        add(SynastryTitleIds, 5);
}

void TInterpretation::AddSubTitle(const std::string &text, int ix, int chapter, int code3,
                                  int code4, int aspect) {
    if (RowCount() >= MaxTitleRows)
        throw EInterpretationException("SubTitle table full!");
    TTitleRow row;
    row.Ix = static_cast<std::uint8_t>(ix);
    row.ChapCode = static_cast<std::uint8_t>(chapter);
    row.Code3 = static_cast<std::uint8_t>(code3);
    row.Code4 = static_cast<std::uint8_t>(code4);
    row.Aspect = aspect;
    row.RowIndex = RowCount();
    row.TitleText = FirstCharacters(text, MaxTitleTextLength);
    FRows.push_back(std::move(row));
    if (FDebugListBox)
        FDebugListBox->Add("Ix:" + std::to_string(ix) + ",ChapCode:" + std::to_string(chapter) +
                           ",Code3:" + std::to_string(code3) + ",Code4:" + std::to_string(code4) +
                           ",Aspect:" + std::to_string(aspect) + ";" + text);
}

void TInterpretation::AddBodyInSign(int ix, int body) {
    if (HardCopy && body == SouthNodeIndex)
        return;
    const int sign = SignOfLongitude(FHoroscope->Position(body));
    std::string text = BodyInSignText(body, sign);
    // In print the South Node rides along with the North Node.
    if (HardCopy && body == NorthNodeIndex)
        text += FLanguage->ListSeparator() + BodyInSignText(SouthNodeIndex, OppositeOf(sign));
    AddSubTitle(text, ix, 1, body, sign, 0);
}

void TInterpretation::AddBodyInHouse(int ix, int body) {
    if (HardCopy && body == SouthNodeIndex)
        return;
    const int house = FHoroscope->HouseOfBody(body - 1);
    std::string text = BodyInHouseText(body, house);
    if (HardCopy && body == NorthNodeIndex)
        text += FLanguage->ListSeparator() + BodyInHouseText(SouthNodeIndex, OppositeOf(house));
    AddSubTitle(text, ix, 3, body, house, 0);
}

void TInterpretation::AddAspects(int ix, int chapter, int point) {
    for (int i = 1;; ++i) {
        int p1 = 0, p2 = 0, e = 0;
        Extended deviation = 0;
        if (!FHoroscope->GetAspect(i, p1, p2, e, deviation))
            break;
        if (p1 != point && p2 != point)
            continue;
        const int other = p1 == point ? p2 : p1;
        // Aspects to the Ascendant are listed only under the Ascendant's title.
        if (other == AspectPointAscendant)
            continue;
        std::string text = AspectText(point, e, other);
        if (HardCopy) {
            if (point == SouthNodeIndex || other == SouthNodeIndex)
                continue;
            const std::string sep = FLanguage->ListSeparator();
            if (point == NorthNodeIndex)
                text += sep + AspectText(SouthNodeIndex, 12 - e, other);
            else if (other == NorthNodeIndex)
                text += sep + AspectText(point, 12 - e, SouthNodeIndex);
        }
        if (point == AspectPointAscendant)
            AddSubTitle(text, ix, chapter, other, 1, i);
        else if (other == AspectPointMC)
            AddSubTitle(text, ix, 6, point, 10, i);
        else
            AddSubTitle(text, ix, chapter, std::min(point, other), std::max(point, other), i);
    }
}

void TInterpretation::BuildBirthAnalysis() {
    const int lastTitle = HardCopy || FInterptype == itBoth ? 12 : 16;
    THoroscope &h = *FHoroscope;

    const int ascSign = SignOfLongitude(h.Cusp(1));
    AddSubTitle(CuspInSignText(1, ascSign), 1, 2, 1, ascSign, 0);
    AddAspects(1, 6, AspectPointAscendant);
    for (const int ruler : {RulerTable[ascSign], CoRulerTable[ascSign]}) {
        if (ruler == 0)
            continue;
        AddBodyInSign(1, ruler);
        AddBodyInHouse(1, ruler);
    }

    for (int title = 2; title <= 12; ++title) {
        const int last = title == 12 ? SouthNodeIndex : title - 1;
        for (int b = title - 1; b <= last; ++b) {
            AddBodyInSign(title, b);
            AddBodyInHouse(title, b);
            AddAspects(title, 5, b);
        }
    }
    if (lastTitle < 16)
        return;

    for (int house = 1; house <= 12; ++house)
        AddSubTitle(CuspInSignText(house, SignOfLongitude(h.Cusp(house))), 13, 2, house,
                    SignOfLongitude(h.Cusp(house)), 0);
    for (int b = 1; b <= 12; ++b)
        AddSubTitle(BodyName(b), 14, 12, 1, b, 0);
    for (int s = 1; s <= 12; ++s)
        AddSubTitle(SignName(s), 15, 13, 1, s, 0);
    for (int house = 1; house <= 12; ++house)
        AddSubTitle(Ordinal(house) + Text(17), 16, 14, 1, house, 0);
}

void TInterpretation::BuildDynamicAnalysis() {
    const bool merged = HardCopy || FInterptype == itBoth;
    for (int i = 1;; ++i) {
        int body = 0, e = 0, target = 0, first = 0, last = 0;
        if (!FHoroscope->GetTransit(i, body, e, target, first, last))
            break;
        int chapter = 0, code4 = 0, title = 0;
        if (target >= 1 && target <= 12) {
            if (HardCopy && target == SouthNodeIndex)
                continue;
            chapter = 8;
            code4 = target;
            // The South Node shares the nodes' title.
            title = target == SouthNodeIndex ? 15 : target + 4;
        } else if (target == 101 || target == 104 || target == 107 || target == 110) {
            chapter = 9;
            code4 = target - 100;
            title = code4 / 3 + 1;
        } else {
            continue;
        }
        std::string text;
        const std::string b = BodyName(body + 5);
        const std::string a = FLanguage->AspectName(e);
        const std::string t = FLanguage->PointName(target);
        if (HardCopy) {
            text = Formatted(1013, {b, a, t}, b + " " + Text(705) + " " + a + " " + t);
        } else {
            const std::string year = std::to_string(first / 10000);
            text = Formatted(1014, {year, b, a, t}, year + " " + b + " " + a + " " + t);
        }
        AddSubTitle(text, merged ? BothTitleMap[title] : title, chapter, body, code4, i);
    }
    AddHousePeriods(7, merged ? BothTitleMap[SaturnPeriodTitle] : SaturnPeriodTitle);
    AddHousePeriods(6, merged ? BothTitleMap[JupiterPeriodTitle] : JupiterPeriodTitle);
}

void TInterpretation::AddHousePeriods(int body, int title) {
    std::array<std::uint8_t, HouseStorySize> block{};
    FHoroscope->GetTxHouseStory(body, block.data());
    constexpr int First = CuspTextLength;
    constexpr int Entries = (HouseStorySize - First) / 3;
    auto dayOf = [&](int k) { return block[First + 3 * k] | block[First + 3 * k + 1] << 8; };
    auto houseOf = [&](int k) { return static_cast<int>(block[First + 3 * k + 2]); };
    const Extended j = JulianDayFromYmd(FHoroscope->FromYear() * 10000 + 101, true);
    const std::string name = BodyName(body);
    // The last entry of a full block closes the list, so k + 1 always exists.
    for (int k = 0; k + 1 < Entries && houseOf(k) != 0; ++k) {
        const int house = houseOf(k);
        const int from = YmdFromJulianDay(1500, j + dayOf(k));
        const int to = YmdFromJulianDay(1500, j + dayOf(k + 1) - 1);
        const std::string year = std::to_string(from / 10000);
        const std::string h = Ordinal(house);
        const std::string text = Formatted(
            1015, {year, name, h}, year + " " + name + " " + Text(675) + " " + h + Text(17));
        AddSubTitle(text, title, 4, body - 5, house, HousePeriodMarker);
        FRows.back().FromDate = from;
        FRows.back().ToDate = to;
    }
}

} // namespace kyr
