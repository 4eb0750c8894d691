#include "ShellFixture.h"

#include "screens/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace orvane::test {
namespace {

TEST(SingleInstance, SecondStartForTheSameUserAndPrefixRaisesTheFirst)
{
    qtApp();
    TempDir dir;
    const QString prefix = QString::fromStdString(dir / "prefix");
    SingleInstance first("tester", prefix);
    ASSERT_TRUE(first.start());
    QSignalSpy raised(&first, &SingleInstance::activationRequested);

    SingleInstance second("tester", prefix);
    EXPECT_FALSE(second.start());
    EXPECT_TRUE(raised.wait(3000));

    // Another prefix or another user runs its own instance.
    SingleInstance otherPrefix("tester", QString::fromStdString(dir / "other"));
    EXPECT_TRUE(otherPrefix.start());
    SingleInstance otherUser("someone", prefix);
    EXPECT_TRUE(otherUser.start());
}

TEST(SingleInstance, SocketLeftByACrashedInstanceDoesNotBlockTheNextStart)
{
    qtApp();
    TempDir dir;
    const QString prefix = QString::fromStdString(dir / "prefix");
    const QString key = SingleInstance::keyFor("tester", prefix);
    QFile stale(QDir::temp().filePath(key)); // nobody listens on it
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    SingleInstance next("tester", prefix);
    EXPECT_TRUE(next.start());
    SingleInstance another("tester", prefix);
    EXPECT_FALSE(another.start());
}

} // namespace
} // namespace orvane::test
