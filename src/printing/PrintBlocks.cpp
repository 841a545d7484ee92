// Text blocks: main-title boxes, sub-titles and passages.
#include "KyrPrinter.h"

#include "MeterColors.h"

#include <QFontMetrics>
#include <QPalette>

namespace kyr {

void TKyrPrinter::PrintTitleBox(const std::string &text) {
    StartPageIfPending();
    if (QPainter &canvas = Canvas(); PageInRange() && canvas.isActive()) {
        const QRect box(ColumnX(), FY, FM.ColumnWidth, FM.TitleLine);
        canvas.setPen(QPen(Qt::black, 1));
        canvas.setBrush(ColorFromValue(TitleBoxColor, QPalette()));
        canvas.drawRect(box);
        canvas.setBrush(Qt::NoBrush);
        canvas.setFont(TitleFont);
        canvas.drawText(box, Qt::AlignCenter, FlowQText(text));
        FPageDirty = true;
    }
    MarkPagePrinted();
    FY += FM.TitleLine + FM.BodyLine;
}

void TKyrPrinter::PrintSubTitle(const std::string &text) {
    StartPageIfPending();
    MarkPagePrinted();
    FCanvasFont = SubTitleFont;
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos && TextWidth(SubTitleFont, text) > FM.ColumnWidth) {
        PrintAt(ColumnX(), FY, text.substr(0, comma + 1));
        FY += FM.SubTitleLine;
        const std::size_t rest = text.find_first_not_of(' ', comma + 1);
        PrintAt(ColumnX(), FY, rest == std::string::npos ? std::string() : text.substr(rest));
    } else {
        PrintAt(ColumnX(), FY, text);
    }
    FY += FM.SubTitleLine;
}

void TKyrPrinter::PrintPassage(const std::string &title, const std::string &keyWord, int length,
                               const std::string &text) {
    EnsureSpace(FM.SubTitleBlock);
    PrintSubTitle(title);
    FlowText(keyWord);
    FlowText(text, length);
    if (FY > FM.Top)
        FY += FM.BodyLine;
}

} // namespace kyr
