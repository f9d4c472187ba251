#include "Dialogs.h"

#include <gtest/gtest.h>

using namespace kiv;

TEST(Dialogs, StandardCaptionsAndButtonsAreGerman)
{
    EXPECT_EQ(dialogCaption(TMsgDlgType::mtWarning), QStringLiteral("Warnung"));
    EXPECT_EQ(dialogCaption(TMsgDlgType::mtError), QStringLiteral("Fehler"));
    EXPECT_EQ(dialogCaption(TMsgDlgType::mtInformation), QStringLiteral("Informationen"));
    EXPECT_EQ(dialogCaption(TMsgDlgType::mtConfirmation), QString::fromUtf8("Bestätigen"));
    ScriptedDialogs d;
    d.pushResult(mrYes);
    EXPECT_TRUE(AskYesNo(d, QStringLiteral("Sure?")));
    EXPECT_FALSE(AskYesNo(d, QStringLiteral("Again?"))); // unanswered: No
    ASSERT_EQ(d.calls.size(), 2u);
    EXPECT_EQ(d.calls[0].buttons, (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
}

TEST(Dialogs, InputBoxKeepsThePrefilledValueOnCancel)
{
    ScriptedDialogs d;
    EXPECT_EQ(InputBox(d, QStringLiteral("Resize"), QStringLiteral("size"), QStringLiteral("88")), QStringLiteral("88"));
    d.pushText(QStringLiteral("100"));
    EXPECT_EQ(InputBox(d, QStringLiteral("Resize"), QStringLiteral("size"), QStringLiteral("88")), QStringLiteral("100"));
}

TEST(Dialogs, GuardReportsUncaughtErrors)
{
    ScriptedDialogs d;
    guarded(d, [] { throw KivError(QStringLiteral("Datei kaputt")); });
    guarded(d, [] { throw std::runtime_error("plain"); });
    guarded(d, [] {});
    ASSERT_EQ(d.calls.size(), 2u);
    EXPECT_EQ(d.calls[0].kind, QStringLiteral("error"));
    EXPECT_EQ(d.calls[0].text, QStringLiteral("Datei kaputt"));
    EXPECT_EQ(d.calls[1].text, QStringLiteral("plain"));
}
