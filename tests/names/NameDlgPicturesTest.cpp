// Every page of the name dialog, filled with a person, painted into PNG files in the build
// directory for a look; the test checks that each page paints what it should hold.
#include "NameDlgTestSupport.h"

#include "SymbolFonts.h"
#include "Wheel.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace kyr::test {
namespace {

// A picture for the picture page: a soft gradient with a circle, larger than the area.
QImage SamplePortrait() {
    QImage image(300, 320, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 0, 320);
    gradient.setColorAt(0, QColor(180, 200, 230));
    gradient.setColorAt(1, QColor(90, 110, 160));
    painter.fillRect(image.rect(), gradient);
    painter.setBrush(QColor(240, 220, 190));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPoint(120, 110), 55, 65);
    painter.drawRoundedRect(40, 190, 160, 140, 60, 60);
    return image;
}

TEST_F(NameDlgTest, PagesPaintedForALook) {
    TNameRecord person = Person(
        "Anna", "Berg", {"Born at home, the second child.", "Birth time from the family bible."});
    person.Address1 = "12 Harbour Road";
    person.PostalCode = "TL 4021";
    person.Town = "Middletown";
    person.Country = "Testland";
    person.HomePhone = "+99 40 123 456";
    person.Fax = "anna.berg@example.org";
    SaveName(Data, person);
    AddMembership(Data, "Anna", "Berg", "Family");
    AddMembership(Data, "Anna", "Berg", "Friends");

    ASSERT_TRUE(RegisterSymbolFonts()) << "no symbol font in " << ProgramDirectory();
    auto dialog = Show();
    dialog->resize(dialog->minimumSizeHint().width(), 560);
    dialog->LoadName("Anna", "Berg");
    QApplication::clipboard()->setImage(SamplePortrait());
    dialog->SelectPage(TNameDlg::Picture);
    Click(*dialog, "Button_InsertPicture");

    const QString directory = QStringLiteral(KYR_TEST_OUTPUT_DIR);
    QDir().mkpath(directory);
    const char *names[] = {"basics", "details", "address", "picture",
                           "notes",  "groups",  "network", "horoscope"};
    for (int page = 0; page < TNameDlg::PageCount; ++page) {
        ASSERT_TRUE(dialog->SelectPage(page)) << names[page];
        QApplication::processEvents();
        const QImage image = dialog->grab().toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(directory + QStringLiteral("/name-dialog-%1-%2.png")
                                               .arg(page)
                                               .arg(QString::fromLatin1(names[page]))));
    }
    // The horoscope page shows the person's chart.
    EXPECT_TRUE(dialog->PreviewHoroscope().Active());
    EXPECT_TRUE(dialog->findChild<TWheel *>("Wheel1")->HoroscopeReady());
}

} // namespace
} // namespace kyr::test
