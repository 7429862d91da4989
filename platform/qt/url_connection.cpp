#include "platform/qt/url_connection.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

#include "platform/qt/desktop_application.h"
#include "platform/qt/replacing_file.h"

namespace platform {
namespace {

// Qt counts time-outs in int milliseconds, and 0 means none.
int milliseconds(std::int64_t seconds) {
    const std::int64_t length = URLConnection::TimeoutLength()(seconds).count();
    return static_cast<int>(std::clamp<std::int64_t>(length, 1, std::numeric_limits<int>::max()));
}

QNetworkRequest requestFor(const std::string& url) {
    const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    const QString scheme = address.scheme();
    if (!address.isValid() || address.host().isEmpty() || (scheme != "http" && scheme != "https")) {
        throw NetworkException("\"" + url + "\" is not a web address.");
    }
    return QNetworkRequest(address);
}

bool isSuccess(const QVariant& status) {
    bool known = false;
    const int code = status.toInt(&known);
    return known && code >= 200 && code < 300;
}

// The server's refusal of a finished request: a status other than success, even where Qt
// counts it among the request's failures.
std::optional<std::string> refusalOf(const QNetworkReply& reply, const std::string& url) {
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid() || isSuccess(status)) return std::nullopt;
    return "The server answered the request for " + url + " with status " +
           status.toString().toStdString() + ".";
}

// Why a finished request failed that the server did not refuse.
std::optional<std::string> failureOf(const QNetworkReply& reply, const std::string& url) {
    switch (reply.error()) {
        case QNetworkReply::NoError:
            break;
        case QNetworkReply::OperationCanceledError:
            // A reply that is still ours is cancelled only by its transfer time-out.
            return "The request for " + url + " timed out.";
        default:
            return "The request for " + url + " failed: " + reply.errorString().toStdString();
    }
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) {
        return "The request for " + url + " had no status.";
    }
    return std::nullopt;
}

}  // namespace

struct URLConnection::Transfer {
    QNetworkReply* reply;
    std::string url;
    std::unique_ptr<ReplacingFile> file;  // Send's destination; uncommitted, it leaves no trace
    std::int64_t received = 0;
};

URLConnection::URLConnection(QObject* owner)
    : QObject(owner), manager_(new QNetworkAccessManager(this)) {}

URLConnection::~URLConnection() { Disconnect(); }

Seam<std::chrono::milliseconds(std::int64_t)>& URLConnection::TimeoutLength() {
    static Seam<std::chrono::milliseconds(std::int64_t)> seam([](std::int64_t seconds) {
        constexpr std::int64_t kLongest = std::numeric_limits<int>::max() / 1000;
        return std::chrono::milliseconds(std::clamp<std::int64_t>(seconds, 0, kLongest) * 1000);
    });
    return seam;
}

QNetworkReply* URLConnection::start(const std::string& method, const std::string& url,
                                    const QNetworkRequest& request) {
    QNetworkReply* reply = manager_->sendCustomRequest(request, QByteArray::fromStdString(method));
    transfer_ = std::make_unique<Transfer>(Transfer{reply, url, nullptr});
    return reply;
}

std::string URLConnection::SendSync(const std::string& method, const std::string& url,
                                    std::int64_t timeoutSeconds) {
    if (Busy()) throw PlatformError("The connection is busy with another transfer.");
    const int limit = milliseconds(timeoutSeconds);
    QNetworkReply* reply = start(method, url, requestFor(url));

    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);  // a coarse timer may end the wait early
    connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    connect(reply, &QNetworkReply::readyRead, &loop, [&loop, reply] {
        if (reply->bytesAvailable() > kSyncReplyLimit) loop.quit();
    });
    const QPointer<URLConnection> alive(this);
    waiting_ = &loop;
    deadline.start(limit);
    // The loop also ends at once, or does not start, when the program is quitting.
    loop.exec(QEventLoop::ExcludeUserInputEvents);

    const std::string stopped = "The request for " + url + " was stopped.";
    if (!alive) throw NetworkException(stopped);  // destroyed while waiting: touch nothing
    waiting_ = nullptr;
    if (!transfer_ || transfer_->reply != reply) throw NetworkException(stopped);
    const auto done = qScopeGuard([this] { end(); });
    if (reply->bytesAvailable() > kSyncReplyLimit) {
        throw BadReplyException("The reply to " + url + " is longer than " +
                                std::to_string(kSyncReplyLimit) + " bytes.");
    }
    if (!reply->isFinished()) {
        throw NetworkException(deadline.isActive() ? stopped
                                                   : "The request for " + url + " timed out.");
    }
    if (const auto refusal = refusalOf(*reply, url)) throw BadReplyException(*refusal);
    if (const auto failure = failureOf(*reply, url)) throw NetworkException(*failure);
    return reply->readAll().toStdString();
}

