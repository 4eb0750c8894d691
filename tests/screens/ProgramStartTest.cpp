// The real program started twice for the same user and prefix: the second start ends at once
// and the first keeps running.
#include "ShellFixture.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace orvane::test {
namespace {

TEST(ProgramStart, SecondStartEndsAndLeavesTheFirstRunning)
{
    qtApp();
    TempDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ORVANE_HOME", QString::fromStdString(dir / "home"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("ORVANE_PREFIX");
    env.remove("WINEPREFIX");

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(ORVANE_EXECUTABLE);
    ASSERT_TRUE(first.waitForStarted(5000));
    // The drive sizes are written while the main window is created, after the instance check.
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(dir / "home/drivesizes.txt"); }, 15000));
    EXPECT_TRUE(std::filesystem::exists(dir / "home/prefix/dosdevices"));

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(ORVANE_EXECUTABLE);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // Another prefix is another instance.
    QProcess other;
    QProcessEnvironment otherEnv = env;
    otherEnv.insert("ORVANE_PREFIX", QString::fromStdString(dir.mkdir("other-prefix")));
    other.setProcessEnvironment(otherEnv);
    other.start(ORVANE_EXECUTABLE);
    EXPECT_FALSE(other.waitForFinished(1500));
    other.kill();
    other.waitForFinished(5000);

    first.kill();
    first.waitForFinished(5000);
}

} // namespace
} // namespace orvane::test
