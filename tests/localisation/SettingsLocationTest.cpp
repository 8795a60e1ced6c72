// Where the settings live by default; a binary of its own because Qt fixes the settings folder
// the first time any settings are opened in a process.
#include "zeft_Settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zeft {
namespace {

TEST(SettingsLocation, TheStoreIsPellwickZeftConfInTheUsersConfigFolder) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    TZEFTSettings settings;
    settings.WriteLanguageID(1031);
    settings.WriteLastFile(QStringLiteral("/home/anna/b.zeft"));
    QFile file(home.filePath(QStringLiteral(".config/Pellwick/ZEFT.conf")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    EXPECT_EQ(file.readAll(), QByteArray("[MRU]\na=/home/anna/b.zeft\n\n[UI]\nLanguageID=1031\n"));
}

} // namespace
} // namespace zeft
