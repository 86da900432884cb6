#include "report_schedule.h"

#include <algorithm>

namespace varnel::sim {

std::optional<TimingModel> ParseTimingModel(std::string_view text) {
    if (text == "instant") return TimingModel::Instant;
    if (text == "usb-fs") return TimingModel::UsbFullSpeed;
    return std::nullopt;
}

const char* TimingModelName(TimingModel model) {
    return model == TimingModel::Instant ? "instant" : "usb-fs";
}

ReportSchedule::ReportSchedule(TimingModel model, TimePoint origin)
    : m_Model(model), m_Origin(origin), m_NextRequestFrame(origin), m_NextReportSlot(origin) {}

TimePoint ReportSchedule::DeliverRequest(TimePoint arrival) {
    if (m_Model == TimingModel::Instant) return arrival;
    const auto elapsed = std::max(arrival, m_Origin) - m_Origin;
    const TimePoint nextBoundary =
        m_Origin + (std::chrono::floor<std::chrono::milliseconds>(elapsed) + kFrame);
    const TimePoint delivery = std::max(nextBoundary, m_NextRequestFrame);
    m_NextRequestFrame = delivery + kFrame;
    return delivery;
}

TimePoint ReportSchedule::SendReport(TimePoint delivery, std::chrono::milliseconds extraDelay,
                                     std::chrono::milliseconds work) {
    const bool instant = m_Model == TimingModel::Instant;
    const auto latency = instant ? std::chrono::milliseconds(0) : kFrame;
    const TimePoint slot = std::max(delivery + latency + extraDelay, m_NextReportSlot);
    // Instant reports may share a moment but keep their order; usb-fs ones need a frame each.
    m_NextReportSlot = instant ? slot : slot + kFrame;
    // A keypad at work takes no request until it is done (its endpoint NAKs the host).
    if (!instant) m_NextRequestFrame = std::max(m_NextRequestFrame, delivery + work);
    return slot;
}

}  // namespace varnel::sim
