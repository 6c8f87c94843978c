// The link's three timers as QTimers on the GUI thread.
#pragma once

#include <QTimer>
#include <functional>

#include "LinkInterfaces.h"

namespace mz3 {

class QtLinkTimers : public LinkTimers {
public:
    QtLinkTimers();
    // The handler each timer runs.
    void setHandler(LinkTimer timer, std::function<void()> handler);

    // Runs one timer faster than its nominal interval (end-to-end tests only).
    void setScale(LinkTimer timer, double scale);

    void start(LinkTimer timer) override { get(timer).start(); }
    void stop(LinkTimer timer) override { get(timer).stop(); }
    void setInterval(LinkTimer timer, int ms) override;
    bool isActive(LinkTimer timer) const override {
        return const_cast<QtLinkTimers*>(this)->get(timer).isActive();
    }

private:
    QTimer& get(LinkTimer timer);
    QTimer m_search;
    QTimer m_sequencer;
    QTimer m_hold;
    double m_scale[3] = {1.0, 1.0, 1.0};
};

}  // namespace mz3
