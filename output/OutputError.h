#pragma once

#include <string>

// Why live output could not reach a sign.
enum class EOutputFailure {
    Resolve,     // the host name does not resolve
    Unreachable, // no route to the host, or the network refuses it
    Broadcast,   // a broadcast address, which live output does not send to
    Socket,      // no socket could be made
    Send,        // the network refused a packet
    OpenDevice,  // the serial device cannot be opened
    NotSerial,   // the device is no serial line
    Configure,   // the serial line refuses its settings
    Write,       // writing to the serial line failed (unplugged, say)
    Timeout,     // the serial line took nothing for two seconds
};

// A failure, what it concerns (the host or the device as the user named it)
// and the system's words for it.
struct SOutputError {
    EOutputFailure what = EOutputFailure::Send;
    std::string subject;
    std::string detail;
};

// A failure of `what` concerning `subject`, with the system's words for the
// errno value `code` (none for 0).
SOutputError OutputFailure(EOutputFailure what, const std::string& subject, int code);

// One line in English for the command line: "cannot resolve 'sign.local':
// Name or service not known".
std::string OutputErrorText(const SOutputError& error);

// The same in Japanese for a message box of the editor.
std::string OutputErrorMessage(const SOutputError& error);
