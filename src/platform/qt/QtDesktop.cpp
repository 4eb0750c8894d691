#include "platform/qt/QtDesktop.h"

#include <QDesktopServices>
#include <QUrl>
#include <QUrlQuery>

namespace orvane {

bool QtDesktop::openDocument(const std::string& hostPath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(hostPath)));
}

bool QtDesktop::openUrl(const std::string& url)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

bool QtDesktop::openMail(const std::string& address, const std::string& subject)
{
    QUrl url(QStringLiteral("mailto:") + QString::fromStdString(address));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"), QString::fromStdString(subject));
    url.setQuery(query);
    return QDesktopServices::openUrl(url);
}

} // namespace orvane
