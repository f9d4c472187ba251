// The alarm on a real X server with a window manager: the attention request
// and the alarm window above the others while the tune plays.

#include "AlarmCheck.h"
#include "AlarmHarness.h"
#include "AlsaTonePlayer.h"
#include "BeepThread.h"
#include "DayAlarmForm.h"
#include "TestSupport.h"
#include "WindowEffects.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstring>
#include <functional>

using namespace kiv;

namespace {

xcb_connection_t *connection()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(const char *name)
{
    xcb_connection_t *c = connection();
    auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

std::vector<quint32> property(QWidget *w, xcb_atom_t prop, xcb_atom_t type)
{
    xcb_connection_t *c = connection();
    auto *r = xcb_get_property_reply(c, xcb_get_property(c, 0, xcb_window_t(w->winId()), prop, type, 0, 64),
                                     nullptr);
    std::vector<quint32> out;
    if (r && r->format == 32) {
        auto *v = static_cast<const quint32 *>(xcb_get_property_value(r));
        out.assign(v, v + xcb_get_property_value_length(r) / 4);
    }
    free(r);
    return out;
}

bool hasNetState(QWidget *w, const char *state)
{
    const auto atoms = property(w, atom("_NET_WM_STATE"), XCB_ATOM_ATOM);
    return std::find(atoms.begin(), atoms.end(), atom(state)) != atoms.end();
}

bool urgent(QWidget *w)
{
    const auto hints = property(w, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS);
    return !hints.empty() && (hints[0] & (1u << 8));
}

using kiv::test::waitFor;

bool mapped(QWidget *w)
{
    // The window manager has taken it when WM_STATE is set.
    return !property(w, atom("WM_STATE"), atom("WM_STATE")).empty();
}

} // namespace

class AlarmDesktop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!connection())
            GTEST_SKIP() << "needs an X server (run through run-on-xvfb.sh)";
    }
};

TEST_F(AlarmDesktop, AttentionRequestIsSetAndClearedOnEachToggle)
{
    // The window manager drops the request of the focused window, so another
    // window has the focus.
    QWidget focused;
    focused.setWindowTitle(QStringLiteral("focused"));
    focused.resize(200, 100);
    focused.show();
    ASSERT_TRUE(waitFor([&] { return mapped(&focused); }));
    focused.activateWindow();
    QWidget target;
    target.setWindowTitle(QStringLiteral("target"));
    target.setAttribute(Qt::WA_ShowWithoutActivating);
    target.resize(200, 100);
    target.show();
    ASSERT_TRUE(waitFor([&] { return mapped(&target); }));

    EXPECT_TRUE(toggleDemandsAttention(&target));
    EXPECT_TRUE(waitFor([&] { return hasNetState(&target, "_NET_WM_STATE_DEMANDS_ATTENTION"); }));
    EXPECT_TRUE(urgent(&target));

    EXPECT_FALSE(toggleDemandsAttention(&target));
    EXPECT_TRUE(waitFor([&] { return !hasNetState(&target, "_NET_WM_STATE_DEMANDS_ATTENTION"); }));
    EXPECT_FALSE(urgent(&target));
}

TEST_F(AlarmDesktop, FiredAlarmShowsTheWindowAboveOthersAndPlaysOneCycle)
{
    kiv::test::TempDir dir;
    test::TAlarmHarness host(dir.file(QStringLiteral("KivClock.ini")));
    FixedClock clock(encodeDateTime(2026, 12, 10, 6, 30, 1));
    const QString wav = dir.file(QStringLiteral("alarm.wav"));
    AlsaTonePlayer player("file:'" + wav.toLocal8Bit() + "',wav");
    std::unique_ptr<TDayAlarmForm> form;
    auto alarmForm = [&]() -> TDayAlarmForm & {
        if (!form)
            form = std::make_unique<TDayAlarmForm>(host, clock, TRegionalSettings::german());
        return *form;
    };
    int flashes = 0;
    TBeepThread worker(player, host.FAlarmActive, [&] {
        ++flashes;
        alarmForm().FlashWindow();
    });
    host.onBeep = [&] { worker.Beep(); };
    host.onStopBeep = [&] { worker.StopBeep = true; };
    host.onShow = [&] { alarmForm().showOnTop(); };

    bool playing = false;
    ASSERT_TRUE(CheckDayAlarm(host, clock.now(), playing));
    ASSERT_TRUE(waitFor([&] { return mapped(form.get()); }));
    EXPECT_TRUE(waitFor([&] { return hasNetState(form.get(), "_NET_WM_STATE_ABOVE"); }));
    EXPECT_FALSE(form->cbAlarmActive->isChecked());

    // One cycle of about 5.5 s: the once-alarm has disarmed itself.
    ASSERT_TRUE(waitFor([&] { return worker.seriesPlayed() == 1; }, 15000));
    EXPECT_EQ(flashes, 2);
    EXPECT_FALSE(demandsAttention(form.get())); // the second flash took it back
    player.close();
    // 800 + 600 + 1000 + 800 Hz for 300 + 300 + 600 + 300 ms at 48 kHz, 16-bit mono.
    EXPECT_EQ(QFileInfo(wav).size(), 44 + 2 * 48000 * 3 / 2);
    // KIV_KEEP_ALARM_WAV=/some/file.wav keeps the tune to listen to.
    const QString keep = qEnvironmentVariable("KIV_KEEP_ALARM_WAV");
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(wav, keep);
    }
}
