// What a printed PDF holds, read back with poppler's pdftotext: the text of each page in drawing
// order and the box of every word, for checks of sentences, overprints and page numbers.
#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

#include <string>
#include <vector>

namespace kyr::test {

struct TPdfWord {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::string Text;
    /// The boxes share more than a sliver (half a point) both ways.
    bool Overlaps(const TPdfWord &other) const {
        constexpr double sliver = 0.5;
        return Left < other.Right - sliver && other.Left < Right - sliver &&
               Top < other.Bottom - sliver && other.Top < Bottom - sliver;
    }
};

/// The output of pdftotext with these options, or empty when the tool is missing.
inline std::string PdfToText(const QStringList &options, const std::string &file) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, QStringList(options) << QString::fromStdString(file) << QStringLiteral("-"));
    process.waitForFinished(60000);
    return process.readAllStandardOutput().toStdString();
}

/// The text of every page in drawing order.
inline std::vector<std::string> PdfPageTexts(const std::string &file) {
    const std::string text = PdfToText({QStringLiteral("-raw")}, file);
    std::vector<std::string> pages;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find('\f', start)) != std::string::npos; start = at + 1)
        pages.push_back(text.substr(start, at - start));
    return pages;
}

/// The words of every page with their boxes, in points.
inline std::vector<std::vector<TPdfWord>> PdfPageWords(const std::string &file) {
    const QString html = QString::fromStdString(PdfToText({QStringLiteral("-bbox")}, file));
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">)re"
                       R"re(([^<]*)</word>)re"));
    std::vector<std::vector<TPdfWord>> pages;
    for (const QString &page : html.split(QStringLiteral("<page "), Qt::SkipEmptyParts).mid(1)) {
        std::vector<TPdfWord> words;
        for (auto m = word.globalMatch(page); m.hasNext();) {
            const auto hit = m.next();
            words.push_back({hit.captured(1).toDouble(), hit.captured(2).toDouble(),
                             hit.captured(3).toDouble(), hit.captured(4).toDouble(),
                             hit.captured(5).toStdString()});
        }
        pages.push_back(std::move(words));
    }
    return pages;
}

} // namespace kyr::test
