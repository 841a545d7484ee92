// TWinCPos: the twelve house cusps of the first horoscope.
#pragma once

#include "TableRows.h"
#include "TableWindow.h"

#include <vector>

namespace kyr {

class TWinCPos : public TTableWindow {
    Q_OBJECT
public:
    TWinCPos(TWindowPlace &place, const TLanguage &language, const THoroscope *horoscope,
             QWidget *parent = nullptr);

    /// Refills the rows from the horoscope (when there is one) and repaints.
    void Refresh() override;
    /// The table for the clipboard, while a chart is shown.
    QString ClipboardText() const override;
    /// The rows of the last refresh; empty before the first refresh with a horoscope.
    const std::vector<TCuspRow> &Rows() const { return FRows; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<TCuspRow> FRows;
};

} // namespace kyr
