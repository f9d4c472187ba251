#include "WinTools.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>
#include <QThread>

namespace kiv {

TAppPaths TAppPaths::current()
{
    return TAppPaths(QCoreApplication::applicationFilePath());
}

QString TAppPaths::exeDir() const
{
    QString dir = QFileInfo(m_exeFile).absolutePath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString TAppPaths::withExtension(const QString &ext) const
{
    const QFileInfo info(m_exeFile);
    const QString suffix = info.suffix();
    QString base = info.absoluteFilePath();
    if (!suffix.isEmpty())
        base.chop(suffix.size() + 1);
    return base + ext;
}

QString ExePath()
{
    return TAppPaths::current().exeDir();
}

QUuid NewGuid()
{
    return QUuid::createUuid();
}

void SendKey(IKeySink &sink, quint8 virtualKey, unsigned modifiers, bool extended)
{
    static const struct { unsigned flag; quint8 vk; } table[] = {
        {ssCtrl, VK_CONTROL}, {ssShift, VK_SHIFT}, {ssAlt, VK_MENU}};
    for (const auto &m : table)
        if (modifiers & m.flag)
            sink.keyEvent(m.vk, true, false);
    sink.keyEvent(virtualKey, true, extended);
    sink.keyEvent(virtualKey, false, extended);
    for (int i = 2; i >= 0; --i)
        if (modifiers & table[i].flag)
            sink.keyEvent(table[i].vk, false, false);
}

QEvent::Type TNotifyEvent::eventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void TWinMsgList::RegisterHWND(QObject *target)
{
    QMutexLocker lock(&FCritSect);
    m_targets.append(target);
}

void TWinMsgList::UnRegisterHWND(QObject *target)
{
    QMutexLocker lock(&FCritSect);
    for (qsizetype i = 0; i < m_targets.size(); ++i)
        if (m_targets.at(i) == target) {
            m_targets.removeAt(i);
            return;
        }
}

void TWinMsgList::UnRegisterAll()
{
    QMutexLocker lock(&FCritSect);
    m_targets.clear();
}

int TWinMsgList::count() const
{
    QMutexLocker lock(&FCritSect);
    return static_cast<int>(m_targets.size());
}

QList<QPointer<QObject>> TWinMsgList::snapshot() const
{
    QMutexLocker lock(&FCritSect);
    return m_targets;
}

void TWinMsgList::PostNotifyAll(int message, qintptr wParam, qintptr lParam)
{
    for (const auto &t : snapshot())
        if (t)
            QCoreApplication::postEvent(t, new TNotifyEvent(message, wParam, lParam));
}

void TWinMsgList::SendNotifyAll(int message, qintptr wParam, qintptr lParam)
{
    for (const auto &t : snapshot()) {
        if (!t)
            continue;
        QObject *target = t;
        if (target->thread() == QThread::currentThread()) {
            TNotifyEvent ev(message, wParam, lParam);
            QCoreApplication::sendEvent(target, &ev);
        } else {
            QMetaObject::invokeMethod(
                target,
                [target, message, wParam, lParam] {
                    TNotifyEvent ev(message, wParam, lParam);
                    QCoreApplication::sendEvent(target, &ev);
                },
                Qt::BlockingQueuedConnection);
        }
    }
}

} // namespace kiv
