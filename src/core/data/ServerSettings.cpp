#include "data/ServerSettings.h"

#include "common/Text.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace ServerSettingsText {
// The path and the key are isolated as left-to-right text inside the Persian sentence.
const char *const Unreadable = "فایل تنظیمات سرور پایگاه داده خوانده نشد:\n\u2066%1\u2069\n\n"
                               "برنامه بسته می‌شود.";
const char *const Malformed =
    "فایل تنظیمات سرور پایگاه داده درست نوشته نشده است:\n\u2066%1\u2069\n\n"
    "%2\n\nبه چیزی دست زده نشد. برنامه بسته می‌شود.";
const char *const NoGroup = "این فایل گروه \u2066[server]\u2069 ندارد.";
const char *const OutsideGroup = "کلید \u2066%1\u2069 بیرون از گروه \u2066[server]\u2069 آمده است.";
const char *const UnknownKey = "کلید \u2066%1\u2069 شناخته نیست. کلیدهای پذیرفته: \u2066%2\u2069";
const char *const MissingKey =
    "کلید \u2066%1\u2069 نیامده یا خالی است (یا به‌جای "
    "\u2066host, database, user\u2069 کلید \u2066service\u2069 را بنویسید).";
const char *const BadValue = "مقدار کلید \u2066%1\u2069 درست نیست: \u2066%2\u2069\n"
                             "مقدارهای پذیرفته: \u2066%3\u2069";
const char *const Password =
    "گذرواژه در این فایل نوشته نمی‌شود (کلید \u2066%1\u2069): آن را در "
    "فایل گذرواژه‌ی \u2066pgpass\u2069 بنویسید یا برنامه هنگام باز شدن "
    "آن را می‌پرسد.";
} // namespace ServerSettingsText

namespace {
const char *const Group = "server";
const char *const Keys[] = {"host", "port", "database", "user", "sslmode", "service"};
const char *const SslModes[] = {"disable", "prefer", "require", "verify-ca", "verify-full"};

QString shownFile(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

Result malformed(const QString &path, const QString &why)
{
    return Result::Failed(Failure::Refused,
                          text(ServerSettingsText::Malformed).arg(shownFile(path), why));
}

QStringList knownKeys()
{
    QStringList keys;
    for (const char *key : Keys)
        keys << QString::fromLatin1(key);
    return keys;
}
} // namespace

QString ServerSettings::shownServer() const
{
    if (!service.isEmpty() && host.isEmpty())
        return QStringLiteral("service=") + service;
    return host + u':' + QString::number(port ? port : 5432);
}

QString ServerSettings::shownPlace() const
{
    if (database.isEmpty())
        return shownServer();
    return shownServer() + u'/' + database;
}

QString ServerSettingsPath(const QString &databasePath)
{
    return QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("server.ini"));
}

Result ReadServerSettings(const QString &path, ServerSettings *settings)
{
    *settings = ServerSettings();
    settings->file = path;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return Result::Failed(Failure::Refused,
                              text(ServerSettingsText::Unreadable).arg(shownFile(path)));
    QSettings ini(path, QSettings::IniFormat);
    const QStringList all = ini.allKeys();
    if (ini.status() == QSettings::AccessError)
        return Result::Failed(Failure::Refused,
                              text(ServerSettingsText::Unreadable).arg(shownFile(path)));
    if (ini.status() == QSettings::FormatError)
        return malformed(path, text(ServerSettingsText::NoGroup));

    const QString prefix = QString::fromLatin1(Group) + u'/';
    bool grouped = false;
    for (const QString &key : all) {
        if (!key.startsWith(prefix))
            return malformed(path, text(ServerSettingsText::OutsideGroup).arg(key));
        grouped = true;
        const QString name = key.mid(prefix.size());
        if (name.compare(QStringLiteral("password"), Qt::CaseInsensitive) == 0)
            return malformed(path, text(ServerSettingsText::Password).arg(name));
        if (!knownKeys().contains(name))
            return malformed(path, text(ServerSettingsText::UnknownKey)
                                       .arg(name, knownKeys().join(QStringLiteral(", "))));
    }
    if (!grouped)
        return malformed(path, text(ServerSettingsText::NoGroup));

    // A value with a comma reads as a list: it is no name, number or mode the server takes.
    QString failedKey;
    auto value = [&](const char *key) {
        const QVariant read = ini.value(prefix + QString::fromLatin1(key));
        if (read.typeId() == QMetaType::QStringList && failedKey.isEmpty())
            failedKey = QString::fromLatin1(key);
        return read.typeId() == QMetaType::QStringList ? read.toStringList().join(u',')
                                                       : read.toString().trimmed();
    };
    settings->host = value("host");
    settings->database = value("database");
    settings->user = value("user");
    settings->service = value("service");
    const QString port = value("port");
    const QString sslmode = value("sslmode");
    if (!failedKey.isEmpty())
        return malformed(path, text(ServerSettingsText::BadValue)
                                   .arg(failedKey, value(failedKey.toLatin1().constData()),
                                        QStringLiteral("…")));

    if (!port.isEmpty()) {
        bool ok = false;
        const int number = port.toInt(&ok);
        if (!ok || number < 1 || number > 65535)
            return malformed(path,
                             text(ServerSettingsText::BadValue)
                                 .arg(QStringLiteral("port"), port, QStringLiteral("1 … 65535")));
        settings->port = number;
    }
    if (!sslmode.isEmpty()) {
        QStringList modes;
        for (const char *mode : SslModes)
            modes << QString::fromLatin1(mode);
        if (!modes.contains(sslmode))
            return malformed(path, text(ServerSettingsText::BadValue)
                                       .arg(QStringLiteral("sslmode"), sslmode,
                                            modes.join(QStringLiteral(", "))));
        settings->sslmode = sslmode;
    }
    // The service file's names are plain words; anything else would change the connection's
    // other parameters.
    if (!settings->service.isEmpty()) {
        for (const QChar c : settings->service)
            if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'_' && c != u'-' && c != u'.')
                return malformed(path, text(ServerSettingsText::BadValue)
                                           .arg(QStringLiteral("service"), settings->service,
                                                QStringLiteral("A-Z a-z 0-9 _ - .")));
        return {};
    }
    for (const char *needed : {"host", "database", "user"})
        if (value(needed).isEmpty())
            return malformed(path,
                             text(ServerSettingsText::MissingKey).arg(QString::fromLatin1(needed)));
    return {};
}
