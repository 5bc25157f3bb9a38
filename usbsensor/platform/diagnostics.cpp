// The diagnostic log: a line is formatted whole, then written in one call, so that lines of the
// caller's thread and of reader threads never interleave.
#include "platform/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace vornik::diagnostics {

namespace {

void write(const char* format, va_list args) {
    char line[512];
    const int prefix = std::snprintf(line, sizeof line, "vornik: ");
    std::vsnprintf(line + prefix, sizeof line - static_cast<std::size_t>(prefix) - 1, format, args);
    std::strncat(line, "\n", sizeof line - std::strlen(line) - 1);
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    std::fputs(line, stderr);
    std::fflush(stderr);
}

}  // namespace

bool enabled() {
    static const bool on = [] {
        const char* value = std::getenv(kVariable);
        return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
    }();
    return on;
}

void log(const char* format, ...) {
    if (!enabled()) return;
    va_list args;
    va_start(args, format);
    write(format, args);
    va_end(args);
}

void warn(const char* format, ...) {
    va_list args;
    va_start(args, format);
    write(format, args);
    va_end(args);
}

}  // namespace vornik::diagnostics
