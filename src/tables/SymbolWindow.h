// TWinSymbols: the legend of every glyph of the symbol font with its name.
#pragma once

#include "TableRows.h"
#include "TableWindow.h"

#include <vector>

namespace kyr {

class TWinSymbols : public TTableWindow {
    Q_OBJECT
public:
    /// The names are taken once, in the language of the moment.
    TWinSymbols(TWindowPlace &place, const TLanguage &language, const THoroscope *horoscope,
                QWidget *parent = nullptr);

    const std::vector<TSymbolRow> &Rows() const { return FRows; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<TSymbolRow> FRows;
};

} // namespace kyr
