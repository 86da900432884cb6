// Errors that end a varnelctl command, each with its exit code.
#pragma once

#include <stdexcept>
#include <string>

namespace varnelctl {

enum ExitCode : int {
    kExitSuccess = 0,
    kExitDeviceError = 1,
    kExitUsage = 2,
    kExitNoKeypad = 3,
};

class CliError : public std::runtime_error {
  public:
    CliError(ExitCode code, const std::string& message)
        : std::runtime_error(message), m_Code(code) {}
    ExitCode Code() const { return m_Code; }

  private:
    ExitCode m_Code;
};

inline CliError UsageError(const std::string& message) {
    return {kExitUsage, message};
}
inline CliError DeviceError(const std::string& message) {
    return {kExitDeviceError, message};
}

}  // namespace varnelctl
