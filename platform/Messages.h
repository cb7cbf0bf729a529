#pragma once
#include <exception>
#include <new>
#include <optional>
#include <string>

#include "platform/RunError.h"

namespace orvex {

// The program's name as its titles and report write it, and the title of its
// message boxes.
constexpr const char* kProgramName = "ORVEX Timing System";
constexpr const char* kProgramTitle = "ORVEX";

// The warning box every part of the program uses: exclamation icon, OK, title "ORVEX".
void ShowMessage(const std::string& text);
// The same with the information icon, for what went well.
void ShowInformation(const std::string& text);

// The pending run-time error, as a command handler saw it.
int pendingError();
void setPendingError(int number);

// A number as the program writes it in texts: a blank in front of a
// non-negative number (" 7"), the minus sign otherwise.
std::string numberText(int number);

// The text Errori shows for an error number: "Error n.  53 !", "Error n. -5 !".
std::string errorText(int number);

// Reports the pending error, if any, and clears it. The pointer goes back to
// normal first, so a busy pointer left by the failed command never sticks.
// 0 and a cancelled file dialog are silent.
void Errori();

// Runs `body` and returns the number of the error that ended it, if any.
template <class Body>
std::optional<int> catchError(Body&& body) {
    try {
        body();
        return std::nullopt;
    } catch (const RunError& e) {
        return e.number();
    } catch (const std::bad_alloc&) {
        return ErrorNo::OutOfMemory;
    } catch (...) {
        return ErrorNo::Internal;
    }
}

// Runs one command handler's body: any failure becomes a pending error
// number and is reported by Errori. Nothing escapes a handler.
template <class Body>
void trapErrors(Body&& body) {
    if (const auto number = catchError(body)) {
        setPendingError(*number);
        Errori();
    }
}

// Like trapErrors, but the failure is dropped silently and reported as false
// (the device tick drops its pending command this way).
template <class Body>
bool runSilently(Body&& body) {
    try {
        body();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace orvex
