// Reads back the calls an output test driver logged: kind 'a' for "stdsad", 'b' for "stdsb",
// 'c' for "stdcalibration" (its value is the length of the text passed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qtl_pilote.h"
#include "settings/dynamic_library.h"

namespace qtl::testing {

struct LoggedCall {
    char kind;
    std::int32_t output;
    double value;
    friend bool operator==(const LoggedCall&, const LoggedCall&) = default;
};

class CallLog {
  public:
    explicit CallLog(const std::string& path)
        : log_(findEntryPoint<LogFn>(loadLibrary(path), "test_log")),
          reset_(findEntryPoint<ResetFn>(loadLibrary(path), "test_log_reset")) {}
    bool loaded() const { return log_ != nullptr; }
    void reset() const { reset_(); }
    std::vector<LoggedCall> calls() const {
        std::vector<LoggedCall> out;
        std::int32_t kind = 0, output = 0;
        double value = 0;
        for (std::int32_t i = 0; i < log_(i, &kind, &output, &value); ++i)
            out.push_back({static_cast<char>(kind), output, value});
        return out;
    }

  private:
    using LogFn = std::int32_t(QTL_PILOTE_CALL*)(std::int32_t, std::int32_t*, std::int32_t*,
                                                 double*);
    using ResetFn = void(QTL_PILOTE_CALL*)(void);
    LogFn log_;
    ResetFn reset_;
};

}  // namespace qtl::testing
