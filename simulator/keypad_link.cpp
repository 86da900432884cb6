#include "keypad_link.h"

namespace varnel::sim {

namespace {

std::vector<uint8_t> HidReport(const Packet& packet) {
    std::vector<uint8_t> report(sockproto::kReportSize);
    report[0] = 0;  // the keypad has no numbered reports
    std::copy(packet.begin(), packet.end(), report.begin() + 1);
    return report;
}

}  // namespace

KeypadLink::KeypadLink(DeviceModel model, Settings settings, TimerQueue& timers,
                       LinkListener& listener)
    : m_Model(std::move(model)),
      m_Settings(settings),
      m_Schedule(settings.timing, settings.origin),
      m_Timers(timers),
      m_Listener(listener) {}

SimulatorStatus KeypadLink::Status() const {
    return {&m_Model, m_bPlugged, !m_PresentInterfaces.empty(), m_Settings.timing,
            m_Faults.Describe()};
}

void KeypadLink::Plug() {
    if (m_bPlugged) return;
    m_bPlugged = true;
    Arrive();
}

void KeypadLink::Unplug() {
    if (!m_bPlugged) return;
    m_bPlugged = false;
    if (!m_PresentInterfaces.empty()) {
        Leave();
    } else {
        ++m_nBusSession;  // in the middle of a restart: it must not come back
    }
}

void KeypadLink::ApplyFault(const FaultRule& rule) {
    m_Faults.Apply(rule);
}

void KeypadLink::ReceiveRequest(uint64_t connection, const Packet& request, TimePoint arrival) {
    if (m_PresentInterfaces.empty() || m_bLeaving) return;
    const TimePoint delivery = m_Schedule.DeliverRequest(arrival);
    const uint64_t session = m_nBusSession;
    m_Timers.At(delivery, [this, connection, request, delivery, session] {
        if (session == m_nBusSession && !m_bLeaving) Deliver(connection, request, delivery);
    });
}

void KeypadLink::Deliver(uint64_t connection, const Packet& request, TimePoint delivery) {
    const RequestFate fate = m_Faults.OnRequest(m_Model.ProgramsApplicationFlash(request));
    const uint64_t revision = m_Model.Revision();
    const CellHealth cells = fate.badFlashCell ? CellHealth::Bad : CellHealth::Good;
    const CommandResult result =
        fate.carryOut ? m_Model.Handle(request, cells) : CommandResult{RefusedReply(request)};
    if (m_Model.Revision() != revision) m_Listener.StateChanged();
    if (fate.unplugWithoutReply) {
        Unplug();
        return;
    }

    const ReplyFate replyFate = m_Faults.OnReply();
    if (replyFate.staleFirst) {
        SendAt(m_Schedule.SendReport(delivery, replyFate.delay), connection,
               StaleReply(request[0]));
    }
    // A swallowed reply still takes its place in time, so a restart leaves the bus when the
    // reply would have been sent.
    const TimePoint replyAt = m_Schedule.SendReport(delivery, replyFate.delay, result.busy);
    if (!replyFate.drop) SendAt(replyAt, connection, result.reply);
    if (result.restartInto) {
        m_bLeaving = true;
        const uint64_t session = m_nBusSession;
        m_Timers.At(replyAt, [this, session, replyAt] {
            if (session != m_nBusSession) return;
            Leave();
            const uint64_t restarted = m_nBusSession;
            m_Timers.At(replyAt + m_Settings.restartDelay, [this, restarted] {
                if (restarted == m_nBusSession && m_bPlugged) Arrive();
            });
        });
    }
}

void KeypadLink::SendAt(TimePoint when, uint64_t connection, const Packet& packet) {
    // A report still queued when the keypad leaves the bus (one held back by an erase) leaves
    // with it.
    m_Timers.At(when, [this, connection, session = m_nBusSession, report = HidReport(packet)] {
        if (session == m_nBusSession) m_Listener.SendReport(connection, report);
    });
}

void KeypadLink::Arrive() {
    // A keypad coming onto the bus starts with empty endpoints.
    m_Schedule = ReportSchedule(m_Settings.timing, m_Settings.origin);
    m_PresentInterfaces = m_Model.Interfaces();
    for (const auto& interface : m_PresentInterfaces) {
        m_Listener.InterfaceEvent("arrival " + interface.path);
    }
}

void KeypadLink::Leave() {
    // Reads on open handles fail first, as they do when a HID device goes away; then the
    // removal notifications follow.
    const std::vector<sockproto::InterfaceRecord> leaving = std::move(m_PresentInterfaces);
    m_PresentInterfaces.clear();
    ++m_nBusSession;
    m_bLeaving = false;
    m_Listener.KeypadLeft();
    for (const auto& interface : leaving) m_Listener.InterfaceEvent("removal " + interface.path);
}

}  // namespace varnel::sim
