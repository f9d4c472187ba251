#pragma once
// Everything the program asks or tells the user goes through IDialogs, so tests
// can answer in place of a person. QtDialogs (platform_ui) shows real boxes.

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace kiv {

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned {
    mbYes = 1 << 0,
    mbNo = 1 << 1,
    mbOK = 1 << 2,
    mbCancel = 1 << 3,
};

enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// Captions and button texts of the standard boxes.
QString dialogCaption(TMsgDlgType type);
QString buttonText(TMsgDlgBtn button);

class IDialogs
{
public:
    virtual ~IDialogs() = default;
    // A plain message titled with the application's title.
    virtual void ShowMessage(const QString &text) = 0;
    // A standard box; returns the TModalResult of the button chosen.
    virtual int MessageDlg(const QString &text, TMsgDlgType type, unsigned buttons) = 0;
    // A question with buttons of its own; returns the index chosen, -1 when closed.
    virtual int askButtons(const QString &caption, const QString &text, const QStringList &buttons) = 0;
    // Text input; false when cancelled (value untouched).
    virtual bool InputQuery(const QString &caption, const QString &prompt, QString &value) = 0;
    // Colour as 0x00BBGGRR; false when cancelled.
    virtual bool chooseColor(unsigned &color) = 0;
    // Empty when cancelled.
    virtual QString openFileName(const QString &title, const QString &filter, const QString &dir) = 0;
    virtual QString saveFileName(const QString &title, const QString &filter, const QString &dir) = 0;
    // The application's default error report.
    virtual void reportError(const QString &text) = 0;
};

// InputQuery that gives the prefilled value back when cancelled.
QString InputBox(IDialogs &dialogs, const QString &caption, const QString &prompt, const QString &value);
// A confirmation with Yes and No; true for Yes.
bool AskYesNo(IDialogs &dialogs, const QString &question);

// Runs a handler; an error it does not catch reaches the default error report.
template <typename F>
void guarded(IDialogs &dialogs, F &&handler);

// Answers given from a script, and a record of every call, for tests.
class ScriptedDialogs : public IDialogs
{
public:
    struct Call
    {
        QString kind; // "message", "dlg", "ask", "input", "color", "open", "save", "error"
        QString caption;
        QString text;
        QStringList buttons;
    };
    struct Answer
    {
        int result = mrNone;  // modal result, button index, or 1/0 for accepted/cancelled
        QString text;         // input text or file name
        unsigned color = 0;
    };

    void push(Answer a) { answers.push_back(std::move(a)); }
    void pushResult(int r) { push(Answer{r, {}, 0}); }
    void pushText(const QString &t) { push(Answer{1, t, 0}); }

    void ShowMessage(const QString &text) override;
    int MessageDlg(const QString &text, TMsgDlgType type, unsigned buttons) override;
    int askButtons(const QString &caption, const QString &text, const QStringList &buttons) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    bool chooseColor(unsigned &color) override;
    QString openFileName(const QString &title, const QString &filter, const QString &dir) override;
    QString saveFileName(const QString &title, const QString &filter, const QString &dir) override;
    void reportError(const QString &text) override;

    std::deque<Answer> answers;
    std::vector<Call> calls;

private:
    Answer next(int fallback);
};

} // namespace kiv

#include "KivError.h"

template <typename F>
void kiv::guarded(IDialogs &dialogs, F &&handler)
{
    try {
        handler();
    } catch (const std::exception &e) {
        dialogs.reportError(errorText(e));
    }
}
