// The page model in device measures: margins, columns, line heights and the width table.
#include "KyrPrinter.h"

#include "PageLimits.h"

#include <QFontMetrics>
#include <QPaintDevice>

#include <algorithm>

namespace kyr {

namespace {

int Trunc(long double x) { return static_cast<int>(x); }

int LineHeight(const QFont &font, QPaintDevice *device, long double factor) {
    const QFontMetrics metrics(font, device);
    return Trunc(static_cast<long double>(metrics.height()) * factor);
}

} // namespace

void TKyrPrinter::ClampSettings() {
    // Out-of-range spacings fall back to a sensible 105 %, not to the limit.
    if (ColumnSpace < 100)
        ColumnSpace = 100;
    else if (ColumnSpace > 200)
        ColumnSpace = 105;
    if (LineSpace < 100)
        LineSpace = 100;
    else if (LineSpace > 300)
        LineSpace = 105;
    Columns = std::clamp(Columns, 1, MaxPrintColumns);
}

void TKyrPrinter::LayOutColumns() {
    TPageMeasures &m = FM;
    const int textWidth = m.Right - m.Left;
    if (Columns > 1)
        m.ColumnWidth = Trunc(textWidth / (Columns + (Columns - 1) * (ColumnSpace - 100) / 100.0L));
    else
        m.ColumnWidth = textWidth;
    for (int i = 0; i < Columns; ++i)
        m.ColumnX[static_cast<std::size_t>(i)] =
            m.Left + Trunc(static_cast<long double>(i) * m.ColumnWidth * ColumnSpace / 100);
}

void TKyrPrinter::SetColumnLayout(int columns) {
    Columns = std::clamp(columns, 1, MaxPrintColumns);
    LayOutColumns();
}

bool TKyrPrinter::ComputeLayout() {
    QPaintDevice *device = Device();
    if (!device || device->widthMM() <= 0 || device->heightMM() <= 0)
        return false;
    ClampSettings();
    // Margins of the actual page, before they are scaled into device pixels.
    const TPageSize page{device->widthMM(), device->heightMM()};
    LeftMargin = ClampMargin(LeftMargin, page.Width);
    RgtMargin = ClampMargin(RgtMargin, page.Width);
    for (int *margin : {&HeaderMargin, &TopMargin, &BottomMargin, &FooterMargin})
        *margin = ClampMargin(*margin, page.Height);
    TPageMeasures &m = FM;
    const int logoWidth = m.LogoWidth;
    const int logoHeight = m.LogoHeight;
    m = TPageMeasures{};
    m.LogoWidth = logoWidth;
    m.LogoHeight = logoHeight;

    m.PageWidth = device->width();
    m.PageHeight = device->height();
    m.XScale = static_cast<long double>(m.PageWidth) / device->widthMM();
    m.YScale = static_cast<long double>(m.PageHeight) / device->heightMM();

    m.Left = Trunc(LeftMargin * m.XScale);
    m.Right = m.PageWidth - (Trunc(RgtMargin * m.XScale) + 1);
    m.HeaderY = Trunc(HeaderMargin * m.YScale);
    m.Top = Trunc(TopMargin * m.YScale);
    m.Bottom = m.PageHeight - (Trunc(BottomMargin * m.YScale) + 1);
    m.FooterY = m.PageHeight - (Trunc(FooterMargin * m.YScale) + 1);
    m.MarkLength = Trunc(2 * m.XScale);

    const int textWidth = m.Right - m.Left;
    const bool landscape = m.PageWidth > m.PageHeight;
    m.PictureWidth = landscape ? Trunc(textWidth / 3.0L) : textWidth / 2;
    m.PictureHeight = FPictureSourceWidth > 0
                          ? static_cast<int>(static_cast<long long>(FPictureSourceHeight) *
                                             m.PictureWidth / FPictureSourceWidth)
                          : 0;
    m.PictureLeft = m.Left + (textWidth - m.PictureWidth) / 2;

    LayOutColumns();

    const long double spacing = LineSpace / 100.0L;
    m.TitleLine = LineHeight(TitleFont, device, 1.2L * spacing);
    m.SubTitleLine = LineHeight(SubTitleFont, device, spacing);
    m.BodyLine = LineHeight(BodyFont, device, spacing);
    m.HeaderLine = LineHeight(HeaderFont, device, spacing);
    MeasureCharWidths();

    m.SubTitleBlock = 3 * m.BodyLine + m.SubTitleLine;
    m.PeriodBlock = m.SubTitleBlock + m.SubTitleLine;
    m.GraphBlock = Trunc(12 * m.YScale) + m.BodyLine;
    m.GraphWidth = std::min(Trunc(80 * m.XScale), m.ColumnWidth);

    FColumn = 0;
    FY = m.Top;
    FPagePending = true;
    FNoPageFinishedYet = true;
    FCanvasFont = BodyFont;
    return true;
}

void TKyrPrinter::MeasureCharWidths() {
    const QFontMetrics metrics(BodyFont, Device());
    FWidths = TCharWidths{};
    for (char32_t c = 32; c < 256; ++c)
        FWidths.Table[c] = metrics.horizontalAdvance(QChar(static_cast<char16_t>(c)));
    FWidths.Wide = metrics.horizontalAdvance(QLatin1Char('W'));
}

void TKyrPrinter::SetLogoSize(int width, int height) {
    FM.LogoWidth = width;
    FM.LogoHeight = height;
}

void TKyrPrinter::SetPictureSize(int width, int height) {
    FPictureSourceWidth = width;
    FPictureSourceHeight = height;
}

} // namespace kyr
