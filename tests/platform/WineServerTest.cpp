#include "platform/RegistryPrefix.h"
#include "platform/WineServer.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orvane;
using orvane::test::TempDir;

namespace {

std::string leafOf(const std::string& prefix)
{
    struct stat st {};
    EXPECT_EQ(stat(prefix.c_str(), &st), 0);
    char leaf[64];
    snprintf(leaf, sizeof leaf, "server-%llx-%llx", (unsigned long long)st.st_dev, (unsigned long long)st.st_ino);
    return leaf;
}

// A real process holding the POSIX write lock a running wineserver holds on its `lock` file.
class LockHolder {
public:
    explicit LockHolder(const std::string& lockFile)
    {
        int ready[2];
        EXPECT_EQ(pipe(ready), 0);
        pid_ = fork();
        if (pid_ == 0) {
            int fd = open(lockFile.c_str(), O_RDWR | O_CREAT, 0600);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            lock.l_whence = SEEK_SET;
            char ok = fcntl(fd, F_SETLK, &lock) == 0 ? '1' : '0';
            (void)!write(ready[1], &ok, 1);
            pause();
            _exit(0);
        }
        char ok = 0;
        EXPECT_EQ(read(ready[0], &ok, 1), 1);
        EXPECT_EQ(ok, '1');
        close(ready[0]);
        close(ready[1]);
    }
    ~LockHolder()
    {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

} // namespace

TEST(WineServer, CandidateFoldersFollowWinesRules)
{
    TempDir dir;
    std::string prefix = dir.mkdir("prefix");
    std::string xdg = dir.mkdir("run");
    dir.write("prefix/wineserver", "wine-TOTQw4");
    std::string leaf = leafOf(prefix);
    EXPECT_EQ(wineServerFolders(prefix, xdg, 1000, "/tmp"),
              (std::vector<std::string>{xdg + "/wine/" + leaf, "/tmp/wine-TOTQw4/" + leaf, "/tmp/.wine-1000/" + leaf}));
    // No runtime folder, and a name that tries to leave /tmp, are ignored.
    dir.write("prefix/wineserver", "../etc");
    EXPECT_EQ(wineServerFolders(prefix, dir / "missing", 0, "/tmp"),
              (std::vector<std::string>{"/tmp/.wine-0/" + leaf}));
    EXPECT_TRUE(wineServerFolders(dir / "no-prefix", xdg, 0).empty());
}

TEST(WineServer, TheLockTellsWhetherAServerRuns)
{
    TempDir dir;
    std::string server = dir.mkdir("server");
    EXPECT_FALSE(lockHolder(server)) << "no lock file";
    dir.write("server/lock", "");
    EXPECT_FALSE(lockHolder(server)) << "a lock file left by a server that exited";
    {
        LockHolder holder(server + "/lock");
        EXPECT_EQ(lockHolder(server), holder.pid());
    }
    EXPECT_FALSE(lockHolder(server));
}

TEST(WineServer, ARunningServerMakesThePrefixRegistryReadOnly)
{
    TempDir dir;
    std::string prefix = dir.mkdir("prefix");
    dir.write("prefix/user.reg", "WINE REGISTRY Version 2\n\n[Environment] 1\n\"TEMP\"=\"C:\\\\t\"\n");
    std::string run = dir.mkdir("run");
    const char* old = getenv("XDG_RUNTIME_DIR");
    std::string saved = old ? old : "";
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    std::string server = dir.mkdir("run/wine/" + leafOf(prefix));
    {
        LockHolder holder(server + "/lock");
        EXPECT_EQ(runningWineServer(prefix), holder.pid());
        auto reg = reg::openRegistryAt(prefix);
        EXPECT_EQ(reg->readString(reg::Root::CurrentUser, "Environment", "TEMP"), "C:\\t");
        EXPECT_EQ(reg->writeString(reg::Root::CurrentUser, "Environment", "X", "1"), reg::ERROR_ACCESS_DENIED);
        EXPECT_EQ(reg->readOnlyReason(reg::Root::CurrentUser), reg::kWineRunningReason);
    }
    auto reg = reg::openRegistryAt(prefix);
    EXPECT_EQ(reg->writeString(reg::Root::CurrentUser, "Environment", "X", "1"), reg::ERROR_SUCCESS);
    {
        // Wine started after we loaded: the save waits, the changes stay in memory.
        LockHolder holder(server + "/lock");
        Status status = reg->flush();
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.message.find(reg::kWineRunningReason), std::string::npos);
        EXPECT_TRUE(reg->hasUnsavedChanges());
    }
    EXPECT_EQ(test::readFile(prefix + "/user.reg").find("\"X\""), std::string::npos);
    EXPECT_TRUE(reg->flush().ok());
    EXPECT_NE(test::readFile(prefix + "/user.reg").find("\"X\"=\"1\""), std::string::npos);
    if (old)
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else
        unsetenv("XDG_RUNTIME_DIR");
}
