// SPDX-License-Identifier: GPL-3.0-or-later
// The store on the real registry of Windows (under Wine, the prefix's). Each
// test works under an application key of its own that it makes and removes.
#include "settings/RegistrySettingsStore.h"

#include "sysinfo/WindowsApi.h"

#include <QUuid>

#include <gtest/gtest.h>

#include <string>

namespace quartet {
namespace {

const QString kSection = QStringLiteral("General");
const QString kKey = QStringLiteral("MaxVal");

const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

class RegistrySettingsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        HKEY existing = nullptr;
        ASSERT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, wide(applicationKey()), 0, KEY_READ, &existing), ERROR_SUCCESS)
            << "a key that this test did not make";
        m_owned = true;
    }

    void TearDown() override
    {
        if (m_owned)
            RegDeleteTreeW(HKEY_CURRENT_USER, wide(applicationKey()));
    }

    QString applicationKey() const { return QStringLiteral("Software\\") + m_application; }

    // Puts a value of any type where the store keeps the setting.
    void plant(DWORD type, const std::string& bytes)
    {
        ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, wide(RegistrySettingsStore::keyPath(m_application, kSection)),
                                  wide(kKey), type, bytes.data(), static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    // The type and the bytes that the store wrote.
    std::pair<DWORD, std::string> stored()
    {
        const QString path = RegistrySettingsStore::keyPath(m_application, kSection);
        DWORD type = 0;
        std::string bytes(65536, '\0');
        auto size = static_cast<DWORD>(bytes.size());
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, wide(path), wide(kKey), RRF_RT_ANY | RRF_NOEXPAND, &type,
                               bytes.data(), &size),
                  ERROR_SUCCESS);
        bytes.resize(size);
        return {type, bytes};
    }

    const QString m_application = QStringLiteral("Quartet Test ") + QUuid::createUuid().toString();
    RegistrySettingsStore m_store;
    bool m_owned = false;
};

TEST_F(RegistrySettingsStoreTest, KeepsTextWholeAsTextOfTheSectionsKey)
{
    const QString texts[] = {
        QStringLiteral("13"),          QStringLiteral(" -7.5 "),           QString(),
        QString::fromUtf8("十三 ☃ 🂡"), QStringLiteral("a=b\n[c]\t\\d;#e"), QString(5000, QLatin1Char('9')),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.left(40).toStdString());
        m_store.SaveSetting(m_application, kSection, kKey, text);
        EXPECT_EQ(m_store.GetSetting(m_application, kSection, kKey, QStringLiteral("9")), text);
        // REG_SZ: UTF-16 with its terminating zero.
        const QString withZero = text + QChar(0);
        EXPECT_EQ(stored(),
                  std::make_pair(DWORD{REG_SZ},
                                 std::string(reinterpret_cast<const char*>(withZero.utf16()), withZero.size() * 2)));
    }
}

TEST_F(RegistrySettingsStoreTest, WhereNothingIsStoredTheDefaultIsReturnedAndNothingMade)
{
    EXPECT_EQ(m_store.GetSetting(m_application, kSection, kKey, QStringLiteral("9")), QStringLiteral("9"));
    HKEY made = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, wide(applicationKey()), 0, KEY_READ, &made), ERROR_SUCCESS);

    m_store.SaveSetting(m_application, kSection, QStringLiteral("Other"), QStringLiteral("1"));
    EXPECT_EQ(m_store.GetSetting(m_application, kSection, kKey, QStringLiteral("13")), QStringLiteral("13"));
    EXPECT_EQ(m_store.GetSetting(m_application, QStringLiteral("Elsewhere"), QStringLiteral("Other"), "0"), "0");
}

// A value that is not text holds nothing, as a line of a key file that
// cannot be read; the next save puts text in its place.
TEST_F(RegistrySettingsStoreTest, AValueOfAnotherTypeHoldsNothingUntilTheNextSave)
{
    const struct {
        DWORD type;
        std::string bytes;
    } cases[] = {
        {REG_DWORD, std::string("\x0d\0\0\0", 4)},
        {REG_BINARY, "13"},
        {REG_EXPAND_SZ, std::string("1\0003\0\0\0", 6)},
        {REG_MULTI_SZ, std::string("1\0003\0\0\0\0\0", 8)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        plant(c.type, c.bytes);
        EXPECT_EQ(m_store.GetSetting(m_application, kSection, kKey, QStringLiteral("9")), QStringLiteral("9"));
        m_store.SaveSetting(m_application, kSection, kKey, QStringLiteral("20"));
        EXPECT_EQ(m_store.GetSetting(m_application, kSection, kKey, QStringLiteral("9")), QStringLiteral("20"));
    }
}

TEST_F(RegistrySettingsStoreTest, TextStoredWithoutItsZeroIsReadWhole)
{
    plant(REG_SZ, std::string("4\0002\0", 4));
    EXPECT_EQ(m_store.GetSetting(m_application, kSection, kKey, QStringLiteral("9")), QStringLiteral("42"));
}

// Key names are at most 255 characters long: such a section cannot be made.
TEST_F(RegistrySettingsStoreTest, ASaveThatCannotBeWrittenThrowsAndStoresNothing)
{
    const QString section(300, QLatin1Char('s'));
    EXPECT_THROW(m_store.SaveSetting(m_application, section, kKey, QStringLiteral("20")), SettingsError);
    EXPECT_EQ(m_store.GetSetting(m_application, section, kKey, QStringLiteral("9")), QStringLiteral("9"));
}

}  // namespace
}  // namespace quartet
