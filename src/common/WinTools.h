#pragma once
// Small helpers shared by several windows: file locations, GUIDs, synthetic
// keys and a thread-safe list of notify targets.

#include <QEvent>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUuid>

namespace kiv {

// Where the program's files live: beside the executable. Tests make their own.
class TAppPaths
{
public:
    TAppPaths() = default;
    explicit TAppPaths(QString exeFile) : m_exeFile(std::move(exeFile)) {}
    // The running executable's paths (needs a QCoreApplication).
    static TAppPaths current();

    const QString &exeFile() const { return m_exeFile; }
    // The executable's folder, ending with "/".
    QString exeDir() const;
    // The executable's path with its extension replaced (or added): ".ini", ".xml".
    QString withExtension(const QString &ext) const;

private:
    QString m_exeFile;
};

// The executable's folder, ending with a path delimiter.
QString ExePath();

QUuid NewGuid();

// Virtual key codes used by SendKey.
enum : quint8 { VK_SHIFT = 0x10, VK_CONTROL = 0x11, VK_MENU = 0x12 };
enum TShiftKey : unsigned { ssShift = 1, ssCtrl = 2, ssAlt = 4 };

// Receives synthetic key events.
class IKeySink
{
public:
    virtual ~IKeySink() = default;
    virtual void keyEvent(quint8 virtualKey, bool down, bool extended) = 0;
};

// Presses the modifiers (Ctrl, Shift, Alt in that order), the key, and releases
// the modifiers in reverse order.
void SendKey(IKeySink &sink, quint8 virtualKey, unsigned modifiers, bool extended);

// The event posted or sent by TWinMsgList.
class TNotifyEvent : public QEvent
{
public:
    static QEvent::Type eventType();
    TNotifyEvent(int message, qintptr wParam, qintptr lParam)
        : QEvent(eventType()), message(message), wParam(wParam), lParam(lParam) {}
    int message;
    qintptr wParam;
    qintptr lParam;
};

// A list of windows to notify. Registration changes are guarded by a lock.
class TWinMsgList
{
public:
    void RegisterHWND(QObject *target);
    void UnRegisterHWND(QObject *target);
    void UnRegisterAll();
    int count() const;
    // Posts to every target in list order without waiting.
    void PostNotifyAll(int message, qintptr wParam, qintptr lParam);
    // Sends to every target in list order, each call waiting for the receiver.
    void SendNotifyAll(int message, qintptr wParam, qintptr lParam);

private:
    QList<QPointer<QObject>> snapshot() const;

    mutable QMutex FCritSect;
    QList<QPointer<QObject>> m_targets;
};

} // namespace kiv
