// The four box types, the real box they build, the trace and the scripted service.
#include "nubora/framework/message_service.h"
#include "nubora/framework/services.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/framework/trace.h"

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace nubora::fw {
namespace {

MessageBoxRequest Request(BoxType type) { return {nullptr, QStringLiteral("ヌボラ"), QStringLiteral("本文"), type}; }

TEST(MessageBox, QuestionHasYesAndNoWithYesTheDefaultAndTheInformationIcon)
{
    const auto box = BuildMessageBox(Request(BoxType::Question));
    EXPECT_EQ(box->windowTitle(), QStringLiteral("ヌボラ"));
    EXPECT_EQ(box->text(), QStringLiteral("本文"));
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
}

TEST(MessageBox, StandardButtonsSpeakJapanese)
{
    const auto box = BuildMessageBox(Request(BoxType::Question));
    EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove(QLatin1Char('&')).left(2), QStringLiteral("はい"));
    EXPECT_EQ(box->button(QMessageBox::No)->text().remove(QLatin1Char('&')).left(3), QStringLiteral("いいえ"));
}

TEST(MessageBox, WarningErrorAndNoticeHaveOnlyOk)
{
    const struct {
        BoxType type;
        QMessageBox::Icon icon;
    } cases[] = {{BoxType::Warning, QMessageBox::Warning},
                 {BoxType::Error, QMessageBox::Critical},
                 {BoxType::Notice, QMessageBox::Information}};
    for (const auto& c : cases) {
        const auto box = BuildMessageBox(Request(c.type));
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    }
}

TEST(MessageBox, IsOwnedByTheAskingWindow)
{
    QWidget owner;
    MessageBoxRequest request = Request(BoxType::Warning);
    request.owner = &owner;
    const auto box = BuildMessageBox(request);
    EXPECT_EQ(box->parentWidget(), &owner);
}

TEST(ScriptedMessages, RecordEveryBoxAndGiveTheScriptedAnswers)
{
    testing::ScriptedServices services;
    services.messages.ScriptAnswers({Answer::Yes});
    QWidget owner;
    owner.setWindowTitle(QStringLiteral("設定"));
    EXPECT_EQ(ShowMessageBox(&owner, QStringLiteral("a"), BoxType::Question), Answer::Yes);
    EXPECT_EQ(ShowMessageBox(nullptr, QStringLiteral("b"), BoxType::Error), Answer::Ok);
    EXPECT_EQ(ShowMessageBox(&owner, QStringLiteral("c"), BoxType::Question), Answer::No);
    ASSERT_EQ(services.messages.Boxes().size(), 3u);
    EXPECT_EQ(services.messages.Boxes()[0].ownerTitle, QStringLiteral("設定"));
    EXPECT_FALSE(services.messages.Boxes()[1].hasOwner);
    EXPECT_EQ(services.messages.Boxes()[1].caption, QStringLiteral("ヌボラ"));
    EXPECT_EQ(services.messages.UnscriptedQuestions(), 1);
}

TEST(ScriptedMessages, RestoreThePreviousServicesAfterwards)
{
    MessageService* before = CurrentServices().messages;
    {
        testing::ScriptedServices services;
        EXPECT_EQ(CurrentServices().messages, &services.messages);
    }
    EXPECT_EQ(CurrentServices().messages, before);
}

TEST(TraceMessages, WriteTheBoxInsteadOfShowingItAndAnswerNo)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("trace.log"));
    qputenv(kTraceVariable, file.toLocal8Bit());
    TraceMessageService service;
    EXPECT_EQ(service.Show(Request(BoxType::Question)), Answer::No);
    EXPECT_EQ(service.Show({nullptr, QStringLiteral("ヌボラ"), QStringLiteral("1\n2"), BoxType::Error}), Answer::Ok);
    qunsetenv(kTraceVariable);
    QFile log(file);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()), QStringLiteral("box question owner=- caption=ヌボラ text=本文\n"
                                                               "box error owner=- caption=ヌボラ text=1\\n2\n"));
}

TEST(Trace, WritesNothingWithoutTheVariable)
{
    qunsetenv(kTraceVariable);
    EXPECT_FALSE(TraceEnabled());
    WriteTrace(QStringLiteral("ignored"));  // no file to write: nothing happens
}

}  // namespace
}  // namespace nubora::fw
