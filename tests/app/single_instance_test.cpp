// One copy per user: the socket in process, then two real copies of nubora.
#include "nubora/app/main_menu_dialog.h"
#include "nubora/app/single_instance.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/resources/control_ids.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <vector>

namespace nubora {
namespace {

// Processes events until `done` holds or `ms` milliseconds pass.
template <class Condition>
bool WaitFor(Condition done, int ms = 20000)
{
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

QString ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class RuntimeFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previous = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", folder.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", previous); }
    QTemporaryDir folder;
    QByteArray previous;
};

using SingleInstanceSocket = RuntimeFolder;

TEST_F(SingleInstanceSocket, LivesInTheRuntimeFolderUnderTheMarkerName)
{
    SingleInstance instance;
    EXPECT_EQ(instance.SocketPath(), folder.filePath(QStringLiteral("NuboraEditor")));
}

TEST_F(SingleInstanceSocket, TheFirstListensAndTheSecondReachesIt)
{
    SingleInstance first;
    EXPECT_FALSE(first.ConnectToRunningCopy());
    ASSERT_TRUE(first.Listen());
    int frontRequests = 0;
    first.SetFrontHandler([&frontRequests] { ++frontRequests; });

    SingleInstance second;
    ASSERT_TRUE(second.ConnectToRunningCopy());
    second.AskRunningCopyToFront();
    EXPECT_TRUE(WaitFor([&] { return frontRequests == 1; }, 5000));
}

// A handler that shows a message box runs an event loop of its own: the
// requests behind it wait for it, in order, and the connection may end
// meanwhile.
TEST_F(SingleInstanceSocket, RequestsWaitForAHandlersOwnEventLoop)
{
    SingleInstance first;
    ASSERT_TRUE(first.Listen());
    std::vector<QString> events;
    int depth = 0;
    int deepest = 0;
    first.SetOpenHandler([&](const QString& path) {
        deepest = std::max(deepest, ++depth);
        events.push_back(path);
        if (events.size() == 1) {
            QEventLoop box;
            QTimer::singleShot(300, &box, &QEventLoop::quit);
            box.exec();
        }
        --depth;
    });
    first.SetFrontHandler([&] { events.push_back(QStringLiteral("front")); });

    SingleInstance second;
    ASSERT_TRUE(second.ConnectToRunningCopy());
    second.AskRunningCopyToOpen({QStringLiteral("/a.aqr"), QStringLiteral("/b.eqr")});
    EXPECT_TRUE(WaitFor([&] { return events.size() == 3; }, 5000));
    EXPECT_EQ(events,
              (std::vector<QString>{QStringLiteral("/a.aqr"), QStringLiteral("/b.eqr"), QStringLiteral("front")}));
    EXPECT_EQ(deepest, 1);
}

TEST_F(SingleInstanceSocket, AStaleSocketFileDoesNotCount)
{
    const QString path = folder.filePath(QStringLiteral("NuboraEditor"));
    {
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance instance;
    EXPECT_FALSE(instance.ConnectToRunningCopy());
    EXPECT_TRUE(instance.Listen());
    EXPECT_TRUE(instance.IsListening());
}

// --- Two real copies ------------------------------------------------------

class TwoCopies : public RuntimeFolder {
protected:
    void TearDown() override
    {
        for (QProcess* p : {&first, &second, &third}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
        RuntimeFolder::TearDown();
    }

    QString Trace(const char* name) { return folder.filePath(QString::fromLatin1(name)); }

    void Start(QProcess& process, const QString& trace, const QStringList& arguments = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
        env.insert(QStringLiteral("NUBORA_TEST_TRACE"), trace);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(NUBORA_PROGRAM), arguments);
        ASSERT_TRUE(process.waitForStarted(10000));
    }

    // An address-book data file in the runtime folder.
    QString EntryFile(const char* name = "entry.aqr", const QByteArray& bytes = "Taro,,,,,,,,\r\n")
    {
        const QString path = folder.filePath(QString::fromLatin1(name));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
        return path;
    }

    QProcess first;
    QProcess second;
    QProcess third;
};

TEST_F(TwoCopies, TheSecondReports120AndBringsTheFirstToTheFront)
{
    const QString firstTrace = Trace("first.log");
    const QString secondTrace = Trace("second.log");
    Start(first, firstTrace);
    ASSERT_TRUE(WaitFor([&] { return ReadAll(firstTrace).contains(QStringLiteral("show ヌボラ\n")); }))
        << ReadAll(firstTrace).toStdString();

    Start(second, secondTrace);
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    // The error box without owner, and no window of its own.
    EXPECT_EQ(ReadAll(secondTrace),
              QStringLiteral("box error owner=- caption=ヌボラ text=「ヌボラ」は既に起動しています。\n"));

    EXPECT_TRUE(WaitFor([&] { return ReadAll(firstTrace).contains(QStringLiteral("front ヌボラ\n")); }))
        << ReadAll(firstTrace).toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_FALSE(ReadAll(firstTrace).contains(QStringLiteral("box")));
}

TEST_F(TwoCopies, AfterTheFirstIsKilledANewStartSucceeds)
{
    const QString firstTrace = Trace("first.log");
    const QString thirdTrace = Trace("third.log");
    Start(first, firstTrace);
    ASSERT_TRUE(WaitFor([&] { return ReadAll(firstTrace).contains(QStringLiteral("show ヌボラ\n")); }));

    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(10000));
    // The crashed copy left its socket file behind.
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("NuboraEditor"))));

    Start(third, thirdTrace);
    EXPECT_TRUE(WaitFor([&] { return ReadAll(thirdTrace).contains(QStringLiteral("show ヌボラ\n")); }))
        << ReadAll(thirdTrace).toStdString();
    EXPECT_FALSE(ReadAll(thirdTrace).contains(QStringLiteral("box")));
    EXPECT_EQ(third.state(), QProcess::Running);
}

