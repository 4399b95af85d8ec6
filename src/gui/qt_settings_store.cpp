#include "gui/qt_settings_store.h"

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace brimwell {

namespace {

constexpr auto kFileName = "Brimwell";

QString toQt(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

bool isUtf8(std::string_view bytes)
{
    QString decoded = toQt(bytes);
    return decoded.toUtf8() == QByteArrayView(bytes.data(), qsizetype(bytes.size()));
}

}  // namespace

std::string QtSettingsStore::read(std::string_view application, std::string_view section,
                                  std::string_view key, std::string_view defaultValue) const
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, toQt(application),
                       QString::fromLatin1(kFileName));
    settings.beginGroup(toQt(section));
    const QVariant value = settings.value(toQt(key));
    if (!value.isValid())
        return std::string(defaultValue);
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().toStdString();
    return value.toString().toStdString();
}

void QtSettingsStore::write(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view value)
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, toQt(application),
                       QString::fromLatin1(kFileName));
    settings.beginGroup(toQt(section));
    // Folder names are text, but the enciphered sample list is any bytes: those are kept as
    // bytes so that they read back exactly.
    if (isUtf8(value))
        settings.setValue(toQt(key), toQt(value));
    else
        settings.setValue(toQt(key), QByteArray(value.data(), qsizetype(value.size())));
}

}  // namespace brimwell
