// gen-calendar N OUT [SEED]: writes a calendar file of N events (for measuring
// the tool's time and memory on big calendars).

#include "CalendarGenerator.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: gen-calendar EVENTS OUT [SEED]\n");
        return 2;
    }
    const QByteArray data = kiv::bench::generateXCal(std::atoi(argv[1]),
                                                     argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 1);
    FILE *f = std::fopen(argv[2], "wb");
    if (!f || std::fwrite(data.constData(), 1, static_cast<size_t>(data.size()), f) != static_cast<size_t>(data.size()) ||
        std::fclose(f) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