void URLConnection::Send(const std::string& method, const std::string& url, const FolderItem& file,
                         std::int64_t timeoutSeconds) {
    if (Busy()) throw PlatformError("The connection is busy with another transfer.");
    QNetworkRequest request = requestFor(url);
    request.setTransferTimeout(milliseconds(timeoutSeconds));
    auto destination = std::make_unique<ReplacingFile>(file.NativePath());
    if (!destination->Open()) {
        throw PlatformError("\"" + file.NativePath().toStdString() +
                            "\" cannot be written: " + destination->ErrorString().toStdString());
    }
    QNetworkReply* reply = start(method, url, request);
    transfer_->file = std::move(destination);
    connect(reply, &QNetworkReply::readyRead, this, [this] { RunHandler([this] { receive(); }); });
    connect(reply, &QNetworkReply::finished, this, [this] { RunHandler([this] { complete(); }); });
}

void URLConnection::receive() {
    if (!transfer_ || !transfer_->file || !transfer_->reply->isReadable()) return;
    Transfer& t = *transfer_;
    const QByteArray data = t.reply->readAll();
    // An error page is not the file: it is dropped, and complete() reports the status.
    if (data.isEmpty() ||
        !isSuccess(t.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute))) {
        return;
    }
    if (!t.file->Write(data)) {
        const std::string reason = t.file->ErrorString().toStdString();
        end();
        raiseError(PlatformError("The download could not be written: " + reason));
        return;
    }
    t.received += data.size();
    bool known = false;
    const qlonglong total =
        t.reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (ReceivingProgressed) {
        ReceivingProgressed(*this, t.received, known ? total : -1, data.toStdString());
    }
}

void URLConnection::complete() {
    receive();
    if (!transfer_) return;  // stopped while reporting
    std::unique_ptr<Transfer> t = std::move(transfer_);
    t->reply->deleteLater();
    const auto fail = [this, &t](const PlatformError& failure) {
        t.reset();  // the temporary file is gone before anyone hears of the failure
        raiseError(failure);
    };
    if (const auto refusal = refusalOf(*t->reply, t->url)) return fail(BadReplyException(*refusal));
    if (const auto failure = failureOf(*t->reply, t->url)) return fail(NetworkException(*failure));
    // No package is empty: a reply without a body would replace one with nothing.
    if (t->received == 0) return fail(BadReplyException("The reply to " + t->url + " is empty."));
    if (!t->file->Commit()) {
        return fail(PlatformError("The download could not be saved: " +
                                  t->file->ErrorString().toStdString()));
    }
    const std::int64_t status =
        t->reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toLongLong();
    const FolderItem file(t->file->FileName());
    const std::string url = t->url;
    t.reset();
    if (FileReceived) FileReceived(*this, url, status, file);
}

void URLConnection::Disconnect() {
    if (waiting_) waiting_->quit();
    end();
}

void URLConnection::end() {
    const std::unique_ptr<Transfer> t = std::move(transfer_);
    if (!t) return;
    disconnect(t->reply, nullptr, this, nullptr);
    t->reply->abort();
    t->reply->deleteLater();
}

void URLConnection::raiseError(const PlatformError& error) {
    if (Error) Error(*this, error);
}

}  // namespace platform
