// TInterpretation: properties, building, selection and navigation.
#include "Interpretation.h"

#include "Horoscope.h"
#include "Language.h"
#include "TextHelpers.h"

#include <algorithm>

namespace kyr {

TInterpretation::TInterpretation() = default;
TInterpretation::~TInterpretation() = default;

// ---- control properties ----

void TInterpretation::SetMainTitleBox(TInterpComboBox *box) {
    FMainTitleBox = box;
    if (box) {
        box->Clear();
        box->SetOnChange([this] { MainTitleChanged(); });
    }
}

void TInterpretation::SetSubTitleBox(TInterpComboBox *box) {
    FSubTitleBox = box;
    if (box) {
        box->Clear();
        box->SetOnChange([this] { SubTitleChanged(); });
    }
}

void TInterpretation::SetBookButtons(TInterpRadioGroup *group) {
    FBookButtons = group;
    if (group)
        group->SetOnClick([this] { BookButtonClicked(); });
}

void TInterpretation::SetAttitudeLabel(TInterpLabel *label) {
    FAttitudeLabel = label;
    if (label)
        label->SetCaption(std::string());
}

void TInterpretation::SetInterpMemo(TInterpMemo *memo) {
    FInterpMemo = memo;
    if (memo)
        memo->Clear();
}

void TInterpretation::SetBirthButton(TInterpRadioButton *button) {
    FBirthButton = button;
    if (button)
        button->SetOnClick([this] { RadioButtonClicked(1); });
}

void TInterpretation::SetPeriodButton(TInterpRadioButton *button) {
    FPeriodButton = button;
    if (button)
        button->SetOnClick([this] { RadioButtonClicked(2); });
}

void TInterpretation::SetBothButton(TInterpRadioButton *button) {
    FBothButton = button;
    if (button)
        button->SetOnClick([this] { RadioButtonClicked(3); });
}

// ---- building ----

bool TInterpretation::CheckHoroscope() {
    if (!FLanguage || !FHoroscope)
        return false;
    const bool usable = FHoroscope->Active() && FHoroscope->FileAvailable();
    if (FInterptype == itSynastry) {
        if (FBirthButton)
            FBirthButton->SetCaption(usable ? FHoroscope->FirstName : Text(923));
        if (FPeriodButton)
            FPeriodButton->SetCaption(PartnerHoroscope && PartnerHoroscope->FileAvailable()
                                          ? PartnerHoroscope->FirstName
                                          : Text(925));
        return true;
    }
    if (usable) {
        if (FBirthButton)
            FBirthButton->SetCaption(Text(702));
        if (FPeriodButton)
            FPeriodButton->SetCaption(Text(703) + " (" + std::to_string(FHoroscope->FromYear()) +
                                      "-" + std::to_string(FHoroscope->ToYear()) + ")");
        return true;
    }
    if (FMainTitleBox)
        FMainTitleBox->Clear();
    if (FSubTitleBox)
        FSubTitleBox->Clear();
    if (FAttitudeLabel)
        FAttitudeLabel->SetCaption(std::string());
    if (FInterpMemo)
        FInterpMemo->Clear();
    return false;
}

void TInterpretation::SetInterptype(TInterpType type) {
    FBusy = true;
    FInterptype = type;
    FRows.clear();
    FCurrentMainTitle = -1;
    FBookCount = 0;
    FBooks.fill(0);
    try {
        if (!CheckHoroscope()) {
            FBusy = false;
            return;
        }
        if (FDebugListBox)
            FDebugListBox->Clear();
        FillMainTitles();
        if (type == itBirthAnalysis || type == itBoth)
            BuildBirthAnalysis();
        if (type == itDynamic || type == itBoth)
            BuildDynamicAnalysis();
        if (type == itSynastry)
            BuildSynastry(true);
        TInterpRadioButton *checked = type == itBirthAnalysis ? FBirthButton
                                      : type == itDynamic     ? FPeriodButton
                                      : type == itBoth        ? FBothButton
                                                              : nullptr;
        if (checked)
            checked->SetChecked(true);
        SelectFirst();
    } catch (...) {
        FBusy = false;
        throw;
    }
    FBusy = false;
}

// ---- selection ----

bool TInterpretation::FillSubTitles(int ix) {
    if (!FMainTitleBox || !FSubTitleBox)
        return false;
    bool result = true;
    if (ix != FCurrentMainTitle) {
        FSubTitleBox->Clear();
        for (const TTitleRow &row : FRows)
            if (row.Ix == ix)
                FSubTitleBox->Add(row.TitleText, row.RowIndex);
        result = FSubTitleBox->Count() > 0;
        FCurrentMainTitle = ix;
    }
    FMainTitleBox->SetItemIndex(FCurrentMainTitle - 1);
    return result;
}

void TInterpretation::ShowAndSignalCurrent() {
    const int index = FSubTitleBox->ItemIndex();
    if (index < 0) {
        ClearSelection();
        return;
    }
    ShowSubTitle(FSubTitleBox->Row(index));
    if (!Busy())
        SignalSelection(index);
}

void TInterpretation::SelectFirst() {
    if (!CheckHoroscope())
        return;
    if (FillSubTitles(1) && FSubTitleBox->Count() > 0) {
        FSubTitleBox->SetItemIndex(0);
        ShowAndSignalCurrent();
    } else {
        ClearSelection();
    }
}

void TInterpretation::SelectLast() {
    if (!CheckHoroscope())
        return;
    const int last = FInterptype == itBirthAnalysis ? 16 : FInterptype == itSynastry ? 5 : 17;
    if (FillSubTitles(last) && FSubTitleBox->Count() > 0) {
        FSubTitleBox->SetItemIndex(FSubTitleBox->Count() - 1);
        ShowAndSignalCurrent();
    } else {
        ClearSelection();
    }
}

void TInterpretation::SelectNext() {
    if (!CheckHoroscope() || !FMainTitleBox || !FSubTitleBox)
        return;
    const int index = FSubTitleBox->ItemIndex();
    if (index + 1 < FSubTitleBox->Count()) {
        FSubTitleBox->SetItemIndex(index + 1);
    } else if (FCurrentMainTitle < FMainTitleBox->Count()) {
        if (FillSubTitles(FCurrentMainTitle + 1) && FSubTitleBox->Count() > 0)
            FSubTitleBox->SetItemIndex(0);
    }
    ShowAndSignalCurrent();
}

void TInterpretation::SelectPrior() {
    if (!CheckHoroscope() || !FMainTitleBox || !FSubTitleBox)
        return;
    const int index = FSubTitleBox->ItemIndex();
    if (index <= 0 && FCurrentMainTitle > 1) {
        if (FillSubTitles(FCurrentMainTitle - 1) && FSubTitleBox->Count() > 0)
            FSubTitleBox->SetItemIndex(FSubTitleBox->Count() - 1);
    } else if (index > 0) {
        // On the very first sub-title the selection stays where it is.
        FSubTitleBox->SetItemIndex(index - 1);
    }
    ShowAndSignalCurrent();
}

void TInterpretation::SelectRow(int row) {
    if (!ValidRow(row) || !FillSubTitles(FRows[row].Ix))
        return;
    for (int i = 0; i < FSubTitleBox->Count(); ++i)
        if (FSubTitleBox->Row(i) == row) {
            FSubTitleBox->SetItemIndex(i);
            ShowSubTitle(row);
            return;
        }
}

void TInterpretation::SelectChapter(int chapter, int code3, int code4) {
    if (Busy() || code3 < 1 || code3 > 12 || code4 < 1 || code4 > 12)
        return;
    if (FInterptype != itBirthAnalysis)
        SetInterptype(itBirthAnalysis);
    for (const TTitleRow &row : FRows)
        if (row.ChapCode == chapter && row.Code3 == code3 && row.Code4 == code4) {
            SelectRow(row.RowIndex);
            return;
        }
}

void TInterpretation::SelectAspect(int aspectIndex) {
    if (Busy() || aspectIndex < 1)
        return;
    if (FInterptype != itBirthAnalysis)
        SetInterptype(itBirthAnalysis);
    for (const TTitleRow &row : FRows)
        if (row.Aspect == aspectIndex) {
            SelectRow(row.RowIndex);
            return;
        }
}

int TInterpretation::SelectTransit(int transitIndex) {
    if (Busy() || transitIndex < 1)
        return -1;
    if (FInterptype != itDynamic)
        SetInterptype(itDynamic);
    // Only transit rows: the 5 in a house-period row's Aspect field is no transit index.
    for (const TTitleRow &row : FRows)
        if ((row.ChapCode == 8 || row.ChapCode == 9) && row.Aspect == transitIndex) {
            SelectRow(row.RowIndex);
            return row.Code4;
        }
    return -1;
}

void TInterpretation::SelectHousePeriod(int firstDay, int house) {
    if (Busy())
        return;
    if (house >= 1 && house <= 12) {
        if (FInterptype != itDynamic)
            SetInterptype(itDynamic);
        for (const TTitleRow &row : FRows)
            if (row.ChapCode == 4 && row.FromDate == firstDay && row.Code4 == house) {
                SelectRow(row.RowIndex);
                return;
            }
    }
    if (OnBeep)
        OnBeep();
}

void TInterpretation::SignalSelection(int subIndex) {
    if (!OnSelection || !FSubTitleBox)
        return;
    const int r = FSubTitleBox->Row(subIndex);
    if (!ValidRow(r))
        return;
    const TTitleRow &row = FRows[r];
    const int pair = row.Code3 * 256 + row.Code4;
    switch (FInterptype) {
    case itBirthAnalysis:
        if (row.Ix == 13)
            OnSelection(*this, stCuspInSign, pair);
        else if (row.Ix == 14)
            OnSelection(*this, stBody, row.Code4);
        else if (row.Ix == 15)
            OnSelection(*this, stSign, row.Code4);
        else if (row.Ix == 16)
            OnSelection(*this, stHouse, row.Code4);
        else if (row.Aspect > 0)
            OnSelection(*this, stAspect, row.Aspect);
        else if (row.ChapCode == 1)
            OnSelection(*this, stBodyInSign, pair);
        else if (row.ChapCode == 2)
            OnSelection(*this, stCuspInSign, pair);
        else if (row.ChapCode == 3)
            OnSelection(*this, stBodyInHouse, pair);
        else
            OnSelection(*this, stNone, -1);
        break;
    case itDynamic:
        if (row.ChapCode == 4)
            OnSelection(*this, stNone, -1);
        else if (row.ChapCode == 8 || row.ChapCode == 9)
            OnSelection(*this, stTransit, row.Aspect);
        else
            throw EInterpretationException("SignalSelection error!");
        break;
    default:
        break;
    }
}

void TInterpretation::ClearSelection() {
    if (FBookButtons)
        FBookButtons->Clear();
    if (FAttitudeLabel)
        FAttitudeLabel->SetCaption(std::string());
    if (FInterpMemo) {
        FInterpMemo->Clear();
        if (FInterptype == itDynamic)
            FInterpMemo->AddLine(Text(695));
    }
    if (OnSelection)
        OnSelection(*this, stNone, -1);
}

void TInterpretation::MainTitleChanged() {
    if (Busy() || !FMainTitleBox)
        return;
    if (FillSubTitles(FMainTitleBox->ItemIndex() + 1) && FSubTitleBox->Count() > 0) {
        FSubTitleBox->SetItemIndex(0);
        ShowSubTitle(FSubTitleBox->Row(0));
        if (!Busy())
            SignalSelection(0);
    } else {
        ClearSelection();
    }
}

void TInterpretation::SubTitleChanged() {
    if (Busy() || !FSubTitleBox || FSubTitleBox->ItemIndex() < 0)
        return;
    const int index = FSubTitleBox->ItemIndex();
    ShowSubTitle(FSubTitleBox->Row(index));
    if (!Busy())
        SignalSelection(index);
}

void TInterpretation::BookButtonClicked() {
    if (Busy() || FRows.empty() || !FSubTitleBox || FSubTitleBox->ItemIndex() < 0 || !FBookButtons)
        return;
    const int index = FSubTitleBox->ItemIndex();
    ShowText(FSubTitleBox->Row(index), FBookButtons->ItemIndex());
    if (!Busy())
        SignalSelection(index);
}

void TInterpretation::RadioButtonClicked(int which) {
    if (Busy())
        return;
    if (FInterptype == itSynastry) {
        SynastryView = which >= 1 && which <= 3 ? which : 1;
        // The rows stay as they are (their positions are the combo items' rows); the
        // codes and items are made again from the two charts.
        BuildSynastry(false);
        if (FSubTitleBox && FSubTitleBox->ItemIndex() >= 0)
            ShowSubTitle(FSubTitleBox->Row(FSubTitleBox->ItemIndex()));
        return;
    }
    if (FInterptype == itBirthAnalysis || FInterptype == itDynamic || FInterptype == itBoth)
        SetInterptype(which == 1 ? itBirthAnalysis : which == 2 ? itDynamic : itBoth);
}

// ---- books and rows ----

void TInterpretation::AskBooks(TTitleRow &row) {
    int code3 = row.Code3;
    int code4 = row.Code4;
    // Aspect passages are stored under the smaller body first.
    if (row.ChapCode == 5 && code4 < code3)
        std::swap(code3, code4);
    const std::string chapter = TwoDigits(row.ChapCode);
    const std::string c3 = TwoDigits(code3);
    const std::string c4 = TwoDigits(code4);
    int count = 0;
    if (OnGetBooks)
        OnGetBooks(*this, chapter, c3, c4, count, std::span<std::uint8_t>(row.Books));
    count = std::clamp(count, 0, 4);
    for (int i = 0; i < count; ++i)
        FBooks[i] = row.Books[i];
    FBookCount = count;
    if (count == 0) {
        // Asked again next time.
        row.Books.fill(0);
        if (OnInformation)
            OnInformation("Missing book information for [" + chapter + " " + c3 + c4 + "]");
    }
}

void TInterpretation::ShowSubTitle(int row) {
    FBookCount = 0;
    FBooks.fill(0);
    if (!ValidRow(row))
        return;
    TTitleRow &r = FRows[row];
    if (FInterptype == itBirthAnalysis || FInterptype == itDynamic || FInterptype == itBoth) {
        if (r.Books[0] == 0) {
            AskBooks(r);
        } else {
            for (int i = 0; i < 4 && r.Books[i] != 0; ++i) {
                FBooks[i] = r.Books[i];
                FBookCount = i + 1;
            }
        }
        if (!FBookButtons)
            return;
        FBusy = true;
        const int oldIndex = FBookButtons->ItemIndex();
        int i = 0;
        for (; i <= 3 && r.Books[i] != 0; ++i) {
            const std::string caption = EscapeAmpersand(Text(115 + r.Books[i]));
            if (i < FBookButtons->Count()) {
                if (FBookButtons->Caption(i) != caption)
                    FBookButtons->SetCaption(i, caption);
            } else {
                FBookButtons->Add(caption);
            }
        }
        while (FBookButtons->Count() > i)
            FBookButtons->Delete(FBookButtons->Count() - 1);
        int index = oldIndex;
        if (i == 0)
            index = -1;
        else if (index < 0 || index >= i)
            index = 0;
        FBookButtons->SetItemIndex(index);
        ShowText(row, index);
        FBusy = false;
    } else if (FInterptype == itSynastry) {
        ShowText(row, -1);
        FBusy = false;
    }
}

int TInterpretation::FindEarlierTwin(int limit, int row, bool &isTransit) const {
    if (!ValidRow(row))
        return -1;
    const TTitleRow &r = FRows[row];
    const int ch = r.ChapCode;
    if (ch != 1 && ch != 3 && ch != 4 && ch != 5 && ch != 8)
        return -1;
    isTransit = ch == 8;
    for (int k = 0; k < row; ++k) {
        const TTitleRow &t = FRows[k];
        if (t.ChapCode == ch && t.Code3 == r.Code3 && t.Code4 == r.Code4 &&
            (ch == 4 || ch == 8 || t.Ix < limit))
            return k;
    }
    return -1;
}

int TInterpretation::GetBook(int i) const {
    return i >= 1 && i <= FBookCount ? FBooks[i - 1] : 0;
}

int TInterpretation::GetRowMainTitle(int row) const {
    return ValidRow(row) ? FRows[row].Ix : 0;
}

void TInterpretation::GetRowText(int row, std::string &text) const {
    text = ValidRow(row) ? FRows[row].TitleText : std::string();
}

void TInterpretation::SetRowPageTag(int row, int value) {
    if (ValidRow(row))
        FRows[row].PageTag = value;
}

int TInterpretation::GetRowPageTag(int row) const {
    return ValidRow(row) ? FRows[row].PageTag : 0;
}

std::string TInterpretation::EscapeAmpersand(const std::string &text) const {
    if (HardCopy)
        return text;
    std::string out = text;
    const auto at = out.find('&');
    if (at != std::string::npos)
        out.insert(at, "&");
    return out;
}

} // namespace kyr
