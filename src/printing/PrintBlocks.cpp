// Text blocks: main-title boxes, sub-titles and passages.
#include "KyrPrinter.h"

#include "MeterColors.h"

#include <QFontMetrics>
#include <QPalette>
#include <QStringList>

#include <vector>

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

namespace {

/// A sub-title in lines no wider than the column: after the first comma when the whole does not
/// fit (a transit and its node twin), then word by word; a word wider than the column is elided.
std::vector<QString> SubTitleLines(const QString &text, const QFontMetrics &metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return {text};
    std::vector<QString> lines;
    QString line;
    auto flush = [&] {
        if (!line.isEmpty())
            lines.push_back(metrics.elidedText(line, Qt::ElideRight, width));
        line.clear();
    };
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    const QStringList parts = comma < 0 ? QStringList{text}
                                        : QStringList{text.left(comma + 1), text.mid(comma + 1)};
    for (const QString &part : parts) {
        for (const QString &word : part.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width)
                flush();
            line = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        }
        flush();
    }
    return lines;
}

} // namespace

void TKyrPrinter::PrintSubTitle(const std::string &text) {
    StartPageIfPending();
    MarkPagePrinted();
    FCanvasFont = SubTitleFont;
    const QFontMetrics metrics(SubTitleFont, Device());
    bool first = true;
    for (const QString &line : SubTitleLines(FlowQText(text), metrics, FM.ColumnWidth)) {
        // A wrapped sub-title keeps to its column: its further lines start a column when full.
        if (!first && FY + FM.SubTitleLine > FM.Bottom) {
            NextColumn();
            StartPageIfPending();
            MarkPagePrinted();
            FCanvasFont = SubTitleFont;
        }
        PrintAt(ColumnX(), FY, line.toStdString());
        FY += FM.SubTitleLine;
        first = false;
    }
    if (first)
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
