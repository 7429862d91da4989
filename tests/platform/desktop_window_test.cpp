#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPointer>

#include "desktop_window.h"

namespace {

// A window whose opening handler closes it, as one can when it finds nothing to do.
class ShortLived : public platform::DesktopWindow {
public:
    ShortLived() { SetProperties({.Title = "short", .Width = 100, .Height = 80}); }
    int closings = 0;

protected:
    void Event_Opening() override { Close(); }
    void Event_Closing() override { ++closings; }
};

TEST(DesktopWindow, AWindowClosedWhileOpeningIsNeitherShownNorReturnedAgain) {
    auto& first = platform::DesktopWindow::ImplicitInstance<ShortLived>(
        "ShortLived.ShortLived", [] { return new ShortLived(); });
    QPointer<ShortLived> closed(&first);
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(first.closings, 1);
    EXPECT_EQ(platform::DesktopWindow::GetImplicitDesktopWindow("ShortLived.ShortLived"), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
}

}  // namespace
