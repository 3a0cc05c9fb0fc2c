#pragma once

#include "ground/platform.h"

/// One bounded, asynchronous HTTP GET. The answer stays in memory: nothing
/// is written to disk, and an answer past the size limit is dropped whole.
namespace HttpDownload {

void start(const QUrl &url, const DownloadLimits &limits, QObject *context,
           std::function<void(std::optional<QByteArray>)> done);

} // namespace HttpDownload
