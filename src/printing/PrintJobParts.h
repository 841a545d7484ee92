// The pieces the interpretation job is made of, each printing its own pages through the engine,
// and the few helpers they share.
#pragma once

#include <string>
#include <vector>

namespace kyr {

class TDataCollection;
class TKyrPrinter;
class TLanguage;
struct TWheelPageSettings;

/// Lets pending messages through (so that Cancel can be pressed), then asks the progress
/// dialog's cancel flag.
bool JobCancelled(TKyrPrinter &printer);
/// Text number of the printer's language; empty without one.
std::string PrinterText(const TKyrPrinter &printer, int number);
/// Starts the page when a break is pending and tells the progress dialog, so that pictures can
/// be drawn on the canvas.
void StartDrawing(TKyrPrinter &printer);
/// The lines of a help text (CR LF, CR or LF separated); empty when the text is missing.
std::vector<std::string> HelpTextLines(TDataCollection &data, int number);
/// The first page the interpretation body or a lone symbol page takes: after the contents page
/// (numbered 1) and the wheel page when the job has them.
int FirstTextPage(const TKyrPrinter &printer);

/// The chart wheel with its information boxes on a page of its own.
void PrintWheelPage(TKyrPrinter &printer, const TWheelPageSettings &settings);
/// The birth and/or dynamic analysis; false when the user cancelled.
bool PrintInterpretationBody(TKyrPrinter &printer);
/// The strength curve of a transit below the flow position, then the flow moves past it.
void PrintTransitGraph(TKyrPrinter &printer, int transitIndex);
/// The symbol explanation of help text 11001 as a table in one full-width column.
void PrintSymbolPage(TKyrPrinter &printer, TDataCollection &data);
/// The glyph a short first cell of the symbol explanation stands for: "#" + c the body c − 49,
/// "$" + c the aspect number c − 48, "@" + c the sign c − 49 (0 = Aries); any other cell is the
/// symbol-font character itself.
std::string SymbolCellGlyph(const std::string &cell, const TLanguage &language);
/// The contents page of help text 11002 with the person's name, the logo and the contents.
void PrintContentsPage(TKyrPrinter &printer, TDataCollection &data);

} // namespace kyr
