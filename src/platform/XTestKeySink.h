#pragma once
// Synthetic keystrokes on the X11 desktop through the XTest extension.

#include "WinTools.h"

namespace kiv {

class XTestKeySink : public IKeySink
{
public:
    void keyEvent(quint8 virtualKey, bool down, bool extended) override;
};

// The X keysym for a virtual key code, 0 when there is none.
unsigned long keysymForVirtualKey(quint8 virtualKey);

} // namespace kiv
