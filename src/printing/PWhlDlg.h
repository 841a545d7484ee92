// TPWhlDlg: the wheel page. In layout mode the visual editor of the page's six boxes (a white page
// preview with movable shapes, check boxes, offset and size edits, black-and-white or colour); in
// print mode the same editor whose OK prints the wheel page alone.
#pragma once

#include "KyrSetup.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kyr {

class TBoxLegend;
class TKyrPrinter;
class TLanguage;
class TWheelPagePreview;

class TPWhlDlg : public QDialog {
    Q_OBJECT

public:
    enum TMode { LayoutMode, PrintMode };
    /// The quick help of the dialog: the help context of the wheel-page print command.
    static constexpr int HelpContext = 106;
    /// The quick help of the layout mode (the editor of the wheel page).
    static constexpr int LayoutHelpContext = 2031;
    /// The preview's size for a portrait page; a landscape page swaps the two.
    static constexpr int PreviewWidth = 240;
    static constexpr int PreviewHeight = 340;
    /// The smallest width and height of a box, in mm.
    static constexpr int MinBoxSize = 10;

    /// The settings, the language and the printer outlive the dialog.
    TPWhlDlg(TKyrSetup &setup, const TLanguage &language, TKyrPrinter &printer,
             QWidget *parent = nullptr);

    /// Shows the dialog modally in a mode; the dialog's result.
    int Execute(TMode mode);
    TMode Mode() const { return FMode; }
    /// The mode of the next activation.
    void SetMode(TMode mode) { FMode = mode; }

    /// What showing the dialog does: caption by mode, the printer measured, the boxes and the
    /// B/W choice loaded from the settings and the shapes placed.
    void Activate();
    /// The box whose shapes are blue and whose values the edits show.
    void SelectBox(int box);
    int SelectedBox() const { return FSelected; }
    /// The boxes as edited (not yet in the settings).
    const TPrintOptions &Boxes() const { return FBoxes; }
    /// The page measured at the last activation, in mm, and the preview's scale.
    int PageWidthMm() const { return FPageWidth; }
    int PageHeightMm() const { return FPageHeight; }

    /// The edits checked, then the boxes and the B/W choice into the settings.
    void StoreBoxes();
    /// "&Save": the boxes into the settings and the settings file.
    void Save();

    void Retranslate();

    // Controls, for the main window and the tests.
    TWheelPagePreview *Preview() const { return FPreview; }
    QCheckBox *BoxCheck(int box) const { return FChecks[static_cast<std::size_t>(box)]; }
    TBoxLegend *Legend(int box) const { return FLegends[static_cast<std::size_t>(box)]; }
    QLineEdit *EditX() const { return FEditX; }
    QLineEdit *EditY() const { return FEditY; }
    QLineEdit *EditW() const { return FEditW; }
    QLineEdit *EditH() const { return FEditH; }
    QRadioButton *BWButton() const { return FBW; }
    QRadioButton *ColourButton() const { return FColour; }
    QPushButton *OkButton() const { return FOk; }
    QPushButton *CancelButton() const { return FCancel; }
    QPushButton *HelpButton() const { return FHelp; }
    QPushButton *PrinterOptionsButton() const { return FPrinterOptions; }
    QPushButton *PageLayoutButton() const { return FPageLayout; }
    QPushButton *SaveButton() const { return FSave; }

    /// "Page &Layout": the page dialog; unset: nothing opens.
    std::function<void()> OnPageLayout;
    /// "Printer &Options": the printer set-up; unset: the platform's print dialog on the printer.
    std::function<void()> OnPrinterOptions;
    /// OK in print mode: the wheel page alone (the owner checks the main chart).
    std::function<void()> OnPrint;
    /// A settings file that cannot be written; unset: a message box.
    std::function<void(const QString &message)> OnError;
    /// Replaces the system beep (tests).
    std::function<void()> OnBeep;

signals:
    void HelpRequested(int helpContext);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildControls();
    /// The printer's page in mm and its orientation; the preview turns with the paper.
    void MeasurePrinter();
    /// Every shape from the boxes, the check boxes from the visible flags.
    void PlaceShapes();
    void ShowBoxValues();
    void EditChanged(QLineEdit *edit);
    bool CheckEdit(QLineEdit *edit);
    void ShapeMoved(int box, QPoint topLeft);
    void CheckToggled(int box, bool on);
    void OkClicked();
    void PageLayoutClicked();
    void PrinterOptionsClicked();
    void Beep();

    TKyrSetup &FSetup;
    const TLanguage &FLanguage;
    TKyrPrinter &FPrinter;
    TMode FMode = LayoutMode;
    TPrintOptions FBoxes;
    int FSelected = 0;
    int FPageWidth = 210;
    int FPageHeight = 297;
    bool FLandscape = false;
    bool FUpdating = false; ///< set while the dialog itself fills the edits

    TWheelPagePreview *FPreview = nullptr;
    std::array<QCheckBox *, 6> FChecks{};
    std::array<TBoxLegend *, 6> FLegends{};
    QLineEdit *FEditX = nullptr, *FEditY = nullptr, *FEditW = nullptr, *FEditH = nullptr;
    QRadioButton *FBW = nullptr, *FColour = nullptr;
    QPushButton *FOk = nullptr, *FCancel = nullptr, *FHelp = nullptr, *FPrinterOptions = nullptr,
                *FPageLayout = nullptr, *FSave = nullptr;
};

} // namespace kyr
