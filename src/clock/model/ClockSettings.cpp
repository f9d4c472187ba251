#include "ClockSettings.h"

#include <limits>

namespace kiv {

TFtpAccount &FtpAccount()
{
    static TFtpAccount account;
    return account;
}

namespace {

const QString kMain = QStringLiteral("Main");
const QString kDayAlarm = QStringLiteral("DayAlarm");
const QString kTransCal = QStringLiteral("TransCalShow");
const QString kFtp = QStringLiteral("FTP");

// Values that do not fit an int would wrap into nonsense positions.
int readInt(const TIniFile &ini, const QString &section, const QString &key, int def)
{
    const qint64 v = ini.ReadInteger(section, key, def);
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return def;
    return static_cast<int>(v);
}

} // namespace

QString alarmTimeText(TDateTime t, const TRegionalSettings &rs)
{
    return formatDateTime(QStringLiteral("tt"), timeOf(t), rs);
}

void loadClockSettings(const TIniFile &ini, const TRegionalSettings &rs, TClockSettings &s)
{
    s.Left = readInt(ini, kMain, QStringLiteral("Left"), s.Left);
    s.Top = readInt(ini, kMain, QStringLiteral("Top"), s.Top);
    // Any positive width is taken as it is; zero or less would leave no window at all.
    const int width = readInt(ini, kMain, QStringLiteral("Width"), s.Width);
    if (width > 0)
        s.Width = width;
    const int alpha = readInt(ini, kMain, QStringLiteral("AlphaBlendValue"), s.AlphaBlendValue);
    if (alpha >= 0 && alpha <= 255)
        s.AlphaBlendValue = alpha;
    s.Color = static_cast<unsigned>(ini.ReadInteger(kMain, QStringLiteral("Color"), s.Color)) & 0xFFFFFFu;
    s.AlarmActive = ini.ReadBool(kDayAlarm, QStringLiteral("Active"), s.AlarmActive);
    s.AlarmDaily = ini.ReadBool(kDayAlarm, QStringLiteral("Daily"), s.AlarmDaily);
    TDateTime t = 0;
    if (tryParseTime(ini.ReadString(kDayAlarm, QStringLiteral("Time"), alarmTimeText(s.AlarmTime, rs)), rs, t))
        s.AlarmTime = t;
    s.TransCalShow = ini.ReadBool(kTransCal, QStringLiteral("Visible"), s.TransCalShow);
    s.ftp.FtpHost = ini.ReadString(kFtp, QStringLiteral("Host"), s.ftp.FtpHost);
    s.ftp.FtpUser = ini.ReadString(kFtp, QStringLiteral("Username"), s.ftp.FtpUser);
    s.ftp.FtpPassword = ini.ReadString(kFtp, QStringLiteral("Password"), s.ftp.FtpPassword);
}

void storeClockSettings(TIniFile &ini, const TRegionalSettings &rs, const TClockSettings &s)
{
    ini.update([&](IniDocument &doc) {
        const auto num = [](qint64 v) { return QString::number(v); };
        const auto flag = [](bool b) { return b ? QStringLiteral("1") : QStringLiteral("0"); };
        doc.setValue(kMain, QStringLiteral("Left"), num(s.Left));
        doc.setValue(kMain, QStringLiteral("Top"), num(s.Top));
        doc.setValue(kMain, QStringLiteral("Width"), num(s.Width));
        doc.setValue(kMain, QStringLiteral("AlphaBlendValue"), num(s.AlphaBlendValue));
        doc.setValue(kMain, QStringLiteral("Color"), num(s.Color));
        doc.setValue(kDayAlarm, QStringLiteral("Active"), flag(s.AlarmActive));
        doc.setValue(kDayAlarm, QStringLiteral("Daily"), flag(s.AlarmDaily));
        doc.setValue(kDayAlarm, QStringLiteral("Time"), alarmTimeText(s.AlarmTime, rs));
        doc.setValue(kTransCal, QStringLiteral("Visible"), flag(s.TransCalShow));
        doc.setValue(kFtp, QStringLiteral("Host"), s.ftp.FtpHost);
        doc.setValue(kFtp, QStringLiteral("Username"), s.ftp.FtpUser);
        doc.setValue(kFtp, QStringLiteral("Password"), s.ftp.FtpPassword);
    });
}

} // namespace kiv
