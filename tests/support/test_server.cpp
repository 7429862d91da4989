#include "tests/support/test_server.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <algorithm>
#include <memory>

namespace korva::test {
namespace {

const QString kFolder = "/classes/programs/";

QByteArray testFile(const QString& name) {
    QFile file(QStringLiteral(KORVA_TEST_CERTIFICATES "/") + name);
    if (!file.open(QIODevice::ReadOnly)) ADD_FAILURE() << "cannot read " << name.toStdString();
    return file.readAll();
}

}  // namespace

QSslCertificate TestServer::trustedCertificate() {
    return QSslCertificate(testFile("trusted.crt"), QSsl::Pem);
}

TestServer::TestServer(Certificate certificate) {
    const QString name = certificate == Certificate::Trusted ? "trusted" : "untrusted";
    QSslConfiguration tls;
    tls.setLocalCertificate(QSslCertificate(testFile(name + ".crt"), QSsl::Pem));
    tls.setPrivateKey(QSslKey(testFile(name + ".key"), QSsl::Rsa, QSsl::Pem));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    server_.setSslConfiguration(tls);

    QObject::connect(&server_, &QSslServer::pendingConnectionAvailable, &server_, [this] {
        while (auto* socket = qobject_cast<QSslSocket*>(server_.nextPendingConnection())) {
            auto received = std::make_shared<QByteArray>();
            QObject::connect(socket, &QSslSocket::readyRead, socket, [this, socket, received] {
                const bool headComplete = received->contains("\r\n\r\n");
                received->append(socket->readAll());
                if (headComplete || !received->contains("\r\n\r\n")) return;
                const QList<QByteArray> requestLine =
                    received->left(received->indexOf("\r\n")).split(' ');
                methods_ << QString::fromLatin1(requestLine.value(0));
                QString file = QString::fromLatin1(requestLine.value(1));
                if (file.startsWith(kFolder)) file.remove(0, kFolder.size());
                ++requests_[file];
                if (onRequest) onRequest(file);
                answer(socket, file);
            });
            QObject::connect(socket, &QSslSocket::disconnected, socket, [this, socket] {
                ++closed_;
                socket->deleteLater();
            });
        }
    });
    EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0)) << server_.errorString().toStdString();
}

std::string TestServer::folder() const {
    return "https://127.0.0.1:" + std::to_string(server_.serverPort()) + kFolder.toStdString();
}

void TestServer::serve(const QString& file, Reply reply) { replies_[file] = std::move(reply); }

void TestServer::answer(QSslSocket* socket, const QString& file) {
    const Reply reply = replies_.value(file, Reply{404, "Not found"});
    if (reply.ending == Reply::Ending::Silent) return;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) +
                      (reply.status == 200 ? " OK" : " Failed") + "\r\n";
    if (reply.ending != Reply::Ending::NoLength) {
        head += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
    }
    head += "Connection: close\r\n\r\n";
    socket->write(head);

    const bool halfway =
        reply.ending == Reply::Ending::DropHalfway || reply.ending == Reply::Ending::StallHalfway;
    const QByteArray body = halfway ? reply.body.left(reply.body.size() / 2) : reply.body;
    const bool close = reply.ending != Reply::Ending::StallHalfway;
    const qsizetype pieces = std::max(1, reply.pieces);
    QList<QByteArray> parts;  // none empty, so that each brings a report
    for (qsizetype i = 0; i < pieces; ++i) {
        const qsizetype from = body.size() * i / pieces, to = body.size() * (i + 1) / pieces;
        if (to > from) parts << body.mid(from, to - from);
    }
    if (parts.isEmpty()) parts << QByteArray();
    paced_ = {socket, parts.mid(1), parts.first().size(), close};
    send(*socket, parts.first(), close && parts.size() == 1);
}

void TestServer::received(std::int64_t bytes) {
    if (!paced_.socket || paced_.pieces.isEmpty() || bytes < paced_.sent) return;
    const QByteArray piece = paced_.pieces.takeFirst();
    paced_.sent += piece.size();
    send(*paced_.socket, piece, paced_.close && paced_.pieces.isEmpty());
}

void TestServer::send(QSslSocket& socket, const QByteArray& piece, bool closeAfter) {
    socket.write(piece);
    if (closeAfter) socket.disconnectFromHost();
}

}  // namespace korva::test
