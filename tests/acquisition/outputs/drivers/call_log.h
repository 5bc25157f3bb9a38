// Reads back the calls an output test driver logged: (kind, output, value) triples, kind 'a'
// for "stdsad", 'b' for "stdsb", 'c' for "stdcalibration".
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
    explicit CallLog(const std::string& path) : lib_(loadLibrary(path)) {
        size_ = findEntryPoint<SizeFn>(lib_, "test_log_size");
        kind_ = findEntryPoint<IntFn>(lib_, "test_log_kind");
        output_ = findEntryPoint<IntFn>(lib_, "test_log_output");
        value_ = findEntryPoint<RealFn>(lib_, "test_log_value");
        reset_ = findEntryPoint<ResetFn>(lib_, "test_log_reset");
    }
    bool loaded() const { return size_ != nullptr; }
    void reset() const { reset_(); }
    std::vector<LoggedCall> calls() const {
        std::vector<LoggedCall> out;
        for (std::int32_t i = 0; i < size_(); ++i) {
            out.push_back({static_cast<char>(kind_(i)), output_(i), value_(i)});
        }
        return out;
    }

  private:
    using SizeFn = std::int32_t(QTL_PILOTE_CALL*)(void);
    using IntFn = std::int32_t(QTL_PILOTE_CALL*)(std::int32_t);
    using RealFn = double(QTL_PILOTE_CALL*)(std::int32_t);
    using ResetFn = void(QTL_PILOTE_CALL*)(void);
    LibraryHandle lib_;
    SizeFn size_ = nullptr;
    IntFn kind_ = nullptr;
    IntFn output_ = nullptr;
    RealFn value_ = nullptr;
    ResetFn reset_ = nullptr;
};

}  // namespace qtl::testing
