// Connects an interpretation's book handlers to the data collection's book tables.
#pragma once

namespace kyr {

class TDataCollection;
class TInterpretation;

/// OnGetBooks, OnGetChapter and OnGetSynastryChapter := the collection's GetBooks,
/// GetChapter and GetSynastryChapter. The collection must outlive the interpretation's use.
void ConnectBookHandlers(TInterpretation &interpretation, TDataCollection &collection);

} // namespace kyr
