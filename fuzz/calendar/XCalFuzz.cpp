// Fuzzes the calendar file: parse, start-up reading, save, and reading the save
// back (which must always succeed and give the same bytes again).

#include "CalendarState.h"
#include "XCalDocument.h"

#include "KivError.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    kiv::TXCalDocumentPtr doc;
    try {
        doc = kiv::parseXCal(bytes, QStringLiteral("fuzz"));
    } catch (const kiv::KivError &) {
        return 0;
    }
    kiv::TCalList list;
    try {
        list.ReadFromXCal(doc.get());
        (void)list.GetDateList(40734);
        (void)list.NearestDateList(40734);
    } catch (const kiv::KivError &) {
        // an invalid date text: reported to the user
    }
    const QByteArray saved = kiv::xcalText(*doc);
    list.Clear();
    kiv::TXCalDocumentPtr again = kiv::parseXCal(saved, QStringLiteral("saved")); // must not throw
    if (kiv::xcalText(*again) != saved)
        std::abort();
    return 0;
}
