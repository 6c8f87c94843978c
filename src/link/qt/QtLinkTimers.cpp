#include "QtLinkTimers.h"

#include <algorithm>

namespace mz3 {

QtLinkTimers::QtLinkTimers() {
    m_search.setInterval(1000);
    m_sequencer.setInterval(100);
    m_hold.setInterval(20);
    // The 20 ms and 50 ms timers need their pace, not the coarse default.
    m_sequencer.setTimerType(Qt::PreciseTimer);
    m_hold.setTimerType(Qt::PreciseTimer);
}

QTimer& QtLinkTimers::get(LinkTimer timer) {
    switch (timer) {
        case LinkTimer::Search:
            return m_search;
        case LinkTimer::Sequencer:
            return m_sequencer;
        case LinkTimer::Hold:
            break;
    }
    return m_hold;
}

void QtLinkTimers::setScale(LinkTimer timer, double scale) {
    m_scale[int(timer)] = scale;
    setInterval(timer, get(timer).interval());
}

void QtLinkTimers::setInterval(LinkTimer timer, int ms) {
    get(timer).setInterval(std::max(1, int(ms * m_scale[int(timer)])));
}

void QtLinkTimers::setHandler(LinkTimer timer, std::function<void()> handler) {
    QObject::connect(&get(timer), &QTimer::timeout, std::move(handler));
}

}  // namespace mz3
