#pragma once
// Calendar files of any size for the benchmarks: events like the appointment
// editor writes them (location, times, summary, last change, alarm,
// description, uid), in the file layout, in random start order.

#include <QByteArray>

namespace kiv::bench {

// `events` events spread over ten years from 2010, about 740 bytes each; the
// same seed gives the same file.
QByteArray generateXCal(int events, unsigned seed = 1);

} // namespace kiv::bench
