#include "WinTools.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>

using namespace kiv;

namespace {

struct RecordingSink : IKeySink
{
    std::vector<std::pair<int, bool>> events;
    void keyEvent(quint8 vk, bool down, bool) override { events.emplace_back(vk, down); }
};

class Receiver : public QObject
{
public:
    std::vector<int> got;
    bool event(QEvent *e) override
    {
        if (e->type() == TNotifyEvent::eventType()) {
            got.push_back(static_cast<TNotifyEvent *>(e)->message);
            return true;
        }
        return QObject::event(e);
    }
};

} // namespace

TEST(WinTools, SendKeyOrdersModifiers)
{
    RecordingSink sink;
    SendKey(sink, 'A', ssShift | ssCtrl, false);
    const std::vector<std::pair<int, bool>> expected{
        {VK_CONTROL, true}, {VK_SHIFT, true}, {'A', true}, {'A', false}, {VK_SHIFT, false}, {VK_CONTROL, false}};
    EXPECT_EQ(sink.events, expected);
}

TEST(WinTools, AppPathsSitBesideTheExecutable)
{
    const TAppPaths paths(QStringLiteral("/opt/kiv/kivclock"));
    EXPECT_EQ(paths.exeDir(), QStringLiteral("/opt/kiv/"));
    EXPECT_EQ(paths.withExtension(QStringLiteral(".ini")), QStringLiteral("/opt/kiv/kivclock.ini"));
    EXPECT_EQ(TAppPaths(QStringLiteral("/x/KivClock.exe")).withExtension(QStringLiteral(".xml")),
              QStringLiteral("/x/KivClock.xml"));
    EXPECT_NE(NewGuid(), NewGuid());
}

TEST(WinTools, NotifyListPostsAndSendsInOrder)
{
    TWinMsgList list;
    Receiver a, b;
    list.RegisterHWND(&a);
    list.RegisterHWND(&b);
    list.RegisterHWND(&a);
    list.UnRegisterHWND(&a); // the first occurrence only
    list.SendNotifyAll(1, 0, 0);
    EXPECT_EQ(b.got, std::vector<int>{1});
    EXPECT_EQ(a.got, std::vector<int>{1});

    list.PostNotifyAll(2, 0, 0);
    EXPECT_EQ(b.got.size(), 1u); // posted, not yet delivered
    QCoreApplication::processEvents();
    EXPECT_EQ(b.got, (std::vector<int>{1, 2}));

    // From another thread, a send waits for the receiver's thread.
    QThread *worker = QThread::create([&] { list.SendNotifyAll(3, 0, 0); });
    worker->start();
    while (!worker->isFinished())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker->wait();
    delete worker;
    EXPECT_EQ(b.got, (std::vector<int>{1, 2, 3}));

    list.UnRegisterAll();
    EXPECT_EQ(list.count(), 0);
}
