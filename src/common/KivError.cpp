#include "KivError.h"

namespace kiv {

QString errorText(const std::exception &e)
{
    if (auto k = dynamic_cast<const KivError *>(&e))
        return k->message();
    return QString::fromLocal8Bit(e.what());
}

} // namespace kiv
