// Saving and opening the data files on disk: statuses, all-or-nothing
// replacement, locks, and paths longer than one system call takes.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "nubora/logic/data_file.h"
#include "temp_folder.h"

namespace nubora {
namespace {

using testing::Slurp;
using testing::Spill;
using testing::TempFolder;

const AddressBookEntry kEntry{"Yamada, Taro",   "\xD4\xCF\xC0\xDE", "03-1234-5678", "", "taro@example.jp", "",
                              "Tokyo \x95\x5C", "memo\r\nline"};
const MailEntry kMail{"a@example.jp", "subject", "line 1\r\nline 2"};
const std::string kText = "TEL:0312345678\r\nsecond, line";

// What a save failed with; nothing when it succeeded.
std::optional<DataFileStatus> FailureOf(const Result<void, DataFileStatus>& saved)
{
    return saved ? std::nullopt : std::optional(saved.Error());
}

// What an open failed with; nothing when it succeeded, and then `into` holds
// what was read (as a screen takes it: only on success).
template <typename T>
std::optional<DataFileStatus> Into(Result<T, DataFileStatus> opened, T& into)
{
    if (!opened)
        return opened.Error();
    into = std::move(opened).Value();
    return std::nullopt;
}

// An open descriptor on a file, closed at the end of the scope.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int Get() const { return fd_; }

private:
    int fd_;
};

TEST(DataFileIo, EachKindIsSavedAsItsBytesAndOpensAgain)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Valid());
    ASSERT_TRUE(SaveAddressBookFile(folder / "a.aqr", kEntry).Ok());
    ASSERT_TRUE(SaveMailFile(folder / "m.eqr", kMail).Ok());
    ASSERT_TRUE(SaveFreeTextFile(folder / "f.fqr", kText).Ok());
    EXPECT_EQ(Slurp(folder / "a.aqr"), BuildAddressBookFile(kEntry));
    EXPECT_EQ(Slurp(folder / "m.eqr"), BuildMailFile(kMail));
    EXPECT_EQ(Slurp(folder / "f.fqr"), BuildFreeTextFile(kText));

    AddressBookEntry entry;
    MailEntry mail;
    std::string text;
    EXPECT_EQ(Into(OpenAddressBookFile(folder / "a.aqr"), entry), std::nullopt);
    EXPECT_EQ(Into(OpenMailFile(folder / "m.eqr"), mail), std::nullopt);
    EXPECT_EQ(Into(OpenFreeTextFile(folder / "f.fqr"), text), std::nullopt);
    EXPECT_EQ(entry, kEntry);
    EXPECT_EQ(mail, kMail);
    EXPECT_EQ(text, kText);
    EXPECT_EQ(folder.Names().size(), 3u) << "no temporary file is left";
}

TEST(DataFileIo, SavingReplacesAnExistingFileAndKeepsItsPermissions)
{
    TempFolder folder;
    ASSERT_TRUE(Spill(folder / "f.fqr", std::string(5000, 'x')));
    ASSERT_EQ(::chmod((folder / "f.fqr").c_str(), 0640), 0);
    ASSERT_TRUE(SaveFreeTextFile(folder / "f.fqr", "short").Ok());
    EXPECT_EQ(Slurp(folder / "f.fqr"), "short,\r\n");
    struct stat st {};
    ASSERT_EQ(::stat((folder / "f.fqr").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"f.fqr"});
}

TEST(DataFileIo, MissingFileCannotBeOpenedAndTheInputStays)
{
    TempFolder folder;
    AddressBookEntry entry = kEntry;
    MailEntry mail = kMail;
    std::string text = kText;
    EXPECT_EQ(Into(OpenAddressBookFile(folder / "none.aqr"), entry), DataFileStatus::CannotOpen);
    EXPECT_EQ(Into(OpenMailFile(folder / "none.eqr"), mail), DataFileStatus::CannotOpen);
    EXPECT_EQ(Into(OpenFreeTextFile(folder / "none.fqr"), text), DataFileStatus::CannotOpen);
    EXPECT_EQ(Into(OpenFreeTextFile(folder.Path()), text), DataFileStatus::CannotOpen) << "a folder is no data file";
    EXPECT_EQ(entry, kEntry);
    EXPECT_EQ(mail, kMail);
    EXPECT_EQ(text, kText);
}

