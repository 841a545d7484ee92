// TWinppos: the body positions of the first horoscope, one row per body.
#pragma once

#include "TableRows.h"
#include "TableWindow.h"

#include <vector>

namespace kyr {

class TWinppos : public TTableWindow {
    Q_OBJECT
public:
    TWinppos(TWindowPlace &place, const TLanguage &language, const THoroscope *horoscope,
             QWidget *parent = nullptr);

    /// Refills the rows from the horoscope (when there is one) and repaints.
    void Refresh() override;
    /// The table for the clipboard, while a chart is shown.
    QString ClipboardText() const override;
    /// The rows of the last refresh; empty before the first refresh with a horoscope.
    const std::vector<TPositionRow> &Rows() const { return FRows; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<TPositionRow> FRows;
};

} // namespace kyr
