#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSslCertificate>
#include <QSslServer>
#include <QString>
#include <cstdint>
#include <functional>

namespace korva::test {

// How the server answers a request for one file.
struct Reply {
    enum class Ending {
        Whole,         // the announced body, then the connection closes
        NoLength,      // the body without Content-Length, ended by closing the connection
        DropHalfway,   // announces the whole body, sends half and closes the connection
        StallHalfway,  // announces the whole body, sends half and then nothing more
        Silent,        // reads the request and never answers
    };
    int status = 200;
    QByteArray body;
    Ending ending = Ending::Whole;
    // The body goes out in that many parts, each once the client has received all parts
    // before it (see TestServer::received).
    int pieces = 1;
};

// An HTTPS server on 127.0.0.1 inside the test process, serving the home-page folder
// "/classes/programs/". It runs on the test's own event loop, so it answers while the
// code under test waits in one.
class TestServer {
  public:
    enum class Certificate {
        Trusted,   // the tests add it to the certificates they trust
        Untrusted  // valid for 127.0.0.1, but nobody vouches for it
    };

    explicit TestServer(Certificate certificate = Certificate::Trusted);

    // "https://127.0.0.1:<port>/classes/programs/"
    std::string folder() const;
    void serve(const QString& file, Reply reply);
    // Requests read for that file, and their methods.
    int requests(const QString& file) const { return requests_.value(file); }
    QStringList methods() const { return methods_; }
    int closedConnections() const { return closed_; }

    // Runs when a request has been read, before it is answered.
    std::function<void(const QString& file)> onRequest;

    // The client has received this many bytes of the body going out in pieces; once that
    // is all sent so far, the next piece goes out. A test reports from its progress hook,
    // so that every piece arrives on its own, however the machine schedules.
    void received(std::int64_t bytes);

    static QSslCertificate trustedCertificate();

  private:
    // A body in pieces, waiting for the client to catch up.
    struct Paced {
        QPointer<QSslSocket> socket;
        QList<QByteArray> pieces;  // still to send
        std::int64_t sent = 0;
        bool close = true;  // after the last piece
    };

    void answer(QSslSocket* socket, const QString& file);
    static void send(QSslSocket& socket, const QByteArray& piece, bool closeAfter);

    QMap<QString, Reply> replies_;
    QMap<QString, int> requests_;
    QStringList methods_;
    int closed_ = 0;
    Paced paced_;
    QSslServer server_;  // last: its connections end while the counts above still exist
};

}  // namespace korva::test
