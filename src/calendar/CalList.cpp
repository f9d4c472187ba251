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

// Day span test of GetDateList: times of day play no part.
bool coversDay(const TCalEntry *e, double day)
{
    return std::trunc(e->StartTime) <= day && std::trunc(e->EndTime) >= day;
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

void TCalList::sortItems()
{
    // Stable, so equal start times keep their order; callers may not rely on it.
    std::stable_sort(m_items.begin(), m_items.end(), startsBefore);
}

int TCalList::Add(TCalEntry *Item)
{
    // The list is usually still in order: then one insertion does what a full
    // sort would. After an in-place change of a start time it is not, and the
    // whole list is sorted again.
    if (std::is_sorted(m_items.begin(), m_items.end(), startsBefore)) {
        const auto at = std::upper_bound(m_items.begin(), m_items.end(), Item, startsBefore);
        const auto inserted = m_items.insert(at, Item);
        return static_cast<int>(inserted - m_items.begin());
    }
    m_items.push_back(Item);
    sortItems();
    return IndexOf(Item);
}

void TCalList::AddAll(std::vector<TCalEntry *> items)
{
    if (m_items.empty())
        m_items = std::move(items);
    else
        m_items.insert(m_items.end(), items.begin(), items.end());
    sortItems();
}

int TCalList::Remove(TCalEntry *Item)
{
    const int idx = IndexOf(Item);
    if (idx >= 0)
        m_items.erase(m_items.begin() + idx);
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
}

template <typename Pred>
TCalListPtr TCalList::select(Pred take) const
{
    TCalListPtr result;
    for (TCalEntry *e : m_items) {
        if (!take(e))
            continue;
        if (!result)
            result = std::make_unique<TCalList>(Referring);
        result->m_items.push_back(e);
    }
    // Taken in list order, so already sorted unless an entry was changed in place.
    if (result && !std::is_sorted(result->m_items.begin(), result->m_items.end(), startsBefore))
        result->sortItems();
    return result;
}

TCalListPtr TCalList::GetDateList(TDateTime dt) const
{
    const double day = std::trunc(dt);
    return select([day](const TCalEntry *e) { return coversDay(e, day); });
}

TCalListPtr TCalList::MatchDateList(TDateTime dtSt, TDateTime dtEn) const
{
    const double st = std::trunc(dtSt), en = std::trunc(dtEn);
    return select([st, en](const TCalEntry *e) {
        return std::trunc(e->StartTime) == st && std::trunc(e->EndTime) == en;
    });
}

TCalListPtr TCalList::MatchSummaryList(const QString &ASummary, const TRegionalSettings &rs) const
{
    const QString wanted = rs.locale.toLower(ASummary);
    return select([&](const TCalEntry *e) { return rs.locale.toLower(e->Summary) == wanted; });
}

TCalListPtr TCalList::NearestDateList(TDateTime dtSt) const
{
    if (m_items.empty())
        return nullptr;
    const double day = std::trunc(dtSt);
    double best = 1.7e308;
    int found = -1;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (coversDay(m_items[i], day)) {
            found = static_cast<int>(i);
            break;
        }
        const double d = std::fabs(m_items[i]->StartTime - dtSt);
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