TEST_F(TwoCopies, AFileOnTheCommandLineOpensInItsScreen)
{
    const QString trace = Trace("first.log");
    const QString entry = EntryFile();
    Start(first, trace, {entry});
    EXPECT_TRUE(WaitFor([&] { return ReadAll(trace).contains(QStringLiteral("opened %1\n").arg(entry)); }))
        << ReadAll(trace).toStdString();
    EXPECT_TRUE(ReadAll(trace).contains(QStringLiteral("show アドレス帳用コード入力画面\n")));
    EXPECT_FALSE(ReadAll(trace).contains(QStringLiteral("box")));
}

TEST_F(TwoCopies, ASecondCopyWithAFileHandsItToTheFirstAndSaysNothing)
{
    const QString firstTrace = Trace("first.log");
    const QString secondTrace = Trace("second.log");
    Start(first, firstTrace);
    ASSERT_TRUE(WaitFor([&] { return ReadAll(firstTrace).contains(QStringLiteral("show ヌボラ\n")); }));

    // A relative name: the second copy makes it absolute for the first.
    const QString entry = EntryFile();
    second.setWorkingDirectory(folder.path());
    Start(second, secondTrace, {QStringLiteral("entry.aqr")});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(ReadAll(secondTrace), QString());

    EXPECT_TRUE(WaitFor([&] { return ReadAll(firstTrace).contains(QStringLiteral("opened %1\n").arg(entry)); }))
        << ReadAll(firstTrace).toStdString();
    EXPECT_TRUE(WaitFor([&] {
        return ReadAll(firstTrace).contains(QStringLiteral("front アドレス帳用コード入力画面\n"));
    })) << ReadAll(firstTrace).toStdString();
    EXPECT_EQ(first.state(), QProcess::Running);
}

// This process runs as the first copy, typed into; a real second copy hands it a file.
TEST_F(TwoCopies, AHandedOverFileAsksBeforeReplacingAndKeepsTheScreenInFrontOnFailure)
{
    const QString entry = EntryFile(), mail = EntryFile("mail.eqr", "a@b,,\r\n"), z = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const QString a = "アドレス帳用コード入力画面 ", m = "Eメール用コード入力画面 ";
    const QString asked = a + "入力中のデータは保存されていません。「entry.aqr」を開いて置き換えますか？";
    // Shown (long.aqr: a name past its 24 bytes), handed over, the answer; then what the user sees.
    const std::tuple<QString, QString, fw::Answer, QString> cases[] = {
        {entry, entry, fw::Answer::No, a + "Hanako " + asked},
        {entry, entry, fw::Answer::Yes, a + "Taro " + asked},
        {EntryFile("long.aqr", z.toLatin1() + ","), mail, {}, m + z + " "},
        {mail, "/none/entry.aqr", {}, m + " " + m + "ファイルのオープンに失敗しました。"},
    };
    for (const auto& [shown, handed, answer, seen] : cases) {
        fw::testing::ScriptedServices services;
        services.messages.ScriptAnswers({answer});
        MainMenuDialog menu;
        menu.Create(true);
        menu.OpenDataFile(shown);
        if (shown == entry)
            menu.addressBook->ControlAs<QLineEdit>(ctl::addressBook::kName)->setText("Hanako");
        SingleInstance running;
        bool fronted = false;
        running.SetOpenHandler([&menu](const QString& path) { menu.OpenDataFile(path); });
        running.SetFrontHandler([&fronted] { fronted = true; });
        ASSERT_TRUE(running.Listen());
        Start(second, Trace("second.log"), {handed});
        ASSERT_TRUE(WaitFor([&] { return fronted && second.state() == QProcess::NotRunning; }));
        QString now = menu.VisibleScreen()->windowTitle() + " " + QString::fromStdString(menu.addressBook->name) + " ";
        for (const fw::testing::RecordedBox& box : services.messages.Boxes())
            now += box.ownerTitle + " " + box.text;
        EXPECT_EQ(now.toStdString(), seen.toStdString());
    }
}

}  // namespace
}  // namespace nubora
