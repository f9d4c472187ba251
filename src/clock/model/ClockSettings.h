#pragma once
// The clock's keys in the settings file and the process-wide FTP account.

#include "DateTime.h"
#include "IniFile.h"
#include "Regional.h"

#include <QString>

namespace kiv {

// Settings files hold the FTP password: only the user may read them.
constexpr unsigned kSettingsFileMode = 0600;

struct TFtpAccount
{
    QString FtpHost;
    QString FtpUser;
    QString FtpPassword;
};

// The one FTP account of the process (edited by the FTP setup, used by the
// calendar exchange).
TFtpAccount &FtpAccount();

struct TClockSettings
{
    int Left = 738;
    int Top = 188;
    int Width = 88;
    int AlphaBlendValue = 160;
    unsigned Color = 0; // 0x00BBGGRR
    bool AlarmActive = true;
    TDateTime AlarmTime = 6.5 / 24; // 06:30:00
    bool AlarmDaily = false;
    bool TransCalShow = true;
    TFtpAccount ftp;
};

// Reads every key; a missing or unusable value keeps what `s` holds. An alarm
// time that does not parse keeps its value and the keys after it still load.
void loadClockSettings(const TIniFile &ini, const TRegionalSettings &rs, TClockSettings &s);
// Writes all twelve keys in one go.
void storeClockSettings(TIniFile &ini, const TRegionalSettings &rs, const TClockSettings &s);

// The alarm time as the file holds it: the time of day in the long time format.
QString alarmTimeText(TDateTime t, const TRegionalSettings &rs);

} // namespace kiv
