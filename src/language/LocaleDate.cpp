#include "LocaleDate.h"

#include <QLocale>

namespace kyr {

QString LocaleDateOrder() {
    const QString format = QLocale().dateFormat(QLocale::ShortFormat).toLower();
    QString order;
    for (const QChar c : format) {
        const QChar letter = c == QLatin1Char('y')   ? QLatin1Char('Y')
                             : c == QLatin1Char('m') ? QLatin1Char('M')
                             : c == QLatin1Char('d') ? QLatin1Char('D')
                                                     : QChar();
        if (!letter.isNull() && !order.contains(letter))
            order += letter;
    }
    // A format without all three letters keeps the stored order.
    return order.size() == 3 ? order : QStringLiteral("YMD");
}

QString LocaleDateSeparator() {
    const QString format = QLocale().dateFormat(QLocale::ShortFormat);
    for (const QChar c : format)
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\''))
            return QString(c);
    return QStringLiteral("-");
}

} // namespace kyr