TEST(DataFileIo, EmptyAddressOrMailFileIsUnreadableButEmptyFreeTextOpens)
{
    TempFolder folder;
    ASSERT_TRUE(Spill(folder / "e.aqr", ""));
    ASSERT_TRUE(Spill(folder / "e.eqr", ""));
    ASSERT_TRUE(Spill(folder / "e.fqr", ""));
    AddressBookEntry entry = kEntry;
    MailEntry mail = kMail;
    std::string text = kText;
    EXPECT_EQ(Into(OpenAddressBookFile(folder / "e.aqr"), entry), DataFileStatus::Unreadable);
    EXPECT_EQ(Into(OpenMailFile(folder / "e.eqr"), mail), DataFileStatus::Unreadable);
    EXPECT_EQ(entry, kEntry);
    EXPECT_EQ(mail, kMail);
    EXPECT_EQ(Into(OpenFreeTextFile(folder / "e.fqr"), text), std::nullopt);
    EXPECT_EQ(text, "");
}

TEST(DataFileIo, SavingWhereNoFileCanBeMadeFails)
{
    TempFolder folder;
    ASSERT_TRUE(Spill(folder / "plain", "x"));
    for (const std::string& path : {folder / "no-such-folder/a.aqr", folder / "plain/a.aqr", std::string("/proc/a.aqr"),
                                    folder.Path(), folder / "", std::string()}) {
        EXPECT_EQ(FailureOf(SaveAddressBookFile(path, kEntry)), DataFileStatus::CannotOpen) << path;
        EXPECT_EQ(FailureOf(SaveFreeTextFile(path, kText)), DataFileStatus::CannotOpen) << path;
    }
    EXPECT_EQ(Slurp(folder / "plain"), "x");
}

TEST(DataFileIo, LockedFreeTextFileIsInUseAndKept)
{
    TempFolder folder;
    const std::string path = folder / "f.fqr";
    ASSERT_TRUE(Spill(path, "old,\r\n"));
    {
        Fd holder(::open(path.c_str(), O_RDWR | O_CLOEXEC));
        ASSERT_EQ(::flock(holder.Get(), LOCK_EX | LOCK_NB), 0);
        std::string text = "input";
        EXPECT_EQ(FailureOf(SaveFreeTextFile(path, kText)), DataFileStatus::InUse);
        EXPECT_EQ(Into(OpenFreeTextFile(path), text), DataFileStatus::InUse);
        EXPECT_EQ(text, "input");
        // The address book and e-mail screens know only "cannot open".
        AddressBookEntry entry = kEntry;
        EXPECT_EQ(FailureOf(SaveAddressBookFile(path, kEntry)), DataFileStatus::CannotOpen);
        EXPECT_EQ(Into(OpenAddressBookFile(path), entry), DataFileStatus::CannotOpen);
        EXPECT_EQ(entry, kEntry);
    }
    EXPECT_EQ(Slurp(path), "old,\r\n");
    EXPECT_EQ(folder.Names().size(), 1u);
}

