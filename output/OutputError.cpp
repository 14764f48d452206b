#include "output/OutputError.h"

#include <cstring>

namespace {

std::string WithDetail(std::string text, const SOutputError& error) {
    if (!error.detail.empty())
        text += ": " + error.detail;
    return text;
}

} // namespace

SOutputError OutputFailure(EOutputFailure what, const std::string& subject, int code) {
    return {what, subject, code != 0 ? std::strerror(code) : std::string()};
}

std::string OutputErrorText(const SOutputError& error) {
    const std::string quoted = "'" + error.subject + "'";
    switch (error.what) {
    case EOutputFailure::Resolve:
        return WithDetail("cannot resolve " + quoted, error);
    case EOutputFailure::Unreachable:
        return WithDetail("cannot reach " + quoted, error);
    case EOutputFailure::Broadcast:
        return quoted + " is a broadcast address: name the receiver itself";
    case EOutputFailure::Socket:
        return WithDetail("cannot open a socket for " + quoted, error);
    case EOutputFailure::Send:
        return WithDetail("cannot send to " + quoted, error);
    case EOutputFailure::OpenDevice:
        return WithDetail("cannot open " + quoted, error);
    case EOutputFailure::NotSerial:
        return quoted + " is no serial line";
    case EOutputFailure::Configure:
        return WithDetail("cannot set up the serial line " + quoted, error);
    case EOutputFailure::Write:
        return WithDetail("cannot write to " + quoted, error);
    case EOutputFailure::Timeout:
        return quoted + " takes no data (nothing was read for 2 seconds)";
    }
    return WithDetail(quoted, error);
}

std::string OutputErrorMessage(const SOutputError& error) {
    const std::string quoted = "\"" + error.subject + "\"";
    std::string text;
    switch (error.what) {
    case EOutputFailure::Resolve:
        text = quoted + " のアドレスが見つかりません。";
        break;
    case EOutputFailure::Unreachable:
        text = quoted + " に届きません。";
        break;
    case EOutputFailure::Broadcast:
        text = quoted + " はブロードキャストアドレスです。受信機のアドレスを指定してください。";
        break;
    case EOutputFailure::Socket:
    case EOutputFailure::Send:
        text = quoted + " へ送信できません。";
        break;
    case EOutputFailure::OpenDevice:
        text = quoted + " を開けません。";
        break;
    case EOutputFailure::NotSerial:
        text = quoted + " はシリアルポートではありません。";
        break;
    case EOutputFailure::Configure:
        text = quoted + " を設定できません。";
        break;
    case EOutputFailure::Write:
        text = quoted + " へ書き込めません。";
        break;
    case EOutputFailure::Timeout:
        text = quoted + " がデータを受け取りません。";
        break;
    }
    if (!error.detail.empty())
        text += "\n(" + error.detail + ")";
    return text;
}
