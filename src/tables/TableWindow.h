// The common frame of the chart tables: an MDI-child-ready form on white that keeps its window
// place in the settings and is freed when closed.
#pragma once

#include "SettingsFormats.h"
#include "TableLayout.h"
#include "TablePainting.h"

#include <QColor>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <array>

namespace kyr {

class THoroscope;
class TFramePlace;
class TLanguage;

/// What a table form was designed with; the settings' place usually overrides the size.
struct TTableDesign {
    const char *Caption; ///< design caption, kept while there is no horoscope
    int Width;           ///< design client size
    int Height;
    int FontHeight; ///< design font height in pixels
    int HelpContext;
};

class TTableWindow : public QWidget {
    Q_OBJECT
public:
    /// place is the window's entry of the settings (section Windows); it is written on every
    /// resize and on close. horoscope is the main window's first horoscope, or none. The
    /// language and the horoscope must outlive the window.
    TTableWindow(const TTableDesign &design, TWindowPlace &place, const TLanguage &language,
                 const THoroscope *horoscope, QWidget *parent = nullptr);

    /// Refills what the table keeps and repaints; the main window calls it after every change
    /// of its first horoscope.
    virtual void Refresh();
    /// Puts the window's frame (its MDI sub-window, once it has one) where the place says.
    /// Done when the frame is first shown, the moment a sub-window stops placing itself.
    void RestorePlace();
    /// Takes the frame's place into the settings.
    void StorePlace();
    /// The table as tab-separated text with its header line, one line per row; empty when the
    /// window has nothing to copy (no chart, or a table that is not copied).
    virtual QString ClipboardText() const { return {}; }
    /// Puts ClipboardText on the clipboard; false, leaving the clipboard alone, when empty.
    bool CopyToClipboard() const;

    const THoroscope *Horoscope() const { return FHoroscope; }
    const TLanguage &Language() const { return FLanguage; }
    int HelpContext() const { return FHelpContext; }
    /// The colour of text drawn in the form's own colour.
    QColor FontColor() const { return FFontColor; }
    /// The background colour.
    QColor Color() const;
    void SetColor(const QColor &color);

    /// The frame whose place is kept: the MDI sub-window holding the form, else the form.
    QWidget *Frame();

protected:
    void resizeEvent(QResizeEvent *event) override;
    /// Grid lines in the button-face colour.
    QColor GridColor() const;
    /// True while the first horoscope is there and active: the tables show its data.
    bool ShowsChart() const;

    /// Draws the grid of a table of twelve rows, with column edges x[0..n] and row edges
    /// y[0..12], and readies the painter for its texts. False when no chart is shown.
    template <std::size_t N>
    bool BeginRowTable(QPainter &painter, const std::array<int, N> &x,
                       const std::array<int, 13> &y) const {
        painter.setPen(GridColor());
        for (std::size_t k = 1; k + 1 < N; ++k)
            painter.drawLine(x[k], 0, x[k], height());
        for (int r = 1; r <= 12; ++r)
            painter.drawLine(0, y[r], width(), y[r]);
        if (!ShowsChart())
            return false;
        painter.setPen(FontColor());
        painter.setBrush(Qt::NoBrush);
        return true;
    }
    /// The cell of column 1..n and row 0..11 of such a table.
    template <std::size_t N>
    static TCell RowCell(const std::array<int, N> &x, const std::array<int, 13> &y, int column,
                         int row) {
        return TCell{x[column - 1], y[row], x[column], y[row + 1]};
    }

private:
    TFramePlace *FPlaceKeeper;
    const TLanguage &FLanguage;
    const THoroscope *FHoroscope;
    int FHelpContext;
    QColor FFontColor;
};

} // namespace kyr
