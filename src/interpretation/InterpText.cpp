// Text assembly: title and period lines, side chapters, the main passage and print headings.
#include "Interpretation.h"

#include "Angles.h"
#include "Calendar.h"
#include "Horoscope.h"
#include "Language.h"
#include "TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace kyr {

namespace {

constexpr char CR = '\r';
constexpr std::size_t MaxHeadingLength = 100;

void ClearStream(std::stringstream &stream) {
    stream.str(std::string());
    stream.clear();
}

std::string DebugMarker(const std::string &book, const std::string &chapter,
                        const std::string &code3, const std::string &code4) {
    return "***[" + book + chapter + code3 + code4 + "]***" + CR;
}

// Book names are plain words; bytes of other characters pass unchanged.
std::string UpperCase(std::string text) {
    for (char &c : text)
        if (static_cast<unsigned char>(c) < 0x80)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

void TInterpretation::AddSideChapter(std::ostream &stream, int book, int chapter, int code3,
                                     int code4) {
    const std::string b = TwoDigits(book);
    const std::string ch = TwoDigits(chapter);
    const std::string c3 = TwoDigits(code3);
    const std::string c4 = TwoDigits(code4);
    if (DebugMode)
        stream << DebugMarker(b, ch, c3, c4);
    if (OnGetChapter) {
        std::string attitude;
        std::ostringstream passage;
        OnGetChapter(*this, b, ch, c3, c4, attitude, passage);
        // Stored passages end without a line break: the next passage starts on a line of its own.
        std::string text = passage.str();
        if (!text.empty() && text.back() != CR && text.back() != '\n')
            text += CR;
        stream << text;
    }
}

void TInterpretation::AssembleText(int row, int book, std::string &title, std::string &period,
                                   int &transitIndex, bool side, bool main, bool heading,
                                   std::stringstream *stream) {
    title.clear();
    period.clear();
    transitIndex = -1;
    if (!stream || !ValidRow(row) || !FLanguage || !FHoroscope)
        return;
    ClearStream(*stream);
    TTitleRow &r = FRows[row];

    int transitAspect = 0;
    switch (r.ChapCode) {
    case 4: {
        const std::string b = BodyName(r.Code3 + 5);
        const std::string h = Ordinal(r.Code4);
        title = Formatted(1016, {b, h}, b + " " + Text(705) + " " + Text(675) + " " + h + Text(17));
        if (HardCopy)
            r.TitleText = FirstCharacters(title, MaxTitleTextLength);
        period = YmdToDateString(r.FromDate) + " -> " + YmdToDateString(r.ToDate);
        break;
    }
    case 8:
    case 9: {
        int body = 0, target = 0, first = 0, last = 0;
        if (FHoroscope->GetTransit(r.Aspect, body, transitAspect, target, first, last)) {
            title = TransitText(body, transitAspect, target);
            if (HardCopy && r.ChapCode == 8 && target == NorthNodeIndex)
                title += FLanguage->ListSeparator() +
                         TransitText(body, 12 - transitAspect, SouthNodeIndex);
            period = YmdToDateString(first) + " -> " + YmdToDateString(last);
            transitIndex = r.Aspect;
        }
        break;
    }
    default:
        title = r.TitleText;
        break;
    }

    const bool debugOnEntry = DebugMode;
    if (heading)
        DebugMode = false;

    if (side) {
        // The variant depends only on book and row, so a row always reads the same.
        const int v = book + row;
        switch (r.ChapCode) {
        case 1:
            if (FHoroscope->Retrograde(r.Code3))
                AddSideChapter(*stream, 1, 18, 1, v % 5 + 1);
            break;
        case 5:
        case 6:
        case 7: {
            int p1 = 0, p2 = 0, e = 0;
            Extended deviation = 0;
            if (FHoroscope->GetAspect(r.Aspect, p1, p2, e, deviation)) {
                const long long exactness =
                    Trunc(deviation / 60 * 3 / static_cast<Extended>(MaxOrbTable[e]));
                const int cls = static_cast<int>(std::min<long long>(exactness, 2));
                AddSideChapter(*stream, book, 16, cls + 1, v % 3 + 1);
            } else {
                e = 0;
            }
            AddSideChapter(*stream, book, 17, e + 1, (v + 1) % 3 + 1);
            break;
        }
        case 4:
            if (FInterpMemo)
                *stream << title << CR << period << CR;
            break;
        case 8:
        case 9:
            if (FInterpMemo) {
                if (!title.empty())
                    *stream << title << CR;
                if (!period.empty())
                    *stream << period << CR;
            }
            AddSideChapter(*stream, book, 19, transitAspect + 1, v % 2 + 1);
            break;
        default:
            break;
        }
    }

    std::string attitude;
    if (main) {
        const std::string b = TwoDigits(book);
        const std::string ch = TwoDigits(r.ChapCode);
        const std::string c3 = TwoDigits(r.Code3);
        const std::string c4 = TwoDigits(r.Code4);
        if (DebugMode)
            *stream << DebugMarker(b, ch, c3, c4);
        ClearStream(FScratchStream);
        if (OnGetChapter)
            OnGetChapter(*this, b, ch, c3, c4, attitude, FScratchStream);
        attitude = EscapeAmpersand(attitude);
        if (heading) {
            const bool empty = stream->tellp() <= 0;
            std::string line = (empty ? std::string() : std::string(1, CR)) +
                               UpperCase(EscapeAmpersand(Text(115 + book))) + " - " + attitude + CR;
            *stream << FirstCharacters(line, MaxHeadingLength);
        }
        // A debug print shows the headings only.
        if (!(heading && debugOnEntry))
            *stream << FScratchStream.str();
    }
    if (FAttitudeLabel)
        FAttitudeLabel->SetCaption(attitude);

    DebugMode = debugOnEntry;
    stream->seekg(0);
}

bool TInterpretation::ShowText(int row, int bookIndex) {
    if (FInterptype == itBirthAnalysis || FInterptype == itDynamic || FInterptype == itBoth) {
        if (bookIndex >= 0 && bookIndex <= 3 && ValidRow(row) && FRows[row].Books[bookIndex] != 0) {
            std::string title, period;
            int transit = -1;
            AssembleText(row, FRows[row].Books[bookIndex], title, period, transit, true, true,
                         false, &FMemoStream);
            LoadMemo();
            return true;
        }
        if (FAttitudeLabel)
            FAttitudeLabel->SetCaption(std::string());
        if (FInterpMemo)
            FInterpMemo->Clear();
        return false;
    }
    if (FInterptype == itSynastry && FInterpMemo) {
        GetSynastryText(row + 1, FMemoStream);
        FMemoStream.seekg(0);
        LoadMemo();
        return true;
    }
    return false;
}

void TInterpretation::LoadMemo() {
    if (FInterpMemo)
        FInterpMemo->SetLines(SplitTextLines(FMemoStream.str()));
}

} // namespace kyr
