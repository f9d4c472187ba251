#pragma once
// Window effects that only record what was asked.

#include "WindowEffects.h"

namespace kiv::test {

class FakeWindowEffects : public IWindowEffects
{
public:
    void setTopmost(QWidget *, bool on) override { topmost = on; }
    void setToolWindow(QWidget *w) override
    {
        toolWindow = true;
        toolWindows.push_back(w);
    }
    void setOpacity(QWidget *, int alpha) override { opacity = alpha; }
    void setShape(QWidget *, const QRegion &s) override
    {
        shape = s;
        ++shapeCalls;
    }
    std::vector<TWindowId> findWindowsByClass(const QString &className) override
    {
        searchedClasses << className;
        return otherWindows;
    }
    void hideWindow(TWindowId id) override { hidden.push_back(id); }
    void setDemandsAttention(QWidget *, bool on) override { demandsAttention = on; }
    int workAreaHeight(const QWidget *) override { return workArea; }

    bool topmost = false;
    bool toolWindow = false;
    std::vector<QWidget *> toolWindows;
    int opacity = -1;
    QRegion shape;
    int shapeCalls = 0;
    QStringList searchedClasses;
    std::vector<TWindowId> otherWindows;
    std::vector<TWindowId> hidden;
    bool demandsAttention = false;
    int workArea = 600;
};

} // namespace kiv::test
