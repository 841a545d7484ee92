#include "PageLimits.h"

#include <algorithm>

namespace kyr {

int ClampMargin(int margin, int extent) {
    return std::clamp(margin, 0, std::max(0, extent / 2));
}

void ClampMargins(TPrintLayout &layout, TPageSize page) {
    layout.LeftMargin = ClampMargin(layout.LeftMargin, page.Width);
    layout.RgtMargin = ClampMargin(layout.RgtMargin, page.Width);
    for (int *margin : {&layout.HeaderMargin, &layout.TopMargin, &layout.BottomMargin,
                        &layout.FooterMargin})
        *margin = ClampMargin(*margin, page.Height);
}

TPrintBox ClampBox(const TPrintBox &box, TPageSize page) {
    TPrintBox inside = box;
    const int width = std::max(0, page.Width);
    const int height = std::max(0, page.Height);
    inside.Left = std::clamp(box.Left, 0, width);
    inside.Top = std::clamp(box.Top, 0, height);
    inside.Width = std::clamp(box.Width, 0, width - inside.Left);
    inside.Height = std::clamp(box.Height, 0, height - inside.Top);
    return inside;
}

void ClampBoxes(TPrintOptions &options, TPageSize page) {
    for (TPrintBox *box : {&options.Wheel, &options.Planets, &options.Houses, &options.Aspects,
                           &options.Information, &options.Symbol})
        *box = ClampBox(*box, page);
}

} // namespace kyr
