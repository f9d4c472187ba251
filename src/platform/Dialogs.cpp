#include "Dialogs.h"

namespace kiv {

QString dialogCaption(TMsgDlgType type)
{
    switch (type) {
    case TMsgDlgType::mtWarning: return QStringLiteral("Warnung");
    case TMsgDlgType::mtError: return QStringLiteral("Fehler");
    case TMsgDlgType::mtInformation: return QStringLiteral("Informationen");
    case TMsgDlgType::mtConfirmation: return QStringLiteral("Bestätigen");
    case TMsgDlgType::mtCustom: break;
    }
    return QStringLiteral("KivClock");
}

QString buttonText(TMsgDlgBtn button)
{
    switch (button) {
    case mbYes: return QStringLiteral("&Ja");
    case mbNo: return QStringLiteral("&Nein");
    case mbOK: return QStringLiteral("OK");
    case mbCancel: return QStringLiteral("Abbrechen");
    }
    return {};
}

QString InputBox(IDialogs &dialogs, const QString &caption, const QString &prompt, const QString &value)
{
    QString v = value;
    if (!dialogs.InputQuery(caption, prompt, v))
        return value;
    return v;
}

bool AskYesNo(IDialogs &dialogs, const QString &question)
{
    return dialogs.MessageDlg(question, TMsgDlgType::mtConfirmation, mbYes | mbNo) == mrYes;
}

ScriptedDialogs::Answer ScriptedDialogs::next(int fallback)
{
    if (answers.empty())
        return Answer{fallback, {}, 0};
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

void ScriptedDialogs::ShowMessage(const QString &text)
{
    calls.push_back({QStringLiteral("message"), QStringLiteral("KivClock"), text, {}});
}

int ScriptedDialogs::MessageDlg(const QString &text, TMsgDlgType type, unsigned buttons)
{
    QStringList names;
    for (TMsgDlgBtn b : {mbYes, mbNo, mbOK, mbCancel})
        if (buttons & b)
            names << buttonText(b);
    calls.push_back({QStringLiteral("dlg"), dialogCaption(type), text, names});
    return next((buttons & mbCancel) ? mrCancel : (buttons & mbNo) ? mrNo : mrOk).result;
}

int ScriptedDialogs::askButtons(const QString &caption, const QString &text, const QStringList &buttons)
{
    calls.push_back({QStringLiteral("ask"), caption, text, buttons});
    return next(-1).result;
}

bool ScriptedDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    calls.push_back({QStringLiteral("input"), caption, prompt, {value}});
    const Answer a = next(0);
    if (a.result == 0)
        return false;
    value = a.text;
    return true;
}

bool ScriptedDialogs::chooseColor(unsigned &color)
{
    calls.push_back({QStringLiteral("color"), {}, QString::number(color), {}});
    const Answer a = next(0);
    if (a.result == 0)
        return false;
    color = a.color;
    return true;
}

QString ScriptedDialogs::openFileName(const QString &title, const QString &filter, const QString &dir)
{
    calls.push_back({QStringLiteral("open"), title, filter, {dir}});
    return next(0).text;
}

QString ScriptedDialogs::saveFileName(const QString &title, const QString &filter, const QString &dir)
{
    calls.push_back({QStringLiteral("save"), title, filter, {dir}});
    return next(0).text;
}

void ScriptedDialogs::reportError(const QString &text)
{
    calls.push_back({QStringLiteral("error"), QStringLiteral("KivClock"), text, {}});
}

} // namespace kiv
