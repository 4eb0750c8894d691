#include "ShellFixture.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace orvane::test {

QApplication& qtApp()
{
    static int argc = 1;
    static char name[] = "screens_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

ShellFixture::ShellFixture() : home(prefix.dir.mkdir("home"))
{
    qtApp();
    std::filesystem::copy_file(std::string(ORVANE_SOURCE_DATA_DIR) + "/config.TXT", file("config.TXT"));
}

void ShellFixture::writeFile(const std::string& name, const std::string& content) const
{
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out << content;
}

std::unique_ptr<Tfdrav> ShellFixture::makeWindow(char startDrive)
{
    return std::make_unique<Tfdrav>(TfdravServices{home, drives, dialogs, desktop, startDrive, detectFolderPaths});
}

} // namespace orvane::test

namespace orvane::test {

std::unique_ptr<Tfdrav> ShellFixture::makeShownWindow(char startDrive)
{
    auto window = makeWindow(startDrive);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isVisible() && window->isEnabled(); }, 3000));
    return window;
}

} // namespace orvane::test
