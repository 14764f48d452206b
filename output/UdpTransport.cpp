#include "output/UdpTransport.h"

#include <cerrno>
#include <cstring>

#include <netdb.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

CUdpTransport::~CUdpTransport() {
    ::close(m_socket);
}

std::unique_ptr<CUdpTransport> CUdpTransport::Open(const std::string& host, int port,
                                                   SOutputError& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_protocol = IPPROTO_UDP;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    const int status = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
    if (status != 0) {
        error = {EOutputFailure::Resolve, host,
                 status == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(status)};
        return nullptr;
    }
    int lastError = 0;
    EOutputFailure lastFailure = EOutputFailure::Unreachable;
    for (const addrinfo* address = found; address != nullptr; address = address->ai_next) {
        const int fd =
            ::socket(address->ai_family, address->ai_socktype | SOCK_CLOEXEC, address->ai_protocol);
        if (fd < 0) {
            lastError = errno;
            lastFailure = EOutputFailure::Socket;
            continue;
        }
        // A connected socket sends to its one receiver and learns of a
        // missing route at once.
        if (::connect(fd, address->ai_addr, address->ai_addrlen) == 0) {
            ::freeaddrinfo(found);
            return std::unique_ptr<CUdpTransport>(new CUdpTransport(fd, host));
        }
        lastError = errno;
        lastFailure = lastError == EACCES ? EOutputFailure::Broadcast : EOutputFailure::Unreachable;
        ::close(fd);
    }
    ::freeaddrinfo(found);
    error = OutputFailure(lastFailure, host, lastError);
    return nullptr;
}

bool CUdpTransport::Send(std::span<const std::uint8_t> packet, SOutputError& error) {
    for (;;) {
        if (::send(m_socket, packet.data(), packet.size(), MSG_NOSIGNAL) >= 0)
            return true;
        switch (errno) {
        case EINTR:
            continue;
        // Nobody listens yet, or the queue is full for a moment: the packet
        // is lost as a datagram may be.
        case ECONNREFUSED:
        case ENOBUFS:
        case EAGAIN:
            return true;
        default: {
            const int code = errno;
            EOutputFailure what = EOutputFailure::Send;
            if (code == EACCES)
                what = EOutputFailure::Broadcast;
            else if (code == ENETUNREACH || code == EHOSTUNREACH || code == ENETDOWN)
                what = EOutputFailure::Unreachable;
            error = OutputFailure(what, m_host, code);
            return false;
        }
        }
    }
}
