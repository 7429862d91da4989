#pragma once

#include <QObject>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/core/errors.h"
#include "platform/core/seam.h"
#include "platform/qt/folder_item.h"

class QEventLoop;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

namespace platform {

// A request that failed: the host could not be reached, its certificate did not validate,
// the time-out passed, the wait was stopped, or the server's reply is of no use.
class NetworkException : public PlatformError {
  public:
    using PlatformError::PlatformError;
};

// The server answered, but not with the body asked for: with a status other than success,
// or with a body longer than SendSync accepts.
class BadReplyException : public NetworkException {
  public:
    using NetworkException::NetworkException;
};

// An HTTP or HTTPS client for one transfer at a time. Server certificates are always
// validated; one that does not validate fails the request like an unreachable host.
class URLConnection : public QObject {
    Q_OBJECT

  public:
    // The longest body SendSync accepts.
    static constexpr std::int64_t kSyncReplyLimit = 4096;

    explicit URLConnection(QObject* owner = nullptr);
    ~URLConnection() override;  // stops a running transfer without raising an event

    // Sends the request and waits until its whole body has arrived, at the latest until
    // the time-out has passed; returns the body's bytes. User input waits with it; other
    // events go on. Raises BadReplyException for a status other than success or a body
    // longer than kSyncReplyLimit, which ends the wait as soon as it is too long; and
    // NetworkException when no answer comes, or Disconnect or the program's end stops the
    // wait.
    std::string SendSync(const std::string& method, const std::string& url,
                         std::int64_t timeoutSeconds);

    // Starts the request and returns at once. The body is written to a temporary file
    // beside `file`, which takes the place of `file` only when the transfer is complete and
    // the file is on the disk; then FileReceived, or Error when the transfer fails, the body
    // is empty or the file cannot be saved (and `file` is left as it was).
    // The time-out counts from the last data received. Raises PlatformError when the
    // temporary file cannot be made, NetworkException for an address that is not http(s).
    void Send(const std::string& method, const std::string& url, const FolderItem& file,
              std::int64_t timeoutSeconds);

    // Stops the running transfer, if any, without raising an event.
    void Disconnect();
    bool Busy() const { return transfer_ != nullptr; }

    // Bytes received so far and in all (-1 when the server does not say), and the bytes
    // that have just come.
    std::function<void(URLConnection&, std::int64_t received, std::int64_t total,
                       const std::string& data)>
        ReceivingProgressed;
    std::function<void(URLConnection&, const std::string& url, std::int64_t status,
                       const FolderItem& file)>
        FileReceived;
    std::function<void(URLConnection&, const PlatformError& error)> Error;

    // How long a time-out of so many seconds lasts; tests shorten it.
    static Seam<std::chrono::milliseconds(std::int64_t seconds)>& TimeoutLength();

  private:
    struct Transfer;

    QNetworkReply* start(const std::string& method, const std::string& url,
                         const QNetworkRequest& request);
    void receive();
    void complete();
    void end();
    void raiseError(const PlatformError& error);

    QNetworkAccessManager* manager_;
    std::unique_ptr<Transfer> transfer_;
    QEventLoop* waiting_ = nullptr;  // SendSync's loop while it waits
};

}  // namespace platform
