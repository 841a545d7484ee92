#include "SymbolFonts.h"

#include "ProgramDirectory.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <iterator>

namespace kyr {

bool RegisterSymbolFonts() {
    // A file is added once; it is added again when it is missing, or when the application
    // that it was added to has gone and taken its fonts along.
    static int ids[std::size(SymbolFontFiles)] = {-1, -1};
    bool all = true;
    for (std::size_t i = 0; i < std::size(SymbolFontFiles); ++i) {
        if (ids[i] < 0 || QFontDatabase::applicationFontFamilies(ids[i]).isEmpty()) {
            const QString path = QString::fromStdString(ProgramDirectory() + SymbolFontFiles[i]);
            ids[i] = QFontDatabase::addApplicationFont(path);
        }
        all = all && ids[i] >= 0;
    }
    return all;
}

QFont SymbolFont() {
    QFont font(QString::fromLatin1(SymbolFontFamily));
    font.setBold(true);
    return font;
}

} // namespace kyr
