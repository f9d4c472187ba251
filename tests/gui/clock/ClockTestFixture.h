#pragma once
// A clock in a temporary folder with scripted dialogs, recorded window effects
// and a fixed time.

#include "Clock.h"
#include "FakeWindowEffects.h"
#include "TestSupport.h"

#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace kiv::test {

class ClockTest : public ::testing::Test
{
protected:
    void SetUp() override { FtpAccount() = {}; }

    TClockEnvironment env()
    {
        TClockEnvironment e;
        e.dialogs = &dialogs;
        e.effects = &effects;
        e.clock = &now;
        e.regional = TRegionalSettings::german();
        e.paths = TAppPaths(dir.file(QStringLiteral("kivclock")));
        e.shortcutFolders.startup = dir.file(QStringLiteral("autostart"));
        e.shortcutFolders.desktop = dir.file(QStringLiteral("Desktop"));
        return e;
    }
    TClock &make()
    {
        clock = std::make_unique<TClock>(env());
        clock->Timer1->stop(); // tests drive the ticks
        return *clock;
    }
    TClock &makeShown()
    {
        make();
        clock->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(clock.get()));
        return *clock;
    }
    QString iniFile() const { return dir.file(QStringLiteral("kivclock.ini")); }
    bool iniWritten() const { return QFileInfo::exists(iniFile()); }
    QByteArray ini() const { return readAll(iniFile()); }

    TempDir dir;
    ScriptedDialogs dialogs;
    FakeWindowEffects effects;
    FixedClock now{encodeDateTime(2024, 5, 17, 10, 8, 0)};
    std::unique_ptr<TClock> clock;
};

} // namespace kiv::test
