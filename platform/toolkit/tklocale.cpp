#include "tklocale.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLoggingCategory>
#include <QSet>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcTkLocale, "dravel.toolkit.locale", QtInfoMsg)

namespace {

QSet<QString>& installedCatalogs()
{
    static QSet<QString> names;
    return names;
}

bool installCatalog(const QString& name)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : TkLocale::searchPaths()) {
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator);
            qCDebug(lcTkLocale) << "installed catalogue" << name << "from" << folder;
            return true;
        }
    }
    delete translator;
    qCWarning(lcTkLocale) << "translation catalogue not found:" << name;
    return false;
}

QLocale::FormatType formatType(int type)
{
    return type >= TkLocale::DateLong ? QLocale::LongFormat : QLocale::ShortFormat;
}

} // namespace

QString TkLocale::formatDateTime(const QDateTime& dateTime, DateType dateType,
                                 TimeType timeType) const
{
    const QDateTime local = dateTime.toLocalTime();
    QStringList parts;
    if (dateType != DateNone) {
        parts << m_locale.toString(local.date(), formatType(dateType));
    }
    if (timeType != TimeNone) {
        parts << m_locale.toString(local.time(), formatType(timeType));
    }
    return parts.join(QLatin1Char(' '));
}

QString TkLocale::toLocalizedNumbers(const QString& text) const
{
    const QChar zero = m_locale.zeroDigit();
    if (zero == QLatin1Char('0')) {
        return text;
    }
    QString localized = text;
    for (QChar& c : localized) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            c = QChar(zero.unicode() + (c.unicode() - '0'));
        }
    }
    return localized;
}

void TkLocale::installTrCatalog(const QString& name)
{
    if (!m_catalogs.contains(name)) {
        m_catalogs.append(name);
    }
}

bool TkLocale::setDefault(const TkLocale& locale)
{
    if (!QCoreApplication::instance()) {
        qCWarning(lcTkLocale) << "no application object: catalogues not installed";
        return false;
    }
    bool allFound = true;
    for (const QString& name : locale.m_catalogs) {
        if (installedCatalogs().contains(name)) {
            continue;
        }
        if (installCatalog(name)) {
            installedCatalogs().insert(name);
        } else {
            allFound = false;
        }
    }
    return allFound;
}

QStringList TkLocale::searchPaths()
{
    QStringList paths{QStringLiteral(":/translations")};
    const QString extra = qEnvironmentVariable("DRAVEL_TRANSLATIONS_PATH");
    if (!extra.isEmpty()) {
        paths += extra.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    }
    paths += QStringLiteral(DRAVEL_INSTALLED_TRANSLATIONS);
    return paths;
}
