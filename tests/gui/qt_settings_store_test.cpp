#include "gui/qt_settings_store.h"

#include <gtest/gtest.h>

#include <QSettings>

#include "gui_test_support.h"

namespace brimwell {
namespace {

class qt_settings_store_test : public testing::Test {
protected:
    test::TempDir dir;
    QtSettingsStore store;

    void SetUp() override
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(dir.path().string()));
    }
};

std::string everyByte()
{
    std::string bytes;
    for (int code = 1; code <= 255; ++code)
        bytes += static_cast<char>(code);
    return bytes;
}

TEST_F(qt_settings_store_test, values_read_back_exactly)
{
    const std::pair<const char*, std::string> rows[] = {
        {"empty", ""},
        {"truth", "True"},
        {"folder with comma", "/home/ann/Letters, old/"},
        {"leading at sign", "@ByteArray(x)"},
        {"spaces around", "  padded  "},
        {"utf8", "/home/zo\xc3\xab/Desktop/"},
        {"control characters", "a\x01\x1f\tb"},
        {"every byte", everyByte()},
    };
    for (const auto& [name, value] : rows) {
        store.write("Pellbrook", "Brimwell", name, value);
        EXPECT_EQ(store.read("Pellbrook", "Brimwell", name, "<absent>"), value) << name;
    }
}

TEST_F(qt_settings_store_test, an_absent_key_reads_as_the_default)
{
    EXPECT_EQ(store.read("Pellbrook", "Brimwell", "Option1", "1"), "1");
    store.write("Pellbrook", "Other", "Option1", "False");
    EXPECT_EQ(store.read("Pellbrook", "Brimwell", "Option1", "1"), "1");
}

TEST_F(qt_settings_store_test, writes_one_ini_file_per_application_with_a_group_per_section)
{
    store.write("Pellbrook", "Brimwell", "Option1", "True");
    store.write("Pellbrook", "Brimwell", "Emails Only", "0");
    EXPECT_EQ(test::readBytes(dir.file("Pellbrook/Brimwell.ini")),
              "[Brimwell]\nEmails%20Only=0\nOption1=True\n");
}

}  // namespace
}  // namespace brimwell
