#include "platform/qt/network.h"

#include <QNetworkInformation>
#include <utility>

namespace platform {
namespace {

bool desktopReportsConnection() {
    // Qt 6.4 on Linux has no default backend; one that reports reachability serves.
    static const bool loaded =
        QNetworkInformation::loadDefaultBackend() ||
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    const QNetworkInformation* information = QNetworkInformation::instance();
    if (!loaded || !information) return true;
    return information->reachability() != QNetworkInformation::Reachability::Disconnected;
}

Network::Query& query() {
    static Network::Query current = desktopReportsConnection;
    return current;
}

}  // namespace

bool Network::IsConnected() const { return query()(); }

Network::Query Network::SetQuery(Query replacement) {
    return std::exchange(query(), std::move(replacement));
}

Network System::Network() { return {}; }

}  // namespace platform
