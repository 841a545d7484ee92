#include "InterpWinLayout.h"

#include <algorithm>

namespace kyr {

namespace {

constexpr int Margin = 4;    ///< left and top
constexpr int FarMargin = 5; ///< right and bottom, to the memo's edge
constexpr int Gap = 3;       ///< between rows
constexpr int NavigatorGap = 3;
constexpr int MemoGap = 7; ///< between the navigator and a memo beside it

} // namespace

TInterpLayout ArrangeInterpControls(int width, int height, const TInterpMetrics &m) {
    TInterpLayout l;
    l.SideBySide = width >= SideBySideMinWidth && height < MemoMinHeight;
    l.ColumnWidth = l.SideBySide ? std::min(width / 2, MaxColumnWidth) : width - FarMargin;
    const int right = l.ColumnWidth;

    int y = Margin;
    l.Birth = {Margin, y, m.BirthWidth, m.RadioHeight};
    const int periodLeft = l.Birth.Right() + 12;
    // The caption carries the period or a date; it may use the whole width.
    l.Period = {periodLeft, y, std::max(width - FarMargin - periodLeft, 0), m.RadioHeight};
    y += m.RadioHeight + Gap;

    const int boxLeft = Margin + m.LabelWidth + 2;
    const int boxWidth = std::max(right - boxLeft, 0);
    l.MainLabel = {Margin, y, m.LabelWidth, m.RowHeight};
    l.MainTitles = {boxLeft, y, std::max(boxWidth - m.NavigatorWidth - NavigatorGap, 0),
                    m.RowHeight};
    l.Navigator = {l.MainTitles.Right() + NavigatorGap, y, m.NavigatorWidth, m.RowHeight};
    y += m.RowHeight + Gap;

    l.SubLabel = {Margin, y, m.LabelWidth, m.RowHeight};
    l.SubTitles = {boxLeft, y, boxWidth, m.RowHeight};
    y += m.RowHeight + Gap;

    l.KeyLabel = {Margin, y, m.LabelWidth, m.RowHeight};
    l.KeyWord = {boxLeft, y, boxWidth, m.RowHeight};
    y += m.RowHeight + Gap;

    l.Panel = {Margin, y, std::max(right - Margin, 0), m.PanelHeight};

    if (l.SideBySide) {
        const int left = l.Navigator.Right() + MemoGap;
        const int top = l.MainTitles.Top;
        l.Memo = {left, top, std::max(width - FarMargin - left, 0),
                  std::max(height - FarMargin - top, 0)};
        l.MemoVisible = true;
    } else {
        const int top = l.Panel.Bottom() + Margin;
        l.Memo = {Margin, top, std::max(width - FarMargin - Margin, 0),
                  std::max(height - FarMargin - top, 0)};
        l.MemoVisible = height >= MemoMinHeight && width >= MemoMinWidth;
    }
    return l;
}

} // namespace kyr
