#include "platform/qt/network.h"

#include <QNetworkInformation>

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

}  // namespace

bool Network::IsConnected() const { return Query()(); }

Seam<bool()>& Network::Query() {
    static Seam<bool()> seam(desktopReportsConnection);
    return seam;
}

Network System::Network() { return {}; }

}  // namespace platform
