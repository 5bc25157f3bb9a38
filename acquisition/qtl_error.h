// Base of every error that ends a user command: it carries the French text that the
// program's event-level handler shows in the error box before the program goes on.
#pragma once

#include <stdexcept>
#include <string>

namespace qtl {

class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& userText) : std::runtime_error(userText) {}
    // UTF-8 text for the user.
    const std::string userText() const { return what(); }
};

}  // namespace qtl
