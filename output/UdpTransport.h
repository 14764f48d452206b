#pragma once

#include "output/FrameTransport.h"

#include <memory>
#include <string>

// A UDP socket connected to one receiver.
class CUdpTransport : public CFrameTransport {
public:
    ~CUdpTransport() override;
    CUdpTransport(const CUdpTransport&) = delete;
    CUdpTransport& operator=(const CUdpTransport&) = delete;

    // Resolves `host` (a name or an address) and connects to the first of
    // its addresses with a route. nullptr with `error` set when the name
    // does not resolve, no address has a route, or the address is a
    // broadcast one. A name is looked up through the system's resolver,
    // which may take a while.
    static std::unique_ptr<CUdpTransport> Open(const std::string& host, int port,
                                               SOutputError& error);

    // A receiver that is not listening (the port refused) is no failure:
    // it takes the frames once it is back.
    bool Send(std::span<const std::uint8_t> packet, SOutputError& error) override;

private:
    CUdpTransport(int socket, std::string host) : m_socket(socket), m_host(std::move(host)) {}

    int m_socket;
    std::string m_host;
};
