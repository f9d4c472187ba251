#pragma once
// The appointments of the calendar, kept in ascending order of start time, and
// the queries the month view, the editor, the merge and the groupware sync use.

#include "CalEntry.h"
#include "Regional.h"

#include <QString>
#include <memory>
#include <vector>

namespace kiv {

class TXCalDocument;
class TCalList;

// Result of a query: none (null) when nothing matches.
using TCalListPtr = std::unique_ptr<TCalList>;

class TCalList
{
public:
    // The main list owns its entries (Remove, Clear and destruction destroy
    // them); query results refer to entries of another list and own none.
    enum Ownership { Owning, Referring };
    explicit TCalList(Ownership ownership = Owning) : m_owns(ownership == Owning) {}
    ~TCalList();
    TCalList(const TCalList &) = delete;
    TCalList &operator=(const TCalList &) = delete;

    bool ownsEntries() const { return m_owns; }
    int Count() const { return static_cast<int>(m_items.size()); }
    // 0 <= idx < Count(); anything else is the caller's fault (checked: throws).
    TCalEntry *Get(int idx) const;
    // Position of the entry, -1 when it is not in the list.
    int IndexOf(const TCalEntry *item) const;

    // Takes the entry (owned when this is the main list), keeps the list in
    // ascending StartTime and returns the entry's position. The order among
    // equal start times is not defined. An entry whose StartTime was changed
    // in place is put back in order here, at the next Add. An entry already in
    // the list is not added again.
    int Add(TCalEntry *Item);
    // Takes many entries and sorts once; what loading a document uses.
    void AddAll(std::vector<TCalEntry *> items);
    // Takes the entry out of the list, destroys it when owned, and returns
    // the position it had; -1 (and nothing destroyed) when it is not in the list.
    int Remove(TCalEntry *Item);
    // Destroys owned entries and empties the list.
    void Clear();

    // The entries whose day span covers the day of dt (times of day ignored).
    TCalListPtr GetDateList(TDateTime dt) const;
    // The entries that start on the day of dtSt and end on the day of dtEn.
    TCalListPtr MatchDateList(TDateTime dtSt, TDateTime dtEn) const;
    // The entries whose Summary equals ASummary ignoring case.
    TCalListPtr MatchSummaryList(const QString &ASummary, const TRegionalSettings &rs) const;
    // One entry: the first covering the day of dtSt, else the one starting
    // nearest to dtSt (the earlier in list order on a tie); none when empty.
    TCalListPtr NearestDateList(TDateTime dtSt) const;
    // Whether an entry starts and ends on the days of tc's start and end and
    // has its Summary and Location (ignoring case). Used by the merge.
    bool EntryExists(const TCalEntry &tc, const TRegionalSettings &rs) const;
    // Text of every entry, separated by a line of 26 asterisks.
    QString GetHint(const TRegionalSettings &rs) const;

    // Adds one entry per vevent of XCal, in document order, without any
    // correction and with fresh UIDs (for reading foreign files before a
    // merge). Reading creates missing child elements in XCal. Throws KivError
    // on an invalid date text, leaving the list as it was. Nothing for null.
    void ReadFromXCal(TXCalDocument *XCal);

    std::vector<TCalEntry *>::const_iterator begin() const { return m_items.begin(); }
    std::vector<TCalEntry *>::const_iterator end() const { return m_items.end(); }

private:
    // Start and end of every entry in list order, kept beside the entries so
    // that a day query reads 16 bytes per entry in one run instead of every
    // entry's own memory. Rebuilt when the list or any entry time changed.
    struct Key
    {
        double start;            // for the distance of NearestDateList
        double startDay, endDay; // day numbers, as doubles
    };
    const std::vector<Key> &keys() const;
    void keysChanged() { m_keysValid = false; }
    // The positions [first, last) that can hold entries starting on days
    // from..to: all of them unless the list is in order.
    std::pair<size_t, size_t> startDayRange(double from, double to) const;
    template <typename Pred>
    TCalListPtr selectByKey(std::pair<size_t, size_t> range, Pred take) const;
    TCalListPtr fromPositions(const std::vector<size_t> &positions) const;
    void sortItems();

    std::vector<TCalEntry *> m_items;
    bool m_owns;
    mutable std::vector<Key> m_keys;
    mutable std::uint64_t m_keysAt = 0; // TEntryTime::changeCount() when built
    mutable bool m_keysValid = false;
    mutable bool m_keysSorted = false; // start times ascending
    mutable double m_longestSpan = 0;  // the most days from start to end
};

} // namespace kiv
