// TSavePlaceDlg: adds the place that the user typed in the name dialog to the atlas, with its
// coordinates and its time-zone and summer-time definitions. Created for one modal use.
#pragma once

#include "AtlasFields.h"
#include "ChartTypes.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace kyr {

class TDataCollection;
class TLanguage;

class TSavePlaceDlg : public QDialog {
    Q_OBJECT
public:
    /// Context help of the dialog.
    static constexpr int HelpContext = 2040;
    TSavePlaceDlg(TDataCollection &data, const TLanguage &language, TAtlasPicks picks = {},
                  TAtlasPrompts prompts = {}, QWidget *parent = nullptr);

    /// Fills the fields from the name dialog: the state (country) the place belongs to, the
    /// place, and its latitude and longitude as D.MM values (north and west positive).
    void Activate(const std::string &country, const std::string &place, Extended latitude,
                  Extended longitude);
    /// Activate, then the dialog modally; QDialog::Accepted once the place is saved.
    int Execute(const std::string &country, const std::string &place, Extended latitude,
                Extended longitude);
    /// The Save button: the place into PLACES, closing with OK; a state the atlas lacks is
    /// reported, a place it already has refused with a beep.
    void Save();

    QLineEdit *PlaceName() const { return FPlace; }
    const TAngleFields &Latitude() const { return FLatitude; }
    const TAngleFields &Longitude() const { return FLongitude; }
    QLineEdit *ZoneName() const { return FZone; }
    QLineEdit *SummerName() const { return FSummer; }
    QPushButton *SaveButton() const { return FSaveButton; }

private:
    void UpdateSave();
    QString Text(int number) const;

    TDataCollection &FData;
    const TLanguage &FLanguage;
    TAtlasPicks FPicks;
    TAtlasPrompts FPrompts;
    std::string FCountry;
    QLineEdit *FPlace = nullptr;
    TAngleFields FLatitude;
    TAngleFields FLongitude;
    QLineEdit *FZone = nullptr;
    QLineEdit *FSummer = nullptr;
    QPushButton *FSaveButton = nullptr;
    QPushButton *FCloseButton = nullptr;
};

} // namespace kyr
