#pragma once

#include <stdexcept>
#include <string>

namespace verdal {

// Errors of the mail transport. They are thrown inside src/mail only; SendLogByMail turns them
// into a message, so none crosses the core's boundary.
class EmsError : public std::runtime_error
{
public:
    explicit EmsError(const std::string& message) : std::runtime_error(message) {}
};

// The server's reply was not the expected one; the message is its last reply line.
class EmsServerError : public EmsError
{
public:
    using EmsError::EmsError;
};

class EmsTimedOutError : public EmsError
{
public:
    EmsTimedOutError() : EmsError("Operation timed out") {}
};

class EmsCanceledError : public EmsError
{
public:
    EmsCanceledError() : EmsError("Operation has been canceled") {}
};

// A failure of the socket layer; the message begins with the error number in brackets.
class EWinsockError : public EmsError
{
public:
    using EmsError::EmsError;
};

// A message that cannot be composed (missing sender or recipients, unreadable attachment).
class EMessageError : public EmsError
{
public:
    using EmsError::EmsError;
};

}  // namespace verdal
