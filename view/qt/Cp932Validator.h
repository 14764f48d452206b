#pragma once

#include <QValidator>

// Refuses any edit that would make the text longer than a number of bytes of
// code page 932, the limit the character edits have always counted in.
class CCp932Validator : public QValidator {
    Q_OBJECT
public:
    CCp932Validator(int maxBytes, QObject* parent);

    State validate(QString& input, int& pos) const override;

    int MaxBytes() const { return m_maxBytes; }

private:
    int m_maxBytes;
};
