// Tests draw and measure text with a font the set-up installs, named explicitly. Which font
// fontconfig picks for a family it lacks ("Arial", the print layout's default) depends on the
// packages installed, and text measures, line breaks and the text read back from PDF files
// would follow it.
#pragma once

#include <QApplication>
#include <QFont>

namespace kyr::test {

inline void UseInstalledFonts() {
    const QString installed = QStringLiteral("DejaVu Sans");
    for (const char *family : {"Arial", "Helvetica", "Sans Serif", "MS Sans Serif"})
        QFont::insertSubstitution(QString::fromLatin1(family), installed);
    QApplication::setFont(QFont(installed, 9));
}

} // namespace kyr::test
