// Where the controls of the interpretation window go for a client size, in pixels. Plain
// arithmetic without widgets, so that the two arrangements are checked without a display.
#pragma once

namespace kyr {

/// Left, top, width and height.
struct TInterpBox {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TInterpBox &) const = default;
};

/// The sizes the widgets ask for under the current font and style.
struct TInterpMetrics {
    int RadioHeight = 20;
    int BirthWidth = 110;
    int RowHeight = 24;  ///< combo boxes, the key-word panel and the navigator
    int LabelWidth = 80; ///< the caption column left of the boxes
    int NavigatorWidth = 92;
    int PanelHeight = 64; ///< the factor panel
};

/// Side by side from this width when the window is lower than MemoMinHeight.
constexpr int SideBySideMinWidth = 261;
/// Below this height the memo cannot stand under the panel.
constexpr int MemoMinHeight = 171;
constexpr int MemoMinWidth = 31;
/// The control column of the side-by-side arrangement is half the width, at most this.
constexpr int MaxColumnWidth = 300;

struct TInterpLayout {
    /// The memo stands right of the controls instead of under the factor panel.
    bool SideBySide = false;
    bool MemoVisible = true;
    /// Right edge of the control column: the sub-title box and the navigator end there.
    int ColumnWidth = 0;
    TInterpBox Birth, Period;
    TInterpBox MainLabel, MainTitles, Navigator;
    TInterpBox SubLabel, SubTitles;
    TInterpBox KeyLabel, KeyWord;
    TInterpBox Panel;
    TInterpBox Memo;
};

/// The arrangement for a client area of width x height.
TInterpLayout ArrangeInterpControls(int width, int height, const TInterpMetrics &metrics);

} // namespace kyr
