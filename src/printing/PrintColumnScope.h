// A page laid out in other columns than the rest of the job (the symbol page in one, the contents
// page in two below its picture): the job's columns and text top come back when the scope ends.
#pragma once

#include "KyrPrinter.h"

namespace kyr {

class TPrintColumnScope {
public:
    explicit TPrintColumnScope(TKyrPrinter &printer)
        : FPrinter(printer), FSavedTop(printer.Measures().Top), FSavedColumns(printer.Columns) {}
    ~TPrintColumnScope() {
        FPrinter.SetTextTop(FSavedTop);
        FPrinter.SetColumnLayout(FSavedColumns);
    }
    TPrintColumnScope(const TPrintColumnScope &) = delete;
    TPrintColumnScope &operator=(const TPrintColumnScope &) = delete;

    void SetColumns(int columns) { FPrinter.SetColumnLayout(columns); }
    void SetTop(int top) { FPrinter.SetTextTop(top); }

private:
    TKyrPrinter &FPrinter;
    int FSavedTop;
    int FSavedColumns;
};

} // namespace kyr
