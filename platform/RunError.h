#pragma once
#include <stdexcept>
#include <string>

namespace orvex {

// A run-time error carrying its error number. Logic throws it inside a
// command; the command's handler catches it and reports it with Errori.
// It never crosses a subsystem boundary otherwise.
class RunError : public std::runtime_error {
public:
    explicit RunError(int number, const std::string& what = {})
        : std::runtime_error(what.empty() ? "run-time error " + std::to_string(number) : what),
          number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

// Error numbers the program raises itself.
namespace ErrorNo {
constexpr int None = 0;
constexpr int InvalidCall = 5;  // an argument outside what the operation accepts
constexpr int Overflow = 6;
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int TypeMismatch = 13;  // text that is not a number where one is needed
constexpr int BadFileName = 52;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DeviceIO = 57;
constexpr int FileAlreadyExists = 58;  // a name another writer took first
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int BadFileNumber = 64;
constexpr int DeviceUnavailable = 68;
constexpr int PermissionDenied = 70;
constexpr int DiskNotReady = 71;
constexpr int PathFileAccess = 75;  // also: no file name given
constexpr int PathNotFound = 76;
constexpr int PrinterError = 482;
constexpr int NoPrinter = 484;          // no default printer is set up
constexpr int Internal = 51;            // anything else that went wrong inside a command
constexpr int DialogCancelled = 32755;  // the user pressed Cancel in a file dialog: never reported
}  // namespace ErrorNo

}  // namespace orvex
