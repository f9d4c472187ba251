// The calendar at 1,000, 10,000 and 100,000 events: loading the file into
// CalList, one day's appointments, the merge's duplicate test, and saving.

#include "CalendarGenerator.h"

#include "CalendarState.h"
#include "Regional.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace kiv;

namespace {

QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString calendarFile(int events)
{
    static std::map<int, QString> files;
    auto it = files.find(events);
    if (it != files.end())
        return it->second;
    const QString path = workDir().filePath(QStringLiteral("cal-%1.xml").arg(events));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        std::abort();
    f.write(bench::generateXCal(events));
    return files[events] = path;
}

TCalendarState &loaded(int events)
{
    static std::map<int, std::unique_ptr<TCalendarState>> states;
    auto &s = states[events];
    if (!s) {
        s = std::make_unique<TCalendarState>();
        s->startUp(calendarFile(events));
    }
    return *s;
}

void BM_LoadCalList(benchmark::State &state)
{
    const QString file = calendarFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TCalendarState cal;
        cal.startUp(file);
        benchmark::DoNotOptimize(cal.CalList.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The parse alone (libxml2 into the document, and freeing it), for scale.
void BM_LoadXCal(benchmark::State &state)
{
    const QString file = calendarFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TXCalDocumentPtr doc = LoadXCal(file);
        benchmark::DoNotOptimize(doc.get());
    }
}

// Loading without the teardown: what the program's start waits for.
void BM_LoadCalListNoTeardown(benchmark::State &state)
{
    const QString file = calendarFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto cal = std::make_unique<TCalendarState>();
        cal->startUp(file);
        state.PauseTiming();
        cal.reset();
        state.ResumeTiming();
    }
}

void BM_GetDateList(benchmark::State &state)
{
    const TCalList &list = loaded(static_cast<int>(state.range(0))).CalList;
    TDateTime day = encodeDate(2015, 6, 1);
    for (auto _ : state) {
        TCalListPtr r = list.GetDateList(day);
        benchmark::DoNotOptimize(r.get());
        day = day + 1 > encodeDate(2015, 7, 1) ? encodeDate(2015, 6, 1) : day + 1;
    }
}

// The first day query after the editor changed an entry in place (the list
// rereads every entry's times once).
void BM_GetDateListAfterEdit(benchmark::State &state)
{
    const TCalList &list = loaded(static_cast<int>(state.range(0))).CalList;
    TCalEntry *edited = list.Get(list.Count() / 2);
    const TDateTime day = encodeDate(2015, 6, 1);
    for (auto _ : state) {
        edited->EndTime = edited->EndTime.value();
        TCalListPtr r = list.GetDateList(day);
        benchmark::DoNotOptimize(r.get());
    }
}

void BM_EntryExists(benchmark::State &state)
{
    const TCalList &list = loaded(static_cast<int>(state.range(0))).CalList;
    const TRegionalSettings rs = TRegionalSettings::german();
    TCalEntry probe(TCalEntry::Blank{});
    probe.Assign(*list.Get(list.Count() / 2));
    probe.Summary = probe.Summary.toUpper() + QStringLiteral(" (other)"); // the worst case: no match
    for (auto _ : state)
        benchmark::DoNotOptimize(list.EntryExists(probe, rs));
}

void BM_SaveXCal(benchmark::State &state)
{
    TCalendarState &cal = loaded(static_cast<int>(state.range(0)));
    const QString out = workDir().filePath(QStringLiteral("saved.xml"));
    for (auto _ : state)
        SaveXCal(out, cal.XCalDoc.get());
}

} // namespace

BENCHMARK(BM_LoadCalList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadXCal)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCalListNoTeardown)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetDateList)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GetDateListAfterEdit)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EntryExists)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveXCal)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
