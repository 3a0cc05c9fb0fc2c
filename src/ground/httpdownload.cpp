#include "ground/httpdownload.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>
#include <utility>

namespace HttpDownload {

void start(const QUrl &url, const DownloadLimits &limits, QObject *context,
           std::function<void(std::optional<QByteArray>)> done)
{
    // The manager lives as long as its one reply; it is parented to the
    // context so that closing the window abandons the download.
    auto *manager = new QNetworkAccessManager(context);
    QNetworkRequest request(url);
    // The transfer timeout only measures silence: a server that trickles a
    // byte now and then would reset it for ever, so a deadline on the whole
    // download stands beside it.
    request.setTransferTimeout(limits.timeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = manager->get(request);
    reply->setReadBufferSize(limits.maxBytes + 1);

    auto *deadline = new QTimer(manager);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
    deadline->start(limits.timeoutMs);

    auto body = std::make_shared<QByteArray>();

    // An aborted reply finishes with an error, so every refusal below ends
    // in the finished handler with nothing. A declared length above the
    // limit is refused before a byte of the body arrives.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, manager, [reply, limits] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > limits.maxBytes)
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, manager, [reply, body, limits] {
        body->append(reply->readAll());
        if (body->size() > limits.maxBytes) {
            body->clear();
            reply->abort();
        }
    });
    QObject::connect(
        reply, &QNetworkReply::finished, manager, [manager, deadline, reply, body, limits, done = std::move(done)] {
            deadline->stop();
            manager->deleteLater();
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            const bool answered = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
            if (answered)
                body->append(reply->readAll());
            const bool ok = answered && body->size() <= limits.maxBytes;
            done(ok ? std::optional<QByteArray>(*body) : std::nullopt);
        });
}

} // namespace HttpDownload
