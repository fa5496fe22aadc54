#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>
#include <memory>

namespace stelvador {

// Runs act on the first modal widget of type Widget once it shows, polling from the event loop
// for at most two seconds. The poll stops when the returned timer goes away.
template <typename Widget>
std::unique_ptr<QTimer> WhenShown(std::function<void(Widget*)> act) {
    auto timer = std::make_unique<QTimer>();
    auto left = std::make_shared<int>(200);
    QTimer* raw = timer.get();
    QObject::connect(raw, &QTimer::timeout, raw, [raw, left, act] {
        auto* widget = qobject_cast<Widget*>(QApplication::activeModalWidget());
        if (widget != nullptr && widget->isVisible()) {
            raw->stop();
            act(widget);
        } else if (--*left == 0) {
            raw->stop();
        }
    });
    timer->start(10);
    return timer;
}

}  // namespace stelvador
