#pragma once
// The journal of a recovery file: one line per edit, appended after the last full copy, each
// holding the counters and, per table changed, its size and every row from the first one
// changed to the end. Replayed in order over the copy, the records give the work as it was at
// the last edit. A line is "J", the sum of its text, a space, the text (a binary record with
// backslash, CR and LF escaped) and CR LF: a line cut short, or any byte of it changed, fails
// its sum, and it and whatever follows are ignored.
#include <array>
#include <ctime>
#include <string>
#include <string_view>

namespace vuv {

class Document;

// The record of the document as it is now; `premieres[i]` is the first row of table i to
// write (PileAnnulation::aucune_ligne: the table is left out).
std::string enregistrement_journal(const Document& d, const std::array<int, 3>& premieres, std::time_t date);

struct RelectureJournal {
    int enregistrements = 0; // records replayed
    std::time_t date = 0;    // of the last one
    bool coupe = false;      // something after them was ignored
};

// Replays the records on the document read from the copy, stopping at the first that is cut
// or damaged.
RelectureJournal rejoue_journal(std::string_view journal, Document& d);

} // namespace vuv