TEST(DataFileIo, RecordLockBlocksSavingAndWriteLockBlocksOpening)
{
    TempFolder folder;
    const std::string path = folder / "f.fqr";
    ASSERT_TRUE(Spill(path, "old,\r\n"));
    Fd holder(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    struct flock lock {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(holder.Get(), F_OFD_SETLK, &lock), 0);
    std::string text;
    EXPECT_EQ(Into(OpenFreeTextFile(path), text), std::nullopt) << "readers share a read lock";
    EXPECT_EQ(text, "old");
    EXPECT_EQ(FailureOf(SaveFreeTextFile(path, kText)), DataFileStatus::InUse);
    lock.l_type = F_WRLCK;
    ASSERT_EQ(::fcntl(holder.Get(), F_OFD_SETLK, &lock), 0);
    EXPECT_EQ(Into(OpenFreeTextFile(path), text), DataFileStatus::InUse);
    EXPECT_EQ(Slurp(path), "old,\r\n");
}

TEST(DataFileIo, RunningProgramIsBusy)
{
    TempFolder folder;
    const std::string program = folder / "sleeper.fqr";
    ASSERT_TRUE(Spill(program, Slurp("/bin/sleep")));
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    pid_t pid = 0;
    char arg0[] = "sleeper";
    char arg1[] = "30";
    char* argv[] = {arg0, arg1, nullptr};
    char* envp[] = {nullptr};
    ASSERT_EQ(::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp), 0);
    // Until the child has executed the file, writing it is still allowed:
    // wait for the busy state (at most about two seconds).
    bool busy = false;
    for (int i = 0; i < 200 && !busy; ++i) {
        const int fd = ::open(program.c_str(), O_WRONLY | O_CLOEXEC);
        busy = fd < 0 && errno == ETXTBSY;
        if (fd >= 0)
            ::close(fd);
        if (!busy)
            ::usleep(10000);
    }
    if (busy) {
        EXPECT_EQ(FailureOf(SaveFreeTextFile(program, kText)), DataFileStatus::InUse);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ASSERT_TRUE(busy) << "the spawned program never ran";
    EXPECT_EQ(Slurp(program), Slurp("/bin/sleep"));
}

TEST(DataFileIo, WriteFailingHalfWayKeepsTheOldFile)
{
    TempFolder folder;
    const std::string path = folder / "m.eqr";
    ASSERT_TRUE(Spill(path, "old,,,"));
    MailEntry big = kMail;
    big.body = std::string(9000, 'b');

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct sigaction ignore {
    }, previous{};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previous);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<DataFileStatus> status = FailureOf(SaveMailFile(path, big));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::sigaction(SIGXFSZ, &previous, nullptr);

    EXPECT_EQ(status, DataFileStatus::CannotOpen);
    EXPECT_EQ(Slurp(path), "old,,,");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"m.eqr"}) << "the partial temporary file is removed";
}

TEST(DataFileIo, PathsLongerThanTheSystemLimitWork)
{
    TempFolder folder;
    const std::string deep = folder.MakeDeepFolder(std::string(200, 'd'), 30);
    ASSERT_FALSE(deep.empty());
    const std::string path = deep + "/" + std::string(200, 'n') + ".eqr";
    ASSERT_GT(path.size(), 6000u);
    ASSERT_TRUE(SaveMailFile(path, kMail).Ok());
    MailEntry mail;
    ASSERT_EQ(Into(OpenMailFile(path), mail), std::nullopt);
    EXPECT_EQ(mail, kMail);
    // Doubled slashes, "." and ".." on the way are taken as usual.
    const std::string winding = folder.Path() + "//" + deep.substr(folder.Path().size() + 1) + "/./../" +
                                std::string(200, 'd') + "/" + std::string(200, 'n') + ".eqr";
    mail = {};
    EXPECT_EQ(Into(OpenMailFile(winding), mail), std::nullopt);
    EXPECT_EQ(mail, kMail);
}

TEST(DataFileIo, SymbolicLinkIsFollowedAndKept)
{
    TempFolder folder;
    ASSERT_TRUE(Spill(folder / "real.fqr", "old,\r\n"));
    ASSERT_EQ(::symlink("real.fqr", (folder / "link.fqr").c_str()), 0);
    ASSERT_TRUE(SaveFreeTextFile(folder / "link.fqr", "new").Ok());
    EXPECT_EQ(Slurp(folder / "real.fqr"), "new,\r\n");
    struct stat st {};
    ASSERT_EQ(::lstat((folder / "link.fqr").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

}  // namespace
}  // namespace nubora
