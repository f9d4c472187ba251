#include "CalList.h"

#include "KivError.h"

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {

bool startsBefore(const TCalEntry *a, const TCalEntry *b)
{
    return a->StartTime < b->StartTime;
}

// Day span test of GetDateList (on day numbers): times of day play no part.
bool coversDay(double startDay, double endDay, double day)
{
    return startDay <= day && endDay >= day;
}

} // namespace

TCalList::~TCalList()
{
    Clear();
}

TCalEntry *TCalList::Get(int idx) const
{
    if (idx < 0 || idx >= Count())
        throw KivError(QStringLiteral("Listenindex überschreitet das Maximum (%1)").arg(idx));
    return m_items[static_cast<size_t>(idx)];
}

int TCalList::IndexOf(const TCalEntry *item) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

const std::vector<TCalList::Key> &TCalList::keys() const
{
    const std::uint64_t now = TEntryTime::changeCount();
    if (!m_keysValid || m_keysAt != now) {
        m_keys.resize(m_items.size());
        m_keysSorted = true;
        m_longestSpan = 0;
        for (size_t i = 0; i < m_items.size(); ++i) {
            const double start = m_items[i]->StartTime;
            Key &k = m_keys[i];
            k = {start, std::trunc(start), std::trunc(m_items[i]->EndTime)};
            m_longestSpan = std::max(m_longestSpan, k.endDay - k.startDay);
            if (i > 0 && !(m_keys[i - 1].start <= start))
                m_keysSorted = false;
        }
        m_keysAt = now;
        m_keysValid = true;
    }
    return m_keys;
}

void TCalList::sortItems()
{
    // Stable, so equal start times keep their order; callers may not rely on it.
    std::stable_sort(m_items.begin(), m_items.end(), startsBefore);
}

int TCalList::Add(TCalEntry *Item)
{
    if (!Item)
        return -1;
    // Held twice, an owned entry would be destroyed twice: a second Add only
    // restores the order, as any Add does.
    if (IndexOf(Item) >= 0) {
        sortItems();
        keysChanged();
        return IndexOf(Item);
    }
    // The list is usually still in order: then one insertion does what a full
    // sort would. After an in-place change of a start time it is not, and the
    // whole list is sorted again.
    if (std::is_sorted(m_items.begin(), m_items.end(), startsBefore)) {
        const auto at = std::upper_bound(m_items.begin(), m_items.end(), Item, startsBefore);
        const auto inserted = m_items.insert(at, Item);
        keysChanged();
        return static_cast<int>(inserted - m_items.begin());
    }
    m_items.push_back(Item);
    sortItems();
    keysChanged();
    return IndexOf(Item);
}

void TCalList::AddAll(std::vector<TCalEntry *> items)
{
    if (m_items.empty())
        m_items = std::move(items);
    else
        m_items.insert(m_items.end(), items.begin(), items.end());
    sortItems();
    keysChanged();
}

int TCalList::Remove(TCalEntry *Item)
{
    const int idx = IndexOf(Item);
    if (idx < 0)
        return -1; // not ours: destroying it could free another list's entry
    m_items.erase(m_items.begin() + idx);
    keysChanged();
    if (m_owns)
        delete Item;
    return idx;
}

void TCalList::Clear()
{
    if (m_owns) {
        for (TCalEntry *e : m_items)
            delete e;
    }
    m_items.clear();
    keysChanged();
}

TCalListPtr TCalList::fromPositions(const std::vector<size_t> &positions) const
{
    if (positions.empty())
        return nullptr;
    auto result = std::make_unique<TCalList>(Referring);
    result->m_items.reserve(positions.size());
    for (size_t i : positions)
        result->m_items.push_back(m_items[i]);
    // Taken in list order, so already sorted unless an entry was changed in place.
    if (!std::is_sorted(result->m_items.begin(), result->m_items.end(), startsBefore))
        result->sortItems();
    return result;
}

std::pair<size_t, size_t> TCalList::startDayRange(double from, double to) const
{
    const std::vector<Key> &k = keys();
    if (!m_keysSorted)
        return {0, k.size()};
    const auto first = std::lower_bound(k.begin(), k.end(), from,
                                        [](const Key &key, double day) { return key.startDay < day; });
    const auto last = std::upper_bound(first, k.end(), to,
                                       [](double day, const Key &key) { return day < key.startDay; });
    return {static_cast<size_t>(first - k.begin()), static_cast<size_t>(last - k.begin())};
}

template <typename Pred>
TCalListPtr TCalList::selectByKey(std::pair<size_t, size_t> range, Pred take) const
{
    const std::vector<Key> &k = keys();
    std::vector<size_t> positions;
    for (size_t i = range.first; i < range.second; ++i) {
        if (take(k[i]))
            positions.push_back(i);
    }
    return fromPositions(positions);
}

TCalListPtr TCalList::GetDateList(TDateTime dt) const
{
    const double day = std::trunc(dt);
    // In a sorted list only entries starting at most the longest span before the day can cover it.
    keys(); // brings m_longestSpan up to date
    const auto range = startDayRange(day - m_longestSpan, day);
    return selectByKey(range, [day](const Key &k) { return coversDay(k.startDay, k.endDay, day); });
}

TCalListPtr TCalList::MatchDateList(TDateTime dtSt, TDateTime dtEn) const
{
    const double st = std::trunc(dtSt), en = std::trunc(dtEn);
    return selectByKey(startDayRange(st, st),
                       [st, en](const Key &k) { return k.startDay == st && k.endDay == en; });
}

TCalListPtr TCalList::MatchSummaryList(const QString &ASummary, const TRegionalSettings &rs) const
{
    const QString wanted = rs.locale.toLower(ASummary);
    std::vector<size_t> positions;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (rs.locale.toLower(m_items[i]->Summary) == wanted)
            positions.push_back(i);
    }
    return fromPositions(positions);
}

TCalListPtr TCalList::NearestDateList(TDateTime dtSt) const
{
    if (m_items.empty())
        return nullptr;
    const std::vector<Key> &k = keys();
    const double day = std::trunc(dtSt);
    double best = 1.7e308;
    int found = -1;
    for (size_t i = 0; i < k.size(); ++i) {
        if (coversDay(k[i].startDay, k[i].endDay, day)) {
            found = static_cast<int>(i);
            break;
        }
        const double d = std::fabs(k[i].start - dtSt);
        if (d < best) {
            best = d;
            found = static_cast<int>(i);
        }
    }
    if (found < 0) // only when every distance is NaN or infinite
        return nullptr;
    auto result = std::make_unique<TCalList>(Referring);
    result->m_items.push_back(m_items[static_cast<size_t>(found)]);
    return result;
}

bool TCalList::EntryExists(const TCalEntry &tc, const TRegionalSettings &rs) const
{
    const TCalListPtr candidates = MatchDateList(tc.StartTime, tc.EndTime);
    if (!candidates)
        return false;
    const QString summary = rs.locale.toLower(tc.Summary);
    const QString location = rs.locale.toLower(tc.Location);
    for (const TCalEntry *e : *candidates) {
        if (rs.locale.toLower(e->Summary) == summary && rs.locale.toLower(e->Location) == location)
            return true;
    }
    return false;
}

QString TCalList::GetHint(const TRegionalSettings &rs) const
{
    QString hint;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (i > 0)
            hint += QStringLiteral("\r\n**************************\r\n");
        hint += m_items[i]->Text(rs);
    }
    return hint;
}

} // namespace kiv
