#include "app/httpdownload.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <memory>

namespace HttpDownload {

void start(const QUrl &url, const DownloadLimits &limits, QObject *context,
           std::function<void(std::optional<QByteArray>)> done)
{
    // The manager lives as long as its one reply; it is parented to the
    // context so that closing the window abandons the download.
    auto *manager = new QNetworkAccessManager(context);
    QNetworkRequest request(url);
    request.setTransferTimeout(limits.timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager->get(request);
    reply->setReadBufferSize(limits.maxBytes + 1);

    auto body = std::make_shared<QByteArray>();
    auto finish = std::make_shared<std::function<void(std::optional<QByteArray>)>>(std::move(done));
    auto complete = [manager, finish](std::optional<QByteArray> result) {
        if (!*finish)
            return;
        auto callback = std::move(*finish);
        *finish = nullptr;
        manager->deleteLater();
        callback(std::move(result));
    };

    QObject::connect(reply, &QNetworkReply::readyRead, manager, [reply, body, limits, complete] {
        body->append(reply->readAll());
        if (body->size() > limits.maxBytes) {
            reply->abort();
            complete(std::nullopt);
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, manager, [reply, body, limits, complete] {
        body->append(reply->readAll());
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300
                        && body->size() <= limits.maxBytes;
        complete(ok ? std::optional<QByteArray>(*body) : std::nullopt);
    });
}

} // namespace HttpDownload
