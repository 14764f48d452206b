#include "view/qt/Cp932Validator.h"

#include "store/Cp932.h"

CCp932Validator::CCp932Validator(int maxBytes, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes) {}

QValidator::State CCp932Validator::validate(QString& input, int& /*pos*/) const {
    return Cp932Length(input.toStdString()) <= m_maxBytes ? Acceptable : Invalid;
}
