// The keypad as the host sees it across the USB link: whether it is on the bus, when requests
// reach it and when its reports come back, and the faults injected on the way. Time comes in
// from the caller and everything later is put on a timer queue, so this runs without sockets.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "device_model.h"
#include "faults.h"
#include "report_schedule.h"
#include "status_report.h"
#include "timer_queue.h"

namespace varnel::sim {

// What the link asks of the connections on the other side.
class LinkListener {
  public:
    virtual ~LinkListener() = default;
    // A 65-byte report for the connection whose request it answers.
    virtual void SendReport(uint64_t connection, const std::vector<uint8_t>& report) = 0;
    // "arrival PATH" or "removal PATH", for every subscriber.
    virtual void InterfaceEvent(const std::string& event) = 0;
    // The keypad left the bus: connections that opened one of its interfaces must close.
    virtual void KeypadLeft() = 0;
    // The keypad's persistent state changed.
    virtual void StateChanged() = 0;
};

class KeypadLink {
  public:
    struct Settings {
        TimingModel timing = TimingModel::Instant;
        TimePoint origin;  // start of the usb-fs frame clock
        std::chrono::milliseconds restartDelay{200};
    };

    KeypadLink(DeviceModel model, Settings settings, TimerQueue& timers, LinkListener& listener);

    const DeviceModel& Model() const { return m_Model; }
    // The interfaces on the bus now; empty while unplugged or restarting.
    const std::vector<sockproto::InterfaceRecord>& PresentInterfaces() const {
        return m_PresentInterfaces;
    }
    bool Plugged() const { return m_bPlugged; }
    SimulatorStatus Status() const;

    void Plug();
    void Unplug();
    void ApplyFault(const FaultRule& rule);

    // A request report (without its report id) that arrived on the vendor interface.
    void ReceiveRequest(uint64_t connection, const Packet& request, TimePoint arrival);

  private:
    void Deliver(uint64_t connection, const Packet& request, TimePoint delivery);
    void SendAt(TimePoint when, uint64_t connection, const Packet& packet);
    void Arrive();
    void Leave();

    DeviceModel m_Model;
    Settings m_Settings;
    ReportSchedule m_Schedule;
    FaultSet m_Faults;
    TimerQueue& m_Timers;
    LinkListener& m_Listener;
    std::vector<sockproto::InterfaceRecord> m_PresentInterfaces;
    bool m_bPlugged = false;
    // Set from the moment the keypad takes a restart request until it has left the bus; the
    // requests that arrive meanwhile are lost, as the keypad no longer reads them.
    bool m_bLeaving = false;
    // Changes whenever the keypad leaves the bus or is unplugged, so work queued for the keypad
    // that was there before (requests in flight, a pending re-arrival) is dropped.
    uint64_t m_nBusSession = 0;
};

}  // namespace varnel::sim
