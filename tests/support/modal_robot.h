#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace korva::test {

// Answers real modal dialogs while it lives: every 10 ms it looks for one, runs
// `whileOpen` with it (which must not process events) and closes it with done(result).
class ModalRobot {
  public:
    explicit ModalRobot(std::function<void(QDialog&)> whileOpen = {}, int result = 0)
        : whileOpen_(std::move(whileOpen)), result_(result) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(10);
    }

    int answered = 0;        // dialogs closed
    int deepestNesting = 0;  // the most dialogs seen open at once

  private:
    void poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        int open = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            open += qobject_cast<QDialog*>(w) && w->isVisible();
        deepestNesting = std::max(deepestNesting, open);
        if (whileOpen_) whileOpen_(*dialog);
        ++answered;
        dialog->done(result_);
    }

    std::function<void(QDialog&)> whileOpen_;
    int result_;
    QTimer timer_;
};

}  // namespace korva::test
